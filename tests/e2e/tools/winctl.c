/* Reads the real windows of a running program for the end-to-end tests, so
   that a test can aim real mouse input and check what a user sees.
     winctl.exe rect CAPTION [TEXT]   screen rectangle "x y w h" of the client
                                      area, or of the child whose text is TEXT
     winctl.exe state CAPTION TEXT    "enabled checked" of the child, 1 or 0 each
     winctl.exe focus CAPTION         text of the child that has the focus
     winctl.exe enabled CAPTION       1 or 0: whether the window takes input
   Exit status 1 when the window or the child is not there. */
#include <windows.h>
#include <stdio.h>
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

int main(int argc, char** argv) {
    HWND top, target;
    RECT r;
    POINT origin = {0, 0};
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
