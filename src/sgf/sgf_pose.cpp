// Posing a plain problem (stones only, as collections keep them): the
// corner, who defends, the targets and the candidate points.
//
// The rule, in short. The corner nearest the stones goes to the top-left.
// Every empty point belongs to the colour whose stones are strictly nearer
// (in steps over empty points). The outside is what the attacker owns,
// reached from the window's open sides (with the ties that do not touch
// the defender); the defender's area is what its largest group reaches
// without entering the outside, passing attacker stones in atari. The one
// colour whose area stays clear of the open sides defends. Targets: the
// largest group and the groups of three or more stones in its area. The
// candidates: the area's empty points ('f', the points with most room
// first), the stones either side may take ('m'), the attacker's blocks
// just outside the area ('z': the defender may reach its border, never
// beyond) and the last outside liberty of attacker groups touching the
// area ('y'). When that makes more than 15 points, the border points go
// to the attacker instead ('z') and the blocks are left out.
#include <algorithm>
#include <string>
#include <vector>

#include "board/kovra_view.h"
#include "sgf/sgf.h"

namespace {

constexpr int kSide = 11;
constexpr int kMaxCandidates = kMaxMoves;
constexpr int kMaxTargetGroups = kMaxTargets;
constexpr size_t kTargetStones = 3;
constexpr size_t kWeakLiberties = 1;
constexpr int kFar = 1000;

const int kStepX[4] = {0, -1, 1, 0};
const int kStepY[4] = {-1, 0, 0, 1};

// The window as 0-based [y][x] cells.
using Cells = unsigned char[kSide][kSide];
using Numbers = int[kSide][kSide];

// x and y from 0: inside the 11x11 window.
bool InWindow(int x, int y)
{
    return x >= 0 && y >= 0 && x < kSide && y < kSide;
}

// Mirrors each axis whose far edge is nearer to the stones than its near edge.
int NearestCorner(const SgfSource& source)
{
    int minX = source.size, maxX = 1, minY = source.size, maxY = 1;
    for (const auto* list : {&source.black, &source.white}) {
        for (const SgfPoint& p : *list) {
            minX = std::min(minX, p.x);
            maxX = std::max(maxX, p.x);
            minY = std::min(minY, p.y);
            maxY = std::max(maxY, p.y);
        }
    }
    int symmetry = 0;
    if (source.size - maxX < minX - 1)
        symmetry |= 1;
    if (source.size - maxY < minY - 1)
        symmetry |= 2;
    return symmetry;
}

// Puts the file's stones into the window; false when one lies outside it.
bool PlaceStones(const SgfSource& source, int symmetry, Cells cells)
{
    KovraProblem window;
    window.sourceSize = source.size;
    window.symmetry = symmetry;
    for (int colour = kBlack; colour <= kWhite; ++colour) {
        for (const SgfPoint& s : colour == kBlack ? source.black : source.white) {
            const SgfPoint p = window.FromSource(s);
            if (p.x < 1 || p.y < 1 || p.x > kSide || p.y > kSide)
                return false;
            cells[p.y - 1][p.x - 1] = static_cast<unsigned char>(colour);
        }
    }
    return true;
}

// Steps from the nearest stone of colour over empty points (kFar: none).
void Distances(const Cells cells, unsigned char colour, Numbers distance)
{
    std::vector<int> queue;
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            distance[y][x] = cells[y][x] == colour ? 0 : kFar;
            if (cells[y][x] == colour)
                queue.push_back(y * kSide + x);
        }
    }
    for (size_t head = 0; head < queue.size(); ++head) {
        const int x = queue[head] % kSide, y = queue[head] / kSide;
        for (int d = 0; d < 4; ++d) {
            const int nx = x + kStepX[d], ny = y + kStepY[d];
            if (InWindow(nx, ny) && cells[ny][nx] == kEmpty && distance[ny][nx] == kFar) {
                distance[ny][nx] = distance[y][x] + 1;
                queue.push_back(ny * kSide + nx);
            }
        }
    }
}

// Who owns each point: its stone's colour, or for an empty point the
// colour of the strictly nearer stones (kEmpty on a tie).
void Owners(const Cells cells, Cells owner)
{
    Numbers toBlack, toWhite;
    Distances(cells, kBlack, toBlack);
    Distances(cells, kWhite, toWhite);
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            if (cells[y][x] != kEmpty)
                owner[y][x] = cells[y][x];
            else if (toBlack[y][x] < toWhite[y][x])
                owner[y][x] = kBlack;
            else if (toWhite[y][x] < toBlack[y][x])
                owner[y][x] = kWhite;
            else
                owner[y][x] = kEmpty;
        }
    }
}

// The points connected to (x, y) through points for which inside holds.
template <typename Inside>
std::vector<int> Flood(std::vector<int> points, Inside inside)
{
    std::vector<bool> seen(kSide * kSide, false);
    for (int p : points)
        seen[p] = true;
    for (size_t head = 0; head < points.size(); ++head) {
        const int px = points[head] % kSide, py = points[head] / kSide;
        for (int d = 0; d < 4; ++d) {
            const int nx = px + kStepX[d], ny = py + kStepY[d];
            if (InWindow(nx, ny) && !seen[ny * kSide + nx] && inside(nx, ny)) {
                seen[ny * kSide + nx] = true;
                points.push_back(ny * kSide + nx);
            }
        }
    }
    std::sort(points.begin(), points.end());
    return points;
}

std::vector<int> Chain(const Cells cells, int x, int y)
{
    const unsigned char colour = cells[y][x];
    return Flood({y * kSide + x}, [&](int nx, int ny) { return cells[ny][nx] == colour; });
}

// The empty neighbours of a chain.
std::vector<int> Liberties(const Cells cells, const std::vector<int>& chain)
{
    std::vector<int> liberties;
    for (int p : chain) {
        for (int d = 0; d < 4; ++d) {
            const int nx = p % kSide + kStepX[d], ny = p / kSide + kStepY[d];
            if (InWindow(nx, ny) && cells[ny][nx] == kEmpty)
                liberties.push_back(ny * kSide + nx);
        }
    }
    std::sort(liberties.begin(), liberties.end());
    liberties.erase(std::unique(liberties.begin(), liberties.end()), liberties.end());
    return liberties;
}

bool Contains(const std::vector<int>& points, int p)
{
    return std::binary_search(points.begin(), points.end(), p);
}

// The chains of colour, largest first (the earlier one on equal size).
std::vector<std::vector<int>> Chains(const Cells cells, unsigned char colour)
{
    std::vector<std::vector<int>> chains;
    std::vector<bool> seen(kSide * kSide, false);
    for (int p = 0; p < kSide * kSide; ++p) {
        if (cells[p / kSide][p % kSide] != colour || seen[p])
            continue;
        chains.push_back(Chain(cells, p % kSide, p / kSide));
        for (int q : chains.back())
            seen[q] = true;
    }
    std::stable_sort(chains.begin(), chains.end(),
                     [](const auto& a, const auto& b) { return a.size() > b.size(); });
    return chains;
}

bool OnOpenSide(int p)
{
    return p % kSide == kSide - 1 || p / kSide == kSide - 1;
}

// Where a defender of one colour lives and what the fight is about.
struct Region {
    std::vector<int> outside;  // empty points the attacker owns, reached from the open sides
    std::vector<int> area;     // the defender's largest chain, its stones and empty points around it
    bool enclosed = false;     // the area stays clear of the open sides
};

// The outside runs from the open sides over empty points the attacker
// owns; the area is what the defender's largest chain reaches over its own
// stones and the empty points the outside does not take.
Region FindRegion(const Cells cells, unsigned char defender, bool open)
{
    Region region;
    Cells owner;
    Owners(cells, owner);
    const unsigned char attacker = static_cast<unsigned char>(kBlack + kWhite - defender);
    Numbers toDefender;
    Distances(cells, defender, toDefender);
    // Ties on the defender's own liberties stay inside; farther ties are
    // nobody's and belong to the outside.
    auto outsideCell = [&](int x, int y) {
        return cells[y][x] == kEmpty &&
               (owner[y][x] == attacker || (owner[y][x] == kEmpty && toDefender[y][x] > 1));
    };
    std::vector<int> seeds;
    for (int p = 0; open && p < kSide * kSide; ++p)
        if (OnOpenSide(p) && outsideCell(p % kSide, p / kSide))
            seeds.push_back(p);
    region.outside = Flood(seeds, outsideCell);
    const std::vector<std::vector<int>> chains = Chains(cells, defender);
    if (chains.empty())
        return region;
    const std::vector<int>& start = chains[0];
    // Attacker stones short of liberties are part of the fight: the area
    // runs through them.
    auto weak = [&](int x, int y) {
        return cells[y][x] == attacker && Liberties(cells, Chain(cells, x, y)).size() <= kWeakLiberties;
    };
    region.area = Flood(start, [&](int x, int y) {
        return cells[y][x] == defender || weak(x, y) ||
               (cells[y][x] == kEmpty && !Contains(region.outside, y * kSide + x));
    });
    region.enclosed = !open || std::none_of(region.area.begin(), region.area.end(), OnOpenSide);
    return region;
}

// 'b' or 'w' for the colour that defends, or 0 when the stones do not say.
// When both are enclosed (an 11x11 board has no open side), the colour with
// the smaller area defends.
char TellDefender(const Cells cells, int size)
{
    const bool open = size > kSide;
    const Region black = FindRegion(cells, kBlack, open);
    const Region white = FindRegion(cells, kWhite, open);
    if (black.enclosed != white.enclosed)
        return black.enclosed ? 'b' : 'w';
    if (!black.enclosed || black.area.size() == white.area.size())
        return 0;
    return black.area.size() < white.area.size() ? 'b' : 'w';
}

struct Posing {
    Cells cells = {};
    Region region;
    std::vector<std::vector<int>> targets;
    std::vector<int> inner;     // 'f'
    std::vector<int> border;    // 'z'
    std::vector<int> capture;   // 'y'
    std::vector<int> taken;     // 'm': stones that may be taken
};

void FindTargets(Posing& posing, int size)
{
    posing.region = FindRegion(posing.cells, kWhite, size > kSide);
    for (const auto& chain : Chains(posing.cells, kWhite)) {
        const bool inArea = Contains(posing.region.area, chain[0]);
        if (inArea && (posing.targets.empty() || chain.size() >= kTargetStones) &&
            static_cast<int>(posing.targets.size()) < kMaxTargetGroups)
            posing.targets.push_back(chain);
    }
}

// Neighbours of p that are among points.
int NeighboursIn(int p, const std::vector<int>& points)
{
    int count = 0;
    for (int d = 0; d < 4; ++d) {
        const int nx = p % kSide + kStepX[d], ny = p / kSide + kStepY[d];
        if (InWindow(nx, ny) && Contains(points, ny * kSide + nx))
            ++count;
    }
    return count;
}

void FindCandidates(Posing& posing, bool openBorder)
{
    const Cells& cells = posing.cells;
    const std::vector<int>& outside = posing.region.outside;
    posing.inner.clear();
    posing.taken.clear();
    posing.border.clear();
    posing.capture.clear();
    for (int p : posing.region.area) {
        if (cells[p / kSide][p % kSide] != kEmpty)
            continue;
        if (openBorder || NeighboursIn(p, outside) == 0) {
            posing.inner.push_back(p);
            continue;
        }
        posing.border.push_back(p);
    }
    // With an open border its outer neighbours are the attacker's blocks.
    for (int p : openBorder ? posing.inner : std::vector<int>()) {
        for (int d = 0; d < 4; ++d) {
            const int nx = p % kSide + kStepX[d], ny = p / kSide + kStepY[d];
            if (InWindow(nx, ny) && Contains(outside, ny * kSide + nx) &&
                std::find(posing.border.begin(), posing.border.end(), ny * kSide + nx) == posing.border.end())
                posing.border.push_back(ny * kSide + nx);
        }
    }
    std::sort(posing.border.begin(), posing.border.end());
    // The centre of the eye space first: the point with most room around it.
    const std::vector<int> empty = [&] {
        std::vector<int> all = posing.inner;
        all.insert(all.end(), posing.border.begin(), posing.border.end());
        std::sort(all.begin(), all.end());
        return all;
    }();
    std::stable_sort(posing.inner.begin(), posing.inner.end(), [&](int a, int b) {
        return NeighboursIn(a, empty) > NeighboursIn(b, empty);
    });

    // Attacker chains next to the area that the defender could take if it
    // could fill their one outside liberty.
    std::vector<bool> seen(kSide * kSide, false);
    for (int a : posing.region.area) {
        for (int d = 0; d < 4; ++d) {
            const int nx = a % kSide + kStepX[d], ny = a / kSide + kStepY[d];
            if (!InWindow(nx, ny) || cells[ny][nx] != kBlack || seen[ny * kSide + nx])
                continue;
            const std::vector<int> chain = Chain(cells, nx, ny);
            for (int q : chain)
                seen[q] = true;
            std::vector<int> rest;
            for (int l : Liberties(cells, chain))
                if (!Contains(empty, l))
                    rest.push_back(l);
            if (rest.size() == 1 &&
                std::find(posing.capture.begin(), posing.capture.end(), rest[0]) == posing.capture.end())
                posing.capture.push_back(rest[0]);
            // Stones the defender can take: their points come back into play.
            if (rest.size() <= 1)
                posing.taken.insert(posing.taken.end(), chain.begin(), chain.end());
        }
    }
    // The defender's own stones outside the targets likewise.
    for (int p : posing.region.area) {
        const bool target = std::any_of(posing.targets.begin(), posing.targets.end(),
                                        [&](const auto& t) { return Contains(t, p); });
        if (cells[p / kSide][p % kSide] == kWhite && !target)
            posing.taken.push_back(p);
    }
    std::sort(posing.taken.begin(), posing.taken.end());
}

size_t Count(const Posing& posing)
{
    return posing.inner.size() + posing.taken.size() + posing.border.size() + posing.capture.size();
}

SgfPoint Point(int p)
{
    SgfPoint point;
    point.x = p % kSide + 1;
    point.y = p / kSide + 1;
    return point;
}

void AddMoves(const std::vector<int>& points, char kind, KovraProblem& problem)
{
    for (int p : points)
        problem.moves.push_back(SgfSource::Candidate{kind, Point(p)});
}

// "start to live" unless the attacker is to play (or the user chose).
bool StartsToLive(const SgfSource& source, const PoseOptions& options, bool swapped)
{
    if (options.command != 0)
        return options.command == 'l';
    const char attacker = swapped ? 'W' : 'B';
    return source.toPlay != attacker;
}

}  // namespace

std::string PosePlain(const SgfSource& source, const PoseOptions& options, KovraProblem& problem)
{
    problem = KovraProblem();
    if (source.size < kSide || source.size > 19)
        return "board size " + std::to_string(source.size) + " (11 to 19 can be posed)";
    if (source.black.empty() || source.white.empty())
        return "cannot tell attacker from defender";
    Posing posing;
    const int symmetry = NearestCorner(source);
    if (!PlaceStones(source, symmetry, posing.cells))
        return "does not fit an 11x11 corner";

    // A point set twice keeps its last colour: count what stands.
    int stones[3] = {};
    for (const auto& row : posing.cells)
        for (unsigned char cell : row)
            ++stones[cell];
    if (stones[kBlack] == 0 || stones[kWhite] == 0)
        return "cannot tell attacker from defender";
    char defender = options.defender;
    if (defender == 0)
        defender = TellDefender(posing.cells, source.size);
    if (defender == 0)
        return "cannot tell attacker from defender";
    const bool swapped = defender == 'b';
    if (swapped)
        for (auto& row : posing.cells)
            for (auto& cell : row)
                cell = cell == kEmpty ? kEmpty : static_cast<unsigned char>(kBlack + kWhite - cell);

    FindTargets(posing, source.size);
    // The defender may play out to its border, the attacker blocks beyond
    // it; when that makes too many points, the border is the attacker's.
    FindCandidates(posing, true);
    if (Count(posing) > kMaxCandidates)
        FindCandidates(posing, false);
    const size_t count = Count(posing);
    if (count > kMaxCandidates)
        return "region has " + std::to_string(count) + " points (at most 15)";

    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x)
            problem.stone[y][x] = posing.cells[y][x];
    for (const auto& target : posing.targets)
        problem.targets.push_back(Point(target[0]));
    AddMoves(posing.inner, 'f', problem);
    AddMoves(posing.taken, 'm', problem);
    AddMoves(posing.border, 'z', problem);
    AddMoves(posing.capture, 'y', problem);
    problem.live = StartsToLive(source, options, swapped);
    problem.sourceSize = source.size;
    problem.symmetry = symmetry;
    problem.swapped = swapped;
    return std::string();
}

namespace {

// '@' marks the stones of the target groups.
std::vector<std::string> BoardPicture(const KovraProblem& problem)
{
    std::vector<std::string> rows(kSide, std::string(kSide, '.'));
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x)
            rows[y][x] = ".XO"[problem.stone[y][x] % 3];
    for (const SgfPoint& t : problem.targets) {
        if (!InWindow(t.x - 1, t.y - 1) || problem.stone[t.y - 1][t.x - 1] != kWhite)
            continue;
        for (int p : Chain(problem.stone, t.x - 1, t.y - 1))
            rows[p / kSide][p % kSide] = '@';
    }
    for (size_t i = 0; i < problem.moves.size(); ++i) {
        const SgfPoint& at = problem.moves[i].at;
        if (InWindow(at.x - 1, at.y - 1))
            rows[at.y - 1][at.x - 1] = static_cast<char>('a' + i);
    }
    return rows;
}

}  // namespace

std::string FormatPosed(const KovraProblem& problem)
{
    std::string text;
    for (const std::string& row : BoardPicture(problem)) {
        for (char c : row)
            text += std::string(" ") + c;
        text += '\n';
    }
    text += "X black (attacks), O white, @ target groups";
    if (problem.swapped)
        text += "; colours swapped: the file's Black defends";
    text += '\n';
    for (size_t i = 0; i < problem.moves.size(); ++i) {
        const SgfSource::Candidate& move = problem.moves[i];
        text += std::string(1, static_cast<char>('a' + i)) + ": " + move.kind + " (" +
                std::to_string(move.at.y) + ", " + std::to_string(move.at.x) + "), file " +
                problem.SourceLetters(move.at) + '\n';
    }
    text += problem.live ? "start to live\n" : "start to kill\n";
    return text;
}
