// The frames that the keep tools are given on their command lines, and
// writing their output whole or not at all.
#ifndef FRAME_FILES_H
#define FRAME_FILES_H

#include "picture.h"
#include "whole_file.h"

#include <string>
#include <vector>

// Reads the PNG frames at `paths`, in order. Returns false, with `error`
// saying why, when one cannot be read or differs in size from the first.
bool read_frames(const std::vector<std::string> &paths, std::vector<Picture> &frames,
                 std::string &error);

#endif
