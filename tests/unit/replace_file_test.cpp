// A file replaced whole: a write lost on the way, a sync, and a rename that
// fails each leave the old file as it was and say so.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <csignal>
#include <string>

#include "platform/replace_file.h"
#include "test_support.h"

namespace {

int g_fsyncCalls = 0;

// Counts the files in the working directory other than those named.
int OtherFiles(std::initializer_list<const char*> known)
{
    int count = 0;
    FILE* ls = popen("ls -A", "r");
    char line[512];
    while (std::fgets(line, sizeof line, ls) != nullptr) {
        std::string name(line);
        name.pop_back();
        bool isKnown = false;
        for (const char* k : known)
            isKnown = isKnown || name == k;
        count += !isKnown;
    }
    pclose(ls);
    return count;
}

class ReplaceFileTest : public ScratchDirTest {
protected:
    void SetUp() override
    {
        ScratchDirTest::SetUp();
        std::FILE* old = std::fopen("pos.txt", "w");
        std::fputs("old\n", old);
        std::fclose(old);
    }
};

}  // namespace

// Counts the syncs the code under test asks for and passes them on.
extern "C" int fsync(int fd)
{
    ++g_fsyncCalls;
    return static_cast<int>(::syscall(SYS_fsync, fd));
}

// Writes that were never checked one by one (a trace's lines) and failed
// on the way leave a file short: it must not replace the old one, even
// when the last flush goes through.
TEST_F(ReplaceFileTest, ALostWriteKeepsTheOldFile)
{
    CReplaceFile out;
    ASSERT_TRUE(out.Open("pos.txt", false));
    rlimit old;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const std::string line(100, 'x');
    for (int i = 0; i < 400; ++i)  // several stdio buffers
        std::fputs((line + "\n").c_str(), out.Stream());
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(out.Commit(false));
    EXPECT_EQ(ReadFile("pos.txt"), "old\n");
    EXPECT_EQ(OtherFiles({"pos.txt"}), 0);
}

TEST_F(ReplaceFileTest, ACommitAskedToSyncSyncs)
{
    CReplaceFile out;
    ASSERT_TRUE(out.Open("pos.txt", false));
    std::fputs("new\n", out.Stream());
    g_fsyncCalls = 0;
    EXPECT_TRUE(out.Commit(true));
    EXPECT_EQ(g_fsyncCalls, 1);
    EXPECT_EQ(ReadFile("pos.txt"), "new\n");
}

// A rename that fails (a directory stands at the name) is a failure, and
// the temporary file goes.
TEST_F(ReplaceFileTest, AFailedRenameIsAFailure)
{
    ASSERT_EQ(::mkdir("dir", 0700), 0);
    ASSERT_EQ(::mkdir("dir/inside", 0700), 0);
    CReplaceFile out;
    ASSERT_TRUE(out.Open("dir", false));
    std::fputs("new\n", out.Stream());
    EXPECT_FALSE(out.Commit(true));
    EXPECT_EQ(OtherFiles({"pos.txt", "dir"}), 0);
}
