#include "ui/win32/FormWindow.h"

namespace ui::win32 {

// The focused button shows as the default one, as in a dialog box.
void FormWindow::MarkDefault(HWND focused) {
    for (auto& [b, h] : buttons)
        SendMessageA(h, BM_SETSTYLE, h == focused ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

LRESULT FormWindow::DefaultId() const {
    HWND focus = GetFocus();
    for (auto& [b, h] : buttons)
        if (h == focus) return MAKELRESULT(GetDlgCtrlID(h), DC_HASDEFID);
    for (auto& [b, h] : buttons)
        if (b->Default) return MAKELRESULT(GetDlgCtrlID(h), DC_HASDEFID);
    return 0;
}

// Esc presses the cancel button wherever it lies, even outside the window.
void FormWindow::ClickCancel() {
    for (auto& [b, h] : buttons)
        if (b->Cancel && b->Enabled() && b->Visible()) {
            b->PerformClick();
            return;
        }
}

void FormWindow::ClickDefault() {
    HWND focus = GetFocus();
    for (auto& [b, h] : buttons)
        if (h == focus && b->Enabled()) {
            b->PerformClick();
            return;
        }
    for (auto& [b, h] : buttons)
        if (b->Default && b->Enabled() && b->Visible()) {
            b->PerformClick();
            return;
        }
}

void FormWindow::FocusFirst() {
    if (lastFocus && IsWindow(lastFocus) && IsChild(hwnd, lastFocus) && IsWindowVisible(lastFocus) &&
        IsWindowEnabled(lastFocus)) {
        SetFocus(lastFocus);
        return;
    }
    for (auto& [b, h] : buttons)
        if (IsWindowVisible(h) && IsWindowEnabled(h)) {
            SetFocus(h);
            return;
        }
    SetFocus(hwnd);
}

}  // namespace ui::win32
