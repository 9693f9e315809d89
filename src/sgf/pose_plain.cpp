// Posing a plain problem (stones only, as collections keep them) on the
// file's own board: who defends, the targets, the safe frame and the
// candidate points.
//
// The rule, in short. Every empty point belongs to the side whose stones
// are strictly nearer. The open board is what lies outside the box around
// all stones. A side's area is what its largest
// string reaches over its own stones, attacker strings in atari and empty
// points, without entering the outside (the empty points the other side
// owns, reached from the open board). The one side whose area reaches no
// open point is walled in and defends (both walled in: the side not to
// play). When neither is, as in an open fight, the areas are drawn again
// over the empty points each side holds alone (its stones strictly
// nearer).
// Targets are the main string and, when the attacker plays first, the
// defender's strings of three stones or more (or as large as the main
// one) in its area that are not in atari; the defender playing first need
// only save the main string, and gives up one in atari for the largest
// string of three stones or more in its area that is not.
// Candidates: the area's empty points and a ring around it open to both
// ('f', vital points first), the stones that may be taken ('m'), the
// attacker's blocks beyond the ring ('z': played only next to a defender
// stone, never by the defender; open to both when all its empty neighbours
// are in the region) and the outside liberty of attacker strings
// the defender could take ('y', or 'f' when it borders nothing off the
// region). The area takes in the attacker's cutting stones (touching a
// target, at most two liberties) and their liberties while the region
// stays small. Without the ring when the region would pass 24 points (18
// when the attacker plays first), with the area's border given to the
// attacker past 28; 40 at most.
// Every other attacker string has a liberty off the candidates: it is the
// safe frame.
#include <algorithm>
#include <string>

#include "sgf/pose_region.h"
#include "sgf/sgf.h"

namespace {

using go::Loc;
using pose::Cells;
using pose::ForEachPoint;

constexpr std::size_t kMaxRegion = 40;
constexpr std::size_t kMostWithRing = 24;
// To kill, a ring is worth less: it gives the defender room the book's
// kills seldom need, and reading a defender's every try in it takes long.
constexpr std::size_t kMostWithRingToKill = 18;
constexpr std::size_t kMostWithBlocks = 28;
constexpr int kTargetStones = 3;
// An attacker string touching a target with this many liberties or
// fewer may be taken.
constexpr int kCuttingLiberties = 2;
// Drawn around them, the region may have this many points: past it the
// reading takes too long for what it gains.
constexpr std::size_t kCuttingRegion = 20;
// A defender string with this many liberties off the region or fewer is
// weak enough to be taken.
constexpr std::size_t kWeakDefenderLiberties = 2;

bool Has(const std::vector<Loc>& list, Loc p)
{
    return std::find(list.begin(), list.end(), p) != list.end();
}

// A string in atari that the other side takes whatever its owner does:
// the other side plays first, or neither taking an adjacent string nor
// playing its liberty gives it two liberties. The book gives it up.
bool Lost(const go::Board& board, Loc string, go::Player first)
{
    if (board.Liberties(string) > 1)
        return false;
    const go::Player owner = board.At(string);
    if (first != owner)
        return true;
    bool takes = false;
    board.ForEachStone(string, [&](Loc s) {
        for (int d : go::kAdjacent)
            takes = takes || (board.At(s + d) == go::Opponent(owner) && board.Liberties(s + d) == 1);
    });
    if (takes)
        return false;
    go::Board after = board;
    const Loc liberty = pose::LibertiesOf(board, string)[0];
    return !after.Play(liberty, owner) || after.Liberties(liberty) < 2;
}

// The string a side's area grows from: its largest that is not lost.
Loc MainString(const go::Board& board, go::Player colour, go::Player first)
{
    const std::vector<Loc> strings = pose::StringsBySize(board, colour);
    for (Loc s : strings)
        if (!Lost(board, s, first))
            return s;
    return strings.empty() ? go::kNoLoc : strings[0];
}

// To live, the book gives up a main string in atari for a group of three
// stones or more in its area that is not (measured on the book data:
// elementary 87 lives in the corner by giving up four stones that could
// take their way out). That group, or kNoLoc when the main string stays.
Loc GroupBeside(const go::Board& board, const pose::Area& area)
{
    if (board.Liberties(area.main) > 1)
        return go::kNoLoc;
    for (Loc s : pose::StringsBySize(board, area.defender))
        if (area.in[s] && board.Liberties(s) > 1 && board.StringSize(s) >= kTargetStones)
            return s;
    return go::kNoLoc;
}

// The walled-in side (both walled in: the side not to play), or Empty
// when neither is; strict: each area holds only the empty points its side
// holds alone.
go::Color TellDefender(const go::Board& board, const pose::Reach& reach, go::Player first, bool strict)
{
    const Loc black = MainString(board, go::Color::Black, first);
    const Loc white = MainString(board, go::Color::White, first);
    const pose::Area b = pose::FindArea(board, reach, black, strict);
    const pose::Area w = pose::FindArea(board, reach, white, strict);
    if (b.enclosed != w.enclosed)
        return b.enclosed ? go::Color::Black : go::Color::White;
    if (!b.enclosed)
        return go::Color::Empty;
    // Both walled in, as in a race between a group and the stones cut off
    // inside it: the book asks the side to play to take the other's
    // (measured on the book data: of the 17 problems where both sides are
    // walled in, 16 are answered with the book's move so, one with the
    // book's move among the ko moves; the side with less room as the
    // defender failed in four).
    return go::Opponent(first);
}

struct Region {
    std::vector<Loc> inner;     // 'f'
    std::vector<Loc> taken;     // 'm'
    std::vector<Loc> blocks;    // 'z'
    std::vector<Loc> captures;  // 'y'
    Cells<bool> empty{};        // inner and blocks
    Cells<bool> innerMask{};    // inner
    std::size_t Points() const { return inner.size() + blocks.size() + captures.size(); }
};

bool IsTarget(const go::Board& board, const std::vector<Loc>& targets, Loc p)
{
    return std::any_of(targets.begin(), targets.end(), [&](Loc t) { return board.Head(t) == board.Head(p); });
}

// To live, the book lets the defender give up any string but the main one
// (measured on the book data: the other strings as targets, even those in
// atari that could take their way out, kept the book's sacrifices from
// working). To kill, taking any sizeable string is enough, but for one in
// atari: the attacker, playing first, takes it at once.
std::vector<Loc> FindTargets(const go::Board& board, const pose::Area& area, bool kill)
{
    std::vector<Loc> targets{area.main};
    if (!kill)
        return targets;
    // A string as large as the main one is as much the problem's: which of
    // them is the main one says nothing.
    const int sizeable = std::min(kTargetStones, board.StringSize(area.main));
    for (Loc s : pose::StringsBySize(board, area.defender))
        if (area.in[s] && !IsTarget(board, targets, s) && board.StringSize(s) >= sizeable &&
            board.Liberties(s) > 1)
            targets.push_back(s);
    return targets;
}

int EmptyNeighbours(const Region& region, Loc p)
{
    int n = 0;
    for (int d : go::kAdjacent)
        n += region.empty[p + d];
    return n;
}

// Vital points first: the points with most room, and the liberties of
// strings short of them.
void OrderInner(const go::Board& board, Region& region)
{
    auto score = [&](Loc p) {
        int s = 3 * EmptyNeighbours(region, p);
        Loc counted[4];
        int n = 0;
        for (int d : go::kAdjacent) {
            const Loc q = static_cast<Loc>(p + d);
            if (!go::IsStone(board.At(q)) || board.Liberties(q) > 2 ||
                std::find(counted, counted + n, board.Head(q)) != counted + n)
                continue;
            counted[n++] = board.Head(q);
            s += 2;
        }
        return s;
    };
    std::stable_sort(region.inner.begin(), region.inner.end(),
                     [&](Loc a, Loc b) { return score(a) > score(b); });
}

// How far the region reaches past the area: Wide opens a ring of points
// to both sides with the attacker's blocks beyond it; Blocks puts the
// attacker's blocks right past the area; Closed gives the area's own
// border points to the attacker.
enum class Spread { Wide, Blocks, Closed };

// The empty points next to a set that are not in it.
Cells<bool> RingAround(const go::Board& board, const Cells<bool>& set)
{
    Cells<bool> ring{};
    ForEachPoint(board, [&](Loc p) {
        if (set[p] || board.At(p) != go::Color::Empty)
            return;
        for (int d : go::kAdjacent)
            if (set[p + d])
                ring[p] = true;
    });
    return ring;
}

void Join(Cells<bool>& into, const Cells<bool>& more)
{
    for (std::size_t p = 0; p < into.size(); ++p)
        into[p] = into[p] || more[p];
}

// A point whose empty neighbours are all in the region: a defender stone
// there gains no liberty the attacker cannot fill, so it is open to both.
bool SealedOff(const go::Board& board, const Cells<bool>& region, Loc p)
{
    for (int d : go::kAdjacent) {
        const Loc q = static_cast<Loc>(p + d);
        if (board.At(q) == go::Color::Empty && !region[q])
            return false;
    }
    return true;
}

void FindPoints(const go::Board& board, const pose::Area& area, Spread spread, Region& region)
{
    region = Region();
    Cells<bool> open = area.in;
    if (spread == Spread::Wide) {
        const Cells<bool> ring = RingAround(board, area.in);
        Join(open, ring);
    }
    const Cells<bool> beyond = RingAround(board, open);
    Cells<bool> reached = open;
    Join(reached, beyond);
    std::vector<Loc> sealedBlocks;  // after the area's own points
    ForEachPoint(board, [&](Loc p) {
        if (spread != Spread::Closed && beyond[p])
            (SealedOff(board, reached, p) ? sealedBlocks : region.blocks).push_back(p);
        if (!open[p] || board.At(p) != go::Color::Empty)
            return;
        bool border = false;
        for (int d : go::kAdjacent)
            border = border || beyond[p + d];
        (spread == Spread::Closed && border ? region.blocks : region.inner).push_back(p);
    });
    region.inner.insert(region.inner.end(), sealedBlocks.begin(), sealedBlocks.end());
    for (Loc p : region.inner)
        region.innerMask[p] = true;
    for (Loc p : region.inner)
        region.empty[p] = true;
    for (Loc p : region.blocks)
        region.empty[p] = true;
}

// An attacker string in the area or next to the region.
bool TakesPart(const go::Board& board, const pose::Area& area, const Region& region, Loc stone)
{
    bool touches = false;
    board.ForEachStone(stone, [&](Loc s) {
        touches = touches || area.in[s];
        for (int d : go::kAdjacent)
            touches = touches || area.in[s + d] || region.empty[s + d];
    });
    return touches;
}

// The one liberty left to fill before a string can be taken: the defender
// plays it only to take ('y'), unless it borders nothing off the region.
void AddLastLiberty(const go::Board& board, Loc liberty, Region& region)
{
    region.blocks.erase(std::remove(region.blocks.begin(), region.blocks.end(), liberty), region.blocks.end());
    if (!SealedOff(board, region.empty, liberty)) {
        region.captures.push_back(liberty);
        return;
    }
    region.inner.push_back(liberty);
    region.innerMask[liberty] = true;
    region.empty[liberty] = true;
}

// A defender string that is no target but borders the region's open
// points: its liberties off the region would be liberties nobody fills,
// and the targets would live by joining it. When it has few, they join
// the region, open to both, and the string may be taken. Again until none
// comes, as a new point can border another string. Whether any came.
bool OpenWeakDefenders(const go::Board& board, const std::vector<Loc>& targets, go::Player defender,
                       Region& region)
{
    Cells<bool> opened{};
    bool any = false;
    for (bool grew = true; grew; any = any || grew) {
        grew = false;
        ForEachPoint(board, [&](Loc p) {
            if (board.At(p) != defender || opened[board.Head(p)] || IsTarget(board, targets, p))
                return;
            bool borders = false;
            std::vector<Loc> rest;
            for (Loc l : pose::LibertiesOf(board, p)) {
                borders = borders || region.innerMask[l];
                if (!region.empty[l] && !Has(region.captures, l))
                    rest.push_back(l);
            }
            if (!borders || rest.empty() || rest.size() > kWeakDefenderLiberties)
                return;
            opened[board.Head(p)] = true;
            grew = true;
            for (Loc l : rest) {
                region.inner.push_back(l);
                region.innerMask[l] = true;
                region.empty[l] = true;
            }
            board.ForEachStone(p, [&](Loc s) { region.taken.push_back(s); });
        });
    }
    return any;
}

// Attacker strings in or next to the area that the defender could take
// once their liberties off the region are filled: their stones come back
// into play ('m') and that one liberty is a 'y' point. The defender's
// stones that are not targets may be taken too.
void FindTaken(const go::Board& board, const pose::Area& area, const std::vector<Loc>& targets,
               Region& region)
{
    const go::Player attacker = go::Opponent(area.defender);
    Cells<bool> taken{};
    // A liberty opened to both can bring another string into play: again
    // until none comes, so that the board's order does not matter.
    for (bool grew = true; grew;) {
        grew = false;
        ForEachPoint(board, [&](Loc p) {
            if (board.At(p) != attacker || taken[board.Head(p)] || !TakesPart(board, area, region, p))
                return;
            // Its liberties off the region's open points: none or one, and
            // the defender can fill its way to taking it.
            std::vector<Loc> rest;
            for (Loc l : pose::LibertiesOf(board, p))
                if (!region.innerMask[l])
                    rest.push_back(l);
            if (rest.size() > 1)
                return;
            if (rest.size() == 1 && !Has(region.captures, rest[0]))
                AddLastLiberty(board, rest[0], region);
            taken[board.Head(p)] = true;
            grew = true;
            board.ForEachStone(p, [&](Loc s) { region.taken.push_back(s); });
        });
    }
    ForEachPoint(board, [&](Loc p) {
        if (area.in[p] && board.At(p) == area.defender && !IsTarget(board, targets, p))
            region.taken.push_back(p);
    });
    std::sort(region.taken.begin(), region.taken.end());
    region.taken.erase(std::unique(region.taken.begin(), region.taken.end()), region.taken.end());
}

// The area and the attacker's strings that touch a target with two
// liberties or fewer, with those liberties: the book may take such
// cutting stones, so the region is drawn around them too.
pose::Area WithCuttingStones(const go::Board& board, const pose::Area& area, const std::vector<Loc>& targets)
{
    pose::Area wider = area;
    const go::Player attacker = go::Opponent(area.defender);
    ForEachPoint(board, [&](Loc p) {
        // Each string once, at its head.
        if (board.At(p) != attacker || board.Head(p) != p || wider.in[p] || board.Liberties(p) > kCuttingLiberties)
            return;
        bool touches = false;
        board.ForEachStone(p, [&](Loc s) {
            for (int d : go::kAdjacent)
                touches = touches || (board.At(s + d) == area.defender && IsTarget(board, targets, s + d));
        });
        if (!touches)
            return;
        board.ForEachStone(p, [&](Loc s) { wider.in[s] = true; });
        for (Loc l : pose::LibertiesOf(board, p))
            wider.in[l] = true;
    });
    return wider;
}

// The points a spread may bring: a ring past a large area costs more
// reading than the moves the book plays there bring.
std::size_t MostPoints(Spread spread, bool kill)
{
    switch (spread) {
    case Spread::Wide: return kill ? kMostWithRingToKill : kMostWithRing;
    case Spread::Blocks: return kMostWithBlocks;
    default: return kMaxRegion;
    }
}

// The widest region around the area that keeps to its spread's size, if
// any does; kill: the attacker plays first.
void FitRegion(const go::Board& board, const pose::Area& area, const std::vector<Loc>& targets, bool kill,
               Region& region)
{
    for (Spread spread : {Spread::Wide, Spread::Blocks, Spread::Closed}) {
        FindPoints(board, area, spread, region);
        FindTaken(board, area, targets, region);
        // Their new points may leave more attacker strings to take.
        while (OpenWeakDefenders(board, targets, area.defender, region))
            FindTaken(board, area, targets, region);
        if (region.Points() <= MostPoints(spread, kill))
            return;
    }
}

// The attacker's strings that keep a liberty off the candidates.
std::vector<Loc> SafeStones(const go::Board& board, go::Player attacker, const Region& region)
{
    std::vector<Loc> safe;
    ForEachPoint(board, [&](Loc p) {
        if (board.At(p) == attacker && !Has(region.taken, p))
            safe.push_back(p);
    });
    return safe;
}

void AddCandidates(const std::vector<Loc>& points, go::Kind kind, go::Problem& problem)
{
    for (Loc p : points)
        problem.candidates.push_back(go::Candidate{p, kind});
}

}  // namespace

std::string PosePlain(const SgfSource& source, const PoseOptions& options, go::Problem& problem)
{
    problem = go::Problem();
    problem.board = StonesOf(source);
    const go::Board& board = problem.board;
    if (source.black.empty() || source.white.empty())
        return "cannot tell attacker from defender";

    const go::Player fileFirst = FirstPlayer(source);
    const pose::Reach reach = pose::FindReach(board);
    go::Color defender = options.defender ? *options.defender : TellDefender(board, reach, fileFirst, false);
    // In an open fight each side's area runs out between the other's
    // stones over the points both reach alike: the wall is then drawn by
    // what either side holds alone.
    bool strict = false;
    if (defender == go::Color::Empty) {
        defender = TellDefender(board, reach, fileFirst, true);
        strict = true;
    }
    if (defender == go::Color::Empty)
        return "cannot tell attacker from defender";
    problem.defender = defender;
    problem.first = !options.goal ? fileFirst : *options.goal == go::Goal::Live ? defender : go::Opponent(defender);

    // Both colours stand on the board (a point given both is refused when
    // the file is read), so the defender has a main string.
    const bool kill = problem.first != defender;
    pose::Area area = pose::FindArea(board, reach, MainString(board, defender, problem.first), strict);
    const Loc beside = kill ? go::kNoLoc : GroupBeside(board, area);
    if (beside != go::kNoLoc)
        area = pose::FindArea(board, reach, beside, strict);
    // A side that reaches the open board is no problem's defender.
    if (!area.enclosed)
        return std::string("the defender (") + (defender == go::Color::Black ? "Black" : "White") +
               ") is not walled in";
    const std::vector<Loc> targets = FindTargets(board, area, kill);

    // The widest region that keeps to the size the reader reads quickly,
    // drawn around the cutting stones when that stays small.
    Region region;
    const pose::Area drawn = WithCuttingStones(board, area, targets);
    FitRegion(board, drawn, targets, kill, region);
    if (region.Points() > kCuttingRegion && drawn.in != area.in)
        FitRegion(board, area, targets, kill, region);
    if (region.Points() > kMaxRegion)
        return "region has " + std::to_string(region.Points()) + " points (at most " +
               std::to_string(kMaxRegion) + ")";
    OrderInner(board, region);

    problem.targets = targets;
    AddCandidates(region.inner, go::Kind::F, problem);
    AddCandidates(region.taken, go::Kind::M, problem);
    AddCandidates(region.blocks, go::Kind::Z, problem);
    AddCandidates(region.captures, go::Kind::Y, problem);
    problem.safe = SafeStones(board, go::Opponent(defender), region);
    return std::string();
}
