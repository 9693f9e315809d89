// The answer written back: solution trees read from the result table whose
// every line a separate replay with the ko rule accepts, golden ko trees,
// the tree limit, the file's own root information and the diagram.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "go/board.h"
#include "sgf/sgf.h"
#include "solver/solution_walk.h"
#include "test_support.h"

namespace {

// A problem drawn as boards of the same shape in the top-left corner: the
// stones ('X' black, 'O' white, '@' a white target stone) and the
// candidates' places in the list ('1' to '9', 'a' to 'f'), with their kinds
// in list order.
struct Drawing {
    Rows stones;
    Rows order;
    std::string kinds;
};

// Bent four in the corner: Black's attack ends in a ko.
const Drawing kBentFour = {{"...OX", ".@OOX", "OOXXX", "XXX.."}, {"123..", "4...."}, "ffff"};
// The same, its candidates listed so that at Black's second move the first
// one that keeps the win leads to a ko although a later one kills.
const Drawing kBentFourKoFirst = {{"...OX", ".@OOX", "OOXXX", "XXX.."}, {"314..", "2...."}, "ffff"};
// White takes a single black stone at the top; Black may not retake at once.
const Drawing kKoRetake = {{".OX.X", "O@OX.", "XX.X.", "..X.."}, {"3.21.", "....."}, "fmm"};
const Drawing kBentThree = {{"..OX", ".@OX", "OOXX", "XXX."}, {"12..", "3..."}, "fff"};
// With a last candidate on a white stone (which the mask of points white
// when entered marks): Black still opens at the bend.
const Drawing kBentThreeWhiteEntry = {{"..OX", ".@OX", "OOXX", "XXX."}, {"12..", "3.4."}, "fffm"};

// The drawing as the test helpers set a problem up: stones, targets,
// candidates in list order.
Problem AsClicked(const Drawing& d)
{
    Problem p;
    std::vector<Entry> moves(d.kinds.size());
    for (std::size_t y = 0; y < d.stones.size(); ++y) {
        std::string row = d.stones[y];
        for (std::size_t x = 0; x < row.size(); ++x) {
            const int cx = static_cast<int>(x) + 1;
            const int cy = static_cast<int>(y) + 1;
            if (row[x] == '@')
                p.targets.push_back(CPoint{cx, cy});
            if (row[x] == '@')
                row[x] = 'O';
            const char o = y < d.order.size() && x < d.order[y].size() ? d.order[y][x] : '.';
            if (o != '.') {
                const std::size_t i = static_cast<std::size_t>(o <= '9' ? o - '1' : o - 'a' + 9);
                moves[i] = Entry{d.kinds[i], cx, cy};
            }
        }
        p.rows.push_back(row);
    }
    p.moves = moves;
    return p;
}

// The drawing as a problem of its own, no view involved.
KovraProblem Drawn(const Drawing& d, bool live)
{
    const Problem setup = AsClicked(d);
    KovraProblem p;
    for (std::size_t y = 0; y < setup.rows.size(); ++y)
        for (std::size_t x = 0; x < setup.rows[y].size(); ++x) {
            const char c = setup.rows[y][x];
            p.Set(static_cast<int>(x) + 1, static_cast<int>(y) + 1,
                  c == 'X' ? go::Color::Black : c == 'O' ? go::Color::White : go::Color::Empty);
        }
    for (const CPoint& t : setup.targets)
        p.targets.push_back(SgfPoint{t.x, t.y});
    for (const Entry& m : setup.moves)
        p.moves.push_back(SgfSource::Candidate{m.kind, SgfPoint{m.x, m.y}});
    p.live = live;
    return p;
}

class AnswerTest : public ::testing::Test {
protected:
    // Sets the drawing up as clicks would and solves it as its command
    // says (reading only the first move only when given), without trace or
    // summary; the problem the view then holds.
    KovraProblem Solve(const Drawing& d, bool live, int only = kAllFirstMoves)
    {
        CKovraView& view = h.view();
        view.m_traceName = nullptr;
        view.m_writeSummary = false;
        LoadProblem(view, AsClicked(d));
        view.m_onlyFirstMove = only;
        live ? view.OnStartDef() : view.OnStartAtk();
        view.m_onlyFirstMove = kAllFirstMoves;
        KovraProblem problem = ProblemOfView(view);
        problem.live = live;
        return problem;
    }
    SgfAnswer Answer(const KovraProblem& problem, int limit = 2000, int only = kAllFirstMoves)
    {
        return ReadAnswer(h.view(), problem, limit, only);
    }
    ViewHarness h;
};

// Replays every line on a board of its own with the ko rule; the first
// move it refuses, as "B[ba] after B[aa] W[ab]", or empty.
std::string RefusedMove(const go::Board& board, go::Player toMove, const std::vector<go::TreeMove>& moves,
                        const std::string& line)
{
    for (const go::TreeMove& m : moves) {
        go::Board after = board;
        const std::string name = std::string(m.player == go::Color::Black ? "B" : "W") + "[" +
                                 (m.at == go::kPass ? "" : PlayerCoordinate(board.Size(), m.at)) + "]";
        if (m.player != toMove || !after.Play(m.at, m.player))
            return name + " after" + line;
        if (m.ko && !m.next.empty())
            return name + " marked ko goes on, after" + line;
        const std::string refused = RefusedMove(after, go::Opponent(toMove), m.next, line + " " + name);
        if (!refused.empty())
            return refused;
    }
    return std::string();
}

// The written tree: what follows the root comment.
std::string TreeOf(const std::string& sgf)
{
    const std::string::size_type end = sgf.find("]", sgf.find("\nC[")) + 1;
    return sgf.substr(end, sgf.size() - end - 2);
}

}  // namespace

// Every line of every tree is legal on the file's board under the ko rule,
// for both commands, also for a problem mirrored from another corner of a
// larger board with its colours swapped.
TEST_F(AnswerTest, EveryWrittenLineIsLegal)
{
    struct Case {
        const char* name;
        Drawing drawing;
        int symmetry;
        bool swapped;
    };
    const Case cases[] = {
        {"bent three", kBentThree, 0, false},
        {"bent four", kBentFour, 0, false},
        {"ko retake", kKoRetake, 0, false},
        {"bent four, bottom right of 19x19, Black defends", kBentFour, 3, true},
        {"ko retake, top right of 13x13, transposed", kKoRetake, 5, false},
    };
    for (const Case& c : cases)
        for (bool live : {false, true}) {
            KovraProblem problem = Solve(c.drawing, live);
            problem.symmetry = c.symmetry;
            problem.swapped = c.swapped;
            problem.sourceSize = c.symmetry == 0 ? 11 : c.symmetry == 3 ? 19 : 13;
            const SgfAnswer answer = Answer(problem);
            const go::Problem onFile = OnFileBoard(problem);
            ASSERT_TRUE(answer.decided) << c.name;
            ASSERT_FALSE(answer.tree.empty()) << c.name;
            EXPECT_EQ(RefusedMove(onFile.board, onFile.first, answer.tree, ""), "")
                << c.name << (live ? " live" : " kill");
        }
}

// Golden trees of ko problems: where the table's line retakes a ko at once
// it ends, saying it is a ko; the other lines go on with legal moves only.
TEST_F(AnswerTest, GoldenKoTrees)
{
    struct Case {
        Drawing drawing;
        bool live;
        int only;  // the first move read alone, or every one
        const char* verdict;
        const char* tree;
    };
    const Case cases[] = {
        // White's immediate retake at aa is not written
        {kBentFour, false, kAllFirstMoves, "koh=26/52",
         ";B[ba]\n(;W[aa];B[ab]C[Correct: ko])\n(;W[ca];B[ab]C[Correct])\n"
         "(;W[ab];B[aa];W[ca];B[aa];W[ba];B[aa]C[Correct])"},
        {kBentFour, true, kAllFirstMoves, "life=6/11",
         ";W[aa]\n(;B[ba];W[ca]C[Correct])\n(;B[ca];W[ba]C[Correct])"},
        // below the root a ko is taken only where the table stores one
        {kBentFourKoFirst, false, kAllFirstMoves, "koh=30/59",
         ";B[ba]\n(;W[ab];B[aa];W[ca];B[ba];W[aa];B[ba]C[Correct])\n(;W[aa];B[ab]C[Correct: ko])\n"
         "(;W[ca];B[aa];W[ab];B[ba];W[aa];B[ba]C[Correct])"},
        // Black's immediate retake at ca is not written either
        {kKoRetake, true, 0, "koh=4/6", ";W[da]C[Correct: ko]"},
        {kKoRetake, false, kAllFirstMoves, "life=2/4", ";B[da];W[]C[Wrong]"},
        {kKoRetake, true, kAllFirstMoves, "life=7/12", ";W[];B[da];W[]C[Correct]"},
        // the mask's bit of the white entry is not the bend's
        {kBentThreeWhiteEntry, false, kAllFirstMoves, "death=5/10",
         ";B[aa]\n(;W[ba];B[ab]C[Correct])\n(;W[ab];B[ba]C[Correct])"},
    };
    for (const Case& c : cases) {
        const KovraProblem problem = Solve(c.drawing, c.live, c.only);
        EXPECT_EQ(h.frame.Last(), c.verdict);
        const SgfAnswer answer = Answer(problem, 2000, c.only);
        const std::string sgf = WriteSgf(OnFileBoard(problem), {}, answer, {}, SgfWriteOptions());
        EXPECT_EQ(TreeOf(sgf), c.tree) << c.verdict;
    }
}

// The tree limit counts moves exactly; a line it ends says so, and a limit
// of 0 says the tree is left out. The goproblems style marks the correct
// lines' last moves RIGHT.
TEST_F(AnswerTest, TreeLimitAndStyle)
{
    struct Case {
        bool live;
        int limit;
        SgfStyle style;
        const char* tree;
        const char* note;  // the root comment's last line
    };
    const Case cases[] = {
        {false, 2000, SgfStyle::Kovra, ";B[aa]\n(;W[ba];B[ab]C[Correct])\n(;W[ab];B[ba]C[Correct])", "played)."},
        {false, 5, SgfStyle::Kovra, ";B[aa]\n(;W[ba];B[ab]C[Correct])\n(;W[ab];B[ba]C[Correct])", "played)."},
        {false, 4, SgfStyle::Kovra, ";B[aa]\n(;W[ba];B[ab]C[Correct])\n(;W[ab]C[Cut by the tree limit.])",
         "moves (tree limit); some lines are left out."},
        {false, 2, SgfStyle::Kovra, ";B[aa];W[ba]C[Cut by the tree limit.]", "left out."},
        {false, 1, SgfStyle::Kovra, ";B[aa]C[Cut by the tree limit.]", "left out."},
        {false, 0, SgfStyle::Kovra, "", "The solution tree is left out (tree limit 0)."},
        {false, 2000, SgfStyle::GoProblems, ";B[aa]\n(;W[ba];B[ab]C[RIGHT])\n(;W[ab];B[ba]C[RIGHT])", "played)."},
        {true, 2000, SgfStyle::GoProblems, ";W[aa]C[RIGHT]", "played)."},
    };
    for (const Case& c : cases) {
        const KovraProblem problem = Solve(kBentThree, c.live);
        const SgfAnswer answer = Answer(problem, c.limit);
        const std::string sgf = WriteSgf(OnFileBoard(problem), {}, answer, {}, SgfWriteOptions{c.limit, c.style});
        EXPECT_EQ(TreeOf(sgf), c.tree) << c.limit;
        const std::string comment = sgf.substr(0, sgf.find("]", sgf.find("\nC[")));
        EXPECT_EQ(comment.substr(comment.size() - std::string(c.note).size()), c.note) << c.limit;
    }
}

// The file's root information comes back: game information, the comment
// with the verdict as a paragraph of its own (replacing a verdict Kovra
// wrote before), the file's other labels, its board size, and the charset:
// kept, or converted to UTF-8 when CA names another one.
TEST(SgfRoot, TheFilesOwnWordsAreKept)
{
    const std::string stones = "AB[da][db][cc][dc][ad][bd][cd]AW[ca][bb][cb][ac][bc]TR[bb]";
    const struct {
        std::string root;
        std::vector<std::string> written;
    } cases[] = {
        {"SZ[11]GN[Bent]PB[Ann]EV[Club]C[From the book.]LB[aa:f][dd:A]",
         {"CA[UTF-8]AP[Kovra:1.1]SZ[11]PL[B]\nGN[Bent]PB[Ann]EV[Club]\n", "LB[aa:f][dd:A]\n",
          "C[From the book.\n\nNot solved.]"}},
        {"SZ[11]C[Old.\n\nBlack to play kills. Kovra: death=5/10 (5 positions expanded, 10 moves and "
         "passes played).]LB[aa:f]",
         {"C[Old.\n\nNot solved.]"}},
        {"SZ[11]CA[ISO-8859-1]GN[Caf\xe9]LB[aa:f]", {"CA[UTF-8]", "GN[Caf\xc3\xa9]"}},
        {"SZ[11]CA[utf8]GN[Caf\xc3\xa9]LB[aa:f]", {"CA[UTF-8]", "GN[Caf\xc3\xa9]"}},
        {"SZ[11]GN[Caf\xe9]LB[aa:f]", {"(;FF[4]GM[1]AP[Kovra:1.1]", "GN[Caf\xe9]"}},
        {"SZ[11]CA[no-such-charset]GN[Caf\xe9]LB[aa:f]", {"CA[no-such-charset]", "GN[Caf\xe9]"}},
        {"SZ[9]LB[aa:f]", {"SZ[9]PL[B]"}},
    };
    for (const auto& c : cases) {
        std::vector<SgfTree> trees;
        SgfSource source;
        KovraProblem problem;
        ASSERT_EQ(ParseSgf("(;" + c.root + stones + ")", trees), "");
        ASSERT_EQ(ReadSource(trees[0], source), "");
        ASSERT_EQ(PoseProblem(source, PoseOptions(), problem), "");
        SgfAnswer answer;
        answer.verdict = "Not solved.";
        const std::string sgf = WriteSgf(OnFileBoard(problem), problem.info, answer, {}, SgfWriteOptions());
        for (const std::string& part : c.written)
            EXPECT_NE(sgf.find(part), std::string::npos) << part << " in\n" << sgf;
    }
}

// The diagram: the file's corner cropped with the open sides' coordinates,
// real star points, a title on each stone in players' coordinates, the
// caption, candidates' letters only when asked for.
TEST(SgfDiagram, TheFilesCornerAsBooksPrintIt)
{
    const struct {
        int symmetry;
        int size;
        bool candidates;
        go::Verdict verdict;
        std::vector<std::string> has;
        std::vector<std::string> lacks;
    } cases[] = {
        {0, 11, false, go::Verdict::Death,
         {"<title>White C11</title>", "<title>Black D11</title>", ">Black to play kills.</text>", ">E</text>",
          ">7</text>", "<polygon"},
         {">F</text>", ">6</text>", ">f</text>"}},
        {3, 19, true, go::Verdict::Undecided,
         {"<title>White R1</title>", "<title>White S2</title>", "<title>Black T4</title>", ">Black to play</text>",
          ">f</text>", ">P</text>", ">5</text>", "r=\"3\""},
         {">O</text>", ">6</text>", ">A</text>", "kills"}},
    };
    for (const auto& c : cases) {
        KovraProblem problem = Drawn(kBentThree, false);
        problem.symmetry = c.symmetry;
        problem.sourceSize = c.size;
        SvgOptions options;
        options.candidates = c.candidates;
        const std::string svg = WriteSvg(OnFileBoard(problem), c.verdict, options);
        for (const std::string& part : c.has)
            EXPECT_NE(svg.find(part), std::string::npos) << part;
        for (const std::string& part : c.lacks)
            EXPECT_EQ(svg.find(part), std::string::npos) << part;
    }
}

// Below the root the tree's moves keep to the kinds as the search does: the
// attacker plays a z point only next to a defender stone, never one that
// touches only its own stones; the defender plays a y point only to take
// attacker stones in atari.
TEST_F(AnswerTest, TreesKeepTheKindsRules)
{
    // White's two eyes; z at eb next to White alone, z at dd next to Black alone.
    const Drawing kTwoEyesOpenSide = {{".O.O.", "@OOO.", "OOXX.", "XXX.."}, {"1.2..", "....3", ".....", "...4."},
                                      "ffzz"};
    // Bent three with z at dd, next to Black alone.
    const Drawing kBentThreeBlackZ = {{"..OX", ".@OX", "OOXX", "XXX."}, {"12..", "3...", "....", "...4"}, "fffz"};
    // Bent three, y on two of its eye points: after Black's f at ba White's
    // y at aa takes it; after Black's f at the bend (aa) no black stone is
    // in atari, so White has no move.
    const Drawing kBentThreeY = {{"..OX", ".@OX", "OOXX", "XXX."}, {"21..", "3..."}, "fyy"};
    const Drawing kBentThreeBendY = {{"..OX", ".@OX", "OOXX", "XXX."}, {"12..", "3..."}, "fyy"};
    const struct {
        Drawing drawing;
        bool live;
        const char* verdict;
        const char* tree;
    } cases[] = {
        {kTwoEyesOpenSide, true, "life=4/7", ";W[aa];B[eb];W[]C[Correct]"},
        {kBentThreeBlackZ, true, "life=2/4", ";W[aa]C[Correct]"},
        {kBentThreeBlackZ, false, "death=5/10", ";B[aa]\n(;W[ba];B[ab]C[Correct])\n(;W[ab];B[ba]C[Correct])"},
        {kBentThreeY, false, "life=2/4", ";B[ba];W[aa]C[Wrong]"},
        {kBentThreeBendY, false, "death=5/8", ";B[aa]C[Correct]"},
    };
    for (const auto& c : cases) {
        const KovraProblem problem = Solve(c.drawing, c.live);
        EXPECT_EQ(h.frame.Last(), c.verdict);
        const std::string sgf = WriteSgf(OnFileBoard(problem), {}, Answer(problem), {}, SgfWriteOptions());
        EXPECT_EQ(TreeOf(sgf), c.tree) << c.verdict;
    }
}
