// The window programs, as the build lists them (TILINGS_WINDOW_PROGRAMS).
#ifndef WINDOW_PROGRAMS_H
#define WINDOW_PROGRAMS_H

#include <string>
#include <vector>

// Every window program as <folder>/<program>, its source folder and its
// name (e.g. "chair/chair_colour_tiling"), in the order they are built.
std::vector<std::string> window_program_entries();

// Their names alone.
std::vector<std::string> window_programs();

#endif
