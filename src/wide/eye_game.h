// The game inside one small region enclosed by the defender's strings:
// the attacker plays there, the defender answers there or passes. The
// defender holds the region when every string around it keeps a liberty
// in it for ever. The reading is cautious, so that a region it holds is
// held in the real game too, with either side favoured in kos: any
// attacker move that takes a defender stone wins for him (so defender
// stones stay for good, and no position can repeat), and he may always
// retake a ko.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

#include "go/board.h"
#include "go/types.h"

namespace go {

class EyeGame {
public:
    // The largest region read: the points that are not the defender's.
    static constexpr int kMaxPoints = 7;

    // Weak: the strings around keep liberties outside the region, so an
    // attacker stone without a liberty that takes nothing is suicide.
    // Strong: they may have none, so filling their last liberty here wins
    // for the attacker whether or not his stones keep a liberty.
    enum class Model : std::uint8_t { Weak, Strong };

    // Whether the defender holds the region of the given points (every
    // point not the defender's, with every such neighbour in the region).
    // kinds and candidate are by point, as the problem gives them.
    bool Holds(const Board& board, Player defender, const Kind* kinds, const bool* candidate, const Loc* points,
               int count, Model model);

    std::size_t Known() const { return m_known.size(); }

private:
    class Reading;
    // Results by the region's description (points, stones, kinds, and
    // which strings border where), from one position to the next.
    std::unordered_map<std::string, bool> m_known;
};

}  // namespace go
