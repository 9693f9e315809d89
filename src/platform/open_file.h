// Files opened so that the program never waits on them: opening a named
// pipe waits for its other end, and its reads and writes may wait for
// ever, so pipes and sockets are refused. Devices are opened without
// waiting for a carrier or a lock.
#pragma once

#include <cstdio>
#include <string>

#include <sys/types.h>

// "a pipe" or "a socket" for a kind of file that can keep a reader or
// writer waiting, else null.
const char* WaitingKind(mode_t mode);

// A file opened to read, or why it was not.
struct InputFile {
    std::FILE* file = nullptr;  // the caller closes it
    bool refused = false;       // a pipe or a socket: it was not opened
    std::string why;            // when file is null: the system's reason, or the kind refused
};

// Opens path to read. A device stays non-blocking, so a terminal that has
// nothing to read gives a read error instead of a wait.
InputFile OpenToRead(const char* path);

// Which regular file a name or an open file leads to, so that two names of
// one file (links, "./") are told as one.
struct FileId {
    dev_t device = 0;
    ino_t inode = 0;
    bool operator==(const FileId& other) const
    {
        return device == other.device && inode == other.inode;
    }
};
// False when path names no regular file (missing, a directory, a device).
bool RegularFileId(const char* path, FileId& id);
bool RegularFileId(int fd, FileId& id);

// Opens an existing file to write directly (a device such as /dev/null);
// -1 with errno set when it cannot be opened, ENXIO for a pipe or socket.
int OpenToWriteDirectly(const char* path);
