// "Refresh" and "Showgrp".
#include <gtest/gtest.h>

#include "test_support.h"

using Rows = std::vector<std::string>;

namespace {

// The window's first paint, after which the welcome text is not shown again.
void FirstPaint(ViewHarness& h)
{
    h.view().OnDraw();
    h.frame.status.clear();
    h.canvas.calls.clear();
}

void Edit(CKovraView& v, char mode, int column, int row)
{
    v.m_clickMode = mode;
    v.OnLButtonDown((column - 1) * 26 + 13, (row - 1) * 26 + 13);
}

}  // namespace

TEST(Refresh, BeforeAnySolverRunEmptiesTheBoardOnly)
{
    ViewHarness h;
    CKovraView& v = h.view();
    FirstPaint(h);
    Edit(v, 'b', 1, 1);
    Edit(v, 'w', 2, 1);
    AddMoveEntry(v, 'f', 3, 1);
    v.m_targetCount = 1;
    v.m_targetX[0] = 2;
    v.m_targetY[0] = 1;
    v.OnRefresh();
    EXPECT_EQ(v.m_histCount, 0);
    EXPECT_EQ(BoardRows(v)[0], "...........");
    EXPECT_EQ(v.m_moveCount, 1);
    EXPECT_EQ(v.m_targetCount, 1);
    EXPECT_EQ(v.m_clickMode, ' ');
    EXPECT_EQ(h.frame.Last(), "refreshed");
}

TEST(Refresh, ReplaysTheKeptHistoryAndMarksTheTargetsAgain)
{
    ViewHarness h;
    CKovraView& v = h.view();
    Edit(v, 'w', 1, 1);
    Edit(v, 'w', 2, 1);
    Edit(v, 'b', 3, 3);
    Edit(v, 's', 3, 3);  // an erase within the kept history still empties its point
    Edit(v, 'b', 1, 2);
    Edit(v, 'w', 5, 5);
    v.PushPass();
    v.m_histBase = v.m_histCount;
    Edit(v, 'b', 2, 2);  // made after the solver started: dropped
    Edit(v, 's', 1, 1);
    v.m_clickMode = 'x';
    v.MarkTarget(5, 5);
    v.MarkTarget(1, 1);
    h.canvas.calls.clear();
    v.OnRefresh();
    EXPECT_EQ(v.m_histCount, 7);
    EXPECT_EQ(BoardRows(v)[0], "OO.........");
    EXPECT_EQ(BoardRows(v)[1], "X..........");
    EXPECT_EQ(BoardRows(v)[2], "...........");
    ASSERT_EQ(v.m_targetCount, 2);
    EXPECT_EQ(v.m_targetX[0], 5);
    EXPECT_EQ(v.m_targetX[1], 1);
    EXPECT_EQ(v.m_groupsReady, 1);
    EXPECT_EQ(v.m_groupsStale, 0);
    EXPECT_EQ(v.m_groupMap[1][1], v.m_groupMap[1][2]);
    EXPECT_NE(v.m_groupMap[1][1], 0);
    // The marks drawn while marking are painted over by the final repaint.
    const std::vector<std::string>& calls = h.canvas.calls;
    std::size_t lastFill = 0;
    for (std::size_t i = 0; i < calls.size(); ++i)
        if (calls[i] == "fill 0 0 282 285 ffff00")
            lastFill = i;
    ASSERT_GT(lastFill, 0u);
    for (std::size_t i = lastFill; i < calls.size(); ++i)
        EXPECT_NE(calls[i].compare(0, 5, "text "), 0) << calls[i];
}

TEST(Refresh, WithoutTargetsLeavesTheGroupTableEmpty)
{
    ViewHarness h;
    CKovraView& v = h.view();
    SetBoard(v, {"XX.O"});
    v.RebuildGroups();
    ASSERT_EQ(v.m_groupCount, 2);
    v.OnRefresh();
    EXPECT_EQ(v.m_groupCount, 2);  // the count is left alone
    EXPECT_EQ(v.m_groupColor[1], 0);
    EXPECT_TRUE(v.m_groupStones[1].IsEmpty());
    EXPECT_EQ(v.m_groupsStale, 1);
    h.canvas.calls.clear();
    v.OnShowgrp();
    EXPECT_TRUE(h.canvas.calls.empty());
}

TEST(Showgrp, WritesGroupNumbersOverTheStones)
{
    ViewHarness h;
    CKovraView& v = h.view();
    SetBoard(v, {"XX.O",
                 "....",
                 "O.X.X.X.X.X",
                 ".X.X.X.X.X."});
    v.m_clickMode = 'x';
    v.MarkTarget(4, 1);
    ASSERT_EQ(v.m_groupCount, 13);
    h.canvas.calls.clear();
    h.frame.status.clear();
    v.OnShowgrp();
    const std::vector<std::string> texts = h.canvas.Calls("text ");
    ASSERT_EQ(texts.size(), 14u);
    EXPECT_EQ(texts[0], "text 9 5 1");
    EXPECT_EQ(texts[1], "text 35 5 1");
    EXPECT_EQ(texts[2], "text 87 5 2");
    // Numbers from 10 on sit three pixels further left.
    int wide = 0;
    for (const std::string& t : texts)
        if (t.size() > 2 && t[t.size() - 2] == '1' && t.back() >= '0' && t.back() <= '3') {
            const int x = std::stoi(t.substr(5));
            EXPECT_EQ((x - 6) % 26, 0) << t;
            ++wide;
        }
    EXPECT_EQ(wide, 4);
    EXPECT_EQ(h.canvas.Calls("ellipse 1 1 25 25 black").size(), 1u);
    EXPECT_EQ(h.canvas.Calls("ellipse 79 1 103 25 white").size(), 1u);
    EXPECT_TRUE(h.frame.status.empty());
    EXPECT_TRUE(h.canvas.Calls("fill").empty());  // nothing repainted first
}
