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
    for (Control* c : PaintOrder()) {
        if (!c->Shown() || Child(c)) continue;
        RECT seen = Visible(*c), common;
        if (IntersectRect(&common, &seen, &area)) PaintControl(dc, *c);
    }
}

void FormWindow::PaintControl(HDC dc, Control& c) {
    const RECT clip = Clip(c);
    const RECT box = Box(c);
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);

    if (auto* pic = dynamic_cast<PictureBox*>(&c)) {
        IntersectClipRect(dc, box.left, box.top, box.right, box.bottom);
        FillRect(dc, &box, gdi->Brush(ToColorRef(pic->BackColor())));
        const Picture& p = pic->GetPicture();
        if (HBITMAP bmp = gdi->StripBitmap(p.strip, display.dpi)) {
            BITMAP bm;
            GetObject(bmp, sizeof bm, &bm);
            const int columns = StripColumns(p.strip);
            const int cellWidth = bm.bmWidth / columns;
            if (p.cell >= 0 && p.cell < columns) {
                HDC src = gdi->StripDC();
                HGDIOBJ old = SelectObject(src, bmp);
                BitBlt(dc, box.left, box.top, cellWidth, bm.bmHeight, src, p.cell * cellWidth, 0,
                       SRCCOPY);
                SelectObject(src, old);
            }
        }
    } else if (auto* label = dynamic_cast<Label*>(&c)) {
        RECT r = Extent(c);
        UINT flags = DT_LEFT | DT_TOP;
        if (!label->AutoSize) {
            flags |= DT_WORDBREAK;
            IntersectClipRect(dc, box.left, box.top, box.right, box.bottom);
        } else {
            flags |= DT_NOCLIP | (label->WordWrap ? DT_WORDBREAK : 0);
        }
        SelectObject(dc, gdi->FontFor(label->GetFont(), display.dpi));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, c.Enabled() ? ToColorRef(label->ForeColor()) : GetSysColor(COLOR_GRAYTEXT));
        const std::string& text = label->Text();
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, flags);
    } else if (auto* image = dynamic_cast<Image*>(&c)) {
        const int size = display.Px(480);  // an icon is 32 px at 96 dpi
        if (HICON icon = gdi->Icon(image->IconId, size))
            DrawIconEx(dc, box.left, box.top, icon, size, size, 0, nullptr, DI_NORMAL);
    }
    RestoreDC(dc, saved);
}

}  // namespace ui::win32
