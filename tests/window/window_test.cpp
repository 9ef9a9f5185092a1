// Every window program in a real window, on an X server of its own (Xvfb):
// the window shows exactly the frames the capture build saves, mouse
// motion and clicks leave it alone, and each key press moves it on, as does
// each request to close the window; after its last wait it ends with
// status 0. The program is run twice on the same server, once stepped by
// keys and once by close requests. On a few programs, the window's title,
// class and icon, as a desktop reads them.
//
// A program that ends early, or a server that dies, fails the test at once
// with the program's and the server's standard error.
#include "close_request.h"
#include "frames.h"
#include "program_notes.h"
#include "window_programs.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <sstream>
#include <string>
#include <thread>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;

uint32_t read_card32(const unsigned char *p)
{
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

int mask_shift(uint32_t mask)
{
    int shift = 0;
    while (mask && !(mask & 1)) {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

// The whole screen of the X server, read with xwd (32 bits per pixel).
bool screenshot(const std::string &display, Picture &picture)
{
    Launch xwd;
    xwd.command = {"xwd", "-root", "-silent", "-display", display};
    const Ran ran = run_program(xwd, 20);
    const std::string &data = ran.output;
    if (ran.status != 0 || data.size() < 100)
        return false;
    const auto *bytes = reinterpret_cast<const unsigned char *>(data.data());
    auto field = [&](int i) { return read_card32(bytes + 4 * i); };
    const uint32_t header_size = field(0), width = field(4), height = field(5);
    const uint32_t byte_order = field(7), bits_per_pixel = field(11), bytes_per_line = field(12);
    const uint32_t red_mask = field(14), green_mask = field(15), blue_mask = field(16);
    const uint32_t colours = field(19);
    const size_t start = header_size + size_t(colours) * 12;
    if (bits_per_pixel != 32 || data.size() < start + size_t(bytes_per_line) * height)
        return false;
    picture.width = int(width);
    picture.height = int(height);
    picture.rgb.assign(size_t(width) * height, 0);
    for (uint32_t y = 0; y < height; ++y)
        for (uint32_t x = 0; x < width; ++x) {
            const unsigned char *p = bytes + start + size_t(y) * bytes_per_line + 4 * x;
            const uint32_t v = byte_order == 0
                                   ? uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 |
                                         uint32_t(p[3]) << 24
                                   : read_card32(p);
            picture.rgb[size_t(y) * width + x] = ((v & red_mask) >> mask_shift(red_mask)) << 16 |
                                                 ((v & green_mask) >> mask_shift(green_mask)) << 8 |
                                                 ((v & blue_mask) >> mask_shift(blue_mask));
        }
    return true;
}

// An Xvfb server with one 800 x 600 screen, for one test, with its standard
// error kept in a file. It must not reset when its last client leaves: a
// program that connects while it resets is turned away.
struct XServer {
    Process process;
    std::string display;
    std::string errors_path;
    std::string errors() const { return read_file(errors_path); }
};

// Starts the server and learns its display number, which Xvfb writes to
// the -displayfd pipe, followed by a newline in a write of its own, once it
// accepts clients: the pipe is read up to that newline (or its end) before
// it is closed, for a server that meets a closed pipe there gives up. The
// display is one of a range far above the usual ones, chosen by the test's
// process id, so that no stray client of another server (a test run beside
// this one, say) sends its keys here; a display already taken ends the
// server at once, and the next one is tried.
void start_x_server(XServer &server, const std::string &folder)
{
    server.errors_path = folder + "/xvfb-errors.txt";
    for (int attempt = 0; attempt < 20 && server.display.empty(); ++attempt) {
        const std::string display = ":" + std::to_string(200 + (getpid() * 7 + attempt * 37) % 800);
        int fds[2];
        if (pipe(fds) != 0)
            return;
        // Only the write end goes to the server.
        fcntl(fds[0], F_SETFD, FD_CLOEXEC);
        Launch xvfb;
        xvfb.command = {"Xvfb", display, "-displayfd", std::to_string(fds[1]), "-noreset",
                        "-screen", "0", "800x600x24", "-nolisten", "tcp"};
        xvfb.output_file = "/dev/null";
        xvfb.errors_file = server.errors_path;
        const bool started = start_program(xvfb, server.process);
        close(fds[1]);
        std::string number;
        char c;
        while (started && read(fds[0], &c, 1) == 1 && c != '\n')
            number += c;
        close(fds[0]);
        if (!number.empty())
            server.display = ":" + number;
        else
            stop_program(server.process);
    }
}

bool xdotool(const std::string &display, const std::vector<std::string> &arguments)
{
    Launch launch;
    launch.command = {"xdotool"};
    launch.command.insert(launch.command.end(), arguments.begin(), arguments.end());
    launch.environment = {"DISPLAY=" + display};
    return run_program(launch, 20).status == 0;
}

class RealWindow : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override
    {
        if (!on_path("Xvfb") || !on_path("xdotool") || !on_path("xwd"))
            GTEST_SKIP() << "Xvfb, xdotool or xwd is not installed: no real window to test";
        folder = make_temp_folder();
        start_x_server(server, folder);
        ASSERT_FALSE(server.display.empty()) << "Xvfb did not start:\n" << server.errors();
    }
    void TearDown() override
    {
        stop_program(program);
        if (!folder.empty())
            std::filesystem::remove_all(folder);
    }

    void start(const std::string &name, const std::vector<std::string> &environment = {})
    {
        program_errors = folder + "/" + name + "-errors.txt";
        Launch launch;
        launch.command = {std::string(PROGRAM_DIR) + "/" + name};
        launch.environment = {"DISPLAY=" + server.display, "SDL_VIDEODRIVER"};
        launch.environment.insert(launch.environment.end(), environment.begin(), environment.end());
        launch.output_file = "/dev/null";
        launch.errors_file = program_errors;
        ASSERT_TRUE(start_program(launch, program)) << name;
    }

    std::string what_happened()
    {
        return "\nprogram's standard error:\n" + read_file(program_errors) +
               "\nXvfb's standard error:\n" + server.errors();
    }

    // Waits until the screen shows `expected`; fails at once if the program
    // or the server ends meanwhile.
    void expect_shown(const Picture &expected, const std::string &what)
    {
        Picture shot;
        const auto end = std::chrono::steady_clock::now() + 20s;
        for (;;) {
            if (screenshot(server.display, shot) && shot.rgb == expected.rgb)
                return;
            const int status = exit_status_now(program);
            if (status >= 0)
                FAIL() << what << ": the program ended with status " << status
                       << " before showing it" << what_happened();
            if (exit_status_now(server.process) >= 0)
                FAIL() << what << ": the X server died" << what_happened();
            if (std::chrono::steady_clock::now() > end)
                FAIL() << what << ": not shown within 20 s" << what_happened();
            std::this_thread::sleep_for(20ms);
        }
    }

    void expect_ends_with_status_zero(const std::string &name)
    {
        EXPECT_EQ(wait_for_end(program, 20), 0)
            << name << " did not end with status 0 after its last wait" << what_happened();
    }

    // Runs the program through all its frames, moving it on at every wait
    // with a key press or with a close request.
    void step_through(const std::string &name, const std::vector<Picture> &frames, bool by_key)
    {
        const char *how = by_key ? "stepped by keys" : "stepped by close requests";
        start(name);
        if (HasFatalFailure())
            return;
        for (size_t i = 0; i < frames.size(); ++i) {
            std::ostringstream what;
            what << name << " " << how << ", frame " << i + 1 << " of " << frames.size();
            expect_shown(frames[i], what.str());
            if (HasFatalFailure())
                return;
            if (by_key && i == 0) {
                ASSERT_TRUE(xdotool(server.display, {"mousemove", "100", "100", "click", "1",
                                                     "mousemove", "400", "300"}));
                std::this_thread::sleep_for(300ms);
                if (exit_status_now(program) >= 0)
                    FAIL() << what.str() << ": the mouse ended the program" << what_happened();
                expect_shown(frames[0], what.str() + ", after the mouse");
                if (HasFatalFailure())
                    return;
            }
            if (by_key)
                ASSERT_TRUE(xdotool(server.display, {"key", "space"}));
            else
                ASSERT_TRUE(request_close(server.display)) << what.str() << ": no window to close";
        }
        expect_ends_with_status_zero(name);
    }

    std::string folder;
    XServer server;
    Process program;
    std::string program_errors;
};

TEST_P(RealWindow, FramesKeysAndCloseRequests)
{
    const std::string name = GetParam();
    const CapturedRun captured = capture_frames(name);
    ASSERT_EQ(captured.status, 0) << captured.errors;
    ASSERT_FALSE(captured.frames.empty());
    step_through(name, captured.frames, true);
    if (HasFatalFailure())
        return;
    step_through(name, captured.frames, false);
}

INSTANTIATE_TEST_SUITE_P(WindowPrograms, RealWindow, ::testing::ValuesIn(window_programs()),
                         [](const auto &info) { return info.param; });

// A window on a desktop: a window manager (openbox) frames it and reads
// its name and icon as it maps it.
class NamedWindow : public RealWindow {
protected:
    void SetUp() override
    {
        if (!on_path("openbox") || !on_path("xprop"))
            GTEST_SKIP() << "openbox or xprop is not installed (tools/install_deps.sh installs them)";
        RealWindow::SetUp();
        if (HasFatalFailure() || IsSkipped())
            return;
        // Once it has started, it runs its startup command. (A window
        // mapped while it starts may be left unmapped.)
        const std::string ready = folder + "/openbox-ready";
        Launch openbox;
        openbox.command = {"openbox", "--sm-disable", "--startup", "touch " + ready};
        openbox.environment = {"DISPLAY=" + server.display};
        openbox.output_file = openbox.errors_file = folder + "/openbox.txt";
        ASSERT_TRUE(start_program(openbox, window_manager));
        const auto end = std::chrono::steady_clock::now() + 20s;
        while (!std::filesystem::exists(ready)) {
            ASSERT_LT(std::chrono::steady_clock::now(), end) << "openbox did not start";
            std::this_thread::sleep_for(20ms);
        }
    }
    void TearDown() override
    {
        stop_program(window_manager);
        RealWindow::TearDown();
    }
    Process window_manager;
};

// The window shows the figure's title in the user's language and names the
// program as its class, as its notes and its menu entry say (read with
// xprop, as a desktop reads them), and carries the icon installed for it.
TEST_P(NamedWindow, HasItsTitleInTheUsersLanguageItsClassAndItsIcon)
{
    const std::string entry = GetParam(), name = std::filesystem::path(entry).filename();
    ProgramNotes notes;
    std::string error;
    ASSERT_TRUE(read_program_notes(std::string(SOURCE_DIR) + "/" + entry + ".cpp", notes, error))
        << error;
    const std::string share = std::string(PROGRAM_DIR) + "/package/share/";
    const std::string desktop = read_file(share + "applications/" + name + ".desktop");
    EXPECT_NE(desktop.find("\nStartupWMClass=" + name + "\n"), std::string::npos) << desktop;
    Picture icon;
    ASSERT_TRUE(read_picture(share + "icons/hicolor/64x64/apps/" + name + ".png", icon, error));
    std::vector<unsigned long> icon_words = {64, 64};
    for (const uint32_t pixel : icon.rgb)
        icon_words.push_back(0xff000000ul | pixel);

    for (const bool french : {false, true}) {
        const std::string title = french ? notes.fr.title : notes.en.title;
        EXPECT_NE(desktop.find((french ? "\nName[fr]=" : "\nName=") + title + "\n"),
                  std::string::npos)
            << desktop;
        start(name, {"LANGUAGE", "LC_ALL", "LC_MESSAGES", french ? "LANG=fr_FR.UTF-8" : "LANG=C"});
        // The window, once it has a name (it may be listed a moment before).
        unsigned long window = 0;
        std::string properties;
        const auto end = std::chrono::steady_clock::now() + 20s;
        do {
            std::this_thread::sleep_for(20ms);
            if (!(window = shown_window(server.display)))
                continue;
            Launch xprop;
            xprop.command = {"xprop", "-display", server.display, "-id", std::to_string(window),
                             "-notype", "_NET_WM_NAME", "WM_CLASS"};
            xprop.environment = {"LC_ALL=C.UTF-8"};
            properties = run_program(xprop, 20).output;
        } while (properties.find("_NET_WM_NAME = ") == std::string::npos &&
                 std::chrono::steady_clock::now() < end);
        ASSERT_NE(window, 0ul) << name << " shows no window" << what_happened();
        EXPECT_EQ(properties, "_NET_WM_NAME = \"" + title + "\"\nWM_CLASS = \"" + name + "\", \"" +
                                  name + "\"\n");
        EXPECT_EQ(window_icon(server.display, window), icon_words) << name;
        for (size_t frame = 0; frame < notes.en.captions.size(); ++frame)
            ASSERT_TRUE(xdotool(server.display, {"key", "space"}));
        expect_ends_with_status_zero(name);
    }
}

INSTANTIATE_TEST_SUITE_P(SomePrograms, NamedWindow,
                         ::testing::Values("chair/chair_colour_tiling", "fivesplit/fivesplit_pinwheel",
                                           "triangle/tri_midpoint_steps"),
                         [](const auto &info) {
                             return std::filesystem::path(info.param).filename().string();
                         });

} // namespace
