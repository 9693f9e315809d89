// The table reader's 11x11 board and the file's: which corner a posed
// problem is moved from, its last lines, and every point and colour of the
// window on the file's board and back.
#include <string>

#include <gtest/gtest.h>

#include "sgf/sgf.h"
#include "test_support.h"
#include "wide_support.h"

namespace {

// The rows moved right by dx points and down by dy.
AsciiRows Shifted(const AsciiRows& rows, int dx, int dy)
{
    AsciiRows out(static_cast<std::size_t>(dy), std::string());
    for (const std::string& row : rows)
        out.push_back(std::string(static_cast<std::size_t>(dx), '.') + row);
    return out;
}

// Where a posed problem lands on the window: "SYMMETRY[ swap]", then the
// colour the first target has there, or why it does not fit.
std::string Landing(const go::Problem& posed, bool openSides)
{
    KovraProblem table;
    const std::string error = ToTableProblem(posed, openSides, table);
    if (!error.empty())
        return error;
    const SgfPoint t = table.targets.at(0);
    return std::to_string(table.symmetry) + (table.swapped ? " swap " : " ") +
           (table.At(t.x, t.y) == go::Color::White ? "O" : "X");
}

// The window's problem drawn on its 11 rows ('X', 'O', '.'), with its
// targets and f candidates.
KovraProblem Window(const AsciiRows& rows, const std::vector<SgfPoint>& targets,
                    const std::vector<SgfPoint>& candidates)
{
    KovraProblem problem;
    const go::Board drawn = BoardOf(rows, kBoardSize);
    for (int y = 1; y <= kBoardSize; ++y)
        for (int x = 1; x <= kBoardSize; ++x)
            problem.Set(x, y, drawn.At(go::MakeLoc(x, y)));
    problem.targets = targets;
    for (const SgfPoint& p : candidates)
        problem.moves.push_back(SgfSource::Candidate{'f', p});
    return problem;
}

const AsciiRows kEdges = {
    "XX........O", "...........", "...........", "...........", "...........", "...........",
    "...........", "...........", "...........", "...........", "O.........X",
};

// The file's stones in reading order, as "X aa, O ka".
std::string FileStones(const go::Board& board)
{
    std::string out;
    for (int y = 1; y <= board.Size(); ++y)
        for (int x = 1; x <= board.Size(); ++x) {
            const go::Color c = board.At(go::MakeLoc(x, y));
            if (!go::IsStone(c))
                continue;
            out += (out.empty() ? "" : ", ") + std::string(c == go::Color::Black ? "X " : "O ") +
                   static_cast<char>('a' + x - 1) + static_cast<char>('a' + y - 1);
        }
    return out;
}

}  // namespace

// The problem stands where it is when it fits, else the first symmetry that
// brings it to the top-left fits it; a problem open to the rest of a larger
// board keeps off the window's last lines, one on an 11x11 board uses them.
// Kovra's White is always the defender.
TEST(TableBoard, PosedProblemsComeToTheTopLeftCorner)
{
    const AsciiRows kCorner = {"aaOX", "aTOX", "OOXX", "XXX."};
    const AsciiRows kBlackDefends = {"aaXO", "atXO", "XXOO", "OOO."};
    const AsciiRows kAlongTheEdge = {"XXXXX", "TOOOX", "aa.OX"};
    const struct {
        const char* name;
        AsciiRows rows;
        int size;
        bool openSides;
        const char* landing;
    } cases[] = {
        {"top-left of 19x19", kCorner, 19, true, "0 O"},
        {"top-right of 13x13", Shifted(kCorner, 9, 0), 13, true, "1 O"},
        {"bottom-left of 19x19", Shifted(kCorner, 0, 15), 19, true, "2 O"},
        {"bottom-right of 19x19", Shifted(kCorner, 15, 15), 19, true, "3 O"},
        {"Black defends", Shifted(kBlackDefends, 15, 0), 19, true, "1 swap O"},
        {"on line 11 of 19x19, open", Shifted(kCorner, 7, 0), 19, true, "does not fit an 11x11 corner"},
        {"on line 11 of 19x19, closed", Shifted(kCorner, 7, 0), 19, false, "0 O"},
        {"on line 11 of 11x11", Shifted(kAlongTheEdge, 0, 8), 11, true, "0 O"},
        {"on line 11 of 11x11, right side", Shifted(kAlongTheEdge, 6, 8), 11, true, "0 O"},
        {"on line 12 of 13x13, closed", Shifted(kCorner, 8, 0), 13, false, "1 O"},
        {"across 13x13", {"aT.........OX"}, 13, false, "does not fit an 11x11 board"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Landing(ProblemOf(c.rows, c.size, go::Color::Black), c.openSides), c.landing) << c.name;
}

// Every point of the window, its edges included, goes to the file's board
// with its colour (swapped when the file's Black defends) and comes back to
// where it was, under each mirror.
TEST(TableBoard, TheWindowOnTheFilesBoardAndBack)
{
    const struct {
        int symmetry;
        int size;
        bool swapped;
        const char* stones;  // on the file's board
    } cases[] = {
        {0, 11, false, "X aa, X ba, O ka, O ak, X kk"},
        {3, 19, true, "O ii, X si, X is, O rs, O ss"},
        {1, 13, false, "O ca, X la, X ma, X ck, O mk"},
        {2, 19, false, "O ai, X ki, X as, X bs, O ks"},
    };
    for (const auto& c : cases) {
        KovraProblem problem = Window(kEdges, {}, {});
        problem.symmetry = c.symmetry;
        problem.sourceSize = c.size;
        problem.swapped = c.swapped;
        EXPECT_EQ(FileStones(OnFileBoard(problem).board), c.stones) << c.symmetry;
        for (int y = 1; y <= kBoardSize; ++y)
            for (int x = 1; x <= kBoardSize; ++x) {
                const SgfPoint back = problem.FromSource(problem.ToSource(SgfPoint{x, y}));
                EXPECT_TRUE(back.x == x && back.y == y) << c.symmetry << ": " << x << ", " << y;
            }
    }
}

// A problem set up in the view stands there as drawn, its last row and
// column too, and reads back as the same problem.
TEST(TableBoard, LoadedIntoTheViewAsDrawn)
{
    const AsciiRows kBottomRight = {
        "...........", "...........", "...........", "...........", "...........", "...........",
        "...........", "XXXX.......", "OOXX.......", ".OOX.......", "..OX.....XO",
    };
    const struct {
        const char* name;
        AsciiRows rows;
        std::vector<SgfPoint> targets;
        std::vector<SgfPoint> candidates;
    } cases[] = {
        {"the four corners", kEdges, {{11, 1}, {1, 11}}, {{2, 2}, {11, 10}}},
        {"bent three on the last row", kBottomRight, {{2, 10}}, {{1, 10}, {1, 11}, {2, 11}}},
    };
    for (const auto& c : cases) {
        ViewHarness h;
        const KovraProblem problem = Window(c.rows, c.targets, c.candidates);
        LoadProblem(h.view(), problem);
        EXPECT_EQ(BoardRows(h.view()), c.rows) << c.name;
        EXPECT_TRUE(SameSetup(ProblemOfView(h.view()), problem)) << c.name;
    }
}
