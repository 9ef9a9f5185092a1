#include "close_request.h"

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

