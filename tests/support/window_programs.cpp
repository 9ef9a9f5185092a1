#include "window_programs.h"

#include <sstream>

std::vector<std::string> window_program_entries()
{
    std::vector<std::string> entries;
    std::stringstream list(WINDOW_PROGRAMS);
    std::string entry;
    while (std::getline(list, entry, ','))
        entries.push_back(entry);
    return entries;
}

std::vector<std::string> window_programs()
{
    std::vector<std::string> names;
    for (const std::string &entry : window_program_entries())
        names.push_back(entry.substr(entry.rfind('/') + 1));
    return names;
}
