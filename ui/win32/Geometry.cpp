#include "ui/win32/FormWindow.h"

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

RECT FormWindow::Visible(const Control& c) const {
    const ControlAdapter* a = AdapterOf(&c);
    RECT e = a ? a->Extent(*this) : Box(c), clip = Clip(c), r;
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
