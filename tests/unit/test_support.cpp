#include "test_support.h"

#include <cstdio>

namespace {
std::string Format(const char* format, int a, int b, int c, int d)
{
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, format, a, b, c, d);
    return buffer;
}
}  // namespace

void RecordingCanvas::FillRect(int l, int t, int r, int b, Rgb c)
{
    calls.push_back(Format("fill %d %d %d %d", l, t, r, b) + Format(" %06x", int(c), 0, 0, 0));
}
void RecordingCanvas::MoveTo(int x, int y) { calls.push_back(Format("move %d %d", x, y, 0, 0)); }
void RecordingCanvas::LineTo(int x, int y) { calls.push_back(Format("line %d %d", x, y, 0, 0)); }
void RecordingCanvas::Ellipse(int l, int t, int r, int b, Brush brush)
{
    calls.push_back(Format("ellipse %d %d %d %d", l, t, r, b) + (brush == Brush::Black ? " black" : " white"));
}
void RecordingCanvas::SetTextColor(Rgb c) { calls.push_back(Format("textcolor %06x", int(c), 0, 0, 0)); }
void RecordingCanvas::SetBkModeTransparent() { calls.push_back("transparent"); }
void RecordingCanvas::TextOut(int x, int y, const char* text)
{
    calls.push_back(Format("text %d %d ", x, y, 0, 0) + text);
}
std::vector<std::string> RecordingCanvas::Calls(const std::string& prefix) const
{
    std::vector<std::string> out;
    for (const std::string& call : calls)
        if (call.compare(0, prefix.size(), prefix) == 0)
            out.push_back(call);
    return out;
}

ViewHarness::ViewHarness() : m_view(new CKovraView)
{
    g_pMainFrame = &frame;
    m_view->m_pCanvas = &canvas;
}

ViewHarness::~ViewHarness()
{
    g_pMainFrame = nullptr;
}

void SetBoard(CKovraView& view, const std::vector<std::string>& rows)
{
    int y = 1;
    for (const std::string& row : rows) {
        int x = 1;
        for (char ch : row) {
            if (ch == ' ')
                continue;
            view.m_board[y][x] = ch == 'X' ? kBlack : ch == 'O' ? kWhite : kEmpty;
            ++x;
        }
        ++y;
    }
}

std::vector<std::string> BoardRows(const CKovraView& view)
{
    std::vector<std::string> rows;
    for (int y = 1; y <= 11; ++y) {
        std::string row;
        for (int x = 1; x <= 11; ++x) {
            const unsigned char c = view.m_board[y][x];
            row += c == kBlack ? 'X' : c == kWhite ? 'O' : '.';
        }
        rows.push_back(row);
    }
    return rows;
}

std::vector<std::string> GroupRows(const CKovraView& view)
{
    std::vector<std::string> rows;
    for (int y = 1; y <= 11; ++y) {
        std::string row;
        for (int x = 1; x <= 11; ++x) {
            const int g = view.m_groupMap[y][x];
            row += g == 0 ? '.' : g < 10 ? char('0' + g) : char('a' + g - 10);
        }
        rows.push_back(row);
    }
    return rows;
}

int PlayMove(CKovraView& view, char kind, int x, int y)
{
    view.PushHistory(kind, x, y);
    view.m_board[y][x] = kind == 'b' ? kBlack : kWhite;
    const int r = view.CheckMove(view.Board(), view.GroupMap(), view.m_groupStones);
    if (r == -1) {
        view.m_board[y][x] = kEmpty;
        --view.m_histCount;
        return r;
    }
    view.m_groupCount = view.PlaceStone(view.Board(), view.GroupMap(), view.m_groupColor,
                                        view.m_groupStones, view.m_groupCount);
    return r;
}

void AddMoveEntry(CKovraView& view, char kind, int x, int y)
{
    view.AppendMoveEntry(kind, x, y);
}
