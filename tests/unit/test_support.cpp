#include "test_support.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {
std::string Format(const char* format, int a, int b, int c = 0, int d = 0)
{
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, format, a, b, c, d);
    return buffer;
}
}  // namespace

void RecordingCanvas::FillRect(int l, int t, int r, int b, Rgb c)
{
    calls.push_back(Format("fill %d %d %d %d", l, t, r, b) + Format(" %06x", int(c), 0));
}
void RecordingCanvas::MoveTo(int x, int y) { calls.push_back(Format("move %d %d", x, y)); }
void RecordingCanvas::LineTo(int x, int y) { calls.push_back(Format("line %d %d", x, y)); }
void RecordingCanvas::Ellipse(int l, int t, int r, int b, Brush brush)
{
    calls.push_back(Format("ellipse %d %d %d %d", l, t, r, b) + (brush == Brush::Black ? " black" : " white"));
}
void RecordingCanvas::SetTextColor(Rgb c) { calls.push_back(Format("textcolor %06x", int(c), 0)); }
void RecordingCanvas::SetBkModeTransparent() { calls.push_back("transparent"); }
void RecordingCanvas::TextOut(int x, int y, const char* text)
{
    calls.push_back(Format("text %d %d ", x, y) + text);
}
Rows RecordingCanvas::Calls(const std::string& prefix) const
{
    Rows out;
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

ViewHarness::~ViewHarness() { g_pMainFrame = nullptr; }

void SetBoard(CKovraView& view, const Rows& rows)
{
    for (std::size_t y = 0; y < rows.size(); ++y)
        for (std::size_t x = 0; x < rows[y].size(); ++x) {
            const char ch = rows[y][x];
            view.m_board[y + 1][x + 1] = ch == 'X' ? kBlack : ch == 'O' ? kWhite : kEmpty;
        }
}

void SetPosition(CKovraView& view, const Rows& rows)
{
    SetBoard(view, rows);
    view.RebuildGroups();
}

Rows BoardRows(const CKovraView& view)
{
    Rows rows;
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

Rows GroupRows(const CKovraView& view)
{
    Rows rows;
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

std::string Region(const CKovraView& view, int rows, int columns)
{
    const Rows board = BoardRows(view);
    const Rows groups = GroupRows(view);
    std::string text;
    for (int y = 0; y < rows; ++y)
        text += (y ? "/" : "") + board[y].substr(0, columns);
    text += "|";
    for (int y = 0; y < rows; ++y)
        text += (y ? "/" : "") + groups[y].substr(0, columns);
    return text;
}

int PlayMove(CKovraView& view, char kind, int x, int y)
{
    view.PushHistory(kind, x, y);
    view.m_board[y][x] = kind == 'b' ? kBlack : kWhite;
    const int r = view.CheckMove(view.Board(), view.GroupMap(), view.m_groupStones);
    if (r == kIllegal) {
        view.m_board[y][x] = kEmpty;
        --view.m_histCount;
        return r;
    }
    view.m_groupCount = view.PlaceStone(view.Board(), view.GroupMap(), view.m_groupColor,
                                        view.m_groupStones, view.m_groupCount);
    return r;
}

void FillHistory(CKovraView& view, int n)
{
    for (int i = view.m_histCount; i < n; ++i)
        view.PushHistory('s', 1 + i % 11, 1 + (i / 11) % 11);
}

void LoadProblem(CKovraView& view, const Problem& problem)
{
    view.ResetPosition();
    SetBoard(view, problem.rows);
    for (int y = 1; y <= 11; ++y)
        for (int x = 1; x <= 11; ++x)
            if (view.m_board[y][x] != kEmpty)
                view.PushHistory(view.m_board[y][x] == kBlack ? 'b' : 'w', x, y);
    view.m_groupsStale = 1;
    view.m_targetCount = 0;
    for (const CPoint& t : problem.targets) {
        view.m_targetX[view.m_targetCount] = static_cast<signed char>(t.x);
        view.m_targetY[view.m_targetCount++] = static_cast<signed char>(t.y);
    }
    view.MarkRecordedTargets();
    for (const Entry& m : problem.moves)
        view.AppendMoveEntry(m.kind, m.x, m.y);
    for (const Entry& e : problem.edits) {
        view.PushHistory(e.kind, e.x, e.y);
        view.m_board[e.y][e.x] = e.kind == 'b' ? kBlack : e.kind == 'w' ? kWhite : kEmpty;
        view.m_groupsStale = 1;
    }
}

std::uint32_t Fnv1a(const std::string& bytes)
{
    std::uint32_t hash = 2166136261u;
    for (unsigned char c : bytes) {
        hash ^= c;
        hash *= 16777619u;
    }
    return hash;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void ScratchDirTest::SetUp()
{
    char old[4096];
    ASSERT_NE(getcwd(old, sizeof old), nullptr);
    m_oldDir = old;
    char pattern[] = "/tmp/kovra-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    m_dir = pattern;
    ASSERT_EQ(chdir(m_dir.c_str()), 0);
}

void ScratchDirTest::TearDown()
{
    if (chdir(m_oldDir.c_str()) != 0)
        ADD_FAILURE() << "cannot return to " << m_oldDir;
    const std::string command = "rm -rf '" + m_dir + "'";
    if (std::system(command.c_str()) != 0)
        ADD_FAILURE() << "cannot remove " << m_dir;
}
