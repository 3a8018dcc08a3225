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
constexpr long long kSecondSlackMs = 1;
// The system timer keeps time apart from the system clock, and the clock
// may be slewed against it: a timer that keeps coming late is asked for
// that much sooner (up to this), one that comes late by a stall is not.
constexpr long long kMaxLeadMs = 20;

// The system clock, in milliseconds.
long long NowMs() {
    FILETIME ft;
    GetSystemTimeAsFileTime(&ft);
    const ULONGLONG t = (static_cast<ULONGLONG>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    return static_cast<long long>(t / 10000);
}

}  // namespace

// Sets the shared timer for just after the next second boundary, counted
// from now. (Left to repeat at 1000 ms, it was seen to slip by several
// milliseconds against the clock.)
void FormWindow::ArmSecondTimer(long long now) {
    secondTimerTarget = (now / 1000 + 1) * 1000 + kSecondSlackMs;
    const long long delay = std::max(1LL, secondTimerTarget - now - secondTimerLead);
    SetTimer(hwnd, kSecondTimerId, static_cast<UINT>(delay), nullptr);
}

void FormWindow::ArmTimer(Timer& t) {
    if (t.AlignToSecond) {
        const auto& timers = form->Timers();
        const bool any = std::any_of(timers.begin(), timers.end(),
                                     [](Timer* x) { return x->AlignToSecond && x->Running(); });
        if (any)
            ArmSecondTimer(NowMs());
        else
            KillTimer(hwnd, kSecondTimerId);
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
        KillTimer(hwnd, kSecondTimerId);
        return;
    }
    const long long now = NowMs();
    const long long late = now - secondTimerTarget;
    const long long early = -late - kSecondSlackMs;  // > 0: before the boundary
    if (early > 0 && early <= kMaxLeadMs) {
        // The second has not turned: wait for it, and ask less soon from now
        // on. (Far earlier, the clock was set back: that tick shows it.)
        secondTimerLead = std::max(0LL, secondTimerLead - early);
        SetTimer(hwnd, kSecondTimerId, static_cast<UINT>(secondTimerTarget - now), nullptr);
        return;
    }
    if (late >= 2 && late < kMaxLeadMs)
        secondTimerLead = std::min(kMaxLeadMs, secondTimerLead + late - 1);
    // Re-armed first: a tick may sit in a modal loop, and the next second
    // must come all the same.
    ArmSecondTimer(now);
    Win32Host* h = host;
    const HWND self = hwnd;
    for (Timer* t : due) {
        if (!h->Find(self)) return;
        if (t->Running()) t->Fire();
    }
}

void FormWindow::ClockJumped() {
    clockJumpPending = false;
    Win32Host* h = host;
    const HWND self = hwnd;
    if (form->ClockJumped) form->ClockJumped();
    if (!h->Find(self)) return;
    // The aim was on the old time: now is due, neither early nor late.
    secondTimerTarget = NowMs();
    secondTimerLead = 0;
    FireSecondTimers();  // re-arms for the next second of the new time first
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
