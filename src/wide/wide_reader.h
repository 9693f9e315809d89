// The wide reader: an exact reading of a problem of any size on any board up
// to 19x19, by depth-first proof-number search over a bounded table.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "go/problem.h"
#include "go/solution_tree.h"

struct CRunControl;

namespace go {

// What one reading found.
struct WideReading {
    Verdict verdict = Verdict::Undecided;  // Death, Life or Ko; Cancelled when stopped
    std::int64_t expanded = 0;             // positions expanded
    std::int64_t played = 0;               // moves and passes played
    int depth = 0;                         // the longest line read, in moves and passes
    std::size_t tableBytes = 0;            // the size the table grew to
    // The first moves, the most promising first: a winning one (or one
    // that wins the ko) when there is one. Empty when nothing was read.
    std::vector<Loc> promising;
};

// The moves the problem's first player may open with: its 'f' points that
// are legal on the problem's board, in candidate-list order, each point
// once; then kPass when the first player defends.
std::vector<Loc> FirstMoves(const Problem& problem);

class WideReader {
public:
    // The table never takes more than tableBytes; it grows as the reading needs.
    explicit WideReader(std::size_t tableBytes);
    ~WideReader();
    WideReader(const WideReader&) = delete;
    WideReader& operator=(const WideReader&) = delete;

    // Reads the problem with its first player to move: every first move
    // (only == kNoLoc) or the one first move only (one of FirstMoves).
    // control may be null; its cancel flag and deadline stop the reading
    // (verdict Cancelled), and its node count shows the progress (every
    // kPollNodes positions and at the end). A target already taken is
    // Death, and targets alive whatever the attacker plays are Life, at
    // once (unless only is given: that move is still read).
    WideReading Read(const Problem& problem, Loc only, CRunControl* control);

    // After a whole reading the first player won without a ko: another
    // first move that wins so, the known winners left out, found as the
    // whole reading finds its first (kNoLoc when none is left). It reads
    // on the table of the readings before it, and leaves there what the
    // first moves read alone look up: in a problem with many first moves
    // the winners are found first, not after every loser was read. The
    // solution tree of the last Read is gone after it.
    struct OtherWinner {
        Loc move = kNoLoc;
        bool cancelled = false;
    };
    OtherWinner FindOtherWinner(const Problem& problem, const std::vector<Loc>& known, CRunControl* control);

    // After a Read that was not stopped: the solution tree from the
    // problem's position (opening with the one first move read alone): at
    // the winner's turn one move that keeps the win, at the loser's every
    // legal move. At most limit moves; cut is set when lines were left out.
    // A line that would go on with the immediate retake of a ko ends before
    // it, its last move marked ko; so does a line whose last move repeats
    // an earlier position. Empty when nothing was read (answered at once).
    std::vector<TreeMove> SolutionTree(int limit, bool& cut);

    // Empties the table and gives back its memory but the first few
    // hundred kilobytes; the next reading starts afresh.
    void Forget();

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace go
