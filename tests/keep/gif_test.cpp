// frames_to_gif: every GIF, decoded with giflib's reader and its frames'
// rectangles drawn over each other, gives exactly the program's frames, in
// order, for the time asked, looping; each later frame stores only the
// rectangle that changed; the GIFs kept for the README's gallery are the
// ones the tool writes from the kept pictures.
#include "keep_tests.h"

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

struct Rectangle {
    int left, top, width, height;
};

struct DecodedGif {
    std::vector<Picture> frames; // each as on screen after its rectangle is drawn
    std::vector<int> delays;     // hundredths of a second
    std::vector<Rectangle> rectangles;
    bool loops_forever = false;
};

// Decodes `path`, checking as it goes what every frame of ours must be:
// drawn with the one global palette, opaque, and left in place.
DecodedGif decode_gif(const std::string &path)
{
    DecodedGif decoded;
    int code = 0;
    GifFileType *gif = DGifOpenFileName(path.c_str(), &code);
    if (!gif) {
        ADD_FAILURE() << path << ": " << GifErrorString(code);
        return decoded;
    }
    if (DGifSlurp(gif) != GIF_OK) {
        ADD_FAILURE() << path << ": " << GifErrorString(gif->Error);
        DGifCloseFile(gif, &code);
        return decoded;
    }
    const ColorMapObject *palette = gif->SColorMap;
    EXPECT_NE(palette, nullptr) << path << " has no global palette";
    Picture screen;
    screen.width = gif->SWidth;
    screen.height = gif->SHeight;
    screen.rgb.assign(static_cast<size_t>(screen.width) * screen.height, 0);
    for (int i = 0; palette && i < gif->ImageCount; ++i) {
        const SavedImage &image = gif->SavedImages[i];
        const GifImageDesc &d = image.ImageDesc;
        EXPECT_EQ(d.ColorMap, nullptr) << "frame " << i + 1 << " has a palette of its own";
        EXPECT_TRUE(d.Left >= 0 && d.Top >= 0 && d.Left + d.Width <= screen.width &&
                    d.Top + d.Height <= screen.height)
            << "frame " << i + 1 << " lies outside the screen";
        GraphicsControlBlock control{};
        EXPECT_EQ(DGifSavedExtensionToGCB(gif, i, &control), GIF_OK);
        EXPECT_EQ(control.DisposalMode, DISPOSE_DO_NOT) << "frame " << i + 1;
        EXPECT_EQ(control.TransparentColor, NO_TRANSPARENT_COLOR) << "frame " << i + 1;
        for (int y = 0; y < d.Height; ++y)
            for (int x = 0; x < d.Width; ++x) {
                const int index = image.RasterBits[static_cast<size_t>(y) * d.Width + x];
                EXPECT_LT(index, palette->ColorCount);
                const GifColorType &c = palette->Colors[index];
                screen.rgb[static_cast<size_t>(d.Top + y) * screen.width + d.Left + x] =
                    static_cast<uint32_t>(c.Red) << 16 | c.Green << 8 | c.Blue;
            }
        decoded.frames.push_back(screen);
        decoded.delays.push_back(control.DelayTime);
        decoded.rectangles.push_back({d.Left, d.Top, d.Width, d.Height});
    }
    if (gif->ImageCount > 0) {
        // The application extension and its sub-blocks come before the
        // first frame.
        const SavedImage &first = gif->SavedImages[0];
        for (int b = 0; b + 1 < first.ExtensionBlockCount; ++b) {
            const ExtensionBlock &block = first.ExtensionBlocks[b];
            const ExtensionBlock &next = first.ExtensionBlocks[b + 1];
            if (block.Function == APPLICATION_EXT_FUNC_CODE && block.ByteCount == 11 &&
                std::memcmp(block.Bytes, "NETSCAPE2.0", 11) == 0 && next.ByteCount == 3 &&
                next.Bytes[0] == 1 && next.Bytes[1] == 0 && next.Bytes[2] == 0)
                decoded.loops_forever = true;
        }
    }
    DGifCloseFile(gif, &code);
    return decoded;
}

// Checks that `gif` shows `frames` exactly, `delay` each and the last
// twice as long, looping, with each later frame stored as the smallest
// rectangle holding the pixels that changed.
void expect_animation(const DecodedGif &gif, const std::vector<Picture> &frames, int delay)
{
    EXPECT_TRUE(gif.loops_forever);
    ASSERT_EQ(gif.frames.size(), frames.size());
    for (size_t n = 0; n < frames.size(); ++n) {
        EXPECT_TRUE(gif.frames[n].width == frames[n].width &&
                    gif.frames[n].height == frames[n].height && gif.frames[n].rgb == frames[n].rgb)
            << "GIF frame " << n + 1 << " differs from the program's frame";
        EXPECT_EQ(gif.delays[n], n + 1 == frames.size() ? 2 * delay : delay) << "frame " << n + 1;
        const Rectangle r = gif.rectangles[n];
        if (n == 0) {
            EXPECT_TRUE(r.left == 0 && r.top == 0 && r.width == frames[0].width &&
                        r.height == frames[0].height);
            continue;
        }
        const Picture &before = frames[n - 1];
        if (before.rgb == frames[n].rgb) {
            EXPECT_EQ(r.width * r.height, 1) << "frame " << n + 1 << " repeats the one before";
            continue;
        }
        // Tight: every edge of the rectangle holds a changed pixel.
        auto changed = [&](int x, int y) {
            return pixel_at(before, x, y) != pixel_at(frames[n], x, y);
        };
        bool left = false, right = false, top = false, bottom = false;
        for (int y = r.top; y < r.top + r.height; ++y) {
            left = left || changed(r.left, y);
            right = right || changed(r.left + r.width - 1, y);
        }
        for (int x = r.left; x < r.left + r.width; ++x) {
            top = top || changed(x, r.top);
            bottom = bottom || changed(x, r.top + r.height - 1);
        }
        EXPECT_TRUE(left && right && top && bottom)
            << "frame " << n + 1 << " stores more than the changed rectangle";
    }
}

std::string gif_tool()
{
    return GIF_TOOL;
}

class Gif : public ::testing::TestWithParam<std::string> {};

TEST_P(Gif, DecodesToTheCapturedFrames)
{
    const std::string name = program_name(GetParam());
    const CapturedRun run = capture_frames(name);
    ASSERT_EQ(run.status, 0) << run.errors;
    const std::string folder = make_temp_folder();
    const std::string gif = folder + "/" + name + ".gif";
    const CommandRun tool =
        run_command(gif_tool() + " '" + gif + "'" + joined(write_frames(folder, name, run.frames)));
    ASSERT_EQ(tool.status, 0) << tool.output;
    expect_animation(decode_gif(gif), run.frames, 150);
    std::filesystem::remove_all(folder);
}

// The README's gallery shows <folder>/<program>.gif for every program with
// more than one frame: it is what the tool writes from the kept pictures.
TEST_P(Gif, KeptAnimationIsTheOneWrittenNow)
{
    const std::string entry = GetParam();
    const std::string kept = std::string(SOURCE_DIR) + "/" + entry + ".gif";
    const std::vector<std::string> frame_paths = kept_frame_paths(entry);
    if (frame_paths.size() < 2) {
        EXPECT_FALSE(std::filesystem::exists(kept)) << kept << " animates a single frame";
        return;
    }
    ASSERT_TRUE(std::filesystem::exists(kept)) << kept << " is missing";
    std::vector<Picture> frames(frame_paths.size());
    std::string error;
    for (size_t n = 0; n < frames.size(); ++n)
        ASSERT_TRUE(read_picture(frame_paths[n], frames[n], error)) << error;
    expect_animation(decode_gif(kept), frames, 150);

    const std::string folder = make_temp_folder();
    const std::string written = folder + "/now.gif";
    const CommandRun tool = run_command(gif_tool() + " '" + written + "'" + joined(frame_paths));
    ASSERT_EQ(tool.status, 0) << tool.output;
    auto bytes = [](const std::string &path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    EXPECT_TRUE(bytes(written) == bytes(kept))
        << kept << " is not what frames_to_gif writes now; rewrite it with "
        << "tools/save_frames.sh --gif -o " << std::filesystem::path(entry).parent_path().string()
        << " " << program_name(entry);
    std::filesystem::remove_all(folder);
}

INSTANTIATE_TEST_SUITE_P(WindowPrograms, Gif, ::testing::ValuesIn(window_programs()),
                         [](const auto &info) { return program_name(info.param); });

Picture plain(uint32_t rgb, int width = 40, int height = 30)
{
    Picture p;
    p.width = width;
    p.height = height;
    p.rgb.assign(static_cast<size_t>(width) * height, rgb);
    return p;
}

// Pictures made here: a full palette, repeated frames and the delay asked
// for are kept exactly; what cannot be kept exactly is refused, leaving
// no file.
TEST(GifTool, KeepsEveryColourAndTimeOrRefuses)
{
    const std::string folder = make_temp_folder();
    const std::string gif = folder + "/made.gif";

    // 256 colours, the most a palette holds; then a repeated frame and a
    // frame with one pixel changed.
    Picture many = plain(WHITE, 32, 8);
    for (size_t i = 0; i < many.rgb.size(); ++i)
        many.rgb[i] = static_cast<uint32_t>(i * 0x010101) ^ 0x3c00a5;
    Picture dotted = many;
    dotted.rgb[5 * 32 + 17] = many.rgb[0];
    const std::vector<Picture> frames = {many, many, dotted};
    CommandRun tool = run_command(gif_tool() + " --delay 0.5 '" + gif + "'" +
                                  joined(write_frames(folder, "many", frames)));
    ASSERT_EQ(tool.status, 0) << tool.output;
    const DecodedGif decoded = decode_gif(gif);
    expect_animation(decoded, frames, 50);
    ASSERT_EQ(decoded.rectangles.size(), 3u);
    EXPECT_TRUE(decoded.rectangles[2].left == 17 && decoded.rectangles[2].top == 5 &&
                decoded.rectangles[2].width == 1 && decoded.rectangles[2].height == 1);
    std::filesystem::remove(gif);

    // One colour more than a palette holds, in the second frame.
    Picture too_many = many;
    too_many.rgb[0] = 0xfffffe;
    tool = run_command(gif_tool() + " '" + gif + "'" +
                       joined(write_frames(folder, "too_many", {many, too_many})));
    EXPECT_EQ(tool.status, 1);
    EXPECT_NE(tool.output.find("257 colours"), std::string::npos) << tool.output;

    // Frames of different sizes; no frames; a delay that is not one.
    tool = run_command(gif_tool() + " '" + gif + "'" +
                       joined(write_frames(folder, "sizes", {plain(WHITE), plain(WHITE, 40, 31)})));
    EXPECT_EQ(tool.status, 1) << tool.output;
    EXPECT_NE(tool.output.find("40 x 31"), std::string::npos) << tool.output;
    for (const std::string &arguments : {std::string("'") + gif + "'",
                                         "--delay 0 '" + gif + "' '" + folder + "/many_01.png'",
                                         "--delay 1s '" + gif + "' '" + folder + "/many_01.png'"}) {
        tool = run_command(gif_tool() + " " + arguments);
        EXPECT_EQ(tool.status, 2) << arguments << ": " << tool.output;
    }
    EXPECT_FALSE(std::filesystem::exists(gif));
    EXPECT_FALSE(std::filesystem::exists(gif + ".part"));
    std::filesystem::remove_all(folder);
}

} // namespace
