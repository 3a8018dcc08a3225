/* digitwatch: watch small screen regions that each show a clock's
   seconds-units digit and report how each one follows the system clock.

   usage: digitwatch SECONDS EVENTS_PREFIX LABEL:X,Y,W,H [LABEL:X,Y,W,H ...]

   Every ~1 ms the regions are read from the root window with XGetImage and
   hashed. A new hash that holds for 3 samples in a row is a change of the
   digit, stamped with the system clock (CLOCK_REALTIME) of its first sample.

   Which digit an image shows is learnt from the run itself: each image is
   given the digit (second mod 10) under which it most often appears. With that
   every change has a lag (time since the system-clock boundary of the second
   it shows), and consecutive changes tell seconds that were never shown
   (skipped) or a digit that stayed on screen across a boundary (held). */
#define _POSIX_C_SOURCE 200809L
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <math.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

#define MAX_REGIONS 4
#define MAX_EVENTS 20000
#define MAX_IMAGES 64
#define STABLE_SAMPLES 3

typedef struct {
    double t;
    uint64_t hash;
} Event;

typedef struct {
    char label[32];
    int x, y, w, h;
    uint64_t shown;      /* hash currently accepted as on screen */
    uint64_t candidate;  /* hash seen lately, not yet stable */
    int candidateCount;
    double candidateT;
    Event *events;
    int nEvents;
} Watch;

static double now(void)
{
    struct timespec ts;
    clock_gettime(CLOCK_REALTIME, &ts);
    return ts.tv_sec + ts.tv_nsec / 1e9;
}

static uint64_t hashImage(XImage *img)
{
    uint64_t h = 1469598103934665603ULL;
    for (int y = 0; y < img->height; y++)
        for (int x = 0; x < img->width; x++) {
            unsigned long p = XGetPixel(img, x, y) & 0xFFFFFF;
            for (int k = 0; k < 3; k++) {
                h ^= (p >> (8 * k)) & 0xFF;
                h *= 1099511628211ULL;
            }
        }
    return h;
}

static int cmpDouble(const void *a, const void *b)
{
    double x = *(const double *)a, y = *(const double *)b;
    return (x > y) - (x < y);
}

static double percentile(double *v, int n, double p)
{
    if (n == 0)
        return NAN;
    double pos = p * (n - 1);
    int i = (int)pos;
    double f = pos - i;
    return i + 1 < n ? v[i] * (1 - f) + v[i + 1] * f : v[i];
}

static void analyse(Watch *r, const char *eventsPrefix)
{
    /* Learn the digit of each distinct image by majority of (second mod 10). */
    uint64_t hashes[MAX_IMAGES];
    int votes[MAX_IMAGES][10];
    int nImages = 0;
    memset(votes, 0, sizeof votes);
    for (int i = 0; i < r->nEvents; i++) {
        int k;
        for (k = 0; k < nImages && hashes[k] != r->events[i].hash; k++)
            ;
        if (k == nImages) {
            if (nImages == MAX_IMAGES)
                continue;
            hashes[nImages++] = r->events[i].hash;
        }
        votes[k][(long long)floor(r->events[i].t) % 10]++;
    }
    int digitOf[MAX_IMAGES];
    for (int k = 0; k < nImages; k++) {
        int best = 0;
        for (int d = 1; d < 10; d++)
            if (votes[k][d] > votes[k][best])
                best = d;
        digitOf[k] = best;
    }

    char path[512];
    snprintf(path, sizeof path, "%s-%s.txt", eventsPrefix, r->label);
    FILE *log = fopen(path, "w");

    double *lags = malloc(sizeof(double) * (r->nEvents + 1));
    int nLags = 0, skipped = 0, held = 0, unknown = 0;
    int prevDigit = -1;
    double prevT = 0;
    for (int i = 0; i < r->nEvents; i++) {
        int k;
        for (k = 0; k < nImages && hashes[k] != r->events[i].hash; k++)
            ;
        int d = k < nImages ? digitOf[k] : -1;
        double t = r->events[i].t;
        double lag = NAN;
        if (d >= 0) {
            long long s = (long long)floor(t);
            long long boundary = s - (((s - d) % 10) + 10) % 10;
            lag = t - (double)boundary;
        }
        if (log)
            fprintf(log, "%.6f %016llx digit=%d lag_ms=%.1f\n", t,
                    (unsigned long long)r->events[i].hash, d, lag * 1000);
        /* The first change is where sampling began, not a tick. */
        if (i > 0 && d >= 0 && prevDigit >= 0) {
            lags[nLags++] = lag;
            int step = ((d - prevDigit) % 10 + 10) % 10;
            if (step > 1)
                skipped += step - 1;
            if (t - prevT > 1.5)
                held++;
        } else if (i > 0) {
            unknown++;
        }
        prevDigit = d;
        prevT = t;
    }
    if (log)
        fclose(log);

    qsort(lags, nLags, sizeof(double), cmpDouble);
    printf("%s: %d digit changes, %d distinct images\n", r->label, r->nEvents, nImages);
    if (nLags > 0)
        printf("%s:   lag after the second boundary: median %.1f ms, p99 %.1f ms, max %.1f ms\n",
               r->label, percentile(lags, nLags, 0.5) * 1000,
               percentile(lags, nLags, 0.99) * 1000, lags[nLags - 1] * 1000);
    printf("%s:   seconds skipped: %d, shown twice (held over a boundary): %d%s\n", r->label,
           skipped, held, unknown ? " (some changes not decoded)" : "");
    printf("RESULT %s changes=%d median_ms=%.1f p99_ms=%.1f max_ms=%.1f skipped=%d held=%d\n",
           r->label, r->nEvents, nLags ? percentile(lags, nLags, 0.5) * 1000 : NAN,
           nLags ? percentile(lags, nLags, 0.99) * 1000 : NAN,
           nLags ? lags[nLags - 1] * 1000 : NAN, skipped, held);
    free(lags);
}

int main(int argc, char **argv)
{
    if (argc < 4) {
        fprintf(stderr, "usage: %s SECONDS EVENTS_PREFIX LABEL:X,Y,W,H ...\n", argv[0]);
        return 2;
    }
    double seconds = atof(argv[1]);
    const char *eventsPrefix = argv[2];
    Watch regions[MAX_REGIONS];
    int n = 0;
    for (int i = 3; i < argc && n < MAX_REGIONS; i++) {
        Watch *r = &regions[n];
        memset(r, 0, sizeof *r);
        if (sscanf(argv[i], "%31[^:]:%d,%d,%d,%d", r->label, &r->x, &r->y, &r->w, &r->h) != 5) {
            fprintf(stderr, "bad region %s\n", argv[i]);
            return 2;
        }
        r->events = calloc(MAX_EVENTS, sizeof(Event));
        n++;
    }

    Display *dpy = XOpenDisplay(NULL);
    if (!dpy) {
        fprintf(stderr, "cannot open display\n");
        return 1;
    }
    Window root = DefaultRootWindow(dpy);

    double start = now(), end = start + seconds;
    long samples = 0;
    struct timespec period = {0, 1000000};
    while (now() < end) {
        for (int i = 0; i < n; i++) {
            Watch *r = &regions[i];
            double t = now();
            XImage *img = XGetImage(dpy, root, r->x, r->y, r->w, r->h, AllPlanes, ZPixmap);
            if (!img)
                continue;
            uint64_t h = hashImage(img);
            XDestroyImage(img);
            if (h == r->shown) {
                r->candidateCount = 0;
                continue;
            }
            if (h != r->candidate || r->candidateCount == 0) {
                r->candidate = h;
                r->candidateCount = 1;
                r->candidateT = t;
            } else if (++r->candidateCount >= STABLE_SAMPLES) {
                r->shown = h;
                r->candidateCount = 0;
                if (r->nEvents < MAX_EVENTS)
                    r->events[r->nEvents++] = (Event){r->candidateT, h};
            }
        }
        samples++;
        nanosleep(&period, NULL);
    }
    double elapsed = now() - start;
    printf("sampled %ld times in %.1f s (%.2f ms period)\n", samples, elapsed,
           elapsed * 1000 / samples);
    for (int i = 0; i < n; i++)
        analyse(&regions[i], eventsPrefix);
    XCloseDisplay(dpy);
    return 0;
}
