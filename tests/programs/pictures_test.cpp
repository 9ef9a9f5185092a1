// Every frame of every window program against the picture kept beside the
// program's source (<folder>/<program>_NN.png). A frame that differs is
// written beside the expected picture as <program>_NN.actual.png, with
// <program>_NN.diff.png showing the differing pixels in red over a faded
// copy of the expected picture. RECORD_PICTURES=1 records the frames as the
// new expected pictures instead.
#include "frames.h"
#include "program_notes.h"
#include "window_programs.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace {

class Pictures : public ::testing::TestWithParam<std::string> {};

TEST_P(Pictures, FramesMatchTheKeptPictures)
{
    const std::string entry = GetParam();
    const std::string name = std::filesystem::path(entry).filename().string();
    const std::string stem = std::string(SOURCE_DIR) + "/" + entry;
    const bool record = std::getenv("RECORD_PICTURES") && *std::getenv("RECORD_PICTURES") == '1';
    const CapturedRun run = capture_frames(name);
    ASSERT_EQ(run.status, 0);
    ASSERT_FALSE(run.frames.empty());
    std::string error;
    for (size_t n = 1;; ++n) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, "_%02zu", n);
        const std::string expected_path = stem + suffix + ".png";
        if (n > run.frames.size()) {
            if (record)
                std::filesystem::remove(expected_path);
            else
                EXPECT_FALSE(std::filesystem::exists(expected_path))
                    << expected_path << " is kept, but " << name << " shows only "
                    << run.frames.size() << " frames";
            break;
        }
        const Picture &actual = run.frames[n - 1];
        if (record) {
            ASSERT_TRUE(write_picture(expected_path, actual, error)) << error;
            continue;
        }
        Picture expected;
        if (!read_picture(expected_path, expected, error)) {
            ADD_FAILURE() << expected_path << ": " << error
                          << " (RECORD_PICTURES=1 records the frames)";
            continue;
        }
        if (expected.width == actual.width && expected.height == actual.height &&
            expected.rgb == actual.rgb)
            continue;
        write_picture(stem + suffix + ".actual.png", actual, error);
        if (expected.width == actual.width && expected.height == actual.height)
            write_picture(stem + suffix + ".diff.png", difference_picture(expected, actual), error);
        ADD_FAILURE() << name << " frame " << n << " differs from " << expected_path
                      << "; see the .actual.png and .diff.png beside it";
    }
}

// The pages, sheets, menu entries and manual pages name each figure and
// caption each of its frames from the program's notes, in English and in
// French.
TEST_P(Pictures, NotesNameTheFigureAndCaptionEveryFrameInBothLanguages)
{
    const std::string entry = GetParam();
    ProgramNotes notes;
    std::string error;
    ASSERT_TRUE(read_program_notes(std::string(SOURCE_DIR) + "/" + entry + ".cpp", notes, error))
        << error;
    const CapturedRun run = capture_frames(notes.name);
    for (const NotesText *text : {&notes.en, &notes.fr}) {
        EXPECT_FALSE(text->title.empty()) << notes.name;
        EXPECT_FALSE(text->about.empty()) << notes.name;
        EXPECT_EQ(text->captions.size(), run.frames.size()) << notes.name;
        for (const std::string &caption : text->captions)
            EXPECT_FALSE(caption.empty()) << notes.name;
    }
}

INSTANTIATE_TEST_SUITE_P(WindowPrograms, Pictures, ::testing::ValuesIn(window_program_entries()),
                         [](const auto &info) {
                             return std::filesystem::path(info.param).filename().string();
                         });

} // namespace
