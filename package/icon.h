// A program's icon: its most detailed kept picture, shrunk to a square.
#ifndef ICON_H
#define ICON_H

#include "picture.h"

#include <string>
#include <vector>

// The picture scaled down to fit a square of `size` pixels, its aspect
// kept, each icon pixel the average of the picture's area under it,
// centred on white.
Picture icon_of(const Picture &picture, int size);

// Of a program's kept pictures, the one its icon shows: the largest file,
// the most detailed frame (the first in `paths` of those as large).
std::string largest_picture(const std::vector<std::string> &paths);

#endif
