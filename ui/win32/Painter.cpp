#include "ui/win32/FormWindow.h"
#include "ui/win32/GdiCache.h"

namespace ui::win32 {

COLORREF ToColorRef(Color c) {
    if (c & 0x80000000u) return GetSysColor(static_cast<int>(c & 0xFFu));
    return static_cast<COLORREF>(c & 0x00FFFFFFu);
}

void BackBuffer::Release() {
    if (!dc) return;
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    dc = nullptr;
}

HDC BackBuffer::Fit(int w, int h) {
    if (dc && w <= width && h <= height) return dc;
    Release();
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) return nullptr;
    dc = CreateCompatibleDC(nullptr);
    old = SelectObject(dc, bitmap);
    width = w;
    height = h;
    return dc;
}

// Paints what lies in area: the background, then each shown control that
// reaches into it.
void FormWindow::Paint(HDC dc, const RECT& area) {
    FillRect(dc, &area, gdi->Brush(ToColorRef(form->BackColor)));
    for (auto& a : adapters) a->PaintBehind(*this, dc);
    for (Control* c : PaintOrder()) {
        ControlAdapter* a = AdapterOf(c);
        if (!c->Shown() || !a || !a->Painted()) continue;
        RECT seen = Visible(*c), common;
        if (!IntersectRect(&common, &seen, &area)) continue;
        const RECT clip = Clip(*c);
        const int saved = SaveDC(dc);
        IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);
        a->Paint(*this, dc);
        RestoreDC(dc, saved);
    }
}

}  // namespace ui::win32
