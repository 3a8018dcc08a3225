/* Reference for the benchmark: the plainest clock a Win32 program can be.
   A 1000 ms SetTimer that reads the local time and repaints on every tick.
   The seconds-units digit is drawn alone in a fixed cell at the window's
   top-left, 16 x 22 px, so the benchmark can watch it the same way it
   watches the clock's digit.
   Usage: minimal_timer.exe [x y]   (screen position, default 40 40) */
#include "plain_window.h"

#define CELL_W 16
#define CELL_H 22

static char timeText[16] = "--:--:--";

static void readTime(void)
{
    SYSTEMTIME st;
    GetLocalTime(&st);
    snprintf(timeText, sizeof timeText, "%02u:%02u:%02u",
             st.wHour, st.wMinute, st.wSecond);
}

static LRESULT CALLBACK wndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_TIMER:
        readTime();
        InvalidateRect(hwnd, NULL, FALSE);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT all, cell = {0, 0, CELL_W, CELL_H}, rest;
        GetClientRect(hwnd, &all);
        FillRect(dc, &all, (HBRUSH)GetStockObject(BLACK_BRUSH));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(0, 255, 0));
        DrawTextA(dc, timeText + 7, 1, &cell, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        rest = all;
        rest.left = CELL_W + 4;
        DrawTextA(dc, timeText, -1, &rest, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_KEYDOWN:
        if (wp == VK_ESCAPE)
            DestroyWindow(hwnd);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

int WINAPI WinMain(HINSTANCE inst, HINSTANCE prev, LPSTR cmd, int show)
{
    (void)prev;
    (void)show;
    readTime();
    HWND hwnd = plainWindow(inst, cmd, "MinimalTimer", wndProc, WS_EX_TOOLWINDOW,
                            WS_POPUP | WS_VISIBLE, 120, CELL_H);
    if (!hwnd)
        return 1;
    SetTimer(hwnd, 1, 1000, NULL);
    return plainLoop();
}
