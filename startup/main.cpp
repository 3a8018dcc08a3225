// Entry point: the services, the host, start-up, then the clock window and
// the message loop until it closes.
#include <windows.h>

#include "clock/AnaForm.h"
#include "platform/win32/Win32Platform.h"
#include "startup/GirisModulu.h"
#include "startup/Program.h"
#include "ui/win32/Win32Host.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int) {
    platform::Win32Platform platform;
    ui::win32::Win32Host host(hInstance);
    Program program{platform, &host, {}};
    if (!GirişModülü::Main(program)) return 0;

    AnaForm anaForm(program);
    anaForm.SetHost(&host);
    host.SetMainForm(anaForm);
    anaForm.Form_Load();  // loads its window, ends with it shown
    return host.Run();
}
