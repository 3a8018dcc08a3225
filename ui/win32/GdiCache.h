// GDI objects the host loads once and keeps for its life: the strips,
// icons, fonts and cursors, and the memory DCs for measuring and blitting.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <tuple>

#include "ui/Controls.h"

namespace ui::win32 {

class GdiCache {
public:
    GdiCache(HINSTANCE instance, int dpi);
    ~GdiCache();
    GdiCache(const GdiCache&) = delete;
    GdiCache& operator=(const GdiCache&) = delete;

    HBITMAP StripBitmap(Strip strip);  // nullptr: no such strip
    HICON Icon(int id);
    HFONT FontFor(const Font& font);
    HFONT ButtonFont() const { return buttonFont_; }
    HBRUSH Brush(COLORREF colour);
    HDC MeasureDC();  // a memory DC for measuring text
    HDC StripDC();    // a memory DC to select the strips into
    HCURSOR Cursor(Pointer pointer);

private:
    HINSTANCE instance_;
    int dpi_;
    std::map<int, HBITMAP> strips_;  // by resource id
    std::map<int, HICON> icons_;     // by icon id
    std::map<std::tuple<std::string, int, int, bool, int>, HFONT> fonts_;
    std::map<COLORREF, HBRUSH> brushes_;
    HDC measureDC_ = nullptr;
    HDC stripDC_ = nullptr;
    HFONT buttonFont_ = nullptr;
    HCURSOR handCursor_ = nullptr;
};

}  // namespace ui::win32
