// The first moves that fail, for the solution tree --sgf-out writes with
// --all-moves: each with the winner's answers read from its own reading.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "sgf/sgf.h"

struct CFirstMoveCheck;
struct CFirstMoveReading;

// How a first move is named in its comment: "(1,2)", "(1,2) ba", "pass".
using MoveName = std::function<std::string(const CFirstMoveReading&)>;
// The first move a reading read alone, as a move on the file's board.
using FirstMoveOf = std::function<go::TreeMove(const CFirstMoveReading&)>;

// answers holds what each reading left (by candidate; kAllFirstMoves: the
// whole reading; a stopped reading left nothing). The first moves that are
// no solution, in list order, each point once, leaving out those the whole
// reading's tree already opens with; each carries C[Wrong: NAME VERDICT]
// ("Undecided: ..." when its reading decided nothing).
std::vector<go::TreeMove> WrongFirstMoves(const FirstMoveOf& firstMove, const CFirstMoveCheck& check,
                                         const std::map<int, SgfAnswer>& answers,
                                         const MoveName& name);
