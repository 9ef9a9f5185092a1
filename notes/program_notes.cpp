#include "program_notes.h"

#include <cstdio>
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

// The string as a JSON string, quotes included.
std::string json_string(const std::string &text)
{
    return quoted_string(text, "\\u%04x");
}

} // namespace

const std::vector<std::string> &notes_languages()
{
    static const std::vector<std::string> languages = {"en", "fr"};
    return languages;
}

NotesText notes_in(const ProgramNotes &notes, const std::string &language)
{
    if (language != "fr")
        return notes.en;
    NotesText text = notes.fr;
    if (text.title.empty())
        text.title = notes.en.title;
    if (text.about.empty())
        text.about = notes.en.about;
    text.captions.resize(notes.en.captions.size());
    for (size_t n = 0; n < text.captions.size(); ++n)
        if (text.captions[n].empty())
            text.captions[n] = notes.en.captions[n];
    return text;
}

std::string notes_json(const ProgramNotes &notes)
{
    std::string json = "{\"name\": " + json_string(notes.name);
    for (const std::string &language : notes_languages()) {
        const NotesText text = notes_in(notes, language);
        json += ", " + json_string(language) + ": {\"title\": " + json_string(text.title) +
                ", \"about\": " + json_string(text.about) + ", \"captions\": [";
        for (size_t n = 0; n < text.captions.size(); ++n)
            json += (n ? ", " : "") + json_string(text.captions[n]);
        json += "]}";
    }
    return json + "}";
}

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
    bool in_first_paragraph = true, in_french_about = false;
    std::string line;
    while (std::getline(in, line) && starts_with(line, "//")) {
        const std::string text = trimmed(line.substr(2));
        if (text.empty()) {
            in_first_paragraph = in_french_about = false;
        } else if (in_first_paragraph) {
            paragraph.push_back(text);
        } else if (in_french_about) {
            notes.fr.about += " " + text;
        } else if (starts_with(text, "Title:")) {
            notes.en.title = trimmed(text.substr(6));
        } else if (starts_with(text, "Title[fr]:")) {
            notes.fr.title = trimmed(text.substr(10));
        } else if (starts_with(text, "About[fr]:")) {
            notes.fr.about = trimmed(text.substr(10));
            in_french_about = true;
        } else if (starts_with(text, "Frame ")) {
            const std::string label = text.substr(0, text.find(':'));
            const bool french = label.size() > 4 && label.compare(label.size() - 4, 4, "[fr]") == 0;
            std::vector<std::string> &captions = french ? notes.fr.captions : notes.en.captions;
            const std::string number = std::to_string(captions.size() + 1);
            const std::string expected = "Frame " + number + (french ? "[fr]:" : ":");
            if (!starts_with(text, expected)) {
                error = source + ": '" + text + "' is not the " + (french ? "French " : "") +
                        "caption of frame " + number;
                return false;
            }
            captions.push_back(trimmed(text.substr(expected.size())));
        }
    }
    const std::string opening = notes.name + ":";
    if (paragraph.empty() || !starts_with(paragraph[0], opening)) {
        error = source + ": the opening comment does not start with '" + opening + "'";
        return false;
    }
    paragraph[0] = trimmed(paragraph[0].substr(opening.size()));
    notes.en.about = about_from(paragraph);
    if (notes.en.title.empty()) {
        error = source + ": the opening comment has no 'Title:' line";
        return false;
    }
    if (notes.fr.captions.size() > notes.en.captions.size()) {
        error = source + ": " + std::to_string(notes.fr.captions.size()) +
                " frames captioned in French, " + std::to_string(notes.en.captions.size()) +
                " in English";
        return false;
    }
    return true;
}

std::string quoted_string(const std::string &text, const char *control)
{
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, control, c);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}
