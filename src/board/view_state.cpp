#include "board/view_state.h"

#include <cstring>
#include <type_traits>

namespace {

// Calls pair(state field, view field) for every field of the state, so both
// directions share one list.
template <typename State, typename View, typename Pair>
void PairFields(State& s, View& v, Pair pair)
{
    pair(s.board, v.m_board);
    pair(s.groupMap, v.m_groupMap);
    pair(s.groupColor, v.m_groupColor);
    pair(s.groupStones, v.m_groupStones);
    pair(s.groupCount, v.m_groupCount);
    pair(s.groupsReady, v.m_groupsReady);
    pair(s.groupsStale, v.m_groupsStale);
    pair(s.histCount, v.m_histCount);
    pair(s.histBase, v.m_histBase);
    pair(s.histKind, v.m_histKind);
    pair(s.histX, v.m_histX);
    pair(s.histY, v.m_histY);
    pair(s.moveCount, v.m_moveCount);
    pair(s.moveBlack, v.m_moveBlack);
    pair(s.moveWhite, v.m_moveWhite);
    pair(s.moveKind, v.m_moveKind);
    pair(s.moveY, v.m_moveY);
    pair(s.moveX, v.m_moveX);
    pair(s.targetCount, v.m_targetCount);
    pair(s.targetY, v.m_targetY);
    pair(s.targetX, v.m_targetX);
    pair(s.exhaustCheck, v.m_exhaustCheck);
    pair(s.solverSide, v.m_solverSide);
    pair(s.nbGroup, v.m_nbGroup);
    pair(s.nbColor, v.m_nbColor);
    pair(s.nbContacts, v.m_nbContacts);
    pair(s.captureFlag, v.m_captureFlag);
}

template <typename T>
void CopyField(T& to, const T& from)
{
    static_assert(std::is_trivially_copyable<T>::value, "plain data only");
    std::memcpy(&to, &from, sizeof to);
}

}  // namespace

CViewState CViewState::Of(const CKovraView& view)
{
    CViewState state;
    PairFields(state, view, [](auto& s, const auto& v) { CopyField(s, v); });
    return state;
}

void CViewState::PutInto(CKovraView& view) const
{
    PairFields(*this, view, [](const auto& s, auto& v) { CopyField(v, s); });
}
