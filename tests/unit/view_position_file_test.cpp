// "Save" and "Restore" and the shared record reader.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "test_support.h"

namespace {

// The window's first paint, after which the welcome text is not shown again.
void FirstPaint(ViewHarness& h)
{
    h.view().OnDraw();
    h.frame.status.clear();
    h.canvas.calls.clear();
}

// Runs each test in a fresh empty working directory.
class PositionFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/kovra_posfile_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_dir = pattern;
        ASSERT_NE(getcwd(m_oldDir, sizeof m_oldDir), nullptr);
        ASSERT_EQ(chdir(m_dir.c_str()), 0);
    }
    void TearDown() override
    {
        ASSERT_EQ(chdir(m_oldDir), 0);
        const std::string command = "rm -rf '" + m_dir + "'";
        ASSERT_EQ(std::system(command.c_str()), 0);
    }

    static std::string Read(const char* name)
    {
        std::ifstream in(name, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    static void Write(const char* name, const std::string& text)
    {
        std::ofstream out(name, std::ios::binary);
        out << text;
    }
    static bool Exists(const char* name)
    {
        struct stat st;
        return stat(name, &st) == 0;
    }

    std::string m_dir;
    char m_oldDir[4096];
};

}  // namespace

TEST_F(PositionFile, SavesHistoryMovesAndTargetsInOrder)
{
    ViewHarness h;
    CKovraView& v = h.view();
    v.OnBlackS();
    v.OnLButtonDown(3 * 26 + 1, 2 * 26 + 1);  // row 3, column 4
    v.OnWhiteS();
    v.OnLButtonDown(3 * 26 + 1, 3 * 26 + 1);  // row 4, column 4
    v.OnFMove();
    v.OnLButtonDown(4 * 26, 4 * 26);
    v.OnTarget();
    v.OnLButtonDown(3 * 26, 2 * 26);
    h.frame.status.clear();
    v.OnSave();
    EXPECT_EQ(Read("movesx.txt"), "b  3  4\nw  4  4\nf  5  5\nx  3  4\n");
    EXPECT_TRUE(h.frame.status.empty());  // success shows nothing
    EXPECT_FALSE(Exists("movesx.txt.tmp"));

    v.OnChar('7');
    v.OnSpaceS();
    v.OnLButtonDown(3 * 26 + 1, 2 * 26 + 1);
    v.OnSave();
    EXPECT_EQ(Read("moves7.txt"), "b  3  4\nw  4  4\ns  3  4\nf  5  5\nx  3  4\n");
}

TEST_F(PositionFile, SaveReplacesTheOldFile)
{
    ViewHarness h;
    CKovraView& v = h.view();
    Write("movesx.txt", "a much longer old file than the new one\n\n\n");
    v.OnBlackS();
    v.OnLButtonDown(260, 0);
    v.OnSave();
    EXPECT_EQ(Read("movesx.txt"), "b  1 11\n");
}

// A save that fails leaves the old file and no temporary file behind.
TEST_F(PositionFile, FailedSaveKeepsTheOldFile)
{
    ViewHarness h;
    CKovraView& v = h.view();
    ASSERT_EQ(mkdir("movesx.txt", 0755), 0);  // the name is taken by a directory
    v.OnSave();
    EXPECT_EQ(h.frame.Last(), "file not opened");

    // Writes fail past 16 bytes, as on a full disk (this holds for root too).
    Write("moves1.txt", "w  5  5\n");
    v.OnChar('1');
    v.OnBlackS();
    for (int i = 0; i < 121; ++i)  // more than the stream's buffer holds
        v.OnLButtonDown(i % 11 * 26, i / 11 * 26);
    struct rlimit old;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const struct rlimit small = {16, old.rlim_max};
    std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    h.frame.status.clear();
    v.OnSave();
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_EQ(h.frame.status, (std::vector<std::string>{"file not opened"}));
    EXPECT_EQ(Read("moves1.txt"), "w  5  5\n");
    EXPECT_EQ(std::system("test $(ls | wc -l) -eq 2"), 0);  // movesx.txt and moves1.txt
}

// The temporary file is made exclusively: a link planted at a name it
// might take is never written through; a link at the file's own name is
// replaced by the new file, its target untouched. The old mode is kept.
TEST_F(PositionFile, SaveNeverWritesThroughALink)
{
    ViewHarness h;
    CKovraView& v = h.view();
    ASSERT_EQ(symlink("outside.txt", "movesx.txt.tmp"), 0);
    Write("linked.txt", "w  5  5\n");
    ASSERT_EQ(symlink("linked.txt", "movesx.txt"), 0);
    v.OnBlackS();
    v.OnLButtonDown(0, 0);
    v.OnSave();
    struct stat st;
    ASSERT_EQ(lstat("movesx.txt", &st), 0);
    EXPECT_TRUE(S_ISREG(st.st_mode));
    EXPECT_EQ(Read("movesx.txt"), "b  1  1\n");
    EXPECT_EQ(Read("linked.txt"), "w  5  5\n");
    EXPECT_FALSE(Exists("outside.txt"));

    ASSERT_EQ(chmod("movesx.txt", 0640), 0);
    v.OnSave();
    ASSERT_EQ(stat("movesx.txt", &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST_F(PositionFile, RestoreRebuildsStonesAndMovesButNoTargets)
{
    ViewHarness h;
    CKovraView& v = h.view();
    FirstPaint(h);
    Write("movesx.txt", "b  3  4\nw  4  4\ns  3  4\nf  5  5\nm  4  4\ny  3  4\nx  3  4\n");
    v.m_clickMode = 'z';
    v.m_histBase = 1;
    v.m_targetCount = 2;
    v.m_groupsReady = 1;
    h.canvas.calls.clear();
    EXPECT_EQ(v.OnRestore(), 2);
    EXPECT_EQ(h.frame.status, (std::vector<std::string>{"movesx.txt"}));
    EXPECT_EQ(BoardRows(v)[2], "...X.......");
    EXPECT_EQ(BoardRows(v)[3], "...O.......");
    EXPECT_EQ(std::string(v.m_histKind, 2), "bw");
    EXPECT_EQ(v.m_moveCount, 3);
    EXPECT_EQ(std::string(v.m_moveKind, 3), "fmy");
    EXPECT_EQ(v.m_moveBlack, 1u);  // masks against all the restored stones
    EXPECT_EQ(v.m_moveWhite, 2u);
    EXPECT_EQ(v.m_targetCount, 0);
    EXPECT_EQ(v.m_groupsReady, 0);
    EXPECT_EQ(v.m_groupsStale, 1);
    EXPECT_EQ(v.m_clickMode, 'z');
    EXPECT_EQ(v.m_histBase, 1);
    EXPECT_EQ(h.canvas.Calls("fill").size(), 1u);  // repainted, without letters
    EXPECT_TRUE(h.canvas.Calls("text ").empty());
}

TEST_F(PositionFile, PassLinesAndShortRecordsAreSkipped)
{
    ViewHarness h;
    CKovraView& v = h.view();
    // Pass lines with stale coordinates, as a verification game saves them.
    Write("movesx.txt", "w  1  1\nb  2  1\n   1  2\n   1  2\nw  1  2\nf  1  2\nx  1  1\n");
    v.OnRestore();
    EXPECT_EQ(v.m_histCount, 3);
    EXPECT_EQ(std::string(v.m_histKind, 3), "wbw");
    EXPECT_EQ(v.m_histX[2], 2);
    EXPECT_EQ(v.m_histY[2], 1);
    EXPECT_EQ(v.m_moveCount, 1);
    EXPECT_EQ(v.m_moveWhite, 1u);
    // A pass as the very first line, and a record cut short at the end.
    Write("movesx.txt", "   3  3\nb  1  1\nw  2");
    v.OnRestore();
    EXPECT_EQ(v.m_histCount, 1);
    EXPECT_EQ(BoardRows(v)[0], "X..........");
}

TEST_F(PositionFile, RestoreStopsAtTheLimitsAndSkipsPointsOffTheBoard)
{
    ViewHarness h;
    CKovraView& v = h.view();
    std::string text = "b  0  5\nw  5 12\nb -1  1\nf 12  1\nm  1  0\nz 99 99\n";
    for (int i = 0; i < 130; ++i)
        text += "w " + std::to_string(1 + i % 11) + " " + std::to_string(1 + (i / 11) % 11) + "\n";
    for (int i = 0; i < 20; ++i)
        text += "m  2 " + std::to_string(1 + i % 11) + "\n";
    Write("movesx.txt", text);
    v.OnRestore();
    EXPECT_EQ(v.m_histCount, kHistorySize);
    EXPECT_EQ(v.m_moveCount, kMaxMoves);
    EXPECT_EQ(v.m_moveWhite, 0x7FFFu);
    for (int i = 0; i <= 12; ++i) {
        EXPECT_EQ(v.m_board[0][i], kBorder);
        EXPECT_EQ(v.m_board[i][12], kBorder);
    }
}

TEST_F(PositionFile, RestoreOfAMissingFileEmptiesThePositionWithoutRepainting)
{
    ViewHarness h;
    CKovraView& v = h.view();
    SetBoard(v, {"XO"});
    v.PushHistory('b', 1, 1);
    AddMoveEntry(v, 'f', 1, 1);
    h.canvas.calls.clear();
    v.OnChar('4');
    EXPECT_EQ(v.OnRestore(), 0);
    EXPECT_EQ(h.frame.status, (std::vector<std::string>{"file not found"}));
    EXPECT_EQ(BoardRows(v)[0], "...........");
    EXPECT_EQ(v.m_moveCount, 0);
    EXPECT_TRUE(h.canvas.calls.empty());
}

TEST_F(PositionFile, RestoreOfOddFilesReadsNothingHarmful)
{
    ViewHarness h;
    CKovraView& v = h.view();
    Write("movesx.txt", "");
    v.OnRestore();
    EXPECT_EQ(v.m_histCount, 0);

    std::string binary;
    for (int i = 0; i < 4096; ++i)
        binary += static_cast<char>((i * 7919) & 0xFF);
    binary += std::string("b\0\0\xff 12345678 -2147483648", 24);
    Write("moves1.txt", binary);
    v.OnChar('1');
    v.OnRestore();
    EXPECT_LE(v.m_histCount, kHistorySize);
    EXPECT_LE(v.m_moveCount, kMaxMoves);

    // Endless input: reading stops at the byte limit.
    ASSERT_EQ(symlink("/dev/zero", "moves3.txt"), 0);
    v.OnChar('3');
    v.OnRestore();
    EXPECT_EQ(v.m_histCount, 0);

    // A directory cannot be read: nothing changes.
    ASSERT_EQ(mkdir("moves2.txt", 0755), 0);
    SetBoard(v, {"XO"});
    v.PushHistory('b', 1, 1);
    v.OnChar('2');
    h.frame.status.clear();
    v.OnRestore();
    EXPECT_EQ(h.frame.status, (std::vector<std::string>{"file not opened"}));
    EXPECT_EQ(v.m_histCount, 1);
    EXPECT_EQ(BoardRows(v)[0], "XO.........");
}

TEST_F(PositionFile, RestoreOfTenThousandLinesKeepsEveryTableInBounds)
{
    ViewHarness h;
    CKovraView& v = h.view();
    FirstPaint(h);
    std::string text;
    const char kinds[] = "bwsfmyzx q";
    for (int i = 0; i < 10000; ++i) {
        const int row = i % 13;  // 0 and 12 are off the board
        const int column = (i / 13) % 13;
        text += kinds[i % 10];
        text += " " + std::to_string(row) + " " + std::to_string(column) + "\n";
        if (i == 5000)
            text += std::string(100000, '7') + "\n";  // one very long line
    }
    Write("movesx.txt", text);
    v.m_targetCount = 3;
    v.OnRestore();
    EXPECT_EQ(v.m_histCount, kHistorySize);
    EXPECT_EQ(v.m_moveCount, kMaxMoves);
    EXPECT_EQ(v.m_targetCount, 0);
    for (int i = 0; i < v.m_histCount; ++i) {
        ASSERT_TRUE(v.m_histKind[i] == 'b' || v.m_histKind[i] == 'w') << i;
        ASSERT_TRUE(v.m_histX[i] >= 1 && v.m_histX[i] <= 11 && v.m_histY[i] >= 1 &&
                    v.m_histY[i] <= 11)
            << i;
    }
    for (int i = 0; i < v.m_moveCount; ++i)
        ASSERT_TRUE(v.m_moveX[i] >= 1 && v.m_moveX[i] <= 11 && v.m_moveY[i] >= 1 &&
                    v.m_moveY[i] <= 11)
            << i;
    EXPECT_EQ(v.m_moveBlack & v.m_moveWhite, 0u);
    for (int i = 0; i <= 12; ++i) {
        EXPECT_EQ(v.m_board[0][i], kBorder);
        EXPECT_EQ(v.m_board[12][i], kBorder);
        EXPECT_EQ(v.m_board[i][0], kBorder);
        EXPECT_EQ(v.m_board[i][12], kBorder);
    }
    EXPECT_STREQ(v.m_fileName, "movesx.txt");
    EXPECT_EQ(h.frame.status.front(), "movesx.txt");
}

TEST_F(PositionFile, SavedPositionReadsBackTheSame)
{
    ViewHarness h;
    CKovraView& v = h.view();
    SetBoard(v, {});
    v.OnBlackS();
    for (int i = 0; i < 30; ++i)
        v.OnLButtonDown((i * 7 % 11) * 26, (i * 5 % 11) * 26);
    v.OnWhiteS();
    for (int i = 0; i < 20; ++i)
        v.OnLButtonDown((i * 3 % 11) * 26, (i * 4 % 11) * 26);
    v.OnFMove();
    for (int i = 0; i < 6; ++i)
        v.OnLButtonDown(i * 52, 26);
    v.OnZMove();
    v.OnLButtonDown(0, 260);
    const std::vector<std::string> board = BoardRows(v);
    const std::uint32_t black = v.m_moveBlack;
    const std::uint32_t white = v.m_moveWhite;
    v.OnSave();
    v.OnNewGame();
    v.OnRestore();
    EXPECT_EQ(BoardRows(v), board);
    EXPECT_EQ(v.m_histCount, 50);
    EXPECT_EQ(v.m_moveCount, 7);
    EXPECT_EQ(v.m_moveBlack, black);
    EXPECT_EQ(v.m_moveWhite, white);
}

TEST_F(PositionFile, RecordReaderKeepsTargetsWhenAsked)
{
    ViewHarness h;
    CKovraView& v = h.view();
    Write("p.txt", "w  1  1\nx  1  1\nx  0  3\nx  2  2\nx  3  3\nx  4  4\nx  5  5\nx  6  6\n");
    std::FILE* f = std::fopen("p.txt", "r");
    ASSERT_NE(f, nullptr);
    v.ResetPosition();
    v.ReadPositionRecords(f, true);
    std::fclose(f);
    ASSERT_EQ(v.m_targetCount, kMaxTargets);
    EXPECT_EQ(v.m_targetY[0], 1);
    EXPECT_EQ(v.m_targetX[1], 2);  // the record off the board is skipped
    EXPECT_EQ(v.m_targetY[4], 5);
    EXPECT_EQ(v.m_histCount, 1);
}
