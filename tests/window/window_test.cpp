// Every window program in a real window, on an X server of its own (Xvfb):
// the window shows exactly the frames the capture build saves, mouse
// motion and clicks leave it alone, and each key press moves it on, as does
// each request to close the window; after its last wait it ends with
// status 0. The program is run twice on the same server, once stepped by
// keys and once by close requests.
//
// A program that ends early, or a server that dies, fails the test at once
// with the program's and the server's standard error.
#include "close_request.h"
#include "frames.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
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

std::string read_file(const std::string &path)
{
    std::ifstream in(path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
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
    FILE *pipe = popen(("xwd -root -silent -display " + display + " 2>/dev/null").c_str(), "r");
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

// Exit status once the process has ended, or -1 while it runs.
int exit_status_now(pid_t pid)
{
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) != pid)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

void stop(pid_t pid)
{
    if (pid > 0 && kill(pid, SIGTERM) == 0)
        waitpid(pid, nullptr, 0);
}

// An Xvfb server with one 800 x 600 screen, for one test, with its standard
// error kept in a file. It must not reset when its last client leaves: a
// program that connects while it resets is turned away.
struct XServer {
    pid_t pid = -1;
    std::string display;
    std::string errors_path;
    ~XServer() { stop(pid); }
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
        server.pid = fork();
        if (server.pid == 0) {
            close(fds[0]);
            const std::string fd = std::to_string(fds[1]);
            if (!freopen(server.errors_path.c_str(), "a", stderr))
                _exit(126);
            execlp("Xvfb", "Xvfb", display.c_str(), "-displayfd", fd.c_str(), "-noreset",
                   "-screen", "0", "800x600x24", "-nolisten", "tcp", static_cast<char *>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        std::string number;
        char c;
        while (read(fds[0], &c, 1) == 1 && c != '\n')
            number += c;
        close(fds[0]);
        if (!number.empty()) {
            server.display = ":" + number;
        } else {
            stop(server.pid);
            server.pid = -1;
        }
    }
}

bool xdotool(const std::string &display, const std::string &arguments)
{
    return std::system(("DISPLAY=" + display + " xdotool " + arguments).c_str()) == 0;
}

class RealWindow : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override
    {
        if (!have("Xvfb") || !have("xdotool") || !have("xwd"))
            GTEST_SKIP() << "Xvfb, xdotool or xwd is not installed: no real window to test";
        folder = make_temp_folder();
        start_x_server(server, folder);
        ASSERT_FALSE(server.display.empty()) << "Xvfb did not start:\n" << server.errors();
    }
    void TearDown() override
    {
        stop(program);
        if (!folder.empty())
            std::filesystem::remove_all(folder);
    }

    void start_program(const std::string &name)
    {
        program_errors = folder + "/" + name + "-errors.txt";
        const std::string path = std::string(PROGRAM_DIR) + "/" + name;
        program = fork();
        if (program == 0) {
            setenv("DISPLAY", server.display.c_str(), 1);
            unsetenv("SDL_VIDEODRIVER");
            if (!freopen("/dev/null", "r", stdin) ||
                !freopen(program_errors.c_str(), "w", stderr))
                _exit(126);
            execl(path.c_str(), path.c_str(), static_cast<char *>(nullptr));
            _exit(127);
        }
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
            if (status >= 0) {
                program = -1;
                FAIL() << what << ": the program ended with status " << status
                       << " before showing it" << what_happened();
            }
            if (exit_status_now(server.pid) >= 0) {
                server.pid = -1;
                FAIL() << what << ": the X server died" << what_happened();
            }
            if (std::chrono::steady_clock::now() > end)
                FAIL() << what << ": not shown within 20 s" << what_happened();
            std::this_thread::sleep_for(20ms);
        }
    }

    void expect_ends_with_status_zero(const std::string &name)
    {
        const auto end = std::chrono::steady_clock::now() + 20s;
        int status;
        while ((status = exit_status_now(program)) < 0 && std::chrono::steady_clock::now() < end)
            std::this_thread::sleep_for(20ms);
        if (status >= 0)
            program = -1;
        EXPECT_EQ(status, 0) << name << " did not end with status 0 after its last wait"
                             << what_happened();
    }

    // Runs the program through all its frames, moving it on at every wait
    // with a key press or with a close request.
    void step_through(const std::string &name, const std::vector<Picture> &frames, bool by_key)
    {
        const char *how = by_key ? "stepped by keys" : "stepped by close requests";
        start_program(name);
        for (size_t i = 0; i < frames.size(); ++i) {
            std::ostringstream what;
            what << name << " " << how << ", frame " << i + 1 << " of " << frames.size();
            expect_shown(frames[i], what.str());
            if (HasFatalFailure())
                return;
            if (by_key && i == 0) {
                ASSERT_TRUE(xdotool(server.display, "mousemove 100 100 click 1 mousemove 400 300"));
                std::this_thread::sleep_for(300ms);
                if (exit_status_now(program) >= 0) {
                    program = -1;
                    FAIL() << what.str() << ": the mouse ended the program" << what_happened();
                }
                expect_shown(frames[0], what.str() + ", after the mouse");
                if (HasFatalFailure())
                    return;
            }
            if (by_key)
                ASSERT_TRUE(xdotool(server.display, "key space"));
            else
                ASSERT_TRUE(request_close(server.display)) << what.str() << ": no window to close";
        }
        expect_ends_with_status_zero(name);
    }

    std::string folder;
    XServer server;
    pid_t program = -1;
    std::string program_errors;
};

std::vector<std::string> window_programs()
{
    std::vector<std::string> programs;
    std::stringstream list(WINDOW_PROGRAMS);
    std::string entry;
    while (std::getline(list, entry, ','))
        programs.push_back(std::filesystem::path(entry).filename().string());
    return programs;
}

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

} // namespace
