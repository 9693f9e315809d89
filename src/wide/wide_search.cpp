#include "wide/wide_search.h"

#include <algorithm>
#include <chrono>
#include <climits>

#include "solver/run_control.h"

namespace go {

namespace {

// "Depends on no position above": the deepest possible dependence.
constexpr int kFree = INT_MAX;

// splitmix64 again: keys for the side to move, the ko ban and the reading.
constexpr std::uint64_t Mix(std::uint64_t z)
{
    z += 0x9E3779B97F4A7C15ull;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}
constexpr std::uint64_t kWhiteToMove = Mix(0x5157u);
constexpr std::uint64_t kKoBase = 0x4b4f0000u;
constexpr std::uint64_t kAfterPass = Mix(0x50415353u);
constexpr std::uint64_t kSettled = Mix(0x5345544cu);

std::uint32_t Saturate(std::uint64_t v) { return v >= kInfinity ? kInfinity : static_cast<std::uint32_t>(v); }

// A move against the ko ban: only the favoured side makes it.
bool Retakes(const Board& board, Loc move, Player p) { return move == board.KoBan() && p == board.KoBanned(); }

}  // namespace

struct WideSearch::Child {
    Loc move = kPass;
    Stage stage = Stage::Fight;
    std::uint64_t key = 0;
    std::uint64_t repKey = 0;
    std::uint32_t phi = 1;    // of the child's side to move
    std::uint32_t delta = 1;
    int dep = kFree;          // proven: the shallowest position of the line it depends on
    bool fixed = false;       // its value is known here, not read from the table
    bool takesTarget = false; // its move takes a target
    bool quiet = false;       // its move takes nothing (or passes)
    bool koFree = false;      // proven, and the same in the other reading
};

struct WideSearch::Frame {
    Board board;
    Player toMove = Color::Black;
    Stage stage = Stage::Fight;
    bool root = false;
    std::uint64_t key = 0;
    std::uint32_t thPhi = kInfinity, thDelta = kInfinity;
    std::uint32_t phi = 1, delta = 1;
    std::vector<Child> children;
    int current = -1;
    std::int64_t expandedAtEntry = 0;
    std::uint32_t oldWork = 0;
    // Set by Finish.
    int dep = kFree;
    Loc best = kNoLoc;
    bool koFree = false;
};

// A proven child's move wins without a ko: nothing in its proof used a
// retake against the ban, and the move itself is none.
bool WideSearch::WinsKoFree(const Frame& f, const Child& c)
{
    return c.koFree && !Retakes(f.board, c.move, f.toMove);
}

constexpr std::size_t kKnownEnds = std::size_t{1} << 15;

WideSearch::WideSearch(const WideRules& rules, WideTable& table)
    : m_rules(rules), m_table(table), m_ends(kKnownEnds)
{
}

End WideSearch::EndOf(const Board& board, Player toMove, Stage stage, std::uint64_t key)
{
    KnownEnd& known = m_ends[key & (kKnownEnds - 1)];
    if (known.key != key) {
        known.key = key;
        known.end = m_rules.EndOf(board, toMove, false, FavouredIn(stage));
    }
    return known.end;
}

Player WideSearch::FavouredIn(Stage stage) const
{
    return stage == Stage::Settled ? m_rules.Attacker() : m_favoured;
}

// The attacker's pass matters only where it may end the fight with the
// attacker favoured next; elsewhere the defender's pass in answer is life.
void WideSearch::Moves(const Board& board, Player p, bool root, Stage stage, Player favoured,
                       std::vector<WideRules::Move>& out) const
{
    m_rules.Moves(board, p, root, favoured, out);
    if (Settles() && stage != Stage::Settled && !root && p == m_rules.Attacker() && !m_rules.Waits(board, p))
        out.push_back(WideRules::Move{kPass, static_cast<int>(out.size())});
}

Stage WideSearch::After(Stage stage, const Board& board, Player p, Loc move) const
{
    if (!Settles() || stage == Stage::Settled)
        return stage;
    if (move != kPass || m_rules.Waits(board, p))
        return Stage::Fight;
    return stage == Stage::AfterPass ? Stage::Settled : Stage::AfterPass;
}
WideSearch::~WideSearch() = default;

void WideSearch::SetReading(Player favoured, int reading)
{
    m_favoured = favoured;
    m_readingKey = Mix(0x7265616400ull + static_cast<std::uint64_t>(reading));
    m_otherReadingKey = Mix(0x7265616400ull + static_cast<std::uint64_t>(3 - reading));
    m_otherReadingStored = m_table.HasReading(3 - reading);
    m_attackerReadingKey = favoured == m_rules.Attacker() ? m_readingKey : m_otherReadingKey;
    m_table.MarkReading(reading);
}

// A result the other reading proved without any ko: the readings differ
// only in who may retake against the ban and who wins a repetition.
const TableEntry* WideSearch::FindKoFreeProof(std::uint64_t key) const
{
    if (!m_otherReadingStored)
        return nullptr;
    const TableEntry* e = m_table.Find(key ^ m_readingKey ^ m_otherReadingKey);
    return e && e->koFree && (e->phi == 0 || e->delta == 0) ? e : nullptr;
}

// The stones, the side to move and the ko ban: the favoured side's retake
// against the ban brings back the stones, but not the ban, so it is no
// repetition.
std::uint64_t WideSearch::RepetitionKey(std::uint64_t hash, Player toMove, Loc koBan, Player koBanned, Stage stage)
{
    std::uint64_t key = hash ^ (toMove == Color::White ? kWhiteToMove : 0);
    if (koBan != kNoLoc)
        key ^= Mix(kKoBase + static_cast<std::uint64_t>(koBan) * 4 + static_cast<std::uint64_t>(koBanned));
    return key ^ (stage == Stage::AfterPass ? kAfterPass : stage == Stage::Settled ? kSettled : 0);
}

std::uint64_t WideSearch::RepetitionKey(const Board& board, Player toMove, Stage stage)
{
    return RepetitionKey(board.Hash(), toMove, board.KoBan(), board.KoBanned(), stage);
}

// The repetition key and the reading. Whether the last move was a pass
// is the stage's business: the attacker's pass is read only where a pass
// in answer settles the fight.
std::uint64_t WideSearch::TableKey(std::uint64_t hash, Player toMove, Loc koBan, Player koBanned, Stage stage) const
{
    const std::uint64_t key = stage == Stage::Settled
                                  ? RepetitionKey(hash, toMove, koBan, koBanned, Stage::Fight) ^ m_attackerReadingKey
                                  : RepetitionKey(hash, toMove, koBan, koBanned, stage) ^ m_readingKey;
    return key == 0 ? 1 : key;  // 0 marks a free entry
}

std::uint64_t WideSearch::TableKey(const Board& board, Player toMove, Stage stage) const
{
    return TableKey(board.Hash(), toMove, board.KoBan(), board.KoBanned(), stage);
}

WideSearch::Frame& WideSearch::Push(const Board& board, Loc move, Player toMove, Stage stage, std::uint32_t thPhi,
                                    std::uint32_t thDelta)
{
    ++m_top;
    if (m_top == static_cast<int>(m_frames.size()))
        m_frames.emplace_back(new Frame);
    Frame& f = *m_frames[m_top];
    f.board = board;
    if (move != kNoLoc)  // played on the frame's own copy, as its parent's stage allows
        WideRules::PlayMove(f.board, move, Opponent(toMove), FavouredIn(m_frames[m_top - 1]->stage));
    f.toMove = toMove;
    f.stage = stage;
    f.root = false;
    f.key = TableKey(f.board, toMove, stage);
    f.thPhi = thPhi;
    f.thDelta = thDelta;
    f.children.clear();
    f.current = -1;
    f.expandedAtEntry = m_expanded;
    const TableEntry* e = m_table.Find(f.key);
    f.oldWork = e ? e->work : 0;
    f.dep = kFree;
    f.best = kNoLoc;
    m_maxDepth = std::max(m_maxDepth, m_base + m_top);
    return f;
}

int WideSearch::RepetitionDepth(std::uint64_t repKey, int depth) const
{
    for (int r = depth - 2; r >= 0; r -= 2)
        if (m_line[r] == repKey)
            return r;
    return -1;
}

// The child's position (after its move, key made) valued as far as it can
// be without reading it: ended, repeated, known to the table, or a guess.
void WideSearch::MakeChild(const Frame& f, Child& c)
{
    const Player next = Opponent(f.toMove);
    c.dep = kFree;
    c.fixed = true;
    c.koFree = true;
    const int depth = m_base + m_top + 1;
    Player winner = Color::Empty;
    if (c.takesTarget) {
        winner = m_rules.Attacker();
    } else {
        const int r = RepetitionDepth(c.repKey, depth);
        if (r >= 0) {
            winner = Opponent(FavouredIn(c.stage));
            c.dep = r;
            c.koFree = false;
        } else if (const TableEntry* e = m_table.Find(c.key)) {
            c.phi = e->phi;
            c.delta = e->delta;
            c.koFree = e->koFree;
            c.fixed = false;
            return;
        } else if (const TableEntry* other = FindKoFreeProof(c.key)) {
            c.phi = other->phi;
            c.delta = other->delta;
            return;
        }
    }
    if (winner == Color::Empty) {
        // New to the table. Nothing ends with the defender to move after a
        // quiet attack: its guess needs no board of its own.
        if (f.toMove == m_rules.Attacker() && c.quiet) {
            SetGuess(c, next, m_rules.GuessAfterQuietAttack(f.board, c.move));
            return;
        }
        // Else the position itself is needed now.
        Board& board = m_scratch;
        board = f.board;
        WideRules::PlayMove(board, c.move, f.toMove, FavouredIn(f.stage));
        const End end = EndOf(board, next, c.stage, c.key);
        // The attacker's last capture may be a favoured retake.
        c.koFree = end != End::Death || board.KoBan() == kNoLoc || board.KoBanned() != m_rules.Attacker();
        winner = end == End::Death ? m_rules.Attacker()
                 : end == End::Life ? m_rules.Defender()
                                    : Color::Empty;
        if (winner == Color::Empty) {
            SetGuess(c, next, m_rules.Guess(board));
            return;
        }
    }
    c.phi = winner == next ? 0 : kInfinity;
    c.delta = winner == next ? kInfinity : 0;
}

void WideSearch::SetGuess(Child& c, Player next, const WideRules::Estimate& guess) const
{
    c.phi = next == m_rules.Attacker() ? guess.attacker : guess.defender;
    c.delta = next == m_rules.Attacker() ? guess.defender : guess.attacker;
    c.fixed = false;
}

bool WideSearch::RootMoves::Open(Loc move) const
{
    if (only != kNoLoc)
        return move == only;
    return !skipped || std::find(skipped->begin(), skipped->end(), move) == skipped->end();
}

void WideSearch::Expand(Frame& f, const RootMoves* root)
{
    ++m_expanded;
    if ((m_expanded & (kPollNodes - 1)) == 0)
        Poll();
    Moves(f.board, f.toMove, f.root, f.stage, FavouredIn(f.stage), m_moves);
    // The children's keys first, foreseen without playing, so that their
    // table entries are on their way to the cache while the first ones are
    // judged; only the positions new to the table are made.
    const Player next = Opponent(f.toMove);
    for (const WideRules::Move& m : m_moves) {
        if (root && !root->Open(m.at))
            continue;
        const Board::Preview after = f.board.Foresee(m.at, f.toMove);
        ++m_played;
        f.children.emplace_back();
        Child& c = f.children.back();
        c.move = m.at;
        c.stage = After(f.stage, f.board, f.toMove, m.at);
        c.key = TableKey(after.hash, next, after.koBan, after.koBanned, c.stage);
        c.repKey = RepetitionKey(after.hash, next, after.koBan, after.koBanned, c.stage);
        c.takesTarget = false;
        c.quiet = after.takenStrings == 0;
        for (int k = 0; k < after.takenStrings; ++k)
            for (Loc t : m_rules.Targets())
                c.takesTarget = c.takesTarget || f.board.Head(t) == after.taken[k];
        m_table.Prefetch(c.key);
        if (m_otherReadingStored)
            m_table.Prefetch(c.key ^ m_readingKey ^ m_otherReadingKey);
    }
    // A child won outright, free of the line and of kos, decides the
    // position as every other child would leave it: the rest are not made
    // (but at the root, whose first moves are each read).
    for (std::size_t k = 0; k < f.children.size(); ++k) {
        Child& c = f.children[k];
        MakeChild(f, c);
        if (!f.root && c.delta == 0 && c.dep == kFree && WinsKoFree(f, c)) {
            f.children.resize(k + 1);
            break;
        }
    }
}

void WideSearch::Poll()
{
    if (!m_control)
        return;
    m_control->nodes.store(m_expanded > INT32_MAX ? INT32_MAX : static_cast<std::int32_t>(m_expanded));
    const bool cancel = m_control->cancel && m_control->cancel->load();
    const bool late = m_control->deadline != std::chrono::steady_clock::time_point{} &&
                      std::chrono::steady_clock::now() >= m_control->deadline;
    m_cancelled = m_cancelled || cancel || late;
}

// The frame's numbers from its children's as last seen. (A child that a
// transposition changed meanwhile is looked up again when chosen.)
void WideSearch::Refresh(Frame& f) const
{
    std::uint32_t phi = kInfinity;
    std::uint64_t delta = 0;
    bool lostChild = false;
    for (const Child& c : f.children) {
        phi = std::min(phi, c.delta);
        lostChild = lostChild || c.phi == kInfinity;
        delta += c.phi;
    }
    f.phi = phi;
    f.delta = lostChild ? kInfinity : static_cast<std::uint32_t>(std::min<std::uint64_t>(delta, kInfinity - 1));
}

// Decides what the frame's result depends on and keeps it in the table
// when it depends on nothing above the frame.
void WideSearch::Finish(Frame& f)
{
    const int depth = m_base + m_top;
    f.dep = kFree;
    f.best = kNoLoc;
    f.koFree = false;
    if (f.phi == 0) {
        // The win resting on the least of the line above, and without a
        // ko where it can.
        int bestDep = -1;
        for (const Child& c : f.children) {
            if (c.delta != 0)
                continue;
            const bool koFree = WinsKoFree(f, c);
            if (c.dep > bestDep || (c.dep == bestDep && koFree && !f.koFree)) {
                bestDep = c.dep;
                f.best = c.move;
                f.koFree = koFree;
            }
        }
        f.dep = bestDep;
    } else if (f.delta == 0) {
        // A loser whom the ban keeps from a retake could make it in the
        // other reading, unless it is favoured in this one.
        f.koFree = f.board.KoBan() == kNoLoc || f.board.KoBanned() != f.toMove || f.toMove == FavouredIn(f.stage);
        for (const Child& c : f.children) {
            f.dep = std::min(f.dep, c.dep);
            f.koFree = f.koFree && c.koFree;
        }
    }
    if (f.dep >= depth)
        f.dep = kFree;
    if (f.root || f.dep != kFree)
        return;
    TableEntry e;
    e.key = f.key;
    e.phi = f.phi;
    e.delta = f.delta;
    e.work = Saturate(std::uint64_t{f.oldWork} + static_cast<std::uint64_t>(m_expanded - f.expandedAtEntry));
    e.best = f.best;
    e.koFree = f.koFree;
    m_table.Store(e);
}

// Reads the most proving child within thresholds that leave room for the
// second best (the 1 + 1/4 trick, so that the search does not switch back
// and forth between two children of nearly equal worth).
void WideSearch::DescendInto(Frame& f)
{
    int best = 0;
    std::uint32_t delta2 = kInfinity;
    for (int k = 1; k < static_cast<int>(f.children.size()); ++k) {
        const std::uint32_t d = f.children[k].delta;
        if (d < f.children[best].delta) {
            delta2 = f.children[best].delta;
            best = k;
        } else if (d < delta2) {
            delta2 = d;
        }
    }
    Child& c = f.children[best];
    if (!c.fixed)
        if (const TableEntry* e = m_table.Find(c.key))
            if (e->phi != c.phi || e->delta != c.delta) {
                c.phi = e->phi;
                c.delta = e->delta;
                return;  // chosen on old numbers: choose again
            }
    const std::uint32_t thPhi =
        f.thDelta >= kInfinity ? kInfinity : Saturate(std::uint64_t{f.thDelta} - f.delta + c.phi);
    const std::uint32_t widened = delta2 >= kInfinity ? kInfinity : Saturate(std::uint64_t{delta2} + delta2 / 4 + 1);
    const std::uint32_t thDelta = std::min(f.thPhi, widened);
    f.current = best;
    m_line.push_back(c.repKey);
    Frame& child = Push(f.board, c.move, Opponent(f.toMove), c.stage, thPhi, thDelta);
    Expand(child, nullptr);
}

// The frame's moves by what is left to prove that they win, the proven
// winner first.
std::vector<Loc> WideSearch::ByPromise(const Frame& f)
{
    std::vector<const Child*> children;
    for (const Child& c : f.children)
        children.push_back(&c);
    std::stable_sort(children.begin(), children.end(), [&](const Child* a, const Child* b) {
        if ((a->move == f.best) != (b->move == f.best))
            return a->move == f.best;
        return a->delta < b->delta;
    });
    std::vector<Loc> moves;
    for (const Child* c : children)
        moves.push_back(c->move);
    return moves;
}

WideSearch::Outcome WideSearch::Solve(const Board& board, Player toMove, Stage stage,
                                      const std::vector<std::uint64_t>& line, Loc only, bool fresh,
                                      const std::vector<Loc>& skipped)
{
    Outcome out;
    m_cancelled = false;
    m_line = line;
    m_base = static_cast<int>(line.size());
    m_line.push_back(RepetitionKey(board, toMove, stage));
    m_top = -1;
    Frame& root = Push(board, kNoLoc, toMove, stage, kInfinity, kInfinity);
    root.root = line.empty();
    if (!fresh && !root.root) {
        const TableEntry* e = m_table.Find(root.key);
        if (e && (e->phi == 0 || e->delta == 0)) {
            out.moverWins = e->phi == 0;
            out.best = e->best;
            return out;
        }
    }
    // A reading begun when its time is up (the last first moves of a
    // problem whose limit has passed) ends at once, not after the first
    // kPollNodes positions.
    Poll();
    if (m_cancelled) {
        out.cancelled = true;
        return out;
    }
    const RootMoves open{only, &skipped};
    Expand(root, root.root ? &open : nullptr);
    for (;;) {
        Frame& f = *m_frames[m_top];
        if (m_cancelled) {
            out.cancelled = true;
            return out;
        }
        Refresh(f);
        if (f.phi < f.thPhi && f.delta < f.thDelta) {
            DescendInto(f);
            continue;
        }
        Finish(f);
        if (m_top == 0) {
            out.moverWins = f.phi == 0;
            out.best = f.best;
            if (f.root)  // only the problem's first moves are read alone
                out.promising = ByPromise(f);
            return out;
        }
        Frame& parent = *m_frames[m_top - 1];
        Child& c = parent.children[parent.current];
        c.phi = f.phi;
        c.delta = f.delta;
        c.dep = f.dep;
        c.koFree = f.koFree;
        c.fixed = (f.phi == 0 || f.delta == 0) && f.dep != kFree;
        --m_top;
        m_line.pop_back();
    }
}

}  // namespace go
