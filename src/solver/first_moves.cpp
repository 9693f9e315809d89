#include "solver/first_moves.h"

#include <cctype>
#include <chrono>

#include "solver/reading_pool.h"

namespace {

bool SamePoint(const CFirstMoveReading& a, const CFirstMoveReading& b)
{
    return !a.IsPass() && !b.IsPass() && a.at == b.at;
}

// Indices of the readings with that result, the first one on each point.
std::vector<int> ReadingsWith(const CFirstMoveCheck& check, int result)
{
    std::vector<int> found;
    for (int i = 0; i < static_cast<int>(check.readings.size()); ++i) {
        const CFirstMoveReading& reading = check.readings[static_cast<std::size_t>(i)];
        if (reading.result != result)
            continue;
        bool seen = false;
        for (int j : found)
            seen = seen || SamePoint(check.readings[static_cast<std::size_t>(j)], reading);
        if (!seen)
            found.push_back(i);
    }
    return found;
}

}  // namespace

CFirstMoveCheck PrepareFirstMoveCheck(const CKovraView& view, go::Goal goal)
{
    CFirstMoveCheck check;
    check.goal = goal;
    check.problem = CViewState::Of(view);
    for (int i = 0; i < view.m_moveCount; ++i) {
        if (!view.IsRootCandidate(SideOf(goal), i))
            continue;
        CFirstMoveReading reading;
        reading.candidate = i;
        reading.at = go::MakeLoc(view.m_moveX[i], view.m_moveY[i]);
        check.readings.push_back(reading);
    }
    if (goal == go::Goal::Live && view.IsRootPassAllowed()) {
        CFirstMoveReading pass;
        pass.candidate = kFirstMovePass;
        pass.at = go::kPass;
        check.readings.push_back(pass);
    }
    return check;
}

void ReadProblem(CReadingWorker& worker, const CViewState& problem, go::Goal goal,
                 CFirstMoveReading& reading, const char* trace, const char* traceShown)
{
    CKovraView& view = worker.View();
    problem.PutInto(view);
    view.m_onlyFirstMove = reading.candidate;
    view.m_traceName = trace;
    view.m_traceShownName = traceShown;
    view.m_solverResult = 0;
    const auto start = std::chrono::steady_clock::now();
    if (goal == go::Goal::Live)
        view.OnStartDef();
    else
        view.OnStartAtk();
    const auto elapsed = std::chrono::steady_clock::now() - start;
    view.m_traceName = nullptr;
    view.m_traceShownName = nullptr;
    view.m_onlyFirstMove = kAllFirstMoves;
    reading.result = view.m_solverResult;
    reading.verdict = worker.LastStatus();
    reading.milliseconds =
        std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
    reading.cancelled = view.m_runCancelled;
    reading.traceFailed = view.m_traceFailed;
}

void ReadFirstMoves(CFirstMoveCheck& check, CReadingPool& pool, const std::atomic<bool>* cancel)
{
    pool.Run(static_cast<int>(check.readings.size()), [&check, cancel](int t, CReadingWorker& worker) {
        worker.Control().cancel = cancel;
        ReadProblem(worker, check.problem, check.goal,
                    check.readings[static_cast<std::size_t>(t)]);
    });
}

CFirstMoveOutcome JudgeFirstMoves(const CFirstMoveCheck& check)
{
    CFirstMoveOutcome outcome;
    for (std::size_t i = 0; i < check.readings.size(); ++i)
        if (check.readings[i].cancelled)
            outcome.cancelled.push_back(static_cast<int>(i));
    outcome.solutions = ReadingsWith(check, check.goal == go::Goal::Live ? kLife : kDeath);
    if (outcome.solutions.empty() && outcome.cancelled.empty())
        outcome.solutions = ReadingsWith(check, kKo);
    outcome.exhausted = ReadingsWith(check, kExhausted);
    return outcome;
}

std::string FirstMoveName(const CFirstMoveReading& reading)
{
    if (reading.IsPass())
        return "pass";
    return "(" + std::to_string(go::LocY(reading.at)) + "," + std::to_string(go::LocX(reading.at)) + ")";
}

char VerdictLetter(const CFirstMoveReading& reading)
{
    if (reading.verdict.empty())
        return '?';
    return static_cast<char>(std::toupper(static_cast<unsigned char>(reading.verdict[0])));
}
