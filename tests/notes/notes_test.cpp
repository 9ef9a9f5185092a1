// The notes reader on opening comments at the edges of its rule: carriage
// returns and spaces, a paragraph over several lines, comments after the
// code starts, French beside the English, and the comments it refuses.
#include "program_notes.h"
#include "frames.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

// Reads the notes of a source holding `text`, named <name>.cpp.
bool read_sample(const std::string &name, const std::string &text, ProgramNotes &notes,
                 std::string &error)
{
    const std::string folder = make_temp_folder();
    const std::string source = folder + "/" + name + ".cpp";
    std::ofstream(source, std::ios::binary) << text;
    const bool read = read_program_notes(source, notes, error);
    std::filesystem::remove_all(folder);
    return read;
}

TEST(Notes, ReadTheEnglishAndTheFrenchAsWritten)
{
    ProgramNotes notes;
    std::string error;
    ASSERT_TRUE(read_sample("crlf",
                            "// crlf: draws a thing\r\n// over two lines.\r\n// Keys step.\r\n//\r\n"
                            "// About[fr]: Trace une chose\r\n//   sur deux lignes.\r\n//\r\n"
                            "//   Title:  A thing  \r\n// Title[fr]: Une chose\r\n"
                            "// Frame 1:  first \r\n// Frame 1[fr]: la première\r\n"
                            "//Frame 2:second\r\nint x;\r\n// Frame 3: not read\r\n",
                            notes, error))
        << error;
    EXPECT_EQ(notes.name, "crlf");
    EXPECT_EQ(notes.en.title, "A thing");
    EXPECT_EQ(notes.en.about, "Draws a thing over two lines.");
    EXPECT_EQ(notes.en.captions, (std::vector<std::string>{"first", "second"}));
    EXPECT_EQ(notes.fr.title, "Une chose");
    EXPECT_EQ(notes.fr.about, "Trace une chose sur deux lignes.");
    EXPECT_EQ(notes.fr.captions, std::vector<std::string>{"la première"});
    // What is not written in French is given in English.
    EXPECT_EQ(notes_in(notes, "fr").captions, (std::vector<std::string>{"la première", "second"}));
    EXPECT_EQ(notes_json(notes),
              "{\"name\": \"crlf\", \"en\": {\"title\": \"A thing\", \"about\": \"Draws a thing "
              "over two lines.\", \"captions\": [\"first\", \"second\"]}, \"fr\": {\"title\": \"Une "
              "chose\", \"about\": \"Trace une chose sur deux lignes.\", \"captions\": [\"la "
              "première\", \"second\"]}}");
}

TEST(Notes, JsonEscapesQuotesAndBackslashes)
{
    ProgramNotes notes;
    std::string error;
    ASSERT_TRUE(read_sample("short", "// short: one line\n//\n// Title: \"A\" \\ B\n", notes, error))
        << error;
    EXPECT_EQ(notes.en.about, "One line");
    EXPECT_NE(notes_json(notes).find("\"title\": \"\\\"A\\\" \\\\ B\""), std::string::npos)
        << notes_json(notes);
}

TEST(Notes, RefuseAMissingTitleCaptionsOutOfOrderAndTheWrongName)
{
    const std::vector<std::pair<std::string, std::string>> samples = {
        {"untitled", "// untitled: no title.\n//\n// Frame 1: a frame\n"},
        {"order", "// order: frames.\n//\n// Title: Order\n// Frame 1: a\n// Frame 3: c\n"},
        {"french", "// french: frames.\n//\n// Title: F\n// Frame 1: a\n// Frame 2[fr]: b\n"},
        {"more", "// more: frames.\n//\n// Title: M\n// Frame 1[fr]: a\n"},
        {"named", "// other: the wrong name.\n//\n// Title: Named\n"},
    };
    for (const auto &[name, text] : samples) {
        ProgramNotes notes;
        std::string error;
        EXPECT_FALSE(read_sample(name, text, notes, error)) << name;
        EXPECT_NE(error.find(name + ".cpp: "), std::string::npos) << error;
    }
}

} // namespace
