#include "ui/win32/FormWindow.h"
#include "ui/win32/GdiCache.h"
#include "ui/win32/Win32Host.h"

namespace ui::win32 {

int FormWindow::Px(int twips) const { return display.Px(twips); }

RECT FormWindow::Box(const Control& c) const {
    int x = 0, y = 0;
    for (const Control* p = c.Parent(); p; p = p->Parent()) {
        x += Px(p->Left());
        y += Px(p->Top());
    }
    x += Px(c.Left());
    y += Px(c.Top());
    return RECT{x, y, x + Px(c.Width()), y + Px(c.Height())};
}

RECT FormWindow::Clip(const Control& c) const {
    RECT r{-32768, -32768, 32767, 32767};
    for (const Control* p = c.Parent(); p; p = p->Parent()) {
        RECT b = Box(*p);
        IntersectRect(&r, &r, &b);
    }
    return r;
}

RECT FormWindow::Extent(const Control& c) const {
    RECT box = Box(c);
    auto* label = dynamic_cast<const Label*>(&c);
    if (!label || !label->AutoSize || !c.Shown()) return box;
    // An AutoSize label is as large as its text: as wide when it does not
    // wrap, as high when it does. Measured on a memory DC: no window DC per
    // change.
    HDC dc = gdi->MeasureDC();
    HGDIOBJ old = SelectObject(dc, gdi->FontFor(label->GetFont(), display.dpi));
    RECT r{box.left, box.top, label->WordWrap ? box.right : box.left, box.top};
    UINT flags = DT_CALCRECT | (label->WordWrap ? DT_WORDBREAK : 0);
    const std::string& text = label->Text();
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, flags);
    SelectObject(dc, old);
    if (label->WordWrap) r.right = box.right;
    return r;
}

RECT FormWindow::Visible(const Control& c) const {
    RECT e = Extent(c), clip = Clip(c), r;
    if (!IntersectRect(&r, &e, &clip)) SetRectEmpty(&r);
    return r;
}

bool FormWindow::HasChildren(const Control& c) const {
    for (Control* x : form->Controls())
        if (x->Parent() == &c) return true;
    return false;
}

// Containers first, then their contents, each level in registration order.
std::vector<Control*> FormWindow::PaintOrder() const {
    std::vector<Control*> order;
    const auto& all = form->Controls();
    auto add = [&](auto&& self, const Control* parent) -> void {
        for (Control* c : all) {
            if (c->Parent() != parent) continue;
            order.push_back(c);
            self(self, c);
        }
    };
    add(add, nullptr);
    return order;
}

}  // namespace ui::win32
