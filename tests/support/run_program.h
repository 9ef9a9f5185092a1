// Running a program from a test: started with its standard input,
// environment and working folder set as asked, its standard output and
// standard error collected, its end awaited for a limited time.
#ifndef RUN_PROGRAM_H
#define RUN_PROGRAM_H

#include <string>
#include <sys/types.h>
#include <vector>

enum class Input {
    EMPTY,  // /dev/null
    CLOSED, // no standard input at all
    PIPE,   // a pipe the test writes to (Process::input)
};

struct Launch {
    // The program (a path, or a name looked up on PATH), then its arguments.
    std::vector<std::string> command;
    // Changes to the test's environment: NAME=VALUE sets NAME, NAME alone
    // removes it. Later settings win over earlier ones.
    std::vector<std::string> environment;
    std::string folder; // working folder; "" keeps the test's
    Input input = Input::EMPTY;
    // Files that standard output and standard error are appended to; where
    // empty, a pipe the test reads (Process::output, Process::errors).
    std::string output_file, errors_file;
    bool errors_with_output = false; // standard error goes where standard output goes
};

// A started program. It is stopped, if it still runs, when this ends.
struct Process {
    pid_t pid = -1;
    int input = -1, output = -1, errors = -1; // the test's ends of the pipes, or -1
    int status = -1; // once it has ended: its exit status, or 128 + the signal that ended it
    Process() = default;
    Process(const Process &) = delete;
    Process &operator=(const Process &) = delete;
    ~Process();
};

// What a finished run gave.
struct Ran {
    int status = -1; // -1: still running at the time limit, and stopped then
    std::string output, errors;
};

// Starts the program; false if it could not be started (a program that
// cannot be found or executed ends at once with status 127).
bool start_program(const Launch &launch, Process &process);

// The program's status if it has ended, else -1.
int exit_status_now(Process &process);

// Waits up to `seconds` for the program to end; its status, or -1 if it
// still runs.
int wait_for_end(Process &process, double seconds);

// Asks the program to end (SIGTERM, then SIGKILL after five seconds) and
// waits for it.
void stop_program(Process &process);

// Closes its standard input, reads the rest of its standard output and
// standard error, and waits for its end; a program still running after
// `seconds` is stopped, with status -1 and a line saying so after its
// standard error.
Ran finish_program(Process &process, double seconds = 300);

// start_program, then finish_program.
Ran run_program(const Launch &launch, double seconds = 300);

// Whether a program of this name is found on PATH.
bool on_path(const std::string &name);

// The whole content of a file ("" if it cannot be read).
std::string read_file(const std::string &path);

#endif
