// Every window program's web page (build-web/, made by tools/build_web.sh)
// in headless Chromium, against the program's native frames from its
// capture build: the page shows the same frames, pixel for pixel, in the
// same number, stepped by key presses and clicks in turn; its status line
// follows them; it says when the program has ended and runs it again on
// request; a link to the last frame (#frame=N) opens at it. The label text
// of fivesplit_area_labels, drawn with the page's font, is left out of the
// comparison, but must be there.
//
// The browser work is done by drive_pages.js; this test reads what it
// wrote. It also prints how long each frame took to appear after its key
// press or click. Without the web build, node, the pinned client or
// Chromium the test says which is missing and is skipped.
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

// Compares the page's canvas with the native frame outside `exempt` (if
// any); ""
// when they are equal, else the count of differing pixels and the first.
std::string compare(const Picture &native, const Picture &page, const Box *exempt)
{
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

struct DriverRun {
    int status = -1;
    std::vector<std::string> problems;
    int frames = 0;
    int link_frame = 0;
    std::vector<std::string> timings;
};

DriverRun drive(const std::string &program, const std::string &out)
{
    Launch node;
    node.command = {"node", DRIVER, WEB_SITE_DIR, out, program};
    node.environment = {"NODE_PATH=" + std::string(WEB_NODE_MODULES), "CHROMIUM=" + chromium()};
    node.errors_with_output = true;
    const Ran ran = run_program(node, 280);
    DriverRun run;
    run.status = ran.status;
    std::istringstream in(ran.output);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string kind, name;
        fields >> kind >> name;
        std::string rest;
        std::getline(fields, rest);
        if (kind == "frames")
            run.frames = std::atoi(rest.c_str());
        else if (kind == "link")
            run.link_frame = std::atoi(rest.c_str());
        else if (kind == "timing")
            run.timings.push_back(rest);
        else
            run.problems.push_back(line);
    }
    return run;
}

class WebPages : public ::testing::TestWithParam<std::string> {};

TEST_P(WebPages, ShowTheNativeFramesStepByStep)
{
    const std::string missing = missing_tools();
    if (!missing.empty())
        GTEST_SKIP() << "web_test: " << missing;
    const std::string program = GetParam();
    ASSERT_TRUE(fs::exists(fs::path(WEB_SITE_DIR) / (program + ".html")))
        << WEB_SITE_DIR << " has no page for " << program << ": rerun tools/build_web.sh";

    const CapturedRun native = capture_frames(program);
    ASSERT_EQ(native.status, 0) << native.errors;
    const std::string out = make_temp_folder();
    const DriverRun page = drive(program, out);
    for (const std::string &problem : page.problems)
        ADD_FAILURE() << problem;
    EXPECT_EQ(page.status, 0);
    EXPECT_EQ(page.frames, static_cast<int>(native.frames.size()));

    const Box *exempt = exempt_box(program);
    for (int n = 1; n <= page.frames && n <= static_cast<int>(native.frames.size()); ++n) {
        const std::string path = out + "/" + program + (n < 10 ? "_0" : "_") +
                                 std::to_string(n) + ".rgba";
        Picture shown;
        ASSERT_TRUE(read_canvas(path, shown)) << path;
        EXPECT_EQ(compare(native.frames[n - 1], shown, exempt), "") << "frame " << n;
        if (exempt) {
            EXPECT_GT(dark_pixels(shown, *exempt), 100) << "frame " << n << ": no label text";
        }
    }
    if (page.link_frame >= 1 && page.link_frame <= static_cast<int>(native.frames.size())) {
        Picture linked;
        ASSERT_TRUE(read_canvas(out + "/" + program + "_link.rgba", linked));
        EXPECT_EQ(compare(native.frames[page.link_frame - 1], linked, exempt), "")
            << "the page opened by #frame=" << page.link_frame;
    } else {
        ADD_FAILURE() << "no frame was opened by a link";
    }

    // Frame N BY: ms from the key press or click (or from the page's start)
    // to the frame on the canvas, and to the browser's next picture after it.
    for (const std::string &timing : page.timings) {
        std::istringstream fields(timing);
        std::string frame, by, drawn, painted;
        fields >> frame >> by >> drawn >> painted;
        const std::string after = by == "load" ? "the page's start" : "a " + by;
        std::printf("web_test: %s frame %s after %s: on the canvas in %s ms, painted in %s ms\n",
                    program.c_str(), frame.c_str(), after.c_str(), drawn.c_str(),
                    painted.c_str());
    }
    fs::remove_all(out);
}

INSTANTIATE_TEST_SUITE_P(Programs, WebPages, ::testing::ValuesIn(window_programs()),
                         [](const auto &info) { return info.param; });

} // namespace
