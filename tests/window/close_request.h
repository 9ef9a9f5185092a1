// Close requests for the window tests, apart from the test code because the
// X headers define macros that clash with it.
#ifndef CLOSE_REQUEST_H
#define CLOSE_REQUEST_H

#include <string>

// Asks every top-level window on the X display that takes such requests to
// close, as a window manager does when the user clicks its close button;
// false if there was no such window.
bool request_close(const std::string &display);

#endif
