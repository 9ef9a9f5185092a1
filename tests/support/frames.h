// Running window programs headless and looking at their frames.
#ifndef FRAMES_H
#define FRAMES_H

#include "picture.h"
#include "run_program.h"

#include <string>
#include <utility>
#include <vector>

constexpr uint32_t WHITE = 0xffffff;
constexpr uint32_t BLACK = 0x000000;

// What a run of a program's capture build left: its exit status and every
// frame it presented at a wait, in order.
struct CapturedRun {
    int status = -1;
    std::vector<Picture> frames;
    std::string output, errors; // what it wrote on standard output and standard error
};

// Runs build/capture/<program> with the dummy video driver and standard
// input from /dev/null, its frames saved in a fresh folder, and reads them
// back. `environment` holds changes to the test's (as in Launch).
CapturedRun capture_frames(const std::string &program,
                           const std::vector<std::string> &environment = {});

// Runs a capture build of `program` as `launch` says, with the dummy video
// driver and its frames saved in `frame_folder`, and reads them back.
CapturedRun run_capture_build(Launch launch, const std::string &program,
                              const std::string &frame_folder);

inline uint32_t pixel_at(const Picture &p, int x, int y)
{
    return p.rgb[static_cast<size_t>(y) * p.width + x];
}

long count_colour(const Picture &p, uint32_t rgb);
// The sizes of the 4-connected regions of one colour, in the order their
// top-left-most pixels appear row by row.
std::vector<long> region_sizes(const Picture &p, uint32_t rgb);
// The colours that occur, sorted.
std::vector<uint32_t> colours_used(const Picture &p);

// The smallest box holding every pixel of one colour (inclusive bounds;
// right and bottom -1 when there is none).
struct Bounds {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
};
Bounds bounds_of(const Picture &p, uint32_t rgb);

// The expected picture faded, with the pixels where `actual` differs from
// it in red.
Picture difference_picture(const Picture &expected, const Picture &actual);

// A fresh empty folder under the system's temporary folder.
std::string make_temp_folder();

#endif
