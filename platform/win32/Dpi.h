// The DPI of monitors and windows. The calls that answer per monitor are
// newer than the oldest Windows the program runs on: they are looked up at
// run time, and the system DPI answers where they are missing.
#pragma once

#include <windows.h>

namespace platform::win32 {

int SystemDpi();
int MonitorDpi(HMONITOR monitor);
int WindowDpi(HWND window);  // the DPI of the monitor it is on
// AdjustWindowRectEx with the frame a window has at dpi.
void AdjustWindowRectForDpi(RECT& r, DWORD style, DWORD exStyle, int dpi);

}  // namespace platform::win32
