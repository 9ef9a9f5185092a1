// What a program says about itself, for people: read from the opening
// comment of its source, the one place where it is written.
//
// The opening comment is the run of // lines at the top of
// <folder>/<program>.cpp. Its first paragraph starts "<program>: " and says
// what the program shows; its last sentences, when they start a line of
// their own, say how the window program steps and ends. Further on, the
// comment holds
//   // Title: <the figure's name for people>
//   // Frame N: <what frame N shows>      (one line per frame, N from 1)
#ifndef PROGRAM_NOTES_H
#define PROGRAM_NOTES_H

#include <string>
#include <vector>

struct ProgramNotes {
    std::string name;                  // the program's name, from its file
    std::string title;                 // "The chair tiling grown by doubling"
    std::string about;                 // what it shows, in one paragraph
    std::vector<std::string> captions; // frame 1's first
};

// Reads the notes of the program whose source is `source`
// (<folder>/<program>.cpp). Returns false, with `error` saying why, when
// the file cannot be read or its opening comment lacks the name, the title
// or a frame caption in order.
bool read_program_notes(const std::string &source, ProgramNotes &notes, std::string &error);

#endif
