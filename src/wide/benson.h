// Unconditional life on a board where play is limited to a region: the
// defender's strings that no sequence of attacker moves inside the region
// can take, even if the defender never answers (Benson's test).
#pragma once

#include <vector>

#include "go/board.h"
#include "go/types.h"

namespace go {

// True when every target string is safe. An empty point off the region
// (candidate[loc] false) is never filled, so a string touching one keeps a
// liberty for ever; every other string needs two vital regions (each
// region's empty points all its liberties) bounded only by safe strings.
// Every candidate point is taken to be open to the attacker.
bool TargetsUnconditionallyAlive(const Board& board, Player defender, const bool* candidate,
                                 const std::vector<Loc>& targets);

}  // namespace go
