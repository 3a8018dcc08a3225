// One loaded form and its window. The host's internals, split by concern:
// each group of members below is defined in the file named above it.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ui/Controls.h"
#include "ui/win32/Adapters.h"
#include "ui/win32/Display.h"

namespace ui::win32 {

class Win32Host;
class GdiCache;
struct ModalShow;

// Id of the one system timer that serves all timers on the second of a window.
constexpr UINT_PTR kSecondTimerId = 0x5EC;
// Posted on activation: the form's Activate runs when it arrives, or sooner
// once the host's own show that caused it has returned.
constexpr UINT kActivateSettled = WM_APP + 1;
// Posted when the wall clock jumped (resume, time or zone set): the form
// hears of it and its timers on the second fire, from the message loop
// rather than inside the system's notification.
constexpr UINT kClockJumped = WM_APP + 2;
// Posted when a form that is not a dialog first shows: its child windows
// are made then (FormWindow::CreateDeferredChildren).
constexpr UINT kCreateChildren = WM_APP + 3;
// WM_DPICHANGED, newer than the headers' Windows version.
constexpr UINT kWmDpiChanged = 0x02E0;

COLORREF ToColorRef(Color c);
// Mouse.cpp: the buttons and shift keys of a mouse message, as the toolkit
// reports them.
int ButtonState(WPARAM keys);
int ShiftState(WPARAM keys);

// The client area drawn off screen, kept from paint to paint so that the
// tick's repaint makes no bitmap of its own.
struct BackBuffer {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
    int width = 0, height = 0;
    BackBuffer() = default;
    BackBuffer(const BackBuffer&) = delete;
    BackBuffer& operator=(const BackBuffer&) = delete;
    ~BackBuffer() { Release(); }
    void Release();
    HDC Fit(int w, int h);  // a DC at least w x h; nullptr when out of memory
};

struct FormWindow {
    FormWindow() = default;
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;
    ~FormWindow();

    Win32Host* host = nullptr;
    GdiCache* gdi = nullptr;
    Form* form = nullptr;
    HWND hwnd = nullptr;
    HWND tooltip = nullptr;  // made when first wanted (Tooltips.cpp)
    bool mouseCame = false;  // the form's own mouse has been on it
    Display display;  // what the window's pixels are
    bool dialog = false;
    ModalShow* modal = nullptr;  // while shown modally
    HWND lastFocus = nullptr;
    Pointer pointer = Pointer::Default;
    // Every control's adapter, in keyboard order.
    std::vector<std::unique_ptr<ControlAdapter>> adapters;
    std::map<const Control*, ControlAdapter*> adapterOf;
    BackBuffer back;
    bool capturing = false;
    std::optional<Control*> pressed;  // mouse target while a button is down, as HitTarget
    bool activatePending = false;  // activated; Activate not raised yet
    bool clockJumpPending = false;  // kClockJumped posted, not yet handled
    bool childrenDeferred = false;  // child windows wait for the first show

    // FormWindow.cpp: the window, its procedure and one handler per message.
    // A handler's empty answer lets the system's default run.
    static void RegisterWindowClass(HINSTANCE instance);
    static HWND Create(FormWindow& w, HINSTANCE instance, HWND owner);
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    std::optional<LRESULT> Handle(UINT msg, WPARAM wParam, LPARAM lParam);
    std::optional<LRESULT> OnPaint();
    std::optional<LRESULT> OnPrintClient(HDC dc);
    std::optional<LRESULT> OnWindowPosChanged(const WINDOWPOS& pos);
    std::optional<LRESULT> OnMoveOrSize();
    std::optional<LRESULT> OnActivate(WPARAM wParam, HWND other);
    std::optional<LRESULT> OnDestroy();
    std::optional<LRESULT> OnSetFocus();
    std::optional<LRESULT> OnNextDlgCtl(WPARAM wParam, LPARAM lParam);
    std::optional<LRESULT> OnCommand(int id, int code, HWND control);
    std::optional<LRESULT> OnKeyDown(WPARAM key);
    std::optional<LRESULT> OnSetCursor(HWND under, int hit);
    std::optional<LRESULT> OnTimer(UINT_PTR id);
    std::optional<LRESULT> OnClose();
    std::optional<LRESULT> OnNotify(const NMHDR& n);
    std::optional<LRESULT> OnEndSession(bool ending);
    std::optional<LRESULT> OnPowerBroadcast(WPARAM event);
    std::optional<LRESULT> OnTimeChange();
    std::optional<LRESULT> OnDpiChanged(int dpi, const RECT& suggested);
    // Raises a pending Activate while the window is still the active one.
    // Raising it may unload the form: the caller's last use of this object.
    void RaiseActivate();
    // Model to window and back.
    void ControlChanged(Control& c);
    void Relayout();
    void SyncFromModel();
    void SyncToModel();

    // Geometry.cpp: where the controls lie, in client pixels.
    int Px(int twips) const;
    RECT Box(const Control& c) const;      // model rect
    RECT Clip(const Control& c) const;     // what its containers let through
    RECT Visible(const Control& c) const;  // where its adapter draws, within Clip
    std::vector<Control*> PaintOrder() const;
    bool HasChildren(const Control& c) const;

    // Painter.cpp: the painted controls, through the back buffer.
    void Paint(HDC dc, const RECT& area);

    // Adapters.cpp: each control's adapter; some are child windows.
    void CreateChildren(HINSTANCE instance);
    void CreateChildWindows(HINSTANCE instance);
    void CreateDeferredChildren();
    ControlAdapter* AdapterOf(const Control* c) const;
    ControlAdapter* ChildByWindow(HWND h) const;
    bool TurnPage(bool back);
    std::optional<LRESULT> OnControlColour(HDC dc, HWND control);

    // DialogKeys.cpp: focus, the default button, Enter and Esc.
    void MarkDefault(HWND focused);
    LRESULT DefaultId() const;
    void ClickCancel();
    void ClickDefault();
    void FocusFirst();

    // Tooltips.cpp.
    void CreateTooltip();
    void DestroyTooltip();
    void RebuildTools();
    void RelayToTip(UINT msg, WPARAM wParam, LPARAM lParam);  // the form's own mouse
    void HideTip();

    // SecondTimer.cpp: the form's timers, those on the second sharing one.
    void ArmTimer(Timer& t);
    void ArmTimers();
    void FireSecondTimers();
    // kClockJumped: the form's ClockJumped, then the timers on the second
    // at once, re-aligned to the system clock.
    void ClockJumped();
    void ArmSecondTimer(long long now);  // now: the system clock in ms
    long long secondTimerTarget = 0;     // when it should fire next, system clock ms
    long long secondTimerLead = 0;       // how much sooner than due it is asked for, ms

    // Mouse.cpp. The control that takes the mouse at pt: nullptr for the
    // form, nullopt for none (a control that keeps it from its container).
    std::optional<Control*> HitTarget(POINT pt) const;
    void Mouse(UINT msg, WPARAM wParam, LPARAM lParam);
};

}  // namespace ui::win32
