#include "platform/win32/Dpi.h"

namespace platform::win32 {

namespace {

template <typename Proc>
Proc Lookup(const char* dll, const char* name) {
    HMODULE module = GetModuleHandleA(dll);
    if (!module) module = LoadLibraryA(dll);
    if (!module) return nullptr;
    // Through void(*)() so that GCC accepts the change of signature.
    return reinterpret_cast<Proc>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

using GetDpiForMonitorProc = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
using GetDpiForWindowProc = UINT(WINAPI*)(HWND);
using AdjustForDpiProc = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);

}  // namespace

int SystemDpi() {
    static const int dpi = [] {
        HDC screen = GetDC(nullptr);
        const int d = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
        if (screen) ReleaseDC(nullptr, screen);
        return d > 0 ? d : 96;
    }();
    return dpi;
}

int MonitorDpi(HMONITOR monitor) {
    static const auto forMonitor = Lookup<GetDpiForMonitorProc>("shcore.dll", "GetDpiForMonitor");
    UINT x = 0, y = 0;
    // MDT_EFFECTIVE_DPI = 0
    if (monitor && forMonitor && SUCCEEDED(forMonitor(monitor, 0, &x, &y)) && x > 0)
        return static_cast<int>(x);
    return SystemDpi();
}

int WindowDpi(HWND window) {
    static const auto forWindow = Lookup<GetDpiForWindowProc>("user32.dll", "GetDpiForWindow");
    if (window && forWindow)
        if (const UINT dpi = forWindow(window)) return static_cast<int>(dpi);
    return MonitorDpi(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
}

void AdjustWindowRectForDpi(RECT& r, DWORD style, DWORD exStyle, int dpi) {
    static const auto forDpi =
        Lookup<AdjustForDpiProc>("user32.dll", "AdjustWindowRectExForDpi");
    if (forDpi && forDpi(&r, style, FALSE, exStyle, static_cast<UINT>(dpi))) return;
    AdjustWindowRectEx(&r, style, FALSE, exStyle);
}

}  // namespace platform::win32
