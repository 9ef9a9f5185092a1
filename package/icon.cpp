// Icons from kept pictures, for the icons the collection installs and the
// one each window carries.
#include "icon.h"

#include <algorithm>
#include <filesystem>

namespace {

// The share of source cell [i, i + 1) that output cell `out` covers, for
// each output cell, when `from` cells are shrunk into `to`: row i of the
// result lists (source cell, weight) pairs whose weights add up to 1.
std::vector<std::vector<std::pair<int, double>>> shares(int from, int to)
{
    std::vector<std::vector<std::pair<int, double>>> result(to);
    const double scale = static_cast<double>(from) / to;
    for (int out = 0; out < to; ++out) {
        const double start = out * scale, end = (out + 1) * scale;
        for (int i = static_cast<int>(start); i < from && i < end; ++i) {
            const double covered = std::min<double>(i + 1, end) - std::max<double>(i, start);
            if (covered > 0)
                result[out].push_back({i, covered / scale});
        }
    }
    return result;
}

} // namespace

Picture icon_of(const Picture &picture, int size)
{
    // The picture's size in the icon, its aspect kept, its longer side
    // filling the square.
    const bool wide = picture.width >= picture.height;
    const int width = wide ? size : std::max(1, size * picture.width / picture.height);
    const int height = wide ? std::max(1, size * picture.height / picture.width) : size;
    const auto across = shares(picture.width, width), down = shares(picture.height, height);

    Picture icon;
    icon.width = icon.height = size;
    icon.rgb.assign(static_cast<size_t>(size) * size, 0xffffff);
    const int left = (size - width) / 2, top = (size - height) / 2;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            double sum[3] = {0, 0, 0};
            for (const auto &[row, row_share] : down[y])
                for (const auto &[column, column_share] : across[x]) {
                    const uint32_t pixel = picture.rgb[static_cast<size_t>(row) * picture.width + column];
                    const double share = row_share * column_share;
                    sum[0] += share * (pixel >> 16 & 0xff);
                    sum[1] += share * (pixel >> 8 & 0xff);
                    sum[2] += share * (pixel & 0xff);
                }
            uint32_t pixel = 0;
            for (double channel : sum)
                pixel = pixel << 8 | static_cast<uint32_t>(std::min(255.0, channel + 0.5));
            icon.rgb[static_cast<size_t>(top + y) * size + left + x] = pixel;
        }
    return icon;
}

std::string largest_picture(const std::vector<std::string> &paths)
{
    std::string largest;
    std::uintmax_t largest_size = 0;
    for (const std::string &path : paths) {
        std::error_code error;
        const std::uintmax_t size = std::filesystem::file_size(path, error);
        if (largest.empty() || (!error && size > largest_size)) {
            largest = path;
            largest_size = error ? 0 : size;
        }
    }
    return largest;
}
