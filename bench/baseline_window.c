/* Baseline for start-up: the plainest window program, built by the
   benchmark with the clock's own manifest (common controls 6). It opens a
   borderless window of the large face's size, filled with the face's
   background colour, and draws the time once.
   Usage: baseline_window.exe [x y]   (screen position, default 40 40) */
#include "plain_window.h"

static LRESULT CALLBACK wndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT all;
        GetClientRect(hwnd, &all);
        HBRUSH back = CreateSolidBrush(RGB(192, 0, 0));
        FillRect(dc, &all, back);
        DeleteObject(back);
        SYSTEMTIME st;
        GetLocalTime(&st);
        char text[16];
        snprintf(text, sizeof text, "%02u:%02u:%02u", st.wHour, st.wMinute, st.wSecond);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(0, 255, 0));
        DrawTextA(dc, text, -1, &all, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

int WINAPI WinMain(HINSTANCE inst, HINSTANCE prev, LPSTR cmd, int show)
{
    (void)prev;
    /* The large face's size: 2900 x 770 twips at 96 dpi. */
    HWND hwnd = plainWindow(inst, cmd, "BaselineWindow", wndProc, WS_EX_APPWINDOW, WS_POPUP,
                            193, 51);
    if (!hwnd)
        return 1;
    ShowWindow(hwnd, show);
    UpdateWindow(hwnd);
    return plainLoop();
}
