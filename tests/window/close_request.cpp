#include "close_request.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

bool request_close(const std::string &display)
{
    Display *x = XOpenDisplay(display.c_str());
    if (!x)
        return false;
    const Atom protocols = XInternAtom(x, "WM_PROTOCOLS", False);
    const Atom delete_window = XInternAtom(x, "WM_DELETE_WINDOW", False);
    Window root, parent, *children = nullptr;
    unsigned count = 0;
    int asked = 0;
    if (XQueryTree(x, DefaultRootWindow(x), &root, &parent, &children, &count)) {
        for (unsigned i = 0; i < count; ++i) {
            Atom *supported = nullptr;
            int n = 0;
            if (!XGetWMProtocols(x, children[i], &supported, &n))
                continue;
            for (int k = 0; k < n; ++k)
                if (supported[k] == delete_window) {
                    XEvent event{};
                    event.xclient.type = ClientMessage;
                    event.xclient.window = children[i];
                    event.xclient.message_type = protocols;
                    event.xclient.format = 32;
                    event.xclient.data.l[0] = static_cast<long>(delete_window);
                    event.xclient.data.l[1] = CurrentTime;
                    XSendEvent(x, children[i], False, NoEventMask, &event);
                    ++asked;
                }
            XFree(supported);
        }
        XFree(children);
    }
    XCloseDisplay(x);
    return asked > 0;
}


unsigned long shown_window(const std::string &display)
{
    Display *x = XOpenDisplay(display.c_str());
    if (!x)
        return 0;
    Window root, parent, *children = nullptr, shown = 0;
    unsigned count = 0;
    if (XQueryTree(x, DefaultRootWindow(x), &root, &parent, &children, &count)) {
        for (unsigned i = 0; i < count && !shown; ++i) {
            XWindowAttributes attributes;
            if (XGetWindowAttributes(x, children[i], &attributes) &&
                attributes.map_state == IsViewable)
                shown = children[i];
        }
        XFree(children);
    }
    XCloseDisplay(x);
    return shown;
}

std::vector<unsigned long> window_icon(const std::string &display, unsigned long window)
{
    std::vector<unsigned long> words;
    Display *x = XOpenDisplay(display.c_str());
    if (!x)
        return words;
    Atom type;
    int format;
    unsigned long count, left;
    unsigned char *data = nullptr;
    if (XGetWindowProperty(x, window, XInternAtom(x, "_NET_WM_ICON", False), 0, 1 << 20, False,
                           XA_CARDINAL, &type, &format, &count, &left, &data) == Success &&
        data && format == 32) {
        // Xlib hands 32-bit items over as longs, sign-extended.
        const auto *longs = reinterpret_cast<const unsigned long *>(data);
        for (unsigned long i = 0; i < count; ++i)
            words.push_back(longs[i] & 0xfffffffful);
    }
    if (data)
        XFree(data);
    XCloseDisplay(x);
    return words;
}
