// wait_key for the capture build of every window program: instead of
// waiting for the user it saves the canvas as it stands (the picture the
// window shows at that wait) to $FRAME_DIR/<program>_NN.png, NN counting the
// waits from 01, and returns at once. FRAME_DIR defaults to the current
// folder. The capture build draws off-screen: it selects SDL's dummy video
// driver unless SDL_VIDEODRIVER names another.
#include "canvas_picture.h"
#include "raster.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace {

const bool off_screen = setenv("SDL_VIDEODRIVER", "dummy", 0) == 0;

int frames_saved = 0;

} // namespace

void wait_key()
{
    (void)off_screen;
    ++frames_saved;
    const char *dir = std::getenv("FRAME_DIR");
    char path[4096];
    std::snprintf(path, sizeof path, "%s/%s_%02d.png", dir && *dir ? dir : ".",
                  program_invocation_short_name, frames_saved);

    const Picture frame = canvas_picture();
    std::string error;
    if (!write_picture(path, frame, error)) {
        std::fprintf(stderr, "%s: cannot save %s: %s\n", program_invocation_short_name, path,
                     error.c_str());
        std::exit(1);
    }
}
