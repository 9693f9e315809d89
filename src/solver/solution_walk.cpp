// The solution tree of the view's last solver run, walked through its
// result table by the table's own move rules and written on the file's
// board once the walk ends.
#include "solver/solution_walk.h"

#include <cstring>
#include <string>
#include <vector>

#include "board/kovra_view.h"
#include "board/ko_rule.h"
#include "board/view_colors.h"
#include "board/view_state.h"
#include "platform/frame.h"

namespace {

constexpr int kMaxLine = kPlyLimit;  // moves in one line of the tree

// ---- the verdict ---------------------------------------------------------

// The view's last run as far as it concerns this problem.
struct RunVerdict {
    bool solved = false;    // the last run was made on this problem
    int code = kUndecided;  // kDeath, kLife, kKo, kExhausted or undecided
    bool decided = false;   // death, life or ko, with the table holding the answer
};

// Writes the problem's stones on the points of a view board (index
// CellIndex(x, y)); the border stays as it is.
void PutStones(const KovraProblem& problem, unsigned char* board)
{
    for (int y = 1; y <= kBoardSize; ++y)
        for (int x = 1; x <= kBoardSize; ++x)
            board[CellIndex(x, y)] = StoneByte(problem.At(x, y));
}

// The key of the problem's stones on the move-list points.
std::int32_t ProblemKey(const CKovraView& view, const KovraProblem& problem)
{
    unsigned char board[kCells] = {};
    PutStones(problem, board);
    return view.KeyOfBoard(board);
}

// Nothing was played since the run began (a "start to live" run leaves
// its opening pass behind).
bool AtRunStart(const CKovraView& view, const KovraProblem& problem)
{
    const int base = view.m_histBase;
    return view.m_histCount == base ||
           (problem.live && view.m_histCount == base + 1 && view.m_histKind[base] == ' ');
}

RunVerdict ReadVerdict(const CKovraView& view, const KovraProblem& problem)
{
    RunVerdict v;
    v.solved = view.m_solverSide == SideOf(problem.Goal()) &&
               SameSetup(ProblemOfView(view), problem) && AtRunStart(view, problem);
    if (!v.solved)
        return v;
    v.code = view.m_solverResult;
    if (v.code == kIllegal && !problem.live)
        v.code = kLife;  // "start to kill" reports a refuted last attack as life
    // The run stored its verdict under the problem's own position: another
    // position (stones added or edited since) has no tree from this table.
    v.decided = IsDecided(v.code) &&
                view.LoadResult(TableSide(problem.First()), ProblemKey(view, problem)) == v.code;
    return v;
}

go::Verdict Outcome(int code)
{
    switch (code) {
    case kDeath: return go::Verdict::Death;
    case kLife: return go::Verdict::Life;
    case kKo: return go::Verdict::Ko;
    case kExhausted: return go::Verdict::Exhausted;
    default: return go::Verdict::Undecided;
    }
}

const char* StatusWord(int code)
{
    switch (code) {
    case kDeath: return "death";
    case kLife: return "life";
    case kKo: return "koh";
    case kExhausted: return "exhst";
    default: return "?";
    }
}

std::string Counters(const CKovraView& view, int code)
{
    const std::string nodes = std::to_string(view.m_nodeCount);
    const std::string plays = std::to_string(view.m_playCount);
    return std::string(" Kovra: ") + StatusWord(code) + "=" + nodes + "/" + plays + " (" + nodes +
           " positions expanded, " + plays + " moves and passes played).";
}

// Puts back what the walk borrows from the view (the history, the groups,
// the move rules' scratch) and keeps its status texts to itself.
class WalkScope {
public:
    explicit WalkScope(CKovraView& view)
        : m_view(view), m_state(CViewState::Of(view)), m_status(view.m_pStatus)
    {
        view.m_pStatus = &m_quiet;
    }
    ~WalkScope()
    {
        m_state.PutInto(m_view);
        m_view.m_pStatus = m_status;
    }
    WalkScope(const WalkScope&) = delete;
    WalkScope& operator=(const WalkScope&) = delete;

private:
    CKovraView& m_view;
    const CViewState m_state;
    IStatusSink* m_status;
    CStatusKeeper m_quiet;
};

// ---- the solution tree ---------------------------------------------------

// Walks the result table the way verification play does: at the winner's
// turn the first move-list entry whose position the table approves, at the
// loser's turn every legal entry. The first move is onlyFirst's when the run
// read only that one. The moves stay on Kovra's board (Kovra's players,
// points x + kStride * y) until the walk ends.
class TreeWalk {
public:
    TreeWalk(CKovraView& view, const KovraProblem& problem, int code, int limit, int onlyFirst)
        : m_view(view), m_problem(problem), m_limit(limit), m_onlyFirst(onlyFirst)
    {
        // Death is the attacker's success, life the defender's; a ko goes
        // to the side that moved first, which reached it.
        m_winner = code == kDeath ? kTableAttacker : code == kLife ? kTableDefender : problem.First();
        m_goal = SuccessCode(m_winner);
        m_koVerdict = code == kKo;
    }

    // The moves from the problem's position, first mover to play.
    std::vector<go::TreeMove> Run()
    {
        CGroupSet start;
        ProblemSet(start);
        m_view.m_histCount = 0;
        go::TreeMove root;  // stands for the move before the problem's position
        Expand(start, start, m_problem.First(), 0, root);
        return std::move(root.next);
    }

    bool Cut() const { return m_cut; }

private:
    // The run read entry i at the root: it read them all, or i alone.
    bool ReadFirst(int i) const { return m_onlyFirst == kAllFirstMoves || m_onlyFirst == i; }
    // The run read the defender's root pass alone.
    bool ReadPassFirst() const { return m_onlyFirst == kFirstMovePass; }

    // The problem's stones with groups numbered as a solver run numbers them.
    void ProblemSet(CGroupSet& set)
    {
        PutStones(m_problem, m_view.Board());
        m_view.RebuildGroups();
        m_view.CopyGroupSet(set);
    }

    // What the table holds for set with toMove to play.
    int Stored(const CGroupSet& set, go::Player toMove) const
    {
        return m_view.LoadResult(TableSide(toMove), m_view.KeyOfBoard(set.board));
    }

    bool TargetTaken(const CGroupSet& set) const
    {
        for (int t = 0; t < m_view.m_targetCount; ++t)
            if (set.board[CellIndex(m_view.m_targetX[t], m_view.m_targetY[t])] == kEmpty)
                return true;
        return false;
    }

    // The player's stone at (x, y) on a copy of from, by the engine's own
    // rules; false for a stone without liberty.
    bool Play(const CGroupSet& from, go::Player player, int x, int y, CGroupSet& to)
    {
        to = from;
        m_view.PushHistory(HistoryLetter(player), x, y);
        to.board[CellIndex(x, y)] = StoneByte(player);
        const bool legal = m_view.CheckMove(to.board, to.map, to.stones) != kIllegal;
        if (legal)
            to.count = m_view.PlaceStone(to.board, to.map, to.color, to.stones, to.count);
        --m_view.m_histCount;
        return legal;
    }

    // The player's stone at cell would retake at once the ko that the
    // opponent's last move (last, played on before) has just taken.
    static bool RetakesKoAt(const CGroupSet& set, const CGroupSet& before, const go::TreeMove& last,
                            go::Player player, int cell)
    {
        if (last.at == go::kPass)
            return false;  // a pass, or the problem's own position: no stone came before
        const unsigned char mover = StoneByte(player);
        const int q = CellIndex(go::LocX(last.at), go::LocY(last.at));
        return RetakesKo(set.board, cell, q, mover, before.board[cell] == mover);
    }

    // A group of the player's next to cell has one liberty.
    bool TouchesAtari(const CGroupSet& set, int cell, go::Player player)
    {
        const unsigned char stone = StoneByte(player);
        for (int d = 0; d < 4; ++d) {
            const int n = cell + kNeighbour[d];
            if (set.board[n] == stone && set.map[n] > 0 &&
                m_view.FindSoleLiberty(set.map[n], set.map, set.stones) == 1)
                return true;
        }
        return false;
    }

    // The entries a side may play here, as the search and verification
    // play allow them: the first move as the command's root opens, then
    // each kind as its rules say.
    bool Allowed(const CGroupSet& set, go::Player player, int i, bool first)
    {
        const int cell = CellIndex(m_view.m_moveX[i], m_view.m_moveY[i]);
        if (set.board[cell] != kEmpty)
            return false;
        if (first)
            return ReadFirst(i) && m_view.IsRootCandidate(HistoryLetter(player), i);
        return go::MayPlay(KindOfEntry(m_view.m_moveKind[i]), RoleOf(player),
                           [&] { return TouchesStone(set, cell, kTableDefender); },
                           [&] { return TouchesAtari(set, cell, kTableAttacker); });
    }

    static bool TouchesStone(const CGroupSet& set, int cell, go::Player player)
    {
        const unsigned char stone = StoneByte(player);
        for (int d = 0; d < 4; ++d)
            if (set.board[cell + kNeighbour[d]] == stone)
                return true;
        return false;
    }

    bool Room()
    {
        if (m_nodes >= m_limit) {
            m_cut = true;
            return false;
        }
        return true;
    }

    go::TreeMove& Add(go::TreeMove& last, go::Player player, go::Loc at)
    {
        ++m_nodes;
        go::TreeMove move;
        move.player = player;
        move.at = at;
        last.next.push_back(std::move(move));
        return last.next.back();
    }

    // The moves after last at set with side toMove; before is the position
    // before last (for the ko rule).
    void Expand(const CGroupSet& set, const CGroupSet& before, go::Player toMove, int depth,
                go::TreeMove& last)
    {
        if (depth >= kMaxLine)
            return;
        if (!Room()) {
            last.cut = true;
            return;
        }
        m_line.push_back(LinePosition{toMove, {}});
        std::memcpy(m_line.back().board, set.board, sizeof set.board);
        if (toMove == m_winner)
            ExpandWinner(set, before, depth, last);
        else
            ExpandLoser(set, before, depth, last);
        m_line.pop_back();
    }

    // Goes on from child, toMove to play, unless a target was taken or the
    // position came before in this line (a ko fought back and forth).
    void Continue(const CGroupSet& child, const CGroupSet& set, go::Player toMove, int depth,
                  go::TreeMove& move)
    {
        if (TargetTaken(child))
            return;
        for (const LinePosition& p : m_line)
            if (p.toMove == toMove && std::memcmp(p.board, child.board, sizeof p.board) == 0)
                return;
        Expand(child, set, toMove, depth, move);
    }

    void ExpandWinner(const CGroupSet& set, const CGroupSet& before, int depth, go::TreeMove& last)
    {
        const go::Player loser = go::Opponent(m_winner);
        const bool koAccepted = depth == 0 ? m_koVerdict : Stored(set, m_winner) == kKo;
        bool koBanned = false;
        CGroupSet child;
        for (int i = 0; i < m_view.m_moveCount; ++i) {
            const int x = m_view.m_moveX[i];
            const int y = m_view.m_moveY[i];
            if (!Allowed(set, m_winner, i, depth == 0) || !Play(set, m_winner, x, y, child))
                continue;
            const int r = Stored(child, loser);
            if (r != m_goal && !(r == kKo && koAccepted))
                continue;
            if (RetakesKoAt(set, before, last, m_winner, CellIndex(x, y))) {
                koBanned = true;
                continue;
            }
            Continue(child, set, loser, depth + 1, Add(last, m_winner, go::MakeLoc(x, y)));
            return;
        }
        if (m_winner == kTableAttacker && CaptureTarget(set, before, last, koBanned))
            return;
        if (m_winner == kTableDefender && Stored(set, kTableDefender) == kLife) {
            // The defender passes.
            Expand(set, set, kTableAttacker, depth + 1, Add(last, kTableDefender, go::kPass));
            return;
        }
        last.ko = koBanned;
    }

    // A target group in atari at Black's turn counts as dead to the search,
    // which stores no further move: the tree ends with its capture. False
    // when no target can be taken now; koBanned is set when the ko rule
    // forbids the capture.
    bool CaptureTarget(const CGroupSet& set, const CGroupSet& before, go::TreeMove& last,
                       bool& koBanned)
    {
        for (int t = 0; t < m_view.m_targetCount; ++t) {
            const int g = set.map[CellIndex(m_view.m_targetX[t], m_view.m_targetY[t])];
            int cell = 0;
            if (g <= 0 || m_view.FindSoleLiberty(g, set.map, set.stones, &cell) != 1)
                continue;
            const int x = cell % kBoardWidth;
            const int y = cell / kBoardWidth;
            CGroupSet child;
            if (!Play(set, kTableAttacker, x, y, child) || !TargetTaken(child))
                continue;
            if (RetakesKoAt(set, before, last, kTableAttacker, cell)) {
                koBanned = true;
                continue;
            }
            Add(last, kTableAttacker, go::MakeLoc(x, y));
            return true;
        }
        return false;
    }

    void ExpandLoser(const CGroupSet& set, const CGroupSet& before, int depth, go::TreeMove& last)
    {
        const go::Player loser = go::Opponent(m_winner);
        if (depth == 0 && ReadPassFirst()) {
            Continue(set, set, m_winner, 1, Add(last, loser, go::kPass));  // White passes
            return;
        }
        bool played = false;
        bool koBanned = false;
        CGroupSet child;
        for (int i = 0; i < m_view.m_moveCount && Room(); ++i) {
            const int x = m_view.m_moveX[i];
            const int y = m_view.m_moveY[i];
            if (!Allowed(set, loser, i, depth == 0) || !Play(set, loser, x, y, child))
                continue;
            if (RetakesKoAt(set, before, last, loser, CellIndex(x, y))) {
                koBanned = true;
                continue;
            }
            played = true;
            Continue(child, set, m_winner, depth + 1, Add(last, loser, go::MakeLoc(x, y)));
        }
        last.ko = koBanned && !played;
    }

    // The positions of the line being walked, for its repetitions.
    struct LinePosition {
        go::Player toMove;
        unsigned char board[kCells];
    };

    CKovraView& m_view;
    const KovraProblem& m_problem;
    std::vector<LinePosition> m_line;
    int m_limit;
    int m_onlyFirst;
    go::Player m_winner = kTableAttacker;
    int m_goal = kDeath;
    bool m_koVerdict = false;
    int m_nodes = 0;
    bool m_cut = false;
};

// The walk's moves on the file's board and in the file's colours.
void ToFileBoard(const KovraProblem& problem, std::vector<go::TreeMove>& moves)
{
    for (go::TreeMove& m : moves) {
        m.player = problem.FilePlayer(m.player);
        if (m.at != go::kPass)
            m.at = problem.FileLoc(SgfPoint{go::LocX(m.at), go::LocY(m.at)});
        ToFileBoard(problem, m.next);
    }
}

}  // namespace

SgfAnswer ReadAnswer(CKovraView& view, const KovraProblem& problem, int treeLimit, int onlyFirst)
{
    const RunVerdict verdict = ReadVerdict(view, problem);
    SgfAnswer answer;
    answer.outcome = Outcome(verdict.code);
    answer.decided = verdict.decided;
    answer.verdict = verdict.solved
                         ? VerdictWords(OnFileBoard(problem), answer.outcome) + Counters(view, verdict.code)
                         : "Not solved.";
    if (verdict.decided && treeLimit > 0) {
        WalkScope scope(view);
        TreeWalk walk(view, problem, verdict.code, treeLimit, onlyFirst);
        answer.tree = walk.Run();
        answer.cut = walk.Cut();
        ToFileBoard(problem, answer.tree);
    }
    return answer;
}

std::string WriteSgf(CKovraView& view, const KovraProblem& problem, const SgfWriteOptions& options)
{
    return WriteSgf(OnFileBoard(problem), problem.info,
                    ReadAnswer(view, problem, options.treeLimit, kAllFirstMoves), {}, options);
}
