#include "position_problem.h"

#include "board/kovra_view.h"
#include "board/view_colors.h"

namespace {

bool IsCandidate(const PositionRecord& r, go::Kind& kind)
{
    return r.complete && go::KindOfLetter(r.letter, kind) && OnBoard(r.column, r.row);
}

}  // namespace

int CandidateRecords(const std::string& text)
{
    int count = 0;
    ScanPositionRecords(text, [&](const PositionRecord& r) {
        go::Kind kind;
        count += IsCandidate(r, kind);
    });
    return count;
}

go::Problem PositionProblem(const CKovraView& view, const std::string& text, bool live)
{
    go::Problem problem;
    problem.board = go::Board(kBoardSize);
    for (int y = 1; y <= kBoardSize; ++y)
        for (int x = 1; x <= kBoardSize; ++x) {
            const go::Color c = ColorOfStone(view.m_board[y][x]);
            if (go::IsStone(c))
                problem.board.SetStone(go::MakeLoc(x, y), c);
        }
    for (int t = 0; t < view.m_targetCount; ++t)
        problem.targets.push_back(go::MakeLoc(view.m_targetX[t], view.m_targetY[t]));
    ScanPositionRecords(text, [&](const PositionRecord& r) {
        go::Kind kind;
        if (IsCandidate(r, kind))
            problem.candidates.push_back(go::Candidate{go::MakeLoc(r.column, r.row), kind});
    });
    problem.defender = kTableDefender;
    problem.first = live ? kTableDefender : kTableAttacker;
    return problem;
}
