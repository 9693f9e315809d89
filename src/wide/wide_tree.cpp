// The solution tree of a reading: at the winner's turn one move that keeps
// the win, at the loser's every legal move, the loser's stoutest defence
// first. Moves are added in order of how often their line leaves the main
// line, then of depth, so that a small limit still shows the main line
// whole before the side lines.
#include <algorithm>
#include <queue>

#include "wide/wide_impl.h"

namespace go {

namespace {

struct Node {
    Player player;
    Loc at;
    int parent;  // -1: a move from the problem's position
    bool ko = false;
};

// A move waiting to be added: the lines with fewer turns off the main
// line first, then the shallower, then the older.
struct Pending {
    int parent;
    Player player;
    Loc at;
    int sideTurns;
    int depth;
    long order;
    bool operator<(const Pending& o) const
    {
        if (sideTurns != o.sideTurns)
            return sideTurns > o.sideTurns;
        if (depth != o.depth)
            return depth > o.depth;
        return order > o.order;
    }
};

class TreeBuilder {
public:
    TreeBuilder(const Problem& problem, Loc only, const WideRules& rules, WideSearch& search, const WideTable& table,
                Player winner)
        : m_problem(problem), m_only(only), m_rules(rules), m_search(search), m_table(table), m_winner(winner)
    {
    }

    void Build(int limit, bool& cut)
    {
        Follow(-1, m_problem.board, m_problem.first, Stage::Fight, {}, 0, 0);
        while (!m_pending.empty()) {
            const Pending p = m_pending.top();
            m_pending.pop();
            if (static_cast<int>(m_nodes.size()) >= limit) {
                cut = true;
                return;
            }
            Add(p);
        }
    }

    std::vector<TreeMove> Moves() const
    {
        // Children always come after their parent: gather from the end.
        std::vector<TreeMove> moves(m_nodes.size());
        std::vector<TreeMove> top;
        for (int k = static_cast<int>(m_nodes.size()) - 1; k >= 0; --k) {
            TreeMove& m = moves[k];
            m.player = m_nodes[k].player;
            m.at = m_nodes[k].at;
            m.ko = m_nodes[k].ko;
            std::reverse(m.next.begin(), m.next.end());
            std::vector<TreeMove>& into = m_nodes[k].parent < 0 ? top : moves[m_nodes[k].parent].next;
            into.push_back(std::move(m));
        }
        std::reverse(top.begin(), top.end());
        return top;
    }

private:
    // Replays the line to node k: its board, the side to move after it,
    // its stage and the repetition keys of the positions before it.
    void Replay(int k, Board& board, Player& toMove, Stage& stage, std::vector<std::uint64_t>& line) const
    {
        std::vector<int> chain;
        for (int n = k; n >= 0; n = m_nodes[n].parent)
            chain.push_back(n);
        board = m_problem.board;
        toMove = m_problem.first;
        stage = Stage::Fight;
        line.clear();
        for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
            line.push_back(WideSearch::RepetitionKey(board, toMove, stage));
            stage = m_search.After(stage, board, m_nodes[*it].player, m_nodes[*it].at);
            board.Play(m_nodes[*it].at, m_nodes[*it].player);
            toMove = Opponent(m_nodes[*it].player);
        }
    }

    bool Repeats(const std::vector<std::uint64_t>& line, std::uint64_t key) const
    {
        for (int r = static_cast<int>(line.size()) - 2; r >= 0; r -= 2)
            if (line[r] == key)
                return true;
        return false;
    }

    void Add(const Pending& p)
    {
        m_nodes.push_back(Node{p.player, p.at, p.parent});
        const int k = static_cast<int>(m_nodes.size()) - 1;
        Board board;
        Player toMove;
        Stage stage;
        std::vector<std::uint64_t> line;
        Replay(k, board, toMove, stage, line);
        if (Repeats(line, WideSearch::RepetitionKey(board, toMove, stage))) {
            m_nodes[k].ko = true;  // the line ends in a repetition
            return;
        }
        Follow(k, board, toMove, stage, line, p.sideTurns, p.depth + 1);
    }

    // Queues what follows node k (-1: the problem's position).
    void Follow(int k, const Board& board, Player toMove, Stage stage, const std::vector<std::uint64_t>& line,
                int sideTurns, int depth)
    {
        const bool root = k < 0;
        if (m_rules.TargetTaken(board))
            return;
        if (!root && m_rules.EndOf(board, toMove, false, Color::Empty) == End::Life)
            return;
        if (toMove == m_winner) {
            const WideSearch::Outcome out = m_search.Solve(board, toMove, stage, line, m_only, true);
            if (!out.moverWins || out.best == kNoLoc)
                return;
            if (out.best == board.KoBan() && toMove == board.KoBanned()) {
                if (k >= 0)
                    m_nodes[k].ko = true;  // the winner would retake the ko at once
                return;
            }
            Queue(k, toMove, out.best, sideTurns, depth);
            return;
        }
        // Every legal move of the loser, the one the reading found hardest first.
        m_search.Moves(board, toMove, root, stage, Color::Empty, m_moves);
        std::vector<std::pair<std::uint32_t, Loc>> replies;
        for (const WideRules::Move& m : m_moves) {
            if (root && m_only != kNoLoc && m.at != m_only)
                continue;
            Board after = board;
            after.Play(m.at, toMove);
            const Stage next = m_search.After(stage, board, toMove, m.at);
            const TableEntry* e = m_table.Find(m_search.TableKey(after, Opponent(toMove), next));
            replies.emplace_back(e ? e->work : 0, m.at);
        }
        std::stable_sort(replies.begin(), replies.end(),
                         [](const auto& a, const auto& b) { return a.first > b.first; });
        for (std::size_t r = 0; r < replies.size(); ++r)
            Queue(k, toMove, replies[r].second, sideTurns + (r > 0), depth);
    }

    void Queue(int parent, Player player, Loc at, int sideTurns, int depth)
    {
        m_pending.push(Pending{parent, player, at, sideTurns, depth, m_order++});
    }

    const Problem& m_problem;
    Loc m_only;
    const WideRules& m_rules;
    WideSearch& m_search;
    const WideTable& m_table;
    Player m_winner;
    std::vector<Node> m_nodes;
    std::priority_queue<Pending> m_pending;
    std::vector<WideRules::Move> m_moves;
    long m_order = 0;
};

}  // namespace

std::vector<TreeMove> WideReader::Impl::Tree(int limit, bool& cut)
{
    cut = false;
    const bool decided = verdict == Verdict::Death || verdict == Verdict::Life || verdict == Verdict::Ko;
    if (!decided || treeReading == 0 || !rules || limit <= 0)
        return {};
    const bool firstWins = verdict == Verdict::Ko || (verdict == Verdict::Death) == (problem.first != problem.defender);
    search->SetReading(treeReading == 1 ? Opponent(problem.first) : problem.first, treeReading);
    search->SetControl(nullptr);
    TreeBuilder builder(problem, only, *rules, *search, table, firstWins ? problem.first : Opponent(problem.first));
    builder.Build(limit, cut);
    return builder.Moves();
}

}  // namespace go
