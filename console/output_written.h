// The end of a console program's output: what it printed must reach
// standard output, or the program says so and fails.
#ifndef OUTPUT_WRITTEN_H
#define OUTPUT_WRITTEN_H

#include <cerrno>
#include <cstdio>
#include <cstring>

// Flushes standard output. Returns true when all that was printed has been
// written; otherwise prints "<program>: cannot write the table: <cause>" on
// standard error and returns false.
inline bool output_written(const char *program)
{
    if (std::fflush(stdout) == 0 && !std::ferror(stdout))
        return true;
    const int cause = errno;
    std::fprintf(stderr, "%s: cannot write the table: %s\n", program,
                 cause ? std::strerror(cause) : "write error");
    return false;
}

#endif
