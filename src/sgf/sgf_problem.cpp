// Marked problems (targets and candidates in the file) on the file's board,
// the way back from Kovra's board to the file's, and a problem set up in the view.
#include <cstring>
#include <string>
#include <vector>

#include "board/kovra_view.h"
#include "board/view_colors.h"
#include "sgf/sgf.h"

namespace {

bool Same(SgfPoint a, SgfPoint b) { return a.x == b.x && a.y == b.y; }

std::string PointText(SgfPoint p)
{
    return "(" + std::to_string(p.x) + ", " + std::to_string(p.y) + ")";
}

// The targets' colour in the file, Empty when they are not all stones of
// one colour (the reason in error).
go::Color TargetColour(const go::Board& board, const SgfSource& source, std::string& error)
{
    go::Color colour = go::Color::Empty;
    for (const SgfPoint& t : source.targets) {
        const go::Color c = board.At(go::MakeLoc(t.x, t.y));
        if (!go::IsStone(c)) {
            error = "target " + PointText(t) + " is not a stone";
            return go::Color::Empty;
        }
        if (colour != go::Color::Empty && c != colour) {
            error = "targets of both colours";
            return go::Color::Empty;
        }
        colour = c;
    }
    return colour;
}

// A marked problem as the file marks it: its stones, targets and
// candidates; the targets' colour defends.
std::string PoseMarked(const SgfSource& source, const PoseOptions& options, go::Problem& problem)
{
    if (source.targets.empty())
        return "no target marked (TR or MA)";
    problem = go::Problem();
    problem.board = StonesOf(source);
    std::string error;
    const go::Color defender = TargetColour(problem.board, source, error);
    if (defender == go::Color::Empty)
        return error;
    problem.defender = defender;
    for (const SgfPoint& t : source.targets)
        problem.targets.push_back(go::MakeLoc(t.x, t.y));
    for (const SgfSource::Candidate& c : source.candidates) {
        go::Kind kind = go::Kind::F;
        go::KindOfLetter(c.kind, kind);
        problem.candidates.push_back(go::Candidate{go::MakeLoc(c.at.x, c.at.y), kind});
    }
    problem.first = !options.goal                          ? FirstPlayer(source)
                    : *options.goal == go::Goal::Live ? defender
                                                      : go::Opponent(defender);
    return std::string();
}

}  // namespace

SgfPoint KovraProblem::ToSource(SgfPoint p) const
{
    if (symmetry & 1)
        p.x = sourceSize + 1 - p.x;
    if (symmetry & 2)
        p.y = sourceSize + 1 - p.y;
    return p;
}

bool SameSetup(const KovraProblem& a, const KovraProblem& b)
{
    if (std::memcmp(a.stone, b.stone, sizeof a.stone) != 0 || a.targets.size() != b.targets.size() ||
        a.moves.size() != b.moves.size())
        return false;
    for (std::size_t i = 0; i < a.targets.size(); ++i)
        if (!Same(a.targets[i], b.targets[i]))
            return false;
    for (std::size_t i = 0; i < a.moves.size(); ++i)
        if (a.moves[i].kind != b.moves[i].kind || !Same(a.moves[i].at, b.moves[i].at))
            return false;
    return true;
}

SgfPoint KovraProblem::FromSource(SgfPoint p) const
{
    if (symmetry & 1)
        p.x = sourceSize + 1 - p.x;
    if (symmetry & 2)
        p.y = sourceSize + 1 - p.y;
    return p;
}

std::string KovraProblem::SourceLetters(SgfPoint p) const
{
    return SgfLetters(ToSource(p));
}

std::string PoseOnBoard(const SgfSource& source, const PoseOptions& options, go::Problem& problem)
{
    return source.candidates.empty() ? PosePlain(source, options, problem)
                                     : PoseMarked(source, options, problem);
}

std::string PoseProblem(const SgfSource& source, const PoseOptions& options, KovraProblem& problem)
{
    go::Problem posed;
    std::string error = PoseOnBoard(source, options, posed);
    if (error.empty())
        error = ToTableProblem(posed, source.candidates.empty(), problem);
    problem.info = source.info;
    return error;
}

void LoadProblem(CKovraView& view, const KovraProblem& problem)
{
    view.ResetPosition();
    view.m_targetCount = 0;
    // A verdict of an earlier problem does not belong to this one, and
    // Refresh comes back to the problem as opened.
    view.m_solverResult = 0;
    view.m_solverSide = ' ';
    for (int y = 1; y <= kBoardSize; ++y)
        for (int x = 1; x <= kBoardSize; ++x) {
            const go::Color c = problem.At(x, y);
            if (!go::IsStone(c) || !view.PushHistory(HistoryLetter(c), x, y))
                continue;
            view.m_board[y][x] = StoneByte(c);
            view.m_groupsStale = 1;
        }
    for (const SgfSource::Candidate& c : problem.moves)
        if (view.m_moveCount < kMaxMoves)
            view.AppendMoveEntry(c.kind, c.at.x, c.at.y);
    view.DrawBoard();
    for (const SgfPoint& t : problem.targets)
        if (view.m_targetCount < kMaxTargets) {
            view.m_targetX[view.m_targetCount] = static_cast<signed char>(t.x);
            view.m_targetY[view.m_targetCount] = static_cast<signed char>(t.y);
            ++view.m_targetCount;
        }
    view.MarkRecordedTargets();
    view.m_histBase = view.m_histCount;
}

go::Loc KovraProblem::FileLoc(SgfPoint p) const
{
    const SgfPoint q = ToSource(p);
    return go::MakeLoc(q.x, q.y);
}

go::Player KovraProblem::FilePlayer(go::Player kovra) const
{
    return swapped ? go::Opponent(kovra) : kovra;
}

go::Problem OnFileBoard(const KovraProblem& problem)
{
    go::Problem out;
    out.board = go::Board(problem.sourceSize);
    for (int y = 1; y <= kBoardSize; ++y)
        for (int x = 1; x <= kBoardSize; ++x) {
            const go::Color c = problem.At(x, y);
            if (go::IsStone(c))
                out.board.SetStone(problem.FileLoc(SgfPoint{x, y}), problem.FilePlayer(c));
        }
    for (const SgfPoint& t : problem.targets)
        out.targets.push_back(problem.FileLoc(t));
    for (const SgfSource::Candidate& c : problem.moves) {
        go::Kind kind = go::Kind::F;
        go::KindOfLetter(c.kind, kind);
        out.candidates.push_back(go::Candidate{problem.FileLoc(c.at), kind});
    }
    // Kovra's defender is the file's Black when swapped.
    out.defender = problem.FilePlayer(kTableDefender);
    out.first = problem.FilePlayer(problem.First());
    return out;
}

KovraProblem ProblemOfView(const CKovraView& view)
{
    KovraProblem problem;
    for (int y = 1; y <= kBoardSize; ++y)
        for (int x = 1; x <= kBoardSize; ++x)
            problem.Set(x, y, ColorOfStone(view.m_board[y][x]));
    for (int t = 0; t < view.m_targetCount; ++t)
        problem.targets.push_back(SgfPoint{view.m_targetX[t], view.m_targetY[t]});
    for (int i = 0; i < view.m_moveCount; ++i)
        problem.moves.push_back(SgfSource::Candidate{view.m_moveKind[i], SgfPoint{view.m_moveX[i], view.m_moveY[i]}});
    problem.live = GoalOfSide(view.m_solverSide) == go::Goal::Live;
    return problem;
}
