#include "wide/region_life.h"

#include <algorithm>

namespace go {

void RegionLife::Reset()
{
    for (Loc p : m_touched)
        m_regionOf[p] = -1;
    for (Loc h : m_heads)
        m_stringOf[h] = -1;
    m_touched.clear();
    m_heads.clear();
    m_regions.clear();
}

int RegionLife::StringOf(Loc head)
{
    if (m_stringOf[head] < 0) {
        m_stringOf[head] = static_cast<int>(m_heads.size());
        m_heads.push_back(head);
    }
    return m_stringOf[head];
}

// The region through start: the points not the defender's connected to it.
// A fill that grows past what the game reads, or that meets a region
// given up on, leaves a region that is not whole.
void RegionLife::Fill(Loc start)
{
    const int id = static_cast<int>(m_regions.size());
    m_regions.emplace_back();
    Region& r = m_regions.back();
    std::vector<Loc> stack{start}, around;
    m_regionOf[start] = id;
    m_touched.push_back(start);
    while (!stack.empty() && r.whole) {
        const Loc p = stack.back();
        stack.pop_back();
        r.points.push_back(p);
        if (static_cast<int>(r.points.size()) > EyeGame::kMaxPoints)
            r.whole = false;
        for (int d : kAdjacent) {
            const Loc n = static_cast<Loc>(p + d);
            const Color c = m_board->At(n);
            if (c == Color::Wall)
                continue;
            if (c == m_defender) {
                const Loc head = m_board->Head(n);
                if (std::find(around.begin(), around.end(), head) == around.end())
                    around.push_back(head);
            } else if (m_regionOf[n] < 0) {
                m_regionOf[n] = id;
                m_touched.push_back(n);
                stack.push_back(n);
            } else if (m_regionOf[n] != id) {
                r.whole = false;
            }
        }
    }
    // Only a whole region brings the strings around it into the reading.
    if (r.whole)
        for (Loc head : around)
            r.strings.push_back(StringOf(head));
}

bool RegionLife::Holds(Region& r, EyeGame::Model model)
{
    signed char& known = model == EyeGame::Model::Weak ? r.weak : r.strong;
    if (known < 0)
        known = m_game.Holds(*m_board, m_defender, m_kinds, m_candidate, r.points.data(),
                             static_cast<int>(r.points.size()), model);
    return known == 1;
}

// Whether string s still has what safety needs, with the others as they stand.
bool RegionLife::Safe(int s)
{
    bool anchored = false;
    std::vector<int> around;
    m_board->ForEachStone(m_heads[s], [&](Loc stone) {
        for (int d : kAdjacent) {
            const Loc n = static_cast<Loc>(stone + d);
            const Color c = m_board->At(n);
            if (c == Color::Empty && !m_candidate[n])
                anchored = true;
            if (c != Color::Wall && c != m_defender && m_regionOf[n] >= 0 &&
                std::find(around.begin(), around.end(), m_regionOf[n]) == around.end())
                around.push_back(m_regionOf[n]);
        }
    });
    if (anchored)
        return true;
    // One region read strong does; two read weak do. Weak readings are
    // tried only where two regions may count.
    std::vector<int> counting;
    for (int id : around) {
        const Region& r = m_regions[id];
        bool bySafe = r.whole;
        for (int t : r.strings)
            bySafe = bySafe && m_safe[t];
        if (bySafe)
            counting.push_back(id);
    }
    if (counting.size() == 1)
        return Holds(m_regions[counting[0]], EyeGame::Model::Strong);
    int weak = 0, lastWeak = -1;
    for (int id : counting)
        if (weak < 2 && Holds(m_regions[id], EyeGame::Model::Weak)) {
            ++weak;
            lastWeak = id;
        }
    return weak >= 2 || (weak == 1 && Holds(m_regions[lastWeak], EyeGame::Model::Strong));
}

void RegionLife::FillAround(Loc head)
{
    std::vector<Loc> starts;
    m_board->ForEachStone(head, [&](Loc stone) {
        for (int d : kAdjacent) {
            const Loc n = static_cast<Loc>(stone + d);
            const Color c = m_board->At(n);
            if (c != Color::Wall && c != m_defender && m_regionOf[n] < 0)
                starts.push_back(n);
        }
    });
    for (Loc p : starts)
        if (m_regionOf[p] < 0)
            Fill(p);
}

bool RegionLife::TargetsAlive(const Board& board, Player defender, const Kind* kinds, const bool* candidate,
                              const std::vector<Loc>& targets)
{
    Reset();
    m_board = &board;
    m_defender = defender;
    m_kinds = kinds;
    m_candidate = candidate;
    for (Loc t : targets) {
        if (board.At(t) != defender)
            return false;
        StringOf(board.Head(t));
    }
    // The regions around the targets, then around the strings that
    // border those regions, and so on.
    for (std::size_t s = 0; s < m_heads.size(); ++s)
        FillAround(m_heads[s]);
    m_safe.assign(m_heads.size(), 1);
    for (bool changed = true; changed;) {
        changed = false;
        for (std::size_t s = 0; s < m_heads.size(); ++s)
            if (m_safe[s] && !Safe(static_cast<int>(s))) {
                m_safe[s] = 0;
                changed = true;
            }
    }
    for (Loc t : targets)
        if (!m_safe[m_stringOf[board.Head(t)]])
            return false;
    return true;
}

}  // namespace go
