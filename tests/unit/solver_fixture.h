// Helpers for the solver tests: a problem given as an ASCII board with its
// candidate points and targets, set up the way a user's clicks set it up,
// and runs of the two commands inside a scratch working directory.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "test_support.h"

struct MoveEntry {
    char kind;  // 'f', 'm', 'y' or 'z'
    int x;      // column
    int y;      // row
};

struct TargetPoint {
    int x;
    int y;
};

struct Problem {
    std::vector<std::string> rows;  // 'X' black, 'O' white, '.' empty
    std::vector<MoveEntry> moves;
    std::vector<TargetPoint> targets;
};

// Starts from an empty position ("NewGame"), puts the stones as stone-edit clicks do (history entries, row by row),
// marks the targets as target clicks do, then enters the candidate points.
void LoadProblem(CKovraView& view, const Problem& problem);

// FNV-1a of a byte string: a short fingerprint of a trace.
std::uint32_t Fnv1a(const std::string& bytes);

std::string ReadFile(const std::string& path);

// Each test runs in a fresh scratch directory, where the commands write
// db.txt; the summary line is caught in a temporary stream.
class SolverTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    CKovraView& view() { return h.view(); }
    void Load(const Problem& problem) { LoadProblem(h.view(), problem); }
    // Runs a command and returns the summary line it printed.
    std::string Kill();
    std::string Live();
    std::string Trace() const { return ReadFile(m_dir + "/db.txt"); }
    std::string Status() const { return h.frame.Last(); }

    ViewHarness h;

private:
    std::string Run(void (CKovraView::*command)());
    std::string m_dir;
    std::string m_oldDir;
};
