// The tests' program runner on small shell programs: it reads both streams
// in full however much comes, and stops a program that hangs, so that no
// suite waits for ever.
#include "run_program.h"

#include <gtest/gtest.h>

namespace {

Ran shell(const std::string &script, Launch launch = {}, double seconds = 20)
{
    launch.command = {"sh", "-c", script};
    return run_program(launch, seconds);
}

TEST(RunProgram, BothStreamsReadInFullAndAHangingProgramStopped)
{
    // More than a pipe holds on both streams at once, interleaved.
    const Ran big = shell("i=0; while [ $i -lt 2000 ]; do "
                          "echo 0123456789012345678901234567890123456789; "
                          "echo abcdefghijabcdefghijabcdefghijabcdefghij >&2; i=$((i+1)); done");
    EXPECT_EQ(big.status, 0);
    EXPECT_EQ(big.output.size(), 2000u * 41);
    EXPECT_EQ(big.errors.size(), 2000u * 41);

    Launch merged;
    merged.errors_with_output = true;
    EXPECT_EQ(shell("echo out; echo err >&2", merged).output, "out\nerr\n");

    const Ran hung = shell("echo started; exec sleep 60", {}, 0.5);
    EXPECT_EQ(hung.status, -1);
    EXPECT_EQ(hung.output, "started\n");
    EXPECT_NE(hung.errors.find("still running after 0.5 s"), std::string::npos) << hung.errors;
}

} // namespace
