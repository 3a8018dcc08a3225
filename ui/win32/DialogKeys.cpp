#include "ui/win32/FormWindow.h"

namespace ui::win32 {

// The focused push button shows as the default one, as in a dialog box.
void FormWindow::MarkDefault(HWND focused) {
    for (auto& child : children)
        if (child->IsPushButton())
            SendMessageA(child->hwnd, BM_SETSTYLE,
                         child->hwnd == focused ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

// Enter presses the focused push button, else the form's default one; a
// form without one (the settings dialog) presses nothing.
LRESULT FormWindow::DefaultId() const {
    HWND focus = GetFocus();
    for (auto& child : children)
        if (child->IsPushButton() && child->hwnd == focus) return MAKELRESULT(child->id, DC_HASDEFID);
    for (auto& child : children)
        if (auto* b = dynamic_cast<Button*>(&child->model); b && b->Default)
            return MAKELRESULT(child->id, DC_HASDEFID);
    return 0;
}

// Esc presses the cancel button wherever it lies, even outside the window.
void FormWindow::ClickCancel() {
    for (auto& child : children)
        if (auto* b = dynamic_cast<Button*>(&child->model);
            b && b->Cancel && b->Enabled() && b->Visible()) {
            b->PerformClick();
            return;
        }
}

void FormWindow::ClickDefault() {
    HWND focus = GetFocus();
    for (auto& child : children)
        if (auto* b = dynamic_cast<Button*>(&child->model);
            b && child->hwnd == focus && b->Enabled()) {
            b->PerformClick();
            return;
        }
    for (auto& child : children)
        if (auto* b = dynamic_cast<Button*>(&child->model);
            b && b->Default && b->Enabled() && b->Visible()) {
            b->PerformClick();
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
    for (auto& child : children)
        if (child->TakesFocus() && IsWindowVisible(child->hwnd) && IsWindowEnabled(child->hwnd)) {
            SetFocus(child->hwnd);
            return;
        }
    SetFocus(hwnd);
}

}  // namespace ui::win32
