// The two readings of a problem and their verdict: the first favours the
// first player's opponent in kos, the second the first player.
#include "wide/wide_reader.h"

#include "solver/run_control.h"
#include "wide/wide_impl.h"

namespace go {

std::vector<Loc> FirstMoves(const Problem& problem)
{
    std::vector<Loc> moves;
    for (const Candidate& c : problem.candidates) {
        if (c.kind != Kind::F)
            continue;
        bool seen = false;
        for (Loc m : moves)
            seen = seen || m == c.at;
        if (!seen && problem.board.IsPoint(c.at) && problem.board.IsLegal(c.at, problem.first))
            moves.push_back(c.at);
    }
    if (problem.first == problem.defender)
        moves.push_back(kPass);
    return moves;
}

WideReader::WideReader(std::size_t tableBytes) : m_impl(new Impl(tableBytes)) {}
WideReader::~WideReader() = default;

WideReading WideReader::Read(const Problem& problem, Loc only, CRunControl* control)
{
    Impl& impl = *m_impl;
    impl.Start(problem, only);
    WideReading reading;
    const WideRules& rules = *impl.rules;
    const bool kill = problem.first != problem.defender;
    const Verdict success = kill ? Verdict::Death : Verdict::Life;
    const Verdict failure = kill ? Verdict::Life : Verdict::Death;
    // Nothing to read when a target is gone already, or when the targets
    // live whatever the attacker plays (a first move read alone is still
    // played: it may spoil the life).
    const End end = rules.EndOf(problem.board, problem.first, true, Color::Empty);
    if (end == End::Death || (end == End::Life && only == kNoLoc)) {
        reading.verdict = end == End::Death ? Verdict::Death : Verdict::Life;
        impl.verdict = reading.verdict;
        return reading;
    }
    WideSearch& search = *impl.search;
    search.SetControl(control);
    for (int r = 1; r <= 2; ++r) {
        search.SetReading(r == 1 ? Opponent(problem.first) : problem.first, r);
        const WideSearch::Outcome out = search.Solve(problem.board, problem.first, Stage::Fight, {}, only, true);
        reading.expanded = search.Expanded();
        reading.played = search.Played();
        reading.depth = search.MaxDepth();
        reading.tableBytes = impl.table.Bytes();
        if (out.cancelled) {
            reading.verdict = Verdict::Cancelled;
            break;
        }
        impl.treeReading = r;
        reading.promising = out.promising;
        if (out.moverWins) {
            reading.verdict = r == 1 ? success : Verdict::Ko;
            break;
        }
        reading.verdict = failure;
    }
    if (control)
        control->nodes.store(reading.expanded > INT32_MAX ? INT32_MAX : static_cast<std::int32_t>(reading.expanded));
    impl.verdict = reading.verdict;
    return reading;
}

WideReader::OtherWinner WideReader::FindOtherWinner(const Problem& problem, const std::vector<Loc>& known,
                                                    CRunControl* control)
{
    Impl& impl = *m_impl;
    impl.Start(problem, kNoLoc);
    WideSearch& search = *impl.search;
    search.SetControl(control);
    search.SetReading(Opponent(problem.first), 1);
    const WideSearch::Outcome out = search.Solve(problem.board, problem.first, Stage::Fight, {}, kNoLoc, true, known);
    OtherWinner winner;
    winner.cancelled = out.cancelled;
    if (!out.cancelled && out.moverWins)
        winner.move = out.best;
    return winner;
}

void WideReader::Forget()
{
    m_impl->Forget();
}

std::vector<TreeMove> WideReader::SolutionTree(int limit, bool& cut)
{
    return m_impl->Tree(limit, cut);
}

}  // namespace go
