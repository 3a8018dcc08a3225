/* What the benchmark's plain Win32 programs share: their window made from
   the command line's "x y" (default 40 40) and the message loop. */
#ifndef PLAIN_WINDOW_H
#define PLAIN_WINDOW_H

#include <windows.h>
#include <stdio.h>

static HWND plainWindow(HINSTANCE inst, LPCSTR cmd, const char* name, WNDPROC proc,
                        DWORD exStyle, DWORD style, int width, int height)
{
    int x = 40, y = 40;
    if (cmd && *cmd)
        sscanf(cmd, "%d %d", &x, &y);
    WNDCLASSA wc = {0};
    wc.lpfnWndProc = proc;
    wc.hInstance = inst;
    wc.hCursor = LoadCursor(NULL, IDC_ARROW);
    wc.lpszClassName = name;
    RegisterClassA(&wc);
    return CreateWindowExA(exStyle, name, name, style, x, y, width, height, NULL, NULL, inst,
                           NULL);
}

static int plainLoop(void)
{
    MSG m;
    while (GetMessageA(&m, NULL, 0, 0) > 0) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
    return 0;
}

#endif
