// frames_to_gif: writes a program's frames as one looping GIF animation in
// which every frame is exactly the program's frame.
//
//   frames_to_gif [--delay SECONDS] OUTPUT.gif FRAME.png...
//
// The frames are shown in the order given, each for SECONDS (1.5 by
// default, in hundredths of a second as GIF keeps time) and the last for
// twice as long, and the animation loops forever. One global palette holds
// every colour of the frames exactly: frames with more than 256 colours
// are refused, and nothing is written. The first frame is stored whole;
// every later one only as the smallest rectangle holding the pixels that
// differ from the frame before, drawn over it ("do not dispose"). A frame
// equal to the one before is stored as one unchanged pixel, so that it
// still keeps its own time on screen.
//
// Ends with status 1, and one line on standard error, when the frames
// cannot be read or written as such a GIF.
#include "frame_files.h"

#include <gif_lib.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

constexpr int DEFAULT_DELAY = 150; // hundredths of a second
// Browsers show shorter delays as a tenth of a second; the last frame's
// doubled delay must fit GIF's 16 bits.
constexpr int SHORTEST_DELAY = 2;
constexpr int LONGEST_DELAY = 65535 / 2;

struct Rectangle {
    int left = 0, top = 0, width = 0, height = 0;
};

// The palette: every colour that occurs, sorted, padded to a power of two
// of at least 2 entries as GIF requires. Returns the number of colours.
size_t palette_of(const std::vector<Picture> &frames, std::vector<uint32_t> &palette)
{
    palette.clear();
    for (const Picture &frame : frames) {
        std::vector<uint32_t> colours = frame.rgb;
        std::sort(colours.begin(), colours.end());
        colours.erase(std::unique(colours.begin(), colours.end()), colours.end());
        std::vector<uint32_t> merged;
        std::set_union(palette.begin(), palette.end(), colours.begin(), colours.end(),
                       std::back_inserter(merged));
        palette.swap(merged);
    }
    const size_t used = palette.size();
    size_t size = 2;
    while (size < used)
        size *= 2;
    palette.resize(std::max(size, used), palette.empty() ? 0 : palette.back());
    return used;
}

// The smallest rectangle holding every pixel in which `frame` differs from
// `before`; one pixel at the top left when they are equal.
Rectangle changed_rectangle(const Picture &before, const Picture &frame)
{
    int left = frame.width, right = -1, top = frame.height, bottom = -1;
    for (int y = 0; y < frame.height; ++y) {
        const size_t row = static_cast<size_t>(y) * frame.width;
        for (int x = 0; x < frame.width; ++x) {
            if (frame.rgb[row + x] == before.rgb[row + x])
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = y;
        }
    }
    if (right < 0)
        return {0, 0, 1, 1};
    return {left, top, right - left + 1, bottom - top + 1};
}

bool parse_delay(const char *text, int &hundredths)
{
    char *end = nullptr;
    const double seconds = std::strtod(text, &end);
    if (end == text || *end != '\0' || !std::isfinite(seconds))
        return false;
    const double rounded = std::round(seconds * 100);
    if (rounded < SHORTEST_DELAY || rounded > LONGEST_DELAY)
        return false;
    hundredths = static_cast<int>(rounded);
    return true;
}

std::string gif_error(const std::string &path, int code)
{
    const char *text = GifErrorString(code);
    return path + ": " + (text ? text : "GIF error " + std::to_string(code));
}

bool put_loop_forever(GifFileType *gif)
{
    static const char application[] = "NETSCAPE2.0";
    static const GifByteType loop[] = {1, 0, 0}; // sub-block 1: loop count 0, forever
    return EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
           EGifPutExtensionBlock(gif, 11, application) == GIF_OK &&
           EGifPutExtensionBlock(gif, sizeof loop, loop) == GIF_OK &&
           EGifPutExtensionTrailer(gif) == GIF_OK;
}

bool put_frame(GifFileType *gif, const Picture &frame, const Rectangle &r, int delay,
               const std::unordered_map<uint32_t, GifPixelType> &index)
{
    GraphicsControlBlock control{};
    control.DisposalMode = DISPOSE_DO_NOT;
    control.UserInputFlag = false;
    control.DelayTime = delay;
    control.TransparentColor = NO_TRANSPARENT_COLOR;
    GifByteType extension[4];
    const size_t length = EGifGCBToExtension(&control, extension);
    if (EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension) !=
            GIF_OK ||
        EGifPutImageDesc(gif, r.left, r.top, r.width, r.height, false, nullptr) != GIF_OK)
        return false;
    std::vector<GifPixelType> line(r.width);
    for (int y = r.top; y < r.top + r.height; ++y) {
        const uint32_t *pixels = &frame.rgb[static_cast<size_t>(y) * frame.width + r.left];
        for (int x = 0; x < r.width; ++x)
            line[x] = index.at(pixels[x]);
        if (EGifPutLine(gif, line.data(), r.width) != GIF_OK)
            return false;
    }
    return true;
}

bool write_gif(const std::string &path, const std::vector<Picture> &frames, int delay,
               std::string &error)
{
    std::vector<uint32_t> palette;
    const size_t colours = palette_of(frames, palette);
    if (colours > 256) {
        error = "the frames use " + std::to_string(colours) +
                " colours, more than the 256 a GIF palette holds; " + path + " not written";
        return false;
    }
    std::vector<GifColorType> entries(palette.size());
    std::unordered_map<uint32_t, GifPixelType> index;
    for (size_t i = 0; i < palette.size(); ++i) {
        entries[i] = {static_cast<GifByteType>(palette[i] >> 16),
                      static_cast<GifByteType>(palette[i] >> 8 & 0xff),
                      static_cast<GifByteType>(palette[i] & 0xff)};
        index.emplace(palette[i], static_cast<GifPixelType>(i)); // padding keeps the first
    }
    ColorMapObject *map = GifMakeMapObject(static_cast<int>(entries.size()), entries.data());
    int code = 0;
    // Opened here rather than by giflib, which would make the file readable
    // by its owner only.
    const int file = map ? open(part_path(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666) : -1;
    if (file < 0) {
        GifFreeMapObject(map);
        error = map ? part_path(path) + ": " + std::strerror(errno) : "out of memory";
        return false;
    }
    GifFileType *gif = EGifOpenFileHandle(file, &code); // closes `file` once opened
    if (!gif) {
        close(file);
        GifFreeMapObject(map);
        std::remove(part_path(path).c_str());
        error = map ? gif_error(part_path(path), code) : "out of memory";
        return false;
    }
    EGifSetGifVersion(gif, true);
    const int width = frames[0].width, height = frames[0].height;
    bool ok = EGifPutScreenDesc(gif, width, height, 8, 0, map) == GIF_OK && put_loop_forever(gif);
    for (size_t n = 0; ok && n < frames.size(); ++n) {
        const Rectangle r =
            n == 0 ? Rectangle{0, 0, width, height} : changed_rectangle(frames[n - 1], frames[n]);
        const int time = n + 1 == frames.size() ? 2 * delay : delay;
        ok = put_frame(gif, frames[n], r, time, index);
    }
    if (!ok)
        code = gif->Error;
    int close_code = 0;
    if (EGifCloseFile(gif, &close_code) != GIF_OK && ok) {
        ok = false;
        code = close_code;
    }
    GifFreeMapObject(map);
    if (!ok) {
        error = gif_error(part_path(path), code);
        std::remove(part_path(path).c_str());
        return false;
    }
    return move_into_place(path, error);
}

} // namespace

int main(int argc, char **argv)
{
    int delay = DEFAULT_DELAY;
    int first = 1;
    if (argc > 2 && std::string(argv[1]) == "--delay") {
        if (!parse_delay(argv[2], delay)) {
            std::fprintf(stderr, "frames_to_gif: --delay takes seconds from %.2f to %.2f, not '%s'\n",
                         SHORTEST_DELAY / 100.0, LONGEST_DELAY / 100.0, argv[2]);
            return 2;
        }
        first = 3;
    }
    if (argc - first < 2) {
        std::fprintf(stderr, "usage: frames_to_gif [--delay SECONDS] OUTPUT.gif FRAME.png...\n");
        return 2;
    }
    const std::string output = argv[first];
    std::vector<Picture> frames;
    std::string error;
    if (!read_frames(std::vector<std::string>(argv + first + 1, argv + argc), frames, error) ||
        !write_gif(output, frames, delay, error)) {
        std::fprintf(stderr, "frames_to_gif: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
