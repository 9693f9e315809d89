// The trace of a solver run: one line per move, pass or result near the root.
#include <cstdio>

#include "board/kovra_view.h"

namespace {
// Past this many plays a run writes no more trace lines (a wrapped,
// negative count stays past it).
constexpr std::uint32_t kTraceCeiling = 39999999;
}  // namespace

void CKovraView::TraceLine(int count, int ply, char kind, int a, int b)
{
    if (m_logFile == nullptr || static_cast<std::uint32_t>(m_playCount) >= kTraceCeiling)
        return;
    char line[160];
    int len;
    if (kind != ' ')
        len = std::snprintf(line, sizeof line, "%8d:%2d %*s%2d%c%2d\n", count, ply, 2 * ply, "", a,
                            kind == 'b' ? ',' : '\'', b);
    else
        len = std::snprintf(line, sizeof line, "        :%2d %*s%2d\n", ply, 2 * ply, "", a);
    if (len > 0)
        std::fwrite(line, 1, len < int(sizeof line) ? std::size_t(len) : sizeof line - 1, m_logFile);
}
