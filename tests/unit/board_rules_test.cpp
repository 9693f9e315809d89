// The rules of the board: one table of positions before and after a move
// (board, group map, verdict), the whole-board grouping, the full group
// table, and random games checked move by move against independent
// references: a flood fill, the search's bit-set groups, and a fresh key.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <random>

#include "board/group_table.h"
#include "group_checks.h"
#include "solver/search_line.h"
#include "solver/search_set.h"
#include "test_support.h"

namespace {

struct Move {
    char kind;  // 'b' or 'w'
    int x;
    int y;
};

struct RuleCase {
    const char* what;
    Rows before;              // groups built from the board, as a target click does
    std::vector<Move> moves;  // played in turn; the verdict is the last one's
    int verdict;
    int captureFlag;
    const char* after;        // Region() of the rows and columns of before
    int count;                // the group count afterwards
    int fullTexts;            // how often the full group table was reported
};

// Fifteen single black stones: rows 1 and 3 hold six each, row 5 three.
const Rows kFifteen = {"X.X.X.X.X.X", "...........", "X.X.X.X.X.X", "...........", "X.X.X......"};

const RuleCase kRules[] = {
    {"an empty neighbour decides, yet the stone still takes",
     {"O.", "X."}, {{'b', 2, 1}}, 0, 0, ".X/X.|.1/2.", 2, 0},
    {"into an eye of stones that keep other liberties: suicide",
     {".O", "O."}, {{'b', 1, 1}}, kIllegal, 0, ".O/O.|.1/2.", 2, 0},
    {"filling the last liberty of own groups that take nothing: suicide",
     {".XO", "XO.", "O.."}, {{'b', 1, 1}}, kIllegal, 0, ".XO/XO./O..|.12/34./5..", 5, 0},
    {"a join counts the new point's neighbours as liberties",
     {".XO", "O.O", ".O."}, {{'b', 2, 2}}, 2, 0, ".XO/OXO/.O.|.12/312/.4.", 4, 0},
    {"the join above decides first: no capture flag, the stone below is still taken",
     {".XO.", "O.O.", "XOX.", ".X.."}, {{'b', 2, 2}}, 2, 0, ".XO./OXO./X.X./.X..|.12./312./4.6./.5..", 6, 0},
    {"the capture above decides first",
     {"XOX.", "O.O.", ".XO."}, {{'b', 2, 2}}, 1, 1, "X.X./OXO./.XO.|1.3./425./.25.", 5, 0},
    {"an immediate retake is legal for the board",
     {".XO.", "XO.O", ".XO."}, {{'b', 3, 2}, {'w', 2, 2}}, 1, 1, ".XO./XO.O/.XO.|.12./34.5/.67.", 7, 0},
    {"a capture frees its slot and the top group moves down into it",
     {"OX.........", ".X.........", "....O......", "...........", "......X....", "......X...."},
     {{'b', 1, 2}}, 0, 0, ".X........./XX........./....O....../.........../......X..../......X....|.2........./22........./....3....../.........../......1..../......1....", 3, 0},
    {"four groups join into the smallest id; compaction stops at a group with no hole below",
     {"X.O..", "X.X.O", "XX.X.", "..X..", "O...."}, {{'b', 3, 3}}, 3, 0, "X.O../X.X.O/XXXX./..X../O....|1.2../1.1.4/1111./..1../3....", 6, 0},
    {"after the join a lone stone opens count + 1 and fills no hole",
     {"X.O..", "X.X.O", "XX.X.", "..X..", "O...."}, {{'b', 3, 3}, {'b', 5, 5}}, 0, 0, "X.O../X.X.O/XXXX./..X../O...X|1.2../1.1.4/1111./..1../3...7", 7, 0},
    {"joining three and five moves six into five",
     {"X.X.X.X", ".......", "....X..", ".......", "O......"}, {{'b', 5, 2}}, 0, 0, "X.X.X.X/....X../....X../......./O......|1.2.3.4/....3../....3../......./5......", 5, 0},
    {"two groups taken before any join",
     {".OX", "OX.", "X.."}, {{'b', 1, 1}}, 1, 1, "X.X/.X./X..|1.2/.4./3..", 4, 0},
    {"a sixteenth group: the stone stays outside every group",
     kFifteen, {{'w', 11, 2}}, 0, 0, "X.X.X.X.X.X/..........O/X.X.X.X.X.X/.........../X.X.X......|1.2.3.4.5.6/.........../7.8.9.a.b.c/.........../d.e.f......", 15, 1},
    {"a full table still lets a stone join",
     kFifteen, {{'w', 11, 2}, {'b', 1, 2}}, 0, 0, "X.X.X.X.X.X/X.........O/X.X.X.X.X.X/.........../X.X.X......|1.2.3.4.5.6/1........../1.8.9.a.b.c/.........../d.e.7......", 14, 1},
    {"a full table: the capture is made and compaction still runs",
     {"O...X.X.X.X", "X..........", "...........", "X.X.X.X.X.X", "...........", "X.X........",
      "...........", "X.........."},
     {{'b', 2, 1}}, 0, 0, ".X..X.X.X.X/X........../.........../X.X.X.X.X.X/.........../X.X......../.........../X..........|....2.3.4.5/6........../.........../7.8.9.a.b.c/.........../d.e......../.........../1..........", 14, 1},
};

}  // namespace

TEST(Rules, MovesGiveTheirVerdictBoardAndGroups)
{
    for (const RuleCase& c : kRules) {
        SCOPED_TRACE(c.what);
        ViewHarness h;
        CKovraView& v = h.view();
        SetPosition(v, c.before);
        int verdict = 0;
        for (const Move& m : c.moves)
            verdict = PlayMove(v, m.kind, m.x, m.y);
        const int rows = static_cast<int>(c.before.size());
        const int columns = static_cast<int>(c.before[0].size());
        EXPECT_EQ(verdict, c.verdict);
        EXPECT_EQ(v.m_captureFlag, c.captureFlag);
        EXPECT_EQ(Region(v, rows, columns), c.after);
        EXPECT_EQ(v.m_groupCount, c.count);
        EXPECT_EQ(std::count(h.frame.status.begin(), h.frame.status.end(), kGroupTableFull), c.fullTexts);
        EXPECT_EQ(GroupSetFault(v, true), "");
    }
}

// ---- the whole-board grouping ---------------------------------------------

TEST(BuildGroups, ShapesGetOneIdPerGroupAndCompactedIds)
{
    const struct {
        Rows board;
        const char* groups;  // the group map of the board's rows and columns
    } shapes[] = {
        // a U: its arms' labels meet at the bottom and the smaller survives
        {{"X.X", "X.X", "XXX"}, "1.1/1.1/111"},
        // label 3 joins 2 in row 2, then 2 joins 1 in row 4
        {{"X.X.X", "X.XXX", "X...X", "XXXXX"}, "1.1.1/1.111/1...1/11111"},
        // labels 1, 2, 3; 2 joins 1 in row 2; compaction moves 3 down to 2
        {{"X.X.X", "XXX.X"}, "1.1.2/111.2"},
        {{"X.X.X.X", "X.X.X.X", "XXXXXXX"}, "1.1.1.1/1.1.1.1/1111111"},
        {{"XXXXXXX", "......X", "XXXXX.X", "X...X.X", "X.XXX.X", "X.....X", "XXXXXXX"},
         "1111111/......1/11111.1/1...1.1/1.111.1/1.....1/1111111"},
        {{"X.XXXXX", "X.X...X", "X.X.X.X", "X.X.X.X", "X...X.X", "XXXXX.X"},
         "1.22222/1.2...2/1.2.1.2/1.2.1.2/1...1.2/11111.2"},
        {{".X.X..XXX", "XXOX..X.X", ".XXX..XXX"}, ".1.1..333/1121..3.3/.111..333"},
        {{"XO...", "XXO..", ".XXO.", "..XXO", "...XX"}, "12.../113../.114./..115/...11"},
    };
    for (const auto& s : shapes) {
        ViewHarness h;
        CKovraView& v = h.view();
        SetPosition(v, s.board);
        SCOPED_TRACE(s.groups);
        const std::string region = Region(v, int(s.board.size()), int(s.board[0].size()));
        EXPECT_EQ(region.substr(region.find('|') + 1), s.groups);
        EXPECT_EQ(ConnectedGroupingFault(v.Board(), v.GroupMap()), "");
        EXPECT_EQ(GroupSetFault(v), "");
        EXPECT_TRUE(h.frame.status.empty());
    }
}

TEST(BuildGroups, ASixteenthLabelIsReportedOnceAndItsStonesStayUngrouped)
{
    ViewHarness h;
    CKovraView& v = h.view();
    // (7,5) needs label 16, (8,5) would take its label, (10,5) and (7,6)
    // need new ones: all four stay out of every group.
    SetPosition(v, {"X.X.X.X.X.X", "...........", "X.X.X.X.X.X", "...........", "X.X.X.XX.X.",
                    "......X...."});
    EXPECT_EQ(h.frame.status, Rows{kGroupTableFull});
    EXPECT_EQ(Region(v, 6, 11).substr(72), "1.2.3.4.5.6/.........../7.8.9.a.b.c/.........../d.e.f....../...........");
    EXPECT_EQ(GroupSetFault(v, true), "");
    // A U whose arms take labels 1 and 2 and 14 single stones: 15 groups
    // need 16 labels, so the last stone stays unlabelled.
    SetBoard(v, {"X.X.X.X.X.X", "XXX........", "....X.X.X.X", "...........", "X.X.X.X.X.X"});
    v.BuildGroups();
    EXPECT_EQ(v.m_groupMap[5][11], 0);
    EXPECT_EQ(v.m_groupMap[5][9], 15);
}

TEST(BuildGroups, RandomBoardsMatchAFloodFill)
{
    ViewHarness h;
    CKovraView& v = h.view();
    std::mt19937 random(7u);
    int checked = 0;
    for (int round = 0; round < 400; ++round) {
        v.ResetPosition();
        const int size = 3 + round % 6;
        const unsigned density = 2 + round % 3;  // one point in density stays empty
        for (int y = 1; y <= size; ++y)
            for (int x = 1; x <= size; ++x)
                v.m_board[y][x] = random() % density == 0 ? kEmpty : (random() & 1) ? kBlack : kWhite;
        h.frame.status.clear();
        v.RebuildGroups();
        if (!h.frame.status.empty())
            continue;  // needed a 16th label: tested above
        ++checked;
        SCOPED_TRACE("round " + std::to_string(round));
        ASSERT_EQ(ConnectedGroupingFault(v.Board(), v.GroupMap()), "");
        ASSERT_EQ(GroupSetFault(v), "");
    }
    EXPECT_GT(checked, 200);
}

// ---- random games ---------------------------------------------------------

namespace {

// Empty when the search's set holds the view's group set; else the first
// difference.
std::string DifferenceFromView(CKovraView& v, const CSearchSet& set)
{
    if (set.count != v.m_groupCount)
        return "count " + std::to_string(set.count) + " != " + std::to_string(v.m_groupCount);
    unsigned used = 0;
    for (int i = 0; i < kCells; ++i) {
        const std::int32_t g = v.GroupMap()[i];
        if (set.board[i] != v.Board()[i] || set.GroupAt(i) != (g > 0 ? g : 0))
            return "board or group at cell " + std::to_string(i);
        const bool open = (set.open & kPointTables.cellBit[i]) != 0;
        if (kPointTables.cellBit[i] != 0 && open != (g == 0))
            return "open at cell " + std::to_string(i);
        if (g > 0)
            used |= 1u << g;
    }
    if (set.usedSlots != used)
        return "ids in use";
    for (int g = 1; g <= set.count; ++g) {
        CPointBits stones = 0;
        CPointBits reach = 0;
        for (int k = 0; k < v.m_groupStones[g].GetCount(); ++k) {
            stones |= kPointTables.cellBit[v.m_groupStones[g].Cell(k)];
            reach |= kPointTables.nextTo[v.m_groupStones[g].Cell(k)];
        }
        if (set.color[g] != v.m_groupColor[g] || set.groups[g].stones != stones ||
            set.groups[g].reach != reach)
            return "group " + std::to_string(g);
        if (set.SoleLiberty(g) != v.FindSoleLiberty(g, v.GroupMap(), v.m_groupStones))
            return "liberties of group " + std::to_string(g);
    }
    return "";
}

// Fifteen 'm' entries on random points of the top-left size x size corner;
// the last repeats the first, so that one point weighs for two entries.
void EnterRandomPoints(CKovraView& v, std::mt19937& random, int size)
{
    v.m_moveCount = 0;
    v.m_moveBlack = v.m_moveWhite = 0;
    for (int i = 0; i < kMaxMoves - 1; ++i)
        v.AppendMoveEntry('m', 1 + int(random() % size), 1 + int(random() % size));
    v.AppendMoveEntry('m', v.m_moveX[0], v.m_moveY[0]);
    WeighPoints(v);
}

// Plays the stone on the set as a search node does and carries the key as
// the search does: the key received from the parent, less what is taken.
// Returns -1 for suicide (nothing changes), else 0; counts the takings.
int PlayOnSet(CKovraView& v, CSearchSet& set, int x, int y, unsigned char c, bool* captured,
              std::int32_t* key, int* takings)
{
    const int cell = CellIndex(x, y);
    int entry = -1;  // a point off the move list adds nothing, as a pass
    for (int i = 0; i < v.m_moveCount && entry < 0; ++i)
        if (v.m_moveCell[i] == cell)
            entry = i;
    v.m_ply = 1;
    v.m_keyAtPly[1] = *key;
    const std::int32_t received = ReceivedKey(v, entry, c, set.board);
    set.board[cell] = c;
    CNeighbourTable table;
    *captured = false;
    set.FillNeighbours(cell, table);
    if (!set.HasEmptyNeighbour(cell) && set.Judge(table, captured) == kIllegal) {
        set.board[cell] = kEmpty;
        return kIllegal;
    }
    set.FindCaptures(table);
    *key = KeyAfterCaptures(v, received, set.board, table.stones);
    *takings += table.stones != 0;
    set.Place(cell, table, v);
    return 0;
}

long FullTableTexts(const RecordingFrame& frame)
{
    return std::count(frame.status.begin(), frame.status.end(), kGroupTableFull);
}

}  // namespace

TEST(RandomGames, ViewSearchSetAndKeysAgreeAfterEveryMove)
{
    ViewHarness h;
    CKovraView& v = h.view();
    std::unique_ptr<CKovraView> fresh(new CKovraView);
    std::unique_ptr<CSearchSet> set(new CSearchSet);
    std::mt19937 random(20261206u);
    int captures = 0;  // takings by a stone without an empty neighbour
    int takings = 0;
    int suicides = 0;
    int compared = 0;
    long fullTable = 0;
    for (int game = 0; game < 200; ++game) {
        v.ResetPosition();
        v.m_groupCount = 0;
        const int size = 3 + game % 9;
        EnterRandomPoints(v, random, size);
        set->Load(v.Board(), v.GroupMap(), v.m_groupColor, v.m_groupStones, v.m_groupCount);
        std::int32_t key = 0;
        for (int attempt = 0; attempt < 300; ++attempt) {
            const int x = 1 + static_cast<int>(random() % size);
            const int y = 1 + static_cast<int>(random() % size);
            const unsigned char c = (random() & 1) ? kBlack : kWhite;
            if (v.m_board[y][x] != kEmpty)
                continue;
            if (v.m_histCount >= kHistorySize - 1)
                v.m_histCount = 0;  // the stress is on the groups, not the history
            SCOPED_TRACE("game " + std::to_string(game) + " move " + std::to_string(attempt));
            const long textsBefore = FullTableTexts(h.frame);
            bool captured = false;
            const int onSet = PlayOnSet(v, *set, x, y, c, &captured, &key, &takings);
            const long textsOnSet = FullTableTexts(h.frame) - textsBefore;
            const int onView = PlayMove(v, c == kBlack ? 'b' : 'w', x, y);
            ASSERT_EQ(onSet == kIllegal, onView == kIllegal);
            ASSERT_EQ(FullTableTexts(h.frame) - textsBefore, 2 * textsOnSet);
            fullTable += textsOnSet;
            if (onView == kIllegal) {
                ++suicides;
            } else {
                ASSERT_EQ(captured, v.m_captureFlag != 0);
                captures += captured;
                const int g = v.m_groupMap[y][x];
                ASSERT_TRUE(g == 0 || v.FindSoleLiberty(g, v.GroupMap(), v.m_groupStones) != 0);
            }
            ASSERT_EQ(DifferenceFromView(v, *set), "");
            ASSERT_EQ(key, v.KeyOfBoard(set->board));
            std::uint32_t black = 0;
            std::uint32_t white = 0;
            for (int i = 0; i < kMaxMoves; ++i) {
                black = 2 * black + (set->board[v.m_moveCell[i]] == kBlack);
                white = 2 * white + (set->board[v.m_moveCell[i]] == kWhite);
            }
            ASSERT_EQ(key, v.EncodeMoves(black, white, kMaxMoves));
            ASSERT_EQ(GroupSetFault(v, true), "");
            // Against a fresh grouping, while every stone is in a group.
            std::memcpy(fresh->m_board, v.m_board, sizeof v.m_board);
            fresh->RebuildGroups();
            if (ConnectedGroupingFault(fresh->Board(), fresh->GroupMap()) != "" ||
                ConnectedGroupingFault(v.Board(), v.GroupMap()) != "")
                continue;
            ++compared;
            ASSERT_EQ(SameGroupingFault(v.GroupMap(), fresh->GroupMap()), "");
        }
    }
    // The games reach every path often enough.
    EXPECT_GT(captures, 100);
    EXPECT_GT(takings, 300);
    EXPECT_GT(suicides, 60);
    EXPECT_GT(fullTable, 10);
    EXPECT_GT(compared, 4000);
}
