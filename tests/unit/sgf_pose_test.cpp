// Posing plain SGF problems: corner, defender, targets, candidates and the
// way back to the file, on small hand-made problems placed in every corner.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sgf/sgf.h"

namespace {

// Rows as seen from the top-left corner of a 19x19 board ('X' black, 'O'
// white), moved to another corner: mirror bit 0 to the right side, bit 1
// to the bottom.
SgfSource Source(const std::vector<std::string>& rows, int mirror, char toPlay)
{
    SgfSource source;
    source.toPlay = toPlay;
    for (int y = 0; y < static_cast<int>(rows.size()); ++y) {
        for (int x = 0; x < static_cast<int>(rows[y].size()); ++x) {
            const SgfPoint p{mirror & 1 ? 19 - x : x + 1, mirror & 2 ? 19 - y : y + 1};
            if (rows[y][x] == 'X')
                source.black.push_back(p);
            else if (rows[y][x] == 'O')
                source.white.push_back(p);
        }
    }
    return source;
}

// The posed board as --pose draws it, without the spaces, the top-left
// rows x columns only.
std::vector<std::string> Picture(const KovraProblem& problem, size_t rows, size_t columns)
{
    std::vector<std::string> picture;
    std::string text = FormatPosed(problem), row;
    for (char c : text) {
        if (c == '\n') {
            picture.push_back(row);
            row.clear();
        } else if (c != ' ') {
            row += c;
        }
    }
    picture.resize(rows);
    for (std::string& r : picture)
        r.resize(columns);
    return picture;
}

std::string Kinds(const KovraProblem& problem)
{
    std::string kinds;
    for (const auto& move : problem.moves)
        kinds += move.kind;
    return kinds;
}

const std::vector<std::string> kBentThree = {"..OX..", ".OOX..", "OOXX..", "XXX..."};
const std::vector<std::string> kBentThreeBlack = {"..XO..", ".XXO..", "XXOO..", "OOO..."};

struct Case {
    const char* name;
    std::vector<std::string> rows;
    int mirror;
    char toPlay;
    PoseOptions options;
    std::vector<std::string> picture;  // posed: '@' targets, letters the candidates in order
    const char* kinds;
    bool live;
    bool swapped;
};

const Case kCases[] = {
    {"white defends, black kills", kBentThree, 0, 'B', {}, {"ab@X..", "c@@X..", "@@XX.."}, "fff", false, false},
    {"bottom-right corner", kBentThree, 3, 'B', {}, {"ab@X..", "c@@X..", "@@XX.."}, "fff", false, false},
    {"top-right, white to live", kBentThree, 1, 'W', {}, {"ab@X..", "c@@X..", "@@XX.."}, "fff", true, false},
    {"black defends, black lives", kBentThreeBlack, 2, 'B', {}, {"ab@X..", "c@@X..", "@@XX.."}, "fff", true, true},
    {"black defends, white kills", kBentThreeBlack, 0, 'W', {}, {"ab@X..", "c@@X..", "@@XX.."}, "fff", false, true},
    {"no PL: the defender plays", kBentThree, 0, 0, {}, {"ab@X..", "c@@X..", "@@XX.."}, "fff", true, false},
    {"--live overrides PL", kBentThree, 0, 'B', {'l', 0}, {"ab@X..", "c@@X..", "@@XX.."}, "fff", true, false},
    // On the top side, away from the corner: the window still holds it.
    {"side problem", {".....XO..OX", ".....XOOOOX", ".....XXXXXX"}, 0, 'B', {},
     {".....X@ab@X", ".....X@@@@X", ".....XXXXXX"}, "ff", false, false},
    // An attacker stone in atari inside: its point comes back into play.
    {"stone in atari", {"X.OOX.", "OOOX..", "XXXX.."}, 0, 'B', {}, {"ba@@X.", "@@@X..", "XXXX.."}, "fm", false, false},
    // Liberties that open to the outside: the attacker may block beyond them.
    {"outer liberties", {"...O..", "OOOOXX", ".XXX..", "......", ".X...."}, 0, 'B', {},
     {"bac@df", "@@@@XX", "eXXX..", "g....."}, "fffffzz", false, false},
};

TEST(SgfPose, PosesHandMadeProblems)
{
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        KovraProblem problem;
        ASSERT_EQ(PosePlain(Source(c.rows, c.mirror, c.toPlay), c.options, problem), "");
        EXPECT_EQ(Picture(problem, c.picture.size(), c.picture[0].size()), c.picture);
        EXPECT_EQ(Kinds(problem), c.kinds);
        EXPECT_EQ(problem.live, c.live);
        EXPECT_EQ(problem.swapped, c.swapped);
        EXPECT_EQ(problem.sourceSize, 19);
        // Every candidate maps back onto an empty point or a stone of the file.
        const SgfSource source = Source(c.rows, c.mirror, c.toPlay);
        for (const auto& move : problem.moves) {
            const SgfPoint p = problem.ToSource(move.at);
            const int x = c.mirror & 1 ? 19 - p.x : p.x - 1;
            const int y = c.mirror & 2 ? 19 - p.y : p.y - 1;
            ASSERT_LT(y, static_cast<int>(c.rows.size()));
            ASSERT_LT(x, static_cast<int>(c.rows[y].size()));
            EXPECT_EQ(problem.stone[move.at.y - 1][move.at.x - 1] == 0, c.rows[y][x] == '.');
        }
    }
}

TEST(SgfPose, RefusalsAndBoardSizes)
{
    struct Refusal {
        std::vector<std::string> rows;
        PoseOptions options;
        const char* error;
    } const refusals[] = {
        {{"X...........O"}, {}, "does not fit an 11x11 corner"},
        {{"", "", "", "....X.O"}, {}, "cannot tell attacker from defender"},
        {{"", "", "", "....X.O"}, {0, 'w'}, "region has 55 points (at most 15)"},
        {{"......OX", "......OX", "......OX", "OOOOOOOX", "XXXXXXXX"}, {}, "region has 18 points (at most 15)"},
        {{"OOO"}, {}, "cannot tell attacker from defender"},
    };
    for (const Refusal& r : refusals) {
        KovraProblem problem;
        EXPECT_EQ(PosePlain(Source(r.rows, 0, 'B'), r.options, problem), r.error);
    }
    SgfSource small = Source(kBentThree, 0, 'B');
    small.size = 9;
    KovraProblem problem;
    EXPECT_EQ(PosePlain(small, {}, problem), "board size 9 (11 to 19 can be posed)");
    // A point given to both colours keeps one: no attacker is left.
    SgfSource both;
    both.black = {SgfPoint{1, 1}};
    both.white = {SgfPoint{1, 1}};
    EXPECT_EQ(PosePlain(both, {0, 'b'}, problem), "cannot tell attacker from defender");
    // An 11x11 board has no open side: the smaller area defends.
    small.size = 11;
    ASSERT_EQ(PosePlain(small, {}, problem), "");
    EXPECT_EQ(Picture(problem, 3, 4), (std::vector<std::string>{"ab@X", "c@@X", "@@XX"}));
}

}  // namespace
