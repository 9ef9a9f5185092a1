// The right-triangle programs run whole, headless, and installed.
#include "five_split.h"
#include "frames.h"
#include "raster.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr uint32_t RED = 0xff0000;

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
        {{0, 1, 799, 1, 0.5f}, 0.01f,
         {{159.8f, 320.6f, 0, 1}, {479.4f, 160.8f, 799, 1}, {79.9f, 160.8f, 399.5f, 1},
          {79.9f, 160.8f, 399.5f, 1}, {479.4f, 160.8f, 159.8f, 320.6f}}},
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

TEST(FiveSplit, EachProgramShowsItsFramesAndEndsWithStatusZero)
{
    const std::pair<const char *, size_t> programs[] = {{"fivesplit_size_classes", 1},
                                                        {"fivesplit_child_colours_zoom", 1},
                                                        {"fivesplit_child_colours", 1},
                                                        {"fivesplit_area_labels", 2}};
    for (const auto &[name, frames] : programs) {
        const CapturedRun run = capture_frames(name);
        EXPECT_EQ(run.status, 0) << name;
        EXPECT_EQ(run.frames.size(), frames) << name;
        EXPECT_EQ(run.errors, "") << name;
    }
}

TEST(SizeClasses, TheFirstChildPathEndsInOneRedLeafInEachHalf)
{
    const CapturedRun run = capture_frames("fivesplit_size_classes");
    ASSERT_EQ(run.frames.size(), 1u);
    RightTriangle leaf = {0, 0, 100, 0, 0.8f};
    for (int depth = 0; depth < 5; ++depth) {
        RightTriangle children[5];
        split_five(leaf, children);
        leaf = children[0];
    }
    float x3, y3;
    third_vertex(leaf, x3, y3);
    // Its pixel centroid, and that of its reflection through (50, 40).
    const float xs[3] = {leaf.x1, leaf.x2, x3}, ys[3] = {leaf.y1, leaf.y2, y3};
    for (int reflected = 0; reflected < 2; ++reflected) {
        int sx = 0, sy = 0;
        for (int i = 0; i < 3; ++i) {
            sx += static_cast<int>(7.0 * (reflected ? 100 - xs[i] : xs[i]) + 10);
            sy += static_cast<int>(590 - 7.0 * (reflected ? 80 - ys[i] : ys[i]));
        }
        EXPECT_EQ(pixel_at(run.frames[0], sx / 3, sy / 3), RED) << "reflected " << reflected;
    }
    EXPECT_EQ(region_sizes(run.frames[0], RED).size(), 2u);
}

TEST(ChildColours, SixHundredTwentyFiveTilesAHundredTwentyFiveOfEachColour)
{
    const CapturedRun run = capture_frames("fivesplit_child_colours");
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
    using ld = long double;
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
        px[i] = trunc_int(8 * static_cast<ld>(xs[i]) - 101);
        py[i] = trunc_int(799 - 8 * static_cast<ld>(ys[i]));
    }
    const Uint32 black = map_rgb(0, 0, 0);
    draw_line(px[0], py[0], px[1], py[1], black);
    draw_line(px[0], py[0], px[2], py[2], black);
    draw_line(px[2], py[2], px[1], py[1], black);
    const int sx = trunc_int((static_cast<ld>(px[0]) + px[1] + px[2]) * 0.33333);
    const int sy = trunc_int((static_cast<ld>(py[0]) + py[1] + py[2]) * 0.33333);
    if (sx >= 1 && sx <= 798 && sy >= 1 && sy <= 598)
        flood_fill(sx, sy, colours[child], black);
}

TEST(ChildColoursZoom, LeavesWhollyOffTheCanvasCanBeLeftOutAsTheyDrawNothing)
{
    const CapturedRun run = capture_frames("fivesplit_child_colours_zoom");
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

// Runs the capture build `program` (which may be a copy anywhere) with
// `folder` as its working folder and frame folder.
CapturedRun run_in_folder(const std::string &program, const std::string &folder)
{
    CapturedRun run;
    const pid_t pid = fork();
    if (pid == 0) {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("FRAME_DIR", folder.c_str(), 1);
        if (chdir(folder.c_str()) != 0 || !freopen("/dev/null", "r", stdin) ||
            !freopen("errors.txt", "w", stderr))
            _exit(126);
        execl(program.c_str(), program.c_str(), static_cast<char *>(nullptr));
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    const std::string name = fs::path(program).filename().string();
    for (int n = 1;; ++n) {
        char file[64];
        std::snprintf(file, sizeof file, "/%s_%02d.png", name.c_str(), n);
        Picture frame;
        std::string error;
        if (!fs::exists(folder + file) || !read_picture(folder + file, frame, error))
            break;
        run.frames.push_back(std::move(frame));
    }
    std::ifstream errors(folder + "/errors.txt");
    run.errors.assign(std::istreambuf_iterator<char>(errors), std::istreambuf_iterator<char>());
    return run;
}

const std::string LABELS_CAPTURE = std::string(CAPTURE_DIR) + "/fivesplit_area_labels";

// The labels of a run that found its font: the pixels of the first frame
// inside the canvas frame that are not white. They lie above the figure.
std::vector<bool> label_pixels(const CapturedRun &run)
{
    std::vector<bool> label(800 * 600, false);
    for (int y = 1; y < 599; ++y)
        for (int x = 1; x < 799; ++x)
            label[y * 800 + x] = pixel_at(run.frames[0], x, y) != WHITE;
    return label;
}

TEST(AreaLabels, LabelsInTheFirstFrameStayInTheSecond)
{
    const CapturedRun run = capture_frames("fivesplit_area_labels");
    ASSERT_EQ(run.frames.size(), 2u);
    const std::vector<bool> label = label_pixels(run);
    long count = 0;
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x) {
            if (!label[y * 800 + x])
                continue;
            ++count;
            EXPECT_TRUE(x >= 300 && x < 600 && y >= 15 && y < 45) << x << ", " << y;
            EXPECT_EQ(pixel_at(run.frames[0], x, y), BLACK) << x << ", " << y;
            EXPECT_EQ(pixel_at(run.frames[1], x, y), BLACK) << x << ", " << y;
        }
    EXPECT_GT(count, 200);
}

// A run without labels shows what a run with them shows, less the labels.
void expect_same_but_labels(const CapturedRun &without, const CapturedRun &with)
{
    ASSERT_EQ(without.frames.size(), 2u);
    const std::vector<bool> label = label_pixels(with);
    for (int n = 0; n < 2; ++n) {
        long differing = 0;
        for (size_t i = 0; i < label.size(); ++i)
            differing += without.frames[n].rgb[i] != (label[i] ? WHITE : with.frames[n].rgb[i]);
        EXPECT_EQ(differing, 0) << "frame " << n + 1;
    }
}

TEST(AreaLabels, WithoutAUsableFontTheFigureIsDrawnAllTheSame)
{
    const CapturedRun normal = capture_frames("fivesplit_area_labels");
    ASSERT_EQ(normal.frames.size(), 2u);
    // The program copied to a bare folder, where no copy of the font lies
    // beside it (unless `beside`), run in a folder holding `here` as
    // times.ttf (nothing if null).
    struct Case {
        const char *here;
        bool beside, labels;
    } cases[] = {{nullptr, false, false}, {"", false, false}, {"not a font\n", false, false},
                 {"not a font\n", true, true}, {nullptr, true, true}};
    for (const Case &c : cases) {
        const std::string root = make_temp_folder();
        fs::create_directories(root + "/bin");
        fs::create_directories(root + "/work");
        fs::copy_file(LABELS_CAPTURE, root + "/bin/fivesplit_area_labels");
        if (c.beside) {
            fs::create_directories(root + "/share/tilings");
            fs::copy_file(std::string(PROGRAM_DIR) + "/share/tilings/times.ttf",
                          root + "/share/tilings/times.ttf");
        }
        if (c.here)
            std::ofstream(root + "/work/times.ttf") << c.here;
        const CapturedRun run = run_in_folder(root + "/bin/fivesplit_area_labels", root + "/work");
        const std::string name = c.here ? "'" + std::string(c.here) + "'" : "none";
        EXPECT_EQ(run.status, 0) << name;
        if (c.labels) {
            ASSERT_EQ(run.frames.size(), 2u);
            EXPECT_EQ(run.frames[0].rgb, normal.frames[0].rgb) << name;
            EXPECT_EQ(run.frames[1].rgb, normal.frames[1].rgb) << name;
            EXPECT_EQ(run.errors, "") << name;
        } else {
            expect_same_but_labels(run, normal);
            EXPECT_EQ(std::count(run.errors.begin(), run.errors.end(), '\n'), 1) << run.errors;
            EXPECT_NE(run.errors.find("labels are left out"), std::string::npos) << run.errors;
        }
        fs::remove_all(root);
    }
}

TEST(Install, ProgramsLandInBinAndTheLabelsFindTheirFont)
{
    const std::string prefix = make_temp_folder();
    const std::string command = std::string(CMAKE_COMMAND) + " --install " + PROGRAM_DIR +
                                " --prefix " + prefix + " >/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;

    const char *const programs[] = {
        "chair_colour_tiling", "chair_grey_square", "chair_growth", "chair_grey_zoom",
        "chair_grid_steps", "penta_hexagon_tiling", "penta_hexagon_strapwork", "tri_axis_edges",
        "tri_shaded_steps", "tri_shaded_zoom", "tri_midpoint_steps", "fivesplit_pinwheel",
        "fivesplit_size_classes", "fivesplit_child_colours_zoom", "fivesplit_child_colours",
        "fivesplit_area_labels", "tile_step_counts", "tile_area_classes"};
    for (const char *program : programs) {
        if (!fs::exists(std::string(PROGRAM_DIR) + "/" + program))
            continue; // not built yet on this branch
        const fs::path installed = fs::path(prefix) / "bin" / program;
        EXPECT_TRUE(fs::exists(installed) && access(installed.c_str(), X_OK) == 0) << installed;
    }
    std::ifstream built(std::string(PROGRAM_DIR) + "/share/tilings/times.ttf", std::ios::binary);
    std::ifstream font(prefix + "/share/tilings/times.ttf", std::ios::binary);
    const std::string built_bytes{std::istreambuf_iterator<char>(built), {}};
    EXPECT_GT(built_bytes.size(), 10000u);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(font), {}), built_bytes);
    EXPECT_EQ(std::system((prefix + "/bin/tile_step_counts </dev/null >/dev/null").c_str()), 0);

    // The capture build in the installed program's place, run elsewhere,
    // shows the labels from the installed font.
    const std::string program = prefix + "/bin/fivesplit_area_labels";
    fs::copy_file(LABELS_CAPTURE, program, fs::copy_options::overwrite_existing);
    const std::string work = make_temp_folder();
    const CapturedRun run = run_in_folder(program, work);
    const CapturedRun normal = capture_frames("fivesplit_area_labels");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.errors, "");
    ASSERT_EQ(run.frames.size(), 2u);
    ASSERT_EQ(normal.frames.size(), 2u);
    EXPECT_EQ(run.frames[0].rgb, normal.frames[0].rgb);
    fs::remove_all(work);
    fs::remove_all(prefix);
}

} // namespace
