#include "ui/win32/FormWindow.h"

namespace ui::win32 {

// The focused push button shows as the default one, as in a dialog box.
void FormWindow::MarkDefault(HWND focused) {
    for (auto& child : adapters)
        if (child->Role().push)
            SendMessageA(child->hwnd, BM_SETSTYLE,
                         child->hwnd == focused ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

// Enter presses the focused push button, else the form's default one; a
// form without one (the settings dialog) presses nothing.
LRESULT FormWindow::DefaultId() const {
    HWND focus = GetFocus();
    for (auto& child : adapters)
        if (child->Role().push && child->hwnd == focus) return MAKELRESULT(child->id, DC_HASDEFID);
    for (auto& child : adapters)
        if (child->Role().isDefault) return MAKELRESULT(child->id, DC_HASDEFID);
    return 0;
}

// Esc presses the cancel button wherever it lies, even outside the window.
void FormWindow::ClickCancel() {
    for (auto& child : adapters)
        if (child->Role().cancel && child->model.Enabled() && child->model.Visible()) {
            child->Press();
            return;
        }
}

void FormWindow::ClickDefault() {
    HWND focus = GetFocus();
    for (auto& child : adapters)
        if (child->Role().push && child->hwnd == focus && child->model.Enabled()) {
            child->Press();
            return;
        }
    for (auto& child : adapters)
        if (child->Role().isDefault && child->model.Enabled() && child->model.Visible()) {
            child->Press();
            return;
        }
}

// The focus comes back where it was, or goes to the first control in
// keyboard order that can take it.
void FormWindow::FocusFirst() {
    if (lastFocus && IsWindow(lastFocus) && IsChild(hwnd, lastFocus) && IsWindowVisible(lastFocus) &&
        IsWindowEnabled(lastFocus)) {
        SetFocus(lastFocus);
        return;
    }
    for (auto& child : adapters)
        if (child->hwnd && child->TakesFocus() && IsWindowVisible(child->hwnd) && IsWindowEnabled(child->hwnd)) {
            SetFocus(child->hwnd);
            return;
        }
    SetFocus(hwnd);
}

}  // namespace ui::win32
