#include "input_files.h"

#include <algorithm>

void CInputFiles::Add(const std::string& path)
{
    FileId id;
    if (RegularFileId(path.c_str(), id))
        Add(id);
}

void CInputFiles::Add(int fd)
{
    FileId id;
    if (RegularFileId(fd, id))
        Add(id);
}

void CInputFiles::Add(const FileId& id)
{
    if (std::find(m_files.begin(), m_files.end(), id) == m_files.end())
        m_files.push_back(id);
}

bool CInputFiles::Holds(const std::string& path) const
{
    FileId id;
    return RegularFileId(path.c_str(), id) &&
           std::find(m_files.begin(), m_files.end(), id) != m_files.end();
}
