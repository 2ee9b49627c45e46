/* Small X clients for the end-to-end tests, which run without a window
 * manager:
 *   x_probe close WINDOW_ID
 *       asks the window to close, as a window manager's close button does
 *       (a WM_DELETE_WINDOW client message);
 *   x_probe first-frame TITLE R G B SECONDS
 *       waits for a top-level window with that title, then for the pixel 5
 *       rows down in the middle of it to take the colour R G B, and prints
 *       the wall-clock time (seconds since the epoch) at which it did. It
 *       looks every millisecond, so the time is that precise;
 *   x_probe frames WINDOW_ID COUNT SECONDS
 *       waits until the window, or a window inside it, has been drawn into
 *       COUNT times (counted with the X DAMAGE extension) and ends with
 *       status 0; with status 1 if that did not happen within SECONDS. With
 *       COUNT 2, a picture taken afterwards shows a frame drawn wholly after
 *       the call began. */
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>
#include <poll.h>
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

/* Damage records on the window and every window inside it. */
static int watch_tree(Display* display, Window window, Damage* damages, int count, int capacity)
{
    if (count < capacity)
        damages[count++] = XDamageCreate(display, window, XDamageReportNonEmpty);
    Window root, parent, *children = NULL;
    unsigned int child_count = 0;
    if (XQueryTree(display, window, &root, &parent, &children, &child_count)) {
        for (unsigned int i = 0; i < child_count; i++)
            count = watch_tree(display, children[i], damages, count, capacity);
    }
    if (children)
        XFree(children);
    return count;
}

static int count_frames(Display* display, Window window, int wanted, double seconds)
{
    int event_base, error_base;
    if (!XDamageQueryExtension(display, &event_base, &error_base)) {
        fprintf(stderr, "x_probe: the X server has no DAMAGE extension\n");
        return 1;
    }
    XSetErrorHandler(ignore_errors); /* a window may go away while looked at */
    enum { CAPACITY = 64 };
    Damage damages[CAPACITY];
    const int watched = watch_tree(display, window, damages, 0, CAPACITY);
    /* A new record reports the window's whole area at once: not a drawing. */
    XSync(display, False);
    while (XPending(display)) {
        XEvent event;
        XNextEvent(display, &event);
    }
    for (int i = 0; i < watched; i++)
        XDamageSubtract(display, damages[i], None, None);
    XSync(display, False);

    const double deadline = now() + seconds;
    int seen = 0;
    while (seen < wanted) {
        while (seen < wanted && XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == event_base + XDamageNotify) {
                seen++;
                XDamageSubtract(display, ((XDamageNotifyEvent*)&event)->damage, None, None);
            }
        }
        if (seen >= wanted)
            break;
        const double left = deadline - now();
        if (left <= 0) {
            fprintf(stderr, "x_probe: the window was drawn into %d times, not %d, within %.0f s\n", seen, wanted,
                    seconds);
            return 1;
        }
        struct pollfd connection = {ConnectionNumber(display), POLLIN, 0};
        poll(&connection, 1, left > 1 ? 1000 : (int)(left * 1000) + 1);
    }
    return 0;
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
    else if (argc == 5 && strcmp(argv[1], "frames") == 0)
        status = count_frames(display, (Window)strtoul(argv[2], NULL, 0), atoi(argv[3]), atof(argv[4]));
    else
        fprintf(stderr, "usage: x_probe close WINDOW_ID | x_probe first-frame TITLE R G B SECONDS |"
                        " x_probe frames WINDOW_ID COUNT SECONDS\n");
    XCloseDisplay(display);
    return status;
}
