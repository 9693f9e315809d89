// The problem written back as SGF with the verdict of the view's last solver
// run and the solution tree read from its result table.
#include <cstring>
#include <string>
#include <vector>

#include "board/kovra_view.h"
#include "platform/frame.h"
#include "sgf/sgf.h"

namespace {

constexpr int kSide = 11;
constexpr int kMaxLine = kPlyLimit;  // moves in one line of the tree

// ---- the verdict ---------------------------------------------------------

// The view's last run as far as it concerns this problem.
struct Verdict {
    bool solved = false;  // the last run was made on this problem
    int code = kUndecided;  // kDeath, kLife, kKo, kExhausted or undecided
    bool decided = false; // death, life or ko, with the table holding the answer
};

// The key of the problem's stones on the move-list points.
std::int32_t ProblemKey(const CKovraView& view, const KovraProblem& problem)
{
    std::int32_t key = 0;
    for (int i = 0; i < view.m_moveCount; ++i) {
        const unsigned char c = problem.stone[view.m_moveY[i] - 1][view.m_moveX[i] - 1];
        key = key * 3 + (c == 1 ? 1 : c == 2 ? 2 : 0);
    }
    return key;
}

// Nothing was played since the run began (a "start to live" run leaves
// its opening pass behind).
bool AtRunStart(const CKovraView& view, const KovraProblem& problem)
{
    const int base = view.m_histBase;
    return view.m_histCount == base ||
           (problem.live && view.m_histCount == base + 1 && view.m_histKind[base] == ' ');
}

Verdict ReadVerdict(const CKovraView& view, const KovraProblem& problem)
{
    Verdict v;
    v.solved = view.m_solverSide == (problem.live ? 'w' : 'b') &&
               SameSetup(ProblemOfView(view), problem) && AtRunStart(view, problem);
    if (!v.solved)
        return v;
    v.code = view.m_solverResult;
    if (v.code == kIllegal && !problem.live)
        v.code = kLife;  // "start to kill" reports a refuted last attack as life
    // The run stored its verdict under the problem's own position: another
    // position (stones added or edited since) has no tree from this table.
    const int side = problem.live ? kWhiteToMove : kBlackToMove;
    v.decided = IsDecided(v.code) &&
                view.LoadResult(side, ProblemKey(view, problem)) == v.code;
    return v;
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

// The file's name of Kovra's colour (1 Black, 2 White).
const char* ColourName(const KovraProblem& problem, int colour)
{
    return (problem.swapped ? 3 - colour : colour) == 1 ? "Black" : "White";
}

std::string VerdictWords(const CKovraView& view, const KovraProblem& problem, const Verdict& v)
{
    if (!v.solved)
        return "Not solved.";
    const std::string a = ColourName(problem, 1);
    const std::string d = ColourName(problem, 2);
    std::string words;
    if (v.code == kDeath)
        words = problem.live ? d + " to play cannot live." : a + " to play kills.";
    else if (v.code == kLife)
        words = problem.live ? d + " to play lives." : a + " to play cannot kill.";
    else if (v.code == kKo)
        words = problem.live ? d + " to play lives only by ko." : a + " to play kills by ko.";
    else if (v.code == kExhausted)
        words = "Undecided: the reading reached its ply limit.";
    else
        words = "Undecided.";
    return words + " Kovra: " + StatusWord(v.code) + "=" + std::to_string(view.m_nodeCount) + "/" +
           std::to_string(view.m_playCount) + " (" + std::to_string(view.m_nodeCount) +
           " positions expanded, " + std::to_string(view.m_playCount) + " moves and passes played).";
}

// ---- the solution tree ---------------------------------------------------

// Keeps what the walk borrows from the view (history, scratch fields of the
// move rules, status output) and gives it back when the walk ends.
class ViewGuard {
public:
    explicit ViewGuard(CKovraView& view) : m_view(view), m_status(view.m_pStatus)
    {
        m_histCount = view.m_histCount;
        std::memcpy(m_histKind, view.m_histKind, sizeof m_histKind);
        std::memcpy(m_histX, view.m_histX, sizeof m_histX);
        std::memcpy(m_histY, view.m_histY, sizeof m_histY);
        std::memcpy(m_nbGroup, view.m_nbGroup, sizeof m_nbGroup);
        std::memcpy(m_nbColor, view.m_nbColor, sizeof m_nbColor);
        std::memcpy(m_nbContacts, view.m_nbContacts, sizeof m_nbContacts);
        m_scalars[0] = view.m_captureFlag;
        m_scalars[1] = view.m_groupsStale;
        // Every slot, also those above the count (CopyGroupSet leaves them).
        std::memcpy(m_groups.board, view.Board(), sizeof m_groups.board);
        std::memcpy(m_groups.map, view.GroupMap(), sizeof m_groups.map);
        std::memcpy(m_groups.color, view.m_groupColor, sizeof m_groups.color);
        for (int k = 0; k < kGroupSlots; ++k)
            m_groups.stones[k].CopyFrom(view.m_groupStones[k]);
        m_groups.count = view.m_groupCount;
        view.m_pStatus = &m_quiet;  // the walk shows nothing
    }
    ~ViewGuard()
    {
        CKovraView& v = m_view;
        v.m_histCount = m_histCount;
        std::memcpy(v.m_histKind, m_histKind, sizeof m_histKind);
        std::memcpy(v.m_histX, m_histX, sizeof m_histX);
        std::memcpy(v.m_histY, m_histY, sizeof m_histY);
        std::memcpy(v.m_nbGroup, m_nbGroup, sizeof m_nbGroup);
        std::memcpy(v.m_nbColor, m_nbColor, sizeof m_nbColor);
        std::memcpy(v.m_nbContacts, m_nbContacts, sizeof m_nbContacts);
        v.m_captureFlag = m_scalars[0];
        v.m_groupsStale = m_scalars[1];
        std::memcpy(v.Board(), m_groups.board, sizeof m_groups.board);
        std::memcpy(v.GroupMap(), m_groups.map, sizeof m_groups.map);
        std::memcpy(v.m_groupColor, m_groups.color, sizeof m_groups.color);
        for (int k = 0; k < kGroupSlots; ++k)
            v.m_groupStones[k].CopyFrom(m_groups.stones[k]);
        v.m_groupCount = m_groups.count;
        v.m_pStatus = m_status;
    }
    ViewGuard(const ViewGuard&) = delete;
    ViewGuard& operator=(const ViewGuard&) = delete;

private:
    CKovraView& m_view;
    IStatusSink* m_status;
    CStatusKeeper m_quiet;
    std::int32_t m_histCount;
    char m_histKind[kHistorySize];
    signed char m_histX[kHistorySize];
    signed char m_histY[kHistorySize];
    std::int32_t m_nbGroup[4];
    unsigned char m_nbColor[4];
    std::int32_t m_nbContacts[4];
    std::int32_t m_scalars[2];
    CGroupSet m_groups;
};

// Walks the result table the way verification play does: at the winner's
// turn the first move-list entry whose position the table approves, at the
// loser's turn every legal entry. The first move is onlyFirst's when the run
// read only that one.
class TreeWalk {
public:
    TreeWalk(CKovraView& view, const KovraProblem& problem, int code, int limit, int onlyFirst)
        : m_view(view), m_problem(problem), m_limit(limit), m_onlyFirst(onlyFirst)
    {
        const int first = problem.live ? 2 : 1;
        // Death is Black's success, life White's; a ko goes to the side
        // that moved first, which reached it.
        m_winner = code == kDeath ? 1 : code == kLife ? 2 : first;
        m_goal = m_winner == 1 ? kDeath : kLife;
        m_koVerdict = code == kKo;
    }

    // The moves from the problem's position, first mover to play.
    std::vector<SgfTreeMove> Run()
    {
        CGroupSet start;
        ProblemSet(start);
        m_view.m_histCount = 0;
        std::vector<SgfTreeMove> moves;
        Expand(start, start, m_problem.live ? 2 : 1, 0, moves);
        return moves;
    }

    bool Cut() const { return m_cut; }
    int Nodes() const { return m_nodes; }

private:
    // The problem's stones with groups numbered as a solver run numbers them.
    void ProblemSet(CGroupSet& set)
    {
        for (int y = 1; y <= kSide; ++y)
            for (int x = 1; x <= kSide; ++x) {
                const unsigned char c = m_problem.stone[y - 1][x - 1];
                m_view.m_board[y][x] = c == 1 ? kBlack : c == 2 ? kWhite : kEmpty;
            }
        m_view.RebuildGroups();
        m_view.CopyGroupSet(set);
    }

    int Stored(const CGroupSet& set, int side) const
    {
        return m_view.LoadResult(side, m_view.KeyOfBoard(set.board));
    }

    bool TargetTaken(const CGroupSet& set) const
    {
        for (int t = 0; t < m_view.m_targetCount; ++t)
            if (set.board[CellIndex(m_view.m_targetX[t], m_view.m_targetY[t])] == kEmpty)
                return true;
        return false;
    }

    // The stone of colour at (x, y) on a copy of from, by the engine's own
    // rules; false for a stone without liberty.
    bool Play(const CGroupSet& from, int colour, int x, int y, CGroupSet& to)
    {
        to = from;
        m_view.PushHistory(colour == 1 ? 'b' : 'w', x, y);
        to.board[CellIndex(x, y)] = colour == 1 ? kBlack : kWhite;
        const bool legal = m_view.CheckMove(to.board, to.map, to.stones) != kIllegal;
        if (legal)
            to.count = m_view.PlaceStone(to.board, to.map, to.color, to.stones, to.count);
        --m_view.m_histCount;
        return legal;
    }

    bool TouchesAtari(const CGroupSet& set, int cell, unsigned char colour)
    {
        for (int d = 0; d < 4; ++d) {
            const int n = cell + kNeighbour[d];
            if (set.board[n] == colour && set.map[n] > 0 &&
                m_view.FindSoleLiberty(set.map[n], set.map, set.stones) == 1)
                return true;
        }
        return false;
    }

    // The entries a side may play here, as the search and verification
    // play allow them: the first move only on 'f' points (and, for Black,
    // not where White stood when entered), White's 'y' only to take, Black's
    // 'z' only next to White, never 'z' for White.
    bool Allowed(const CGroupSet& set, int colour, int i, bool first)
    {
        const int cell = CellIndex(m_view.m_moveX[i], m_view.m_moveY[i]);
        const char kind = m_view.m_moveKind[i];
        if (set.board[cell] != kEmpty)
            return false;
        if (first) {
            if (m_onlyFirst != kAllFirstMoves && m_onlyFirst != i)
                return false;
            const std::uint32_t bit = 1u << (m_view.m_moveCount - 1 - i);
            return kind == 'f' && (colour == 2 || (m_view.m_moveWhite & bit) == 0);
        }
        if (colour == 2)
            return kind != 'z' && (kind != 'y' || TouchesAtari(set, cell, kBlack));
        if (kind == 'z') {
            for (int d = 0; d < 4; ++d)
                if (set.board[cell + kNeighbour[d]] == kWhite)
                    return true;
            return false;
        }
        return true;
    }

    bool Room()
    {
        if (m_nodes >= m_limit) {
            m_cut = true;
            return false;
        }
        return true;
    }

    SgfTreeMove& Add(std::vector<SgfTreeMove>& out, int colour, SgfPoint at)
    {
        ++m_nodes;
        out.push_back(SgfTreeMove{colour, at, {}, {}});
        return out.back();
    }

    // The moves at set with side toMove; before is the position before the
    // opponent's last move (for Black's ko ban).
    void Expand(const CGroupSet& set, const CGroupSet& before, int toMove, int depth,
                std::vector<SgfTreeMove>& out)
    {
        if (depth >= kMaxLine || !Room())
            return;
        m_line.push_back(LinePosition{toMove, {}});
        std::memcpy(m_line.back().board, set.board, sizeof set.board);
        if (toMove == m_winner)
            ExpandWinner(set, depth, out);
        else
            ExpandLoser(set, before, depth, out);
        m_line.pop_back();
    }

    // Goes on from child, toMove to play, unless a target was taken or the
    // position came before in this line (a ko fought back and forth).
    void Continue(const CGroupSet& child, const CGroupSet& set, int toMove, int depth,
                  std::vector<SgfTreeMove>& out)
    {
        if (TargetTaken(child))
            return;
        for (const LinePosition& p : m_line)
            if (p.toMove == toMove && std::memcmp(p.board, child.board, sizeof p.board) == 0)
                return;
        Expand(child, set, toMove, depth, out);
    }

    void ExpandWinner(const CGroupSet& set, int depth, std::vector<SgfTreeMove>& out)
    {
        const int loser = 3 - m_winner;
        const bool koAccepted = depth == 0 ? m_koVerdict : Stored(set, m_winner) == kKo;
        CGroupSet child;
        for (int i = 0; i < m_view.m_moveCount; ++i) {
            const int x = m_view.m_moveX[i];
            const int y = m_view.m_moveY[i];
            if (!Allowed(set, m_winner, i, depth == 0) || !Play(set, m_winner, x, y, child))
                continue;
            const int r = Stored(child, loser);
            if (r != m_goal && !(r == kKo && koAccepted))
                continue;
            Continue(child, set, loser, depth + 1, Add(out, m_winner, SgfPoint{x, y}).next);
            return;
        }
        if (m_winner == 1)
            CaptureTarget(set, out);
        else if (Stored(set, 2) == kLife)
            Expand(set, set, 1, depth + 1, Add(out, 2, SgfPoint{}).next);  // White passes
    }

    // A target group in atari at Black's turn counts as dead to the search,
    // which stores no further move: the tree ends with its capture.
    void CaptureTarget(const CGroupSet& set, std::vector<SgfTreeMove>& out)
    {
        for (int t = 0; t < m_view.m_targetCount; ++t) {
            const int g = set.map[CellIndex(m_view.m_targetX[t], m_view.m_targetY[t])];
            int cell = 0;
            if (g <= 0 || m_view.FindSoleLiberty(g, set.map, set.stones, &cell) != 1)
                continue;
            const int x = cell % kBoardWidth;
            const int y = cell / kBoardWidth;
            CGroupSet child;
            if (Play(set, 1, x, y, child) && TargetTaken(child)) {
                Add(out, 1, SgfPoint{x, y});
                return;
            }
        }
    }

    void ExpandLoser(const CGroupSet& set, const CGroupSet& before, int depth,
                     std::vector<SgfTreeMove>& out)
    {
        const int loser = 3 - m_winner;
        if (depth == 0 && m_onlyFirst == kFirstMovePass) {
            Continue(set, set, m_winner, 1, Add(out, loser, SgfPoint{}).next);  // White passes
            return;
        }
        CGroupSet child;
        for (int i = 0; i < m_view.m_moveCount && Room(); ++i) {
            const int x = m_view.m_moveX[i];
            const int y = m_view.m_moveY[i];
            if (!Allowed(set, loser, i, depth == 0) || !Play(set, loser, x, y, child))
                continue;
            // Black may not retake a ko at once: the position before White's
            // last move does not come back.
            if (loser == 1 && std::memcmp(child.board, before.board, sizeof child.board) == 0)
                continue;
            Continue(child, set, m_winner, depth + 1, Add(out, loser, SgfPoint{x, y}).next);
        }
    }

    // The positions of the line being walked, for its repetitions.
    struct LinePosition {
        int toMove;
        unsigned char board[kCells];
    };

    CKovraView& m_view;
    const KovraProblem& m_problem;
    std::vector<LinePosition> m_line;
    int m_limit;
    int m_onlyFirst;
    int m_winner = 1;
    int m_goal = kDeath;
    bool m_koVerdict = false;
    int m_nodes = 0;
    bool m_cut = false;
};

// The number of moves in the tree.
int Moves(const std::vector<SgfTreeMove>& tree)
{
    int n = 0;
    for (const SgfTreeMove& m : tree)
        n += 1 + Moves(m.next);
    return n;
}

// Keeps the first room moves of the tree in the order the walk adds them
// (each move before those that follow it), as a walk with that limit would
// have stopped; cut is set when some are dropped. Returns the moves kept.
int KeepFirst(std::vector<SgfTreeMove>& tree, int room, bool& cut)
{
    int kept = 0;
    for (std::size_t i = 0; i < tree.size(); ++i) {
        if (kept >= room) {
            tree.resize(i);
            cut = true;
            break;
        }
        ++kept;
        kept += KeepFirst(tree[i].next, room - kept, cut);
    }
    return kept;
}

// ---- SGF text ------------------------------------------------------------

std::string Escape(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == ']' || c == '\\')
            out += '\\';
        out += c;
    }
    return out;
}

class SgfText {
public:
    explicit SgfText(const KovraProblem& problem) : m_problem(problem) {}

    std::string Point(SgfPoint p) const
    {
        if (p.x == 0)
            return std::string();  // a pass
        return m_problem.SourceLetters(p);
    }
    char Colour(int colour) const { return (m_problem.swapped ? 3 - colour : colour) == 1 ? 'B' : 'W'; }

    // A sequence: the move, its only follower inline, several as variations.
    void Moves(const std::vector<SgfTreeMove>& moves, const char* leafComment, std::string& out) const
    {
        if (moves.size() == 1)
            Move(moves[0], leafComment, out);
        else
            Variations(moves, leafComment, out);
    }

    // Each move as a variation of its own, also a single one.
    void Variations(const std::vector<SgfTreeMove>& moves, const char* leafComment,
                    std::string& out) const
    {
        for (const SgfTreeMove& m : moves) {
            out += "\n(";
            Move(m, leafComment, out);
            out += ")";
        }
    }

private:
    void Move(const SgfTreeMove& m, const char* leafComment, std::string& out) const
    {
        out += ";";
        out += Colour(m.colour);
        out += "[" + Point(m.at) + "]";
        if (!m.comment.empty())
            out += "C[" + Escape(m.comment) + "]";
        else if (m.next.empty())
            out += std::string("C[") + leafComment + "]";
        Moves(m.next, leafComment, out);
    }

    const KovraProblem& m_problem;
};

std::string RootNode(const KovraProblem& problem, const SgfText& text, const std::string& comment)
{
    std::string out = "(;FF[4]GM[1]CA[UTF-8]AP[Kovra:1.1]SZ[" + std::to_string(problem.sourceSize) + "]";
    out += "PL[";
    out += text.Colour(problem.live ? 2 : 1);
    out += "]";
    for (int colour = 1; colour <= 2; ++colour) {
        // The file's Black first.
        const int kovra = problem.swapped ? 3 - colour : colour;
        std::string points;
        for (int y = 1; y <= kSide; ++y)
            for (int x = 1; x <= kSide; ++x)
                if (problem.stone[y - 1][x - 1] == kovra)
                    points += "[" + text.Point(SgfPoint{x, y}) + "]";
        if (!points.empty())
            out += (colour == 1 ? "\nAB" : "\nAW") + points;
    }
    if (!problem.targets.empty()) {
        out += "\nTR";
        for (const SgfPoint& t : problem.targets)
            out += "[" + text.Point(t) + "]";
    }
    if (!problem.moves.empty()) {
        out += "\nLB";
        for (const SgfSource::Candidate& c : problem.moves)
            out += "[" + text.Point(c.at) + ":" + c.kind + "]";
    }
    out += "\nC[" + Escape(comment) + "]";
    return out;
}

}  // namespace

SgfAnswer ReadAnswer(CKovraView& view, const KovraProblem& problem, int treeLimit, int onlyFirst)
{
    const Verdict verdict = ReadVerdict(view, problem);
    SgfAnswer answer;
    answer.verdict = VerdictWords(view, problem, verdict);
    answer.code = verdict.code;
    answer.decided = verdict.decided;
    if (verdict.decided && treeLimit > 0) {
        ViewGuard guard(view);
        TreeWalk walk(view, problem, verdict.code, treeLimit, onlyFirst);
        answer.tree = walk.Run();
        answer.cut = walk.Cut();
    }
    return answer;
}

std::string WriteSgf(const KovraProblem& problem, const SgfAnswer& answer,
                     std::vector<SgfTreeMove> wrongMoves, int treeLimit)
{
    bool cut = answer.cut;
    if (treeLimit > 0)
        KeepFirst(wrongMoves, treeLimit - Moves(answer.tree), cut);
    else
        wrongMoves.clear();  // no tree at all
    std::string comment = answer.verdict;
    if (cut)
        comment += "\nThe solution tree stops at " + std::to_string(treeLimit) +
                   " moves (tree limit); some lines are left out.";
    const SgfText text(problem);
    std::string out = RootNode(problem, text, comment);
    const int first = problem.live ? 2 : 1;
    const bool firstWins = answer.code == kKo || (answer.code == kDeath) == (first == 1);
    const char* leaf = firstWins ? "Correct" : "Wrong";
    if (wrongMoves.empty()) {
        text.Moves(answer.tree, leaf, out);
    } else {
        text.Variations(answer.tree, leaf, out);
        text.Variations(wrongMoves, "Wrong", out);
    }
    out += ")\n";
    return out;
}

std::string WriteSgf(CKovraView& view, const KovraProblem& problem, int treeLimit)
{
    return WriteSgf(problem, ReadAnswer(view, problem, treeLimit, kAllFirstMoves), {}, treeLimit);
}
