// The programs in a real window, on an X server of their own (Xvfb): the
// window shows exactly the frames the capture build saves, mouse motion and
// clicks leave it alone, each key press moves it on, and after its last
// wait it ends with status 0.
#include "frames.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;

bool have(const char *tool)
{
    return std::system((std::string("command -v ") + tool + " >/dev/null 2>&1").c_str()) == 0;
}

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
    FILE *pipe = popen(("xwd -root -silent -display " + display).c_str(), "r");
    if (!pipe)
        return false;
    std::string data;
    char buffer[65536];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        data.append(buffer, n);
    if (pclose(pipe) != 0 || data.size() < 100)
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

// An Xvfb server with one 800 x 600 screen, for one test. It must not
// reset when its last client leaves: a program that connects while it
// resets is turned away.
struct XServer {
    pid_t pid = -1;
    std::string display;
};

XServer start_x_server()
{
    XServer server;
    int fds[2];
    if (pipe(fds) != 0)
        return server;
    server.pid = fork();
    if (server.pid == 0) {
        close(fds[0]);
        const std::string fd = std::to_string(fds[1]);
        freopen("/dev/null", "w", stderr);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-noreset", "-screen", "0", "800x600x24",
               "-nolisten", "tcp", static_cast<char *>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    char number[32] = {};
    const ssize_t got = read(fds[0], number, sizeof number - 1);
    close(fds[0]);
    if (got > 0)
        server.display = ":" + std::to_string(std::atoi(number));
    return server;
}

void stop(pid_t pid)
{
    if (pid > 0) {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
}

bool shows(const std::string &display, const Picture &expected, std::chrono::seconds limit)
{
    Picture shot;
    const auto end = std::chrono::steady_clock::now() + limit;
    do {
        if (screenshot(display, shot) && shot.rgb == expected.rgb)
            return true;
        std::this_thread::sleep_for(50ms);
    } while (std::chrono::steady_clock::now() < end);
    return false;
}

void xdotool(const std::string &display, const std::string &arguments)
{
    const std::string command = "DISPLAY=" + display + " xdotool " + arguments;
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

// Exit status once the process has ended, or -1 if it is still running
// after `limit`.
int exit_status_within(pid_t pid, std::chrono::seconds limit)
{
    const auto end = std::chrono::steady_clock::now() + limit;
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > end)
            return -1;
        std::this_thread::sleep_for(20ms);
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

void check_in_window(const std::string &name)
{
    if (!have("Xvfb") || !have("xdotool") || !have("xwd"))
        GTEST_SKIP() << "Xvfb, xdotool or xwd is not installed: no real window to test";
    const CapturedRun captured = capture_frames(name);
    ASSERT_EQ(captured.status, 0);
    ASSERT_FALSE(captured.frames.empty());

    const XServer server = start_x_server();
    ASSERT_FALSE(server.display.empty()) << "Xvfb did not start";
    const std::string path = std::string(PROGRAM_DIR) + "/" + name;
    const pid_t program = fork();
    if (program == 0) {
        setenv("DISPLAY", server.display.c_str(), 1);
        unsetenv("SDL_VIDEODRIVER");
        execl(path.c_str(), path.c_str(), static_cast<char *>(nullptr));
        _exit(127);
    }
    for (size_t i = 0; i < captured.frames.size(); ++i) {
        EXPECT_TRUE(shows(server.display, captured.frames[i], 20s))
            << name << ": the window does not show frame " << i + 1;
        if (i == 0) {
            xdotool(server.display, "mousemove 100 100 click 1 mousemove 400 300");
            std::this_thread::sleep_for(300ms);
            siginfo_t info{};
            waitid(P_PID, program, &info, WEXITED | WNOHANG | WNOWAIT);
            EXPECT_EQ(info.si_pid, 0) << "the mouse ended the program";
            EXPECT_TRUE(shows(server.display, captured.frames[0], 5s));
        }
        xdotool(server.display, "key space");
    }
    const int status = exit_status_within(program, 20s);
    if (status < 0)
        stop(program);
    EXPECT_EQ(status, 0) << name << " did not end after its last wait";
    stop(server.pid);
}

TEST(RealWindow, ChairColourTiling) { check_in_window("chair_colour_tiling"); }
TEST(RealWindow, TriAxisEdges) { check_in_window("tri_axis_edges"); }
TEST(RealWindow, FivesplitPinwheel) { check_in_window("fivesplit_pinwheel"); }

} // namespace
