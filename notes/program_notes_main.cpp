// program_notes: prints what a program says about itself (its title, what
// it shows and its frames' captions, in English and in French), from its
// source's opening comment, for the scripts and tools that write pages,
// sheets, menu entries and manual pages.
//
//   program_notes [--lang LANGUAGE] SOURCE.cpp title|about|frames
//   program_notes [--lang LANGUAGE] SOURCE.cpp caption N
//   program_notes SOURCE.cpp json
//
// LANGUAGE is en (the default) or fr; a field not written in French is
// printed in English. `frames` prints the number of captioned frames.
// `json` prints all the notes, in both languages, as one JSON object (see
// notes_json in program_notes.h). Ends with status 1, and one line on
// standard error, when the notes cannot be read.
#include "program_notes.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

int main(int argc, char **argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string language = "en";
    if (args.size() >= 2 && args[0] == "--lang") {
        language = args[1];
        args.erase(args.begin(), args.begin() + 2);
    }
    const std::vector<std::string> &languages = notes_languages();
    const std::string field = args.size() >= 2 ? args[1] : "";
    const bool known = std::find(languages.begin(), languages.end(), language) != languages.end();
    if (!known || !((args.size() == 2 && (field == "title" || field == "about" || field == "frames" ||
                                          field == "json")) ||
                    (args.size() == 3 && field == "caption"))) {
        std::fprintf(stderr, "usage: program_notes [--lang en|fr] SOURCE.cpp title|about|frames\n"
                             "       program_notes [--lang en|fr] SOURCE.cpp caption N\n"
                             "       program_notes SOURCE.cpp json\n");
        return 2;
    }
    ProgramNotes notes;
    std::string error;
    if (!read_program_notes(args[0], notes, error)) {
        std::fprintf(stderr, "program_notes: %s\n", error.c_str());
        return 1;
    }
    const NotesText text = notes_in(notes, language);
    std::string out;
    if (field == "json") {
        out = notes_json(notes);
    } else if (field == "title") {
        out = text.title;
    } else if (field == "about") {
        out = text.about;
    } else if (field == "frames") {
        out = std::to_string(text.captions.size());
    } else {
        const long n = std::strtol(args[2].c_str(), nullptr, 10);
        if (n < 1 || n > static_cast<long>(text.captions.size())) {
            std::fprintf(stderr, "program_notes: %s has no frame %s\n", args[0].c_str(),
                         args[2].c_str());
            return 1;
        }
        out = text.captions[n - 1];
    }
    std::printf("%s\n", out.c_str());
    return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
}
