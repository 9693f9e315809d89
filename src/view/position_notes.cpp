#include "view/position_notes.h"

void CPositionNotes::Begin(const std::string& text)
{
    *this = CPositionNotes();
    m_text = &text;
}

int CPositionNotes::LineAt(std::size_t offset)
{
    const std::string& text = *m_text;
    for (; m_pos < offset && m_pos < text.size(); ++m_pos) {
        if (text[m_pos] == '\n') {
            ++m_line;
            m_lineStart = m_pos + 1;
        }
    }
    return m_line;
}

void CPositionNotes::Skip(std::size_t offset, const char* why)
{
    const int line = LineAt(offset);
    const std::string& text = *m_text;
    const char first = m_lineStart < text.size() ? text[m_lineStart] : '\n';
    if (first == ' ' || first == '\t' || first == '\r' || first == '\n')
        return;
    if (!m_skipped.empty() && m_skipped.back().line == line)
        return;
    m_skipped.push_back(Skipped{line, why});
}

void CPositionNotes::Target(int index, std::size_t offset)
{
    m_targetLine[index] = LineAt(offset);
}
