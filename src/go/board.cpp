#include "go/board.h"

#include <initializer_list>

namespace go {

namespace {

// The cells already counted while walking one string's neighbours.
struct CellSet {
    std::uint64_t bits[(kLocs + 63) / 64] = {};
    // True the first time a cell is added.
    bool Add(Loc loc)
    {
        std::uint64_t& word = bits[loc >> 6];
        const std::uint64_t bit = std::uint64_t{1} << (loc & 63);
        if (word & bit)
            return false;
        word |= bit;
        return true;
    }
};

// splitmix64: a well-mixed 64-bit value for each (cell, colour).
constexpr std::uint64_t Mix(std::uint64_t z)
{
    z += 0x9E3779B97F4A7C15ull;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

}  // namespace

std::uint64_t Board::StoneKey(Loc loc, Color c)
{
    return Mix(static_cast<std::uint64_t>(loc) * 4 + static_cast<std::uint64_t>(c));
}

Board::Board(int size) : m_size(size < 1 ? 1 : size > kMaxBoardSize ? kMaxBoardSize : size)
{
    for (int loc = 0; loc < kLocs; ++loc) {
        const int x = loc % kStride, y = loc / kStride;
        const bool inside = x >= 1 && y >= 1 && x <= m_size && y <= m_size;
        m_color[loc] = inside ? Color::Empty : Color::Wall;
        m_head[loc] = static_cast<Loc>(loc);
        m_next[loc] = static_cast<Loc>(loc);
        m_libs[loc] = 0;
        m_stones[loc] = 0;
    }
}

void Board::SetStone(Loc loc, Color c)
{
    if (!IsPoint(loc) || c == Color::Wall || m_color[loc] == c)
        return;
    if (IsStone(m_color[loc]))
        m_hash ^= StoneKey(loc, m_color[loc]);
    if (IsStone(c))
        m_hash ^= StoneKey(loc, c);
    m_color[loc] = c;
    m_koBan = kNoLoc;
    m_koBanned = Color::Empty;
    RebuildStrings();
}

void Board::RebuildStrings()
{
    for (int loc = 0; loc < kLocs; ++loc) {
        m_head[loc] = static_cast<Loc>(loc);
        m_next[loc] = static_cast<Loc>(loc);
        m_stones[loc] = IsStone(m_color[loc]) ? 1 : 0;
    }
    for (int loc = 0; loc < kLocs; ++loc) {
        if (!IsStone(m_color[loc]))
            continue;
        for (int d : {1, kStride}) {  // right and below: each pair once
            const Loc n = static_cast<Loc>(loc + d);
            if (n < kLocs && m_color[n] == m_color[loc] && m_head[n] != m_head[loc])
                MergeInto(m_head[loc], m_head[n]);
        }
    }
    for (int loc = 0; loc < kLocs; ++loc)
        if (IsStone(m_color[loc]) && m_head[loc] == loc)
            m_libs[loc] = static_cast<std::int16_t>(CountLiberties(static_cast<Loc>(loc)));
}

int Board::CountLiberties(Loc head) const
{
    CellSet seen;
    int libs = 0;
    ForEachStone(head, [&](Loc s) {
        for (int d : kAdjacent) {
            const Loc n = static_cast<Loc>(s + d);
            if (m_color[n] == Color::Empty && seen.Add(n))
                ++libs;
        }
    });
    return libs;
}

Loc Board::AnyLiberty(Loc loc) const
{
    Loc found = kNoLoc;
    ForEachStone(loc, [&](Loc s) {
        for (int d : kAdjacent)
            if (m_color[s + d] == Color::Empty)
                found = static_cast<Loc>(s + d);
    });
    return found;
}

// Joins string other into string keep (both heads); the larger keeps its head.
void Board::MergeInto(Loc keep, Loc other)
{
    if (m_stones[other] > m_stones[keep]) {
        const Loc t = keep;
        keep = other;
        other = t;
    }
    ForEachStone(other, [&](Loc s) { m_head[s] = keep; });
    const Loc after = m_next[keep];
    m_next[keep] = m_next[other];
    m_next[other] = after;
    m_stones[keep] = static_cast<std::int16_t>(m_stones[keep] + m_stones[other]);
}

void Board::RemoveString(Loc head, Removed& removed)
{
    const Color c = m_color[head];
    Loc s = head;
    do {
        const Loc next = m_next[s];
        m_color[s] = Color::Empty;
        m_hash ^= StoneKey(s, c);
        removed.at[removed.count++] = s;
        m_head[s] = s;
        m_next[s] = s;
        s = next;
    } while (s != head);
}

bool Board::IsLegal(Loc loc, Player p) const
{
    if (loc == kPass)
        return true;
    if (!IsPoint(loc) || m_color[loc] != Color::Empty || (loc == m_koBan && p == m_koBanned))
        return false;
    for (int d : kAdjacent) {
        const Loc n = static_cast<Loc>(loc + d);
        const Color c = m_color[n];
        if (c == Color::Empty)
            return true;
        if (c == p && m_libs[m_head[n]] > 1)
            return true;
        if (c == Opponent(p) && m_libs[m_head[n]] == 1)
            return true;
    }
    return false;
}

Board::Preview Board::Foresee(Loc loc, Player p) const
{
    Preview out;
    out.hash = m_hash;
    if (loc == kPass)
        return out;
    out.hash ^= StoneKey(loc, p);
    const Color opp = Opponent(p);
    bool joins = false;
    int empty = 0, captures = 0;
    Loc lastTaken = kNoLoc;
    for (int d : kAdjacent) {
        const Loc n = static_cast<Loc>(loc + d);
        const Color c = m_color[n];
        empty += c == Color::Empty;
        joins = joins || c == p;
        if (c != opp || m_libs[m_head[n]] != 1)
            continue;
        const Loc h = m_head[n];
        bool again = false;
        for (int k = 0; k < out.takenStrings; ++k)
            again = again || out.taken[k] == h;
        if (again)
            continue;
        out.taken[out.takenStrings++] = h;
        captures += m_stones[h];
        lastTaken = h;
        ForEachStone(h, [&](Loc s) { out.hash ^= StoneKey(s, opp); });
    }
    // Play's rule: one stone taken by a lone stone left with one liberty
    // (the point it took).
    if (captures == 1 && !joins && empty == 0) {
        out.koBan = lastTaken;
        out.koBanned = opp;
    }
    return out;
}

bool Board::Play(Loc loc, Player p)
{
    if (!IsLegal(loc, p))
        return false;
    m_lastCaptures = 0;
    m_koBan = kNoLoc;
    m_koBanned = Color::Empty;
    if (loc == kPass)
        return true;
    const Color opp = Opponent(p);
    m_color[loc] = p;
    m_hash ^= StoneKey(loc, p);
    m_head[loc] = loc;
    m_next[loc] = loc;
    m_stones[loc] = 1;

    // The opponent's strings around lose this liberty once each; those left
    // without one are taken.
    Loc seen[4];
    int nSeen = 0;
    Loc taken = kNoLoc;
    Removed removed;
    for (int d : kAdjacent) {
        const Loc n = static_cast<Loc>(loc + d);
        if (m_color[n] != opp)
            continue;
        const Loc h = m_head[n];
        bool again = false;
        for (int k = 0; k < nSeen; ++k)
            again = again || seen[k] == h;
        if (again)
            continue;
        seen[nSeen++] = h;
        if (--m_libs[h] == 0) {
            m_lastCaptures += m_stones[h];
            taken = n;
            RemoveString(h, removed);
        }
    }
    for (int d : kAdjacent) {
        const Loc n = static_cast<Loc>(loc + d);
        if (m_color[n] == p && m_head[n] != m_head[loc])
            MergeInto(m_head[loc], m_head[n]);
    }
    const Loc head = m_head[loc];
    m_libs[head] = static_cast<std::int16_t>(CountLiberties(head));
    if (m_lastCaptures > 0)
        RecountAroundTaken(head, removed);
    if (m_lastCaptures == 1 && m_stones[head] == 1 && m_libs[head] == 1) {
        m_koBan = taken;
        m_koBanned = opp;
    }
    return true;
}

// The player's strings next to the taken points gained liberties: each is
// counted again once (the string just played already was). Only the
// player's stones can stand next to a taken point.
void Board::RecountAroundTaken(Loc played, const Removed& removed)
{
    CellSet counted;
    counted.Add(played);
    for (int k = 0; k < removed.count; ++k) {
        for (int d : kAdjacent) {
            const Loc n = static_cast<Loc>(removed.at[k] + d);
            if (IsStone(m_color[n]) && counted.Add(m_head[n]))
                m_libs[m_head[n]] = static_cast<std::int16_t>(CountLiberties(m_head[n]));
        }
    }
}

}  // namespace go
