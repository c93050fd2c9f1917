/* Prints the X server's gamma ramp of screen 0 as three lines (red, green,
 * blue) of space-separated 16-bit entries, so tests can see what really
 * reached the screen. "--set-identity" puts back the identity ramp. */
#include <X11/Xlib.h>
#include <X11/extensions/xf86vmode.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

int main(int argc, char **argv)
{
    Display *display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "xgamma: cannot open display\n");
        return 1;
    }
    int screen = DefaultScreen(display);
    int size = 0;
    if (!XF86VidModeGetGammaRampSize(display, screen, &size) || size <= 0) {
        fprintf(stderr, "xgamma: no gamma ramp\n");
        XCloseDisplay(display);
        return 1;
    }
    unsigned short *channels = calloc((size_t)size * 3, sizeof *channels);
    unsigned short *red = channels, *green = channels + size, *blue = channels + 2 * size;
    int ok;
    if (argc > 1 && strcmp(argv[1], "--set-identity") == 0) {
        for (int i = 0; i < size; ++i)
            red[i] = green[i] = blue[i] = (unsigned short)(i * 65535 / (size - 1));
        ok = XF86VidModeSetGammaRamp(display, screen, size, red, green, blue);
        XSync(display, False);
    } else {
        ok = XF86VidModeGetGammaRamp(display, screen, size, red, green, blue);
        for (int c = 0; ok && c < 3; ++c) {
            for (int i = 0; i < size; ++i)
                printf(i ? " %u" : "%u", channels[c * size + i]);
            putchar('\n');
        }
    }
    free(channels);
    XCloseDisplay(display);
    return ok ? 0 : 1;
}
