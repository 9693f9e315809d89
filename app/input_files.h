// The files the window reads from while it runs (the script it plays, the
// SGF files it opened): what it writes (a snapshot, a saved problem, an
// exported picture) may not land in one of them, under any name.
#pragma once

#include <string>
#include <vector>

#include "platform/open_file.h"

// What an output refused for that reason is told.
inline constexpr char kOutputIsAnInput[] = "the output file is also an input";

class CInputFiles {
public:
    // Adds the regular file the name or the open descriptor leads to
    // (anything else cannot be overwritten by a saved file).
    void Add(const std::string& path);
    void Add(int fd);
    // True when writing to path would overwrite one of them.
    bool Holds(const std::string& path) const;

private:
    void Add(const FileId& id);

    std::vector<FileId> m_files;
};
