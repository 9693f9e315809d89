// The problem as a file states it: the setup, marks and labels of a game
// tree's root node.
#include <algorithm>
#include <string>
#include <vector>

#include "go/board.h"
#include "sgf/sgf.h"

namespace {

constexpr int kMaxSize = go::kMaxBoardSize;
constexpr std::size_t kMaxCandidates = 100;  // far beyond any move list

// The coordinate of one point letter: 'a'..'z' 1..26, 'A'..'Z' 27..52.
int Coordinate(char c)
{
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 1;
    if (c >= 'A' && c <= 'Z')
        return c - 'A' + 27;
    return 0;
}

bool ParsePoint(const std::string& text, int size, SgfPoint& p)
{
    if (text.size() != 2)
        return false;
    p.x = Coordinate(text[0]);
    p.y = Coordinate(text[1]);
    return p.x >= 1 && p.x <= size && p.y >= 1 && p.y <= size;
}

// A short quote of a value for an error text.
std::string Quote(const std::string& value)
{
    return "'" + (value.size() > 12 ? value.substr(0, 12) + "..." : value) + "'";
}

// The points of a property, compressed lists ("aa:cc", a rectangle)
// included, each point once. An empty value (a pass in old files) adds nothing.
std::string ReadPoints(const SgfProperty& property, int size, std::vector<SgfPoint>& points)
{
    std::vector<bool> seen(static_cast<std::size_t>(size * size), false);
    for (const std::string& value : property.values) {
        if (value.empty())
            continue;
        const std::string::size_type colon = value.find(':');
        SgfPoint a;
        SgfPoint b;
        const bool valid = colon == std::string::npos
                               ? ParsePoint(value, size, a) && ParsePoint(value, size, b)
                               : ParsePoint(value.substr(0, colon), size, a) &&
                                     ParsePoint(value.substr(colon + 1), size, b);
        if (!valid)
            return property.id + ": " + Quote(value) + " is no point of the " + std::to_string(size) +
                   "x" + std::to_string(size) + " board";
        for (int y = std::min(a.y, b.y); y <= std::max(a.y, b.y); ++y)
            for (int x = std::min(a.x, b.x); x <= std::max(a.x, b.x); ++x)
                if (!seen[static_cast<std::size_t>((y - 1) * size + x - 1)]) {
                    seen[static_cast<std::size_t>((y - 1) * size + x - 1)] = true;
                    points.push_back(SgfPoint{x, y});
                }
    }
    return std::string();
}

std::string ReadSize(const SgfNode& root, int& size)
{
    const SgfProperty* sz = root.Find("SZ");
    size = kMaxSize;
    if (sz == nullptr || sz->values.empty())
        return std::string();
    const std::string& value = sz->values[0];
    std::string::size_type colon = value.find(':');
    const std::string first = value.substr(0, colon);
    if (colon != std::string::npos && value.substr(colon + 1) != first)
        return "SZ: " + Quote(value) + ": the board is not square";
    int n = 0;
    for (char c : first) {
        if (c < '0' || c > '9' || n > 100)
            return "SZ: " + Quote(value) + " is no board size";
        n = n * 10 + (c - '0');
    }
    if (first.empty() || n < 1 || n > kMaxSize)
        return "SZ: board size " + Quote(value) + " (at most 19)";
    size = n;
    return std::string();
}

// The candidates of LB labels "f", "m", "y" and "z", in file order; other
// labels are the file's own annotations and are passed over.
std::string ReadLabels(const SgfProperty& property, int size, std::vector<SgfSource::Candidate>& out)
{
    for (const std::string& value : property.values) {
        const std::string::size_type colon = value.find(':');
        if (colon == std::string::npos)
            return "LB: " + Quote(value) + " is no point:label";
        SgfPoint p;
        if (!ParsePoint(value.substr(0, colon), size, p))
            return "LB: " + Quote(value) + " is no point of the " + std::to_string(size) + "x" +
                   std::to_string(size) + " board";
        const std::string label = value.substr(colon + 1);
        if (label != "f" && label != "m" && label != "y" && label != "z")
            continue;
        if (out.size() >= kMaxCandidates)
            return "LB: more than 100 candidate labels";
        out.push_back(SgfSource::Candidate{label[0], p});
    }
    return std::string();
}

// GM[1] is Go; other games (or none said) are refused, none said is Go.
std::string CheckGame(const SgfNode& root)
{
    const SgfProperty* gm = root.Find("GM");
    if (gm == nullptr || gm->values.empty() || gm->values[0] == "1")
        return std::string();
    return "not a Go game (GM[" + gm->values[0] + "])";
}

// The properties of the problem itself, which Kovra reads; the others are
// the file's own information.
bool ProblemProperty(const std::string& id)
{
    static const char* const ids[] = {"SZ", "AB", "AW", "AE", "TR", "MA", "PL", "B", "W"};
    for (const char* own : ids)
        if (id == own)
            return true;
    return false;
}

// A setup the problem cannot stand on: no stones, a candidate that can
// never be played, a target already without a liberty. Empty when sound.
std::string CheckSetup(const SgfSource& source)
{
    if (source.black.empty() && source.white.empty())
        return "no stones";
    go::Board board(source.size);
    for (const SgfPoint& p : source.black)
        board.SetStone(go::MakeLoc(p.x, p.y), go::Color::Black);
    for (const SgfPoint& p : source.white)
        board.SetStone(go::MakeLoc(p.x, p.y), go::Color::White);
    for (const SgfSource::Candidate& c : source.candidates)
        if (c.kind != 'm' && board.At(go::MakeLoc(c.at.x, c.at.y)) != go::Color::Empty)
            return "LB: candidate " + std::string(1, c.kind) + " at " + SgfLetters(c.at) +
                   " is on a stone (only m may be)";
    for (const SgfPoint& t : source.targets) {
        const go::Loc loc = go::MakeLoc(t.x, t.y);
        if (go::IsStone(board.At(loc)) && board.Liberties(loc) == 0)
            return "target at " + SgfLetters(t) + " has no liberty";
    }
    return std::string();
}

// The colour of the first move after the root, on the main line: who is
// to play when the root has no PL.
char FirstMover(const SgfTree& tree)
{
    const SgfNode* next = tree.nodes.size() > 1 ? &tree.nodes[1]
                          : !tree.variations.empty() && !tree.variations[0].nodes.empty()
                              ? &tree.variations[0].nodes[0]
                              : nullptr;
    if (next != nullptr && next->Find("B") != nullptr)
        return 'B';
    if (next != nullptr && next->Find("W") != nullptr)
        return 'W';
    return 0;
}

}  // namespace

std::string SgfLetters(SgfPoint p)
{
    return std::string{static_cast<char>('a' + p.x - 1), static_cast<char>('a' + p.y - 1)};
}

std::string SgfLetters(go::Loc loc)
{
    return loc == go::kPass ? std::string() : SgfLetters(SgfPoint{go::LocX(loc), go::LocY(loc)});
}

std::string ReadSource(const SgfTree& tree, SgfSource& source)
{
    source = SgfSource();
    if (tree.nodes.empty())
        return "the game tree has no node";
    const SgfNode& root = tree.nodes[0];
    std::string error = CheckGame(root);
    if (error.empty())
        error = ReadSize(root, source.size);
    if (!error.empty())
        return error;
    const int size = source.size;

    // Setup in property order, so that AE takes away what came before it;
    // a point given both colours is refused.
    std::vector<unsigned char> board(static_cast<std::size_t>(size * size), 0);
    std::vector<unsigned char> given(static_cast<std::size_t>(size * size), 0);
    for (const SgfProperty& property : root.properties) {
        const std::string& id = property.id;
        if (!ProblemProperty(id))
            source.info.push_back(property);
        std::vector<SgfPoint> points;
        if (id == "AB" || id == "AW" || id == "AE" || id == "TR" || id == "MA") {
            error = ReadPoints(property, size, points);
            if (!error.empty())
                return error;
        }
        if (id == "AB" || id == "AW" || id == "AE") {
            const unsigned char colour = id == "AB" ? 1 : id == "AW" ? 2 : 0;
            for (const SgfPoint& p : points) {
                const std::size_t i = static_cast<std::size_t>((p.y - 1) * size + p.x - 1);
                given[i] |= colour;
                if (given[i] == 3)
                    return SgfLetters(p) + " is given both colours (AB and AW)";
                board[i] = colour;
            }
        } else if (id == "TR" || id == "MA") {
            for (const SgfPoint& p : points)
                if (std::none_of(source.targets.begin(), source.targets.end(),
                                 [&](const SgfPoint& t) { return t.x == p.x && t.y == p.y; }))
                    source.targets.push_back(p);
        } else if (id == "LB") {
            error = ReadLabels(property, size, source.candidates);
            if (!error.empty())
                return error;
        } else if (id == "PL" && !property.values.empty()) {
            const std::string& v = property.values[0];
            if (v == "B" || v == "b" || v == "1")
                source.toPlay = 'B';
            else if (v == "W" || v == "w" || v == "2")
                source.toPlay = 'W';
            else
                return "PL: " + Quote(v) + " is neither B nor W";
        } else if (id == "C" && !property.values.empty()) {
            source.comment = property.values[0];
        }
    }
    for (int y = 1; y <= size; ++y) {
        for (int x = 1; x <= size; ++x) {
            const unsigned char c = board[static_cast<std::size_t>((y - 1) * size + x - 1)];
            if (c == 1)
                source.black.push_back(SgfPoint{x, y});
            else if (c == 2)
                source.white.push_back(SgfPoint{x, y});
        }
    }
    if (source.toPlay == 0)
        source.toPlay = FirstMover(tree);
    return CheckSetup(source);
}

go::Player FirstPlayer(const SgfSource& source)
{
    if (source.toPlay != 0)
        return source.toPlay == 'W' ? go::Color::White : go::Color::Black;
    for (const char* words : {"White to play", "White to live", "White to kill"})
        if (source.comment.find(words) != std::string::npos)
            return go::Color::White;
    return go::Color::Black;
}

go::Board StonesOf(const SgfSource& source)
{
    go::Board board(source.size);
    for (const SgfPoint& p : source.black)
        board.SetStone(go::MakeLoc(p.x, p.y), go::Color::Black);
    for (const SgfPoint& p : source.white)
        board.SetStone(go::MakeLoc(p.x, p.y), go::Color::White);
    return board;
}
