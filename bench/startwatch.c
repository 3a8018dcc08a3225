/* startwatch: start a program and time, from outside, the steps to its
   first frame on the X display:
     created  the first top-level X window appears (the program has run its
              start-up code up to its first CreateWindow)
     shown    a window of at least MIN_W x MIN_H px is mapped (load done)
     painted  that window's pixel at (2, 2) shows the colour R,G,B (the first
              frame has reached the screen)
   Times are milliseconds from just before the fork. The program is killed
   once painted (or on time-out).

   usage: startwatch TIMEOUT_S R,G,B MIN_W MIN_H -- COMMAND [ARGS...]
   prints: created_ms shown_ms painted_ms   (exit 1 on time-out) */
#define _POSIX_C_SOURCE 200809L
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double now(void)
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec + ts.tv_nsec / 1e9;
}

static int ignoreErrors(Display *d, XErrorEvent *e)
{
    (void)d;
    (void)e;
    return 0; /* a window may go before we read it */
}

/* The pixel at (2, 2) of a window as 0xRRGGBB, or -1. */
static long pixelOf(Display *dpy, Window w)
{
    XImage *img = XGetImage(dpy, w, 2, 2, 1, 1, AllPlanes, ZPixmap);
    if (!img)
        return -1;
    long p = (long)(XGetPixel(img, 0, 0) & 0xFFFFFF);
    XDestroyImage(img);
    return p;
}

int main(int argc, char **argv)
{
    int r, g, b;
    if (argc < 7 || strcmp(argv[5], "--") != 0 || sscanf(argv[2], "%d,%d,%d", &r, &g, &b) != 3) {
        fprintf(stderr, "usage: %s TIMEOUT_S R,G,B MIN_W MIN_H -- COMMAND [ARGS...]\n", argv[0]);
        return 2;
    }
    const double timeout = atof(argv[1]);
    const long want = ((long)r << 16) | ((long)g << 8) | b;
    const int minW = atoi(argv[3]), minH = atoi(argv[4]);

    Display *dpy = XOpenDisplay(NULL);
    if (!dpy) {
        fprintf(stderr, "cannot open display\n");
        return 2;
    }
    XSetErrorHandler(ignoreErrors);
    Window root = DefaultRootWindow(dpy);
    XSelectInput(dpy, root, SubstructureNotifyMask);
    XSync(dpy, False);

    const double t0 = now();
    pid_t child = fork();
    if (child < 0)
        return 2;
    if (child == 0) {
        execvp(argv[6], argv + 6);
        _exit(127);
    }

    double created = -1, shown = -1, painted = -1;
    Window face = 0;
    struct pollfd pfd = {ConnectionNumber(dpy), POLLIN, 0};
    while (painted < 0 && now() - t0 < timeout) {
        while (XPending(dpy)) {
            XEvent ev;
            XNextEvent(dpy, &ev);
            if (ev.type == CreateNotify && created < 0) {
                created = now();
            } else if (ev.type == MapNotify && !face) {
                XWindowAttributes a;
                if (XGetWindowAttributes(dpy, ev.xmap.window, &a) && a.width >= minW &&
                    a.height >= minH) {
                    face = ev.xmap.window;
                    shown = now();
                }
            }
        }
        if (face) {
            if (pixelOf(dpy, face) == want) {
                painted = now();
                break;
            }
            struct timespec pause = {0, 200000};
            nanosleep(&pause, NULL);
        } else {
            poll(&pfd, 1, 5);
        }
    }

    kill(child, SIGKILL);
    waitpid(child, NULL, 0);
    XCloseDisplay(dpy);
    if (painted < 0) {
        fprintf(stderr, "startwatch: no frame within %.0f s (created %s, shown %s)\n", timeout,
                created < 0 ? "no" : "yes", shown < 0 ? "no" : "yes");
        return 1;
    }
    if (created < 0)
        created = shown; /* its window existed before the watch began */
    printf("%.1f %.1f %.1f\n", (created - t0) * 1000, (shown - t0) * 1000,
           (painted - t0) * 1000);
    return 0;
}
