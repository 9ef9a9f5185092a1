// What a program says about itself, for people, in English and in French:
// read from the opening comment of its source, the one place where it is
// written.
//
// The opening comment is the run of // lines at the top of
// <folder>/<program>.cpp. Its first paragraph starts "<program>: " and says
// in English what the program shows; its last sentences, when they start a
// line of their own, say how the window program steps and ends. Further
// on, the comment holds
//   // Title: <the figure's name for people>
//   // Frame N: <what frame N shows>      (one line per frame, N from 1)
// and the same in French, on lines of their own:
//   // Title[fr]: <the figure's name in French>
//   // Frame N[fr]: <what frame N shows, in French>
//   // About[fr]: <what the program shows, in French: the first paragraph
//   // without its sentences on stepping and ending>
// The French description starts at "About[fr]:" and runs on over the
// lines after it up to the next empty comment line; it is written as it is
// to be read, starting with a capital.
#ifndef PROGRAM_NOTES_H
#define PROGRAM_NOTES_H

#include <string>
#include <vector>

// The notes' words in one language.
struct NotesText {
    std::string title;                 // "The chair tiling grown by doubling"
    std::string about;                 // what it shows, in one paragraph
    std::vector<std::string> captions; // frame 1's first
};

struct ProgramNotes {
    std::string name; // the program's name, from its file
    NotesText en;     // in English
    NotesText fr;     // in French; a field is empty where no French is written
};

// The languages of the notes, English first.
const std::vector<std::string> &notes_languages();

// The notes in `language` (one of notes_languages()): each field that is
// not written in that language (a title, the description, a frame's
// caption) is the English one.
NotesText notes_in(const ProgramNotes &notes, const std::string &language);

// Reads the notes of the program whose source is `source`
// (<folder>/<program>.cpp). Returns false, with `error` saying why, when
// the file cannot be read or its opening comment lacks the name, the title
// or a frame caption in order, or captions in French a frame it does not
// caption in English.
bool read_program_notes(const std::string &source, ProgramNotes &notes, std::string &error);

// The notes as one JSON object, in every language (each as notes_in gives
// it): {"name": ..., "en": {"title": ..., "about": ..., "captions": [...]},
// "fr": {...}}.
std::string notes_json(const ProgramNotes &notes);

// The text in double quotes, as a JSON or C++ string: quotes and
// backslashes escaped, each control character written by `control` (a
// printf format taking it, "\\u%04x" or "\\%03o"), UTF-8 kept as it is.
std::string quoted_string(const std::string &text, const char *control);

#endif
