#include "ui/win32/GdiCache.h"

#include <cmath>

#include "resources/resource.h"

namespace ui::win32 {

namespace {

int StripResource(Strip s) {
    switch (s) {
        case Strip::Haneler0: return IDB_HANELER0;
        case Strip::Haneler1: return IDB_HANELER1;
        case Strip::Haneler2: return IDB_HANELER2;
        case Strip::Noktalar: return IDB_NOKTALAR;
        case Strip::Alarmlar: return IDB_ALARMLAR;
        default: return 0;
    }
}

}  // namespace

GdiCache::GdiCache(HINSTANCE instance, int dpi) : instance_(instance), dpi_(dpi) {
    buttonFont_ = CreateFontA(-MulDiv(8, dpi_, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                              DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                              DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Tahoma");
}

GdiCache::~GdiCache() {
    for (auto& [k, b] : strips_) DeleteObject(b);
    for (auto& [k, i] : icons_) DestroyIcon(i);
    for (auto& [k, f] : fonts_) DeleteObject(f);
    for (auto& [k, b] : brushes_) DeleteObject(b);
    if (measureDC_) DeleteDC(measureDC_);
    if (stripDC_) DeleteDC(stripDC_);
    if (buttonFont_) DeleteObject(buttonFont_);
}

HBITMAP GdiCache::StripBitmap(Strip strip) {
    const int id = StripResource(strip);
    if (!id) return nullptr;
    auto it = strips_.find(id);
    if (it != strips_.end()) return it->second;
    auto bmp = static_cast<HBITMAP>(
        LoadImageA(instance_, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    strips_[id] = bmp;
    return bmp;
}

HICON GdiCache::Icon(int id) {
    auto it = icons_.find(id);
    if (it != icons_.end()) return it->second;
    auto icon =
        static_cast<HICON>(LoadImageA(instance_, MAKEINTRESOURCEA(id), IMAGE_ICON, 32, 32, 0));
    icons_[id] = icon;
    return icon;
}

HFONT GdiCache::FontFor(const Font& font) {
    const int height = -static_cast<int>(std::lround(font.points * dpi_ / 72.0));
    const int weight = font.weight ? font.weight : font.bold ? FW_BOLD : FW_NORMAL;
    auto key = std::make_tuple(font.name, height, weight, font.underline, font.charset);
    auto it = fonts_.find(key);
    if (it != fonts_.end()) return it->second;
    HFONT f = CreateFontA(height, 0, 0, 0, weight, FALSE, font.underline, FALSE,
                          static_cast<DWORD>(font.charset), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                          DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, font.name.c_str());
    fonts_[key] = f;
    return f;
}

HBRUSH GdiCache::Brush(COLORREF colour) {
    auto it = brushes_.find(colour);
    if (it != brushes_.end()) return it->second;
    return brushes_[colour] = CreateSolidBrush(colour);
}

HDC GdiCache::MeasureDC() {
    if (!measureDC_) measureDC_ = CreateCompatibleDC(nullptr);
    return measureDC_;
}

HDC GdiCache::StripDC() {
    if (!stripDC_) stripDC_ = CreateCompatibleDC(nullptr);
    return stripDC_;
}

HCURSOR GdiCache::Cursor(Pointer pointer) {
    switch (pointer) {
        case Pointer::Hand:
            if (!handCursor_)
                handCursor_ = LoadCursorA(instance_, MAKEINTRESOURCEA(IDC_POINTING_HAND));
            if (handCursor_) return handCursor_;
            return LoadCursorA(nullptr, IDC_HAND);  // the system's own
        case Pointer::SizeAll: return LoadCursorA(nullptr, IDC_SIZEALL);
        default: return LoadCursorA(nullptr, IDC_ARROW);
    }
}

}  // namespace ui::win32
