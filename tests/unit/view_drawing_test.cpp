// The board picture: geometry, erasing, text placement.
#include <gtest/gtest.h>

#include "test_support.h"

using Calls = std::vector<std::string>;

TEST(Drawing, EmptyBoardIsGridAndCentreDot)
{
    ViewHarness h;
    CKovraView& v = h.view();
    v.OnDraw();
    EXPECT_EQ(h.canvas.Calls("fill"), (Calls{"fill 0 0 282 285 ffff00"}));
    const Calls lines = h.canvas.Calls("line");
    ASSERT_EQ(lines.size(), 22u);
    EXPECT_EQ(lines.front(), "line 273 13");
    EXPECT_EQ(lines.back(), "line 273 273");
    EXPECT_EQ(h.canvas.Calls("ellipse"), (Calls{"ellipse 141 141 146 146 black"}));
    EXPECT_TRUE(h.canvas.Calls("text ").empty());
    v.OnDraw();  // the welcome text comes with the first paint only
    EXPECT_EQ(h.frame.status, (Calls{"Welcome to Quillmere"}));
    EXPECT_EQ(v.m_solverSide, ' ');
}

TEST(Drawing, ErasingRedrawsOnlyTheGridInsideTheBoard)
{
    ViewHarness h;
    CKovraView& v = h.view();
    v.DrawPoint('s', 0, 1, 1);
    v.DrawPoint('s', 0, 11, 11);
    v.DrawPoint('s', 0, 6, 6);
    EXPECT_EQ(h.canvas.Calls("fill"),
              (Calls{"fill 1 1 25 25 ffff00", "fill 261 261 285 285 ffff00", "fill 131 131 155 155 ffff00"}));
    Calls segments;
    for (const std::string& c : h.canvas.calls)
        if (c.compare(0, 4, "move") == 0 || c.compare(0, 4, "line") == 0)
            segments.push_back(c);
    EXPECT_EQ(segments, (Calls{"move 13 13", "line 13 26", "move 13 13", "line 26 13",
                               "move 273 260", "line 273 273", "move 260 273", "line 273 273",
                               "move 143 130", "line 143 156", "move 130 143", "line 156 143"}));
    EXPECT_TRUE(h.canvas.Calls("ellipse").empty());  // the centre dot is not drawn again
}

TEST(Drawing, NumbersAndLettersArePlacedByWidth)
{
    ViewHarness h;
    CKovraView& v = h.view();
    v.DrawPoint('b', 9, 2, 1);
    v.DrawPoint('w', 10, 2, 1);
    v.DrawPoint(' ', -2, 1, 2);
    v.DrawPoint(' ', -1, 1, 2);
    v.DrawPoint(' ', -6, 1, 2);  // no such mark
    EXPECT_EQ(h.canvas.Calls("text "), (Calls{"text 35 5 9", "text 32 5 10", "text 7 31 m", "text 9 31 x"}));
    // Red, on a transparent background, over the stone just drawn.
    EXPECT_EQ(h.canvas.calls[0], "ellipse 27 1 51 25 black");
    EXPECT_EQ(h.canvas.calls[1], "textcolor ff0000");
    EXPECT_EQ(h.canvas.calls[2], "transparent");
}

TEST(Drawing, EraseModeWritesNoText)
{
    ViewHarness h;
    CKovraView& v = h.view();
    v.m_clickMode = 's';
    v.DrawPoint('b', 3, 4, 4);
    v.DrawPoint(' ', -4, 4, 5);
    EXPECT_TRUE(h.canvas.Calls("text ").empty());
    EXPECT_EQ(h.canvas.Calls("ellipse").size(), 1u);
}

TEST(Drawing, WithoutACanvasOnlyTheWelcomeTextHappens)
{
    ViewHarness h;
    CKovraView& v = h.view();
    v.m_pCanvas = nullptr;
    v.OnDraw();
    v.DrawPoint('b', 1, 1, 1);
    EXPECT_EQ(h.frame.status, (Calls{"Welcome to Quillmere"}));
    EXPECT_TRUE(h.canvas.calls.empty());
}
