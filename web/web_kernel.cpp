// The kernel's wait, and the start and end of a program, for the web pages.
//
// A page must never block the browser, so wait_key hands control back to
// the browser until the page asks for the next frame (ASYNCIFY suspends the
// program in the middle of main meanwhile). The page alone decides which
// inputs step, and in which direction: SDL is given none of the page's keys
// or pointer events, and its event queue is not read here.
//
// The canvas's pixels reach the page at each present (web_canvas.cpp),
// before the wait begins.
//
// The page (page.js) learns of each wait and of the end of main through
// Module.tilings:
//   frame(n)    the n-th wait begins, its frame on the canvas; answers true
//               when the page wants that frame passed over (it is on its
//               way to a later one)
//   wait(n)     a promise the page resolves when the program is to run on
//               from the n-th wait; the page resolves it only while frame n
//               is on the canvas
//   ended(s)    main has returned s
#include "raster.h"

#include <emscripten.h>

int program_main(int argc, char **argv);

namespace {

int waits = 0;

EM_JS(int, page_passes_over, (int frame), {
    return Module.tilings && Module.tilings.frame(frame) ? 1 : 0;
});

EM_ASYNC_JS(void, page_waits, (int frame), {
    if (Module.tilings)
        await Module.tilings.wait(frame);
});

EM_JS(void, page_sees_end, (int status), {
    if (Module.tilings)
        Module.tilings.ended(status);
});

} // namespace

void wait_key()
{
    ++waits;
    if (page_passes_over(waits))
        return;
    page_waits(waits);
}

int main(int argc, char **argv)
{
    const int status = program_main(argc, argv);
    page_sees_end(status);
    return status;
}
