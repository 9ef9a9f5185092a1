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
