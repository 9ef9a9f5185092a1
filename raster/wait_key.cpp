// wait_key for the window programs: blocks until the user presses a key or
// asks to close the window. Key releases, mouse motion and buttons, focus
// changes and all other events are passed over.
#include "raster.h"

void wait_key()
{
    SDL_Event event;
    for (;;) {
        // A failing wait means no event can arrive any more; waiting on
        // would spin for ever.
        if (SDL_WaitEvent(&event) == 0)
            return;
        if (event.type == SDL_KEYDOWN || event.type == SDL_QUIT)
            return;
    }
}
