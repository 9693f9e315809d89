// Single-key commands.
#include <gtest/gtest.h>

#include <cstring>

#include "test_support.h"

namespace {

// The window's first paint, after which the welcome text is not shown again.
void FirstPaint(ViewHarness& h)
{
    h.view().OnDraw();
    h.frame.status.clear();
    h.canvas.calls.clear();
}

}  // namespace

TEST(Keys, DigitsAndSpaceChooseThePositionFileSilently)
{
    ViewHarness h;
    CKovraView& v = h.view();
    FirstPaint(h);
    EXPECT_STREQ(v.m_fileName, "movesx.txt");
    v.OnChar('7');
    EXPECT_STREQ(v.m_fileName, "moves7.txt");
    v.OnChar('0');
    EXPECT_STREQ(v.m_fileName, "moves0.txt");
    v.OnChar(' ');
    EXPECT_STREQ(v.m_fileName, "movesx.txt");
    v.OnChar('9');
    v.OnNewGame();  // the name survives other commands
    EXPECT_STREQ(v.m_fileName, "moves9.txt");
    EXPECT_EQ(h.frame.status, (std::vector<std::string>{"new game"}));
}

TEST(Keys, LowerCaseLettersCallTheMenuHandlers)
{
    ViewHarness h;
    CKovraView& v = h.view();
    FirstPaint(h);
    const struct {
        char key;
        char mode;
        const char* status;
    } cases[] = {
        {'b', 'b', "put B stones"}, {'w', 'w', "put W stones"},     {'s', 's', "erase stones"},
        {'x', 'x', "set target stones"}, {'f', 'f', "set f moves"}, {'m', 'm', "set m moves"},
        {'y', 'y', "set y moves"},  {'z', 'z', "set z moves"},
    };
    for (const auto& c : cases) {
        v.OnChar(static_cast<unsigned>(c.key));
        EXPECT_EQ(v.m_clickMode, c.mode) << c.key;
        EXPECT_EQ(h.frame.Last(), c.status) << c.key;
    }
    v.OnChar('i');
    EXPECT_EQ(v.m_exhaustCheck, 0);
    v.OnChar('n');
    EXPECT_EQ(v.m_clickMode, ' ');
    EXPECT_EQ(h.frame.Last(), "new game");
}

TEST(Keys, UpperCaseControlAndOtherCharactersDoNothing)
{
    ViewHarness h;
    CKovraView& v = h.view();
    v.m_clickMode = 'b';
    h.canvas.calls.clear();
    const char* untouched = "BWSXFMYZNPRIAD";
    for (const char* k = untouched; *k; ++k)
        v.OnChar(static_cast<unsigned>(*k));
    for (unsigned k = 1; k < 32; ++k)  // letters typed with Ctrl
        v.OnChar(k);
    for (const unsigned k : {unsigned('c'), unsigned('e'), unsigned('q'), unsigned('#'), 0xFF76u})
        v.OnChar(k);
    v.OnKeyDown('A');
    v.OnKeyDown(37);  // left and right arrows
    v.OnKeyDown(39);
    EXPECT_EQ(v.m_clickMode, 'b');
    EXPECT_EQ(v.m_exhaustCheck, 1);
    EXPECT_STREQ(v.m_fileName, "movesx.txt");
    EXPECT_TRUE(h.frame.status.empty());
    EXPECT_TRUE(h.canvas.calls.empty());
}

TEST(Keys, PRepaintsWithoutMarksOrTheWelcomeText)
{
    ViewHarness h;
    CKovraView& v = h.view();
    v.OnDraw();
    ASSERT_EQ(h.frame.status, (std::vector<std::string>{"Welcome to Quillmere"}));
    SetBoard(v, {"X"});
    AddMoveEntry(v, 'f', 2, 2);
    v.DrawPoint(' ', -4, 2, 2);
    h.canvas.calls.clear();
    v.OnChar('p');
    EXPECT_EQ(h.canvas.Calls("fill").size(), 1u);
    EXPECT_EQ(h.canvas.Calls("ellipse 1 1 25 25 black").size(), 1u);
    EXPECT_TRUE(h.canvas.Calls("text ").empty());
    EXPECT_EQ(h.frame.status.size(), 1u);
    EXPECT_EQ(v.m_moveCount, 1);
}
