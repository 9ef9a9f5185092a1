// Running window programs headless and looking at their frames.
#ifndef FRAMES_H
#define FRAMES_H

#include "picture.h"

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
    std::string errors; // what it wrote on standard error
};

// Runs build/capture/<program> with the dummy video driver and standard
// input from /dev/null, in a fresh folder, and reads back its frames.
// `environment` holds extra NAME=VALUE settings.
CapturedRun capture_frames(const std::string &program,
                           const std::vector<std::string> &environment = {});

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

// A fresh empty folder under the system's temporary folder.
std::string make_temp_folder();

#endif
