// window_name_source: writes the C++ source that names a window program's
// window on the desktop, linked into the program (not into its capture
// build): its title in each language of its notes, its class (the
// program's name, as its menu entry's StartupWMClass says) and its icon
// (the 64 x 64 one the collection installs in hicolor, made from the
// largest of its kept pictures). At start the program takes the title in
// the user's language and hands all three to the kernel's name_window.
//
//   window_name_source SOURCE.cpp OUTPUT.cpp PICTURE.png...
//
// Ends with status 1, and one line on standard error, when the notes or
// the pictures cannot be read or the source cannot be written.
#include "icon.h"
#include "program_notes.h"

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int ICON_SIZE = 64;

// The text as a C++ string literal.
std::string literal(const std::string &text)
{
    return quoted_string(text, "\\%03o");
}

std::string window_name_source(const ProgramNotes &notes, const std::string &source,
                               const Picture &icon)
{
    const std::vector<std::string> &languages = notes_languages();
    std::string languages_list, titles_list;
    for (const std::string &language : languages) {
        languages_list += (languages_list.empty() ? "" : ", ") + literal(language);
        titles_list += (titles_list.empty() ? "    " : ",\n    ") +
                       literal(notes_in(notes, language).title);
    }
    std::string pixels;
    for (size_t n = 0; n < icon.rgb.size(); ++n) {
        char word[16];
        std::snprintf(word, sizeof word, "0x%06x,", static_cast<unsigned>(icon.rgb[n]));
        pixels += (n % 8 == 0 ? "\n    " : " ") + std::string(word);
    }
    const std::string count = std::to_string(languages.size());
    const std::string size = std::to_string(ICON_SIZE);
    return "// The name of " + notes.name + "'s window on the desktop (its title in each\n"
           "// language, its class and its icon), written by window_name_source from\n"
           "// the notes and the kept pictures of\n// " + source + "\n"
           "#include \"raster.h\"\n\nnamespace {\n\n"
           "const char *const LANGUAGES[] = {" + languages_list + "};\n"
           "const char *const TITLES[] = {\n" + titles_list + "};\n"
           "const Uint32 ICON_PIXELS[" + size + " * " + size + "] = {" + pixels + "\n};\n"
           "const WindowIcon ICON = {" + size + ", " + size + ", ICON_PIXELS};\n\n"
           "[[maybe_unused]] const bool named =\n"
           "    (name_window(TITLES[user_language(LANGUAGES, " + count + ")], " +
           literal(notes.name) + ", &ICON), true);\n\n"
           "} // namespace\n";
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: window_name_source SOURCE.cpp OUTPUT.cpp PICTURE.png...\n");
        return 2;
    }
    ProgramNotes notes;
    Picture picture;
    std::string error;
    const std::string largest = largest_picture(std::vector<std::string>(argv + 3, argv + argc));
    if (!read_program_notes(argv[1], notes, error) || !read_picture(largest, picture, error)) {
        std::fprintf(stderr, "window_name_source: %s\n", error.c_str());
        return 1;
    }
    const std::string part = std::string(argv[2]) + ".part";
    std::ofstream out(part, std::ios::binary);
    out << window_name_source(notes, argv[1], icon_of(picture, ICON_SIZE));
    out.close();
    if (!out || std::rename(part.c_str(), argv[2]) != 0) {
        std::fprintf(stderr, "window_name_source: cannot write %s\n", argv[2]);
        std::remove(part.c_str());
        return 1;
    }
    return 0;
}
