// The keep tools, on every window program's captured frames: each GIF,
// decoded with giflib's reader and its frames' rectangles drawn over each
// other, shows exactly the program's frames, in order, for the time asked,
// looping, each later frame stored as the rectangle that changed; the GIFs
// kept for the README's gallery show the kept pictures. Each sheet, read
// back with poppler's command-line tools, is one A4 landscape page whose
// images are exactly the frames, unsmoothed, with the figure's title, what
// it shows and every caption as text in an embedded Liberation font.
#include "frames.h"
#include "program_notes.h"
#include "run_program.h"
#include "window_programs.h"

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <sstream>

namespace {

std::string program_name(const std::string &entry)
{
    return std::filesystem::path(entry).filename().string();
}

// Runs a shell command line; its standard output and error together.
Ran run_command(const std::string &command)
{
    Launch shell;
    shell.command = {"sh", "-c", command};
    shell.errors_with_output = true;
    return run_program(shell);
}

// Writes `frames` as <folder>/<name>_NN.png and returns their paths.
std::vector<std::string> write_frames(const std::string &folder, const std::string &name,
                                      const std::vector<Picture> &frames)
{
    std::vector<std::string> paths;
    for (size_t n = 0; n < frames.size(); ++n) {
        char suffix[32];
        std::snprintf(suffix, sizeof suffix, "_%02zu.png", n + 1);
        paths.push_back(folder + "/" + name + suffix);
        std::string error;
        EXPECT_TRUE(write_picture(paths.back(), frames[n], error)) << error;
    }
    return paths;
}

// The pictures kept beside a program's source, <folder>/<program>_NN.png.
std::vector<std::string> kept_frame_paths(const std::string &entry)
{
    std::vector<std::string> paths;
    for (int n = 1;; ++n) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, "_%02d.png", n);
        const std::string path = std::string(SOURCE_DIR) + "/" + entry + suffix;
        if (!std::filesystem::exists(path))
            return paths;
        paths.push_back(path);
    }
}

std::string joined(const std::vector<std::string> &paths)
{
    std::string text;
    for (const std::string &path : paths)
        text += " '" + path + "'";
    return text;
}

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

class Gif : public ::testing::TestWithParam<std::string> {};

TEST_P(Gif, DecodesToTheCapturedFrames)
{
    const std::string name = program_name(GetParam());
    const CapturedRun run = capture_frames(name);
    ASSERT_EQ(run.status, 0) << run.errors;
    const std::string folder = make_temp_folder();
    const std::string gif = folder + "/" + name + ".gif";
    const Ran tool =
        run_command(std::string(GIF_TOOL) + " '" + gif + "'" + joined(write_frames(folder, name, run.frames)));
    ASSERT_EQ(tool.status, 0) << tool.output;
    expect_animation(decode_gif(gif), run.frames, 150);
    std::filesystem::remove_all(folder);
}

// The README's gallery shows <folder>/<program>.gif for every program with
// more than one frame: it shows the kept pictures (which pictures_test
// holds equal to the frames) as the tool writes them.
TEST_P(Gif, KeptAnimationShowsTheKeptPictures)
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
    // Decoded rather than compared byte for byte, which another giflib
    // may encode differently.
    expect_animation(decode_gif(kept), frames, 150);
}

INSTANTIATE_TEST_SUITE_P(WindowPrograms, Gif, ::testing::ValuesIn(window_program_entries()),
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
    Ran tool = run_command(std::string(GIF_TOOL) + " --delay 0.5 '" + gif + "'" +
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
    tool = run_command(std::string(GIF_TOOL) + " '" + gif + "'" +
                       joined(write_frames(folder, "too_many", {many, too_many})));
    EXPECT_EQ(tool.status, 1);
    EXPECT_NE(tool.output.find("257 colours"), std::string::npos) << tool.output;

    // Frames of different sizes.
    tool = run_command(std::string(GIF_TOOL) + " '" + gif + "'" +
                       joined(write_frames(folder, "sizes", {plain(WHITE), plain(WHITE, 40, 31)})));
    EXPECT_EQ(tool.status, 1) << tool.output;
    EXPECT_NE(tool.output.find("40 x 31"), std::string::npos) << tool.output;
    EXPECT_FALSE(std::filesystem::exists(gif));
    EXPECT_FALSE(std::filesystem::exists(gif + ".part"));
    std::filesystem::remove_all(folder);
}

// Text with every run of white space made one space.
std::string one_line(const std::string &text)
{
    std::istringstream words(text);
    std::string word, line;
    while (words >> word)
        line += line.empty() ? word : " " + word;
    return line;
}

bool have_poppler()
{
    return run_command("{ pdfimages -v && pdfinfo -v && pdftotext -v && pdffonts -v; } >/dev/null").status == 0;
}

class Sheet : public ::testing::TestWithParam<std::string> {};

TEST_P(Sheet, IsOneA4LandscapePageOfTheFrames)
{
    if (!have_poppler())
        GTEST_SKIP() << "poppler-utils (pdfimages, pdfinfo) cannot be run: tools/install_deps.sh installs it";
    const std::string entry = GetParam();
    const std::string name = program_name(entry);
    const std::string source = std::string(SOURCE_DIR) + "/" + entry + ".cpp";
    ProgramNotes notes;
    std::string error;
    ASSERT_TRUE(read_program_notes(source, notes, error)) << error;
    const CapturedRun run = capture_frames(name);
    ASSERT_EQ(run.status, 0) << run.errors;
    const std::string folder = make_temp_folder();
    const std::string pdf = folder + "/" + name + ".pdf";
    const Ran tool = run_command(std::string(SHEET_TOOL) + " '" + source + "' '" + pdf + "'" +
                                        joined(write_frames(folder, name, run.frames)));
    ASSERT_EQ(tool.status, 0) << tool.output;

    const std::string info = run_command("pdfinfo '" + pdf + "'").output;
    EXPECT_NE(info.find("\nPages:           1\n"), std::string::npos) << info;
    double width = 0, height = 0;
    const size_t size = info.find("Page size:");
    ASSERT_NE(size, std::string::npos) << info;
    ASSERT_EQ(std::sscanf(info.c_str() + size, "Page size: %lf x %lf", &width, &height), 2);
    EXPECT_NEAR(width, 297 / 25.4 * 72, 0.5); // A4, landscape
    EXPECT_NEAR(height, 210 / 25.4 * 72, 0.5);

    // The images, in order, are the frames, pixel for pixel, and are not
    // smoothed when scaled.
    const Ran list = run_command("pdfimages -list '" + pdf + "'");
    std::istringstream rows(list.output);
    std::string row;
    std::getline(rows, row);
    std::getline(rows, row);
    size_t images = 0;
    while (std::getline(rows, row)) {
        std::istringstream columns(row);
        std::string column, interpolated;
        for (int c = 0; c < 10 && columns >> column; ++c)
            interpolated = column;
        EXPECT_EQ(interpolated, "no") << "image " << images + 1 << " is smoothed: " << row;
        ++images;
    }
    EXPECT_EQ(images, run.frames.size()) << list.output;
    ASSERT_EQ(run_command("pdfimages -png '" + pdf + "' '" + folder + "/image'").status, 0);
    for (size_t n = 0; n < run.frames.size(); ++n) {
        char file[32];
        std::snprintf(file, sizeof file, "/image-%03zu.png", n);
        Picture image;
        ASSERT_TRUE(read_picture(folder + file, image, error)) << error;
        EXPECT_TRUE(image.width == run.frames[n].width && image.height == run.frames[n].height &&
                    image.rgb == run.frames[n].rgb)
            << "image " << n + 1 << " on the sheet differs from frame " << n + 1;
    }

    // The words are text, in an embedded Liberation font.
    const std::string text = one_line(run_command("pdftotext '" + pdf + "' -").output);
    EXPECT_NE(text.find(notes.en.title), std::string::npos) << text;
    EXPECT_NE(text.find(notes.en.about), std::string::npos) << text;
    for (size_t n = 0; n < notes.en.captions.size(); ++n) {
        const std::string caption = "Frame " + std::to_string(n + 1) + ": " + notes.en.captions[n];
        EXPECT_NE(text.find(caption), std::string::npos) << caption << " is missing from " << text;
    }
    const std::string fonts = run_command("pdffonts '" + pdf + "'").output;
    EXPECT_NE(fonts.find("LiberationSans"), std::string::npos) << fonts;
    std::filesystem::remove_all(folder);
}

// Text as pdftotext gives it: no-break spaces as spaces, on one line.
std::string as_extracted(std::string text)
{
    for (size_t at; (at = text.find("\u00a0")) != std::string::npos;)
        text.replace(at, 2, " ");
    return one_line(text);
}

// A French sheet holds the French notes: the title, what the figure shows
// and each frame's caption.
TEST_P(Sheet, InFrenchHoldsTheFrenchNotes)
{
    if (!have_poppler())
        GTEST_SKIP() << "poppler-utils (pdftotext) cannot be run: tools/install_deps.sh installs it";
    const std::string entry = GetParam();
    const std::string source = std::string(SOURCE_DIR) + "/" + entry + ".cpp";
    ProgramNotes notes;
    std::string error;
    ASSERT_TRUE(read_program_notes(source, notes, error)) << error;
    const std::string folder = make_temp_folder();
    const std::string pdf = folder + "/" + program_name(entry) + ".pdf";
    const Ran tool = run_command(std::string(SHEET_TOOL) + " --lang fr '" + source + "' '" + pdf +
                                 "'" + joined(kept_frame_paths(entry)));
    ASSERT_EQ(tool.status, 0) << tool.output;
    const std::string text = one_line(run_command("pdftotext '" + pdf + "' -").output);
    EXPECT_NE(text.find(as_extracted(notes.fr.title)), std::string::npos) << text;
    EXPECT_NE(text.find(as_extracted(notes.fr.about)), std::string::npos) << text;
    for (size_t n = 0; n < notes.fr.captions.size(); ++n) {
        const std::string caption =
            as_extracted("Image " + std::to_string(n + 1) + " : " + notes.fr.captions[n]);
        EXPECT_NE(text.find(caption), std::string::npos) << caption << " is missing from " << text;
    }
    std::filesystem::remove_all(folder);
}

INSTANTIATE_TEST_SUITE_P(WindowPrograms, Sheet, ::testing::ValuesIn(window_program_entries()),
                         [](const auto &info) { return program_name(info.param); });

// A sheet whose captions do not match its frames is refused, leaving no
// file.
TEST(SheetTool, RefusesFramesTheNotesDoNotCaption)
{
    const std::string source = std::string(SOURCE_DIR) + "/chair/chair_growth.cpp";
    const std::vector<std::string> frames = kept_frame_paths("chair/chair_growth");
    ASSERT_EQ(frames.size(), 7u);
    const std::string folder = make_temp_folder();
    const std::string pdf = folder + "/sheet.pdf";
    const Ran tool = run_command(std::string(SHEET_TOOL) + " '" + source + "' '" + pdf +
                                        "'" + joined({frames.begin(), frames.end() - 1}));
    EXPECT_EQ(tool.status, 1);
    EXPECT_NE(tool.output.find("captions 7 frames, but 6"), std::string::npos) << tool.output;
    EXPECT_FALSE(std::filesystem::exists(pdf));
    EXPECT_FALSE(std::filesystem::exists(pdf + ".part"));
    std::filesystem::remove_all(folder);
}

} // namespace
