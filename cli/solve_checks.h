// Checks kovra-solve makes around its runs: an output file that would
// overwrite an input, and output that was lost.
#pragma once

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include <sys/stat.h>

// True when the output file is one of the inputs (the same file under any name).
inline bool OutputIsAnInput(const char* output, const std::vector<const char*>& inputs)
{
    struct stat t;
    if (output == nullptr || ::stat(output, &t) != 0 || !S_ISREG(t.st_mode))
        return false;
    for (const char* input : inputs) {
        struct stat s;
        if (::stat(input, &s) == 0 && s.st_dev == t.st_dev && s.st_ino == t.st_ino)
            return true;
    }
    return false;
}

// Flushes standard output; false, with a message, when something written there was lost.
inline bool OutputWritten()
{
    if (std::fflush(stdout) == 0 && std::ferror(stdout) == 0)
        return true;
    std::fprintf(stderr, "kovra-solve: cannot write the output (%s)\n",
                 std::strerror(errno != 0 ? errno : EIO));
    return false;
}
