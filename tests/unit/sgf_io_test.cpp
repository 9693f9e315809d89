// SGF in and out: the reader on what other programs write, the problem as
// the file states it, marked problems placed on the board, and the answer
// written back with its solution tree.
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "sgf/sgf.h"
#include "solver/solution_walk.h"
#include "test_support.h"

namespace {

// Trees as "(;ID=v1|v2 ID=v;...(...)(...))".
std::string Describe(const std::vector<SgfTree>& trees)
{
    std::string out;
    for (const SgfTree& tree : trees) {
        out += "(";
        for (const SgfNode& node : tree.nodes) {
            out += ";";
            for (std::size_t p = 0; p < node.properties.size(); ++p) {
                out += (p ? " " : "") + node.properties[p].id + "=";
                for (std::size_t v = 0; v < node.properties[p].values.size(); ++v)
                    out += (v ? "|" : "") + node.properties[p].values[v];
            }
        }
        out += Describe(tree.variations) + ")";
    }
    return out;
}

std::string Parse(const std::string& text)
{
    std::vector<SgfTree> trees;
    const std::string error = ParseSgf(text, trees);
    return error.empty() ? Describe(trees) : error;
}

std::string Points(const std::vector<SgfPoint>& points)
{
    std::string out;
    for (const SgfPoint& p : points)
        out += (out.empty() ? "" : ",") + std::string{char('a' + p.x - 1), char('a' + p.y - 1)};
    return out;
}

std::string Source(const std::string& text)
{
    std::vector<SgfTree> trees;
    SgfSource s;
    std::string error = ParseSgf(text, trees);
    if (error.empty())
        error = ReadSource(trees[0], s);
    if (!error.empty())
        return error;
    std::string out = std::to_string(s.size) + " B=" + Points(s.black) + " W=" + Points(s.white) +
                      " T=" + Points(s.targets) + " C=";
    for (const SgfSource::Candidate& c : s.candidates)
        out += std::string{c.kind, ':'} + Points({c.at}) + ",";
    return out + " PL=" + (s.toPlay ? std::string(1, s.toPlay) : "-");
}

// Placed problem as "symmetry swapped live first-target first-candidate".
std::string Pose(const std::string& text, char command = 0)
{
    std::vector<SgfTree> trees;
    SgfSource source;
    KovraProblem problem;
    PoseOptions options;
    if (command != 0)
        options.goal = command == 'l' ? go::Goal::Live : go::Goal::Kill;
    std::string error = ParseSgf(text, trees);
    if (error.empty())
        error = ReadSource(trees[0], source);
    if (error.empty())
        error = PoseProblem(source, options, problem);
    if (!error.empty())
        return error;
    return std::to_string(problem.symmetry) + (problem.swapped ? " swap" : "") +
           (problem.live ? " live" : " kill") + " T=" + Points(problem.targets) + " C=" +
           Points({problem.moves[0].at}) + " " + std::string(1, ".XO"[static_cast<int>(problem.At(4, 1))]);
}

// Bent three in the top-left corner of an 11x11 board.
const char kBentThree[] =
    "(;SZ[11]AB[da][db][cc][dc][ad][bd][cd]AW[ca][bb][cb][ac][bc]TR[bb]LB[aa:f][ba:f][ab:f]";

}  // namespace

TEST(SgfReader, ReadsWhatOtherProgramsWrite)
{
    const struct {
        std::string text;
        const char* expected;
    } cases[] = {
        // collections, variations, text outside the trees, whitespace
        {"mail header\n(;FF[4](;B[aa];W[bb])\n(;W[cc]))x(;B[dd])", "(;FF=4(;B=aa;W=bb)(;W=cc))(;B=dd)"},
        {"( ; B [aa]\n\t; W[bb] [cc] )", "(;B=aa;W=bb|cc)"},
        // escapes, soft line breaks, empty values
        {"(;C[a\\]b\\\\c\\:d]GN[x\\\ny\\\r\nz]N[])", "(;C=a]b\\c:d GN=xyz N=)"},
        // identifiers: old mixed case keeps the capitals, lower case reads as upper
        {"(;AddBlack[aa]ab[bb]Comment[c])", "(;AB=aa AB=bb C=c)"},
        // errors name the byte and what was expected there
        {"", "byte 0: expected '('"},
        {"no tree", "byte 7: expected '('"},
        {"()", "byte 1: expected ';'"},
        {"(;B[aa", "byte 6: expected ']'"},
        {"(;B[aa]", "byte 7: expected ')'"},
        {"(;B[aa]  ", "byte 9: expected ')'"},
        {"(;B )", "byte 4: expected '['"},
        {"(;B[aa]1)", "byte 7: expected a property, ';', '(' or ')'"},
        {"(;B[aa](;W[bb]);B[cc])", "byte 15: expected '(' or ')' (no node may follow the variations)"},
        {"(;(;B[aa]x))", "byte 10: expected '['"},
        {"(;" + std::string(40, 'A') + "[])", "byte 34: property identifier longer than 32 letters"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Parse(c.text), c.expected) << c.text;

    std::string deep;
    for (int i = 0; i < 1001; ++i)
        deep += "(;";
    EXPECT_EQ(Parse(deep), "byte 2000: variations nested deeper than 1000");
}

TEST(SgfSource, RootSetupMarksAndLabels)
{
    const struct {
        const char* text;
        const char* expected;
    } cases[] = {
        {"(;SZ[9]AB[aa:bb]AE[ab]AW[cc]XX[??]TR[cc]MA[cc][aa]LB[dd:f][bb:A][cc:m]PL[W]C[x];B[dd])",
         "9 B=aa,ba,bb W=cc T=cc,aa C=f:dd,m:cc, PL=W"},
        {"(;AW[ss]AE[ss]AB[ss][]PL[b])", "ss is given both colours (AB and AW)"},
        {"(;GM[2]AB[aa])", "not a Go game (GM[2])"},
        {"(;SZ[9]LB[aa:f]PL[B])", "no stones"},
        {"(;AB[aa]AW[bb]LB[bb:f])", "LB: candidate f at bb is on a stone (only m may be)"},
        {"(;AB[ba][ab]AW[aa]TR[aa])", "target at aa has no liberty"},
        {"(;SZ[20])", "SZ: board size '20' (at most 19)"},
        {"(;SZ[19:13])", "SZ: '19:13': the board is not square"},
        {"(;SZ[nine])", "SZ: 'nine' is no board size"},
        {"(;SZ[9]AB[jj])", "AB: 'jj' is no point of the 9x9 board"},
        {"(;TR[aa:z])", "TR: 'aa:z' is no point of the 19x19 board"},
        {"(;PL[X])", "PL: 'X' is neither B nor W"},
        {"(;LB[aa])", "LB: 'aa' is no point:label"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Source(c.text), c.expected) << c.text;
}

TEST(SgfProblem, MarkedProblemsPlacedOrRefused)
{
    const std::string bent = kBentThree;
    std::string sixteen = "(;AW[aa]TR[aa]LB";
    for (int i = 0; i < 16; ++i)
        sixteen += std::string("[") + char('b' + i % 10) + char('a' + i / 10) + ":m]";
    const struct {
        std::string text;
        char command;
        const char* expected;
    } cases[] = {
        {bent + ")", 0, "0 kill T=bb C=aa X"},
        {bent + "PL[W])", 0, "0 live T=bb C=aa X"},
        {bent + "PL[W])", 'k', "0 kill T=bb C=aa X"},
        // the bottom-right corner of a 19x19 board, mirrored both ways
        {"(;AB[ps][pr][qq][pq][sp][rp][qp]AW[qs][rr][qr][sq][rq]TR[rr]LB[ss:f][rs:f][sr:f])", 0,
         "3 kill T=bb C=aa X"},
        // Black defends: colours swap, Black to play means "start to live"
        {"(;AW[da][db][cc][dc][ad][bd][cd]AB[ca][bb][cb][ac][bc]TR[bb]LB[aa:f]PL[B])", 0,
         "0 swap live T=bb C=aa X"},
        {"(;AB[aa]LB[bb:f])", 0, "no target marked (TR or MA)"},
        {"(;AB[aa]TR[bb]LB[bb:f])", 0, "target (2, 2) is not a stone"},
        {"(;AB[aa]AW[bb]TR[aa][bb]LB[cc:f])", 0, "targets of both colours"},
        {"(;AW[aa:fa]TR[aa:fa]LB[cc:f])", 0, "6 targets (at most 5)"},
        {sixteen + ")", 0, "16 candidates (at most 15)"},
        {"(;AW[aa][ss]TR[aa]LB[cc:f])", 0, "does not fit an 11x11 board"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Pose(c.text, c.command), c.expected) << c.text;
}

// Solves bent three and writes it back: the tree is the bend, then both
// answers of White each with Black's capture; writing changes nothing.
TEST(SgfWrite, BentThreeTreeLeavesTheViewAsItWas)
{
    ViewHarness h;
    CKovraView& view = h.view();
    view.m_traceName = nullptr;
    std::vector<SgfTree> trees;
    SgfSource source;
    KovraProblem problem;
    ASSERT_EQ(ParseSgf(std::string(kBentThree) + "PL[B])", trees), "");
    ASSERT_EQ(ReadSource(trees[0], source), "");
    ASSERT_EQ(PoseProblem(source, PoseOptions(), problem), "");
    LoadProblem(view, problem);
    EXPECT_NE(WriteSgf(view, problem, SgfWriteOptions()).find("C[Not solved.])"), std::string::npos);
    view.OnStartAtk();
    ASSERT_EQ(h.frame.Last(), "death=5/10");

    std::vector<unsigned char> table(view.m_resultTable, view.m_resultTable + kTableSize);
    const std::vector<std::string> board = BoardRows(view);
    const int hist = view.m_histCount;
    const std::size_t statusCount = h.frame.status.size();
    const std::string sgf = WriteSgf(view, problem, SgfWriteOptions());
    EXPECT_EQ(sgf.substr(sgf.find("C[")),
              "C[Black to play kills. Kovra: death=5/10 (5 positions expanded, 10 moves and passes "
              "played).];B[aa]\n(;W[ba];B[ab]C[Correct])\n(;W[ab];B[ba]C[Correct]))\n");
    EXPECT_NE(WriteSgf(view, problem, SgfWriteOptions{2, SgfStyle::Kovra}).find("stops at 2 moves"), std::string::npos);
    EXPECT_EQ(std::memcmp(table.data(), view.m_resultTable, table.size()), 0);
    EXPECT_EQ(BoardRows(view), board);
    EXPECT_EQ(view.m_histCount, hist);
    EXPECT_EQ(view.m_solverResult, 9);
    EXPECT_EQ(view.m_nodeCount * 100 + view.m_playCount, 510);
    EXPECT_EQ(h.frame.status.size(), statusCount);

    // The written problem reads back as the same problem.
    ASSERT_EQ(ParseSgf(sgf, trees), "");
    ASSERT_EQ(ReadSource(trees[0], source), "");
    KovraProblem again;
    ASSERT_EQ(PoseProblem(source, PoseOptions(), again), "");
    EXPECT_EQ(std::memcmp(again.stone, problem.stone, sizeof again.stone), 0);
    EXPECT_EQ(Points(again.targets) + Points({again.moves[2].at}), "bbab");

    // A stone added after the run: the verdict no longer belongs to the board.
    PlayMove(view, 'b', 9, 9);
    EXPECT_NE(WriteSgf(view, ProblemOfView(view), SgfWriteOptions()).find("C[Not solved.])"), std::string::npos);
}
