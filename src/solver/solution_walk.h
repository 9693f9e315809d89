// The answer of the view's last solver run: its verdict and the solution
// tree read from its result table, on the file's own board.
#pragma once

#include <string>

#include "sgf/sgf.h"

class CKovraView;

// The view's last solver run on the problem with its solution tree read
// from the result table the way verification play answers: at the winner's
// turn the first candidate whose position the table approves, at the
// loser's every legal candidate (at most treeLimit moves). onlyFirst is the
// first move that run read (kAllFirstMoves, an entry or kFirstMovePass): the
// tree opens with that move only. Every line is legal under the ko rule:
// where it would go on only by retaking a ko at once, it ends, its last move
// marked ko. The tree is read only while the view still holds the position
// that run started from (verdict "Not solved." otherwise); the view is left
// exactly as it was.
SgfAnswer ReadAnswer(CKovraView& view, const KovraProblem& problem, int treeLimit, int onlyFirst);

// The problem written with the view's last solver run (its whole command).
std::string WriteSgf(CKovraView& view, const KovraProblem& problem, const SgfWriteOptions& options);
