#include "wide/benson.h"

#include <cstdint>
#include <cstring>

namespace go {

namespace {

constexpr int kMaxStrings = kLocs / 2;

// The regions that can be vital: maximal connected sets of points free of
// the defender's stones whose empty points all lie in the region. A set
// that reaches an empty point off the region can never be vital (that
// point would be a liberty for ever, so its neighbour is safe anyway).
class Regions {
public:
    Regions(const Board& board, Player defender, const bool* candidate)
        : m_board(board), m_defender(defender), m_candidate(candidate)
    {
        std::memset(m_regionOf, 0xff, sizeof m_regionOf);
        std::memset(m_stringOf, 0xff, sizeof m_stringOf);
    }

    // The string number of the defender's string through loc, made on first sight.
    int StringOf(Loc loc)
    {
        const Loc head = m_board.Head(loc);
        if (m_stringOf[head] < 0) {
            m_heads[m_strings] = head;
            m_stringOf[head] = static_cast<std::int16_t>(m_strings++);
        }
        return m_stringOf[head];
    }
    int Strings() const { return m_strings; }
    Loc HeadOf(int s) const { return m_heads[s]; }

    // Fills the region through every candidate point not yet seen.
    void FindAll()
    {
        for (Loc loc = 0; loc < kLocs; ++loc)
            if (m_candidate[loc] && m_board.At(loc) != m_defender && m_regionOf[loc] < 0)
                Fill(loc);
    }

    struct Region {
        int emptyBegin, emptyEnd;    // into m_empties
        int borderBegin, borderEnd;  // string numbers, into m_borders
        bool vitalCandidate;
    };
    int Count() const { return m_count; }
    const Region& At(int r) const { return m_regions[r]; }
    int BorderString(int k) const { return m_borders[k]; }

    // All the region's empty points are liberties of string s.
    bool AllLibertiesOf(int r, int s) const
    {
        const Region& region = m_regions[r];
        for (int k = region.emptyBegin; k < region.emptyEnd; ++k) {
            bool touches = false;
            for (int d : kAdjacent) {
                const Loc n = static_cast<Loc>(m_empties[k] + d);
                touches = touches || (m_board.At(n) == m_defender && m_board.Head(n) == m_heads[s]);
            }
            if (!touches)
                return false;
        }
        return region.emptyEnd > region.emptyBegin;
    }

private:
    void Fill(Loc start)
    {
        Region& region = m_regions[m_count];
        region.emptyBegin = region.emptyEnd = m_emptyCount;
        region.borderBegin = region.borderEnd = m_borderCount;
        region.vitalCandidate = true;
        Loc stack[kLocs];
        int top = 0;
        stack[top++] = start;
        m_regionOf[start] = static_cast<std::int16_t>(m_count);
        // Stops as soon as the region cannot be vital: the points left
        // unlabelled lead any later fill to this region or to the same
        // kind of point again.
        while (top > 0 && region.vitalCandidate) {
            const Loc p = stack[--top];
            if (m_board.At(p) == Color::Empty) {
                region.vitalCandidate = m_candidate[p];
                m_empties[m_emptyCount++] = p;
            }
            for (int d : kAdjacent) {
                const Loc n = static_cast<Loc>(p + d);
                const Color c = m_board.At(n);
                if (c == Color::Wall)
                    continue;
                if (c == m_defender) {
                    AddBorder(region, StringOf(n));
                } else if (m_regionOf[n] < 0) {
                    m_regionOf[n] = static_cast<std::int16_t>(m_count);
                    stack[top++] = n;
                } else if (m_regionOf[n] != m_count) {
                    region.vitalCandidate = false;  // joins a region already stopped
                }
            }
        }
        region.emptyEnd = m_emptyCount;
        ++m_count;
    }

    void AddBorder(Region& region, int s)
    {
        for (int k = region.borderBegin; k < region.borderEnd; ++k)
            if (m_borders[k] == s)
                return;
        m_borders[m_borderCount++] = static_cast<std::int16_t>(s);
        region.borderEnd = m_borderCount;
    }

    const Board& m_board;
    Player m_defender;
    const bool* m_candidate;
    std::int16_t m_regionOf[kLocs];
    std::int16_t m_stringOf[kLocs];
    Loc m_heads[kMaxStrings];
    int m_strings = 0;
    Region m_regions[kLocs];
    int m_count = 0;
    Loc m_empties[kLocs];
    int m_emptyCount = 0;
    std::int16_t m_borders[4 * kLocs];
    int m_borderCount = 0;
};

// A string touching an empty point that nobody may fill.
bool Anchored(const Board& board, Loc loc, const bool* candidate)
{
    bool anchored = false;
    board.ForEachStone(loc, [&](Loc s) {
        for (int d : kAdjacent) {
            const Loc n = static_cast<Loc>(s + d);
            anchored = anchored || (board.At(n) == Color::Empty && !candidate[n]);
        }
    });
    return anchored;
}

}  // namespace

bool TargetsUnconditionallyAlive(const Board& board, Player defender, const bool* candidate,
                                 const std::vector<Loc>& targets)
{
    bool allAnchored = true;
    for (Loc t : targets) {
        if (board.At(t) != defender)
            return false;
        allAnchored = allAnchored && Anchored(board, t, candidate);
    }
    if (allAnchored)
        return true;

    Regions regions(board, defender, candidate);
    regions.FindAll();
    for (Loc t : targets)
        regions.StringOf(t);
    const int strings = regions.Strings();
    bool safe[kMaxStrings], anchored[kMaxStrings];
    for (int s = 0; s < strings; ++s) {
        anchored[s] = Anchored(board, regions.HeadOf(s), candidate);
        safe[s] = true;
    }
    // vital[r][s] would be large; a region is vital to at most a few
    // strings, so test it when counting.
    for (bool changed = true; changed;) {
        changed = false;
        for (int s = 0; s < strings; ++s) {
            if (!safe[s] || anchored[s])
                continue;
            int vital = 0;
            for (int r = 0; r < regions.Count() && vital < 2; ++r) {
                const Regions::Region& region = regions.At(r);
                if (!region.vitalCandidate)
                    continue;
                bool bordersS = false, bordersOnlySafe = true;
                for (int k = region.borderBegin; k < region.borderEnd; ++k) {
                    bordersS = bordersS || regions.BorderString(k) == s;
                    bordersOnlySafe = bordersOnlySafe && safe[regions.BorderString(k)];
                }
                vital += bordersS && bordersOnlySafe && regions.AllLibertiesOf(r, s);
            }
            if (vital < 2) {
                safe[s] = false;
                changed = true;
            }
        }
    }
    for (Loc t : targets)
        if (!safe[regions.StringOf(t)])
            return false;
    return true;
}

}  // namespace go
