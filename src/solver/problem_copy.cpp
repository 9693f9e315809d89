#include "solver/problem_copy.h"

#include <cstring>
#include <type_traits>

namespace {

// Calls pair(copy field, view field) for every field of the copy, so both
// directions share one list.
template <typename Copy, typename View, typename Pair>
void PairFields(Copy& c, View& v, Pair pair)
{
    pair(c.board, v.m_board);
    pair(c.groupMap, v.m_groupMap);
    pair(c.groupColor, v.m_groupColor);
    pair(c.groupStones, v.m_groupStones);
    pair(c.groupCount, v.m_groupCount);
    pair(c.groupsReady, v.m_groupsReady);
    pair(c.groupsStale, v.m_groupsStale);
    pair(c.histCount, v.m_histCount);
    pair(c.histKind, v.m_histKind);
    pair(c.histX, v.m_histX);
    pair(c.histY, v.m_histY);
    pair(c.moveCount, v.m_moveCount);
    pair(c.moveBlack, v.m_moveBlack);
    pair(c.moveWhite, v.m_moveWhite);
    pair(c.moveKind, v.m_moveKind);
    pair(c.moveY, v.m_moveY);
    pair(c.moveX, v.m_moveX);
    pair(c.targetCount, v.m_targetCount);
    pair(c.targetY, v.m_targetY);
    pair(c.targetX, v.m_targetX);
    pair(c.exhaustCheck, v.m_exhaustCheck);
}

template <typename T>
void CopyField(T& to, const T& from)
{
    static_assert(std::is_trivially_copyable<T>::value, "plain data only");
    std::memcpy(&to, &from, sizeof to);
}

}  // namespace

CProblemCopy CProblemCopy::Of(const CKovraView& view)
{
    CProblemCopy copy;
    PairFields(copy, view, [](auto& c, const auto& v) { CopyField(c, v); });
    return copy;
}

void CProblemCopy::PutInto(CKovraView& view) const
{
    PairFields(*this, view, [](const auto& c, auto& v) { CopyField(v, c); });
}
