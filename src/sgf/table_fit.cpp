// A problem posed on its file's board, moved onto the table reader's 11x11
// board when it fits there: its corner at the top-left, White defending.
#include <string>

#include "board/kovra_view.h"
#include "sgf/sgf.h"

namespace {

constexpr int kSide = kBoardSize;

// Every point the problem uses lands on the window; with open sides on a
// larger board, off its last line too (there the real board goes on).
bool Fits(const KovraProblem& window, const go::Problem& posed, bool openSides)
{
    const int last = openSides && posed.board.Size() > kSide ? kSide - 1 : kSide;
    auto inside = [&](go::Loc loc) {
        const SgfPoint q = window.FromSource(SgfPoint{go::LocX(loc), go::LocY(loc)});
        return q.x >= 1 && q.x <= last && q.y >= 1 && q.y <= last;
    };
    for (int y = 1; y <= posed.board.Size(); ++y)
        for (int x = 1; x <= posed.board.Size(); ++x)
            if (go::IsStone(posed.board.At(go::MakeLoc(x, y))) && !inside(go::MakeLoc(x, y)))
                return false;
    for (go::Loc t : posed.targets)
        if (!inside(t))
            return false;
    for (const go::Candidate& c : posed.candidates)
        if (!inside(c.at))
            return false;
    return true;
}

SgfPoint PointOf(go::Loc loc) { return SgfPoint{go::LocX(loc), go::LocY(loc)}; }

}  // namespace

std::string ToTableProblem(const go::Problem& posed, bool openSides, KovraProblem& problem)
{
    problem = KovraProblem();
    if (posed.targets.size() > static_cast<std::size_t>(kMaxTargets))
        return std::to_string(posed.targets.size()) + " targets (at most 5)";
    if (posed.candidates.size() > static_cast<std::size_t>(kMaxMoves))
        return std::to_string(posed.candidates.size()) + " candidates (at most 15)";
    problem.sourceSize = posed.board.Size();
    // Kovra's White defends: a problem whose defender is Black swaps colours.
    problem.swapped = posed.defender == go::Color::Black;
    // The problem stands where it is when it fits; else the first of the
    // mirrors that brings its corner to the top-left.
    constexpr int kMirrors = 4;
    for (problem.symmetry = 0; problem.symmetry < kMirrors; ++problem.symmetry)
        if (Fits(problem, posed, openSides))
            break;
    if (problem.symmetry == kMirrors)
        return openSides ? "does not fit an 11x11 corner" : "does not fit an 11x11 board";

    for (int y = 1; y <= kSide; ++y)
        for (int x = 1; x <= kSide; ++x) {
            const go::Loc loc = problem.FileLoc(SgfPoint{x, y});
            const go::Color c = posed.board.IsPoint(loc) ? posed.board.At(loc) : go::Color::Empty;
            if (go::IsStone(c))  // Kovra's White defends
                problem.Set(x, y, c == posed.defender ? go::Color::White : go::Color::Black);
        }
    for (go::Loc t : posed.targets)
        problem.targets.push_back(problem.FromSource(PointOf(t)));
    for (const go::Candidate& c : posed.candidates)
        problem.moves.push_back(SgfSource::Candidate{go::LetterOf(c.kind), problem.FromSource(PointOf(c.at))});
    problem.live = posed.first == posed.defender;
    return std::string();
}
