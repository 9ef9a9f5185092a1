// Writing a file whole or not at all: the output is written to
// `path`.part first and moved over `path` only once it is complete, so that
// a failed run never leaves half a file.
#ifndef WHOLE_FILE_H
#define WHOLE_FILE_H

#include <string>

std::string part_path(const std::string &path);
// Moves `path`.part over `path`. Returns false, with `error` saying why and
// the part removed, when it cannot.
bool move_into_place(const std::string &path, std::string &error);
// Writes `bytes` to `path`.part and moves it over `path`. Returns false,
// with `error` saying why and nothing left behind, when it cannot.
bool write_whole_file(const std::string &path, const std::string &bytes, std::string &error);

#endif
