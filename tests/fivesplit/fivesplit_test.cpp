// The right-triangle programs run whole, headless, and installed, and the
// five-way split itself.
#include "five_split.h"
#include "frames.h"
#include "raster.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr uint32_t RED = 0xff0000;

// (The whole view's children: in fivesplit_child_colours_calls_test.)
TEST(FiveSplit, ChildrenOfTheTopCalls)
{
    struct Case {
        RightTriangle top;
        float tolerance;
        float children[5][4]; // P1, P2; the ratios are -e, -e, -e, e, e
    } cases[] = {
        {{0, 0, 100, 0, 0.8f}, 1e-4f,
         {{39.0244f, 48.7805f, 0, 0}, {69.5122f, 24.3902f, 100, 0}, {19.5122f, 24.3902f, 50, 0},
          {19.5122f, 24.3902f, 50, 0}, {69.5122f, 24.3902f, 39.0244f, 48.7805f}}},
        {{0, 1, 799, 1, 0.7f}, 0.01f,
         {{262.76f, 376.37f, 0, 1}, {530.88f, 188.69f, 799, 1}, {131.38f, 188.69f, 399.5f, 1},
          {131.38f, 188.69f, 399.5f, 1}, {530.88f, 188.69f, 262.76f, 376.37f}}},
    };
    for (const Case &c : cases) {
        RightTriangle children[5];
        split_five(c.top, children);
        for (int i = 0; i < 5; ++i) {
            const RightTriangle &got = children[i];
            const float values[4] = {got.x1, got.y1, got.x2, got.y2};
            for (int k = 0; k < 4; ++k)
                EXPECT_NEAR(values[k], c.children[i][k], c.tolerance)
                    << "e " << c.top.e << ", child " << i << ", value " << k;
            EXPECT_EQ(got.e, i < 3 ? -c.top.e : c.top.e);
        }
    }
}

TEST(FiveSplit, PinwheelChildrenAreFiveCongruentTriangles)
{
    RightTriangle children[5];
    split_five({0, 0, 100, 0, 0.5f}, children);
    // (right-angle vertex, long-leg end, third vertex, ratio)
    const float expected[5][7] = {{20, 40, 0, 0, 0, 50, -0.5f},  {60, 20, 100, 0, 50, 0, -0.5f},
                                  {10, 20, 50, 0, 0, 0, -0.5f},  {10, 20, 50, 0, 20, 40, 0.5f},
                                  {60, 20, 20, 40, 50, 0, 0.5f}};
    for (int i = 0; i < 5; ++i) {
        const RightTriangle &c = children[i];
        float x3, y3;
        third_vertex(c, x3, y3);
        const float got[7] = {c.x1, c.y1, c.x2, c.y2, x3, y3, c.e};
        for (int k = 0; k < 7; ++k)
            EXPECT_NEAR(got[k], expected[i][k], 1e-4) << "child " << i << " value " << k;
        const double area = 0.5 * std::hypot(c.x2 - c.x1, c.y2 - c.y1) *
                            std::hypot(x3 - c.x1, y3 - c.y1);
        EXPECT_NEAR(area, 500, 1e-2) << "child " << i;
    }
}

// Black pixels of `before` that are not black in `after`.
long black_lost(const Picture &before, const Picture &after)
{
    long lost = 0;
    for (size_t i = 0; i < before.rgb.size(); ++i)
        lost += before.rgb[i] == BLACK && after.rgb[i] != BLACK;
    return lost;
}

TEST(Pinwheel, EachDepthDrawnOverTheOneBefore)
{
    const CapturedRun run = capture_frames("fivesplit_pinwheel");
    EXPECT_EQ(run.status, 0);
    ASSERT_EQ(run.frames.size(), 5u);
    for (size_t n = 0; n < 5; ++n) {
        const Picture &frame = run.frames[n];
        EXPECT_EQ(frame.width, 800) << "frame " << n + 1;
        EXPECT_EQ(frame.height, 600) << "frame " << n + 1;
        EXPECT_EQ(colours_used(frame), (std::vector<uint32_t>{BLACK, WHITE})) << "frame " << n + 1;
        if (n > 0) {
            EXPECT_EQ(black_lost(run.frames[n - 1], frame), 0) << "frame " << n + 1;
        }
        // The strokes reach one pixel past the rectangle's corners
        // (10, 240) and (710, 590), and one depth-4 vertex lands on
        // column 9.
        const Bounds box = bounds_of(frame, BLACK);
        EXPECT_EQ(box.left, n >= 3 ? 8 : 9) << "frame " << n + 1;
        EXPECT_EQ(box.right, 711) << "frame " << n + 1;
        EXPECT_EQ(box.top, 239) << "frame " << n + 1;
        EXPECT_EQ(box.bottom, 591) << "frame " << n + 1;
    }
    EXPECT_EQ(run.frames[4].rgb, run.frames[3].rgb);
    // Depth 1 shows the ten triangles (five and their reflections), depth 2
    // fifty.
    // (The bands leave single white pixels in some acute corners.)
    auto triangles = [](const Picture &frame) {
        const std::vector<long> sizes = region_sizes(frame, WHITE);
        return std::count_if(sizes.begin(), sizes.end(), [](long s) { return s > 100; }) - 1;
    };
    EXPECT_EQ(triangles(run.frames[0]), 10);
    EXPECT_EQ(triangles(run.frames[1]), 50);
}

TEST(SizeClasses, OnlyTheFirstChildPathEndsInARedLeafOneInEachHalf)
{
    const CapturedRun run = capture_frames("fivesplit_size_classes");
    EXPECT_EQ(run.status, 0);
    ASSERT_EQ(run.frames.size(), 1u);
    EXPECT_EQ(region_sizes(run.frames[0], RED).size(), 2u);
}

TEST(ChildColours, SixHundredTwentyFiveTilesAHundredTwentyFiveOfEachColour)
{
    const CapturedRun run = capture_frames("fivesplit_child_colours");
    EXPECT_EQ(run.status, 0);
    ASSERT_EQ(run.frames.size(), 1u);
    // A tile keeps about 150 to 250 pixels inside its outline; the lines
    // cut off single pixels in acute corners. White is left only above and
    // below the triangle.
    auto regions = [&](uint32_t colour, long above) {
        const std::vector<long> sizes = region_sizes(run.frames[0], colour);
        return std::count_if(sizes.begin(), sizes.end(), [&](long s) { return s > above; });
    };
    for (uint32_t colour : {0xff0000u, 0x00ff00u, 0x0000ffu, 0xffff00u, 0x379b37u})
        EXPECT_EQ(regions(colour, 100), 125) << std::hex << colour;
    EXPECT_EQ(regions(WHITE, 2), 2);
}

// The zoomed child-coloured view as its recursion reads, with the kernel:
// every leaf's three lines drawn, wherever they lie.
void draw_zoom_literally(const RightTriangle &t, int child, int depth, const Uint32 colours[5])
{
    if (depth > 0) {
        RightTriangle children[5];
        split_five(t, children);
        for (int i = 0; i < 5; ++i)
            draw_zoom_literally(children[i], i, depth - 1, colours);
        return;
    }
    float x3, y3;
    third_vertex(t, x3, y3);
    const float xs[3] = {t.x1, t.x2, x3}, ys[3] = {t.y1, t.y2, y3};
    int px[3], py[3];
    for (int i = 0; i < 3; ++i) {
        px[i] = trunc_int(8 * static_cast<extended>(xs[i]) - 101);
        py[i] = trunc_int(799 - 8 * static_cast<extended>(ys[i]));
    }
    const Uint32 black = map_rgb(0, 0, 0);
    draw_line(px[0], py[0], px[1], py[1], black);
    draw_line(px[0], py[0], px[2], py[2], black);
    draw_line(px[2], py[2], px[1], py[1], black);
    const int sx = trunc_int((static_cast<extended>(px[0]) + px[1] + px[2]) * 0.33333);
    const int sy = trunc_int((static_cast<extended>(py[0]) + py[1] + py[2]) * 0.33333);
    if (sx >= 1 && sx <= 798 && sy >= 1 && sy <= 598)
        flood_fill(sx, sy, colours[child], black);
}

TEST(ChildColoursZoom, LeavesWhollyOffTheCanvasCanBeLeftOutAsTheyDrawNothing)
{
    const CapturedRun run = capture_frames("fivesplit_child_colours_zoom");
    EXPECT_EQ(run.status, 0);
    ASSERT_EQ(run.frames.size(), 1u);
    SDL_Surface *canvas = SDL_CreateRGBSurface(SDL_SWSURFACE, 800, 600, 32, 0xff0000, 0xff00,
                                               0xff, 0);
    set_canvas(canvas);
    const Uint32 colours[5] = {0xff0000, 0x00ff00, 0x0000ff, 0xffff00, 0x379b37};
    clear_canvas(WHITE);
    draw_frame(BLACK);
    draw_zoom_literally({0, 1, 799, 1, 0.7f}, 0, 7, colours);
    long differing = 0;
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x)
            differing += (get_pixel(x, y) & 0xffffff) != pixel_at(run.frames[0], x, y);
    EXPECT_EQ(differing, 0);
    SDL_FreeSurface(canvas);
}

// Where the system keeps the labels' font.
const char SYSTEM_FONTS[] = "/usr/share/fonts";

// Whether a program can be run with the system's fonts hidden: in a mount
// namespace of its own, with an empty folder mounted over them.
bool can_hide_system_fonts()
{
    return std::system("unshare -rm sh -c 'mount -t tmpfs none /usr/share/fonts' 2>/dev/null") ==
           0;
}

// Runs a copy of fivesplit_area_labels's capture build at root/bin with
// root/work as its working folder (and frame folder), with the system's
// fonts hidden if asked.
CapturedRun run_labels_copy(const std::string &root, bool hide_system_fonts = false)
{
    const std::string program = root + "/bin/fivesplit_area_labels", work = root + "/work";
    fs::create_directories(work);
    fs::copy_file(std::string(CAPTURE_DIR) + "/fivesplit_area_labels", program,
                  fs::copy_options::overwrite_existing);
    Launch launch;
    launch.command = {program};
    if (hide_system_fonts)
        launch.command = {"unshare", "-rm", "sh", "-c",
                          "mount -t tmpfs none /usr/share/fonts && exec \"$0\"", program};
    launch.folder = work;
    return run_capture_build(launch, "fivesplit_area_labels", work);
}

TEST(AreaLabels, LabelsStayInTheSecondFrameAndAreLeftOutWithoutAUsableFont)
{
    // From this test's working folder the program finds the build's font.
    const CapturedRun normal = capture_frames("fivesplit_area_labels");
    EXPECT_EQ(normal.status, 0);
    EXPECT_EQ(normal.errors, "");
    ASSERT_EQ(normal.frames.size(), 2u);
    // The labels: what the first frame shows inside the canvas frame.
    std::vector<bool> label(800 * 600, false);
    long count = 0;
    for (int y = 1; y < 599; ++y)
        for (int x = 1; x < 799; ++x)
            if (pixel_at(normal.frames[0], x, y) != WHITE) {
                label[y * 800 + x] = true;
                ++count;
                EXPECT_TRUE(x >= 300 && x < 600 && y >= 15 && y < 45) << x << ", " << y;
                EXPECT_EQ(pixel_at(normal.frames[1], x, y), BLACK) << x << ", " << y;
            }
    EXPECT_GT(count, 200);

    // A copy in a bare folder, run where times.ttf holds `here` (none if
    // null), with or without the font's copy beside it, and with or without
    // the system's fonts.
    const bool system_fonts = fs::exists(SYSTEM_FONTS);
    if (system_fonts && !can_hide_system_fonts())
        GTEST_SKIP() << "the system's fonts cannot be hidden here (unshare -rm): "
                        "no run without a font";
    const struct {
        const char *here;
        bool beside;
        bool system;
    } cases[] = {{nullptr, false, false}, {"", false, false}, {"not a font\n", false, false},
                 {"not a font\n", true, false}, {nullptr, true, false}, {nullptr, false, true},
                 {"not a font\n", false, true}};
    for (const auto &c : cases) {
        const bool found = c.beside || (c.system && fs::exists(LIBERATION_SERIF));
        const std::string root = make_temp_folder();
        fs::create_directories(root + "/share/tilings");
        fs::create_directories(root + "/work");
        if (c.beside)
            fs::copy_file(std::string(PROGRAM_DIR) + "/share/tilings/times.ttf",
                          root + "/share/tilings/times.ttf");
        if (c.here)
            std::ofstream(root + "/work/times.ttf") << c.here;
        fs::create_directories(root + "/bin");
        const CapturedRun run = run_labels_copy(root, system_fonts && !c.system);
        fs::remove_all(root);
        const std::string name = std::string(c.here ? c.here : "none") + (c.beside ? "+" : "") +
                                 (c.system ? "+system" : "");
        EXPECT_EQ(run.status, 0) << name;
        ASSERT_EQ(run.frames.size(), 2u) << name;
        EXPECT_EQ(std::count(run.errors.begin(), run.errors.end(), '\n'), found ? 0 : 1)
            << name << ": " << run.errors;
        for (int n = 0; n < 2; ++n) {
            long differing = 0;
            for (size_t i = 0; i < label.size(); ++i)
                differing += run.frames[n].rgb[i] !=
                             (label[i] && !found ? WHITE : normal.frames[n].rgb[i]);
            EXPECT_EQ(differing, 0) << name << ", frame " << n + 1;
        }
    }
}

TEST(Install, ProgramsLandInBinAndTheLabelsFindTheirFontFromAnywhere)
{
    const std::string prefix = make_temp_folder();
    Launch install;
    install.command = {CMAKE_COMMAND, "--install", PROGRAM_DIR, "--prefix", prefix};
    install.errors_with_output = true;
    const Ran installed = run_program(install);
    ASSERT_EQ(installed.status, 0) << installed.output;
    // Every program built here (window and console), and no capture build.
    for (const auto &entry : fs::directory_iterator(PROGRAM_DIR)) {
        const bool program = entry.is_regular_file() && access(entry.path().c_str(), X_OK) == 0;
        EXPECT_TRUE(!program || fs::exists(prefix + "/bin/" + entry.path().filename().string()))
            << entry.path();
    }
    EXPECT_FALSE(fs::exists(prefix + "/capture"));
    EXPECT_FALSE(fs::exists(prefix + "/bin/capture"));
    EXPECT_EQ(fs::file_size(prefix + "/share/tilings/times.ttf"),
              fs::file_size(std::string(PROGRAM_DIR) + "/share/tilings/times.ttf"));
    Launch counts;
    counts.command = {prefix + "/bin/tile_step_counts"};
    EXPECT_EQ(run_program(counts).status, 0);

    // The capture build in the installed program's place, run in another
    // folder, shows the labels from the installed font.
    const CapturedRun run = run_labels_copy(prefix);
    fs::remove_all(prefix);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.errors, "");
    const CapturedRun normal = capture_frames("fivesplit_area_labels");
    ASSERT_EQ(run.frames.size(), 2u);
    EXPECT_EQ(run.frames[0].rgb, normal.frames[0].rgb);
}

} // namespace
