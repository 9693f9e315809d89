// A posed problem given one ring more room, for a second reading when the
// first says the side to play fails or only wins a ko: the blocks around the region are
// guesses at where the attacker's wall would stand, and too near a wall
// can cost the defender the room to live or the attacker the move that
// kills without a ko.
#include <vector>

#include "sgf/sgf.h"

go::Problem WithMoreRoom(const go::Problem& posed)
{
    go::Problem wider = posed;
    std::vector<bool> listed(go::kLocs, false);
    for (go::Candidate& c : wider.candidates) {
        listed[static_cast<std::size_t>(c.at)] = true;
        if (c.kind == go::Kind::Z)
            c.kind = go::Kind::F;
    }
    for (const go::Candidate& c : posed.candidates)
        for (int d : go::kAdjacent) {
            const go::Loc n = static_cast<go::Loc>(c.at + d);
            if (wider.board.IsPoint(n) && wider.board.At(n) == go::Color::Empty &&
                !listed[static_cast<std::size_t>(n)]) {
                listed[static_cast<std::size_t>(n)] = true;
                wider.candidates.push_back(go::Candidate{n, go::Kind::Z});
            }
        }
    return wider;
}
