// The search's bit-set group sets against the view's lists: the same
// verdicts, captures, joins and group numbers after every move, since the
// search's move order and its table keys depend on all of them.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>

#include "board/group_table.h"
#include "group_checks.h"
#include "solver/search_set.h"
#include "test_support.h"

namespace {

CPointBits BitsOfList(const CPointList& list)
{
    CPointBits bits = 0;
    for (int k = 0; k < list.GetCount(); ++k)
        bits |= kPointTables.cellBit[list.Cell(k)];
    return bits;
}

// Empty when set holds the view's group set; else the first difference.
std::string DifferenceFromView(CKovraView& v, const CSearchSet& set)
{
    if (set.count != v.m_groupCount)
        return "count " + std::to_string(set.count) + " != " + std::to_string(v.m_groupCount);
    for (int i = 0; i < kCells; ++i) {
        const std::int32_t g = v.GroupMap()[i];
        if (set.board[i] != v.Board()[i])
            return "board at cell " + std::to_string(i);
        if (set.GroupAt(i) != (g > 0 ? g : 0))
            return "group id at cell " + std::to_string(i);
        const bool open = (set.open & kPointTables.cellBit[i]) != 0;
        if (kPointTables.cellBit[i] != 0 && open != (g == 0))
            return "open at cell " + std::to_string(i);
    }
    unsigned used = 0;
    for (int g = 1; g <= set.count; ++g)
        if (!v.m_groupStones[g].IsEmpty())
            used |= 1u << g;
    if (set.usedSlots != used)
        return "ids in use";
    for (int g = 1; g <= set.count; ++g) {
        const std::string id = "group " + std::to_string(g);
        if (set.color[g] != v.m_groupColor[g])
            return id + " colour";
        const CPointBits stones = BitsOfList(v.m_groupStones[g]);
        if (set.groups[g].stones != stones)
            return id + " stones";
        CPointBits reach = 0;
        for (CPointBits s = stones; s != 0; s &= s - 1)
            reach |= kPointTables.nextTo[LowestCell(s)];
        if (set.groups[g].reach != reach)
            return id + " reach";
        int cell = -1;
        const int n = set.SoleLiberty(g, &cell);
        if (n != v.FindSoleLiberty(g, v.GroupMap(), v.m_groupStones))
            return id + " liberties";
    }
    return "";
}

// Plays the stone on the set as the search does; returns the verdict the
// search acts on (-1 suicide, else 0) and sets *captureFlag.
int PlayOnSet(CKovraView& v, CSearchSet& set, int x, int y, unsigned char c, bool* captureFlag)
{
    const int cell = CellIndex(x, y);
    set.board[cell] = c;
    CNeighbourTable table;
    *captureFlag = false;
    set.FillNeighbours(cell, table);
    if (!set.HasEmptyNeighbour(cell) && set.Judge(table, captureFlag) == -1) {
        set.board[cell] = kEmpty;
        return -1;
    }
    set.FindCaptures(table);
    set.Place(cell, table, v);
    return 0;
}

int FullTableTexts(const RecordingFrame& frame)
{
    int n = 0;
    for (const std::string& text : frame.status)
        n += text == kGroupTableFull;
    return n;
}

}  // namespace

TEST(SearchSet, LoadsTheViewsGroupSet)
{
    ViewHarness h;
    CKovraView& v = h.view();
    SetPosition(v, {"OX.XO",
                    "XX.OO",
                    "..X..",
                    "OOOOO"});
    std::unique_ptr<CSearchSet> set(new CSearchSet);
    set->Load(v.Board(), v.GroupMap(), v.m_groupColor, v.m_groupStones, v.m_groupCount);
    EXPECT_EQ(DifferenceFromView(v, *set), "");
    EXPECT_EQ(set->groups[0].stones, 0);
    EXPECT_EQ(set->SoleLiberty(0), 0);
}

TEST(SearchSet, AStoneThatTakesTwoGroupsMatchesTheView)
{
    // Black at (2,1) has no empty neighbour and takes both white groups.
    ViewHarness h;
    CKovraView& v = h.view();
    SetPosition(v, {"O.OX",
                    "XXOX",
                    "..X."});
    std::unique_ptr<CSearchSet> set(new CSearchSet);
    set->Load(v.Board(), v.GroupMap(), v.m_groupColor, v.m_groupStones, v.m_groupCount);
    bool captureFlag = false;
    ASSERT_EQ(PlayOnSet(v, *set, 2, 1, kBlack, &captureFlag), 0);
    ASSERT_NE(PlayMove(v, 'b', 2, 1), -1);
    EXPECT_TRUE(captureFlag);
    EXPECT_EQ(v.m_captureFlag, 1);
    EXPECT_EQ(DifferenceFromView(v, *set), "");
    EXPECT_EQ(BoardRows(v)[0], ".X.X.......");
}

TEST(SearchSet, AStoneBeyondAFullTableStaysOutsideAsInTheView)
{
    ViewHarness h;
    CKovraView& v = h.view();
    SetPosition(v, {"X.X.X.X.X.X",
                    "...........",
                    "X.X.X.X.X.X",
                    "...........",
                    "X.X.X......"});
    ASSERT_EQ(v.m_groupCount, 15);
    std::unique_ptr<CSearchSet> set(new CSearchSet);
    set->Load(v.Board(), v.GroupMap(), v.m_groupColor, v.m_groupStones, v.m_groupCount);
    bool captureFlag = false;
    PlayOnSet(v, *set, 11, 2, kWhite, &captureFlag);
    EXPECT_EQ(FullTableTexts(h.frame), 1);
    PlayMove(v, 'w', 11, 2);
    EXPECT_EQ(FullTableTexts(h.frame), 2);
    EXPECT_EQ(DifferenceFromView(v, *set), "");
    // The white stone outside every group still counts as a liberty of the
    // black corner stone, as it does for the view.
    EXPECT_EQ(set->GroupAt(CellIndex(11, 2)), 0);
    EXPECT_EQ(set->SoleLiberty(set->GroupAt(CellIndex(11, 1))), 2);
}

TEST(SearchSet, RandomGamesMatchTheViewAfterEveryMove)
{
    ViewHarness h;
    CKovraView& v = h.view();
    std::unique_ptr<CSearchSet> set(new CSearchSet);
    std::mt19937 random(20261206u);
    int captures = 0;
    int suicides = 0;
    int fullTable = 0;
    for (int game = 0; game < 150; ++game) {
        v.ResetPosition();
        v.m_groupCount = 0;
        set->Load(v.Board(), v.GroupMap(), v.m_groupColor, v.m_groupStones, v.m_groupCount);
        const int size = 3 + game % 9;
        for (int attempt = 0; attempt < 250; ++attempt) {
            const int x = 1 + static_cast<int>(random() % size);
            const int y = 1 + static_cast<int>(random() % size);
            const unsigned char c = (random() & 1) ? kBlack : kWhite;
            if (v.m_board[y][x] != kEmpty)
                continue;
            if (v.m_histCount >= kHistorySize - 1)
                v.m_histCount = 0;  // the stress is on the groups, not the history
            const int textsBefore = FullTableTexts(h.frame);
            bool captureFlag = false;
            const int onSet = PlayOnSet(v, *set, x, y, c, &captureFlag);
            const int textsOnSet = FullTableTexts(h.frame) - textsBefore;
            const int onView = PlayMove(v, c == kBlack ? 'b' : 'w', x, y);
            const int textsOnView = FullTableTexts(h.frame) - textsBefore - textsOnSet;
            ASSERT_EQ(onSet == -1, onView == -1) << "game " << game << " move " << attempt;
            if (onView != -1) {
                ASSERT_EQ(captureFlag, v.m_captureFlag != 0) << "game " << game;
                captures += captureFlag;
            } else {
                ++suicides;
            }
            ASSERT_EQ(textsOnSet, textsOnView) << "game " << game;
            fullTable += textsOnSet;
            ASSERT_EQ(DifferenceFromView(v, *set), "") << "game " << game << " move " << attempt;
        }
    }
    // The games reach every path at least a few times.
    EXPECT_GT(captures, 100);
    EXPECT_GT(suicides, 100);
    EXPECT_GT(fullTable, 10);
}
