// GDI objects the host loads once and keeps for its life: the strips,
// icons, fonts and cursors, and the memory DCs for measuring and blitting.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "ui/Controls.h"

namespace ui::win32 {

// Cells per strip, in one row.
int StripColumns(Strip strip);

class GdiCache {
public:
    explicit GdiCache(HINSTANCE instance);
    ~GdiCache();
    GdiCache(const GdiCache&) = delete;
    GdiCache& operator=(const GdiCache&) = delete;

    // The strip drawn for a DPI: the one made at that scale, else the
    // nearest larger one scaled to it, once. nullptr: no such strip.
    HBITMAP StripBitmap(Strip strip, int dpi);
    HICON Icon(int id, int size);  // size: pixels, square
    HFONT FontFor(const Font& font, int dpi);
    HFONT ButtonFont(int dpi);
    HBRUSH Brush(COLORREF colour);
    HDC MeasureDC();  // a memory DC for measuring text
    HDC StripDC();    // a memory DC to select the strips into
    HCURSOR Cursor(Pointer pointer);

private:
    HBITMAP LoadStrip(Strip strip, int scale);  // scale: 0 to 4, 100 to 200 %

    HINSTANCE instance_;
    std::map<int, HBITMAP> loaded_;                 // by the drawn strip's resource id
    std::map<std::pair<int, int>, HBITMAP> strips_;  // by 100 % resource id, dpi
    std::vector<HBITMAP> scaled_;                   // made here, for DPIs between scales
    std::map<std::pair<int, int>, HICON> icons_;  // by icon id and size
    std::map<std::tuple<std::string, int, int, bool, int>, HFONT> fonts_;
    std::map<COLORREF, HBRUSH> brushes_;
    HDC measureDC_ = nullptr;
    HDC stripDC_ = nullptr;
    std::map<int, HFONT> buttonFonts_;  // by dpi
    HCURSOR handCursor_ = nullptr;
};

}  // namespace ui::win32
