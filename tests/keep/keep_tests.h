// What the tests of the keep tools (frames_to_gif, frames_to_sheet) share.
#ifndef KEEP_TESTS_H
#define KEEP_TESTS_H

#include "frames.h"

#include <string>
#include <vector>

// Every window program, as <folder>/<program>.
std::vector<std::string> window_programs();
std::string program_name(const std::string &entry);

struct CommandRun {
    int status = -1;
    std::string output; // standard output and error
};
CommandRun run_command(const std::string &command);

// Writes `frames` as <folder>/<name>_NN.png and returns their paths.
std::vector<std::string> write_frames(const std::string &folder, const std::string &name,
                                      const std::vector<Picture> &frames);
// The pictures kept beside a program's source, <folder>/<program>_NN.png.
std::vector<std::string> kept_frame_paths(const std::string &entry);
std::string joined(const std::vector<std::string> &paths);

#endif
