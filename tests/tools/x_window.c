/* Finds or closes top-level windows by title for the end-to-end tests. "close" sends
   WM_DELETE_WINDOW, as a window manager's close box would (Xvfb runs without one).
   Titles are read from _NET_WM_NAME or WM_NAME in any encoding. */
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <locale.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static int titleIs(Display* display, Window window, const char* title) {
    int match = 0;
    Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = NULL;
    if (XGetWindowProperty(display, window, netName, 0, 1024, False, utf8, &type, &format, &count,
                           &after, &data) == Success &&
        data) {
        match = strcmp((const char*)data, title) == 0;
        XFree(data);
        if (match)
            return 1;
    }
    XTextProperty property;
    if (XGetWMName(display, window, &property) && property.value) {
        char** list = NULL;
        int n = 0;
        if (XmbTextPropertyToTextList(display, &property, &list, &n) >= Success && list) {
            for (int i = 0; i < n; ++i)
                match |= strcmp(list[i], title) == 0;
            XFreeStringList(list);
        }
        XFree(property.value);
    }
    return match;
}

static void sendDelete(Display* display, Window window) {
    XEvent event;
    memset(&event, 0, sizeof event);
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = (long)XInternAtom(display, "WM_DELETE_WINDOW", False);
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
}

static int visit(Display* display, Window window, const char* title, int close) {
    int found = 0;
    if (titleIs(display, window, title)) {
        if (close) {
            sendDelete(display, window);
        } else {
            printf("%lu\n", (unsigned long)window);
        }
        ++found;
    }
    Window root, parent, *children = NULL;
    unsigned int n = 0;
    if (XQueryTree(display, window, &root, &parent, &children, &n)) {
        for (unsigned int i = 0; i < n; ++i)
            found += visit(display, children[i], title, close);
        if (children)
            XFree(children);
    }
    return found;
}

int main(int argc, char** argv) {
    if (argc != 3 || (strcmp(argv[1], "find") != 0 && strcmp(argv[1], "close") != 0)) {
        fprintf(stderr, "usage: x-window find|close TITLE\n");
        return 2;
    }
    setlocale(LC_ALL, "");
    Display* display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "x-window: no display\n");
        return 2;
    }
    int found = visit(display, DefaultRootWindow(display), argv[2], strcmp(argv[1], "close") == 0);
    XCloseDisplay(display);
    return found > 0 ? 0 : 1;
}
