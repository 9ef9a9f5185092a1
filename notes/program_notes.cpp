#include "program_notes.h"

#include <fstream>

namespace {

std::string trimmed(const std::string &text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return "";
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

bool starts_with(const std::string &text, const std::string &start)
{
    return text.compare(0, start.size(), start) == 0;
}

// The first paragraph as one line, less its last sentences when they start
// a line of their own (how the window program steps and ends), with its
// first letter in capitals.
std::string about_from(const std::vector<std::string> &paragraph)
{
    std::vector<std::string> groups;
    bool ends_sentence = true;
    for (const std::string &line : paragraph) {
        if (ends_sentence)
            groups.emplace_back();
        std::string &group = groups.back();
        group += group.empty() ? line : " " + line;
        ends_sentence = !line.empty() && line.back() == '.';
    }
    if (groups.size() > 1)
        groups.pop_back();
    std::string about;
    for (const std::string &group : groups)
        about += about.empty() ? group : " " + group;
    if (!about.empty() && about[0] >= 'a' && about[0] <= 'z')
        about[0] = static_cast<char>(about[0] - 'a' + 'A');
    return about;
}

} // namespace

bool read_program_notes(const std::string &source, ProgramNotes &notes, std::string &error)
{
    std::ifstream in(source);
    if (!in) {
        error = source + ": cannot be read";
        return false;
    }
    const auto slash = source.find_last_of('/');
    const std::string file = slash == std::string::npos ? source : source.substr(slash + 1);
    notes = ProgramNotes{};
    notes.name = file.substr(0, file.rfind(".cpp"));

    std::vector<std::string> paragraph;
    bool in_first_paragraph = true;
    std::string line;
    while (std::getline(in, line) && starts_with(line, "//")) {
        const std::string text = trimmed(line.substr(2));
        if (text.empty()) {
            in_first_paragraph = false;
        } else if (in_first_paragraph) {
            paragraph.push_back(text);
        } else if (starts_with(text, "Title:")) {
            notes.title = trimmed(text.substr(6));
        } else if (starts_with(text, "Frame ")) {
            const std::string number = std::to_string(notes.captions.size() + 1);
            const std::string label = "Frame " + number + ":";
            if (!starts_with(text, label)) {
                error = source + ": '" + text + "' is not the caption of frame " + number;
                return false;
            }
            notes.captions.push_back(trimmed(text.substr(label.size())));
        }
    }
    const std::string opening = notes.name + ":";
    if (paragraph.empty() || !starts_with(paragraph[0], opening)) {
        error = source + ": the opening comment does not start with '" + opening + "'";
        return false;
    }
    paragraph[0] = trimmed(paragraph[0].substr(opening.size()));
    notes.about = about_from(paragraph);
    if (notes.title.empty()) {
        error = source + ": the opening comment has no 'Title:' line";
        return false;
    }
    return true;
}
