// "Check first moves": every root candidate read alone on worker views,
// away from the window; the letters of their verdicts on the board and the
// number of solutions in the status bar.
#include <atomic>
#include <functional>
#include <memory>
#include <string>

#include "board/kovra_view.h"
#include "platform/background.h"
#include "platform/canvas.h"
#include "solver/first_moves.h"
#include "solver/reading_pool.h"

namespace {

constexpr Rgb kRed = MakeRgb(255, 0, 0);

// What the status bar says of a finished check; pointName names a point
// when set.
std::string OutcomeText(const CFirstMoveCheck& check,
                        const std::function<std::string(int x, int y)>& pointName)
{
    const CFirstMoveOutcome outcome = JudgeFirstMoves(check);
    std::string text;
    if (outcome.solutions.empty()) {
        text = "no solution";
    } else if (outcome.solutions.size() == 1) {
        const CFirstMoveReading& only = check.readings[static_cast<std::size_t>(outcome.solutions[0])];
        text = only.IsPass() ? "unique solution: pass"
               : pointName   ? "unique solution at " + pointName(go::LocX(only.at), go::LocY(only.at))
                             : "unique solution at " + FirstMoveName(only);
    } else {
        text = std::to_string(outcome.solutions.size()) + " solutions";
    }
    if (!outcome.exhausted.empty())
        text += ", " + std::to_string(outcome.exhausted.size()) + " exhausted";
    return text;
}

}  // namespace

void CKovraView::OnCheckFirstMoves()
{
    if (m_targetCount < 1) {
        ShowStatus("specify target stones");
        return;
    }
    // The side of the last solver command; "start to kill" before any.
    auto check = std::make_shared<CFirstMoveCheck>(PrepareFirstMoveCheck(*this, GoalOfSide(m_solverSide)));
    const int workers = m_checkWorkers > 0 ? m_checkWorkers : CReadingPool::Cores();
    ShowStatus("checking first moves");
    const std::atomic<bool>* cancel = m_pBackground ? m_pBackground->CancelFlag() : nullptr;
    auto work = [check, workers, cancel] {
        CReadingPool pool(workers);
        ReadFirstMoves(*check, pool, cancel);
    };
    auto done = [this, check] { ShowFirstMoves(*check); };
    if (m_pBackground) {
        if (!m_pBackground->Start(work, done))  // other work runs, or no thread
            ShowStatus("cancelled");
        return;
    }
    work();
    done();
}

void CKovraView::ShowFirstMoves(const CFirstMoveCheck& check)
{
    for (const CFirstMoveReading& reading : check.readings)
        if (reading.cancelled) {  // stopped: nothing half-read is shown
            ShowStatus("cancelled");
            return;
        }
    for (const CFirstMoveReading& reading : check.readings) {
        if (reading.IsPass() || !m_pCanvas)
            continue;
        const int x = go::LocX(reading.at);
        const int y = go::LocY(reading.at);
        const unsigned char stone = m_board[y][x];
        DrawPoint(stone == kBlack ? 'b' : stone == kWhite ? 'w' : 's', 0, x, y);
        const char letter[2] = {VerdictLetter(reading), '\0'};
        m_pCanvas->SetTextColor(kRed);
        m_pCanvas->SetBkModeTransparent();
        m_pCanvas->TextOut((x - 1) * kCellPixels + 9, (y - 1) * kCellPixels + 5, letter);
    }
    ShowStatus(OutcomeText(check, m_pointName).c_str());
}
