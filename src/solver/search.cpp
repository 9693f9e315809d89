// The solver's two node operations: White to move and Black to move. Each
// node works on its own fixed-size copy of the group set it is given, so
// nothing here touches the heap and nothing needs undoing but the board cell
// and the history entry of the move just tried. Below the root the nodes
// keep their sets as bit sets (CSearchSet), which makes liberties cheap.
#include <algorithm>
#include <cstring>

#include "board/group_table.h"
#include "board/ko_rule.h"
#include "board/kovra_view.h"
#include "solver/run_control.h"
#include "solver/search_line.h"
#include "solver/search_set.h"

namespace {

constexpr int kTraceDepth = 5;        // plies written to the trace
// The move list in its own order.
constexpr int kListOrder[kMaxMoves] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14};

// What one node owns while it expands: its group set, its move order and the
// bookkeeping of its scan.
struct SearchNode {
    CSearchSet set;
    int order[kMaxMoves];
    std::int32_t index;
    int last;       // result of the last child tried (after the pass rules)
    bool ko;        // a child came back as ko, or Black refused a repetition
    bool captured;  // the move that led here took stones with no empty neighbour
};

int WhiteNode(CKovraView& view, int move, int cell, const CSearchSet& parent);
int BlackNode(CKovraView& view, int move, int cell, const CSearchSet& parent);

// The legality step of a node entered by the stone at cell: kIllegal for
// suicide, else 0 or more with m_captureFlag as CheckMove sets it. *ready
// tells whether the neighbour table is filled for the placing; a move with
// an empty neighbour leaves it for later, since most such nodes end at
// their probe.
int JudgeMove(CKovraView& view, const CSearchSet& set, int cell, CNeighbourTable& table,
              bool* ready)
{
    view.m_captureFlag = 0;
    if (set.HasEmptyNeighbour(cell)) {
        *ready = false;
        return 0;
    }
    *ready = true;
    set.FillNeighbours(cell, table);
    bool captures;
    const int verdict = set.Judge(table, &captures);
    view.m_captureFlag = captures ? 1 : 0;
    return verdict;
}

// The steps both nodes take before they expand: ply limit, legality, early
// probe, copy, update and index. side is the side to move, cell
// the point of move. True when the node ends there, with its result in
// *result; otherwise node holds the copied set, its index and the stored
// result as the first L.
bool EnterNode(CKovraView& view, SearchNode& node, int side, int move, int cell,
               const CSearchSet& parent, int* result)
{
    if (view.m_ply >= view.m_plyCap) {
        *result = kExhausted;
        return true;
    }
    CNeighbourTable table;
    bool tableReady = false;
    if (move >= 0 && JudgeMove(view, parent, cell, table, &tableReady) == kIllegal) {
        *result = kIllegal;
        return true;
    }
    node.captured = move >= 0 && view.m_captureFlag != 0;
    const unsigned char moverOfMove = side == kWhiteToMove ? kBlack : kWhite;
    const std::int32_t received = ReceivedKey(view, move, moverOfMove, parent.board);
    if (!node.captured) {
        const int known = view.LoadResult(side, received);
        if (IsDecided(known)) {
            *result = known;
            return true;
        }
    }

    if (move < 0) {
        table.taken = 0;
        table.stones = 0;
    } else {
        if (!tableReady)
            parent.FillNeighbours(cell, table);
        parent.FindCaptures(table);
    }
    node.index = KeyAfterCaptures(view, received, parent.board, table.stones);
    node.last = view.LoadResult(side, node.index);
    node.ko = false;
    *result = node.last;
    if (IsDecided(node.last)) {
        // The copy is not made, but a stone that needs a slot the table
        // lacks is still reported.
        if (move >= 0 && parent.NeedsSlotBeyondTable(table))
            view.ShowStatus(kGroupTableFull);
        return true;
    }
    node.set.CopyFrom(parent);
    if (move >= 0)
        node.set.Place(cell, table, view);
    return false;
}

}  // namespace

// ---- shared node steps -------------------------------------------------

namespace {

// True when some neighbour of cell i holds a stone of colour whose group has
// exactly one liberty on the node's set.
bool TouchesGroupInAtari(const CSearchSet& set, int i, unsigned char colour)
{
    for (int d = 0; d < 4; ++d) {
        const int n = i + kNeighbour[d];
        if (set.board[n] == colour && set.SoleLiberty(set.GroupAt(n)) == 1)
            return true;
    }
    return false;
}

bool TouchesColour(const unsigned char* board, int i, unsigned char colour)
{
    for (int d = 0; d < 4; ++d)
        if (board[i + kNeighbour[d]] == colour)
            return true;
    return false;
}

int StoneCount(CPointBits stones)
{
    return __builtin_popcountll(static_cast<std::uint64_t>(stones)) +
           __builtin_popcountll(static_cast<std::uint64_t>(stones >> 64));
}

// Puts the liberty of the largest opponent group in atari first, when that
// point lies in the leading run of 'f' and 'm' entries.
// known: groups (one bit per id) already found not to be in atari.
void OrderMoves(CKovraView& view, SearchNode& node, unsigned char opponent, std::uint32_t known)
{
    const int n = view.m_moveCount;
    std::memcpy(node.order, kListOrder, sizeof node.order);
    if (view.m_ply <= 1)
        return;

    // The first largest group in atari: groups in id order, a later one
    // only when strictly larger.
    const CSearchSet& set = node.set;
    int largest = 0;
    int best = -1;
    for (int g = 1; g <= set.count; ++g) {
        if (set.color[g] != opponent || (known & (1u << g)))
            continue;
        int liberty;
        if (set.SoleLiberty(g, &liberty) != 1)
            continue;
        const int size = StoneCount(set.groups[g].stones);
        if (size > largest) {
            largest = size;
            best = liberty;
        }
    }
    if (best < 0)
        return;
    for (int i = 0; i < n; ++i) {
        const char kind = view.m_moveKind[i];
        if (kind != 'f' && kind != 'm')
            return;  // past the leading run of 'f' and 'm' entries
        if (view.m_moveCell[i] == best) {
            node.order[0] = i;
            node.order[i] = 0;
            return;
        }
    }
}

// Plays move-list entry i (a pass when i < 0) for the side whose history
// kind is kind ('w' or 'b') on the node's board, reads the answer with the other side's
// node, traces both near the root, and takes the move back.
template <char kind>
[[gnu::always_inline]] inline int PlayChild(CKovraView& view, SearchNode& node, int i)
{
    CSearchSet& set = node.set;
    const int ply = view.m_ply;
    const int p = i >= 0 ? view.m_moveCell[i] : 0;
    view.m_moveAtPly[ply] = i;
    if (i >= 0) {
        // The ply cap keeps every line inside the history.
        view.m_histKind[view.m_histCount] = kind;
        view.m_histX[view.m_histCount] = view.m_moveX[i];
        view.m_histY[view.m_histCount] = view.m_moveY[i];
        ++view.m_histCount;
        set.board[p] = kind == 'w' ? kWhite : kBlack;
    } else {
        view.PushPass();
    }
    CountOne(view.m_playCount);
    if (ply <= kTraceDepth)
        view.TraceLine(view.m_playCount, ply, kind, i >= 0 ? view.m_moveY[i] : 0,
                       i >= 0 ? view.m_moveX[i] : 0);
    const int r = kind == 'w' ? BlackNode(view, i, p, set) : WhiteNode(view, i, p, set);
    if (ply <= kTraceDepth)
        view.TraceLine(view.m_playCount, ply, ' ', r, 0);
    if (i >= 0)
        set.board[p] = kEmpty;
    --view.m_histCount;
    return r;
}

// After a child's result L: true when the scan stops (the mover's win, or an
// exhausted line while the exhaustion check is off); a ko marks the node.
bool EndsScan(const CKovraView& view, SearchNode& node, int win)
{
    if (node.last == win || (node.last == kExhausted && view.m_exhaustCheck == 0))
        return true;
    if (node.last == kKo)
        node.ko = true;
    return false;
}

// The node's own result from its last child, its ko marker and the
// exhaustion check; stores decided results.
int CombineResult(CKovraView& view, const SearchNode& node, int side)
{
    const int win = side == kWhiteToMove ? kLife : kDeath;   // the mover's own success
    const int loss = side == kWhiteToMove ? kDeath : kLife;  // the other side's success
    const int L = node.last;
    int code;
    if (L == win)
        code = win;
    else if (L == kExhausted && view.m_exhaustCheck == 0)
        return kExhausted;
    else if (L == kKo || node.ko)
        code = kKo;
    else if (L == kExhausted)
        return kExhausted;
    else if (L == loss || L == kIllegal)
        code = loss;
    else
        return L;
    view.StoreResult(side, node.index, code);
    return code;
}

}  // namespace

// ---- White to move -------------------------------------------------------

namespace {

bool WhiteTargetTaken(const CKovraView& view, const CSearchSet& set)
{
    for (int t = 0; t < view.m_targetCount; ++t)
        if (set.board[CellIndex(view.m_targetX[t], view.m_targetY[t])] == kEmpty)
            return true;
    return false;
}

int WhiteNode(CKovraView& view, int move, int cell, const CSearchSet& parent)
{
    SearchNode node;
    int early;
    if (EnterNode(view, node, kWhiteToMove, move, cell, parent, &early))
        return early;
    CSearchSet& set = node.set;
    if (WhiteTargetTaken(view, set)) {
        view.StoreResult(kWhiteToMove, node.index, kDeath);
        return kDeath;
    }

    const int ply = EnterPly(view, node.index);
    CountOne(view.m_nodeCount);
    if ((static_cast<std::uint32_t>(view.m_nodeCount) & (kPollNodes - 1)) == 0)
        view.PollRun();
    OrderMoves(view, node, kBlack, 0);

    const bool liveRoot = move == -1 && ply == 1;
    for (int k = 0; k < view.m_moveCount; ++k) {
        const int i = node.order[k];
        const char kind = view.m_moveKind[i];
        const int p = view.m_moveCell[i];
        if (liveRoot && (!go::OpensReading(KindOfEntry(kind)) || !view.ReadsFirstMove(i)))
            continue;
        if (set.board[p] != kEmpty ||
            !go::MayPlay(KindOfEntry(kind), go::Role::Defender, [] { return true; },
                         [&] { return TouchesGroupInAtari(set, p, kBlack); }))
            continue;

        if (liveRoot)
            view.ReportRootEntry(i);
        node.last = PlayChild<'w'>(view, node, i);
        if (liveRoot)
            view.ShowStatusF("processed %1d of f-moves", k + 1);
        if (EndsScan(view, node, kLife))
            break;
    }

    const bool answeringPass = move < 0 && !liveRoot;
    if (node.last != kLife && node.last != kExhausted && !answeringPass &&
        (!liveRoot || view.ReadsFirstMove(kFirstMovePass)) &&
        view.CountOpenMoves(set.board, view.m_moveCount) <= kPassThreshold) {
        const int r = PlayChild<'w'>(view, node, -1);
        if (r == kLife || r == kExhausted || r == kDeath)
            node.last = r;
        else if (r == kKo)
            node.ko = true;
    }

    LeavePly(view);
    return CombineResult(view, node, kWhiteToMove);
}

}  // namespace

// ---- Black to move -------------------------------------------------------

namespace {

// True when the group on some target point has exactly one liberty; else
// *tested holds the ids of the target groups (none of them in atari).
bool BlackTargetInAtari(const CKovraView& view, const CSearchSet& set, std::uint32_t* tested)
{
    *tested = 0;
    for (int t = 0; t < view.m_targetCount; ++t) {
        const int g = set.GroupAt(CellIndex(view.m_targetX[t], view.m_targetY[t]));
        if (set.SoleLiberty(g) == 1)
            return true;
        if (g > 0)
            *tested |= 1u << g;
    }
    return false;
}

int BlackNode(CKovraView& view, int move, int cell, const CSearchSet& parent)
{
    SearchNode node;
    int early;
    if (EnterNode(view, node, kBlackToMove, move, cell, parent, &early))
        return early;
    CSearchSet& set = node.set;
    std::uint32_t targetGroups;
    if (BlackTargetInAtari(view, set, &targetGroups)) {
        view.StoreResult(kBlackToMove, node.index, kDeath);
        return kDeath;
    }

    EnterPly(view, node.index);
    CountOne(view.m_nodeCount);
    if ((static_cast<std::uint32_t>(view.m_nodeCount) & (kPollNodes - 1)) == 0)
        view.PollRun();
    OrderMoves(view, node, kWhite, targetGroups);

    // White's move at cell, for the ko ban (only a capturing move can start
    // a ko).
    bool koBanned = false;
    const std::uint32_t repeated = RepeatedMoves(view, node.index);
    for (int k = 0; k < view.m_moveCount; ++k) {
        const int i = node.order[k];
        const int p = view.m_moveCell[i];
        if (set.board[p] != kEmpty ||
            !go::MayPlay(KindOfEntry(view.m_moveKind[i]), go::Role::Attacker,
                         [&] { return TouchesColour(set.board, p, kWhite); }, [] { return true; }))
            continue;
        if (repeated & (1u << i)) {
            node.ko = true;
            continue;
        }
        if (node.captured && RetakesKo(set.board, p, cell, kBlack, parent.board[p] == kBlack)) {
            koBanned = true;
            continue;
        }

        node.last = PlayChild<'b'>(view, node, i);
        if (EndsScan(view, node, kDeath))
            break;
    }

    // A refused retake follows White's capture, never a pass: the pass
    // after a pass that the rules forbid cannot happen here.
    if (node.last != kDeath && node.last != kExhausted && koBanned) {
        const int r = PlayChild<'b'>(view, node, -1);
        if (r == kDeath || r == kExhausted)
            node.last = r;
        else if (r == kKo || r == kLife)
            node.ko = true;
    }

    LeavePly(view);
    return CombineResult(view, node, kBlackToMove);
}

// What a search needs before its first node: the key weights, the keys
// already on the line, and a ply cap that leaves room in the history for
// one entry per ply.
void PrepareSearch(CKovraView& view)
{
    WeighPoints(view);
    ClassifyLineKeys(view);
    const int room = kHistorySize - view.m_histCount + view.m_ply;
    view.m_plyCap = std::max(0, std::min(kPlyLimit, room));
}

// The cell of the newest history move: the point of the move that leads
// to a node, or nothing (0) for a pass.
int NewestMoveCell(const CKovraView& view, int move)
{
    if (move < 0 || view.m_histCount == 0)
        return 0;
    const int last = view.m_histCount - 1;
    return CellIndex(view.m_histX[last], view.m_histY[last]);
}

}  // namespace

// ---- the entry points -------------------------------------------------------

int CKovraView::SearchWhite(int move, const unsigned char* board, const std::int32_t* map,
                            const unsigned char* colors, const CPointList* lists, int count)
{
    PrepareSearch(*this);
    CSearchSet set;
    set.Load(board, map, colors, lists, count);
    return WhiteNode(*this, move, NewestMoveCell(*this, move), set);
}

int CKovraView::SearchBlack(int move, const unsigned char* board, const std::int32_t* map,
                            const unsigned char* colors, const CPointList* lists, int count)
{
    PrepareSearch(*this);
    CSearchSet set;
    set.Load(board, map, colors, lists, count);
    return BlackNode(*this, move, NewestMoveCell(*this, move), set);
}
