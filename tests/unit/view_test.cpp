// What the end-to-end scripts cannot reach: the first paint, a save that
// fails on a full disk, Refresh's replay, target marks, the lines a position
// file's reading skips, the status buffer's bound, and the shell's script
// lines and progress text.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <csignal>
#include <cstdlib>

#include "progress_text.h"
#include "script_event.h"
#include "test_support.h"
#include "view/position_notes.h"

TEST(Drawing, GridStonesMarksAndNumbersSitAtTheirPixels)
{
    ViewHarness h;
    CKovraView& v = h.view();
    v.OnDraw();
    EXPECT_EQ(h.canvas.Calls("fill"), Rows{"fill 0 0 282 285 ffff00"});
    EXPECT_EQ(h.canvas.Calls("line").size(), 22u);
    EXPECT_EQ(h.canvas.Calls("line").back(), "line 273 273");
    EXPECT_EQ(h.canvas.Calls("ellipse"), Rows{"ellipse 141 141 146 146 black"});
    v.OnDraw();  // the welcome text comes with the first paint only
    EXPECT_EQ(h.frame.status, Rows{"Welcome to Quillmere"});

    // In erase mode no text is written.
    h.canvas.calls.clear();
    v.m_clickMode = 's';
    v.DrawPoint('b', 3, 4, 4);
    EXPECT_TRUE(h.canvas.Calls("text ").empty());
}

TEST(MarkTarget, TheFirstClickGroupsAndLettersTheListThenMarksTheGroup)
{
    ViewHarness h;
    CKovraView& v = h.view();
    SetBoard(v, {"OO.X", "O..X", "...."});
    for (const Entry& e : std::vector<Entry>{{'f', 3, 1}, {'m', 2, 2}, {'y', 1, 3}, {'z', 3, 2}})
        v.AppendMoveEntry(e.kind, e.x, e.y);
    v.m_clickMode = 'x';
    v.OnLButtonDown(0, 0);
    EXPECT_EQ(h.canvas.Calls("text "), (Rows{"text 61 5 f", "text 33 31 m", "text 9 57 y", "text 61 31 z",
                                             "text 9 5 x", "text 35 5 x", "text 9 31 x"}));
    // A stone edited in later is not grouped by the second click; a target
    // on an empty point marks every point outside a group, that stone too;
    // a sixth target is not recorded.
    h.canvas.calls.clear();
    v.m_board[3][4] = kBlack;
    v.MarkTarget(4, 2);
    EXPECT_EQ(h.canvas.Calls("text ").size(), 2u);
    EXPECT_EQ(v.m_groupMap[3][4], 0);
    h.canvas.calls.clear();
    for (int k = 0; k < 4; ++k)
        v.MarkTarget(9, 9);
    EXPECT_EQ(h.canvas.Calls("text ").size(), 4 * (121u - 5));
    EXPECT_EQ(v.m_targetCount, kMaxTargets);
    EXPECT_EQ(v.m_targetX[4], 9);
}

TEST(Refresh, ReplaysTheKeptHistoryAndMarksTheTargetsAgain)
{
    ViewHarness h;
    CKovraView& v = h.view();
    const Entry edits[] = {{'w', 1, 1}, {'w', 2, 1}, {'b', 3, 3}, {'s', 3, 3}, {'b', 1, 2}, {'w', 5, 5}};
    for (const Entry& e : edits) {
        v.m_clickMode = e.kind;
        v.OnLButtonDown((e.x - 1) * kCellPixels, (e.y - 1) * kCellPixels);
    }
    v.PushPass();
    v.m_histBase = v.m_histCount;
    v.m_clickMode = 'b';
    v.OnLButtonDown(26, 26);  // made after the solver started: dropped
    v.m_clickMode = 'x';
    v.OnLButtonDown(26 * 4, 26 * 4);
    v.OnLButtonDown(0, 0);
    h.canvas.calls.clear();
    v.OnRefresh();
    EXPECT_EQ(v.m_histCount, 7);
    EXPECT_EQ(Region(v, 3, 3), "OO./X../...|11./2../...");
    EXPECT_EQ(v.m_targetCount, 2);
    EXPECT_EQ(v.m_groupsStale, 0);
    EXPECT_EQ(v.m_clickMode, ' ');
    EXPECT_EQ(h.frame.Last(), "refreshed");
    // The marks made while marking are painted over by the final repaint.
    EXPECT_EQ(h.canvas.calls.back().rfind("text ", 0), std::string::npos);
}

static void WriteText(const char* path, const char* text)
{
    std::FILE* file = std::fopen(path, "w");
    std::fputs(text, file);
    std::fclose(file);
}

TEST_F(ScratchDirTest, ASaveThatFailsOnAFullDiskKeepsTheOldFileAndNoTemporary)
{
    // Writes fail past 16 bytes, as on a full disk (this holds for root too);
    // a short position fails only when the stream is flushed.
    CKovraView& v = view();
    WriteText("movesx.txt", "w  5  5\n");
    std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit old;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    for (const int stones : {121, 3}) {
        v.OnNewGame();
        v.OnBlackS();
        for (int i = 0; i < stones; ++i)
            v.OnLButtonDown(i % 11 * 26, i / 11 * 26);
        h.frame.status.clear();
        const struct rlimit small = {16, old.rlim_max};
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
        v.OnSave();
        setrlimit(RLIMIT_FSIZE, &old);
        EXPECT_EQ(h.frame.status, Rows{"file not opened"});
        EXPECT_EQ(ReadFile("movesx.txt"), "w  5  5\n");
        EXPECT_EQ(std::system("test $(ls -A | wc -l) -eq 1"), 0);  // no temporary left
    }
}

TEST_F(ScratchDirTest, ASaveNeverWritesThroughALinkAndKeepsTheMode)
{
    // A link planted where the old temporary name was is never followed; a
    // link at the file's own name is replaced, its target untouched.
    CKovraView& v = view();
    ASSERT_EQ(symlink("outside.txt", "movesx.txt.tmp"), 0);
    WriteText("linked.txt", "w  5  5\n");
    ASSERT_EQ(symlink("linked.txt", "movesx.txt"), 0);
    v.OnBlackS();
    v.OnLButtonDown(0, 0);
    v.OnSave();
    struct stat st;
    ASSERT_EQ(lstat("movesx.txt", &st), 0);
    EXPECT_TRUE(S_ISREG(st.st_mode));
    EXPECT_EQ(ReadFile("movesx.txt"), "b  1  1\n");
    EXPECT_EQ(ReadFile("linked.txt"), "w  5  5\n");
    EXPECT_NE(lstat("outside.txt", &st), 0);
    ASSERT_EQ(chmod("movesx.txt", 0640), 0);
    v.OnSave();
    ASSERT_EQ(stat("movesx.txt", &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST(PositionRecords, TargetsAreReadOnTheBoardAndAtMostFive)
{
    ViewHarness h;
    CKovraView& v = h.view();
    char text[] = "w  1  1\nx  1  1\nx  0  3\nx  2  2\nx  3  3\nx  4  4\nx 12  5\nx  5  5\nx  6  6\n";
    std::FILE* file = fmemopen(text, sizeof text - 1, "r");
    ASSERT_NE(file, nullptr);
    v.ReadPositionRecords(file, true);
    std::fclose(file);
    EXPECT_EQ(v.m_targetCount, kMaxTargets);
    EXPECT_EQ(std::string(v.m_targetY, v.m_targetY + 5), std::string("\1\2\3\4\5"));
    EXPECT_EQ(v.m_histCount, 1);
}

// "LINE:WHY LINE:WHY ..." of the lines noted as skipped.
std::string SkippedText(const CPositionNotes& notes)
{
    std::string text;
    for (const CPositionNotes::Skipped& s : notes.SkippedLines())
        text += (text.empty() ? "" : " ") + std::to_string(s.line) + ":" + s.why;
    return text;
}

TEST(PositionRecords, LinesNothingIsReadFromAreNotedOnceAndPassLinesNever)
{
    std::string sixteenMoves;
    for (int i = 1; i <= 16; ++i)
        sixteenMoves += "f  1 " + std::to_string(i % 11 + 1) + "\n";
    struct Case {
        std::string text;
        const char* skipped;
    } const cases[] = {
        {"b  1  1\n   0  0\nw  2  2\n", ""},  // a pass line after a record
        {"   0  0\nb  1  1\n", ""},            // a pass line first
        {"\n\nb  1  1\n\ns  1  1\n", ""},     // blank lines, an erased point
        {"hello\nb  1  1\n", "1:not a record"},
        {"b  1  1 junk\nw  2  2\n", "1:not a record"},
        {"q  1  1\nb 12  1\nw  2  2\nx  0  1\n", "1:unknown record 2:off the board 4:off the board"},
        {sixteenMoves, "16:more than 15 candidate points"},
        {"x  1  1\nx  1  2\nx  1  3\nx  1  4\nx  1  5\nx  1  6\n", "6:more than 5 targets"},
    };
    for (const Case& c : cases) {
        ViewHarness h;
        CPositionNotes notes;
        h.view().ApplyPositionRecords(c.text, true, &notes);
        EXPECT_EQ(SkippedText(notes), c.skipped) << c.text;
    }
}

TEST(PositionRecords, EachTargetKnowsItsLine)
{
    ViewHarness h;
    CKovraView& v = h.view();
    CPositionNotes notes;
    v.ApplyPositionRecords("b  1  1\n\nw  2  2\nhello\nx  2  2\n   0  0\nx  1  1\n", true, &notes);
    ASSERT_EQ(v.m_targetCount, 2);
    EXPECT_EQ(notes.TargetLine(0), 5);
    EXPECT_EQ(notes.TargetLine(1), 7);
}

TEST(StatusBuffer, LongTextsAreCutAtFortySevenCharacters)
{
    ViewHarness h;
    CKovraView& v = h.view();
    v.ShowStatusF("%s", std::string(200, 'q').c_str());
    EXPECT_EQ(h.frame.Last(), std::string(47, 'q'));
    v.ShowStatusF("my move (%2d,%2d)", -2147483647 - 1, -2147483647 - 1);
    EXPECT_EQ(h.frame.Last(), "my move (-2147483648,-2147483648)");
}

TEST(ScriptLine, CoordinatesAreClampedAndMalformedLinesAreUnknown)
{
    ScriptEvent e = ParseScriptLine("click 99999999999 -99999999999");
    EXPECT_EQ(e.kind, ScriptEventKind::Click);
    EXPECT_EQ(e.x, 1000000);
    EXPECT_EQ(e.y, -1000000);
    EXPECT_GT(ParseScriptLine("at 2147483647 1").x, 286);
    EXPECT_EQ(ParseScriptLine("at 2 3").y, 65);
    EXPECT_EQ(ParseScriptLine("char \xef\xbd\xb6").ch, 0xFF76u);
    EXPECT_EQ(ParseScriptLine("key down\r").kind, ScriptEventKind::KeyDown);
    EXPECT_EQ(ParseScriptLine("   # comment").kind, ScriptEventKind::Nothing);
    for (const char* line : {"click 1", "click 1 2 3", "click a 2", "click 1 +2", "at 1 2x", "char",
                             "char ab", "char space2", "key left", "menu", "boards", "snapshot",
                             "Board", "wait 5"})
        EXPECT_EQ(ParseScriptLine(line).kind, ScriptEventKind::Unknown) << line;
}

TEST(ScriptLine, AProblemNumberIsReadWholeAndKeptAsWritten)
{
    struct Case {
        const char* line;
        const char* file;
        int index;
        const char* number;
    } const cases[] = {
        {"open-sgf a.sgf", "a.sgf", 1, ""},
        {"open-sgf a b.sgf 2", "a b.sgf", 2, "2"},
        {"open-sgf a.sgf 1000001", "a.sgf", 1000001, "1000001"},
        {"open-sgf a.sgf 99999999999999999999", "a.sgf", INT_MAX, "99999999999999999999"},
        {"open-sgf a.sgf 2x", "a.sgf 2x", 1, ""},
    };
    for (const Case& c : cases) {
        const ScriptEvent e = ParseScriptLine(c.line);
        EXPECT_EQ(e.kind, ScriptEventKind::OpenSgf) << c.line;
        EXPECT_EQ(e.text, c.file) << c.line;
        EXPECT_EQ(e.index, c.index) << c.line;
        EXPECT_EQ(e.number, c.number) << c.line;
    }
}

TEST(Progress, CountsTakeThreeDigitsAtMostAndAUnit)
{
    struct Case {
        int entry;
        long long nodes;
        double seconds;
        const char* text;
    } const cases[] = {
        {-1, 0, 0, "root: 0 pos, 0/s"},
        {0, 999, 1, "1: 999 pos, 999/s"},
        {0, 16244736, 5.2, "1: 16.2M pos, 3.1M/s"},
        {14, 99949999, 1, "15: 99.9M pos, 99.9M/s"},
        {2, 99950000, 1, "3: 100M pos, 100M/s"},
        {2, 999960, 2, "3: 1.0M pos, 500k/s"},
        {2, 4294967295LL, 10, "3: 4.3G pos, 429M/s"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ProgressText(c.entry, c.nodes, c.seconds), c.text) << c.nodes;
}
