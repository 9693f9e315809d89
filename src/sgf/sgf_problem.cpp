// Marked problems (targets and candidates in the file) placed on Kovra's
// board, the way back to the file's board, and a problem set up in the view.
#include <cstring>
#include <string>
#include <vector>

#include "board/kovra_view.h"
#include "sgf/sgf.h"

namespace {

constexpr int kSide = 11;

bool Same(SgfPoint a, SgfPoint b) { return a.x == b.x && a.y == b.y; }

std::string PointText(SgfPoint p)
{
    return "(" + std::to_string(p.x) + ", " + std::to_string(p.y) + ")";
}

// Every stone, target and candidate of the file lands on Kovra's board.
bool Fits(const KovraProblem& problem, const SgfSource& source)
{
    auto inside = [&](SgfPoint p) {
        const SgfPoint q = problem.FromSource(p);
        return q.x >= 1 && q.x <= kSide && q.y >= 1 && q.y <= kSide;
    };
    for (const SgfPoint& p : source.black)
        if (!inside(p))
            return false;
    for (const SgfPoint& p : source.white)
        if (!inside(p))
            return false;
    for (const SgfPoint& p : source.targets)
        if (!inside(p))
            return false;
    for (const SgfSource::Candidate& c : source.candidates)
        if (!inside(c.at))
            return false;
    return true;
}

// 1 black, 2 white, 0 empty: the file's stone at p.
int SourceStone(const SgfSource& source, SgfPoint p)
{
    for (const SgfPoint& b : source.black)
        if (Same(b, p))
            return 1;
    for (const SgfPoint& w : source.white)
        if (Same(w, p))
            return 2;
    return 0;
}

// The targets' colour in the file: 1 or 2, 0 when they are not all stones of
// one colour (the reason in error).
int TargetColour(const SgfSource& source, std::string& error)
{
    int colour = 0;
    for (const SgfPoint& t : source.targets) {
        const int c = SourceStone(source, t);
        if (c == 0) {
            error = "target " + PointText(t) + " is not a stone";
            return 0;
        }
        if (colour != 0 && c != colour) {
            error = "targets of both colours";
            return 0;
        }
        colour = c;
    }
    return colour;
}

std::string PoseMarked(const SgfSource& source, const PoseOptions& options, KovraProblem& problem)
{
    if (source.targets.empty())
        return "no target marked (TR or MA)";
    if (source.targets.size() > static_cast<std::size_t>(kMaxTargets))
        return std::to_string(source.targets.size()) + " targets (at most 5)";
    if (source.candidates.size() > static_cast<std::size_t>(kMaxMoves))
        return std::to_string(source.candidates.size()) + " candidates (at most 15)";
    std::string error;
    const int defender = TargetColour(source, error);
    if (defender == 0)
        return error;

    problem = KovraProblem();
    // A smaller board fits as it stands (symmetry 0), which needs no size.
    problem.sourceSize = source.size;
    // Kovra's White defends: a file whose targets are black swaps colours.
    problem.swapped = defender == 1;
    // The problem stands where it is when it fits; else the first of the
    // other symmetries that brings it onto the board.
    for (problem.symmetry = 0; problem.symmetry < 8; ++problem.symmetry)
        if (Fits(problem, source))
            break;
    if (problem.symmetry == 8)
        return "does not fit an 11x11 board";

    for (int y = 1; y <= kSide; ++y)
        for (int x = 1; x <= kSide; ++x) {
            const int c = SourceStone(source, problem.ToSource(SgfPoint{x, y}));
            problem.stone[y - 1][x - 1] =
                static_cast<unsigned char>(c == 0 ? 0 : problem.swapped ? 3 - c : c);
        }
    for (const SgfPoint& t : source.targets)
        problem.targets.push_back(problem.FromSource(t));
    for (const SgfSource::Candidate& c : source.candidates)
        problem.moves.push_back(SgfSource::Candidate{c.kind, problem.FromSource(c.at)});

    // Who moves first: the option, else PL (the defender to play means
    // "start to live"), else "start to kill".
    if (options.command != 0)
        problem.live = options.command == 'l';
    else if (source.toPlay != 0)
        problem.live = (source.toPlay == 'B' ? 1 : 2) == defender;
    return std::string();
}

}  // namespace

SgfPoint KovraProblem::ToSource(SgfPoint p) const
{
    if (symmetry & 4)
        p = SgfPoint{p.y, p.x};
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
    if (symmetry & 4)
        p = SgfPoint{p.y, p.x};
    return p;
}

std::string KovraProblem::SourceLetters(SgfPoint p) const
{
    const SgfPoint q = ToSource(p);
    return std::string{static_cast<char>('a' + q.x - 1), static_cast<char>('a' + q.y - 1)};
}

std::string PoseProblem(const SgfSource& source, const PoseOptions& options, KovraProblem& problem)
{
    const std::string error = source.candidates.empty() ? PosePlain(source, options, problem)
                                                        : PoseMarked(source, options, problem);
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
    for (int y = 1; y <= kSide; ++y)
        for (int x = 1; x <= kSide; ++x) {
            const unsigned char c = problem.stone[y - 1][x - 1];
            if (c == 0 || !view.PushHistory(c == 1 ? 'b' : 'w', x, y))
                continue;
            view.m_board[y][x] = c == 1 ? kBlack : kWhite;
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

go::Player KovraProblem::FilePlayer(int colour) const
{
    return (swapped ? 3 - colour : colour) == 1 ? go::Color::Black : go::Color::White;
}

go::Problem OnFileBoard(const KovraProblem& problem)
{
    go::Problem out;
    out.board = go::Board(problem.sourceSize);
    for (int y = 1; y <= kSide; ++y)
        for (int x = 1; x <= kSide; ++x) {
            const unsigned char c = problem.stone[y - 1][x - 1];
            if (c != 0)
                out.board.SetStone(problem.FileLoc(SgfPoint{x, y}), problem.FilePlayer(c));
        }
    for (const SgfPoint& t : problem.targets)
        out.targets.push_back(problem.FileLoc(t));
    for (const SgfSource::Candidate& c : problem.moves) {
        go::Kind kind = go::Kind::F;
        go::KindOfLetter(c.kind, kind);
        out.candidates.push_back(go::Candidate{problem.FileLoc(c.at), kind});
    }
    // Kovra's White is the defender: the file's Black when swapped.
    out.defender = problem.FilePlayer(2);
    out.first = problem.FilePlayer(problem.live ? 2 : 1);
    return out;
}

KovraProblem ProblemOfView(const CKovraView& view)
{
    KovraProblem problem;
    for (int y = 1; y <= kSide; ++y)
        for (int x = 1; x <= kSide; ++x) {
            const unsigned char c = view.m_board[y][x];
            problem.stone[y - 1][x - 1] = c == kBlack ? 1 : c == kWhite ? 2 : 0;
        }
    for (int t = 0; t < view.m_targetCount; ++t)
        problem.targets.push_back(SgfPoint{view.m_targetX[t], view.m_targetY[t]});
    for (int i = 0; i < view.m_moveCount; ++i)
        problem.moves.push_back(SgfSource::Candidate{view.m_moveKind[i], SgfPoint{view.m_moveX[i], view.m_moveY[i]}});
    problem.live = view.m_solverSide == 'w';
    return problem;
}
