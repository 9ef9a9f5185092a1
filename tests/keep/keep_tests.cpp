#include "keep_tests.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <sstream>
#include <sys/wait.h>

std::vector<std::string> window_programs()
{
    std::vector<std::string> programs;
    std::stringstream list(WINDOW_PROGRAMS);
    std::string entry;
    while (std::getline(list, entry, ','))
        programs.push_back(entry);
    return programs;
}

std::string program_name(const std::string &entry)
{
    return std::filesystem::path(entry).filename().string();
}

CommandRun run_command(const std::string &command)
{
    CommandRun run;
    FILE *pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe) {
        ADD_FAILURE() << "cannot run " << command;
        return run;
    }
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        run.output.append(buffer, got);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return run;
}

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
