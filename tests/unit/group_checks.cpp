#include "group_checks.h"

#include <cstdio>
#include <map>

namespace {

std::string PointText(int i)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "(%d,%d)", i % kBoardWidth, i / kBoardWidth);
    return buffer;
}

bool IsStone(unsigned char c) { return c == kBlack || c == kWhite; }

bool IsPlayable(int i) { return OnBoard(i % kBoardWidth, i / kBoardWidth); }

}  // namespace

std::string GroupSetFault(const unsigned char* board, const std::int32_t* map,
                          const unsigned char* colors, const CPointList* lists, int count,
                          bool allowUngrouped)
{
    int timesListed[kCells] = {};
    int highest = 0;
    if (!lists[0].IsEmpty() || colors[0] != 0)
        return "slot 0 in use";
    for (int g = 1; g < kGroupSlots; ++g) {
        if (lists[g].IsEmpty()) {
            if (colors[g] != 0)
                return "free slot " + std::to_string(g) + " has a colour";
            continue;
        }
        highest = g;
        if (colors[g] != kBlack && colors[g] != kWhite)
            return "slot " + std::to_string(g) + " has no colour";
        for (int k = 0; k < lists[g].GetCount(); ++k) {
            const CPoint& p = lists[g].GetAt(k);
            const int i = CellIndex(p.x, p.y);
            if (!IsPlayable(i))
                return "list " + std::to_string(g) + " holds an off-board point";
            if (map[i] != g)
                return "list " + std::to_string(g) + " holds " + PointText(i) + " whose map is " +
                       std::to_string(map[i]);
            if (board[i] != colors[g])
                return "stone " + PointText(i) + " differs from the colour of group " +
                       std::to_string(g);
            ++timesListed[i];
        }
    }
    if (count < highest)
        return "count " + std::to_string(count) + " below id " + std::to_string(highest);
    for (int i = 0; i < kCells; ++i) {
        if (!IsPlayable(i))
            continue;
        if (IsStone(board[i])) {
            if (allowUngrouped && map[i] == 0 && timesListed[i] == 0)
                continue;
            if (timesListed[i] != 1)
                return "stone " + PointText(i) + " listed " + std::to_string(timesListed[i]) + " times";
        } else if (map[i] != 0) {
            return "empty " + PointText(i) + " maps to " + std::to_string(map[i]);
        }
    }
    return std::string();
}

std::string GroupSetFault(const CKovraView& view, bool allowUngrouped)
{
    return GroupSetFault(&view.m_board[0][0], &view.m_groupMap[0][0], view.m_groupColor,
                         view.m_groupStones, view.m_groupCount, allowUngrouped);
}

std::string ConnectedGroupingFault(const unsigned char* board, const std::int32_t* map)
{
    int component[kCells] = {};
    int components = 0;
    std::map<int, int> componentOfId;
    for (int start = 0; start < kCells; ++start) {
        if (!IsPlayable(start) || !IsStone(board[start]) || component[start] != 0)
            continue;
        ++components;
        const int id = map[start];
        if (id <= 0)
            return "stone " + PointText(start) + " has no id";
        if (componentOfId.count(id))
            return "id " + std::to_string(id) + " names two groups";
        componentOfId[id] = components;
        int stack[kCells];
        int top = 0;
        stack[top++] = start;
        component[start] = components;
        while (top > 0) {
            const int i = stack[--top];
            if (map[i] != id)
                return "stone " + PointText(i) + " has id " + std::to_string(map[i]) + ", its group " +
                       std::to_string(id);
            for (int d = 0; d < 4; ++d) {
                const int n = i + kNeighbour[d];
                if (board[n] == board[i] && component[n] == 0) {
                    component[n] = components;
                    stack[top++] = n;
                }
            }
        }
    }
    return std::string();
}

std::string SameGroupingFault(const std::int32_t* a, const std::int32_t* b)
{
    std::map<int, int> aToB;
    std::map<int, int> bToA;
    for (int i = 0; i < kCells; ++i) {
        if (!IsPlayable(i))
            continue;
        if ((a[i] == 0) != (b[i] == 0))
            return "cell " + PointText(i) + " is grouped in one map only";
        if (a[i] == 0)
            continue;
        auto ab = aToB.emplace(a[i], b[i]);
        auto ba = bToA.emplace(b[i], a[i]);
        if (ab.first->second != b[i] || ba.first->second != a[i])
            return "cell " + PointText(i) + " is grouped differently";
    }
    return std::string();
}
