#include "script_report.h"

#include <cstdio>

#include "board/kovra_view.h"

namespace {

char BoardCell(unsigned char c)
{
    return c == kBlack ? 'X' : c == kWhite ? 'O' : '.';
}

char GroupCell(std::int32_t g)
{
    if (g == 0)
        return '.';
    if (g >= 1 && g <= 9)
        return static_cast<char>('0' + g);
    if (g >= 10 && g <= 15)
        return static_cast<char>('a' + g - 10);
    return '?';
}

}  // namespace

std::string BoardReport(const CKovraView& view)
{
    std::string out = "board:\n";
    for (int y = 1; y <= kBoardSize; ++y) {
        for (int x = 1; x <= kBoardSize; ++x)
            out += BoardCell(view.m_board[y][x]);
        out += '\n';
    }
    return out;
}

std::string GroupsReport(const CKovraView& view)
{
    std::string out = "groups:\n";
    for (int y = 1; y <= kBoardSize; ++y) {
        for (int x = 1; x <= kBoardSize; ++x)
            out += GroupCell(view.m_groupMap[y][x]);
        out += '\n';
    }
    return out;
}

std::string StateReport(const CKovraView& view)
{
    char line[320];
    std::snprintf(line, sizeof line,
                  "state: mode='%c' hist=%d base=%d moves=%d black=%u white=%u targets=%d "
                  "groups=%d ready=%d exhaust=%d result=%d side='%c' refused=%d ply=%d file=%.*s\n",
                  view.m_clickMode, int(view.m_histCount), int(view.m_histBase),
                  int(view.m_moveCount), unsigned(view.m_moveBlack), unsigned(view.m_moveWhite),
                  int(view.m_targetCount), int(view.m_groupCount), int(view.m_groupsReady),
                  int(view.m_exhaustCheck), int(view.m_solverResult), view.m_solverSide,
                  int(view.m_verifyRefused), int(view.m_ply), int(sizeof view.m_fileName),
                  view.m_fileName);
    return line;
}
