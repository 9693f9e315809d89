#include "platform/open_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The open file's own kind, so that a file swapped in after a look at the
// name cannot slip through.
const char* WaitingKindOf(int fd)
{
    struct stat st;
    return ::fstat(fd, &st) == 0 ? WaitingKind(st.st_mode) : nullptr;
}

}  // namespace

const char* WaitingKind(mode_t mode)
{
    if (S_ISFIFO(mode))
        return "a pipe";
    if (S_ISSOCK(mode))
        return "a socket";
    return nullptr;
}

namespace {

bool IdOfRegular(const struct stat& st, FileId& id)
{
    if (!S_ISREG(st.st_mode))
        return false;
    id.device = st.st_dev;
    id.inode = st.st_ino;
    return true;
}

}  // namespace

bool RegularFileId(const char* path, FileId& id)
{
    struct stat st;
    return ::stat(path, &st) == 0 && IdOfRegular(st, id);
}

bool RegularFileId(int fd, FileId& id)
{
    struct stat st;
    return ::fstat(fd, &st) == 0 && IdOfRegular(st, id);
}

InputFile OpenToRead(const char* path)
{
    InputFile in;
    // Non-blocking: the open of a pipe returns at once instead of waiting for a writer.
    const int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        in.why = std::strerror(errno);
        return in;
    }
    if (const char* kind = WaitingKindOf(fd)) {
        ::close(fd);
        in.refused = true;
        in.why = kind;
        return in;
    }
    in.file = ::fdopen(fd, "r");
    if (in.file == nullptr) {
        in.why = std::strerror(errno);
        ::close(fd);
    }
    return in;
}

int OpenToWriteDirectly(const char* path)
{
    const int fd = ::open(path, O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    if (WaitingKindOf(fd) != nullptr) {
        ::close(fd);
        errno = ENXIO;
        return -1;
    }
    // Writes to a device may wait as writes to a file do (a terminal's flow control).
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    return fd;
}
