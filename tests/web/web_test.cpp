// The web pages (build-web/, made by tools/build_web.sh) in headless
// Chromium, against the programs' native frames from their capture builds.
//
// Per program, the exactness sweep: served and opened from the folder
// (file://), the page shows the same frames, pixel for pixel, in the same
// number, stepped by key, click, button and tap; going back shows them
// again exactly; a link to the last frame opens at it; the gallery's
// picture is the frame its link opens. Per behaviour, on one program:
// which keys step; the address; the download; the fit to the screen, touch,
// full screen and print; the sentence when the program cannot run. The
// label text of fivesplit_area_labels, drawn with the browser's font, is
// left out of the comparison, but must be there.
//
// The browser work is done by drive_pages.js; this test reads what it
// wrote. It prints how long each frame took to reach the canvas after the
// input that asked for it. Without the web build, node, the pinned client
// or Chromium the tests say which is missing and are skipped.
#include "frames.h"
#include "window_programs.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace {

namespace fs = std::filesystem;

constexpr size_t CANVAS_PIXELS = 800 * 600;

std::string chromium()
{
    const char *named = std::getenv("CHROMIUM");
    return named && *named ? named : "/usr/bin/chromium";
}

// Why the pages cannot be driven here, or "" when they can.
std::string missing_tools()
{
    if (!fs::exists(fs::path(WEB_SITE_DIR) / "index.html"))
        return std::string("no web build in ") + WEB_SITE_DIR + " (tools/build_web.sh makes it)";
    if (!on_path("node"))
        return "node is not installed (tools/build_web.sh installs it)";
    if (!fs::exists(fs::path(WEB_NODE_MODULES) / "playwright-core"))
        return std::string("no playwright-core in ") + WEB_NODE_MODULES +
               " (tools/build_web.sh installs it)";
    if (!fs::exists(chromium()))
        return chromium() + " is not installed (tools/build_web.sh installs it)";
    return "";
}

#define SKIP_WITHOUT_BROWSER()                                                             \
    do {                                                                                   \
        const std::string missing = missing_tools();                                       \
        if (!missing.empty())                                                              \
            GTEST_SKIP() << "web_test: " << missing;                                       \
    } while (0)

struct Box {
    int x0, y0, x1, y1; // inclusive
    bool holds(int x, int y) const { return x >= x0 && x <= x1 && y >= y0 && y <= y1; }
};

// The four area labels: 20-point text from x = 300, 370, 440, 510 at y = 15,
// placed a little differently by each font renderer; nothing else is drawn
// there.
constexpr Box AREA_LABELS = {295, 8, 620, 45};

// The part of a program's frames left out of the comparison, if any.
const Box *exempt_box(const std::string &program)
{
    return program == "fivesplit_area_labels" ? &AREA_LABELS : nullptr;
}

// A canvas as the driver wrote it: 800 x 600 RGBA bytes, row by row.
bool read_canvas(const std::string &path, Picture &picture)
{
    std::ifstream in(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (bytes.size() != CANVAS_PIXELS * 4)
        return false;
    picture.width = 800;
    picture.height = 600;
    picture.rgb.resize(CANVAS_PIXELS);
    for (size_t i = 0; i < picture.rgb.size(); ++i) {
        const auto byte = [&](size_t k) { return uint32_t(uint8_t(bytes[4 * i + k])); };
        picture.rgb[i] = byte(0) << 16 | byte(1) << 8 | byte(2);
    }
    return true;
}

// Compares a page's picture with the native frame outside `exempt` (if
// any); "" when they are equal, else the count of differing pixels and the
// first.
std::string compare(const Picture &native, const Picture &page, const Box *exempt)
{
    if (page.width != 800 || page.height != 600)
        return "the picture is " + std::to_string(page.width) + " x " +
               std::to_string(page.height);
    long differing = 0;
    std::string first;
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x) {
            const uint32_t a = pixel_at(native, x, y), b = pixel_at(page, x, y);
            if (a == b || (exempt && exempt->holds(x, y)))
                continue;
            if (differing++ == 0) {
                char text[96];
                std::snprintf(text, sizeof text, "first at (%d, %d): native %06x, page %06x", x,
                              y, a, b);
                first = text;
            }
        }
    return differing ? std::to_string(differing) + " pixels differ, " + first : "";
}

long dark_pixels(const Picture &p, const Box &box)
{
    long count = 0;
    for (int y = box.y0; y <= box.y1; ++y)
        for (int x = box.x0; x <= box.x1; ++x)
            count += (pixel_at(p, x, y) & 0xff) < 0x80;
    return count;
}

struct Shown {
    std::string program;
    std::string label; // <label>.rgba, or <label>.png for a download
    int frame;
};

// A file an export button wrote: OUT_DIR/file, in `format` (svg, cut, csv,
// pdf) on `paper`, for `state`.
struct Exported {
    std::string file, format, paper, state;
};

struct DriverRun {
    int status = -1;
    std::string out;
    std::vector<std::string> problems;
    std::vector<Shown> shown;
    std::vector<Exported> exported;
    int frames = 0;
    int gallery_frame = 0;
    std::vector<std::string> timings;
};

// Runs drive_pages.js's CHECK on `program`, in a fresh folder.
DriverRun drive(const std::string &check, const std::string &program)
{
    DriverRun run;
    run.out = make_temp_folder();
    Launch node;
    node.command = {"node", DRIVER, WEB_SITE_DIR, run.out, check, program};
    node.environment = {"NODE_PATH=" + std::string(WEB_NODE_MODULES), "CHROMIUM=" + chromium()};
    node.errors_with_output = true;
    const Ran ran = run_program(node, 280);
    run.status = ran.status;
    std::istringstream in(ran.output);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string kind, name, rest;
        fields >> kind >> name;
        std::getline(fields, rest);
        if (kind == "frames") {
            run.frames = std::atoi(rest.c_str());
        } else if (kind == "gallery") {
            run.gallery_frame = std::atoi(rest.c_str());
        } else if (kind == "timing") {
            run.timings.push_back(rest);
        } else if (kind == "export") {
            Exported exported;
            std::istringstream(rest) >> exported.file >> exported.format >> exported.paper >>
                exported.state;
            run.exported.push_back(exported);
        } else if (kind == "shown") {
            Shown shown;
            shown.program = name;
            std::istringstream(rest) >> shown.label >> shown.frame;
            run.shown.push_back(shown);
        } else {
            run.problems.push_back(line);
        }
    }
    return run;
}

// The picture the driver wrote for `shown`: a canvas or a download.
void read_shown(const DriverRun &run, const Shown &shown, Picture &picture)
{
    const std::string rgba = run.out + "/" + shown.label + ".rgba";
    std::string error;
    if (fs::exists(rgba))
        ASSERT_TRUE(read_canvas(rgba, picture)) << rgba;
    else
        ASSERT_TRUE(read_picture(run.out + "/" + shown.label + ".png", picture, error)) << error;
}

void expect_no_problems(const DriverRun &run)
{
    for (const std::string &problem : run.problems)
        ADD_FAILURE() << problem;
    EXPECT_EQ(run.status, 0);
}

// Fails on every problem the driver saw, and on each picture it wrote that
// differs from the native frame it must show.
void expect_native_frames(const DriverRun &run, const std::string &program,
                          const CapturedRun &native)
{
    expect_no_problems(run);
    const Box *exempt = exempt_box(program);
    for (const Shown &shown : run.shown) {
        ASSERT_TRUE(shown.frame >= 1 && shown.frame <= static_cast<int>(native.frames.size()))
            << shown.label << " is frame " << shown.frame;
        Picture picture;
        read_shown(run, shown, picture);
        EXPECT_EQ(compare(native.frames[shown.frame - 1], picture, exempt), "")
            << shown.label << ", frame " << shown.frame;
        if (exempt) {
            EXPECT_GT(dark_pixels(picture, *exempt), 100) << shown.label << ": no label text";
        }
    }
}

// The timing table: ms from the input (or the page's start) to the frame
// on the canvas, and to the browser's next picture after it; whether the
// program drew the frame or the page's store held it; and how much of the
// first the input waited for the page to take it (a busy machine's share).
void print_timings(const std::string &program, const std::vector<std::string> &timings)
{
    for (const std::string &timing : timings) {
        std::istringstream fields(timing);
        std::string frame, by, from, drawn, painted, waited;
        fields >> frame >> by >> from >> drawn >> painted >> waited;
        std::printf("web_test: %-28s frame %2s  by %-6s from %-7s  canvas %7s ms  painted %7s ms"
                    "  (input waited %s ms)\n",
                    program.c_str(), frame.c_str(), by.c_str(), from.c_str(), drawn.c_str(),
                    painted.c_str(), waited.c_str());
    }
}

CapturedRun native_frames(const std::string &program)
{
    CapturedRun native = capture_frames(program);
    EXPECT_EQ(native.status, 0) << native.errors;
    return native;
}

class WebPages : public ::testing::TestWithParam<std::string> {};

TEST_P(WebPages, ShowTheNativeFramesServedAndFromTheFolder)
{
    SKIP_WITHOUT_BROWSER();
    const std::string program = GetParam();
    ASSERT_TRUE(fs::exists(fs::path(WEB_SITE_DIR) / (program + ".html")))
        << WEB_SITE_DIR << " has no page for " << program << ": rerun tools/build_web.sh";
    const CapturedRun native = native_frames(program);
    const DriverRun run = drive("sweep", program);
    EXPECT_EQ(run.frames, static_cast<int>(native.frames.size()));
    int served = 0, from_folder = 0;
    for (const Shown &shown : run.shown) {
        served += shown.label.find("_served_") != std::string::npos;
        from_folder += shown.label.find("_file_") != std::string::npos;
    }
    EXPECT_EQ(served, static_cast<int>(native.frames.size()));
    EXPECT_EQ(from_folder, static_cast<int>(native.frames.size()));
    expect_native_frames(run, program, native);

    // The gallery's picture is the frame its link opens.
    ASSERT_GE(run.gallery_frame, 1);
    ASSERT_LE(run.gallery_frame, static_cast<int>(native.frames.size()));
    Picture picture;
    std::string error;
    ASSERT_TRUE(read_picture(std::string(WEB_SITE_DIR) + "/pictures/" + program + ".png",
                             picture, error))
        << error;
    EXPECT_EQ(compare(native.frames[run.gallery_frame - 1], picture, nullptr), "")
        << "the gallery's picture against frame " << run.gallery_frame;
    print_timings(program, run.timings);
    fs::remove_all(run.out);
}

// The page in French shows the program's French title, description and
// captions, each caption as the status line and as the picture's name.
TEST_P(WebPages, ShowTheirNotesInFrench)
{
    SKIP_WITHOUT_BROWSER();
    const DriverRun run = drive("french", GetParam());
    expect_no_problems(run);
    fs::remove_all(run.out);
}

INSTANTIATE_TEST_SUITE_P(Programs, WebPages, ::testing::ValuesIn(window_programs()),
                         [](const auto &info) { return info.param; });

// Every page, in English and in French: axe-core finds nothing serious or
// critical, and each stop of Tab shows the focus.
class EveryPage : public ::testing::TestWithParam<std::string> {};

TEST_P(EveryPage, AxeFindsNothingSeriousAndTheFocusShowsInBothLanguages)
{
    SKIP_WITHOUT_BROWSER();
    const DriverRun run = drive("accessible", GetParam());
    expect_no_problems(run);
    fs::remove_all(run.out);
}

std::vector<std::string> every_page()
{
    std::vector<std::string> pages = window_programs();
    pages.push_back("index");
    pages.push_back("explore");
    return pages;
}

INSTANTIATE_TEST_SUITE_P(Site, EveryPage, ::testing::ValuesIn(every_page()),
                         [](const auto &info) { return info.param; });

TEST(WebWords, EveryKeyInBothLanguagesAndEveryKeyThePagesSayIsThere)
{
    SKIP_WITHOUT_BROWSER();
    const DriverRun run = drive("words", "pages");
    expect_no_problems(run);
    fs::remove_all(run.out);
}

// A program of seven frames, for the behaviours.
const std::string STEPPED = "chair_growth";

// Drives one behaviour on STEPPED: the frames it shows, each the native one.
void expect_behaviour(const std::string &behaviour, size_t shown, const std::string &why = "")
{
    const DriverRun run = drive(behaviour, STEPPED);
    EXPECT_EQ(run.shown.size(), shown) << why;
    expect_native_frames(run, STEPPED, native_frames(STEPPED));
    fs::remove_all(run.out);
}

TEST(WebPage, KeysStepOnlyThePictureAndBothWays)
{
    SKIP_WITHOUT_BROWSER();
    expect_behaviour("keys", 2);
}

TEST(WebPage, AddressFollowsTheFrameAndLeadsWhenEdited)
{
    SKIP_WITHOUT_BROWSER();
    expect_behaviour("address", 4, "three frames, and the second in the explorer");
}

TEST(WebPage, DownloadIsTheExactFrame)
{
    SKIP_WITHOUT_BROWSER();
    expect_behaviour("download", 2, "a download at a kept frame and one at the latest");
}

TEST(WebPage, LanguageSwitchKeepsTheFrameAndTheExplorersState)
{
    SKIP_WITHOUT_BROWSER();
    expect_behaviour("languages", 2, "frame 3 in French, served and from the folder");
}

TEST(WebPage, FitsTheScreenTouchFullScreenAndPrint)
{
    SKIP_WITHOUT_BROWSER();
    // The longest title, which wraps on a phone.
    const DriverRun run = drive("fit", "chair_grey_square");
    for (const std::string &problem : run.problems)
        ADD_FAILURE() << problem;
    EXPECT_EQ(run.status, 0);
    fs::remove_all(run.out);
}

TEST(WebPage, SaysInOneSentenceWhenTheProgramCannotRun)
{
    SKIP_WITHOUT_BROWSER();
    const DriverRun run = drive("errors", "chair_colour_tiling");
    for (const std::string &problem : run.problems)
        ADD_FAILURE() << problem;
    EXPECT_EQ(run.status, 0);
    fs::remove_all(run.out);
}

// The explorer's page: each picture the driver wrote against the kept
// picture of the program frame it must be.
void expect_kept_frames(const DriverRun &run)
{
    expect_no_problems(run);
    for (const Shown &shown : run.shown) {
        std::string kept;
        for (const std::string &entry : window_program_entries())
            if (fs::path(entry).filename() == shown.program)
                kept = std::string(SOURCE_DIR) + "/" + entry + "_" +
                       (shown.frame < 10 ? "0" : "") + std::to_string(shown.frame) + ".png";
        Picture expected, picture;
        std::string error;
        ASSERT_TRUE(read_picture(kept, expected, error)) << shown.label << ": " << error;
        read_shown(run, shown, picture);
        EXPECT_EQ(compare(expected, picture, nullptr), "") << shown.label;
    }
}

TEST(ExplorerPage, EveryPresetIsItsProgramsFrameServedAndFromTheFolder)
{
    SKIP_WITHOUT_BROWSER();
    const DriverRun run = drive("explore_presets", "explore");
    EXPECT_GE(run.shown.size(), 2u * 25);
    expect_kept_frames(run);
    fs::remove_all(run.out);
}

TEST(ExplorerPage, GarbageKeysWheelDragAndTheAddressGiveTheStatesSaid)
{
    SKIP_WITHOUT_BROWSER();
    const DriverRun run = drive("explore_inputs", "explore");
    EXPECT_EQ(run.shown.size(), 2u) << "a download served and one from the folder";
    expect_kept_frames(run);
    fs::remove_all(run.out);
}

std::string file_bytes(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(ExplorerPage, ExportButtonsWriteTheCommandsBytes)
{
    SKIP_WITHOUT_BROWSER();
    const DriverRun run = drive("explore_exports", "explore");
    expect_no_problems(run);
    EXPECT_EQ(run.exported.size(), 5u * 4) << "four files at each of five states";
    for (const Exported &e : run.exported) {
        const std::string native = run.out + "/native_" + e.file;
        Launch explore;
        explore.command = {EXPLORE_PROGRAM, e.format == "cut" ? "--outline" : "--" + e.format,
                           native, "--paper", e.paper, e.state};
        const Ran ran = run_program(explore, 60);
        ASSERT_EQ(ran.status, 0) << ran.errors;
        const std::string page = file_bytes(run.out + "/" + e.file);
        EXPECT_TRUE(!page.empty() && page == file_bytes(native))
            << e.file << " (" << page.size() << " bytes) differs from tilings_explore's for "
            << e.state;
    }
    fs::remove_all(run.out);
}

TEST(ExplorerPage, SaysTheStateOnceAStepOrGestureSettles)
{
    SKIP_WITHOUT_BROWSER();
    const DriverRun run = drive("explore_announce", "explore");
    expect_no_problems(run);
    fs::remove_all(run.out);
}

TEST(ExplorerPage, FitsTheScreenAndTakesAPinch)
{
    SKIP_WITHOUT_BROWSER();
    const DriverRun run = drive("explore_fit", "explore");
    expect_no_problems(run);
    fs::remove_all(run.out);
}

} // namespace
