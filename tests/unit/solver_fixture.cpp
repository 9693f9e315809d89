#include "solver_fixture.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

void LoadProblem(CKovraView& view, const Problem& problem)
{
    view.ResetPosition();
    SetBoard(view, problem.rows);
    for (int y = 1; y <= 11; ++y)
        for (int x = 1; x <= 11; ++x)
            if (view.m_board[y][x] != kEmpty)
                view.PushHistory(view.m_board[y][x] == kBlack ? 'b' : 'w', x, y);
    view.m_groupsStale = 1;
    view.m_targetCount = 0;
    view.m_groupsReady = 0;
    for (const TargetPoint& t : problem.targets)
        view.MarkTarget(t.x, t.y);
    for (const MoveEntry& m : problem.moves)
        AddMoveEntry(view, m.kind, m.x, m.y);
}

std::uint32_t Fnv1a(const std::string& bytes)
{
    std::uint32_t hash = 2166136261u;
    for (unsigned char c : bytes) {
        hash ^= c;
        hash *= 16777619u;
    }
    return hash;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void SolverTest::SetUp()
{
    char old[4096];
    ASSERT_NE(getcwd(old, sizeof old), nullptr);
    m_oldDir = old;
    char pattern[] = "/tmp/kovra-solver-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    m_dir = pattern;
    ASSERT_EQ(chdir(m_dir.c_str()), 0);
}

void SolverTest::TearDown()
{
    std::remove((m_dir + "/db.txt").c_str());
    if (chdir(m_oldDir.c_str()) != 0)
        ADD_FAILURE() << "cannot return to " << m_oldDir;
    rmdir(m_dir.c_str());
}

std::string SolverTest::Run(void (CKovraView::*command)())
{
    std::FILE* out = std::tmpfile();
    h.view().m_summaryOut = out;
    (h.view().*command)();
    h.view().m_summaryOut = nullptr;
    std::string text;
    std::rewind(out);
    for (int c; (c = std::fgetc(out)) != EOF;)
        text += char(c);
    std::fclose(out);
    return text;
}

std::string SolverTest::Kill() { return Run(&CKovraView::OnStartAtk); }
std::string SolverTest::Live() { return Run(&CKovraView::OnStartDef); }
