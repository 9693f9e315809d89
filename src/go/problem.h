// A life-and-death problem on its own board (the file's size, corner and
// colours): the stones, the defender's target strings, the candidate points
// where play is allowed, and who moves first.
#pragma once

#include <vector>

#include "go/board.h"
#include "go/types.h"

namespace go {

struct Candidate {
    Loc at = kPass;
    Kind kind = Kind::F;
};

struct Problem {
    Board board{kMaxBoardSize};
    // One stone of each target string; all the defender's.
    std::vector<Loc> targets;
    // The points where either side may play, in list order (a point may
    // appear more than once, as in a position file; the first counts).
    std::vector<Candidate> candidates;
    // The attacker's stones that the posing judged safe: drawn and printed
    // as the frame, never captured (each keeps a liberty off the candidates).
    std::vector<Loc> safe;
    Player defender = Color::White;
    Player first = Color::Black;

    Player Attacker() const { return Opponent(defender); }
    // "start to live" when the defender moves first, else "start to kill".
    Goal FirstGoal() const { return first == defender ? Goal::Live : Goal::Kill; }
};

// The same question: stones, targets, candidates and who plays.
inline bool SameProblem(const Problem& a, const Problem& b)
{
    auto sameCandidates = [&] {
        for (std::size_t i = 0; i < a.candidates.size(); ++i)
            if (a.candidates[i].at != b.candidates[i].at || a.candidates[i].kind != b.candidates[i].kind)
                return false;
        return true;
    };
    return a.board.Size() == b.board.Size() && a.board.Hash() == b.board.Hash() &&
           a.board.KoBan() == b.board.KoBan() && a.targets == b.targets && a.defender == b.defender &&
           a.first == b.first && a.candidates.size() == b.candidates.size() && sameCandidates();
}

}  // namespace go
