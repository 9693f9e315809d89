#include "wide_brute.h"

using go::Color;
using go::Loc;
using go::Player;

BruteReader::BruteReader(const go::Problem& problem, long nodeBudget) : m_problem(problem), m_budget(nodeBudget) {}

std::string BruteReader::Key(const go::Board& board, Player toMove, Stage stage) const
{
    std::string key(1, toMove == Color::Black ? 'b' : 'w');
    for (int y = 1; y <= board.Size(); ++y)
        for (int x = 1; x <= board.Size(); ++x)
            key += static_cast<char>('0' + static_cast<int>(board.At(go::MakeLoc(x, y))));
    // The ban is part of the position: a favoured retake repeats no position.
    if (board.KoBan() != go::kNoLoc)
        key += "k" + std::to_string(board.KoBan()) + (board.KoBanned() == Color::Black ? "b" : "w");
    // Where two passes settle the fight, a pass is part of the position too.
    if (m_favoured == m_problem.defender)
        key += stage.settled ? "s" : stage.afterPass ? "p" : "";
    return key;
}

// The kinds, as the move list states them; the first entry of a point counts.
bool BruteReader::Allowed(const go::Board& board, Loc loc, Player p, bool root) const
{
    go::Kind kind = go::Kind::F;
    bool found = false;
    for (const go::Candidate& c : m_problem.candidates)
        if (!found && c.at == loc) {
            kind = c.kind;
            found = true;
        }
    if (!found)
        return false;
    if (root)
        return p == m_problem.first && kind == go::Kind::F;
    const Player defender = m_problem.defender, attacker = go::Opponent(defender);
    switch (kind) {
    case go::Kind::F:
    case go::Kind::M:
        return true;
    case go::Kind::Y:
        if (p == attacker)
            return true;
        for (int d : go::kAdjacent)
            if (board.At(loc + d) == attacker && board.Liberties(loc + d) == 1)
                return true;
        return false;
    case go::Kind::Z:
        if (p == defender)
            return false;
        for (int d : go::kAdjacent)
            if (board.At(loc + d) == defender)
                return true;
        return false;
    }
    return false;
}

Player BruteReader::Value(const go::Board& board, Player toMove, Stage stage, bool root)
{
    const Player defender = m_problem.defender, attacker = go::Opponent(defender);
    const Player favoured = stage.settled ? attacker : m_favoured;
    for (Loc t : m_problem.targets)
        if (board.At(t) != defender)
            return attacker;
    const std::string key = Key(board, toMove, stage);
    for (const std::string& earlier : m_line)
        if (earlier == key) {
            metRepetition = true;
            return go::Opponent(favoured);
        }
    if (++m_nodes > m_budget) {
        m_exhausted = true;
        return attacker;
    }
    m_line.push_back(key);
    Player winner = go::Opponent(toMove);
    std::vector<Loc> tried;
    for (const go::Candidate& c : m_problem.candidates) {
        const Loc loc = c.at;
        bool again = false;
        for (Loc t : tried)
            again = again || t == loc;
        tried.push_back(loc);
        if (again || board.At(loc) != Color::Empty || !Allowed(board, loc, toMove, root))
            continue;
        if (root && m_only != go::kNoLoc && loc != m_only)
            continue;
        const bool retake = toMove == favoured && loc == board.KoBan() && toMove == board.KoBanned();
        go::Board next = board;
        if (retake)
            next.LiftKoBan();
        if (!next.Play(loc, toMove))
            continue;
        metKoBan = metKoBan || next.KoBan() != go::kNoLoc;
        if (Value(next, go::Opponent(toMove), After(stage, board, {toMove, loc}, m_favoured), false) == toMove) {
            winner = toMove;
            break;
        }
    }
    // At the root only the defender may pass (the attacker opens on an f point).
    const bool mayPass = !root || (toMove == defender && (m_only == go::kNoLoc || m_only == go::kPass));
    if (winner != toMove && !m_exhausted && mayPass) {
        // Two passes are life once the fight is settled, or where the
        // attacker is favoured; an attacker banned from a ko retake may wait.
        go::Board next = board;
        next.Play(go::kPass, toMove);
        const bool ends = stage.afterPass && (stage.settled || m_favoured == attacker);
        const Stage after = After(stage, board, {toMove, go::kPass}, m_favoured);
        const Player afterBoth = ends ? defender : Value(next, go::Opponent(toMove), after, false);
        if (afterBoth == toMove)
            winner = toMove;
    }
    m_line.pop_back();
    return winner;
}

go::Verdict BruteReader::Verdict(Loc only)
{
    const bool kill = m_problem.first != m_problem.defender;
    m_only = only;
    for (int reading = 1; reading <= 2; ++reading) {
        m_favoured = reading == 1 ? go::Opponent(m_problem.first) : m_problem.first;
        m_line.clear();
        const Player w = Value(m_problem.board, m_problem.first, Stage{}, true);
        if (m_exhausted)
            return go::Verdict::Exhausted;
        if (w == m_problem.first)
            return reading == 2 ? go::Verdict::Ko : kill ? go::Verdict::Death : go::Verdict::Life;
    }
    return kill ? go::Verdict::Life : go::Verdict::Death;
}

// A pass after a pass ends the fight, the first time only where the
// reading favours the defender.
BruteReader::Stage BruteReader::After(Stage stage, const go::Board& board, const std::pair<Player, Loc>& move,
                                      Player favoured) const
{
    const bool waits =
        move.first != m_problem.defender && board.KoBan() != go::kNoLoc && board.KoBanned() == move.first;
    const bool pass = move.second == go::kPass && !waits;
    if (pass && stage.afterPass && !stage.settled && favoured == m_problem.defender)
        return Stage{false, true};
    stage.afterPass = pass;
    return stage;
}

Player BruteReader::Winner(const std::vector<std::pair<Player, Loc>>& line, Player favoured)
{
    m_favoured = favoured;
    m_only = go::kNoLoc;
    m_line.clear();
    go::Board board = m_problem.board;
    Player toMove = m_problem.first;
    Stage stage;
    for (const auto& move : line) {
        m_line.push_back(Key(board, toMove, stage));
        stage = After(stage, board, move, favoured);
        board.Play(move.second, move.first);
        toMove = go::Opponent(move.first);
    }
    const Player w = Value(board, toMove, stage, line.empty());
    return m_exhausted ? Color::Empty : w;
}

std::vector<Loc> BruteReader::Moves(const std::vector<std::pair<Player, Loc>>& line, Player favoured) const
{
    go::Board board = m_problem.board;
    Player toMove = m_problem.first;
    Stage stage;
    for (const auto& move : line) {
        stage = After(stage, board, move, favoured);
        board.Play(move.second, move.first);
        toMove = go::Opponent(move.first);
    }
    std::vector<Loc> moves;
    for (const go::Candidate& c : m_problem.candidates) {
        bool again = false;
        for (Loc m : moves)
            again = again || m == c.at;
        if (!again && board.At(c.at) == Color::Empty && Allowed(board, c.at, toMove, line.empty()) &&
            board.IsLegal(c.at, toMove))
            moves.push_back(c.at);
    }
    const bool waits = board.KoBan() != go::kNoLoc && board.KoBanned() == toMove;
    const bool settles = favoured == m_problem.defender && !stage.settled;
    if (toMove == m_problem.defender || (!line.empty() && (waits || settles)))
        moves.push_back(go::kPass);
    return moves;
}
