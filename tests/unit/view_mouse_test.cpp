// Clicks in every mode and the commands that only change the click mode.
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

int Centre(int n) { return (n - 1) * 26 + 13; }

void ClickAt(CKovraView& v, int column, int row)
{
    v.OnLButtonDown(Centre(column), Centre(row));
}

}  // namespace

TEST(Click, PixelsNameThePointWithTruncatingDivision)
{
    ViewHarness h;
    CKovraView& v = h.view();
    v.OnBlackS();
    const int clicks[][2] = {{0, 0}, {25, 25}, {26, 26}, {285, 285}, {-5, -25}};
    const int points[][2] = {{1, 1}, {1, 1}, {2, 2}, {11, 11}, {1, 1}};
    for (int i = 0; i < 5; ++i) {
        v.OnLButtonDown(clicks[i][0], clicks[i][1]);
        EXPECT_EQ(v.m_histX[i], points[i][0]) << i;
        EXPECT_EQ(v.m_histY[i], points[i][1]) << i;
    }
    EXPECT_EQ(v.m_histCount, 5);
}

TEST(Click, OutsideTheBoardDoesNothingInAnyMode)
{
    const int outside[][2] = {{286, 13}, {13, 286}, {-26, 13}, {13, -30}, {5000, 5000}};
    for (const char mode : {'b', 'w', 's', 'x', 'f', 'm', 'y', 'z', ' '}) {
        ViewHarness h;
        CKovraView& v = h.view();
        SetBoard(v, {"XO"});
        v.m_clickMode = mode;
        for (int i = 0; i < kMaxMoves; ++i)
            AddMoveEntry(v, 'f', 1, 1);  // a full list: a 16th entry would reset
        const std::uint32_t black = v.m_moveBlack;
        h.canvas.calls.clear();
        for (const auto& p : outside)
            v.OnLButtonDown(p[0], p[1]);
        EXPECT_EQ(v.m_histCount, 0) << mode;
        EXPECT_EQ(v.m_moveCount, kMaxMoves) << mode;
        EXPECT_EQ(v.m_moveBlack, black) << mode;
        EXPECT_EQ(v.m_targetCount, 0) << mode;
        EXPECT_EQ(v.m_clickMode, mode);
        EXPECT_TRUE(h.canvas.calls.empty()) << mode;
        EXPECT_TRUE(h.frame.status.empty()) << mode;
        EXPECT_EQ(BoardRows(v)[0], "XO.........");
        // The border ring is untouched.
        for (int i = 0; i <= 12; ++i) {
            EXPECT_EQ(v.m_board[0][i], kBorder);
            EXPECT_EQ(v.m_board[12][i], kBorder);
            EXPECT_EQ(v.m_board[i][12], kBorder);
        }
    }
}

TEST(Click, StoneEditsOverwriteAndAppendEveryTime)
{
    ViewHarness h;
    CKovraView& v = h.view();
    v.OnBlackS();
    ClickAt(v, 3, 2);
    ClickAt(v, 3, 2);
    v.OnWhiteS();
    ClickAt(v, 3, 2);
    v.OnSpaceS();
    ClickAt(v, 5, 5);  // erasing an empty point still records it
    ASSERT_EQ(v.m_histCount, 4);
    EXPECT_EQ(std::string(v.m_histKind, 4), "bbws");
    EXPECT_EQ(v.m_board[2][3], kWhite);
    EXPECT_EQ(v.m_groupsStale, 1);
    EXPECT_EQ(h.frame.status, (std::vector<std::string>{"put B stones", "put W stones", "erase stones"}));
    // Stones drawn in their cells; the erased point filled and its grid redrawn.
    EXPECT_EQ(h.canvas.Calls("ellipse"),
              (std::vector<std::string>{"ellipse 53 27 77 51 black", "ellipse 53 27 77 51 black",
                                        "ellipse 53 27 77 51 white"}));
    EXPECT_EQ(h.canvas.Calls("fill"), (std::vector<std::string>{"fill 105 105 129 129 ffff00"}));
}

TEST(Click, StoneEditWithAFullHistoryChangesNothing)
{
    ViewHarness h;
    CKovraView& v = h.view();
    v.OnBlackS();
    for (int i = 0; i < kHistorySize; ++i)
        ClickAt(v, 1 + i % 11, 1 + i / 11);
    ASSERT_EQ(v.m_histCount, kHistorySize);
    v.OnSpaceS();
    h.canvas.calls.clear();
    ClickAt(v, 4, 4);
    EXPECT_EQ(v.m_histCount, kHistorySize);
    EXPECT_EQ(v.m_board[4][4], kBlack);
    EXPECT_TRUE(h.canvas.calls.empty());
    EXPECT_EQ(h.frame.Last(), "history full");
}

TEST(Click, MoveEntriesBuildTheMasksFromTheBoard)
{
    ViewHarness h;
    CKovraView& v = h.view();
    SetBoard(v, {".XO"});
    v.OnFMove();
    ClickAt(v, 1, 1);
    ClickAt(v, 2, 1);
    ClickAt(v, 3, 1);
    EXPECT_EQ(v.m_moveBlack, 2u);
    EXPECT_EQ(v.m_moveWhite, 1u);
    v.OnMMove();
    ClickAt(v, 2, 1);  // a point may be entered twice
    v.OnYMove();
    ClickAt(v, 5, 5);
    v.OnZMove();
    ClickAt(v, 6, 5);
    EXPECT_EQ(v.m_moveCount, 6);
    EXPECT_EQ(std::string(v.m_moveKind, 6), "fffmyz");
    EXPECT_EQ(v.m_moveBlack, 0x14u);  // 010 1 0 0
    EXPECT_EQ(v.m_moveWhite, 0x08u);  // 001 0 0 0
    EXPECT_EQ(v.m_moveY[4], 5);
    EXPECT_EQ(v.m_moveX[5], 6);
    // The letters land at their offsets: "m" two pixels left of the others.
    EXPECT_EQ(h.canvas.Calls("text "),
              (std::vector<std::string>{"text 9 5 f", "text 35 5 f", "text 61 5 f", "text 33 5 m",
                                        "text 113 109 y", "text 139 109 z"}));
}

TEST(Click, TheSixteenthEntryResetsThePosition)
{
    ViewHarness h;
    CKovraView& v = h.view();
    FirstPaint(h);
    v.OnBlackS();
    ClickAt(v, 1, 1);
    v.OnFMove();
    for (int i = 0; i < kMaxMoves; ++i)
        ClickAt(v, 1 + i % 11, 2);
    ASSERT_EQ(v.m_moveCount, kMaxMoves);
    h.frame.status.clear();
    ClickAt(v, 9, 9);
    EXPECT_EQ(h.frame.status, (std::vector<std::string>{"exceeded maximum = 15", "new game"}));
    EXPECT_EQ(v.m_moveCount, 0);
    EXPECT_EQ(v.m_moveBlack, 0u);
    EXPECT_EQ(v.m_histCount, 0);
    EXPECT_EQ(v.m_clickMode, ' ');
    EXPECT_EQ(BoardRows(v)[0], "...........");
    // The next click adds nothing: the mode is none now.
    ClickAt(v, 9, 9);
    EXPECT_EQ(v.m_moveCount, 0);
}

TEST(ModeCommands, ListsAndFlagsTheyClear)
{
    ViewHarness h;
    CKovraView& v = h.view();
    SetBoard(v, {"O"});
    v.OnTarget();
    ClickAt(v, 1, 1);
    EXPECT_EQ(v.m_targetCount, 1);
    EXPECT_EQ(v.m_groupsReady, 1);
    v.OnTarget();
    EXPECT_EQ(v.m_targetCount, 0);
    EXPECT_EQ(v.m_groupsReady, 0);

    AddMoveEntry(v, 'f', 1, 1);
    v.OnMMove();
    EXPECT_EQ(v.m_moveCount, 1);  // m, y and z add to the list
    v.OnFMove();
    EXPECT_EQ(v.m_moveCount, 0);
    EXPECT_EQ(v.m_moveWhite, 0u);

    const char mode = v.m_clickMode;
    v.OnIgnore();
    EXPECT_EQ(v.m_exhaustCheck, 0);
    EXPECT_EQ(v.m_clickMode, mode);
    EXPECT_EQ(h.frame.Last(), "set f moves");  // Ignore shows nothing
    v.OnNewGame();
    EXPECT_EQ(v.m_exhaustCheck, 1);
}

TEST(ModeCommands, NeitherTargetNorFMoveRepaints)
{
    ViewHarness h;
    CKovraView& v = h.view();
    h.canvas.calls.clear();
    v.OnTarget();
    v.OnFMove();
    v.OnMMove();
    v.OnYMove();
    v.OnZMove();
    EXPECT_TRUE(h.canvas.calls.empty());
    EXPECT_EQ(h.frame.status, (std::vector<std::string>{"set target stones", "set f moves", "set m moves",
                                                        "set y moves", "set z moves"}));
}

TEST(About, ShowsTheWelcomeTextInAMessageBox)
{
    ViewHarness h;
    h.view().OnAbout();
    EXPECT_EQ(h.frame.boxes, (std::vector<std::string>{"Welcome to Quillmere"}));
    EXPECT_TRUE(h.frame.status.empty());
}
