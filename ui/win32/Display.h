// What one window's pixels are: the DPI of the monitor it is on, that
// monitor's rectangle and work area, and twips <-> pixels at that DPI.
#pragma once

#include <windows.h>

#include "platform/win32/Dpi.h"

namespace ui::win32 {

struct Display {
    int dpi = 96;
    RECT monitor{};
    RECT work{};

    int Px(int twips) const { return MulDiv(twips, dpi, 1440); }
    int Twips(int pixels) const { return MulDiv(pixels, 1440, dpi); }

    // The display of a window, or of the monitor a window would have at r.
    static Display OfWindow(HWND window) {
        return Of(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST),
                  platform::win32::WindowDpi(window));
    }
    static Display At(const RECT& r) {
        HMONITOR m = MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST);
        return Of(m, platform::win32::MonitorDpi(m));
    }

private:
    static Display Of(HMONITOR m, int dpi) {
        Display d;
        d.dpi = dpi > 0 ? dpi : 96;
        MONITORINFO info{};
        info.cbSize = sizeof info;
        if (m && GetMonitorInfoA(m, &info)) {
            d.monitor = info.rcMonitor;
            d.work = info.rcWork;
        }
        return d;
    }
};

}  // namespace ui::win32
