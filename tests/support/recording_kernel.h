// A stand-in for the raster kernel that draws nothing and records every
// drawing call, in order, as text such as "draw_line(0, 0, 4, 1, 7)", so
// that tests can read what a figure routine asked for. map_rgb gives
// 0xRRGGBB.
#ifndef RECORDING_KERNEL_H
#define RECORDING_KERNEL_H

#include <string>
#include <vector>

extern std::vector<std::string> kernel_calls;

// The calls recorded under one name, e.g. "flood_fill".
std::vector<std::string> calls_named(const std::string &name);

#endif
