/* Stands for the rest of a user's session during the start-up runs: while
   it lives, Wine keeps the prefix's desktop process and services running,
   as Windows does between one program and the next. Asking for the desktop
   window starts the desktop process. */
#include <windows.h>

int WINAPI WinMain(HINSTANCE inst, HINSTANCE prev, LPSTR cmd, int show)
{
    (void)inst;
    (void)prev;
    (void)cmd;
    (void)show;
    GetDesktopWindow();
    Sleep(INFINITE);
    return 0;
}
