// hour: the clock on the real Win32 host and platform for one simulated
// hour: 3600 ticks of its two timers on the second, against a clock moved on
// a second per tick, with the settings dialog opened from its menu ("s" in
// the clock's popup menu) and closed by its close box (which cancels) 200
// times along the way, every 18th tick. After the first cycle and after the last it prints what the
// process holds:
//   after N windows W gdi G gdiprobe P user U private B
// W: the thread's windows, top-level and children; G, U: GetGuiResources
// (0 under Wine); P: the GDI objects alive, counted by asking each handle
// slot's type (Wine accepts a bare slot number as a handle); B: private
// bytes. The benchmark runs it in the clock's prefix (bench/bench.sh).
//
// usage: hour.exe [CYCLES]   (default 200)
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>

#include "clock/AnaForm.h"
#include "platform/win32/Win32Platform.h"
#include "startup/GirisModulu.h"
#include "startup/Program.h"
#include "ui/win32/Win32Host.h"

namespace {

// The real platform, but its clock starts now and moves a second a tick.
struct HourPlatform : platform::Win32Platform {
    ULONGLONG start = 0;  // local time, 100 ns
    long seconds = 0;
    HourPlatform() {
        SYSTEMTIME st;
        GetLocalTime(&st);
        FILETIME ft;
        SystemTimeToFileTime(&st, &ft);
        start = (static_cast<ULONGLONG>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    }
    platform::DateTime Now() override {
        const ULONGLONG t = start + static_cast<ULONGLONG>(seconds) * 10000000ULL;
        const FILETIME ft{static_cast<DWORD>(t), static_cast<DWORD>(t >> 32)};
        SYSTEMTIME st;
        FileTimeToSystemTime(&ft, &st);
        return platform::FromSystemTime(st);
    }
};

long windows = 0;
BOOL CALLBACK CountChild(HWND, LPARAM) {
    ++windows;
    return TRUE;
}
BOOL CALLBACK CountTop(HWND h, LPARAM) {
    ++windows;
    EnumChildWindows(h, &CountChild, 0);
    return TRUE;
}

int GdiProbe() {
    int n = 0;
    for (ULONG_PTR slot = 1; slot < 0x10000; ++slot)
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(slot))) ++n;
    return n;
}

// Private bytes: Windows counts them; Wine answers 0, but its process is the
// Linux process, whose own count is on the Z: drive.
unsigned long long PrivateBytes() {
    PROCESS_MEMORY_COUNTERS_EX pm{};
    pm.cb = sizeof pm;
    if (GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&pm),
                             sizeof pm) &&
        pm.PrivateUsage)
        return pm.PrivateUsage;
    unsigned long long kib = 0;
    if (std::FILE* f = std::fopen("Z:\\proc\\self\\smaps_rollup", "r")) {
        char line[256];
        unsigned long long n = 0;
        while (std::fgets(line, sizeof line, f))
            if (std::sscanf(line, "Private_Clean: %llu", &n) == 1 ||
                std::sscanf(line, "Private_Dirty: %llu", &n) == 1)
                kib += n;
        std::fclose(f);
    }
    return kib * 1024;
}

void Report(int cycles) {
    windows = 0;
    EnumThreadWindows(GetCurrentThreadId(), &CountTop, 0);
    std::printf("after %d windows %ld gdi %lu gdiprobe %d user %lu private %llu\n", cycles, windows,
                GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), GdiProbe(),
                GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), PrivateBytes());
    std::fflush(stdout);
}

// Runs inside the menu's loop and then the dialog's: "s" once the menu is
// there, the close box once the dialog is.
void CALLBACK ChooseAndClose(HWND, UINT, UINT_PTR id, DWORD) {
    static bool chosen = false;
    if (HWND m = FindWindowA("#32768", nullptr); !chosen && m && IsWindowVisible(m)) {
        chosen = true;
        PostMessageA(m, WM_CHAR, 's', 0);
    } else if (HWND d = FindWindowA(nullptr, "Setting"); d && IsWindowVisible(d)) {
        KillTimer(nullptr, id);
        chosen = false;
        PostMessageA(d, WM_CLOSE, 0, 0);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const int cycles = argc > 1 ? std::atoi(argv[1]) : 200;
    if (cycles < 2) return 2;
    HourPlatform platform;
    ui::win32::Win32Host host(GetModuleHandleA(nullptr));
    Program program{platform, &host, {}};
    host.DisplayChanged = [&platform] { platform.ForgetScreen(); };
    if (!GirişModülü::Main(program)) {
        std::fprintf(stderr, "hour: another clock runs in this prefix\n");
        return 1;
    }
    AnaForm form(program);
    form.SetHost(&host);
    host.SetMainForm(form);
    form.Form_Load();
    form.Saat.SetEnabled(false);  // the simulated hour ticks instead
    form.Sınırla.SetEnabled(false);
    host.DoEvents();

    const long ticks = 3600, every = ticks / cycles;
    int done = 0;
    for (long i = 1; i <= ticks; ++i) {
        ++platform.seconds;
        form.Saat_Timer();
        form.Sınırla_Timer();
        host.DoEvents();
        if (i % every == 0 && done < cycles) {
            SetTimer(nullptr, 0, 10, &ChooseAndClose);
            host.PopupMenu(form, form.AnaMenü, &form.AyarlarMenüsü);  // as a right click does
            host.DoEvents();
            if (++done == 1) Report(1);
        }
    }
    Report(done);
    return 0;
}
