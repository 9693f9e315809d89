// A file that replaces another only once it is complete: written into a
// fresh temporary file beside it and renamed over it at the end, so that a
// reader never sees it half written and two writers never mix.
#pragma once

#include <cstdio>
#include <string>

class CReplaceFile {
public:
    CReplaceFile() = default;
    ~CReplaceFile();  // an uncommitted temporary file is removed
    CReplaceFile(const CReplaceFile&) = delete;
    CReplaceFile& operator=(const CReplaceFile&) = delete;

    // Creates the temporary file (exclusively, mode 0600 until it gets the
    // mode of the file it replaces). With devicesDirect a path that names an
    // existing file other than a regular one (/dev/null) is written
    // directly; a pipe or socket is refused (ENXIO). False, with
    // errno set, when nothing could be opened.
    bool Open(const char* path, bool devicesDirect);
    std::FILE* Stream() const { return m_file; }
    // Flushes, (with sync) syncs, closes and renames over the path; false,
    // with errno set and the old file left alone, when any step failed.
    bool Commit(bool sync);
    // Closes and removes the temporary file; the old file stays.
    void Discard();

private:
    std::FILE* m_file = nullptr;
    std::string m_path;
    std::string m_temp;  // empty when written directly
    unsigned m_mode = 0;
};

// Replaces the file at path with the bytes given, written whole or not at
// all (a device is written directly); false, with errno set, on failure.
bool ReplaceFileWith(const char* path, const void* data, std::size_t size);
