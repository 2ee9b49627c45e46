/* Small X clients for the end-to-end tests, which run without a window
 * manager:
 *   x_probe close WINDOW_ID
 *       asks the window to close, as a window manager's close button does
 *       (a WM_DELETE_WINDOW client message);
 *   x_probe first-frame TITLE R G B SECONDS
 *       waits for a top-level window with that title, then for the pixel 5
 *       rows down in the middle of it to take the colour R G B, and prints
 *       the wall-clock time (seconds since the epoch) at which it did. It
 *       looks every millisecond, so the time is that precise. */
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

static double now(void)
{
    struct timespec t;
    clock_gettime(CLOCK_REALTIME, &t);
    return (double)t.tv_sec + (double)t.tv_nsec / 1e9;
}

static void pause_a_millisecond(void)
{
    const struct timespec t = {0, 1000000};
    nanosleep(&t, NULL);
}

static int close_window(Display* display, Window window)
{
    XEvent event;
    memset(&event, 0, sizeof event);
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = (long)XInternAtom(display, "WM_DELETE_WINDOW", False);
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XSync(display, False);
    return 0;
}

/* A viewable child of the root with this title, or 0. */
static Window find_window(Display* display, const char* title)
{
    Window root, parent, *children = NULL, found = 0;
    unsigned int count = 0;
    if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count))
        return 0;
    for (unsigned int i = 0; i < count && !found; i++) {
        char* name = NULL;
        XWindowAttributes attributes;
        if (XFetchName(display, children[i], &name) && name && strcmp(name, title) == 0 &&
            XGetWindowAttributes(display, children[i], &attributes) && attributes.map_state == IsViewable)
            found = children[i];
        if (name)
            XFree(name);
    }
    if (children)
        XFree(children);
    return found;
}

static int ignore_errors(Display* display, XErrorEvent* error)
{
    (void)display;
    (void)error;
    return 0;
}

static int first_frame(Display* display, const char* title, unsigned long r, unsigned long g, unsigned long b,
                       double seconds)
{
    XSetErrorHandler(ignore_errors); /* a window may go away while looked at */
    const double deadline = now() + seconds;
    Window window = 0;
    while (now() < deadline) {
        if (!window)
            window = find_window(display, title);
        if (window) {
            XWindowAttributes attributes;
            if (XGetWindowAttributes(display, window, &attributes)) {
                XImage* image = XGetImage(display, window, attributes.width / 2, 5, 1, 1, AllPlanes, ZPixmap);
                if (image) {
                    const unsigned long pixel = XGetPixel(image, 0, 0);
                    const double at = now();
                    XDestroyImage(image);
                    if (((pixel >> 16) & 0xFF) == r && ((pixel >> 8) & 0xFF) == g && (pixel & 0xFF) == b) {
                        printf("%.3f\n", at);
                        return 0;
                    }
                }
            }
        }
        pause_a_millisecond();
    }
    fprintf(stderr, "x_probe: no frame of that colour in \"%s\" within %.0f s\n", title, seconds);
    return 1;
}

int main(int argc, char** argv)
{
    Display* display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "x_probe: cannot open the display\n");
        return 1;
    }
    int status = 2;
    if (argc == 3 && strcmp(argv[1], "close") == 0)
        status = close_window(display, (Window)strtoul(argv[2], NULL, 0));
    else if (argc == 7 && strcmp(argv[1], "first-frame") == 0)
        status = first_frame(display, argv[2], strtoul(argv[3], NULL, 0), strtoul(argv[4], NULL, 0),
                             strtoul(argv[5], NULL, 0), atof(argv[6]));
    else
        fprintf(stderr, "usage: x_probe close WINDOW_ID | x_probe first-frame TITLE R G B SECONDS\n");
    XCloseDisplay(display);
    return status;
}
