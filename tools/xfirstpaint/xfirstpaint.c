/* Waits until a top-level window with the given title shows the given
 * colour at a point of its own, i.e. until its first frame reached the
 * screen, then exits 0 (1 on timeout). Start-up figures time a program's
 * launch to this moment, which a "window exists" check would only
 * approximate: a window is mapped before it is painted.
 *   xfirstpaint TITLE X Y RRGGBB [TIMEOUT_MS] */
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

static long long now_ms(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (long long)t.tv_sec * 1000 + t.tv_nsec / 1000000;
}

/* Windows come and go while we look: a vanished one is simply skipped. */
static int ignore_error(Display *display, XErrorEvent *error)
{
    (void)display;
    (void)error;
    return 0;
}

/* The first viewable child of the root named `title`, with its position. */
static int find_window(Display *display, const char *title, int *x, int *y)
{
    Window root = DefaultRootWindow(display), parent, *children = NULL, child;
    unsigned count = 0;
    int found = 0;
    if (!XQueryTree(display, root, &root, &parent, &children, &count))
        return 0;
    for (unsigned i = 0; i < count && !found; ++i) {
        XWindowAttributes attributes;
        char *name = NULL;
        if (!XGetWindowAttributes(display, children[i], &attributes) || attributes.map_state != IsViewable)
            continue;
        if (XFetchName(display, children[i], &name) && name) {
            found = strcmp(name, title) == 0 &&
                    XTranslateCoordinates(display, children[i], root, 0, 0, x, y, &child);
            XFree(name);
        }
    }
    if (children)
        XFree(children);
    return found;
}

int main(int argc, char **argv)
{
    if (argc < 5) {
        fprintf(stderr, "usage: xfirstpaint TITLE X Y RRGGBB [TIMEOUT_MS]\n");
        return 2;
    }
    const int dx = atoi(argv[2]), dy = atoi(argv[3]);
    const unsigned long wanted = strtoul(argv[4], NULL, 16);
    const long long deadline = now_ms() + (argc > 5 ? atoll(argv[5]) : 20000);
    Display *display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "xfirstpaint: cannot open display\n");
        return 2;
    }
    XSetErrorHandler(ignore_error);
    Window root = DefaultRootWindow(display);
    while (now_ms() < deadline) {
        int x, y;
        if (find_window(display, argv[1], &x, &y)) {
            XImage *image = XGetImage(display, root, x + dx, y + dy, 1, 1, AllPlanes, ZPixmap);
            unsigned long pixel = image ? XGetPixel(image, 0, 0) & 0xFFFFFF : 0;
            if (image)
                XDestroyImage(image);
            if (pixel == wanted) {
                XCloseDisplay(display);
                return 0;
            }
        }
        usleep(1000);
    }
    XCloseDisplay(display);
    return 1;
}
