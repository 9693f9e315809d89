// "Save" and "Restore": the position file of stone records, move-list
// records and target points, one "%c %2d %2d" line each.
#include <cstdio>

#include "board/kovra_view.h"

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
    // Written beside the target first, so a failed write never leaves a
    // truncated position file behind.
    char tempName[sizeof m_fileName + 8];
    std::snprintf(tempName, sizeof tempName, "%s.tmp", m_fileName);
    std::FILE* file = std::fopen(tempName, "w");
    if (!file) {
        ShowStatus("file not opened");
        return;
    }
    bool written = WritePositionRecords(file);
    written = std::fflush(file) == 0 && written;
    written = std::fclose(file) == 0 && written;
    if (!written || std::rename(tempName, m_fileName) != 0) {
        std::remove(tempName);
        ShowStatus("file not opened");
    }
}

int CKovraView::OnRestore()
{
    ResetPosition();
    std::FILE* file = std::fopen(m_fileName, "r");
    if (!file) {
        ShowStatus("file not found");
        return m_histCount;
    }
    ShowStatus(m_fileName);
    ReadPositionRecords(file, false);
    std::fclose(file);
    DrawBoard();
    return m_histCount;
}

void CKovraView::ReadPositionRecords(std::FILE* file, bool keepTargets)
{
    m_histCount = 0;
    m_moveCount = 0;
    m_moveBlack = 0;
    m_moveWhite = 0;
    m_targetCount = 0;
    m_groupsReady = 0;
    char letter = 0;
    int row = 0;
    int column = 0;
    int fields;
    // The closing "\n" skips all white space, so a blank pass letter after
    // an earlier record is swallowed and its line is read from its first
    // non-blank character; a record that stops short counts for nothing.
    while ((fields = std::fscanf(file, "%c%3d%3d\n", &letter, &row, &column)) != EOF) {
        if (std::ferror(file))
            break;
        if (fields != 3)
            continue;
        if (letter == 'b' || letter == 'w') {
            if (!OnBoard(column, row) || !PushHistory(letter, column, row))
                continue;
            m_board[row][column] = letter == 'b' ? kBlack : kWhite;
            m_groupsStale = 1;
        } else if (IsMoveKind(letter)) {
            if (!OnBoard(column, row) || m_moveCount >= kMaxMoves)
                continue;
            AppendMoveEntry(letter, column, row);
        } else if (letter == 'x' && keepTargets) {
            if (!OnBoard(column, row) || m_targetCount >= kMaxTargets)
                continue;
            m_targetY[m_targetCount] = static_cast<signed char>(row);
            m_targetX[m_targetCount] = static_cast<signed char>(column);
            ++m_targetCount;
        }
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
