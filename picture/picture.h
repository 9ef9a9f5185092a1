// Pictures as PNG files: 8-bit RGB, pixels held as 0xRRGGBB words, row by
// row from the top left.
#ifndef PICTURE_H
#define PICTURE_H

#include <cstdint>
#include <string>
#include <vector>

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> rgb;
};

// Both return false (and leave `error` saying why) when the file cannot be
// written or read.
bool write_picture(const std::string &path, const Picture &picture, std::string &error);
bool read_picture(const std::string &path, Picture &picture, std::string &error);

#endif
