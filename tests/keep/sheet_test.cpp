// frames_to_sheet: each program's sheet is one A4 landscape page whose
// images are exactly its frames, unsmoothed, with the figure's title, what
// it shows and every frame's caption as text in an embedded Liberation
// font. Read back with poppler's command-line tools.
#include "keep_tests.h"
#include "program_notes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <sstream>

namespace {

// Text with every run of white space made one space.
std::string one_line(const std::string &text)
{
    std::istringstream words(text);
    std::string word, line;
    while (words >> word)
        line += line.empty() ? word : " " + word;
    return line;
}

bool have_poppler()
{
    return run_command("{ pdfimages -v && pdfinfo -v && pdftotext -v && pdffonts -v; } >/dev/null").status == 0;
}

class Sheet : public ::testing::TestWithParam<std::string> {};

TEST_P(Sheet, IsOneA4LandscapePageOfTheFrames)
{
    if (!have_poppler())
        GTEST_SKIP() << "poppler-utils (pdfimages, pdfinfo) cannot be run: tools/install_deps.sh installs it";
    const std::string entry = GetParam();
    const std::string name = program_name(entry);
    const std::string source = std::string(SOURCE_DIR) + "/" + entry + ".cpp";
    ProgramNotes notes;
    std::string error;
    ASSERT_TRUE(read_program_notes(source, notes, error)) << error;
    const CapturedRun run = capture_frames(name);
    ASSERT_EQ(run.status, 0) << run.errors;
    const std::string folder = make_temp_folder();
    const std::string pdf = folder + "/" + name + ".pdf";
    const CommandRun tool = run_command(std::string(SHEET_TOOL) + " '" + source + "' '" + pdf + "'" +
                                        joined(write_frames(folder, name, run.frames)));
    ASSERT_EQ(tool.status, 0) << tool.output;

    const std::string info = run_command("pdfinfo '" + pdf + "'").output;
    EXPECT_NE(info.find("\nPages:           1\n"), std::string::npos) << info;
    double width = 0, height = 0;
    const size_t size = info.find("Page size:");
    ASSERT_NE(size, std::string::npos) << info;
    ASSERT_EQ(std::sscanf(info.c_str() + size, "Page size: %lf x %lf", &width, &height), 2);
    EXPECT_NEAR(width, 297 / 25.4 * 72, 0.5); // A4, landscape
    EXPECT_NEAR(height, 210 / 25.4 * 72, 0.5);

    // The images, in order, are the frames, pixel for pixel, and are not
    // smoothed when scaled.
    const CommandRun list = run_command("pdfimages -list '" + pdf + "'");
    std::istringstream rows(list.output);
    std::string row;
    std::getline(rows, row);
    std::getline(rows, row);
    size_t images = 0;
    while (std::getline(rows, row)) {
        std::istringstream columns(row);
        std::string column, interpolated;
        for (int c = 0; c < 10 && columns >> column; ++c)
            interpolated = column;
        EXPECT_EQ(interpolated, "no") << "image " << images + 1 << " is smoothed: " << row;
        ++images;
    }
    EXPECT_EQ(images, run.frames.size()) << list.output;
    ASSERT_EQ(run_command("pdfimages -png '" + pdf + "' '" + folder + "/image'").status, 0);
    for (size_t n = 0; n < run.frames.size(); ++n) {
        char file[32];
        std::snprintf(file, sizeof file, "/image-%03zu.png", n);
        Picture image;
        ASSERT_TRUE(read_picture(folder + file, image, error)) << error;
        EXPECT_TRUE(image.width == run.frames[n].width && image.height == run.frames[n].height &&
                    image.rgb == run.frames[n].rgb)
            << "image " << n + 1 << " on the sheet differs from frame " << n + 1;
    }

    // The words are text, in an embedded Liberation font.
    const std::string text = one_line(run_command("pdftotext '" + pdf + "' -").output);
    EXPECT_NE(text.find(notes.title), std::string::npos) << text;
    EXPECT_NE(text.find(notes.about), std::string::npos) << text;
    for (size_t n = 0; n < notes.captions.size(); ++n) {
        const std::string caption = "Frame " + std::to_string(n + 1) + ": " + notes.captions[n];
        EXPECT_NE(text.find(caption), std::string::npos) << caption << " is missing from " << text;
    }
    const std::string fonts = run_command("pdffonts '" + pdf + "'").output;
    EXPECT_NE(fonts.find("LiberationSans"), std::string::npos) << fonts;
    std::filesystem::remove_all(folder);
}

INSTANTIATE_TEST_SUITE_P(WindowPrograms, Sheet, ::testing::ValuesIn(window_programs()),
                         [](const auto &info) { return program_name(info.param); });

// A sheet whose captions do not match its frames is refused, leaving no
// file.
TEST(SheetTool, RefusesFramesTheNotesDoNotCaption)
{
    const std::string source = std::string(SOURCE_DIR) + "/chair/chair_growth.cpp";
    const std::vector<std::string> frames = kept_frame_paths("chair/chair_growth");
    ASSERT_EQ(frames.size(), 7u);
    const std::string folder = make_temp_folder();
    const std::string pdf = folder + "/sheet.pdf";
    const CommandRun tool = run_command(std::string(SHEET_TOOL) + " '" + source + "' '" + pdf +
                                        "'" + joined({frames.begin(), frames.end() - 1}));
    EXPECT_EQ(tool.status, 1);
    EXPECT_NE(tool.output.find("captions 7 frames, but 6"), std::string::npos) << tool.output;
    EXPECT_FALSE(std::filesystem::exists(pdf));
    EXPECT_FALSE(std::filesystem::exists(pdf + ".part"));
    std::filesystem::remove_all(folder);
}

} // namespace
