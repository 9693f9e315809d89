// Life read from the small regions around the targets: Benson's test with
// regions that hold under the defender's answers (EyeGame) besides those
// that hold while he passes. A string is safe when a region around it
// holds even without liberties elsewhere (strong), when two regions hold
// while it keeps liberties elsewhere (weak), or when it touches an empty
// point that nobody may fill; a region counts only while every string
// around it is safe. The defender answers each attacker move in the
// region it was played in, so the regions' answers never clash.
#pragma once

#include <vector>

#include "go/board.h"
#include "go/types.h"
#include "wide/eye_game.h"

namespace go {

class RegionLife {
public:
    // True when every target string is safe. kinds and candidate are by
    // point, as the problem gives them.
    bool TargetsAlive(const Board& board, Player defender, const Kind* kinds, const bool* candidate,
                      const std::vector<Loc>& targets);

private:
    struct Region {
        std::vector<Loc> points;
        std::vector<int> strings;  // the strings around it
        bool whole = true;         // small, and all of its region
        signed char weak = -1;     // -1 not read yet
        signed char strong = -1;
    };
    int StringOf(Loc head);
    void Fill(Loc start);
    void FillAround(Loc head);
    bool Holds(Region& r, EyeGame::Model model);
    bool Safe(int s);
    void Reset();

    const Board* m_board = nullptr;
    Player m_defender = Color::White;
    const Kind* m_kinds = nullptr;
    const bool* m_candidate = nullptr;
    std::vector<Loc> m_heads;
    std::vector<char> m_safe;
    std::vector<Region> m_regions;
    std::vector<int> m_regionOf = std::vector<int>(kLocs, -1);
    std::vector<int> m_stringOf = std::vector<int>(kLocs, -1);
    std::vector<Loc> m_touched;
    EyeGame m_game;
};

}  // namespace go
