// A posed problem given more room, for a second reading when the first
// says the side to play fails or only wins a ko: the blocks around the
// region are guesses at where the attacker's wall would stand, and too
// near a wall can cost the defender the room to live or the attacker the
// move that kills without a ko. The frame is a guess too: an attacker
// string at the region's edge with few liberties off it may be taken
// after all.
#include <algorithm>
#include <vector>

#include "sgf/pose_region.h"
#include "sgf/sgf.h"

namespace {

// An attacker string next to the region with this many liberties off it
// or fewer may be taken.
constexpr std::size_t kWeakFrameLiberties = 2;

void Add(go::Problem& problem, std::vector<bool>& listed, go::Loc at, go::Kind kind)
{
    listed[static_cast<std::size_t>(at)] = true;
    problem.candidates.push_back(go::Candidate{at, kind});
}

}  // namespace

go::Problem WithWeakFrameOpen(const go::Problem& posed)
{
    go::Problem wider = posed;
    std::vector<bool> listed(go::kLocs, false);
    for (const go::Candidate& c : wider.candidates)
        listed[static_cast<std::size_t>(c.at)] = true;
    const go::Board& board = wider.board;
    const go::Player attacker = go::Opponent(wider.defender);
    std::vector<bool> seen(go::kLocs, false);
    const std::vector<go::Candidate> region = wider.candidates;
    for (const go::Candidate& c : region)
        for (int d : go::kAdjacent) {
            const go::Loc n = static_cast<go::Loc>(c.at + d);
            if (!board.IsPoint(n) || board.At(n) != attacker || seen[static_cast<std::size_t>(board.Head(n))])
                continue;
            seen[static_cast<std::size_t>(board.Head(n))] = true;
            const std::vector<go::Loc> liberties = pose::LibertiesOf(board, n);
            std::vector<go::Loc> off;
            for (go::Loc l : liberties)
                if (!listed[static_cast<std::size_t>(l)])
                    off.push_back(l);
            if (off.empty() || off.size() > kWeakFrameLiberties)
                continue;
            // The defender fills the string's liberties to take it: the
            // blocks among them are open to both.
            for (go::Candidate& k : wider.candidates)
                if (k.kind == go::Kind::Z && std::find(liberties.begin(), liberties.end(), k.at) != liberties.end())
                    k.kind = go::Kind::F;
            board.ForEachStone(n, [&](go::Loc s) {
                if (!listed[static_cast<std::size_t>(s)])
                    Add(wider, listed, s, go::Kind::M);
            });
            for (go::Loc l : off)
                Add(wider, listed, l, go::Kind::F);
        }
    return wider;
}

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
            if (wider.board.IsPoint(n) && wider.board.At(n) == go::Color::Empty && !listed[static_cast<std::size_t>(n)])
                Add(wider, listed, n, go::Kind::Z);
        }
    return wider;
}
