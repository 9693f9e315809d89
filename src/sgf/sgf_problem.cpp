// The posed problem's way back to the file's board.
#include <utility>

#include "sgf/sgf.h"

SgfPoint KovraProblem::ToSource(SgfPoint p) const
{
    if (symmetry & 4)
        std::swap(p.x, p.y);
    if (symmetry & 1)
        p.x = sourceSize + 1 - p.x;
    if (symmetry & 2)
        p.y = sourceSize + 1 - p.y;
    return p;
}
