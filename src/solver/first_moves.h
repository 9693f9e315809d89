// The composer's check: each root candidate of a solver command read alone,
// as the only first move, with a fresh table, and which of them work.
#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "board/kovra_view.h"
#include "board/view_state.h"

struct CReadingWorker;
class CReadingPool;

// One reading of a problem: the whole command or one first move alone.
struct CFirstMoveReading {
    // The table reader's root candidate (its view's m_onlyFirstMove):
    // kAllFirstMoves, a move-list entry or kFirstMovePass; a wide reading's
    // number. The answers of one problem's readings are kept by it.
    int candidate = kAllFirstMoves;
    // The first move read alone: its point, go::kPass, or go::kNoLoc for
    // the whole command.
    go::Loc at = go::kNoLoc;
    int result = 0;                  // the command's result code
    std::string verdict;             // the text the status bar shows, "death=5/10"
    long long milliseconds = 0;      // the time the command took
    bool cancelled = false;          // stopped before its end ("cancelled")
    bool traceFailed = false;        // its trace could not be written completely
    // The wide reader's whole reading: its first moves, most promising first.
    std::vector<go::Loc> promising;
    // The wide reader's counters: positions expanded, moves and passes played.
    long long expanded = 0;
    long long played = 0;

    bool IsPass() const { return at == go::kPass; }
};

struct CFirstMoveCheck {
    go::Goal goal = go::Goal::Kill;  // "start to kill", or "start to live"
    CViewState problem;
    // The root candidates in the order the root tries them, then the pass
    // where the rules allow it.
    std::vector<CFirstMoveReading> readings;
};

// The first moves the view's problem may open with under side's command.
CFirstMoveCheck PrepareFirstMoveCheck(const CKovraView& view, go::Goal goal);

// Reads the problem with the command of side on the worker's view, only
// reading.candidate at the root; trace names the trace file or is null
// (traceShown: the name its messages give it, when another).
void ReadProblem(CReadingWorker& worker, const CViewState& problem, go::Goal goal,
                 CFirstMoveReading& reading, const char* trace = nullptr,
                 const char* traceShown = nullptr);

// Reads every candidate of the check alone, side by side on the pool; a
// set cancel flag stops every reading ("cancelled").
void ReadFirstMoves(CFirstMoveCheck& check, CReadingPool& pool,
                    const std::atomic<bool>* cancel = nullptr);

// Which readings work (indices, one per point): those that reach the
// side's goal (death for "start to kill", life for "start to live"), or,
// when none does, those that reach ko. Exhausted readings are listed apart:
// they might work with a deeper reading. So are stopped ones: while there
// are any, only the readings that reach the goal are solutions (a stopped
// one may reach it too, so ko cannot stand in for it).
struct CFirstMoveOutcome {
    std::vector<int> solutions;
    std::vector<int> exhausted;
    std::vector<int> cancelled;
};
CFirstMoveOutcome JudgeFirstMoves(const CFirstMoveCheck& check);

// "(R,C)" for an entry's point, "pass" for the pass.
std::string FirstMoveName(const CFirstMoveReading& reading);

// The letter written on a candidate's point: the verdict's first letter,
// D(eath), L(ife), K(o), E(xhausted) or ? (undecided).
char VerdictLetter(const CFirstMoveReading& reading);
