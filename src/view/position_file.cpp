// "Save" and "Restore": the position file of stone records, move-list
// records and target points, one "%c %2d %2d" line each.
#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>

#include "board/kovra_view.h"
#include "platform/open_file.h"
#include "platform/replace_file.h"
#include "view/position_notes.h"

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
    const InputFile in = OpenToRead(m_fileName);
    if (in.refused) {  // a pipe would keep the window waiting: the position stays
        ShowStatus("file not opened");
        return m_histCount;
    }
    if (!in.file) {
        ResetPosition();
        ShowStatus("file not found");
        return m_histCount;
    }
    std::string text;
    const bool read = ReadPositionText(in.file, text);
    std::fclose(in.file);
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

bool CKovraView::ReadPositionRecords(std::FILE* file, bool keepTargets, CPositionNotes* notes)
{
    std::string text;
    if (!ReadPositionText(file, text))
        return false;
    ApplyPositionRecords(text, keepTargets, notes);
    return true;
}

void CKovraView::ApplyPositionRecords(const std::string& text, bool keepTargets,
                                      CPositionNotes* notes)
{
    m_histCount = 0;
    m_moveCount = 0;
    m_moveBlack = 0;
    m_moveWhite = 0;
    m_targetCount = 0;
    m_groupsReady = 0;
    if (notes != nullptr)
        notes->Begin(text);
    ScanPositionRecords(text, [&](const PositionRecord& r) {
        const int targets = m_targetCount;
        const char* skipped =
            r.complete ? ApplyRecord(r.letter, r.row, r.column, keepTargets) : "not a record";
        if (notes == nullptr)
            return;
        if (skipped != nullptr)
            notes->Skip(r.offset, skipped);
        else if (m_targetCount > targets)
            notes->Target(targets, r.offset);
    });
}

void ScanPositionRecords(const std::string& text,
                         const std::function<void(const PositionRecord& record)>& each)
{
    if (text.empty())
        return;
    // The records are scanned from memory with the format they were always
    // read with, so every line means what it meant.
    std::FILE* file = fmemopen(const_cast<char*>(text.data()), text.size(), "r");
    if (file == nullptr)
        return;
    PositionRecord record;
    int fields;
    // The closing "\n" skips all white space, so a blank pass letter after
    // an earlier record is swallowed and its line is read from its first
    // non-blank character; a record that stops short counts for nothing.
    long start = std::ftell(file);
    while ((fields = std::fscanf(file, "%c%3d%3d\n", &record.letter, &record.row, &record.column)) !=
           EOF) {
        record.complete = fields == 3;
        record.offset = start >= 0 ? static_cast<std::size_t>(start) : 0;
        each(record);
        start = std::ftell(file);
    }
    std::fclose(file);
}

const char* CKovraView::ApplyRecord(char letter, int row, int column, bool keepTargets)
{
    const bool stone = letter == 'b' || letter == 'w';
    const bool target = letter == 'x' && keepTargets;
    if (!stone && !target && !IsMoveKind(letter))
        return letter == ' ' || letter == 's' || letter == 'x' ? nullptr : "unknown record";
    if (!OnBoard(column, row))
        return "off the board";
    if (stone) {
        if (!PushHistory(letter, column, row))
            return "the history is full";
        m_board[row][column] = letter == 'b' ? kBlack : kWhite;
        m_groupsStale = 1;
    } else if (target) {
        if (m_targetCount >= kMaxTargets)
            return "more than 5 targets";
        m_targetY[m_targetCount] = static_cast<signed char>(row);
        m_targetX[m_targetCount] = static_cast<signed char>(column);
        ++m_targetCount;
    } else {
        if (m_moveCount >= kMaxMoves)
            return "more than 15 candidate points";
        AppendMoveEntry(letter, column, row);
    }
    return nullptr;
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
