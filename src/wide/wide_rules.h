// The rules of the wide reader's game on one problem: where each side may
// play (the candidate points and their kinds), the ends of a line that do
// not depend on the line's past, and the moves in a useful order.
#pragma once

#include <cstdint>
#include <vector>

#include "go/board.h"
#include "go/problem.h"
#include "go/types.h"
#include "wide/benson.h"

namespace go {

// What a position is worth without reading further.
enum class End : std::uint8_t {
    None,
    Death,      // a target taken, or one the attacker to move takes now
    Life,       // every target alive whatever the attacker plays
};

class WideRules {
public:
    explicit WideRules(const Problem& problem);

    Player Defender() const { return m_defender; }
    Player Attacker() const { return m_attacker; }
    Player First() const { return m_first; }
    const std::vector<Loc>& Targets() const { return m_targets; }
    bool IsCandidate(Loc loc) const { return m_isCandidate[loc]; }

    // Whether the kinds let p play at loc now (not whether Go does). At the
    // root only the first player's 'f' points are open.
    bool KindAllows(const Board& board, Loc loc, Player p, bool root) const;
    // KindAllows and legal in Go; the favoured side ignores the ko ban.
    bool MayPlay(const Board& board, Loc loc, Player p, bool root, Player favoured) const;
    // Plays a move that MayPlay allows (or kPass); false if it is illegal.
    static bool PlayMove(Board& board, Loc loc, Player p, Player favoured);

    bool TargetTaken(const Board& board) const;
    // A line's end in the position with toMove to play, judged from the
    // position alone (repetitions are the search's business). The root
    // never ends by a capture at once: its first moves are read one by one.
    End EndOf(const Board& board, Player toMove, bool root, Player favoured) const;
    // Whether p's pass now waits for a ko ban to lift, so that a pass in
    // answer does not end the line.
    bool Waits(const Board& board, Player p) const;

    // Rough proof numbers of a fresh position: how much reading each side
    // may need to win it (the attacker fewer the fewer liberties the
    // weakest target has).
    struct Estimate {
        std::uint32_t attacker;
        std::uint32_t defender;
    };
    Estimate Guess(const Board& board) const;
    // Guess of the position after the attacker's move at loc (or his
    // pass) that takes nothing, from the board before it: no need to play
    // it out, as nothing ends there either (the defender is to move).
    Estimate GuessAfterQuietAttack(const Board& before, Loc loc) const;

    // The moves of p in the order worth trying first, with a rank each
    // (0 best): captures and ataris of targets and of strings next to
    // them, then liberties of the weakest strings, then room. The
    // defender's pass comes last. The attacker passes here only to wait
    // while banned from retaking a ko: any other pass of his the defender
    // would answer with a pass, and two passes are life (the search adds
    // his pass where they are not).
    struct Move {
        Loc at;
        int rank;
    };
    void Moves(const Board& board, Player p, bool root, Player favoured, std::vector<Move>& out) const;

private:
    bool TargetsAlive(const Board& board) const;
    int EmptyPoints(const Board& board) const;
    // The fewest liberties of a target, up to 8, less the point filled
    // (kPass: none) for the targets next to it.
    int FewestLiberties(const Board& board, Loc filled) const;
    static Estimate FromCounts(int fewestLibs, int empty);
    int Score(const Board& board, Loc loc, Player p) const;

    Player m_defender;
    Player m_attacker;
    Player m_first;
    std::vector<Loc> m_targets;
    // One target of each string the problem starts with (a string that
    // still stands holds all its stones, so one is enough for Benson).
    std::vector<Loc> m_strings;
    // The candidate points in list order, each once, with the first kind given.
    std::vector<Candidate> m_points;
    bool m_isCandidate[kLocs] = {};
    Kind m_kind[kLocs] = {};
    mutable BensonTest m_benson;  // scratch of the one reading at a time
};

}  // namespace go
