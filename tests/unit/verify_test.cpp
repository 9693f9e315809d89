// Verification games: one table of games set up by hand (position, move
// list, the last run's verdict and the result-table cells it would have
// stored), played by commands and clicks, with every status text, the
// probes' prints and the board afterwards.
#include <gtest/gtest.h>

#include "group_checks.h"
#include "test_support.h"

namespace {

struct Cell {
    int side;  // kBlackToMove or kWhiteToMove
    int key;   // base 3, entry 0 the highest digit: 0 empty, 1 black, 2 white
    int code;
};

struct Game {
    const char* what;
    Rows rows;               // the position, its groups built
    std::vector<Entry> entries;
    int result;              // the last solver run: its result and side
    char side;
    std::vector<Cell> cells;
    int fill;                // history entries before the game
    const char* commands;    // 'a' Attack, 'd' Defend
    std::vector<CPoint> clicks;
    Rows status;             // every status text from the first command on
    const char* out;         // standard output: the white-to-move probes
    const char* top;         // row 1 afterwards
    int hist;                // the history length afterwards
};

// Three candidates on an empty top row: a white stone on (1,1), (3,1) or
// (5,1) gives the key 18, 6 or 2, a black one 9, 3 or 1.
const std::vector<Entry> kThree = {{'f', 1, 1}, {'f', 3, 1}, {'m', 5, 1}};
const char* const kEmptyRow = "...........";

const Game kGames[] = {
    // ---- the start and the system's opening move
    {"attack after kill: the user moves first", {}, kThree, kLife, 'b', {{1, 18, 8}}, 2, "a", {},
     {"attack"}, "", kEmptyRow, 2},
    {"attack after live: a pass, then the first f entry stored as life", {}, kThree, kLife, 'w',
     {{1, 18, 0}, {1, 6, 8}, {1, 2, 8}}, 1, "a", {}, {"attack"}, "", "..O........", 3},
    {"only empty f entries open", {"X"}, kThree, kLife, 'w', {{1, 11, 8}, {1, 18, 8}}, 0, "a", {},
     {"attack"}, "", "X..........", 1},
    {"defend after live: Black's pass only", {}, kThree, kDeath, 'w', {{2, 9, 9}}, 0, "d", {},
     {"defend"}, "", kEmptyRow, 1},
    {"defend after kill: each opening probe is printed", {}, kThree, kDeath, 'b', {{2, 3, 9}, {1, 9, 9}},
     0, "d", {}, {"defend"}, "W3: 1, movN: 1, bit2a:      9, r:01W3: 1, movN: 1, bit2a:      3, r:91",
     "..X........", 1},
    {"a ko verdict takes a stored ko", {}, kThree, kKo, 'b', {{2, 9, 7}, {2, 3, 9}}, 0, "d", {},
     {"defend"}, "W3: 1, movN: 1, bit2a:      9, r:71", "X..........", 1},
    {"a life verdict passes a stored ko by", {}, {{'f', 1, 1}, {'f', 3, 1}}, kLife, 'w',
     {{1, 6, 7}, {1, 2, 8}}, 0, "a", {}, {"attack"}, "", "..O........", 2},
    {"a ko verdict opens on the first ko", {}, {{'f', 1, 1}, {'f', 3, 1}}, kKo, 'w',
     {{1, 6, 7}, {1, 2, 8}}, 0, "a", {}, {"attack"}, "", "O..........", 2},
    {"no acceptable opening", {}, kThree, kDeath, 'b', {{2, 9, 7}, {2, 3, 8}}, 0, "d", {}, {"defend"},
     "W3: 1, movN: 1, bit2a:      9, r:71W3: 1, movN: 1, bit2a:      3, r:81", kEmptyRow, 0},
    {"starting again passes again and opens on a still empty point", {}, kThree, kLife, 'w',
     {{1, 18, 8}, {1, 24, 8}}, 0, "aa", {}, {"attack", "attack"}, "", "O.O........", 4},
    {"a full history: no pass, no opening", {}, kThree, kLife, 'w', {{1, 18, 8}}, kHistorySize, "a",
     {}, {"attack"}, "", kEmptyRow, kHistorySize},
    {"one slot left: the pass takes it", {}, kThree, kLife, 'w', {{1, 18, 8}}, kHistorySize - 1, "a",
     {}, {"attack"}, "", kEmptyRow, kHistorySize},
    {"attack refused after death", {}, kThree, kDeath, 'w', {{1, 18, 8}}, 0, "a", {{2, 2}},
     {"you can't try to attack"}, "", kEmptyRow, 0},
    {"attack refused after a suicide verdict", {}, kThree, kIllegal, 'b', {}, 0, "a", {{2, 2}},
     {"you can't try to attack"}, "", kEmptyRow, 0},
    {"defend refused after life", {}, kThree, kLife, 'b', {}, 0, "d", {{2, 2}},
     {"you can't try to defend"}, "", kEmptyRow, 0},
    // ---- the replies to the user's clicks
    {"White answers with the first entry stored as life", {}, kThree, kLife, 'b',
     {{1, 18, 0}, {1, 6, 8}, {1, 2, 8}}, 0, "a", {{9, 9}}, {"attack", "my move ( 1, 3)"}, "",
     "..O........", 2},
    {"my move gives the row first", {}, {{'m', 10, 2}}, kLife, 'b', {{1, 2, 8}}, 0, "a", {{1, 1}},
     {"attack", "my move ( 2,10)"}, "", "X..........", 2},
    {"White passes where the position is stored as life", {}, kThree, kLife, 'b',
     {{2, 0, 8}, {1, 2, 7}}, 0, "a", {{9, 9}, {10, 10}}, {"attack", "pass..", "pass.."}, "", kEmptyRow, 2},
    {"White without an answer cannot live", {}, kThree, kLife, 'b', {{1, 2, 7}, {1, 6, 9}}, 0, "a",
     {{9, 9}}, {"attack", "can't live / unexpected move"}, "", kEmptyRow, 1},
    {"Black never passes", {}, kThree, kDeath, 'w', {{1, 0, 8}}, 0, "d", {{9, 9}},
     {"defend", "can't kill / unexpected move"},
     "W3: 3, movN: 3, bit2a:      9, r:01W3: 3, movN: 3, bit2a:      3, r:01W3: 3, movN: 3, bit2a:      1, r:01",
     kEmptyRow, 2},
    {"a ko is taken where the position is stored as ko", {}, kThree, kLife, 'b',
     {{2, 0, 7}, {1, 18, 7}, {1, 6, 8}}, 0, "a", {{9, 9}}, {"attack", "my move ( 1, 1)"}, "",
     "O..........", 2},
    {"a ko verdict does not matter to the replies", {}, kThree, kKo, 'b', {{2, 0, 8}, {1, 18, 7}, {1, 6, 8}},
     0, "a", {{9, 9}}, {"attack", "my move ( 1, 3)"}, "", "..O........", 2},
    {"Black refuses a stored ko when the position is not ko", {}, {{'f', 1, 1}}, kKo, 'w', {{2, 1, 7}}, 0,
     "d", {{9, 9}}, {"defend", "can't kill / unexpected move"}, "W3: 3, movN: 3, bit2a:      1, r:71",
     kEmptyRow, 2},
    {"Black takes a stored ko when the position is ko", {}, {{'f', 1, 1}}, kKo, 'w', {{2, 1, 7}, {1, 0, 7}},
     0, "d", {{9, 9}}, {"defend", "my move ( 1, 1)"}, "W3: 3, movN: 3, bit2a:      1, r:71",
     "X..........", 3},
    {"a white y entry only takes", {"X.", "O."}, {{'y', 5, 5}, {'y', 2, 1}, {'f', 9, 1}}, kLife, 'b',
     {{1, 18, 8}, {1, 6, 8}, {1, 2, 8}}, 0, "a", {{9, 9}}, {"attack", "my move ( 1, 2)"}, "",
     ".O.........", 2},
    {"a white y entry without an atari is not tried", {"X."}, {{'y', 5, 5}, {'y', 2, 1}, {'f', 9, 1}},
     kLife, 'b', {{1, 18, 8}, {1, 6, 8}, {1, 2, 8}}, 0, "a", {{9, 9}}, {"attack", "my move ( 1, 9)"}, "",
     "X.......O..", 2},
    {"a black z entry only touches White", {"O."}, {{'z', 5, 5}, {'z', 2, 1}, {'f', 9, 1}}, kDeath, 'w',
     {{2, 9, 9}, {2, 3, 9}, {2, 1, 9}}, 0, "d", {{9, 9}}, {"defend", "my move ( 1, 2)"},
     "W3: 3, movN: 3, bit2a:      3, r:91", "OX.........", 3},
    {"a white z entry has no condition", {}, {{'z', 5, 5}}, kLife, 'b', {{1, 2, 8}}, 0, "a", {{9, 9}},
     {"attack", "my move ( 5, 5)"}, "", kEmptyRow, 2},
    {"a black y entry has no condition", {}, {{'y', 5, 5}}, kDeath, 'w', {{2, 1, 9}}, 0, "d", {{9, 9}},
     {"defend", "my move ( 5, 5)"}, "W3: 3, movN: 3, bit2a:      1, r:91", kEmptyRow, 3},
    {"the user's capture is gone before the reply is sought", {"O.", "X."}, {{'m', 1, 1}, {'f', 3, 1}},
     kLife, 'b', {{2, 0, 7}, {2, 6, 8}, {1, 2, 7}}, 0, "a", {{2, 1}}, {"attack", "my move ( 1, 3)"}, "",
     ".XO........", 2},
    {"an illegal user stone stays and is answered", {".O", "O."}, {{'f', 3, 1}}, kLife, 'b', {{1, 2, 8}},
     0, "a", {{1, 1}}, {"attack", "my move ( 1, 3)"}, "", "XOO........", 2},
    {"clicks on stones or off the board are ignored", {}, kThree, kLife, 'b', {{1, 6, 8}}, 0, "a",
     {{9, 9}, {9, 9}, {3, 1}, {0, 5}, {12, 3}, {4, 0}, {5, 12}}, {"attack", "my move ( 1, 3)"}, "",
     "..O........", 2},
    {"a full history refuses the click", {}, kThree, kLife, 'b', {{1, 18, 8}}, kHistorySize, "a", {{9, 9}},
     {"attack", "history full"}, "", kEmptyRow, kHistorySize},
    {"the last slot takes the user's stone and no reply", {}, kThree, kLife, 'b', {{1, 18, 8}, {2, 0, 8}},
     kHistorySize - 1, "a", {{9, 9}}, {"attack", "pass.."}, "", kEmptyRow, kHistorySize},
    {"the last slot after Defend's pass", {}, {{'f', 1, 1}}, kDeath, 'w', {{2, 1, 9}}, kHistorySize - 2,
     "d", {{9, 9}}, {"defend", "can't kill / unexpected move"}, "", kEmptyRow, kHistorySize},
    {"a defend game prints every white-to-move probe", {".O..OX", "OOOOOX", "XXXXXX"},
     {{'f', 3, 1}, {'f', 4, 1}, {'m', 1, 1}}, kDeath, 'b', {{2, 3, 9}, {2, 12, 9}}, 0, "d",
     {{1, 1}, {5, 1}}, {"defend", "my move ( 1, 3)", "can't kill / unexpected move"},
     "W3: 1, movN: 1, bit2a:      9, r:01W3: 1, movN: 1, bit2a:      3, r:91"
     "W3: 3, movN: 3, bit2a:     12, r:91W3: 4, movN: 5, bit2a:     13, r:01",
     "..XXOX.....", 4},
};

}  // namespace

TEST(Verify, GamesGiveTheirTextsProbesAndBoard)
{
    for (const Game& g : kGames) {
        SCOPED_TRACE(g.what);
        ViewHarness h;
        CKovraView& v = h.view();
        SetPosition(v, g.rows);
        for (const Entry& e : g.entries)
            v.AppendMoveEntry(e.kind, e.x, e.y);
        v.m_solverResult = g.result;
        v.m_solverSide = g.side;
        for (const Cell& c : g.cells)
            v.StoreResult(c.side, c.key, c.code);
        FillHistory(v, g.fill);
        testing::internal::CaptureStdout();
        for (const char* c = g.commands; *c; ++c)
            *c == 'a' ? v.OnAttack() : v.OnDefend();
        for (const CPoint& p : g.clicks)
            v.OnVerifyClick(p.x, p.y);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), g.out);
        EXPECT_EQ(h.frame.status, g.status);
        EXPECT_EQ(BoardRows(v)[0], g.top);
        EXPECT_EQ(v.m_histCount, g.hist);
        EXPECT_EQ(GroupSetFault(v), "");
    }
}

TEST(Verify, AStaleBoardIsRegroupedBeforeTheOpening)
{
    // Stones edited in after the last grouping: Defend rebuilds the groups,
    // so the opening move takes the white stone.
    ViewHarness h;
    CKovraView& v = h.view();
    v.PushHistory('w', 1, 1);
    v.PushHistory('b', 1, 2);
    SetBoard(v, {"O.", "X."});
    v.m_groupsStale = 1;
    v.AppendMoveEntry('f', 2, 1);
    v.AppendMoveEntry('m', 1, 1);
    v.StoreResult(kWhiteToMove, 3, kDeath);
    v.m_solverResult = kDeath;
    v.m_solverSide = 'b';
    testing::internal::CaptureStdout();
    v.OnDefend();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "W3: 1, movN: 3, bit2a:      3, r:91");
    EXPECT_EQ(Region(v, 2, 2), ".X/X.|.1/2.");
    EXPECT_EQ(v.m_groupsStale, 0);
}
