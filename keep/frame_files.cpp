#include "frame_files.h"


bool read_frames(const std::vector<std::string> &paths, std::vector<Picture> &frames,
                 std::string &error)
{
    frames.clear();
    for (const std::string &path : paths) {
        Picture frame;
        if (!read_picture(path, frame, error))
            return false;
        if (!frames.empty() &&
            (frame.width != frames[0].width || frame.height != frames[0].height)) {
            error = path + " is " + std::to_string(frame.width) + " x " +
                    std::to_string(frame.height) + ", but " + paths[0] + " is " +
                    std::to_string(frames[0].width) + " x " + std::to_string(frames[0].height);
            return false;
        }
        frames.push_back(std::move(frame));
    }
    if (frames.empty()) {
        error = "no frames given";
        return false;
    }
    return true;
}
