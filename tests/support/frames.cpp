#include "frames.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>

std::string make_temp_folder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "tilings-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        ADD_FAILURE() << "cannot make a temporary folder";
    return pattern;
}

CapturedRun run_capture_build(Launch launch, const std::string &program,
                              const std::string &frame_folder)
{
    launch.environment.insert(launch.environment.begin(),
                              {"SDL_VIDEODRIVER=dummy", "FRAME_DIR=" + frame_folder});
    const Ran ran = run_program(launch);
    CapturedRun run;
    run.status = ran.status;
    run.output = ran.output;
    run.errors = ran.errors;
    for (int n = 1;; ++n) {
        char name[64];
        std::snprintf(name, sizeof name, "/%s_%02d.png", program.c_str(), n);
        const std::string file = frame_folder + name;
        if (!std::filesystem::exists(file))
            break;
        Picture frame;
        std::string error;
        if (!read_picture(file, frame, error))
            ADD_FAILURE() << file << ": " << error;
        run.frames.push_back(std::move(frame));
    }
    return run;
}

CapturedRun capture_frames(const std::string &program, const std::vector<std::string> &environment)
{
    const std::string folder = make_temp_folder();
    Launch launch;
    launch.command = {std::string(CAPTURE_DIR) + "/" + program};
    launch.environment = environment;
    CapturedRun run = run_capture_build(launch, program, folder);
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

Bounds bounds_of(const Picture &p, uint32_t rgb)
{
    Bounds box;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            if (pixel_at(p, x, y) == rgb) {
                box.left = std::min(box.left, x);
                box.right = std::max(box.right, x);
                box.top = std::min(box.top, y);
                box.bottom = std::max(box.bottom, y);
            }
    return box;
}

Picture difference_picture(const Picture &expected, const Picture &actual)
{
    Picture diff = expected;
    for (size_t i = 0; i < diff.rgb.size(); ++i) {
        const uint32_t e = expected.rgb[i];
        const bool same = i < actual.rgb.size() && actual.rgb[i] == e;
        uint32_t faded = 0;
        for (int shift = 0; shift < 24; shift += 8)
            faded |= (0xc0 + ((e >> shift & 0xff) >> 2)) << shift;
        diff.rgb[i] = same ? faded : 0xff0000;
    }
    return diff;
}
