#include "wide/benson.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace go {

namespace {

constexpr int kMaxStrings = kLocs;
constexpr int kMaxVitalCells = 16;

// The regions that can be vital: maximal connected sets of points free of
// the defender's stones whose empty points all lie in the region. A set
// that reaches an empty point off the region can never be vital (that
// point would be a liberty for ever, so its neighbour is safe anyway).
}  // namespace

class BensonTest::Regions {
public:
    Regions()
    {
        std::memset(m_regionOf, 0xff, sizeof m_regionOf);
        std::memset(m_stringOf, 0xff, sizeof m_stringOf);
    }

    // Starts on a new position; the marks of the last one are wiped.
    void Start(const Board& board, Player defender, const bool* candidate)
    {
        for (int k = 0; k < m_touched; ++k)
            m_regionOf[m_touchedCells[k]] = -1;
        for (int s = 0; s < m_strings; ++s)
            m_stringOf[m_heads[s]] = -1;
        m_touched = m_strings = m_count = m_emptyCount = m_borderCount = 0;
        m_board = &board;
        m_defender = defender;
        m_candidate = candidate;
    }

    // The string number of the defender's string through loc, made on first sight.
    int StringOf(Loc loc)
    {
        const Loc head = m_board->Head(loc);
        if (m_stringOf[head] < 0) {
            m_heads[m_strings] = head;
            m_stringOf[head] = static_cast<std::int16_t>(m_strings++);
        }
        return m_stringOf[head];
    }
    int Strings() const { return m_strings; }
    Loc HeadOf(int s) const { return m_heads[s]; }

    // Fills the region through p unless an earlier fill has.
    void FillFrom(Loc p)
    {
        if (m_regionOf[p] < 0)
            Fill(p);
    }

    // All the region's empty points are liberties of string s.
    bool AllLibertiesOf(int r, int s) const
    {
        const Region& region = m_regions[r];
        for (int k = region.emptyBegin; k < region.emptyEnd; ++k) {
            bool touches = false;
            for (int d : kAdjacent) {
                const Loc n = static_cast<Loc>(m_empties[k] + d);
                touches = touches || (m_board->At(n) == m_defender && m_board->Head(n) == m_heads[s]);
            }
            if (!touches)
                return false;
        }
        return region.emptyEnd > region.emptyBegin;
    }

    // How many regions are vital to string s, up to two: regions of its
    // liberties bounded by safe strings only (safe null: by any strings,
    // as a first look before the strings around are known).
    int VitalRegions(int s, const bool* safe) const
    {
        int vital = 0;
        for (int r = 0; r < m_count && vital < 2; ++r) {
            const Region& region = m_regions[r];
            if (!region.vitalCandidate)
                continue;
            bool bordersS = false, bordersOnlySafe = true;
            for (int k = region.borderBegin; k < region.borderEnd; ++k) {
                bordersS = bordersS || m_borders[k] == s;
                bordersOnlySafe = bordersOnlySafe && (safe == nullptr || safe[m_borders[k]]);
            }
            vital += bordersS && bordersOnlySafe && AllLibertiesOf(r, s);
        }
        return vital;
    }

private:
    struct Region {
        int emptyBegin, emptyEnd;    // into m_empties
        int borderBegin, borderEnd;  // string numbers, into m_borders
        bool vitalCandidate;
    };

    void Fill(Loc start)
    {
        Region& region = m_regions[m_count];
        region.emptyBegin = region.emptyEnd = m_emptyCount;
        region.borderBegin = region.borderEnd = m_borderCount;
        region.vitalCandidate = true;
        Loc stack[kLocs];
        int top = 0;
        stack[top++] = start;
        Mark(start);
        // Stops as soon as the region cannot be vital: the points left
        // unlabelled lead any later fill to this region or to the same
        // kind of point again.
        int cells = 0;
        while (top > 0 && region.vitalCandidate) {
            const Loc p = stack[--top];
            // Eyes are small: a bigger region is passed over (the test
            // may only miss a life, never see a false one).
            if (++cells > kMaxVitalCells)
                region.vitalCandidate = false;
            if (m_board->At(p) == Color::Empty) {
                region.vitalCandidate = m_candidate[p];
                m_empties[m_emptyCount++] = p;
            }
            for (int d : kAdjacent) {
                const Loc n = static_cast<Loc>(p + d);
                const Color c = m_board->At(n);
                if (c == Color::Wall)
                    continue;
                if (c == m_defender) {
                    AddBorder(region, StringOf(n));
                } else if (m_regionOf[n] < 0) {
                    Mark(n);
                    stack[top++] = n;
                } else if (m_regionOf[n] != m_count) {
                    region.vitalCandidate = false;  // joins a region already stopped
                }
            }
        }
        region.emptyEnd = m_emptyCount;
        ++m_count;
    }

    void Mark(Loc loc)
    {
        m_regionOf[loc] = static_cast<std::int16_t>(m_count);
        m_touchedCells[m_touched++] = loc;
    }

    void AddBorder(Region& region, int s)
    {
        for (int k = region.borderBegin; k < region.borderEnd; ++k)
            if (m_borders[k] == s)
                return;
        m_borders[m_borderCount++] = static_cast<std::int16_t>(s);
        region.borderEnd = m_borderCount;
    }

    const Board* m_board = nullptr;
    Player m_defender = Color::White;
    const bool* m_candidate = nullptr;
    std::int16_t m_regionOf[kLocs];
    Loc m_touchedCells[kLocs];
    int m_touched = 0;
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

namespace {

// What a vital-region test needs of a string, from one walk over it.
struct StringScan {
    // It touches an empty point that nobody may fill: a liberty for ever.
    bool anchored = false;
    // Its liberties that may lie in a vital region of it (none when
    // anchored): on the region, with every empty neighbour on the
    // region and a liberty of the string too. Every empty point of a vital
    // region is one, so a string with fewer than two has no two vital
    // regions; most strings in an open fight have none.
    int eyeLike = 0;
};

// marks (one per cell, all below stamp) tell the string's liberties apart
// once they are stamped.
StringScan ScanString(const Board& board, Loc loc, const bool* candidate, std::uint32_t* marks,
                      std::uint32_t& stamp, Loc* eyeLike)
{
    if (++stamp == 0) {  // wrapped: old marks could pass for new ones
        std::fill(marks, marks + kLocs, 0u);
        stamp = 1;
    }
    StringScan scan;
    Loc liberties[kLocs];
    int count = 0;
    board.ForEachStone(loc, [&](Loc s) {
        for (int d : kAdjacent) {
            const Loc p = static_cast<Loc>(s + d);
            if (board.At(p) == Color::Empty && marks[p] != stamp) {
                marks[p] = stamp;
                liberties[count++] = p;
                scan.anchored = scan.anchored || !candidate[p];
            }
        }
    });
    for (int k = 0; k < count && !scan.anchored; ++k) {
        const Loc p = liberties[k];
        bool eye = true;
        for (int e : kAdjacent) {
            const Loc q = static_cast<Loc>(p + e);
            eye = eye && (board.At(q) != Color::Empty || (candidate[q] && marks[q] == stamp));
        }
        if (eye)
            eyeLike[scan.eyeLike++] = p;
    }
    return scan;
}

}  // namespace

BensonTest::BensonTest() : m_regions(new Regions) {}
BensonTest::~BensonTest() = default;

bool BensonTest::TargetsAlive(const Board& board, Player defender, const bool* candidate,
                              const std::vector<Loc>& targets)
{
    for (Loc t : targets)
        if (board.At(t) != defender)
            return false;
    Regions& regions = *m_regions;
    regions.Start(board, defender, candidate);
    for (Loc t : targets)
        regions.StringOf(t);
    // The regions that may be vital to the targets, then to the strings
    // around those regions, and so on: each holds eye-like liberties. (A
    // region vital to a string holds eye-like liberties of that string, so
    // an anchored string's own need not be looked for.)
    bool* safe = m_safe;
    bool* anchored = m_anchored;
    auto scan = [&](int s) {
        const StringScan found = ScanString(board, regions.HeadOf(s), candidate, m_marks, m_stamp, m_eyes);
        anchored[s] = found.anchored;
        safe[s] = true;
        return found;
    };
    auto fillFromEyes = [&](const StringScan& found) {
        for (int k = 0; k < found.eyeLike; ++k)
            regions.FillFrom(m_eyes[k]);
    };
    const int targetStrings = regions.Strings();
    bool allAnchored = true;
    for (int t = 0; t < targetStrings; ++t) {
        const StringScan found = scan(t);
        // Two vital regions give a string two liberties at least.
        if (!found.anchored && found.eyeLike < 2)
            return false;
        allAnchored = allAnchored && found.anchored;
        fillFromEyes(found);
    }
    if (allAnchored)
        return true;
    // The regions vital to a target are all filled once its own liberties
    // are: most positions fail here, before the strings around are looked at.
    for (int t = 0; t < targetStrings; ++t)
        if (!anchored[t] && regions.VitalRegions(t, nullptr) < 2)
            return false;
    for (int s = targetStrings; s < regions.Strings(); ++s)
        fillFromEyes(scan(s));
    const int strings = regions.Strings();
    // vital[r][s] would be large; a region is vital to at most a few
    // strings, so test it when counting.
    for (bool changed = true; changed;) {
        changed = false;
        for (int s = 0; s < strings; ++s) {
            if (!safe[s] || anchored[s])
                continue;
            const int vital = regions.VitalRegions(s, safe);
            if (vital < 2) {
                safe[s] = false;
                changed = true;
            }
        }
    }
    for (int t = 0; t < targetStrings; ++t)
        if (!safe[t])
            return false;
    return true;
}

}  // namespace go
