// Close requests and window properties for the window tests, apart from
// the test code because the X headers define macros that clash with it.
#ifndef CLOSE_REQUEST_H
#define CLOSE_REQUEST_H

#include <string>
#include <vector>

// Asks every top-level window on the X display that takes such requests to
// close, as a window manager does when the user clicks its close button;
// false if there was no such window.
bool request_close(const std::string &display);

// The first window the window manager lists as its client
// (_NET_CLIENT_LIST), or 0.
unsigned long shown_window(const std::string &display);

// The window's icon as it gives it to taskbars (_NET_WM_ICON): its width,
// its height, then each pixel as 0xAARRGGBB; empty if it gives none.
std::vector<unsigned long> window_icon(const std::string &display, unsigned long window);

#endif
