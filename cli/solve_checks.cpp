#include "solve_checks.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

#include "platform/open_file.h"

namespace {

// Where an output will land: "@DEV:INO" for an existing regular file,
// "DIR/NAME" with the directory resolved for a file not there yet, empty
// for a device or anything that cannot be told.
std::string OutputPlace(const char* output)
{
    struct stat st;
    if (::stat(output, &st) == 0) {
        FileId id;
        return RegularFileId(output, id)
                   ? "@" + std::to_string(id.device) + ":" + std::to_string(id.inode)
                   : std::string();
    }
    const std::string path(output);
    const std::string::size_type slash = path.rfind('/');
    const std::string dir = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    char resolved[PATH_MAX];
    if (::realpath(dir.c_str(), resolved) == nullptr)
        return std::string();
    return std::string(resolved) + "/" + path.substr(slash + 1);
}

}  // namespace

bool OutputIsAnInput(const char* output, const std::vector<const char*>& inputs)
{
    FileId out;
    if (output == nullptr || !RegularFileId(output, out))
        return false;
    for (const char* input : inputs) {
        FileId in;
        if (RegularFileId(input, in) && in == out)
            return true;
    }
    return false;
}

const char* OutputThatWaits(const char* output)
{
    struct stat st;
    return output != nullptr && ::stat(output, &st) == 0 ? WaitingKind(st.st_mode) : nullptr;
}

bool SameOutput(const char* a, const char* b)
{
    if (a == nullptr || b == nullptr)
        return false;
    const std::string place = OutputPlace(a);
    return !place.empty() && place == OutputPlace(b);
}

bool OutputIsStandardOutput(const char* output)
{
    FileId out;
    FileId file;
    return output != nullptr && RegularFileId(STDOUT_FILENO, out) && RegularFileId(output, file) &&
           file == out;
}

bool OutputWritten()
{
    if (std::fflush(stdout) == 0 && std::ferror(stdout) == 0 && std::ferror(stderr) == 0)
        return true;
    std::fprintf(stderr, "kovra-solve: cannot write the output (%s)\n",
                 std::strerror(errno != 0 ? errno : EIO));
    return false;
}

bool IsDirectoryOutput(const char* path)
{
    struct stat st;
    const std::size_t n = std::strlen(path);
    return (n > 0 && path[n - 1] == '/') || (::stat(path, &st) == 0 && S_ISDIR(st.st_mode));
}
