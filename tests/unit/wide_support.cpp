#include "wide_support.h"

#include <algorithm>

using go::Color;
using go::Loc;

namespace {

// Takes away strings left without a liberty by a random fill.
void RemoveDeadStrings(go::Board& board)
{
    for (bool removed = true; removed;) {
        removed = false;
        for (Loc loc = 0; loc < go::kLocs; ++loc)
            if (go::IsStone(board.At(loc)) && board.Liberties(loc) == 0) {
                board.SetStone(loc, Color::Empty);
                removed = true;
            }
    }
}

// Puts a ko on the board: a stone with one liberty, surrounded by the
// other colour, next to an empty point surrounded by its own. Returns the
// empty point.
Loc SeedKo(go::Board& board, std::mt19937& random)
{
    const int size = board.Size();
    const Loc stone = go::MakeLoc(1 + static_cast<int>(random() % size), 1 + static_cast<int>(random() % size));
    const Loc empty = static_cast<Loc>(stone + go::kAdjacent[random() % 4]);
    if (!board.IsPoint(empty))
        return go::kNoLoc;
    const Color a = (random() & 1) ? Color::Black : Color::White, b = go::Opponent(a);
    board.SetStone(stone, b);
    board.SetStone(empty, Color::Empty);
    for (int d : go::kAdjacent) {
        if (stone + d != empty && board.IsPoint(stone + d))
            board.SetStone(stone + d, a);
        if (empty + d != stone && board.IsPoint(empty + d))
            board.SetStone(empty + d, b);
    }
    return empty;
}

}  // namespace

go::Board BoardOf(const AsciiRows& rows, int size)
{
    go::Board board(size);
    for (std::size_t y = 0; y < rows.size(); ++y)
        for (std::size_t x = 0; x < rows[y].size(); ++x) {
            const char ch = rows[y][x];
            const go::Loc loc = go::MakeLoc(int(x) + 1, int(y) + 1);
            if (ch == 'X')
                board.SetStone(loc, go::Color::Black);
            else if (ch == 'O')
                board.SetStone(loc, go::Color::White);
        }
    return board;
}

AsciiRows RowsOf(const go::Board& board, int rows, int columns)
{
    AsciiRows out;
    for (int y = 1; y <= rows; ++y) {
        std::string row;
        for (int x = 1; x <= columns; ++x) {
            const go::Color c = board.At(go::MakeLoc(x, y));
            row += c == go::Color::Black ? 'X' : c == go::Color::White ? 'O' : '.';
        }
        out.push_back(row);
    }
    return out;
}

go::Problem ProblemOf(const AsciiRows& rows, int size, go::Player first)
{
    go::Problem problem;
    problem.board = go::Board(size);
    for (std::size_t y = 0; y < rows.size(); ++y)
        for (std::size_t x = 0; x < rows[y].size(); ++x) {
            const char ch = rows[y][x];
            const go::Loc loc = go::MakeLoc(int(x) + 1, int(y) + 1);
            const bool black = ch == 'X' || ch == 'B' || ch == 't';
            const bool white = ch == 'O' || ch == 'W' || ch == 'T';
            if (black || white)
                problem.board.SetStone(loc, black ? go::Color::Black : go::Color::White);
            if (ch == 'T' || ch == 't') {
                problem.targets.push_back(loc);
                problem.defender = ch == 'T' ? go::Color::White : go::Color::Black;
            }
            if (ch == 'a' || ch == 'B' || ch == 'W')
                problem.candidates.push_back(go::Candidate{loc, go::Kind::F});
        }
    problem.first = first;
    return problem;
}

// A random problem on a 4x4 to 6x6 board, crowded so that the fights are
// close: at most eight region points (the empty points, and now and then a
// stone); one or two target strings; kinds mostly 'f'.
go::Problem RandomSmallProblem(std::mt19937& random)
{
    go::Problem problem;
    const int size = 4 + static_cast<int>(random() % 3);
    problem.board = go::Board(size);
    const unsigned mode = std::min(2u, static_cast<unsigned>(random() % 5));
    Loc ko = go::kNoLoc;
    if (mode != 1) {
        const unsigned crowd = 2 + random() % 3;  // tenths left empty at first
        for (int y = 1; y <= size; ++y)
            for (int x = 1; x <= size; ++x) {
                const unsigned r = random() % 10;
                if (r >= crowd)
                    problem.board.SetStone(go::MakeLoc(x, y), (random() & 1) ? Color::Black : Color::White);
            }
        if (mode == 2)
            ko = SeedKo(problem.board, random);
        RemoveDeadStrings(problem.board);
    } else {
        // A random game leaves captures and ko shapes behind.
        const int moves = size * size * 3;
        for (int m = 0; m < moves; ++m) {
            const Loc loc = go::MakeLoc(1 + static_cast<int>(random() % size), 1 + static_cast<int>(random() % size));
            problem.board.Play(loc, (random() & 1) ? Color::Black : Color::White);
        }
        problem.board.LiftKoBan();
    }
    problem.defender = (random() & 1) ? Color::White : Color::Black;
    problem.first = (random() & 1) ? Color::White : Color::Black;
    std::vector<Loc> empty, defenders, stones;
    for (int y = 1; y <= size; ++y)
        for (int x = 1; x <= size; ++x) {
            const Loc loc = go::MakeLoc(x, y);
            const Color c = problem.board.At(loc);
            (c == Color::Empty ? empty : stones).push_back(loc);
            if (c == problem.defender)
                defenders.push_back(loc);
        }
    if (defenders.empty())
        return problem;
    // After a seeded ko, a target next to it when there is one.
    Loc target = defenders[random() % defenders.size()];
    if (ko != go::kNoLoc)
        for (int d : go::kAdjacent)
            for (int e : go::kAdjacent)
                if (problem.board.IsPoint(ko + d + e) && problem.board.At(ko + d + e) == problem.defender &&
                    random() % 3 == 0)
                    target = static_cast<Loc>(ko + d + e);
    problem.targets.push_back(target);
    if (random() % 4 == 0)
        problem.targets.push_back(defenders[random() % defenders.size()]);
    // Now and then an empty point off the region: a liberty for ever.
    std::shuffle(empty.begin(), empty.end(), random);
    std::size_t region = std::min<std::size_t>(empty.size(), 8);
    if (region > 2 && random() % 3 == 0)
        --region;
    std::vector<Loc> points;
    // A seeded ko's two points first, so that it can be fought.
    if (ko != go::kNoLoc && problem.board.At(ko) == Color::Empty)
        for (int d : go::kAdjacent)
            if (problem.board.IsPoint(ko + d) && problem.board.Liberties(ko + d) == 1 &&
                problem.board.StringSize(ko + d) == 1) {
                points.push_back(ko);
                points.push_back(static_cast<Loc>(ko + d));
                break;
            }
    for (Loc e : empty)
        if (points.size() < region && std::find(points.begin(), points.end(), e) == points.end())
            points.push_back(e);
    // Stones that may be taken: their points can be played again.
    for (Loc s : stones)
        if (points.size() < 8 && std::find(points.begin(), points.end(), s) == points.end() &&
            random() % (problem.board.Liberties(s) == 1 ? 2 : 12) == 0)
            points.push_back(s);
    for (Loc p : points) {
        const unsigned r = random() % 10;
        const go::Kind kind = r < 7 ? go::Kind::F : r == 7 ? go::Kind::M : r == 8 ? go::Kind::Y : go::Kind::Z;
        problem.candidates.push_back(go::Candidate{p, kind});
    }
    return problem;
}

