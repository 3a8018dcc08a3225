// The form's timers. A free-running timer drifts against the wall clock;
// timers on the second are re-armed each tick for just after the next second
// boundary instead, and share one system timer per window.
#include <algorithm>

#include "ui/win32/FormWindow.h"
#include "ui/win32/Win32Host.h"

namespace ui::win32 {

namespace {

// An aligned timer fires this long after the second boundary, so that the
// clock has surely turned when the handler reads it.
constexpr unsigned kSecondSlackMs = 1;
// A wake-up this close before a boundary came early (the system clock was
// set, or stepped): the second has not turned yet.
constexpr unsigned kEarlyMs = 10;

unsigned MillisecondOfSecond() {
    FILETIME ft;
    GetSystemTimeAsFileTime(&ft);
    const ULONGLONG t = (static_cast<ULONGLONG>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    return static_cast<unsigned>((t / 10000) % 1000);
}

// Milliseconds from now to a little after the next second of the system clock.
unsigned DelayToNextSecond(unsigned ms) { return 1000 - ms + kSecondSlackMs; }

}  // namespace

// The system timer repeats at the delay it was last set to. On time, that is
// 1000 ms and it is left to run: setting it again costs a call into the
// window system every second. Off by a millisecond, it is set again.
void FormWindow::ArmSecondTimer(unsigned delay) {
    if (delay == secondTimerDelay) return;
    SetTimer(hwnd, kSecondTimerId, delay, nullptr);
    secondTimerDelay = delay;
}

void FormWindow::StopSecondTimer() {
    KillTimer(hwnd, kSecondTimerId);
    secondTimerDelay = 0;
}

void FormWindow::ArmTimer(Timer& t) {
    if (t.AlignToSecond) {
        const auto& timers = form->Timers();
        const bool any = std::any_of(timers.begin(), timers.end(),
                                     [](Timer* x) { return x->AlignToSecond && x->Running(); });
        if (any) {
            // Armed afresh: the countdown starts now, whatever it was.
            secondTimerDelay = 0;
            ArmSecondTimer(DelayToNextSecond(MillisecondOfSecond()));
        } else {
            StopSecondTimer();
        }
        return;
    }
    const auto& timers = form->Timers();
    auto it = std::find(timers.begin(), timers.end(), &t);
    if (it == timers.end()) return;
    const UINT_PTR id = static_cast<UINT_PTR>(it - timers.begin()) + 1;
    if (!t.Running()) {
        KillTimer(hwnd, id);
        return;
    }
    SetTimer(hwnd, id, static_cast<UINT>(t.Interval()), nullptr);
}

void FormWindow::ArmTimers() {
    for (Timer* t : form->Timers()) ArmTimer(*t);
}

// Fires the timers on the second in their order. Each may unload the form,
// and with it this object: check the window before every next one.
void FormWindow::FireSecondTimers() {
    std::vector<Timer*> due;
    for (Timer* t : form->Timers())
        if (t->AlignToSecond && t->Running()) due.push_back(t);
    if (due.empty()) {
        StopSecondTimer();
        return;
    }
    const unsigned ms = MillisecondOfSecond();
    if (ms >= 1000 - kEarlyMs) {
        ArmSecondTimer(DelayToNextSecond(ms));
        return;
    }
    // Re-armed first: a tick may sit in a modal loop, and the next second
    // must come all the same.
    ArmSecondTimer(DelayToNextSecond(ms));
    Win32Host* h = host;
    const HWND self = hwnd;
    for (Timer* t : due) {
        if (!h->Find(self)) return;
        if (t->Running()) t->Fire();
    }
}

// WM_TIMER: the shared timer on the second, or timer n at id n + 1.
std::optional<LRESULT> FormWindow::OnTimer(UINT_PTR id) {
    if (id == kSecondTimerId) {
        FireSecondTimers();
        return 0;
    }
    const auto& timers = form->Timers();
    if (id < 1 || id > timers.size()) return std::nullopt;
    Timer& t = *timers[id - 1];
    if (!t.Running()) {
        KillTimer(hwnd, id);
        return 0;
    }
    t.Fire();
    return 0;
}

}  // namespace ui::win32
