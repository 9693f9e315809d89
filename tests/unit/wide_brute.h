// An independent reader of the wide reader's game for the tests: plain
// minimax over every line, Go's passes for both sides, no table, no early
// ends, repetitions found by comparing whole boards. Small regions only.
// Two passes in a row end the fight: life where the attacker is favoured;
// where the defender is, play goes on settled, the attacker favoured, until
// two passes more.
#pragma once

#include <string>
#include <vector>

#include "go/board.h"
#include "go/problem.h"

class BruteReader {
public:
    // Gives up (Exhausted) after nodeBudget positions.
    BruteReader(const go::Problem& problem, long nodeBudget);

    // The problem's verdict: Death, Life or Ko as the wide reader states
    // it; only (kNoLoc: all) is the one first move read.
    go::Verdict Verdict(go::Loc only = go::kNoLoc);
    // The winner of the position after line (moves from the problem's
    // position, with their players), with favoured winning kos; Empty
    // when the budget ran out.
    go::Player Winner(const std::vector<std::pair<go::Player, go::Loc>>& line, go::Player favoured);

    // The moves Go and the kinds allow the side to move after line (no
    // retake against the ban), the pass last when the defender is to move,
    // the attacker waits for a ko ban to lift, or his pass may settle the
    // fight (the reading favours the defender and it is not settled yet).
    std::vector<go::Loc> Moves(const std::vector<std::pair<go::Player, go::Loc>>& line, go::Player favoured) const;

    // What the readings met on their way.
    bool metRepetition = false;
    bool metKoBan = false;

private:
    // Where a line stands: after a pass that may end the fight, settled.
    struct Stage {
        bool afterPass = false;
        bool settled = false;
    };
    go::Player Value(const go::Board& board, go::Player toMove, Stage stage, bool root);
    bool Allowed(const go::Board& board, go::Loc loc, go::Player p, bool root) const;
    std::string Key(const go::Board& board, go::Player toMove, Stage stage) const;
    // The stage after move is played on board, in a reading favouring favoured.
    Stage After(Stage stage, const go::Board& board, const std::pair<go::Player, go::Loc>& move,
                go::Player favoured) const;

    const go::Problem& m_problem;
    long m_budget;
    long m_nodes = 0;
    bool m_exhausted = false;
    go::Player m_favoured = go::Color::Black;
    go::Loc m_only = go::kNoLoc;
    std::vector<std::string> m_line;
};
