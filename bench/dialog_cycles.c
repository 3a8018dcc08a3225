/* Opens and closes the running clock's settings dialog N times, as a user
   would from its menu: a right click on the face, "s", then the close box
   (which cancels). Run in the clock's prefix; prints one line:
     cycles N windows W gdi G user U
   W: the clock process's windows, top-level and children, hidden ones too
   (a count of USER objects Wine can answer); G, U: GetGuiResources (0
   under Wine, which does not count them). Private bytes are read by the
   benchmark from /proc.
   Usage: dialog_cycles.exe N */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>

static DWORD clockPid;
static long windows;

static BOOL CALLBACK countChild(HWND h, LPARAM lp)
{
    (void)h;
    (void)lp;
    ++windows;
    return TRUE;
}

static BOOL CALLBACK countTop(HWND h, LPARAM lp)
{
    (void)lp;
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid == clockPid) {
        ++windows;
        EnumChildWindows(h, countChild, 0);
    }
    return TRUE;
}

/* A visible top-level window of the clock's process titled `title`. */
static HWND findShown(const char* title)
{
    HWND h = NULL;
    while ((h = FindWindowExA(NULL, h, NULL, title)) != NULL) {
        DWORD pid = 0;
        GetWindowThreadProcessId(h, &pid);
        if (pid == clockPid && IsWindowVisible(h))
            return h;
    }
    return NULL;
}

/* Waits up to `tries` x 5 ms for a shown window titled `title` to be there
   (present) or gone; returns it, (HWND)1 when gone, NULL on time-out. */
static HWND waitFor(const char* title, int present, int tries)
{
    for (int i = 0; i < tries; ++i) {
        HWND h = findShown(title);
        if ((h != NULL) == present)
            return h ? h : (HWND)1;
        Sleep(5);
    }
    return NULL;
}

static HWND openMenu(HWND clock)
{
    for (int i = 0; i < 2000; ++i) {
        if (i % 100 == 0) {
            PostMessageA(clock, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(20, 20));
            PostMessageA(clock, WM_RBUTTONUP, 0, MAKELPARAM(20, 20));
        }
        HWND m = FindWindowA("#32768", NULL);
        if (m && IsWindowVisible(m))
            return m;
        Sleep(5);
    }
    fprintf(stderr, "dialog_cycles: the clock's menu did not open\n");
    exit(1);
}

int main(int argc, char** argv)
{
    int cycles = argc > 1 ? atoi(argv[1]) : 1;
    HWND clock = FindWindowA(NULL, "Zilvane");
    if (!clock) {
        fprintf(stderr, "dialog_cycles: no clock window\n");
        return 1;
    }
    GetWindowThreadProcessId(clock, &clockPid);
    for (int i = 0; i < cycles; ++i) {
        while (!IsWindowEnabled(clock))
            Sleep(5);
        /* A key that comes before the menu takes keys is lost: again, as
           long as the menu is open, else the menu again. */
        HWND dialog = NULL;
        for (int attempt = 0; !dialog && attempt < 20; ++attempt) {
            HWND menu = openMenu(clock);
            PostMessageA(menu, WM_CHAR, 's', 0);
            dialog = waitFor("Setting", 1, 200);
        }
        if (!dialog) {
            fprintf(stderr, "dialog_cycles: cycle %d: the dialog did not appear\n", i + 1);
            return 1;
        }
        PostMessageA(dialog, WM_CLOSE, 0, 0);
        if (!waitFor("Setting", 0, 2000)) {
            fprintf(stderr, "dialog_cycles: cycle %d: the dialog did not close\n", i + 1);
            return 1;
        }
    }
    Sleep(200); /* what the close left to do is done */
    windows = 0;
    EnumWindows(countTop, 0);
    HANDLE p = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, clockPid);
    DWORD gdi = 0, user = 0;
    if (p) {
        gdi = GetGuiResources(p, GR_GDIOBJECTS);
        user = GetGuiResources(p, GR_USEROBJECTS);
        CloseHandle(p);
    }
    printf("cycles %d windows %ld gdi %lu user %lu\n", cycles, windows, (unsigned long)gdi,
           (unsigned long)user);
    return 0;
}
