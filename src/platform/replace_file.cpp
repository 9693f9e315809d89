#include "platform/replace_file.h"

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/open_file.h"

namespace {

// The process's umask, read without setting it: other threads may be
// creating files at the same time.
unsigned CurrentUmask()
{
    unsigned mask = 022;
    if (std::FILE* status = std::fopen("/proc/self/status", "r")) {
        char line[256];
        while (std::fgets(line, sizeof line, status) != nullptr)
            if (std::sscanf(line, "Umask: %o", &mask) == 1)
                break;
        std::fclose(status);
    }
    return mask;
}

// The mode a replacement gets: that of the file it replaces, else what a
// plain create would give under the process's umask.
unsigned ReplacementMode(const char* path)
{
    struct stat st;
    if (::stat(path, &st) == 0 && S_ISREG(st.st_mode))
        return st.st_mode & 07777;
    return 0666 & ~CurrentUmask();
}

// A stream that writes to fd; null, with fd closed and errno kept, when
// none can be made.
std::FILE* WriteStream(int fd)
{
    std::FILE* file = ::fdopen(fd, "w");
    if (file == nullptr) {
        const int error = errno;
        ::close(fd);
        errno = error;
    }
    return file;
}

bool IsOtherThanRegular(const char* path)
{
    struct stat st;
    return ::stat(path, &st) == 0 && !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode);
}

}  // namespace

CReplaceFile::~CReplaceFile()
{
    Discard();
}

bool CReplaceFile::Open(const char* path, bool devicesDirect)
{
    Discard();
    m_path = path;
    if (devicesDirect && IsOtherThanRegular(path)) {
        const int fd = OpenToWriteDirectly(path);  // never a pipe, which could wait for ever
        m_file = fd < 0 ? nullptr : WriteStream(fd);
        return m_file != nullptr;
    }
    m_mode = ReplacementMode(path);
    std::string temp = m_path + ".XXXXXX";
    const int fd = ::mkstemp(&temp[0]);  // O_EXCL: never through a planted link
    if (fd < 0)
        return false;
    m_file = WriteStream(fd);
    if (m_file == nullptr) {
        const int error = errno;
        ::unlink(temp.c_str());
        errno = error;
        return false;
    }
    m_temp = temp;
    return true;
}

bool CReplaceFile::Commit(bool sync)
{
    if (m_file == nullptr) {
        errno = EBADF;
        return false;
    }
    errno = 0;
    bool ok = std::fflush(m_file) == 0 && std::ferror(m_file) == 0;
    int error = ok ? 0 : (errno != 0 ? errno : EIO);
    if (ok && !m_temp.empty()) {
        ok = ::fchmod(fileno(m_file), m_mode) == 0 && (!sync || ::fsync(fileno(m_file)) == 0);
        error = ok ? 0 : errno;
    }
    const bool closed = std::fclose(m_file) == 0;
    m_file = nullptr;
    if (ok && !closed) {
        ok = false;
        error = errno;
    }
    if (ok && !m_temp.empty() && std::rename(m_temp.c_str(), m_path.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (ok)
        m_temp.clear();
    Discard();
    errno = error;
    return ok;
}

void CReplaceFile::Discard()
{
    if (m_file != nullptr)
        std::fclose(m_file);
    m_file = nullptr;
    if (!m_temp.empty())
        ::unlink(m_temp.c_str());
    m_temp.clear();
}

bool ReplaceFileWith(const char* path, const void* data, std::size_t size)
{
    CReplaceFile out;
    return out.Open(path, true) && std::fwrite(data, 1, size, out.Stream()) == size &&
           out.Commit(true);
}
