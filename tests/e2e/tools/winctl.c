/* Reads the real windows of a running program for the end-to-end tests, so
   that a test can aim real mouse input and check what a user sees.
     winctl.exe rect CAPTION [TEXT]   screen rectangle "x y w h" of the client
                                      area, or of the child whose text is TEXT
     winctl.exe state CAPTION TEXT    "enabled checked" of the child, 1 or 0 each
     winctl.exe focus CAPTION         text of the child that has the focus
     winctl.exe enabled CAPTION       1 or 0: whether the window takes input
     winctl.exe move CAPTION X Y      moves the window's top left to (X, Y)
     winctl.exe monitors              "left top right bottom" of each monitor
   Exit status 1 when the window or the child is not there. */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static const char* wanted;
static HWND found;

static BOOL CALLBACK Match(HWND child, LPARAM unused) {
    char text[256];
    (void)unused;
    GetWindowTextA(child, text, sizeof text);
    if (strcmp(text, wanted) == 0 && IsWindowVisible(child)) {
        found = child;
        return FALSE;
    }
    return TRUE;
}

static HWND Child(HWND top, const char* text) {
    wanted = text;
    found = NULL;
    EnumChildWindows(top, Match, 0);
    return found;
}

static BOOL CALLBACK PrintMonitor(HMONITOR monitor, HDC dc, LPRECT r, LPARAM unused) {
    (void)monitor, (void)dc, (void)unused;
    printf("%ld %ld %ld %ld\n", r->left, r->top, r->right, r->bottom);
    return TRUE;
}

int main(int argc, char** argv) {
    HWND top, target;
    RECT r;
    POINT origin = {0, 0};
    if (argc == 2 && strcmp(argv[1], "monitors") == 0)
        return EnumDisplayMonitors(NULL, NULL, PrintMonitor, 0) ? 0 : 1;
    if (argc < 3) {
        fprintf(stderr, "usage: winctl rect|state|focus CAPTION [TEXT]\n");
        return 2;
    }
    top = FindWindowA(NULL, argv[2]);
    if (!top) {
        fprintf(stderr, "no window captioned \"%s\"\n", argv[2]);
        return 1;
    }
    if (strcmp(argv[1], "enabled") == 0) {
        printf("%d\n", IsWindowEnabled(top) ? 1 : 0);
        return 0;
    }
    if (strcmp(argv[1], "move") == 0 && argc == 5)
        return SetWindowPos(top, NULL, atoi(argv[3]), atoi(argv[4]), 0, 0,
                            SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE) ? 0 : 1;
    if (strcmp(argv[1], "focus") == 0) {
        GUITHREADINFO gti;
        char text[256] = "";
        memset(&gti, 0, sizeof gti);
        gti.cbSize = sizeof gti;
        if (!GetGUIThreadInfo(GetWindowThreadProcessId(top, NULL), &gti) || !gti.hwndFocus)
            return 1;
        GetWindowTextA(gti.hwndFocus, text, sizeof text);
        printf("%s\n", text);
        return 0;
    }
    target = argc > 3 ? Child(top, argv[3]) : top;
    if (!target) {
        fprintf(stderr, "no child \"%s\" in \"%s\"\n", argv[3], argv[2]);
        return 1;
    }
    if (strcmp(argv[1], "rect") == 0) {
        GetClientRect(target, &r);
        ClientToScreen(target, &origin);
        printf("%ld %ld %ld %ld\n", origin.x, origin.y, r.right, r.bottom);
        return 0;
    }
    printf("%d %d\n", IsWindowEnabled(target) ? 1 : 0,
           (int)SendMessageA(target, BM_GETCHECK, 0, 0));
    return 0;
}
