#include <algorithm>

#include "ui/win32/FormWindow.h"
#include "ui/win32/GdiCache.h"

namespace ui::win32 {

namespace {
// Child ids of buttons start above IDOK/IDCANCEL, which the dialog keys use.
constexpr int kFirstButtonId = 100;
}  // namespace

// Buttons are real windows, created in tab order.
void FormWindow::CreateButtons(HINSTANCE instance) {
    std::vector<Button*> order;
    for (Control* c : form->Controls())
        if (auto* b = dynamic_cast<Button*>(c)) order.push_back(b);
    std::stable_sort(order.begin(), order.end(),
                     [](const Button* a, const Button* b) { return a->TabIndex < b->TabIndex; });
    for (Button* b : order) {
        const int id = kFirstButtonId + static_cast<int>(buttons.size());
        const RECT r = Box(*b);
        HWND h = CreateWindowExA(
            0, "BUTTON", b->Caption().c_str(),
            WS_CHILD | WS_TABSTOP | BS_NOTIFY | (b->Default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON),
            r.left, r.top, r.right - r.left, r.bottom - r.top, hwnd,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
        SendMessageA(h, WM_SETFONT, reinterpret_cast<WPARAM>(gdi->ButtonFont()), FALSE);
        buttons.emplace_back(b, h);
    }
}

HWND FormWindow::ButtonWindow(const Button* b) const {
    for (auto& [button, h] : buttons)
        if (button == b) return h;
    return nullptr;
}

Button* FormWindow::ButtonById(int id) const {
    const int i = id - kFirstButtonId;
    if (i < 0 || i >= static_cast<int>(buttons.size())) return nullptr;
    return buttons[i].first;
}

void FormWindow::UpdateButton(Button& b, HWND h) {
    char text[512];
    GetWindowTextA(h, text, sizeof text);
    if (b.Caption() != text) SetWindowTextA(h, b.Caption().c_str());
    EnableWindow(h, b.Enabled());
    const RECT r = Box(b);
    ::SetWindowPos(h, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                   SWP_NOZORDER | SWP_NOACTIVATE | (b.Shown() ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

}  // namespace ui::win32
