// Runs the console tile calculators as a person would (standard input a
// pipe, the table read before Enter is sent), with standard input empty or
// closed, and with standard output a full device, and checks
// split_right_triangle on its own.

#include "run_program.h"

#include <gtest/gtest.h>

#include <poll.h>
#include <string>
#include <unistd.h>

extern float areas[3];
void split_right_triangle(float x1, float y1, float x2, float y2, float e, int depth);

namespace {

const char STEP_TABLE[] =
    "etape   1 :  1"
    "\netape 2 :    1    4 "
    "\netape 3 :    1    8   16 "
    "\netape 4 :    1   12   48   64 "
    "\netape 5 :    1   16   96  256  256 "
    "\netape 6 :    1   20  160  640 1280 1024 "
    "\netape 7 :    1   24  240 1280 3840 6144 4096 "
    "\netape 8 :    1   28  336 2240 8960 21504 28672 16384 ";

// The 25 tiles of the two-level split: the small tile and the four quarter
// tiles of the first level, then the five children of each quarter tile.
std::string tile_line()
{
    std::string line = "(0.061   0) ";
    for (int i = 0; i < 4; i++) line += "(0.024   127) ";
    for (int i = 0; i < 4; i++)
        line += "(0.024   127) (0.009   255) (0.009   255) (0.009   255) (0.009   255) ";
    return line;
}

// How standard input is given.
enum Way { TYPED, EMPTY, CLOSED };

struct Run {
    std::string before_input;  // TYPED: all that came before Enter was sent
    std::string output;
    bool waiting = false;      // TYPED: still running after the table
    int status = -1;
};

// Runs the program with standard output on a pipe. TYPED: standard input is
// a pipe, and Enter is sent once `expected` bytes came (or after 5 s).
Run run(const char *path, Way way, size_t expected)
{
    Run r;
    Launch launch;
    launch.command = {path};
    launch.input = way == TYPED ? Input::PIPE : way == EMPTY ? Input::EMPTY : Input::CLOSED;
    Process process;
    if (!start_program(launch, process)) return r;
    if (way == TYPED) {
        char buf[4096];
        ssize_t n;
        pollfd p = {process.output, POLLIN, 0};
        while (r.output.size() < expected && poll(&p, 1, 5000) > 0
               && (n = read(process.output, buf, sizeof buf)) > 0)
            r.output.append(buf, n);
        r.before_input = r.output;
        r.waiting = poll(&p, 1, 200) == 0;  // neither more output nor end of file
        if (write(process.input, "\n", 1) != 1) r.waiting = false;
    }
    const Ran rest = finish_program(process, 10);
    r.output += rest.output;
    r.status = rest.status;
    return r;
}

void expect_program(const char *path, const std::string &table)
{
    Run typed = run(path, TYPED, table.size());
    EXPECT_EQ(typed.before_input, table) << "the whole table must show before the wait";
    EXPECT_EQ(typed.output, table);
    EXPECT_TRUE(typed.waiting) << "the program must wait for a character";
    EXPECT_EQ(typed.status, 0);
    for (Way way : {EMPTY, CLOSED}) {
        Run r = run(path, way, table.size());
        EXPECT_EQ(r.output, table) << "input mode " << way;
        EXPECT_EQ(r.status, 0) << "input mode " << way;
    }
}

std::string split_output(float x1, float y1, float x2, float y2, float e, int depth)
{
    testing::internal::CaptureStdout();
    split_right_triangle(x1, y1, x2, y2, e, depth);
    return testing::internal::GetCapturedStdout();
}

void set_areas(float a0, float a1, float a2)
{
    areas[0] = a0;
    areas[1] = a1;
    areas[2] = a2;
}

} // namespace

// Step 3 reads 1, 8, 16 only if every class is updated from the previous
// step; five-digit counts widen their field and keep the blank after it.
TEST(TileStepCounts, PrintsTheTableAndEndsAfterOneCharacter)
{
    expect_program(TILE_STEP_COUNTS, STEP_TABLE);
}

// The 25 tiles fall into classes of 1, 8 and 16 tiles.
TEST(TileAreaClasses, PrintsTheAreasAndTheTilesAndEndsAfterOneCharacter)
{
    expect_program(TILE_AREA_CLASSES,
                   "Les 3 aires possibles : 0.061 0.024 0.009 \n*******\n" + tile_line());
}

// A table that cannot be written is a failure, said in one line.
TEST(ConsoleOutput, AFullDeviceIsReportedWithStatus1)
{
    if (access("/dev/full", W_OK) != 0)
        GTEST_SKIP() << "this machine has no /dev/full to write to";
    for (const char *path : {TILE_STEP_COUNTS, TILE_AREA_CLASSES}) {
        const std::string name = std::string(path).substr(std::string(path).rfind('/') + 1);
        Launch launch;
        launch.command = {path};
        launch.output_file = "/dev/full";
        const Ran ran = run_program(launch);
        EXPECT_EQ(ran.errors, name + ": cannot write the table: No space left on device\n");
        EXPECT_EQ(ran.status, 1) << name;
    }
}

TEST(SplitRightTriangle, ClassifiesTheTwoLevelSplitOnEitherSide)
{
    set_areas(0.06092f, 0.02380f, 0.00930f);
    EXPECT_EQ(split_output(0, 0, 1, 0, 0.8f, 2), tile_line());
    EXPECT_EQ(split_output(0, 0, 1, 0, -0.8f, 2), tile_line());
    EXPECT_EQ(split_output(3, 2, 3, 3, 0.8f, 2), tile_line());  // turned and moved
}

// The start triangle as one tile, area 0.4: the class of the first table
// entry less than 0.001 away, 256 if there is none.
TEST(SplitRightTriangle, ClassOfASingleTile)
{
    set_areas(0.06092f, 0.02380f, 0.00930f);
    EXPECT_EQ(split_output(0, 0, 1, 0, 0.8f, 0), "(0.400   256) ");
    EXPECT_EQ(split_output(0, 0, 1, 0, -0.8f, 0), "(0.400   256) ");
    set_areas(0.3985f, 0.4015f, 0.2f);
    EXPECT_EQ(split_output(0, 0, 1, 0, 0.8f, 0), "(0.400   256) ");
    set_areas(0.3995f, 0.4f, 0.0f);
    EXPECT_EQ(split_output(0, 0, 1, 0, 0.8f, 0), "(0.400   0) ");
    set_areas(0.1f, 0.4005f, 0.4f);
    EXPECT_EQ(split_output(0, 0, 1, 0, 0.8f, 0), "(0.400   127) ");
    set_areas(0.1f, 0.2f, 0.4f);
    EXPECT_EQ(split_output(0, 0, 1, 0, 0.8f, 0), "(0.400   255) ");
}
