// "Save" and "Restore": the position file of stone records, move-list
// records and target points, one "%c %2d %2d" line each.
#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>

#include "board/kovra_view.h"
#include "platform/replace_file.h"

namespace {

bool IsMoveKind(char c)
{
    return c == 'f' || c == 'm' || c == 'y' || c == 'z';
}

}  // namespace

bool CKovraView::WritePositionRecords(std::FILE* file) const
{
    for (int i = 0; i < m_histCount; ++i)
        if (std::fprintf(file, "%c %2d %2d\n", m_histKind[i], m_histY[i], m_histX[i]) < 0)
            return false;
    for (int i = 0; i < m_moveCount; ++i)
        if (std::fprintf(file, "%c %2d %2d\n", m_moveKind[i], m_moveY[i], m_moveX[i]) < 0)
            return false;
    for (int i = 0; i < m_targetCount; ++i)
        if (std::fprintf(file, "x %2d %2d\n", m_targetY[i], m_targetX[i]) < 0)
            return false;
    return true;
}

void CKovraView::OnSave()
{
    // A fresh temporary file renamed over the old one: a failed write never
    // leaves a truncated position file, and two saves never mix.
    CReplaceFile out;
    if (!out.Open(m_fileName, false)) {
        ShowStatus("file not opened");
        return;
    }
    const bool written = WritePositionRecords(out.Stream());
    if (!written || !out.Commit(true))
        ShowStatus("file not opened");
}

int CKovraView::OnRestore()
{
    std::FILE* file = std::fopen(m_fileName, "r");
    if (!file) {
        ResetPosition();
        ShowStatus("file not found");
        return m_histCount;
    }
    std::string text;
    const bool read = ReadPositionText(file, text);
    std::fclose(file);
    if (!read) {  // a directory, a read error: the position stays
        ShowStatus("file not opened");
        return m_histCount;
    }
    ResetPosition();
    ShowStatus(m_fileName);
    ApplyPositionRecords(text, false);
    DrawBoard();
    return m_histCount;
}

bool CKovraView::ReadPositionText(std::FILE* file, std::string& text)
{
    text.clear();
    char buffer[4096];
    while (text.size() < kPositionFileLimit) {
        const std::size_t want = std::min(sizeof buffer, kPositionFileLimit - text.size());
        const std::size_t n = std::fread(buffer, 1, want, file);
        text.append(buffer, n);
        if (n < want)
            break;
    }
    return std::ferror(file) == 0;
}

bool CKovraView::ReadPositionRecords(std::FILE* file, bool keepTargets)
{
    std::string text;
    if (!ReadPositionText(file, text))
        return false;
    ApplyPositionRecords(text, keepTargets);
    return true;
}

void CKovraView::ApplyPositionRecords(const std::string& text, bool keepTargets)
{
    m_histCount = 0;
    m_moveCount = 0;
    m_moveBlack = 0;
    m_moveWhite = 0;
    m_targetCount = 0;
    m_groupsReady = 0;
    ScanPositionRecords(text, [&](char letter, int row, int column) {
        ApplyRecord(letter, row, column, keepTargets);
    });
}

void ScanPositionRecords(const std::string& text,
                         const std::function<void(char letter, int row, int column)>& record)
{
    if (text.empty())
        return;
    // The records are scanned from memory with the format they were always
    // read with, so every line means what it meant.
    std::FILE* file = fmemopen(const_cast<char*>(text.data()), text.size(), "r");
    if (file == nullptr)
        return;
    char letter = 0;
    int row = 0;
    int column = 0;
    int fields;
    // The closing "\n" skips all white space, so a blank pass letter after
    // an earlier record is swallowed and its line is read from its first
    // non-blank character; a record that stops short counts for nothing.
    while ((fields = std::fscanf(file, "%c%3d%3d\n", &letter, &row, &column)) != EOF) {
        if (fields != 3)
            continue;
        record(letter, row, column);
    }
    std::fclose(file);
}

void CKovraView::ApplyRecord(char letter, int row, int column, bool keepTargets)
{
    if (!OnBoard(column, row))
        return;
    if (letter == 'b' || letter == 'w') {
        if (!PushHistory(letter, column, row))
            return;
        m_board[row][column] = letter == 'b' ? kBlack : kWhite;
        m_groupsStale = 1;
    } else if (IsMoveKind(letter)) {
        if (m_moveCount < kMaxMoves)
            AppendMoveEntry(letter, column, row);
    } else if (letter == 'x' && keepTargets && m_targetCount < kMaxTargets) {
        m_targetY[m_targetCount] = static_cast<signed char>(row);
        m_targetX[m_targetCount] = static_cast<signed char>(column);
        ++m_targetCount;
    }
}

void CKovraView::AppendMoveEntry(char kind, int x, int y)
{
    const int i = m_moveCount;
    m_moveY[i] = static_cast<signed char>(y);
    m_moveX[i] = static_cast<signed char>(x);
    m_moveKind[i] = kind;
    ++m_moveCount;
    const unsigned char c = m_board[y][x];
    m_moveBlack = 2 * m_moveBlack + (c == kBlack ? 1 : 0);
    m_moveWhite = 2 * m_moveWhite + (c == kWhite ? 1 : 0);
}
