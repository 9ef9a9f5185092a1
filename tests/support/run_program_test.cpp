// The tests' program runner on small shell programs: what it claims about
// status, environment, input, folders, output and its time limit.
#include "run_program.h"

#include <gtest/gtest.h>

namespace {

Ran shell(const std::string &script, Launch launch = {}, double seconds = 20)
{
    launch.command = {"sh", "-c", script};
    return run_program(launch, seconds);
}

TEST(RunProgram, StatusEnvironmentInputAndFolder)
{
    EXPECT_EQ(shell("exit 3").status, 3);
    EXPECT_EQ(shell("kill -TERM $$").status, 128 + 15);
    Launch missing;
    missing.command = {"/no/such/program"};
    EXPECT_EQ(run_program(missing).status, 127);

    // Settings apply in order; a bare name removes the variable.
    Launch env;
    env.environment = {"RUN_A=1", "RUN_A=2", "HOME", "RUN_B=x=y"};
    EXPECT_EQ(shell("echo \"$RUN_A ${HOME-unset} $RUN_B\"", env).output, "2 unset x=y\n");

    Launch closed;
    closed.input = Input::CLOSED;
    EXPECT_EQ(shell("cat 2>/dev/null || echo closed", closed).output, "closed\n");
    EXPECT_EQ(shell("cat; echo end").output, "end\n");

    Launch folder;
    folder.folder = "/";
    EXPECT_EQ(shell("pwd", folder).output, "/\n");
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
