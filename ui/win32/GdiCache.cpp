#include "ui/win32/GdiCache.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "resources/resource.h"
#include "ui/StripArt.h"

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

// The DPIs the strips are drawn for (100 to 200 %), in resource order.
constexpr int kStripDpi[] = {96, 120, 144, 168, 192};

// Each cell of src (columns in a row) scaled to cellWidth x cellHeight by
// the average of the source area it covers. nullptr when out of memory.
HBITMAP ScaleCells(HBITMAP src, int columns, int cellWidth, int cellHeight) {
    BITMAP bm;
    if (!GetObject(src, sizeof bm, &bm) || columns <= 0) return nullptr;
    const int sw = bm.bmWidth, sh = bm.bmHeight, scw = sw / columns;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = sw;
    bi.bmiHeader.biHeight = -sh;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint32_t> in(static_cast<size_t>(sw) * sh);
    HDC screen = GetDC(nullptr);
    const int rows = GetDIBits(screen, src, 0, sh, in.data(), &bi, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (rows != sh) return nullptr;
    const int dw = cellWidth * columns, dh = cellHeight;
    bi.bmiHeader.biWidth = dw;
    bi.bmiHeader.biHeight = -dh;
    void* bits = nullptr;
    HBITMAP out = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!out) return nullptr;
    auto* px = static_cast<std::uint32_t*>(bits);
    const double fx = static_cast<double>(scw) / cellWidth, fy = static_cast<double>(sh) / dh;
    for (int y = 0; y < dh; ++y) {
        const double y0 = y * fy, y1 = (y + 1) * fy;
        for (int x = 0; x < dw; ++x) {
            const int cell = x / cellWidth;
            const double x0 = (x % cellWidth) * fx, x1 = (x % cellWidth + 1) * fx;
            double sum[3] = {0, 0, 0}, area = 0;
            for (int sy = static_cast<int>(y0); sy < sh && sy < y1; ++sy) {
                const double wy = std::min<double>(sy + 1, y1) - std::max<double>(sy, y0);
                for (int sx = static_cast<int>(x0); sx < scw && sx < x1; ++sx) {
                    const double w = wy * (std::min<double>(sx + 1, x1) - std::max<double>(sx, x0));
                    const std::uint32_t p = in[static_cast<size_t>(sy) * sw + cell * scw + sx];
                    for (int c = 0; c < 3; ++c) sum[c] += w * ((p >> (8 * c)) & 0xFF);
                    area += w;
                }
            }
            std::uint32_t p = 0;
            for (int c = 0; c < 3; ++c)
                p |= static_cast<std::uint32_t>(std::lround(area > 0 ? sum[c] / area : 0)) << (8 * c);
            px[static_cast<size_t>(y) * dw + x] = p;
        }
    }
    return out;
}

// The packed coverage mask of resource id tinted with glyph, as a 32-bit
// DIB section. nullptr when it is missing or damaged.
HBITMAP TintedMask(HINSTANCE instance, int id, Color glyph) {
    HRSRC res = FindResourceA(instance, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(10));  // RCDATA
    HGLOBAL data = res ? LoadResource(instance, res) : nullptr;
    const void* bytes = data ? LockResource(data) : nullptr;
    Mask mask;
    if (!bytes ||
        !DecodeMask({static_cast<const std::uint8_t*>(bytes), SizeofResource(instance, res)}, mask))
        return nullptr;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = mask.width;
    bi.bmiHeader.biHeight = -mask.height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bmp) {
        const std::vector<std::uint32_t> pixels = Tint(mask, glyph);
        std::copy(pixels.begin(), pixels.end(), static_cast<std::uint32_t*>(bits));
    }
    return bmp;
}

}  // namespace

int StripColumns(Strip s) {
    switch (s) {
        case Strip::Haneler0:
        case Strip::Haneler1:
        case Strip::Haneler2: return 10;
        case Strip::Noktalar: return 3;
        case Strip::Alarmlar: return 4;
        default: return 1;
    }
}

GdiCache::GdiCache(HINSTANCE instance) : instance_(instance) {}

GdiCache::~GdiCache() {
    for (auto& [k, b] : loaded_) DeleteObject(b);
    for (HBITMAP b : scaled_) DeleteObject(b);
    for (auto& [k, i] : icons_) DestroyIcon(i);
    for (auto& [k, f] : fonts_) DeleteObject(f);
    for (auto& [k, b] : brushes_) DeleteObject(b);
    for (auto& [k, f] : buttonFonts_) DeleteObject(f);
    if (measureDC_) DeleteDC(measureDC_);
    if (stripDC_) DeleteDC(stripDC_);
}

HBITMAP GdiCache::LoadStrip(Strip strip, int scale) {
    const int id = StripResource(strip) + IDB_SCALE_STEP * scale;
    auto it = loaded_.find(id);
    if (it != loaded_.end()) return it->second;
    const Color glyph = StripGlyph(strip);
    HBITMAP bmp = glyph ? TintedMask(instance_, IDR_HANELER_MASK + IDB_SCALE_STEP * scale, glyph)
                        : static_cast<HBITMAP>(LoadImageA(instance_, MAKEINTRESOURCEA(id),
                                                          IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    loaded_[id] = bmp;
    return bmp;
}

HBITMAP GdiCache::StripBitmap(Strip strip, int dpi) {
    const int id = StripResource(strip);
    if (!id) return nullptr;
    auto it = strips_.find({id, dpi});
    if (it != strips_.end()) return it->second;
    // The scale drawn for this DPI, else the nearest larger (the largest
    // above 200 %).
    int k = 0;
    while (k < 4 && kStripDpi[k] < dpi) ++k;
    HBITMAP bmp = LoadStrip(strip, k);
    if (bmp && kStripDpi[k] != dpi) {
        HBITMAP base = LoadStrip(strip, 0);
        BITMAP bm;
        HBITMAP scaled = nullptr;
        if (base && GetObject(base, sizeof bm, &bm)) {
            const int columns = StripColumns(strip);
            scaled = ScaleCells(bmp, columns, MulDiv(bm.bmWidth / columns, dpi, 96),
                                MulDiv(bm.bmHeight, dpi, 96));
        }
        if (scaled) scaled_.push_back(scaled);
        bmp = scaled;
    }
    strips_[{id, dpi}] = bmp;
    return bmp;
}

HICON GdiCache::Icon(int id, int size) {
    auto it = icons_.find({id, size});
    if (it != icons_.end()) return it->second;
    auto icon =
        static_cast<HICON>(LoadImageA(instance_, MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0));
    icons_[{id, size}] = icon;
    return icon;
}

HFONT GdiCache::ButtonFont(int dpi) {
    HFONT& f = buttonFonts_[dpi];
    if (!f)
        f = CreateFontA(-MulDiv(8, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                        DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                        DEFAULT_PITCH | FF_DONTCARE, "Tahoma");
    return f;
}

HFONT GdiCache::FontFor(const Font& font, int dpi) {
    const int height = -static_cast<int>(std::lround(font.points * dpi / 72.0));
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
