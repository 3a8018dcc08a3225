// Mouse input over the painted controls: to the control under the pointer
// that handles it (or a container that does), in twips of that control.
#include "ui/win32/FormWindow.h"
#include "ui/win32/Win32Host.h"

namespace ui::win32 {

int ButtonState(WPARAM keys) {
    int b = 0;
    if (keys & MK_LBUTTON) b |= kLeftButton;
    if (keys & MK_RBUTTON) b |= kRightButton;
    if (keys & MK_MBUTTON) b |= kMiddleButton;
    return b;
}

int ShiftState(WPARAM keys) {
    int s = 0;
    if (keys & MK_SHIFT) s |= 1;
    if (keys & MK_CONTROL) s |= 2;
    if (GetKeyState(VK_MENU) < 0) s |= 4;
    return s;
}

// The topmost shown control under the point takes the mouse if it handles
// it; one without handlers keeps it (nullopt) unless it lets it through to
// its container (MouseToContainer), and so on up to the form (nullptr).
// Child windows take their own input: only those that let it through (a
// frame's border) are found here.
std::optional<Control*> FormWindow::HitTarget(POINT pt) const {
    std::vector<Control*> order = PaintOrder();
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        Control* c = *it;
        if (!c->Shown()) continue;
        RECT r = Visible(*c);
        if (!PtInRect(&r, pt)) continue;
        bool enabled = true;
        for (const Control* p = c; p; p = p->Parent()) enabled = enabled && p->Enabled();
        if (!enabled) continue;  // what lies under a disabled control takes it
        for (Control* p = c; p; p = p->Parent()) {
            if (p->HandlesMouse()) return p;
            if (!p->MouseToContainer) return std::nullopt;
        }
        return nullptr;
    }
    return nullptr;
}

void FormWindow::Mouse(UINT msg, WPARAM wParam, LPARAM lParam) {
    RelayToTip(msg, wParam, lParam);
    POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    const bool down = msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN ||
                      msg == WM_LBUTTONDBLCLK;
    const bool up = msg == WM_LBUTTONUP || msg == WM_RBUTTONUP || msg == WM_MBUTTONUP;

    const std::optional<Control*> hit = capturing && !down ? pressed : HitTarget(pt);
    if (down) {
        pressed = hit;
        SetCapture(hwnd);
        capturing = true;
    }
    if (up && !(wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON))) ReleaseCapture();
    if (down && msg != WM_LBUTTONDBLCLK) return;
    if (!hit) return;
    Control* target = *hit;

    int x = display.Twips(pt.x), y = display.Twips(pt.y);
    if (target) {
        const RECT b = Box(*target);
        x = display.Twips(pt.x - b.left);
        y = display.Twips(pt.y - b.top);
    }
    const int shift = ShiftState(wParam);
    // Copies: a handler may do anything to its form, even unload it.
    const auto move = target ? target->MouseMove : form->MouseMove;
    const auto release = target ? target->MouseUp : form->MouseUp;
    const auto dbl = target ? target->DblClick : form->DblClick;
    switch (msg) {
        case WM_MOUSEMOVE:
            if (move) move(ButtonState(wParam), shift, x, y);
            break;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP: {
            const int button = msg == WM_LBUTTONUP   ? kLeftButton
                               : msg == WM_RBUTTONUP ? kRightButton
                                                     : kMiddleButton;
            if (release) release(button, shift, x, y);
            break;
        }
        case WM_LBUTTONDBLCLK:
            if (dbl) dbl();
            break;
    }
}

}  // namespace ui::win32
