#include "wide/wide_rules.h"

#include <algorithm>


namespace go {

WideRules::WideRules(const Problem& problem)
    : m_defender(problem.defender),
      m_attacker(Opponent(problem.defender)),
      m_first(problem.first),
      m_targets(problem.targets)
{
    // One stone of each target string is enough to watch.
    std::vector<Loc> targets;
    for (Loc t : m_targets) {
        bool again = false;
        for (Loc u : targets)
            again = again || problem.board.Head(u) == problem.board.Head(t);
        if (!again || !IsStone(problem.board.At(t)))
            targets.push_back(t);
    }
    m_strings = targets;
    for (const Candidate& c : problem.candidates) {
        if (!problem.board.IsPoint(c.at) || m_isCandidate[c.at])
            continue;
        m_isCandidate[c.at] = true;
        m_kind[c.at] = c.kind;
        m_points.push_back(c);
    }
}

bool WideRules::KindAllows(const Board& board, Loc loc, Player p, bool root) const
{
    if (!m_isCandidate[loc])
        return false;
    const Kind kind = m_kind[loc];
    if (root)
        return p == m_first && kind == Kind::F;
    if (kind == Kind::F || kind == Kind::M)
        return true;
    const Player wanted = p == m_defender ? m_attacker : m_defender;
    if (p == m_defender && kind == Kind::Z)
        return false;
    if (p == m_attacker && kind == Kind::Y)
        return true;
    // y for the defender: to take an attacker string in atari; z for the
    // attacker: next to a defender stone.
    for (int d : kAdjacent) {
        const Loc n = static_cast<Loc>(loc + d);
        if (board.At(n) == wanted && (p == m_attacker || board.Liberties(n) == 1))
            return true;
    }
    return false;
}

bool WideRules::MayPlay(const Board& board, Loc loc, Player p, bool root, Player favoured) const
{
    if (board.At(loc) != Color::Empty || !KindAllows(board, loc, p, root))
        return false;
    // The banned retake always takes the stone that took, so it is legal
    // but for the ban.
    return board.IsLegal(loc, p) || (p == favoured && loc == board.KoBan() && p == board.KoBanned());
}

bool WideRules::PlayMove(Board& board, Loc loc, Player p, Player favoured)
{
    if (p == favoured && loc == board.KoBan() && p == board.KoBanned())
        board.LiftKoBan();
    return board.Play(loc, p);
}

bool WideRules::TargetTaken(const Board& board) const
{
    for (Loc t : m_targets)
        if (board.At(t) != m_defender)
            return true;
    return false;
}

bool WideRules::TargetsAlive(const Board& board) const
{
    return m_benson.TargetsAlive(board, m_defender, m_isCandidate, m_strings);
}

End WideRules::EndOf(const Board& board, Player toMove, bool root, Player favoured) const
{
    if (TargetTaken(board))
        return End::Death;
    // Life shows after the defender's moves; after the attacker's the
    // defender's pass brings it to light a move later.
    if ((root || toMove == m_attacker) && TargetsAlive(board))
        return End::Life;
    if (root || toMove != m_attacker)
        return End::None;
    for (Loc t : m_targets)
        if (board.Liberties(t) == 1 && MayPlay(board, board.AnyLiberty(t), m_attacker, false, favoured))
            return End::Death;
    return End::None;
}

// Higher for moves more likely to decide: taking or threatening strings
// (the targets first), saving one's own, then room to make or spoil eyes.
int WideRules::Score(const Board& board, Loc loc, Player p) const
{
    const Player opp = Opponent(p);
    int score = 0, empty = 0, ownLibs = 0;
    bool takes = false;
    for (int d : kAdjacent) {
        const Loc n = static_cast<Loc>(loc + d);
        const Color c = board.At(n);
        if (c == Color::Empty) {
            ++empty;
            continue;
        }
        if (!IsStone(c))
            continue;
        const int libs = board.Liberties(n);
        const bool target = c == m_defender &&
                            std::any_of(m_targets.begin(), m_targets.end(),
                                        [&](Loc t) { return board.Head(t) == board.Head(n); });
        if (c == opp) {
            if (libs == 1) {
                takes = true;
                score += target ? 120 : 60 + 5 * board.StringSize(n);
            } else if (libs == 2) {
                score += target ? 40 : 15;
            } else if (target) {
                score += std::max(0, 12 - 2 * libs);
            }
        } else {
            ownLibs += libs - 1;
            if (libs == 1)
                score += target ? 80 : 30;
            else if (target)
                score += std::max(0, 10 - 2 * libs);
        }
    }
    // A stone left in atari without taking anything is rarely worth it.
    if (!takes && empty + ownLibs <= 1)
        score -= 25;
    return score + 3 * empty;
}

void WideRules::Moves(const Board& board, Player p, bool root, Player favoured, std::vector<Move>& out) const
{
    out.clear();
    for (const Candidate& c : m_points)
        if (MayPlay(board, c.at, p, root, favoured))
            out.push_back(Move{c.at, -Score(board, c.at, p)});
    std::stable_sort(out.begin(), out.end(), [](const Move& a, const Move& b) { return a.rank < b.rank; });
    for (std::size_t k = 0; k < out.size(); ++k)
        out[k].rank = static_cast<int>(k);
    if ((p == m_defender && (!root || p == m_first)) || (!root && Waits(board, p)))
        out.push_back(Move{kPass, static_cast<int>(out.size())});
}

bool WideRules::Waits(const Board& board, Player p) const
{
    return p == m_attacker && board.KoBan() != kNoLoc && board.KoBanned() == p;
}

// The attacker must fill the weakest target's liberties one by one, and
// each adds replies to refute: about libs squared. The defender's task
// shrinks as the liberties grow, and grows with the empty points left,
// each one a move the attacker may still try against its life. (Measured
// on the examples and the book problems against flat numbers, linear ones
// and room counted for the side to move.)
WideRules::Estimate WideRules::FromCounts(int fewestLibs, int empty)
{
    const int libs = std::max(fewestLibs, 1);
    return Estimate{static_cast<std::uint32_t>(libs * libs), static_cast<std::uint32_t>(1 + 24 / (libs * libs) + empty)};
}

int WideRules::EmptyPoints(const Board& board) const
{
    int empty = 0;
    for (const Candidate& c : m_points)
        empty += board.At(c.at) == Color::Empty;
    return empty;
}

int WideRules::FewestLiberties(const Board& board, Loc filled) const
{
    int libs = 8;
    for (Loc t : m_strings) {
        bool fills = false;
        if (filled != kPass)
            for (int d : kAdjacent) {
                const Loc n = static_cast<Loc>(filled + d);
                fills = fills || (board.At(n) == m_defender && board.Head(n) == board.Head(t));
            }
        libs = std::min(libs, board.Liberties(t) - fills);
    }
    return libs;
}

WideRules::Estimate WideRules::Guess(const Board& board) const
{
    return FromCounts(FewestLiberties(board, kPass), EmptyPoints(board));
}

WideRules::Estimate WideRules::GuessAfterQuietAttack(const Board& before, Loc loc) const
{
    return FromCounts(FewestLiberties(before, loc), EmptyPoints(before) - (loc != kPass));
}

}  // namespace go
