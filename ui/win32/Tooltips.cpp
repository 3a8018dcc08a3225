#include "ui/win32/FormWindow.h"

#include <commctrl.h>

#include "platform/win32/CommonControls.h"

namespace ui::win32 {

// The tooltip has no owner: a window that owns another is not made top-most
// by SetWindowPos(HWND_TOPMOST) under Wine, and the form must be. So it does
// not go with its form by itself: the form destroys it.
void FormWindow::CreateTooltip() {
    platform::win32::UseCommonControls(ICC_WIN95_CLASSES);
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hwnd, GWLP_HINSTANCE));
    tooltip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                              WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                              instance, nullptr);
}

void FormWindow::DestroyTooltip() {
    if (tooltip && IsWindow(tooltip)) DestroyWindow(tooltip);
    tooltip = nullptr;
}

// Tools go in from the topmost control down: the tooltip takes the first
// tool under the mouse, so a label's tip wins over its panel's.
//
// The tooltip window is made only when a tool needs it, so that a start-up
// does not wait for it: a child window's tool at once (the tooltip watches
// that window's mouse), a tool on the form's own surface once the mouse has
// come to the form.
void FormWindow::RebuildTools() {
    auto ChildWindowOf = [this](const Control* c) {
        const ControlAdapter* a = AdapterOf(c);
        return a && a->hwnd;
    };
    if (!tooltip) {
        bool wanted = false;
        for (Control* c : form->Controls())
            wanted = wanted || (!c->ToolTip().empty() && c->Shown() && (mouseCame || ChildWindowOf(c)));
        if (!wanted) return;
        CreateTooltip();
        if (!tooltip) return;
    }
    TOOLINFOA ti{};
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    while (SendMessageA(tooltip, TTM_ENUMTOOLSA, 0, reinterpret_cast<LPARAM>(&ti))) {
        SendMessageA(tooltip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
        ti = TOOLINFOA{};
        ti.cbSize = TTTOOLINFOA_V2_SIZE;
    }
    std::vector<Control*> order = PaintOrder();
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        Control* c = *it;
        if (c->ToolTip().empty() || !c->Shown()) continue;
        ti = TOOLINFOA{};
        ti.cbSize = TTTOOLINFOA_V2_SIZE;
        ti.hwnd = hwnd;
        ti.hinst = nullptr;
        ti.lpszText = const_cast<char*>(c->ToolTip().c_str());
        if (ControlAdapter* child = AdapterOf(c); child && child->hwnd) {
            // The tooltip watches a child window's mouse itself.
            ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
            ti.uId = reinterpret_cast<UINT_PTR>(child->hwnd);
        } else {
            // The form's own mouse comes by RelayToTip: watching it would
            // put the tooltip's look-up in front of every message of the
            // form, the tick's timer and paint included.
            ti.uId = reinterpret_cast<UINT_PTR>(c);
            ti.rect = Visible(*c);
        }
        SendMessageA(tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
    }
}

void FormWindow::RelayToTip(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!mouseCame) {
        mouseCame = true;
        RebuildTools();
    }
    if (!tooltip) return;
    MSG m{hwnd, msg, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
    GetCursorPos(&m.pt);
    SendMessageA(tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&m));
}

void FormWindow::HideTip() {
    if (tooltip) SendMessageA(tooltip, TTM_POP, 0, 0);
}

}  // namespace ui::win32
