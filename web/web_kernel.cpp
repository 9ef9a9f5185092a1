// The kernel's wait, and the start and end of a program, for the web pages.
//
// A page must never block the browser, so wait_key takes the events SDL has
// queued and, while none of them ends the wait, hands control back to the
// browser until the next input arrives (ASYNCIFY suspends the program in
// the middle of main meanwhile). A key press ends the wait, as in the
// window, and so does a click of the left button on the canvas, which is
// the page's way of pressing a key; mouse motion, the wheel, key releases
// and the rest are passed over.
//
// The canvas's pixels reach the page when the canvas is unlocked: the
// canvas is kept locked while drawn into and unlocked around each present
// (raster/canvas.cpp), which copies it to the page's <canvas>.
//
// The page (page.html) learns of each wait and of the end of main through
// Module.tilings: frame(n) when the n-th wait begins, which answers whether
// the page wants that frame passed over (a link to a later frame), and
// ended(status) when main has returned.
#include "raster.h"

#include <emscripten.h>

int program_main(int argc, char **argv);

namespace {

int waits = 0;

// Returns at the next key press, click or other input event on the page,
// or after a while in any case; the input is then in SDL's queue.
EM_ASYNC_JS(void, next_input, (), {
    await new Promise(resolve => {
        const targets = [document, Module.canvas];
        const kinds = ['keydown', 'mousedown', 'touchstart'];
        let timer;
        const done = () => {
            clearTimeout(timer);
            for (const target of targets)
                for (const kind of kinds)
                    target.removeEventListener(kind, done, true);
            // SDL takes the event in its own listener, after this one.
            setTimeout(resolve, 0);
        };
        for (const target of targets)
            for (const kind of kinds)
                target.addEventListener(kind, done, true);
        timer = setTimeout(done, 250);
    });
});

EM_JS(int, page_passes_over, (int frame), {
    return Module.tilings && Module.tilings.frame(frame) ? 1 : 0;
});

EM_JS(void, page_sees_end, (int status), {
    if (Module.tilings)
        Module.tilings.ended(status);
});

bool ends_wait(const SDL_Event &event)
{
    return event.type == SDL_KEYDOWN || event.type == SDL_QUIT ||
           (event.type == SDL_MOUSEBUTTONDOWN && event.button.button == SDL_BUTTON_LEFT);
}

} // namespace

void wait_key()
{
    ++waits;
    if (page_passes_over(waits))
        return;
    SDL_Event event;
    for (;;) {
        while (SDL_PollEvent(&event))
            if (ends_wait(event))
                return;
        next_input();
    }
}

int main(int argc, char **argv)
{
    const int status = program_main(argc, argv);
    page_sees_end(status);
    return status;
}
