// What `cmake --install` puts beside the programs: the menu entries, icons,
// metainfo and manual pages say what the programs' sources say of them,
// and the icons show the programs' kept pictures.
#include "frames.h"
#include "program_notes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace fs = std::filesystem;

namespace {

std::string read_file(const std::string &path)
{
    std::ifstream in(path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> split(const std::string &list)
{
    std::vector<std::string> items;
    std::stringstream in(list);
    for (std::string item; std::getline(in, item, ',');)
        items.push_back(item);
    return items;
}

ProgramNotes notes_of(const std::string &entry)
{
    ProgramNotes notes;
    std::string error;
    EXPECT_TRUE(read_program_notes(std::string(SOURCE_DIR) + "/" + entry + ".cpp", notes, error))
        << error;
    return notes;
}

// The mean of each channel over the rectangle (x, y, width, height).
std::vector<double> mean_colour(const Picture &p, int x0, int y0, int width, int height)
{
    std::vector<double> mean(3, 0.0);
    for (int y = y0; y < y0 + height; ++y)
        for (int x = x0; x < x0 + width; ++x)
            for (int c = 0; c < 3; ++c)
                mean[c] += pixel_at(p, x, y) >> (16 - 8 * c) & 0xff;
    for (double &m : mean)
        m /= static_cast<double>(width) * height;
    return mean;
}

class Installed : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        prefix = new std::string(make_temp_folder());
        const std::string command = std::string(CMAKE_COMMAND) + " --install " + PROGRAM_DIR +
                                    " --prefix " + *prefix + " >/dev/null";
        installed = std::system(command.c_str()) == 0;
    }
    static void TearDownTestSuite()
    {
        fs::remove_all(*prefix);
        delete prefix;
    }
    void SetUp() override { ASSERT_TRUE(installed) << "cmake --install failed"; }

    static std::string *prefix;
    static bool installed;
    const std::vector<std::string> window_programs = split(WINDOW_PROGRAMS);
    const std::vector<std::string> console_programs = split(CONSOLE_PROGRAMS);
};

std::string *Installed::prefix;
bool Installed::installed;

TEST_F(Installed, AMenuEntryForEachWindowProgramFromItsNotes)
{
    size_t entries = 0;
    for (const auto &file : fs::directory_iterator(*prefix + "/share/applications"))
        entries += file.path().extension() == ".desktop";
    EXPECT_EQ(entries, window_programs.size());
    for (const std::string &entry : window_programs) {
        const ProgramNotes notes = notes_of(entry);
        const std::string desktop = read_file(*prefix + "/share/applications/" + notes.name + ".desktop");
        for (const std::string &line :
             std::vector<std::string>{"[Desktop Entry]\n", "\nType=Application\n", "\nName=" + notes.en.title + "\n",
              "\nName[fr]=" + notes.fr.title + "\n", "\nComment=" + notes.en.about + "\n",
              "\nComment[fr]=" + notes.fr.about + "\n", "\nExec=" + notes.name + "\n",
              "\nIcon=" + notes.name + "\n", "\nStartupWMClass=" + notes.name + "\n",
              "\nCategories=Education;Math;\n"})
            EXPECT_NE(desktop.find(line), std::string::npos) << notes.name << ": " << line;
    }
}

// Each icon is the largest kept picture, shrunk to the square's width and
// centred on white: its band has the picture's mean colour.
TEST_F(Installed, IconsShowTheLargestKeptPictureInThreeSizes)
{
    for (const std::string &entry : window_programs) {
        const std::string name = fs::path(entry).filename();
        std::string largest;
        for (const auto &file : fs::directory_iterator((fs::path(SOURCE_DIR) / entry).parent_path())) {
            const std::string f = file.path().filename();
            if (f.rfind(name + "_", 0) == 0 && f.size() == name.size() + 7 &&
                file.path().extension() == ".png" &&
                (largest.empty() || fs::file_size(file) > fs::file_size(largest)))
                largest = file.path();
        }
        Picture picture, icon;
        std::string error;
        ASSERT_TRUE(read_picture(largest, picture, error)) << error;
        const std::vector<double> expected = mean_colour(picture, 0, 0, 800, 600);
        for (int size : {64, 128, 256}) {
            const std::string path = *prefix + "/share/icons/hicolor/" + std::to_string(size) +
                                     "x" + std::to_string(size) + "/apps/" + name + ".png";
            ASSERT_TRUE(read_picture(path, icon, error)) << error;
            ASSERT_EQ(icon.width, size) << path;
            ASSERT_EQ(icon.height, size) << path;
            const int band = size * 3 / 4, top = (size - band) / 2;
            EXPECT_EQ(mean_colour(icon, 0, 0, size, top), std::vector<double>(3, 255.0)) << path;
            EXPECT_EQ(mean_colour(icon, 0, top + band, size, top), std::vector<double>(3, 255.0))
                << path;
            const std::vector<double> got = mean_colour(icon, 0, top, size, band);
            for (int c = 0; c < 3; ++c)
                EXPECT_NEAR(got[c], expected[c], 1.0) << path << ", channel " << c;
        }
    }
}

// As roff reads it: a no-break space as roff's own.
std::string in_roff(std::string text)
{
    for (size_t at; (at = text.find("\u00a0")) != std::string::npos;)
        text.replace(at, 2, "\\ ");
    return text;
}

TEST_F(Installed, ManualPagesNameEachProgramByItsTitleAndTheOverviewListsThemAll)
{
    std::vector<std::string> all = window_programs;
    all.insert(all.end(), console_programs.begin(), console_programs.end());
    EXPECT_EQ(all.size(), 18u);
    for (const bool french : {false, true}) {
        const std::string man = *prefix + (french ? "/share/man/fr/" : "/share/man/");
        const std::string overview = read_file(man + "man7/tilings.7");
        for (const std::string &entry : all) {
            const ProgramNotes notes = notes_of(entry);
            const NotesText &text = french ? notes.fr : notes.en;
            const std::string page = read_file(man + "man6/" + notes.name + ".6");
            EXPECT_NE(page.find((french ? "\n.SH NOM\n" : "\n.SH NAME\n") + notes.name + " \\- " +
                                text.title + "\n.SH SYNOPSIS\n.B " + notes.name +
                                "\n.SH DESCRIPTION\n\\&" + in_roff(text.about) + "\n"),
                      std::string::npos)
                << man << notes.name;
            EXPECT_NE(page.find(".TH "), std::string::npos) << notes.name;
            EXPECT_NE(overview.find("\\fB" + notes.name + "\\fP(6)\n\\&" + text.title + "\n"),
                      std::string::npos)
                << man << notes.name;
        }
    }
}

TEST_F(Installed, MetainfoLaunchesEachMenuEntryAndShowsEachWindowProgram)
{
    const std::string metainfo =
        read_file(*prefix + "/share/metainfo/" + COMPONENT_ID + ".metainfo.xml");
    ASSERT_FALSE(metainfo.empty());
    for (const std::string &entry : window_programs) {
        const ProgramNotes notes = notes_of(entry);
        EXPECT_NE(metainfo.find("<launchable type=\"desktop-id\">" + notes.name +
                                ".desktop</launchable>"),
                  std::string::npos)
            << notes.name;
        EXPECT_NE(metainfo.find("<caption>" + notes.en.title + "</caption>\n      <caption " +
                                "xml:lang=\"fr\">" + notes.fr.title + "</caption>\n      <image>" +
                                SITE_URL + "pictures/" + notes.name + ".png</image>"),
                  std::string::npos)
            << notes.name;
    }
}

} // namespace
