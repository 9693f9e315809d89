// Posing plain SGF problems on the file's own board: who defends, who
// plays first, targets, safe frame, candidates and their kinds, the way
// onto the table reader's board; small hand-made problems placed in every
// corner of a 19x19 board.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "sgf/sgf.h"

namespace {

// Rows as seen from the top-left corner ('X' black, 'O' white), moved to
// another corner: mirror bit 0 to the right side, bit 1 to the bottom.
SgfSource Source(const std::vector<std::string>& rows, int mirror, char toPlay, int size = 19)
{
    SgfSource source;
    source.size = size;
    source.toPlay = toPlay;
    for (int y = 0; y < static_cast<int>(rows.size()); ++y)
        for (int x = 0; x < static_cast<int>(rows[y].size()); ++x) {
            const SgfPoint p{mirror & 1 ? size - x : x + 1, mirror & 2 ? size - y : y + 1};
            if (rows[y][x] == 'X')
                source.black.push_back(p);
            else if (rows[y][x] == 'O')
                source.white.push_back(p);
        }
    return source;
}

// A point of the file brought back to the top-left corner: "ab".
std::string Unmirrored(go::Loc loc, int mirror, int size = 19)
{
    const int x = mirror & 1 ? size + 1 - go::LocX(loc) : go::LocX(loc);
    const int y = mirror & 2 ? size + 1 - go::LocY(loc) : go::LocY(loc);
    return std::string{static_cast<char>('a' + x - 1), static_cast<char>('a' + y - 1)};
}

// The candidates as "kind point" words seen from the top-left, sorted
// (the order of points that score alike follows the board's rows).
std::string Candidates(const go::Problem& problem, int mirror)
{
    std::vector<std::string> words;
    for (const go::Candidate& c : problem.candidates)
        words.push_back(go::LetterOf(c.kind) + Unmirrored(c.at, mirror));
    std::sort(words.begin(), words.end());
    std::string text;
    for (const std::string& w : words)
        text += (text.empty() ? "" : " ") + w;
    return text;
}

// Each target string by its first point seen from the top-left: the main
// string, then the others sorted (their order means nothing).
std::string Targets(const go::Problem& problem, int mirror)
{
    std::vector<std::string> firsts;
    for (go::Loc t : problem.targets) {
        std::string first = "zz";
        problem.board.ForEachStone(t, [&](go::Loc s) { first = std::min(first, Unmirrored(s, mirror)); });
        firsts.push_back(first);
    }
    if (!firsts.empty())
        std::sort(firsts.begin() + 1, firsts.end());
    std::string text;
    for (const std::string& f : firsts)
        text += (text.empty() ? "" : " ") + f;
    return text;
}

// The board rows --pose draws, without the spaces and the SGF letters.
std::vector<std::string> Picture(const go::Problem& problem)
{
    std::vector<std::string> rows;
    std::string text = FormatPosed(problem), row;
    bool header = true;
    for (char c : text) {
        if (c != '\n') {
            row += c;
            continue;
        }
        if (row.rfind("X black", 0) == 0)
            break;
        if (!header) {
            row.erase(std::remove(row.begin(), row.end(), ' '), row.end());
            rows.push_back(row.substr(1));
        }
        header = false;
        row.clear();
    }
    return rows;
}

const std::vector<std::string> kBentThree = {"..OX", ".OOX", "OOXX", "XXX."};
const std::vector<std::string> kBentThreeBlack = {"..XO", ".XXO", "XXOO", "OOO."};

struct Case {
    const char* name;
    std::vector<std::string> rows;
    char toPlay;
    PoseOptions options;
    go::Player defender;
    go::Player first;
    const char* targets;
    const char* candidates;  // seen from the top-left corner, sorted
};

const Case kCases[] = {
    {"white defends, black kills", kBentThree, 'B', {}, go::Color::White, go::Color::Black, "ac",
     "faa fab fba"},
    {"black defends and lives", kBentThreeBlack, 'B', {}, go::Color::Black, go::Color::Black, "ac",
     "faa fab fba"},
    {"black defends, white kills", kBentThreeBlack, 'W', {}, go::Color::Black, go::Color::White, "ac",
     "faa fab fba"},
    {"no PL: Black plays", kBentThree, 0, {}, go::Color::White, go::Color::Black, "ac", "faa fab fba"},
    {"--live: the defender plays", kBentThree, 'B', {go::Goal::Live, {}}, go::Color::White,
     go::Color::White, "ac", "faa fab fba"},
    // A black stone in atari inside: its point comes back into play.
    {"stone in atari", {"X.OOX", "OOOXX", "XXXX."}, 'B', {}, go::Color::White, go::Color::Black, "ab",
     "fba maa"},
    // Room along the edge: the area, a ring open to both past it, the
    // attacker's blocks beyond the ring.
    {"room along the edge", {"...O....", "OOOOXX..", "XXXX....", "........"}, 'B', {},
     go::Color::White, go::Color::Black, "ab", "faa fba fca fea ffa zga"},
    // Targets: the main string and strings of three stones or more in its
    // area; a two-stone string may be given up.
    {"three stones are a target", {".O.OOO.X", "OO.O..XX", "...OXX..", "XXXX....", "........"}, 'B', {},
     go::Color::White, go::Color::Black, "da ab", ""},
    {"two stones may be given up", {"...OOO.X", "OO.O..XX", "...OXX..", "XXXX....", "........"}, 'B', {},
     go::Color::White, go::Color::Black, "da", ""},
    // To kill, a string as large as the main one is a target too, in every
    // corner: which of them is the main one says nothing.
    {"strings alike are targets", {"...O.X..", ".O..OOX.", "..OOXX.X", ".XXX....", "........"}, 'B', {},
     go::Color::White, go::Color::Black, "cc eb", ""},
    // A race inside a wall: both sides walled in, the stones cut off
    // inside and the group around them. The side to play takes the other's
    // stones, whichever has less room. Of White's strings alike in size,
    // the one nearest the corner is the main one, in every corner.
    {"race inside a wall, as much room each", {"XOOXO..", "XOOXO..", "...XO..", "XXXXO..", "OOOO...", "......."},
     'B', {}, go::Color::White, go::Color::Black, "ba", ""},
    {"race inside a wall, less room to play", {"XXX.O...", "O...O.X.", "..OOXX..", "OOXX....", ".X......", "..X....."},
     'B', {}, go::Color::White, go::Color::Black, "ad cc ea", ""},
    {"race inside a wall, White to play", {"XXX.O...", "O...O.X.", "..OOXX..", "OOXX....", ".X......", "..X....."},
     'W', {}, go::Color::Black, go::Color::White, "aa", ""},
    // An open fight: Black's stone below reaches the top group over points
    // both sides reach alike, so both areas run out; without those points
    // Black's group at the top is walled in.
    {"open fight", {"...XXX.X...", "..OX...XO..", "..OX..OXO..", "..OOO.OOO..", ".....X.....", "...........",
                    "..........."},
     'B', {}, go::Color::Black, go::Color::Black, "da", ""},
    // To live, only the main string counts: the book may give up the rest.
    {"the defender to play saves the main string", {".O.OOO.X", "OO.O..XX", "...OXX..", "XXXX....", "........"},
     'W', {}, go::Color::White, go::Color::White, "da", ""},
    // To live, four stones in atari that could take their way out are
    // given up for the three in the corner.
    {"the defender to play gives up a string in atari", {".X.XXO..", "XXOXXO..", "..XOOO..", ".OO.....", "........"},
     'B', {}, go::Color::Black, go::Color::Black, "ab", ""},
    // Not for two stones: the four are the problem's, to be saved.
    {"the defender to play saves a string in atari", {".X.XXO..", ".XOXXO..", "..XOOO..", ".OO.....", "........"},
     'B', {}, go::Color::Black, go::Color::Black, "da", ""},
};

TEST(SgfPose, PosesHandMadeProblemsInEveryCorner)
{
    for (const Case& c : kCases) {
        for (int mirror = 0; mirror < 4; ++mirror) {
            SCOPED_TRACE(std::string(c.name) + ", corner " + std::to_string(mirror));
            go::Problem problem;
            ASSERT_EQ(PosePlain(Source(c.rows, mirror, c.toPlay), c.options, problem), "");
            EXPECT_EQ(problem.defender, c.defender);
            EXPECT_EQ(problem.first, c.first);
            EXPECT_EQ(Targets(problem, mirror), c.targets);
            if (*c.candidates != '\0') {
                EXPECT_EQ(Candidates(problem, mirror), c.candidates);
            }
        }
    }
}

TEST(SgfPose, TargetsLeaveOutWhatTheAttackerTakesAtOnce)
{
    // White's two-stone string at the top is in atari with Black to play:
    // the book gives it up, the corner string is the problem.
    const std::vector<std::string> rows = {"XOOX...", "..OX...", "OOXX...", "XXX....", "......."};
    go::Problem problem;
    ASSERT_EQ(PosePlain(Source(rows, 0, 'B'), {}, problem), "");
    EXPECT_EQ(Targets(problem, 0), "ac");
    // With White to play it can still be saved: it is the problem then.
    ASSERT_EQ(PosePlain(Source(rows, 0, 'W'), {}, problem), "");
    EXPECT_EQ(problem.first, go::Color::White);
    EXPECT_EQ(Targets(problem, 0), "ba");
}

// Black plays first and defends in each: the strings the book gives up
// are no targets (one stone of each target string, from the top-left).
const struct {
    const char* name;
    std::vector<std::string> rows;
    const char* targets;
} kGivenUpCases[] = {
    // The four stones at the top stay in atari however they extend: the
    // book lives with the group below them.
    {"what cannot get out of atari", {"...XXO.", "X.OXXO.", ".XXOOO.", ".XO....", "OOO....", "......."}, "bc"},
    // The four stones at the top right get two liberties by extending at
    // ea, and White ataris again: the book lives with the five below.
    {"what extends to two liberties only",
     {".XO..XXO", "OXO..OXO", ".OXX.OXO", ".OX.XXO.", ".OXX..O.", "..OOO...", "........"},
     "cc"},
    // The four stones at the left could take two white stones to get out
    // of atari, but the book lives with the five at the top.
    {"what could take its way out of atari",
     {".OXX....", "XOXXXO.O", "XXO.OO..", "OXO.....", "OOO.....", "........"}, "ca"},
};

// Poses rows in each corner, Black first and defending, and hands the
// problem to check with its corner.
template <typename Check>
void InEachCorner(const char* name, const std::vector<std::string>& rows, Check check)
{
    for (int mirror = 0; mirror < 4; ++mirror) {
        SCOPED_TRACE(std::string(name) + ", corner " + std::to_string(mirror));
        go::Problem problem;
        ASSERT_EQ(PosePlain(Source(rows, mirror, 'B'), {}, problem), "");
        EXPECT_EQ(problem.defender, go::Color::Black);
        check(problem, mirror);
    }
}

TEST(SgfPose, TargetsLeaveOutWhatTheBookGivesUp)
{
    for (const auto& c : kGivenUpCases)
        InEachCorner(c.name, c.rows,
                     [&](const go::Problem& problem, int mirror) { EXPECT_EQ(Targets(problem, mirror), c.targets); });
}

// The kind of the candidate at a point seen from the top-left, '-' for none.
char KindAt(const go::Problem& problem, int mirror, const std::string& point)
{
    for (const go::Candidate& c : problem.candidates)
        if (Unmirrored(c.at, mirror) == point)
            return go::LetterOf(c.kind);
    return '-';
}

// Black defends in each: the kind of some points past the area.
const struct {
    const char* name;
    std::vector<std::string> rows;
    std::vector<std::string> kinds;  // "ab f": the kind at a point ('-' none)
} kKindCases[] = {
    // White's stone inside makes the corner White's by distance: ab lies
    // past the ring, yet all its empty neighbours are in the region, so
    // Black may live there; ad borders the open edge below and stays a block.
    {"blocks without outside neighbours are open to both",
     {"...X....", ".OX.XO..", "..XXO.O.", ".OOOO...", "........"},
     {"ab f", "ad z", "ae -"}},
    // Black lives by taking White's corner stones. ab, the last liberty of
    // aa and bb, touches nothing off the region: Black may play it at any
    // time. ad, the last liberty of ac (which touches no target, so it is
    // no cutting stone), borders the open edge below: Black plays it only
    // to take.
    {"the last liberty of a string to take is open when sealed",
     {"O......", ".OXXXO.", "O.X.XO.", ".OXXOO.", ".OOO...", "......."},
     {"ab f", "ad y", "aa m"}},
    // Black's corner stones are no target, but the targets join them by
    // taking ca's neighbours: their liberties aa and ac join the region,
    // else they would be liberties nobody fills and the targets would live.
    {"a weak string of the defender's next to the region brings its liberties",
     {".X.O...O", "XXO.XXXO", ".OXXXOOO", ".OOOO...", "........"},
     {"aa f", "ac f", "ab m"}},
    // White's stone at ea cuts into the targets with two liberties: the
    // book takes it, so the region is drawn around it and its liberties.
    // fa is open to both and the ring goes on past it; else fa is Black's
    // only to take with, and ga lies outside.
    {"the region is drawn around cutting stones",
     {".XO.O...", ".XXOXOO.", ".OXXXXO.", ".OOOOO..", "........", "........"},
     {"fa f", "ga f", "ha z"}},
    // Room for a long group along the top: a ring past it would bring the
    // region to 25 points, more than it is worth, so the attacker's blocks
    // stand right past the area.
    {"a large area gets blocks instead of a ring",
     {"............", "............", "XXXXXXXXX...", "OOOOOOOOOOO.", "........O..."},
     {"ia f", "ja z", "jb z", "ka -"}},
};

TEST(SgfPose, KindsPastTheArea)
{
    for (const auto& c : kKindCases)
        InEachCorner(c.name, c.rows, [&](const go::Problem& problem, int mirror) {
            for (const std::string& k : c.kinds)
                EXPECT_EQ(KindAt(problem, mirror, k.substr(0, 2)), k[3]) << k;
        });
}

// Room for seven stones along the top: the ring past it brings the region
// to 21 points. To live (Black first) that is worth it; to kill (White
// first) the attacker's blocks stand right past the area.
TEST(SgfPose, ToKillTheRingStaysSmaller)
{
    const std::vector<std::string> rows = {"..........", "..........", "XXXXXXX...", "OOOOOOOOO.",
                                           ".......O.."};
    const struct {
        char toPlay;
        std::vector<std::string> kinds;
    } goals[] = {{'B', {"ha f", "hb f", "ia z"}}, {'W', {"ha z", "hb z", "ia -"}}};
    for (const auto& g : goals)
        for (int mirror = 0; mirror < 4; ++mirror) {
            SCOPED_TRACE(std::string("to play ") + g.toPlay + ", corner " + std::to_string(mirror));
            go::Problem problem;
            ASSERT_EQ(PosePlain(Source(rows, mirror, g.toPlay), {}, problem), "");
            EXPECT_EQ(problem.defender, go::Color::Black);
            for (const std::string& k : g.kinds)
                EXPECT_EQ(KindAt(problem, mirror, k.substr(0, 2)), k[3]) << k;
        }
}

// One ring more room: the blocks open to both, the empty points next to
// the region (never a stone, never twice) become the new blocks, and the
// points already there keep their order and other kinds; and a second ring
// on the first.
TEST(SgfPose, MoreRoomOpensTheBlocksAndAddsARing)
{
    const struct {
        const char* name;
        std::vector<std::string> rows;
        char toPlay;
        const char* wider;
        const char* twoRings;
    } cases[] = {
        {"room along the edge", {"...O....", "OOOOXX..", "XXXX....", "........"}, 'B',
         "faa fba fca fea ffa fga zgb zha", "faa fba fca fea ffa fga fgb fha zgc zhb zia"},
        {"a closed eye space has none to add", kBentThree, 'B', "faa fab fba", "faa fab fba"},
    };
    for (const auto& c : cases)
        for (int mirror = 0; mirror < 4; ++mirror) {
            SCOPED_TRACE(std::string(c.name) + ", corner " + std::to_string(mirror));
            go::Problem posed;
            ASSERT_EQ(PosePlain(Source(c.rows, mirror, c.toPlay), {}, posed), "");
            const go::Problem wider = WithMoreRoom(posed);
            EXPECT_EQ(Candidates(wider, mirror), c.wider);
            ASSERT_GE(wider.candidates.size(), posed.candidates.size());
            for (std::size_t k = 0; k < posed.candidates.size(); ++k) {
                EXPECT_EQ(wider.candidates[k].at, posed.candidates[k].at);
                if (posed.candidates[k].kind != go::Kind::Z) {
                    EXPECT_EQ(wider.candidates[k].kind, posed.candidates[k].kind);
                }
            }
            EXPECT_EQ(Candidates(WithMoreRoom(wider), mirror), c.twoRings);
        }
}

// With a ring more room, an attacker string next to the region with at
// most two liberties off it may be taken: the book lives by taking White's
// eb, whose one liberty off the region is then fb; the wall below, with
// many, stays safe. Along the edge, Black's eb and fb have two liberties
// off the region past the ring, and White, to take them, fills gb: that
// block opens to both.
TEST(SgfPose, WeakFrameOpensToCapture)
{
    const struct {
        const char* name;
        std::vector<std::string> rows;
        char toPlay;
        std::vector<std::string> kinds;
    } cases[] = {
        {"one liberty off", {".X......", ".XO.O...", "XXO..O..", "OXXXXO..", "OOOOO...", "........"}, 'B',
         {"eb m", "fb f", "fc -", "gc -", "ae -"}},
        {"two liberties off", {"...O....", "OOOOXX..", "XXXX....", "........"}, 'B',
         {"eb m", "fb m", "ec f", "fc f", "gb f", "gc -"}},
    };
    for (const auto& c : cases)
        for (int mirror = 0; mirror < 4; ++mirror) {
            SCOPED_TRACE(std::string(c.name) + ", corner " + std::to_string(mirror));
            go::Problem posed;
            ASSERT_EQ(PosePlain(Source(c.rows, mirror, c.toPlay), {}, posed), "");
            ASSERT_EQ(KindAt(posed, mirror, "eb"), '-');
            const go::Problem opened = WithWeakFrameOpen(WithMoreRoom(posed));
            for (const std::string& k : c.kinds)
                EXPECT_EQ(KindAt(opened, mirror, k.substr(0, 2)), k[3]) << k;
        }
}

TEST(SgfPose, DrawsTargetsSafeFrameAndCandidatesOnTheFilesBoard)
{
    go::Problem problem;
    ASSERT_EQ(PosePlain(Source(kBentThree, 3, 'B'), {}, problem), "");
    // The bottom-right corner as the file has it: the letters in list order.
    EXPECT_EQ(Picture(problem), (std::vector<std::string>{".###", "##@@", "#@@b", "#@ca"}));
    const std::string text = FormatPosed(problem);
    EXPECT_NE(text.find("a: f (19, 19), file ss\n"), std::string::npos) << text;
    EXPECT_NE(text.find("@ targets (White defends), # safe (Black)"), std::string::npos) << text;
    EXPECT_EQ(text.substr(text.size() - 14), "start to kill\n");
}

TEST(SgfPose, Refusals)
{
    const struct {
        std::vector<std::string> rows;
        PoseOptions options;
        const char* error;
    } refusals[] = {
        {{"", "", "", "....X.O"}, {}, "cannot tell attacker from defender"},
        {{"OOO"}, {}, "cannot tell attacker from defender"},
        // --defender cannot make the wall the problem.
        {kBentThree, {{}, go::Color::Black}, "the defender (Black) is not walled in"},
        // A wide open side: more room than the reader reads.
        {{"......O.......X", "......O.......X", "......O.......X", "OOOOOOO.......X", "..............X",
          "XXXXXXXXXXXXXXX"},
         {},
         "region has 60 points (at most 40)"},
    };
    for (const auto& r : refusals) {
        go::Problem problem;
        EXPECT_EQ(PosePlain(Source(r.rows, 0, 'B'), r.options, problem), r.error);
    }
}

TEST(SgfPose, ComesOntoTheTableBoardWhenItFits)
{
    // Bottom-right, Black defends: mirrored to the top-left, colours swapped.
    go::Problem posed;
    ASSERT_EQ(PosePlain(Source(kBentThreeBlack, 3, 'B'), {}, posed), "");
    KovraProblem table;
    ASSERT_EQ(ToTableProblem(posed, true, table), "");
    EXPECT_EQ(table.symmetry, 3);
    EXPECT_TRUE(table.swapped);
    EXPECT_TRUE(table.live);
    EXPECT_EQ(table.At(3, 1), go::Color::White);  // the defender is Kovra's White
    EXPECT_EQ(table.At(4, 1), go::Color::Black);
    ASSERT_EQ(table.moves.size(), posed.candidates.size());
    for (std::size_t i = 0; i < table.moves.size(); ++i)
        EXPECT_EQ(table.FileLoc(table.moves[i].at), posed.candidates[i].at);
    // And back: the same problem on the file's board.
    const go::Problem back = OnFileBoard(table);
    EXPECT_EQ(back.defender, posed.defender);
    EXPECT_EQ(back.first, posed.first);
    EXPECT_EQ(back.board.Hash(), posed.board.Hash());

    // On a larger board a posed problem's far sides are open: a stone on
    // the window's last line would lose the liberties past it.
    go::Problem wide = posed;
    wide.board.SetStone(go::MakeLoc(9, 19), go::Color::White);
    EXPECT_EQ(ToTableProblem(wide, true, table), "does not fit an 11x11 corner");
    EXPECT_EQ(ToTableProblem(wide, false, table), "");
    wide.candidates.resize(16, posed.candidates[0]);
    EXPECT_EQ(ToTableProblem(wide, false, table), "16 candidates (at most 15)");
}

TEST(SgfPose, FirstPlayerAsTheFileSaysIt)
{
    SgfSource source;
    EXPECT_EQ(FirstPlayer(source), go::Color::Black);
    source.comment = "White to live.";
    EXPECT_EQ(FirstPlayer(source), go::Color::White);
    source.toPlay = 'B';
    EXPECT_EQ(FirstPlayer(source), go::Color::Black);
}

}  // namespace
