#include "ui/win32/FormWindow.h"

#include <commctrl.h>

#include "platform/win32/CommonControls.h"
#include "resources/resource.h"
#include "ui/win32/GdiCache.h"
#include "ui/win32/Win32Host.h"

namespace ui::win32 {

namespace {

constexpr char kClassName[] = "ZilvaneForm";

bool SameRect(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != 0; }

bool OfThisProcess(HWND h) {
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    return pid == GetCurrentProcessId();
}

}  // namespace

// ------------------------------------------------------------- the window ---

FormWindow::~FormWindow() { DestroyTooltip(); }

void FormWindow::RegisterWindowClass(HINSTANCE inst) {
    WNDCLASSEXA wc{};
    if (GetClassInfoExA(inst, kClassName, &wc)) return;
    wc = WNDCLASSEXA{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &FormWindow::Proc;
    wc.hInstance = inst;
    wc.hIcon = LoadIconA(inst, MAKEINTRESOURCEA(IDI_ZILVANE));
    if (!wc.hIcon) wc.hIcon = LoadIconA(nullptr, MAKEINTRESOURCEA(32512));  // IDI_APPLICATION
    wc.lpszClassName = kClassName;
    RegisterClassExA(&wc);
}

// Creates the hidden window of w.form with its children; nullptr on failure.
HWND FormWindow::Create(FormWindow& w, HINSTANCE inst, HWND owner) {
    const Form& form = *w.form;
    // The monitor the window will be on decides what its pixels are.
    const int system = platform::win32::SystemDpi();
    const RECT planned{MulDiv(form.Left(), system, 1440), MulDiv(form.Top(), system, 1440),
                       MulDiv(form.Left() + form.Width(), system, 1440),
                       MulDiv(form.Top() + form.Height(), system, 1440)};
    w.display = Display::At(planned);
    DWORD style, exStyle;
    int width, height;
    if (w.dialog) {
        style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
        exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
        RECT r{0, 0, w.Px(form.ClientWidth), w.Px(form.ClientHeight)};
        platform::win32::AdjustWindowRectForDpi(r, style, exStyle, w.display.dpi);
        width = r.right - r.left;
        height = r.bottom - r.top;
    } else {
        style = WS_POPUP | WS_CLIPCHILDREN;
        exStyle = WS_EX_APPWINDOW;  // the clock has its taskbar button
        width = w.Px(form.Width());
        height = w.Px(form.Height());
        owner = nullptr;
    }
    HWND hwnd = CreateWindowExA(exStyle, kClassName, form.Caption().c_str(), style,
                                w.Px(form.Left()), w.Px(form.Top()), width, height, owner, nullptr,
                                inst, &w);
    if (!hwnd) return nullptr;
    w.display = Display::OfWindow(hwnd);
    // A dialog has its controls when it shows (focus, keys). Another form's
    // (the clock's hidden cancel button) come right after its first show:
    // its first frame need not wait for them and the library they load.
    w.childrenDeferred = !w.dialog;
    w.CreateChildren(inst);
    w.Relayout();
    w.ArmTimers();
    w.SyncToModel();
    return hwnd;
}

LRESULT CALLBACK FormWindow::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* w = static_cast<FormWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        w->hwnd = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(w));
    }
    auto* w = reinterpret_cast<FormWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!w) return DefWindowProcA(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        // Destroyed from outside the model (with its owner, say): forget it.
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        w->host->windows_.erase(w->form);
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    if (auto handled = w->Handle(msg, wParam, lParam)) return *handled;
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

// Handlers may unload the form, and with it this object: every call into
// the model is the last thing a handler does.
std::optional<LRESULT> FormWindow::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: return OnPaint();
        case WM_PRINTCLIENT: return OnPrintClient(reinterpret_cast<HDC>(wParam));
        case WM_WINDOWPOSCHANGED: return OnWindowPosChanged(*reinterpret_cast<WINDOWPOS*>(lParam));
        case WM_MOVE:
        case WM_SIZE: return OnMoveOrSize();
        case WM_ACTIVATE: return OnActivate(wParam, reinterpret_cast<HWND>(lParam));
        case kActivateSettled: RaiseActivate(); return 0;
        case WM_DESTROY: return OnDestroy();
        case WM_SETFOCUS: return OnSetFocus();
        case WM_NEXTDLGCTL: return OnNextDlgCtl(wParam, lParam);
        case DM_GETDEFID: return DefaultId();
        case WM_COMMAND:
            return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        case WM_KEYDOWN: return OnKeyDown(wParam);
        case WM_SETCURSOR: return OnSetCursor(reinterpret_cast<HWND>(wParam), LOWORD(lParam));
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
        case WM_LBUTTONDBLCLK: Mouse(msg, wParam, lParam); return 0;
        case WM_CAPTURECHANGED: capturing = false; return 0;
        case WM_TIMER: return OnTimer(wParam);
        case WM_CLOSE: return OnClose();
        case WM_NOTIFY: return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            return OnControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_DISPLAYCHANGE:
            if (host->DisplayChanged) host->DisplayChanged();
            return std::nullopt;
        case WM_SETTINGCHANGE:  // a work area changed (the taskbar moved)
            if (wParam == SPI_SETWORKAREA && host->DisplayChanged) host->DisplayChanged();
            return std::nullopt;
        case WM_QUERYENDSESSION: return TRUE;
        case WM_ENDSESSION: return OnEndSession(wParam != 0);
        case WM_POWERBROADCAST: return OnPowerBroadcast(wParam);
        case WM_TIMECHANGE: return OnTimeChange();
        case kClockJumped: ClockJumped(); return 0;
        case kCreateChildren: CreateDeferredChildren(); return 0;
        case kWmDpiChanged:
            if (host->DisplayChanged) host->DisplayChanged();  // a monitor's scale
            return OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
    }
    return std::nullopt;
}

// --------------------------------------------------------------- messages ---

std::optional<LRESULT> FormWindow::OnPaint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT client;
    GetClientRect(hwnd, &client);
    const RECT& r = ps.rcPaint;
    if (!IsRectEmpty(&r)) {
        // Only the damaged part is drawn, off screen, then shown at once.
        if (HDC mem = back.Fit(client.right, client.bottom)) {
            Paint(mem, r);
            BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, mem, r.left, r.top,
                   SRCCOPY);
        } else {
            Paint(dc, r);
        }
    }
    EndPaint(hwnd, &ps);
    return 0;
}

std::optional<LRESULT> FormWindow::OnPrintClient(HDC dc) {
    RECT client;
    GetClientRect(hwnd, &client);
    Paint(dc, client);
    return 0;
}

std::optional<LRESULT> FormWindow::OnWindowPosChanged(const WINDOWPOS& pos) {
    SyncToModel();
    // Posted: the loop shows the first frame before the children are made.
    if ((pos.flags & SWP_SHOWWINDOW) && childrenDeferred) PostMessageA(hwnd, kCreateChildren, 0, 0);
    if (pos.flags & SWP_SHOWWINDOW) form->SyncVisible(true);
    if (pos.flags & SWP_HIDEWINDOW) form->SyncVisible(false);
    return std::nullopt;  // DefWindowProc sends WM_MOVE and WM_SIZE
}

std::optional<LRESULT> FormWindow::OnMoveOrSize() {
    SyncToModel();
    return 0;
}

std::optional<LRESULT> FormWindow::OnActivate(WPARAM wParam, HWND other) {
    if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd, focus)) lastFocus = focus;
        return 0;
    }
    if (!HIWORD(wParam)) {
        if (dialog)
            FocusFirst();
        else
            SetFocus(hwnd);
    }
    // Activate belongs to the program's own changes of the active window:
    // the first show, the return from one of its dialogs or message boxes.
    // It runs once the activation has settled: inside WM_ACTIVATE the window
    // that is going (the closing dialog) is still owned by this one, and
    // Wine may then leave this one off the top it asks for.
    if ((other && !OfThisProcess(other)) || activatePending) return 0;
    activatePending = true;
    PostMessageA(hwnd, kActivateSettled, 0, 0);
    return 0;
}

void FormWindow::RaiseActivate() {
    if (!activatePending) return;
    activatePending = false;
    if (GetActiveWindow() != hwnd || !form->Activate) return;
    form->Activate();
}

std::optional<LRESULT> FormWindow::OnDestroy() {
    DestroyTooltip();
    return 0;
}

std::optional<LRESULT> FormWindow::OnSetFocus() {
    if (dialog && lastFocus && IsWindow(lastFocus) && IsChild(hwnd, lastFocus)) SetFocus(lastFocus);
    return 0;
}

std::optional<LRESULT> FormWindow::OnNextDlgCtl(WPARAM wParam, LPARAM lParam) {
    HWND next = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam)
                               : GetNextDlgTabItem(hwnd, GetFocus(), wParam != 0);
    if (next) SetFocus(next);
    return 0;
}

std::optional<LRESULT> FormWindow::OnCommand(int id, int code, HWND control) {
    if (ControlAdapter* child = ChildByWindow(control)) {
        child->Notify(*this, code);
        return 0;
    }
    if (id == IDCANCEL) ClickCancel();
    if (id == IDOK) ClickDefault();
    return 0;
}

std::optional<LRESULT> FormWindow::OnKeyDown(WPARAM key) {
    if (key == VK_ESCAPE) {
        ClickCancel();
        return 0;
    }
    if (key == VK_RETURN) {
        ClickDefault();
        return 0;
    }
    return std::nullopt;
}

std::optional<LRESULT> FormWindow::OnSetCursor(HWND under, int hit) {
    if (hit != HTCLIENT) return std::nullopt;
    if (ControlAdapter* child = ChildByWindow(under)) {
        // A control with a pointer of its own (the link's hand) shows it.
        if (child->model.MousePointer == Pointer::Default) return std::nullopt;
        SetCursor(gdi->Cursor(child->model.MousePointer));
        return TRUE;
    }
    if (under != hwnd) return std::nullopt;
    SetCursor(gdi->Cursor(pointer));
    return TRUE;
}

std::optional<LRESULT> FormWindow::OnNotify(const NMHDR& n) {
    if (ControlAdapter* child = ChildByWindow(n.hwndFrom)) {
        child->Notify(*this, static_cast<int>(n.code));
        return 0;
    }
    return std::nullopt;
}

std::optional<LRESULT> FormWindow::OnClose() {
    Form* f = form;  // outlives this object
    if (f->CloseRequest && f->CloseRequest()) return 0;
    f->Unload();
    return 0;
}

// Moved to a monitor of another DPI: the window takes the rectangle the
// system suggests, and everything in it is laid out and drawn anew for the
// new DPI (fonts, auto-size labels, strips).
std::optional<LRESULT> FormWindow::OnDpiChanged(int dpi, const RECT& suggested) {
    display = Display::At(suggested);
    display.dpi = dpi;
    ::SetWindowPos(hwnd, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    const auto font = reinterpret_cast<WPARAM>(gdi->ButtonFont(dpi));
    for (auto& a : adapters)
        if (a->hwnd) SendMessageA(a->hwnd, WM_SETFONT, font, FALSE);
    form->Remeasure();
    Relayout();
    return 0;
}

std::optional<LRESULT> FormWindow::OnEndSession(bool ending) {
    // The process ends without a close when this returns: store now.
    Form* main = host->main_;
    if (ending && main && !main->Unloaded()) main->Unload();
    return 0;
}

// After a sleep or a change of the clock the timer on the second no longer
// meets the system clock's seconds: tick at once and align it again.
std::optional<LRESULT> FormWindow::OnPowerBroadcast(WPARAM event) {
    if (event == PBT_APMRESUMEAUTOMATIC || event == PBT_APMRESUMESUSPEND) return OnTimeChange();
    return TRUE;
}

std::optional<LRESULT> FormWindow::OnTimeChange() {
    // A resume brings two notifications: one jump is enough.
    if (!clockJumpPending) {
        clockJumpPending = true;
        PostMessageA(hwnd, kClockJumped, 0, 0);
    }
    return TRUE;
}

// ---------------------------------------------------- model to window ---

void FormWindow::ControlChanged(Control& c) {
    ControlAdapter* a = AdapterOf(&c);
    if (!a) return;
    const ControlAdapter::Seen now{Visible(c), c.Shown(), c.ToolTip()};
    ControlAdapter::Seen& was = a->seen;
    const bool moved = !SameRect(now.rect, was.rect) || now.shown != was.shown;
    if (moved && HasChildren(c)) {
        Relayout();  // its contents moved or appeared with it
        return;
    }
    if (a->hwnd) {
        a->Update(*this);
        const bool tipChanged = now.tip != was.tip || moved;
        was = now;
        if (tipChanged) RebuildTools();
        return;
    }
    // Children over the place (a frame's border) draw again after it. A
    // control that changed in place (the tick's digit) is one redraw.
    if (was.shown && !(now.shown && !moved))
        RedrawWindow(hwnd, &was.rect, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    if (now.shown) RedrawWindow(hwnd, &now.rect, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    const bool tipChanged = now.tip != was.tip || (moved && !now.tip.empty());
    was = now;
    if (tipChanged) RebuildTools();
}

void FormWindow::CreateDeferredChildren() {
    if (!childrenDeferred) return;
    childrenDeferred = false;
    CreateChildWindows(reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hwnd, GWLP_HINSTANCE)));
    for (auto& a : adapters)
        if (a->hwnd) a->Update(*this);
    RebuildTools();
}

// Everything may have moved: repaint all, place the buttons, renew the tips.
void FormWindow::Relayout() {
    for (auto& a : adapters) a->seen = {Visible(a->model), a->model.Shown(), a->model.ToolTip()};
    for (auto& a : adapters) a->Update(*this);
    RebuildTools();
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void FormWindow::SyncToModel() {
    form->Minimized = IsIconic(hwnd) != 0;
    if (form->Minimized) return;
    RECT r;
    GetWindowRect(hwnd, &r);
    form->SyncGeometry(display.Twips(r.left), display.Twips(r.top), display.Twips(r.right - r.left),
                       display.Twips(r.bottom - r.top));
}

void FormWindow::SyncFromModel() {
    char caption[512];
    GetWindowTextA(hwnd, caption, sizeof caption);
    if (form->Caption() != caption) SetWindowTextA(hwnd, form->Caption().c_str());
    if (!IsIconic(hwnd)) {
        RECT want{Px(form->Left()), Px(form->Top()), Px(form->Left()) + Px(form->Width()),
                  Px(form->Top()) + Px(form->Height())};
        RECT have;
        GetWindowRect(hwnd, &have);
        if (!SameRect(want, have))
            ::SetWindowPos(hwnd, nullptr, want.left, want.top, want.right - want.left,
                           want.bottom - want.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SyncToModel();
    InvalidateRect(hwnd, nullptr, FALSE);  // the background colour may be new too
}

}  // namespace ui::win32
