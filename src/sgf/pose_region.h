// Reading a plain problem's stones as a player does: how near each side's
// stones are to every point, which side is walled in, and the area its
// fight is about.
#pragma once

#include <array>
#include <vector>

#include "go/board.h"

namespace pose {

// One value per cell of a board.
template <typename T>
using Cells = std::array<T, go::kLocs>;

// Each point of the board, row by row.
template <typename Each>
void ForEachPoint(const go::Board& board, Each each)
{
    for (int y = 1; y <= board.Size(); ++y)
        for (int x = 1; x <= board.Size(); ++x)
            each(go::MakeLoc(x, y));
}

// The stones' reach: steps over empty points from the nearest stone of
// each colour, and the open board (the points outside the box around all
// stones: where the problem is not).
struct Reach {
    Cells<int> toBlack{};
    Cells<int> toWhite{};
    Cells<bool> open{};
    int ToColor(go::Color c, go::Loc p) const { return c == go::Color::Black ? toBlack[p] : toWhite[p]; }
    // The colour of the strictly nearer stones of an empty point, Empty on a tie.
    go::Color Owner(go::Loc p) const;
};
Reach FindReach(const go::Board& board);

// The empty neighbours of the string through stone, in board order.
std::vector<go::Loc> LibertiesOf(const go::Board& board, go::Loc stone);

// A string of the attacker short of liberties takes part in the fight.
bool IsWeakString(const go::Board& board, go::Loc stone);

// The area of a defender's string: the string, the defender's stones and
// the empty points it reaches without entering the attacker's outside (the
// empty points the attacker owns that are reached from the open board),
// through weak attacker strings. Enclosed when it reaches no open point.
struct Area {
    go::Player defender = go::Color::White;
    go::Loc main = go::kNoLoc;  // a stone of the string it grew from
    Cells<bool> in{};
    bool enclosed = false;
};
// Strict: only the empty points the defender holds alone (its stones
// strictly nearer) are in the area, as the wall a player sees around a
// group in an open fight.
Area FindArea(const go::Board& board, const Reach& reach, go::Loc main, bool strict = false);

// A colour's strings, largest first (on equal size the one nearest a
// corner, then the earlier point), one stone of each.
std::vector<go::Loc> StringsBySize(const go::Board& board, go::Player colour);

}  // namespace pose
