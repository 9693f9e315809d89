#include "wide/eye_game.h"

#include <algorithm>
#include <cstdio>

namespace go {

namespace {

constexpr int kN = EyeGame::kMaxPoints;
constexpr std::int8_t kOff = -1;  // a neighbour off the board
// A bordering string s is written as kBorder - s.
constexpr std::int8_t kBorder = -2;
// Positions one reading may visit before it gives up (a region it gives
// up on is not held: the test may miss a life, never claim a false one).
constexpr long kBudget = 5000;

enum Stone : std::uint8_t { kEmpty = 0, kAttacker = 1, kDefender = 2 };

using Stones = std::uint8_t[kN];

}  // namespace

// One region read from scratch, on bit sets of its points (board order):
// the results of the positions met with the attacker to move. None
// repeats: defender stones are never taken, so each move adds a defender
// stone or an attacker stone.
class EyeGame::Reading {
public:
    using Set = std::uint32_t;

    Reading(const Stones start, int n, int borders, const char* kind, const std::int8_t (*next)[4], Model model)
        : m_n(n), m_borders(borders), m_kind(kind), m_model(model)
    {
        for (int i = 0; i < n; ++i) {
            m_next[i] = 0;
            m_bordersAt[i] = 0;
            for (int d = 0; d < 4; ++d) {
                const int j = next[i][d];
                if (j >= 0)
                    m_next[i] |= Bit(j);
                else if (j <= kBorder)
                    m_bordersAt[i] |= Bit(kBorder - j);
            }
            for (int b = 0; b < borders; ++b)
                if (m_bordersAt[i] & Bit(b))
                    m_besideBorder[b] |= Bit(i);
            if (start[i] == kAttacker)
                m_attacker0 |= Bit(i);
        }
    }

    long Visited() const { return m_visited; }
    bool Held()
    {
        return Breathe(m_attacker0, 0) && AttackerToMove(m_attacker0, 0) && m_visited <= kBudget;
    }

private:
    static Set Bit(int i) { return Set{1} << i; }
    Set All() const { return Bit(m_n) - 1; }

    Set Around(Set s) const
    {
        Set out = 0;
        for (; s; s &= s - 1)
            out |= m_next[__builtin_ctz(s)];
        return out;
    }
    // The points of within connected to seed.
    Set Grow(Set seed, Set within) const
    {
        Set s = seed & within;
        for (Set more = s; more;) {
            const Set next = (s | Around(more)) & within;
            more = next & ~s;
            s = next;
        }
        return s;
    }

    // Whether every defender group keeps a liberty here: each string around
    // with the stones joined to it, and the stones the defender put alone.
    bool Breathe(Set a, Set d) const
    {
        const Set empty = All() & ~a & ~d;
        Set reached = 0;
        for (int b = 0; b < m_borders; ++b) {
            Set borders = Bit(b), stones = 0, libs = 0;
            for (Set grown = ~Set{0}; grown != borders;) {
                grown = borders;
                Set beside = 0;
                for (Set bs = borders; bs; bs &= bs - 1)
                    beside |= m_besideBorder[__builtin_ctz(bs)];
                stones = Grow(beside & d, d);
                libs = beside | Around(stones);
                for (Set ss = stones; ss; ss &= ss - 1)
                    borders |= m_bordersAt[__builtin_ctz(ss)];
            }
            if ((libs & empty) == 0)
                return false;
            reached |= stones;
        }
        for (Set alone = d & ~reached; alone;) {
            const Set group = Grow(alone & (0 - alone), d);
            if ((Around(group) & empty) == 0)
                return false;
            alone &= ~group;
        }
        return true;
    }

    bool StringBreathes(int i, Set own, Set empty) const { return (Around(Grow(Bit(i), own)) & empty) != 0; }

    bool AttackerToMove(Set a, Set d)
    {
        const std::uint32_t key = a | (d << kN);
        const auto known = m_memo.find(key);
        if (known != m_memo.end())
            return known->second;
        if (++m_visited > kBudget)
            return false;
        bool held = PassingHolds(a, d);
        if (held) {
            m_memo.emplace(key, held);
            return held;
        }
        held = true;
        const Set empty = All() & ~a & ~d;
        // The points with the most empty neighbours first: the vital
        // points of eye shapes, where a kill usually starts.
        int order[kN], count = 0;
        for (Set moves = empty; moves; moves &= moves - 1)
            order[count++] = __builtin_ctz(moves);
        std::stable_sort(order, order + count, [&](int x, int y) {
            return __builtin_popcount(m_next[x] & empty) > __builtin_popcount(m_next[y] & empty);
        });
        for (int k = 0; k < count && held; ++k) {
            const int i = order[k];
            if (m_kind[i] == 0 || (m_kind[i] == 'z' && !m_bordersAt[i] && !(m_next[i] & d)))
                continue;
            const Set after = a | Bit(i);
            const bool alive = StringBreathes(i, after, empty & ~Bit(i));
            // A defender stone taken, or a group left without a liberty
            // here (when it could be taken, or his stones live on), wins.
            if (!Breathe(after, d)) {
                const bool innerTaken = !InnerBreathe(after, d);
                if (innerTaken || alive || m_model == Model::Strong) {
                    held = false;
                    break;
                }
                continue;  // suicide
            }
            if (alive)
                held = DefenderAnswers(after, d, i);
        }
        m_memo.emplace(key, held);
        return held;
    }

    // Benson's test inside the region: with every defender stone joined to
    // a string around, each group holds while the defender passes when
    // enough parts of the region (split by his stones) have only its
    // liberties as empty points: one while it has liberties elsewhere,
    // two when it may have none (the attacker's last stone in a part is
    // suicide while the other part has a liberty).
    bool PassingHolds(Set a, Set d) const
    {
        const Set empty = All() & ~a & ~d;
        Set outer = 0;
        for (int b = 0; b < m_borders; ++b)
            outer |= m_besideBorder[b] & d;
        if (Grow(outer, d) != d)
            return false;
        const int needed = m_model == Model::Strong ? 2 : 1;
        for (int b = 0; b < m_borders; ++b) {
            Set borders = Bit(b), libs = 0;
            for (Set grown = ~Set{0}; grown != borders;) {
                grown = borders;
                Set beside = 0;
                for (Set bs = borders; bs; bs &= bs - 1)
                    beside |= m_besideBorder[__builtin_ctz(bs)];
                const Set stones = Grow(beside & d, d);
                libs = (beside | Around(stones)) & empty;
                for (Set ss = stones; ss; ss &= ss - 1)
                    borders |= m_bordersAt[__builtin_ctz(ss)];
            }
            int parts = 0;
            for (Set left = libs; left && parts < needed;) {
                const Set part = Grow(left & (0 - left), All() & ~d);
                parts += (part & empty & ~libs) == 0;
                left &= ~part;
            }
            if (parts < needed)
                return false;
        }
        return true;
    }

    // Whether the stones the defender put alone all keep a liberty.
    bool InnerBreathe(Set a, Set d) const
    {
        const Set empty = All() & ~a & ~d;
        Set outer = 0;
        for (int b = 0; b < m_borders; ++b)
            outer |= m_besideBorder[b] & d;
        // Stones joined to the strings around through other stones.
        Set joined = Grow(outer, d);
        for (Set alone = d & ~joined; alone;) {
            const Set group = Grow(alone & (0 - alone), d);
            if ((Around(group) & empty) == 0)
                return false;
            alone &= ~group;
        }
        return true;
    }

    // Pass first, then the points next to the attacker's move, then the rest.
    bool DefenderAnswers(Set a, Set d, int played)
    {
        if (AttackerToMove(a, d))
            return true;
        const Set empty = All() & ~a & ~d;
        const Set near = m_next[played] & empty;
        for (Set order : {near, empty & ~near})
            for (; order && m_visited <= kBudget; order &= order - 1) {
                const int j = __builtin_ctz(order);
                Set after = a, placed = d | Bit(j);
                const char kind = m_kind[j];
                if (kind == 0 || kind == 'z')
                    continue;
                // Takes the attacker strings next to j left without a liberty.
                bool takes = false;
                for (Set adj = m_next[j] & a; adj; adj &= adj - 1) {
                    const Set string = Grow(adj & (0 - adj), after);
                    if ((Around(string) & All() & ~after & ~placed) == 0) {
                        after &= ~string;
                        takes = true;
                    }
                }
                if (kind == 'y' && !takes)
                    continue;
                if (Breathe(after, placed) && AttackerToMove(after, placed))
                    return true;
            }
        return false;
    }

    int m_n;
    int m_borders;
    const char* m_kind;
    Model m_model;
    Set m_next[kN] = {};
    Set m_bordersAt[kN] = {};      // the strings around, by point
    Set m_besideBorder[kN] = {};   // the points next to each string around
    Set m_attacker0 = 0;
    long m_visited = 0;
    std::unordered_map<std::uint32_t, bool> m_memo;
};

bool EyeGame::Holds(const Board& board, Player defender, const Kind* kinds, const bool* candidate, const Loc* points,
                    int count, Model model)
{
    if (count <= 0 || count > kMaxPoints)
        return false;
    Loc at[kN];
    std::copy(points, points + count, at);
    std::sort(at, at + count);
    Stones stones = {};
    char kind[kN] = {};
    std::int8_t next[kN][4];
    Loc borders[kN * 4];
    int borderCount = 0;
    std::string key(1, model == Model::Weak ? 'w' : 's');
    for (int i = 0; i < count; ++i) {
        const Loc p = at[i];
        const Color c = board.At(p);
        if (c == defender || c == Color::Wall)
            return false;
        stones[i] = c == Color::Empty ? kEmpty : kAttacker;
        kind[i] = candidate[p] ? LetterOf(kinds[p]) : 0;
        for (int d = 0; d < 4; ++d) {
            const Loc n = static_cast<Loc>(p + kAdjacent[d]);
            const Color nc = board.At(n);
            if (nc == Color::Wall) {
                next[i][d] = kOff;
            } else if (nc == defender) {
                const Loc head = board.Head(n);
                int b = static_cast<int>(std::find(borders, borders + borderCount, head) - borders);
                if (b == borderCount) {
                    if (borderCount == kN)
                        return false;
                    borders[borderCount++] = head;
                }
                next[i][d] = static_cast<std::int8_t>(kBorder - b);
            } else {
                const Loc* found = std::find(at, at + count, n);
                if (found == at + count)
                    return false;  // not a whole region
                next[i][d] = static_cast<std::int8_t>(found - at);
            }
        }
        key += static_cast<char>(p & 0xff);
        key += static_cast<char>(p >> 8);
        key += static_cast<char>(stones[i]);
        key += kind[i];
        key.append(reinterpret_cast<const char*>(next[i]), 4);
    }
    const auto known = m_known.find(key);
    if (known != m_known.end())
        return known->second;
    Reading reading(stones, count, borderCount, kind, next, model);
    const bool held = reading.Held();
    if (m_known.size() > (std::size_t{1} << 20))
        m_known.clear();
    m_known.emplace(key, held);
    return held;
}

}  // namespace go
