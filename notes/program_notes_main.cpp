// program_notes: prints what a program says about itself (its title, what
// it shows and its frames' captions), from its source's opening comment,
// for the scripts that write pages, sheets, menu entries and manual pages.
//
//   program_notes SOURCE.cpp title|about|frames
//   program_notes SOURCE.cpp caption N
//
// `frames` prints the number of captioned frames. Ends with status 1, and
// one line on standard error, when the notes cannot be read.
#include "program_notes.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char **argv)
{
    const std::string field = argc >= 3 ? argv[2] : "";
    if (!(argc == 3 && (field == "title" || field == "about" || field == "frames")) &&
        !(argc == 4 && field == "caption")) {
        std::fprintf(stderr, "usage: program_notes SOURCE.cpp title|about|frames\n"
                             "       program_notes SOURCE.cpp caption N\n");
        return 2;
    }
    ProgramNotes notes;
    std::string error;
    if (!read_program_notes(argv[1], notes, error)) {
        std::fprintf(stderr, "program_notes: %s\n", error.c_str());
        return 1;
    }
    std::string out;
    if (field == "title") {
        out = notes.title;
    } else if (field == "about") {
        out = notes.about;
    } else if (field == "frames") {
        out = std::to_string(notes.captions.size());
    } else {
        const long n = std::strtol(argv[3], nullptr, 10);
        if (n < 1 || n > static_cast<long>(notes.captions.size())) {
            std::fprintf(stderr, "program_notes: %s has no frame %s\n", argv[1], argv[3]);
            return 1;
        }
        out = notes.captions[n - 1];
    }
    std::printf("%s\n", out.c_str());
    return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
}
