// Whole-board grouping and target marking.
#include <gtest/gtest.h>

#include <random>

#include "board/group_table.h"
#include "group_checks.h"
#include "test_support.h"

using Rows = std::vector<std::string>;

namespace {

Rows GroupCorner(const CKovraView& view, int rows, int columns)
{
    Rows out;
    const Rows all = GroupRows(view);
    for (int y = 0; y < rows; ++y)
        out.push_back(all[y].substr(0, columns));
    return out;
}

// Empty when every list holds its stones in row-major order.
std::string RowMajorFault(const CKovraView& v)
{
    for (int g = 1; g < kGroupSlots; ++g) {
        const CPointList& list = v.m_groupStones[g];
        for (int k = 1; k < list.GetCount(); ++k) {
            const CPoint& a = list.GetAt(k - 1);
            const CPoint& b = list.GetAt(k);
            if (a.y > b.y || (a.y == b.y && a.x >= b.x))
                return "list " + std::to_string(g) + " out of order: " + ListText(list);
        }
    }
    return std::string();
}

// The last word of each recorded text call ("x", "f", ...).
std::vector<std::string> MarkTexts(const RecordingCanvas& canvas)
{
    std::vector<std::string> out;
    for (const std::string& call : canvas.Calls("text "))
        out.push_back(call.substr(call.rfind(' ') + 1));
    return out;
}

int Count(const std::vector<std::string>& texts, const std::string& word)
{
    int n = 0;
    for (const std::string& t : texts)
        n += t == word;
    return n;
}

}  // namespace

TEST(BuildGroups, UShapeEndsWithTheSmallerLabel)
{
    ViewHarness h;
    CKovraView& v = h.view();
    SetBoard(v, {"X.X",
                 "X.X",
                 "XXX"});
    v.BuildGroups();
    EXPECT_EQ(v.m_groupCount, 2);  // provisional labels, not compacted
    EXPECT_EQ(GroupCorner(v, 3, 3), (Rows{"1.1", "1.1", "111"}));
    EXPECT_EQ(ListText(v, 1), "(1,1)(3,1)(1,2)(3,2)(1,3)(2,3)(3,3)");
    EXPECT_TRUE(v.m_groupStones[2].IsEmpty());
    EXPECT_EQ(v.m_groupColor[1], kBlack);
    EXPECT_EQ(v.m_groupColor[2], 0);
    EXPECT_FALSE(v.m_groupsStale);
}

TEST(BuildGroups, MergedLabelsFollowTheirChainToTheRoot)
{
    ViewHarness h;
    CKovraView& v = h.view();
    // Label 3 joins 2 in row 1, then 2 joins 1 in row 3.
    SetBoard(v, {"X.X.X",
                 "X.XXX",
                 "X...X",
                 "XXXXX"});
    v.BuildGroups();
    EXPECT_EQ(v.m_groupCount, 3);
    EXPECT_EQ(GroupCorner(v, 4, 5), (Rows{"1.1.1", "1.111", "1...1", "11111"}));
    EXPECT_TRUE(v.m_groupStones[2].IsEmpty());
    EXPECT_TRUE(v.m_groupStones[3].IsEmpty());
    EXPECT_EQ(v.m_groupStones[1].GetCount(), 14);
    EXPECT_EQ(RowMajorFault(v), "");
}

TEST(BuildGroups, ShapesGetOneIdPerGroupInRowMajorLists)
{
    const std::vector<Rows> shapes = {
        // comb
        {"X.X.X.X", "X.X.X.X", "XXXXXXX"},
        // spiral
        {"XXXXXXX", "......X", "XXXXX.X", "X...X.X", "X.XXX.X", "X.....X", "XXXXXXX"},
        // inward spiral whose arms meet late
        {"X.XXXXX", "X.X...X", "X.X.X.X", "X.X.X.X", "X...X.X", "XXXXX.X"},
        // a ring around a white stone, and one around an empty point
        {".X.X..XXX", "XXOX..X.X", ".XXX..XXX"},
        // staircase of both colours
        {"XO...", "XXO..", ".XXO.", "..XXO", "...XX"},
        // a white group in a black one's mouth, arms reaching up on the right
        {"O.X.X.X", "O.X.X.X", "OOXXXXX", "X.O.O..", "XXOOO.."},
    };
    for (const Rows& shape : shapes) {
        ViewHarness h;
        CKovraView& v = h.view();
        SetBoard(v, shape);
        v.RebuildGroups();
        SCOPED_TRACE(shape[0]);
        EXPECT_EQ(ConnectedGroupingFault(v.Board(), v.GroupMap()), "");
        EXPECT_EQ(GroupSetFault(v), "");
        EXPECT_EQ(RowMajorFault(v), "");
        EXPECT_TRUE(h.frame.status.empty());
    }
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
            for (int x = 1; x <= size; ++x) {
                const unsigned r = random() % density;
                v.m_board[y][x] = r == 0 ? kEmpty : (random() & 1) ? kBlack : kWhite;
            }
        h.frame.status.clear();
        v.RebuildGroups();
        if (!h.frame.status.empty())
            continue;  // needed a 16th label: tested on its own
        ++checked;
        SCOPED_TRACE("round " + std::to_string(round));
        ASSERT_EQ(ConnectedGroupingFault(v.Board(), v.GroupMap()), "");
        ASSERT_EQ(GroupSetFault(v), "");
        ASSERT_EQ(RowMajorFault(v), "");
    }
    EXPECT_GT(checked, 200);
}

TEST(BuildGroups, SixteenthLabelIsReportedOnceAndLeavesStonesUnlabelled)
{
    ViewHarness h;
    CKovraView& v = h.view();
    SetBoard(v, {"X.X.X.X.X.X",
                 "...........",
                 "X.X.X.X.X.X",
                 "...........",
                 "X.X.X.XX.X.",
                 "......X...."});
    v.BuildGroups();
    EXPECT_EQ(h.frame.status, (std::vector<std::string>{kGroupTableFull}));
    EXPECT_EQ(v.m_groupCount, 15);
    // (7,5) needs label 16, (8,5) would take its label, (10,5) and (7,6)
    // need new ones: all four stay unlabelled and in no list.
    EXPECT_EQ(GroupRows(v), (Rows{"1.2.3.4.5.6", "...........", "7.8.9.a.b.c", "...........",
                                  "d.e.f......", "...........", "...........", "...........",
                                  "...........", "...........", "..........."}));
    int listed = 0;
    for (int g = 1; g < kGroupSlots; ++g)
        listed += v.m_groupStones[g].GetCount();
    EXPECT_EQ(listed, 15);

    // A second build reports again, once.
    v.RebuildGroups();
    EXPECT_EQ(h.frame.status.size(), 2u);
}

TEST(BuildGroups, ProvisionalLabelsRunOutBeforeGroupsDo)
{
    ViewHarness h;
    CKovraView& v = h.view();
    // A U whose arms take labels 1 and 2, and 14 single stones: 15 groups
    // need 16 labels, so the last stone stays unlabelled.
    SetBoard(v, {"X.X.X.X.X.X",
                 "XXX........",
                 "....X.X.X.X",
                 "...........",
                 "X.X.X.X.X.X"});
    v.BuildGroups();
    EXPECT_EQ(h.frame.Last(), kGroupTableFull);
    EXPECT_EQ(v.m_groupMap[5][11], 0);
    EXPECT_EQ(v.m_groupMap[5][9], 15);
}

TEST(MarkTarget, FirstClickBuildsGroupsAndDrawsTheMoveList)
{
    ViewHarness h;
    CKovraView& v = h.view();
    SetBoard(v, {"OO.X",
                 "O..X",
                 "...."});
    AddMoveEntry(v, 'f', 3, 1);
    AddMoveEntry(v, 'm', 2, 2);
    AddMoveEntry(v, 'q', 3, 3);  // no mark of its own
    AddMoveEntry(v, 'y', 1, 3);
    AddMoveEntry(v, 'z', 3, 2);
    EXPECT_EQ(v.MarkTarget(1, 1), 0);
    EXPECT_EQ(v.m_groupsReady, 1);
    EXPECT_EQ(MarkTexts(h.canvas), (std::vector<std::string>{"f", "m", "y", "z", "x", "x", "x"}));
    EXPECT_EQ(h.canvas.Calls("text ")[4], "text 9 5 x");
    EXPECT_EQ(v.m_targetCount, 1);
    EXPECT_EQ(v.m_targetX[0], 1);
    EXPECT_EQ(v.m_targetY[0], 1);
    EXPECT_EQ(GroupSetFault(v), "");

    // A stone edited in later is not grouped by the second click, and the
    // move-list letters are not drawn again.
    h.canvas.calls.clear();
    v.m_board[3][4] = kBlack;
    v.MarkTarget(4, 2);
    EXPECT_EQ(MarkTexts(h.canvas), (std::vector<std::string>{"x", "x"}));
    EXPECT_EQ(v.m_groupMap[3][4], 0);
    EXPECT_EQ(v.m_targetCount, 2);
    EXPECT_EQ(v.m_targetX[1], 4);
    EXPECT_EQ(v.m_targetY[1], 2);
}

TEST(MarkTarget, EmptyPointMarksEveryEmptyPoint)
{
    ViewHarness h;
    CKovraView& v = h.view();
    SetBoard(v, {"OX.",
                 "X.."});
    v.MarkTarget(5, 5);
    EXPECT_EQ(Count(MarkTexts(h.canvas), "x"), 121 - 3);
    EXPECT_EQ(v.m_targetCount, 1);
}

TEST(MarkTarget, CompactionClosesTheHoleOfAJoinedLabel)
{
    ViewHarness h;
    CKovraView& v = h.view();
    // Labels 1, 2, 3 in row 1; 2 joins 1 in row 2; the right group keeps 3
    // until compaction moves it to 2.
    SetBoard(v, {"X.X.X",
                 "XXX.X"});
    v.MarkTarget(5, 1);
    EXPECT_EQ(GroupCorner(v, 2, 5), (Rows{"1.1.2", "111.2"}));
    EXPECT_EQ(v.m_groupCount, 2);
    EXPECT_EQ(Count(MarkTexts(h.canvas), "x"), 2);
}

TEST(MarkTarget, SixthTargetMarksButIsNotRecorded)
{
    ViewHarness h;
    CKovraView& v = h.view();
    SetBoard(v, {"X.O",
                 "X.O"});
    for (int k = 0; k < kMaxTargets; ++k)
        v.MarkTarget(1, 1);
    ASSERT_EQ(v.m_targetCount, 5);
    // As after Refresh: the groups are due again.
    v.m_groupsReady = 0;
    v.m_board[3][3] = kWhite;
    const std::int32_t nbBefore = v.m_nbGroup[0];
    h.canvas.calls.clear();
    v.MarkTarget(3, 3);
    EXPECT_EQ(v.m_targetCount, 5);
    for (int k = 0; k < kMaxTargets; ++k) {
        EXPECT_EQ(v.m_targetX[k], 1);
        EXPECT_EQ(v.m_targetY[k], 1);
    }
    EXPECT_EQ(v.m_nbGroup[0], nbBefore);
    EXPECT_EQ(v.m_groupsReady, 1);
    EXPECT_EQ(v.m_groupMap[3][3], v.m_groupMap[1][3]);
    EXPECT_EQ(Count(MarkTexts(h.canvas), "x"), 3);
}
