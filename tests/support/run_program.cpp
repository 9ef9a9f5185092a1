#include "run_program.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <poll.h>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char **environ;

namespace {

using Clock = std::chrono::steady_clock;

void close_fd(int &fd)
{
    if (fd >= 0)
        close(fd);
    fd = -1;
}

int status_of(int raw)
{
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
}

// The test's environment with the launch's changes.
std::vector<std::string> environment_for(const Launch &launch)
{
    std::vector<std::string> result;
    for (char **entry = environ; *entry; ++entry)
        result.emplace_back(*entry);
    for (const std::string &setting : launch.environment) {
        const std::string name = setting.substr(0, setting.find('='));
        std::vector<std::string> kept;
        for (std::string &entry : result)
            if (entry.compare(0, name.size() + 1, name + "=") != 0)
                kept.push_back(std::move(entry));
        result = std::move(kept);
        if (setting.find('=') != std::string::npos)
            result.push_back(setting);
    }
    return result;
}

std::vector<char *> pointers_to(std::vector<std::string> &strings)
{
    std::vector<char *> pointers;
    for (std::string &s : strings)
        pointers.push_back(s.data());
    pointers.push_back(nullptr);
    return pointers;
}

// In the child, between fork and exec: opens `path` for appending onto `fd`.
bool redirect_to_file(const char *path, int fd)
{
    const int opened = open(path, O_WRONLY | O_CREAT | O_APPEND, 0644);
    return opened >= 0 && dup2(opened, fd) == fd && (opened == fd || close(opened) == 0);
}

// In the child: /dev/null onto `fd`, for reading.
bool read_from_null(int fd)
{
    const int opened = open("/dev/null", O_RDONLY);
    return opened >= 0 && dup2(opened, fd) == fd && (opened == fd || close(opened) == 0);
}

// Stops what the process held, if anything, and closes its pipes.
void release(Process &process)
{
    stop_program(process);
    close_fd(process.input);
    close_fd(process.output);
    close_fd(process.errors);
    process.pid = -1;
    process.status = -1;
}

} // namespace

Process::~Process()
{
    release(*this);
}

bool start_program(const Launch &launch, Process &process)
{
    release(process);
    if (launch.command.empty())
        return false;
    // Everything the child needs is made before the fork.
    std::vector<std::string> arguments = launch.command;
    std::vector<std::string> environment = environment_for(launch);
    const std::vector<char *> argv = pointers_to(arguments);
    const std::vector<char *> envp = pointers_to(environment);
    int in[2] = {-1, -1}, out[2] = {-1, -1}, err[2] = {-1, -1};
    const bool pipe_output = launch.output_file.empty();
    const bool pipe_errors = launch.errors_file.empty() && !launch.errors_with_output;
    if ((launch.input == Input::PIPE && pipe2(in, O_CLOEXEC) != 0) ||
        (pipe_output && pipe2(out, O_CLOEXEC) != 0) || (pipe_errors && pipe2(err, O_CLOEXEC) != 0)) {
        for (int fd : {in[0], in[1], out[0], out[1], err[0], err[1]})
            if (fd >= 0)
                close(fd);
        return false;
    }
    // A test writing to a program that has ended gets an error, not SIGPIPE.
    signal(SIGPIPE, SIG_IGN);
    const pid_t pid = fork();
    if (pid == 0) {
        signal(SIGPIPE, SIG_DFL);
        bool ready = true;
        if (launch.input == Input::PIPE)
            ready = dup2(in[0], 0) == 0;
        else if (launch.input == Input::EMPTY)
            ready = read_from_null(0);
        else
            close(0);
        ready = ready && (pipe_output ? dup2(out[1], 1) == 1
                                      : redirect_to_file(launch.output_file.c_str(), 1));
        if (launch.errors_with_output)
            ready = ready && dup2(1, 2) == 2;
        else
            ready = ready && (pipe_errors ? dup2(err[1], 2) == 2
                                          : redirect_to_file(launch.errors_file.c_str(), 2));
        if (!ready || (!launch.folder.empty() && chdir(launch.folder.c_str()) != 0))
            _exit(126);
        execvpe(argv[0], argv.data(), envp.data());
        _exit(127);
    }
    for (int fd : {in[0], out[1], err[1]})
        if (fd >= 0)
            close(fd);
    process.pid = pid;
    process.input = in[1];
    process.output = out[0];
    process.errors = err[0];
    if (pid < 0) {
        process.pid = -1;
        close_fd(process.input);
        close_fd(process.output);
        close_fd(process.errors);
        return false;
    }
    return true;
}

int exit_status_now(Process &process)
{
    if (process.pid > 0 && process.status < 0) {
        int raw = 0;
        if (waitpid(process.pid, &raw, WNOHANG) == process.pid)
            process.status = status_of(raw);
    }
    return process.status;
}

int wait_for_end(Process &process, double seconds)
{
    const auto end = Clock::now() + std::chrono::duration<double>(seconds);
    while (exit_status_now(process) < 0 && process.pid > 0 && Clock::now() < end)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    return process.status;
}

void stop_program(Process &process)
{
    if (process.pid <= 0 || exit_status_now(process) >= 0)
        return;
    kill(process.pid, SIGTERM);
    if (wait_for_end(process, 5) < 0) {
        kill(process.pid, SIGKILL);
        int raw = 0;
        if (waitpid(process.pid, &raw, 0) == process.pid)
            process.status = status_of(raw);
    }
}

Ran finish_program(Process &process, double seconds)
{
    Ran ran;
    close_fd(process.input);
    const auto end = Clock::now() + std::chrono::duration<double>(seconds);
    bool late = false;
    // Both pipes are read as the program writes, so that neither fills up.
    while (process.output >= 0 || process.errors >= 0) {
        const int left = static_cast<int>(
            std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count());
        if (left <= 0) {
            late = true;
            break;
        }
        pollfd fds[2] = {{process.output, POLLIN, 0}, {process.errors, POLLIN, 0}};
        const int ready = poll(fds, 2, left);
        if (ready < 0 && errno != EINTR)
            break;
        if (ready <= 0)
            continue;
        int *ends[2] = {&process.output, &process.errors};
        std::string *texts[2] = {&ran.output, &ran.errors};
        for (int k = 0; k < 2; ++k) {
            if (*ends[k] < 0 || !(fds[k].revents & (POLLIN | POLLHUP | POLLERR)))
                continue;
            char buffer[65536];
            const ssize_t n = read(*ends[k], buffer, sizeof buffer);
            if (n > 0)
                texts[k]->append(buffer, static_cast<size_t>(n));
            else if (n == 0 || errno != EINTR)
                close_fd(*ends[k]);
        }
    }
    const double remaining = std::chrono::duration<double>(end - Clock::now()).count();
    if (late || wait_for_end(process, remaining > 0 ? remaining : 0) < 0) {
        stop_program(process);
        std::ostringstream note;
        note << "(stopped: still running after " << seconds << " s)\n";
        ran.errors += note.str();
        ran.status = -1;
    } else {
        ran.status = process.status;
    }
    close_fd(process.output);
    close_fd(process.errors);
    return ran;
}

Ran run_program(const Launch &launch, double seconds)
{
    Process process;
    if (!start_program(launch, process)) {
        Ran ran;
        ran.errors = "cannot start " + (launch.command.empty() ? "nothing" : launch.command[0]);
        return ran;
    }
    return finish_program(process, seconds);
}

bool on_path(const std::string &name)
{
    const char *path = std::getenv("PATH");
    std::stringstream folders(path ? path : "");
    std::string folder;
    while (std::getline(folders, folder, ':')) {
        const std::string file = (folder.empty() ? "." : folder) + "/" + name;
        struct stat info;
        if (stat(file.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
            access(file.c_str(), X_OK) == 0)
            return true;
    }
    return false;
}

std::string read_file(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
