/* Counts the buffer swaps of an X window from outside: each swap of a GL window on Xvfb
 * arrives as one raw-rectangle damage event.
 *   swapcount count WINDOW-ID SECONDS   prints "<swaps> <seconds>" for the busiest of the
 *                                       window and its descendants (Wine may draw GL into
 *                                       a child window)
 *   swapcount first TITLE SECONDS       waits for a top-level window of that name, prints
 *                                       "<appeared> <first damage> <second damage>" as
 *                                       CLOCK_MONOTONIC seconds */
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/select.h>
#include <time.h>

#define MAX_WINDOWS 256

static Window windows[MAX_WINDOWS];
static long counts[MAX_WINDOWS];
static int window_total;

static void watch_tree(Display* dpy, Window w) {
    if (window_total == MAX_WINDOWS)
        return;
    windows[window_total++] = w;
    XDamageCreate(dpy, w, XDamageReportRawRectangles);
    Window root, parent, *children = NULL;
    unsigned int n = 0;
    if (XQueryTree(dpy, w, &root, &parent, &children, &n)) {
        for (unsigned int i = 0; i < n; ++i)
            watch_tree(dpy, children[i]);
        if (children)
            XFree(children);
    }
}

static double now(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec + t.tv_nsec / 1e9;
}

static int named(Display* dpy, Window w, const char* title) {
    char* name = NULL;
    int match = XFetchName(dpy, w, &name) && name && strcmp(name, title) == 0;
    if (name)
        XFree(name);
    return match;
}

/* A direct child of the root with the given name, or 0. */
static Window find_top_level(Display* dpy, const char* title) {
    Window root, parent, *children = NULL, found = 0;
    unsigned int n = 0;
    if (XQueryTree(dpy, DefaultRootWindow(dpy), &root, &parent, &children, &n)) {
        for (unsigned int i = 0; i < n && !found; ++i)
            if (named(dpy, children[i], title))
                found = children[i];
        if (children)
            XFree(children);
    }
    return found;
}

static void wait_events(Display* dpy, double until) {
    double left = until - now();
    if (left <= 0)
        return;
    int fd = ConnectionNumber(dpy);
    fd_set ready;
    FD_ZERO(&ready);
    FD_SET(fd, &ready);
    struct timeval wait = {(long)left, (long)((left - (long)left) * 1e6)};
    select(fd + 1, &ready, NULL, NULL, &wait);
}

static int first_frames(Display* dpy, int event_base, const char* title, double seconds) {
    double end = now() + seconds, appeared = -1, damage[2] = {-1, -1};
    Window w = 0;
    while (!w && now() < end) {
        w = find_top_level(dpy, title);
        if (!w) {
            struct timespec pause = {0, 2000000};
            nanosleep(&pause, NULL);
        }
    }
    if (!w) {
        fprintf(stderr, "swapcount: no window named %s\n", title);
        return 1;
    }
    appeared = now();
    watch_tree(dpy, w);
    XSync(dpy, False);
    int seen = 0;
    while (seen < 2 && now() < end) {
        while (seen < 2 && XPending(dpy)) {
            XEvent event;
            XNextEvent(dpy, &event);
            if (event.type == event_base + XDamageNotify)
                damage[seen++] = now();
        }
        wait_events(dpy, end);
    }
    printf("%.3f %.3f %.3f\n", appeared, damage[0], damage[1]);
    return 0;
}

/* The watched program's windows come and go while they are looked at: one that has gone
   between the listing and the question is no failure of the watcher. */
static int on_x_error(Display* dpy, XErrorEvent* error) {
    (void)dpy;
    if (error->error_code == BadWindow || error->error_code == BadDrawable)
        return 0;
    fprintf(stderr, "swapcount: X error %d\n", error->error_code);
    exit(1);
}

int main(int argc, char** argv) {
    if (argc != 4) {
        fprintf(stderr, "usage: swapcount count WINDOW-ID SECONDS | first TITLE SECONDS\n");
        return 2;
    }
    double seconds = atof(argv[3]);
    Display* dpy = XOpenDisplay(NULL);
    if (!dpy) {
        fprintf(stderr, "swapcount: cannot open display\n");
        return 1;
    }
    XSetErrorHandler(on_x_error);
    int event_base, error_base;
    if (!XDamageQueryExtension(dpy, &event_base, &error_base)) {
        fprintf(stderr, "swapcount: no Damage extension\n");
        return 1;
    }
    if (strcmp(argv[1], "first") == 0)
        return first_frames(dpy, event_base, argv[2], seconds);
    Window target = (Window)strtoul(argv[2], NULL, 0);
    watch_tree(dpy, target);
    XSync(dpy, False);
    /* Events already queued belong to before the count. */
    XEvent event;
    while (XPending(dpy))
        XNextEvent(dpy, &event);

    double start = now(), end = start + seconds;
    for (;;) {
        while (XPending(dpy)) {
            XNextEvent(dpy, &event);
            if (event.type != event_base + XDamageNotify)
                continue;
            XDamageNotifyEvent* damage = (XDamageNotifyEvent*)&event;
            for (int i = 0; i < window_total; ++i)
                if (windows[i] == damage->drawable)
                    ++counts[i];
        }
        if (now() >= end)
            break;
        wait_events(dpy, end);
    }
    long best = 0;
    for (int i = 0; i < window_total; ++i)
        if (counts[i] > best)
            best = counts[i];
    printf("%ld %.3f\n", best, now() - start);
    XCloseDisplay(dpy);
    return 0;
}
