#include "whole_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

std::string part_path(const std::string &path)
{
    return path + ".part";
}

bool move_into_place(const std::string &path, std::string &error)
{
    if (std::rename(part_path(path).c_str(), path.c_str()) == 0)
        return true;
    error = path + ": " + std::strerror(errno);
    std::remove(part_path(path).c_str());
    return false;
}

bool write_whole_file(const std::string &path, const std::string &bytes, std::string &error)
{
    const std::string part = part_path(path);
    std::FILE *file = std::fopen(part.c_str(), "wb");
    if (!file) {
        error = part + ": " + std::strerror(errno);
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() &&
                         std::fflush(file) == 0;
    const int written_errno = errno;
    if (std::fclose(file) != 0 || !written) {
        error = part + ": " + std::strerror(written ? errno : written_errno);
        std::remove(part.c_str());
        return false;
    }
    return move_into_place(path, error);
}
