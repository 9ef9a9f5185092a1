#include "frames.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sys/wait.h>
#include <unistd.h>

std::string make_temp_folder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "tilings-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        ADD_FAILURE() << "cannot make a temporary folder";
    return pattern;
}

CapturedRun capture_frames(const std::string &program, const std::vector<std::string> &environment)
{
    CapturedRun run;
    const std::string folder = make_temp_folder();
    const std::string path = std::string(CAPTURE_DIR) + "/" + program;
    const pid_t pid = fork();
    if (pid == 0) {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("FRAME_DIR", folder.c_str(), 1);
        for (const std::string &setting : environment)
            putenv(const_cast<char *>(setting.c_str()));
        if (!freopen("/dev/null", "r", stdin) ||
            !freopen((folder + "/errors.txt").c_str(), "w", stderr))
            _exit(126);
        execl(path.c_str(), path.c_str(), static_cast<char *>(nullptr));
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    for (int n = 1;; ++n) {
        char name[64];
        std::snprintf(name, sizeof name, "/%s_%02d.png", program.c_str(), n);
        const std::string file = folder + name;
        if (!std::filesystem::exists(file))
            break;
        Picture frame;
        std::string error;
        if (!read_picture(file, frame, error))
            ADD_FAILURE() << file << ": " << error;
        run.frames.push_back(std::move(frame));
    }
    std::ifstream errors(folder + "/errors.txt");
    run.errors.assign(std::istreambuf_iterator<char>(errors), std::istreambuf_iterator<char>());
    std::filesystem::remove_all(folder);
    return run;
}

long count_colour(const Picture &p, uint32_t rgb)
{
    return std::count(p.rgb.begin(), p.rgb.end(), rgb);
}

std::vector<long> region_sizes(const Picture &p, uint32_t rgb)
{
    std::vector<long> sizes;
    std::vector<char> seen(p.rgb.size(), 0);
    std::vector<size_t> stack;
    for (size_t start = 0; start < p.rgb.size(); ++start) {
        if (seen[start] || p.rgb[start] != rgb)
            continue;
        long size = 0;
        seen[start] = 1;
        stack.push_back(start);
        while (!stack.empty()) {
            const size_t i = stack.back();
            stack.pop_back();
            ++size;
            const int x = static_cast<int>(i % p.width), y = static_cast<int>(i / p.width);
            const size_t next[4] = {i - 1, i + 1, i - p.width, i + p.width};
            const bool inside[4] = {x > 0, x < p.width - 1, y > 0, y < p.height - 1};
            for (int k = 0; k < 4; ++k)
                if (inside[k] && !seen[next[k]] && p.rgb[next[k]] == rgb) {
                    seen[next[k]] = 1;
                    stack.push_back(next[k]);
                }
        }
        sizes.push_back(size);
    }
    return sizes;
}

std::vector<uint32_t> colours_used(const Picture &p)
{
    const std::set<uint32_t> colours(p.rgb.begin(), p.rgb.end());
    return {colours.begin(), colours.end()};
}
