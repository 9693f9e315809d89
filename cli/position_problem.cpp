#include "position_problem.h"

#include "board/kovra_view.h"

namespace {

bool IsCandidate(char letter, int row, int column, go::Kind& kind)
{
    return go::KindOfLetter(letter, kind) && OnBoard(column, row);
}

}  // namespace

int CandidateRecords(const std::string& text)
{
    int count = 0;
    ScanPositionRecords(text, [&](char letter, int row, int column) {
        go::Kind kind;
        count += IsCandidate(letter, row, column, kind);
    });
    return count;
}

go::Problem PositionProblem(const CKovraView& view, const std::string& text, bool live)
{
    constexpr int kSide = kBoardWidth - 2;
    go::Problem problem;
    problem.board = go::Board(kSide);
    for (int y = 1; y <= kSide; ++y)
        for (int x = 1; x <= kSide; ++x) {
            const unsigned char c = view.m_board[y][x];
            if (c == kBlack || c == kWhite)
                problem.board.SetStone(go::MakeLoc(x, y), c == kBlack ? go::Color::Black : go::Color::White);
        }
    for (int t = 0; t < view.m_targetCount; ++t)
        problem.targets.push_back(go::MakeLoc(view.m_targetX[t], view.m_targetY[t]));
    ScanPositionRecords(text, [&](char letter, int row, int column) {
        go::Kind kind;
        if (IsCandidate(letter, row, column, kind))
            problem.candidates.push_back(go::Candidate{go::MakeLoc(column, row), kind});
    });
    problem.defender = go::Color::White;
    problem.first = live ? go::Color::White : go::Color::Black;
    return problem;
}
