/* For the end-to-end tests: prints the extended window style (GWL_EXSTYLE)
   of a top-level window as 0x%08lx.

     exstyle.exe [CAPTION ...]     (default: "Zilvane")

   The window is the first found with one of the captions; a window whose
   title alternates (the ringing alarm window) is found under either of its
   two. Exit status 1 when there is none. */
#include <windows.h>
#include <stdio.h>

int main(int argc, char** argv) {
    const char* fallback[] = {"Zilvane"};
    const char** captions = argc > 1 ? (const char**)argv + 1 : fallback;
    const int count = argc > 1 ? argc - 1 : 1;
    for (int round = 0; round < 20; ++round) {
        for (int i = 0; i < count; ++i) {
            HWND h = FindWindowA(NULL, captions[i]);
            if (h) {
                printf("0x%08lx\n", (unsigned long)GetWindowLongA(h, GWL_EXSTYLE));
                return 0;
            }
        }
        Sleep(10);
    }
    fprintf(stderr, "no window captioned \"%s\"\n", captions[0]);
    return 1;
}
