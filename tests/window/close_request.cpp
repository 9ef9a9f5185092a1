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


// The 32-bit items of a window's property, or none.
std::vector<unsigned long> cardinals(Display *x, Window window, const char *name, Atom type)
{
    std::vector<unsigned long> words;
    Atom got;
    int format;
    unsigned long count, left;
    unsigned char *data = nullptr;
    if (XGetWindowProperty(x, window, XInternAtom(x, name, False), 0, 1 << 20, False, type, &got,
                           &format, &count, &left, &data) == Success &&
        data && format == 32) {
        // Xlib hands 32-bit items over as longs, sign-extended.
        const auto *longs = reinterpret_cast<const unsigned long *>(data);
        for (unsigned long i = 0; i < count; ++i)
            words.push_back(longs[i] & 0xfffffffful);
    }
    if (data)
        XFree(data);
    return words;
}

unsigned long shown_window(const std::string &display)
{
    Display *x = XOpenDisplay(display.c_str());
    if (!x)
        return 0;
    const std::vector<unsigned long> clients =
        cardinals(x, DefaultRootWindow(x), "_NET_CLIENT_LIST", XA_WINDOW);
    XCloseDisplay(x);
    return clients.empty() ? 0 : clients[0];
}

std::vector<unsigned long> window_icon(const std::string &display, unsigned long window)
{
    Display *x = XOpenDisplay(display.c_str());
    if (!x)
        return {};
    const std::vector<unsigned long> words = cardinals(x, window, "_NET_WM_ICON", XA_CARDINAL);
    XCloseDisplay(x);
    return words;
}
