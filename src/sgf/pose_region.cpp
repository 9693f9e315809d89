#include "sgf/pose_region.h"

#include <algorithm>

namespace pose {

namespace {

constexpr int kFar = 1000;
// Stones this near an edge make a corner or side problem.
constexpr int kEdgeLines = 3;
// An attacker string with this many liberties or fewer can be taken.
constexpr int kWeakLiberties = 1;

// Steps over empty points from the nearest stone of colour c.
Cells<int> Distances(const go::Board& board, go::Color c)
{
    Cells<int> distance;
    distance.fill(kFar);
    std::vector<go::Loc> queue;
    ForEachPoint(board, [&](go::Loc p) {
        if (board.At(p) == c) {
            distance[p] = 0;
            queue.push_back(p);
        }
    });
    for (std::size_t head = 0; head < queue.size(); ++head) {
        const go::Loc p = queue[head];
        for (int d : go::kAdjacent) {
            const go::Loc n = static_cast<go::Loc>(p + d);
            if (board.At(n) == go::Color::Empty && distance[n] == kFar) {
                distance[n] = distance[p] + 1;
                queue.push_back(n);
            }
        }
    }
    return distance;
}

// The points connected to the seeds through points for which inside holds.
template <typename Inside>
Cells<bool> Flood(const std::vector<go::Loc>& seeds, Inside inside)
{
    Cells<bool> seen{};
    std::vector<go::Loc> queue;
    for (go::Loc s : seeds)
        if (!seen[s]) {
            seen[s] = true;
            queue.push_back(s);
        }
    for (std::size_t head = 0; head < queue.size(); ++head) {
        for (int d : go::kAdjacent) {
            const go::Loc n = static_cast<go::Loc>(queue[head] + d);
            if (n > 0 && n < go::kLocs && !seen[n] && inside(n)) {
                seen[n] = true;
                queue.push_back(n);
            }
        }
    }
    return seen;
}

}  // namespace

go::Color Reach::Owner(go::Loc p) const
{
    if (toBlack[p] < toWhite[p])
        return go::Color::Black;
    if (toWhite[p] < toBlack[p])
        return go::Color::White;
    return go::Color::Empty;
}

Reach FindReach(const go::Board& board)
{
    Reach reach;
    reach.toBlack = Distances(board, go::Color::Black);
    reach.toWhite = Distances(board, go::Color::White);
    int minX = board.Size(), maxX = 1, minY = board.Size(), maxY = 1;
    ForEachPoint(board, [&](go::Loc p) {
        if (go::IsStone(board.At(p))) {
            minX = std::min(minX, go::LocX(p));
            maxX = std::max(maxX, go::LocX(p));
            minY = std::min(minY, go::LocY(p));
            maxY = std::max(maxY, go::LocY(p));
        }
    });
    // A box side on the third line or nearer runs to the edge: the
    // problem holds the lines between its stones and the edge.
    const int last = board.Size();
    minX = minX <= kEdgeLines ? 1 : minX;
    minY = minY <= kEdgeLines ? 1 : minY;
    maxX = maxX > last - kEdgeLines ? last : maxX;
    maxY = maxY > last - kEdgeLines ? last : maxY;
    ForEachPoint(board, [&](go::Loc p) {
        const int x = go::LocX(p), y = go::LocY(p);
        // A side whose area passes the outermost stones is not walled in.
        reach.open[p] = x < minX || x > maxX || y < minY || y > maxY;
    });
    return reach;
}

std::vector<go::Loc> LibertiesOf(const go::Board& board, go::Loc stone)
{
    std::vector<go::Loc> liberties;
    board.ForEachStone(stone, [&](go::Loc s) {
        for (int d : go::kAdjacent) {
            const go::Loc n = static_cast<go::Loc>(s + d);
            if (board.At(n) == go::Color::Empty)
                liberties.push_back(n);
        }
    });
    std::sort(liberties.begin(), liberties.end());
    liberties.erase(std::unique(liberties.begin(), liberties.end()), liberties.end());
    return liberties;
}

bool IsWeakString(const go::Board& board, go::Loc stone)
{
    return board.Liberties(stone) <= kWeakLiberties;
}

Area FindArea(const go::Board& board, const Reach& reach, go::Loc main, bool strict)
{
    Area area;
    area.main = main;
    area.defender = board.At(main);
    const go::Player defender = area.defender, attacker = go::Opponent(defender);
    // Ties one step from the defender stay its liberties; farther ones
    // belong to nobody and so to the outside.
    auto outsideCell = [&](go::Loc p) {
        if (board.At(p) != go::Color::Empty)
            return false;
        const go::Color owner = reach.Owner(p);
        return owner == attacker || (owner == go::Color::Empty && reach.ToColor(defender, p) > 1);
    };
    std::vector<go::Loc> seeds;
    ForEachPoint(board, [&](go::Loc p) {
        if (reach.open[p] && outsideCell(p))
            seeds.push_back(p);
    });
    const Cells<bool> outside = Flood(seeds, outsideCell);
    std::vector<go::Loc> start;
    board.ForEachStone(main, [&](go::Loc s) { start.push_back(s); });
    area.in = Flood(start, [&](go::Loc p) {
        const go::Color c = board.At(p);
        if (c == defender)
            return true;
        if (c == attacker)
            return IsWeakString(board, p);
        return c == go::Color::Empty && !outside[p] && (!strict || reach.Owner(p) == defender);
    });
    area.enclosed = true;
    ForEachPoint(board, [&](go::Loc p) { area.enclosed = area.enclosed && !(area.in[p] && reach.open[p]); });
    return area;
}

namespace {

// How far a string lies from the board's corners: its stone nearest to
// one, in steps along the lines. The same in every corner of the board.
int CornerDistance(const go::Board& board, go::Loc string)
{
    int nearest = 4 * board.Size();
    board.ForEachStone(string, [&](go::Loc s) {
        const int x = go::LocX(s) - 1, y = go::LocY(s) - 1, last = board.Size() - 1;
        nearest = std::min(nearest, std::min(x, last - x) + std::min(y, last - y));
    });
    return nearest;
}

}  // namespace

std::vector<go::Loc> StringsBySize(const go::Board& board, go::Player colour)
{
    std::vector<go::Loc> heads;
    ForEachPoint(board, [&](go::Loc p) {
        if (board.At(p) == colour &&
            std::none_of(heads.begin(), heads.end(), [&](go::Loc h) { return board.Head(h) == board.Head(p); }))
            heads.push_back(p);
    });
    // Strings alike in size go nearest the corner first, so that a problem
    // is posed alike in every corner (a problem's group mostly stands in
    // the corner, as in the books).
    struct Ranked {
        int size;
        int corner;
        go::Loc head;
    };
    std::vector<Ranked> ranked;
    for (go::Loc h : heads)
        ranked.push_back(Ranked{board.StringSize(h), CornerDistance(board, h), h});
    std::stable_sort(ranked.begin(), ranked.end(), [](const Ranked& a, const Ranked& b) {
        return a.size != b.size ? a.size > b.size : a.corner < b.corner;
    });
    for (std::size_t k = 0; k < ranked.size(); ++k)
        heads[k] = ranked[k].head;
    return heads;
}

}  // namespace pose
