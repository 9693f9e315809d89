// Unconditional life on a board where play is limited to a region: the
// defender's strings that no sequence of attacker moves inside the region
// can take, even if the defender never answers (Benson's test).
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "go/board.h"
#include "go/types.h"

namespace go {

// Keeps its scratch from one position to the next: one test at a time.
class BensonTest {
public:
    BensonTest();
    ~BensonTest();
    BensonTest(const BensonTest&) = delete;
    BensonTest& operator=(const BensonTest&) = delete;

    // True when every target string is safe. An empty point off the region
    // (candidate[loc] false) is never filled, so a string touching one
    // keeps a liberty for ever; every other string needs two vital regions
    // (each region's empty points all its liberties) bounded only by safe
    // strings. Every candidate point is taken to be open to the attacker.
    bool TargetsAlive(const Board& board, Player defender, const bool* candidate, const std::vector<Loc>& targets);

private:
    class Regions;
    std::unique_ptr<Regions> m_regions;
    bool m_safe[kLocs];
    bool m_anchored[kLocs];
    Loc m_eyes[kLocs];
    std::uint32_t m_marks[kLocs] = {};  // liberties of the string at hand: == m_stamp
    std::uint32_t m_stamp = 0;
};

}  // namespace go
