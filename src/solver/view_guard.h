// Keeps what a walk over the result table borrows from the view (history,
// the scratch fields of the move rules, the group set, status output) and
// gives it back when the walk ends.
#pragma once

#include <cstring>

#include "board/kovra_view.h"
#include "platform/frame.h"

class CViewGuard {
public:
    explicit CViewGuard(CKovraView& view) : m_view(view), m_status(view.m_pStatus)
    {
        m_histCount = view.m_histCount;
        std::memcpy(m_histKind, view.m_histKind, sizeof m_histKind);
        std::memcpy(m_histX, view.m_histX, sizeof m_histX);
        std::memcpy(m_histY, view.m_histY, sizeof m_histY);
        std::memcpy(m_nbGroup, view.m_nbGroup, sizeof m_nbGroup);
        std::memcpy(m_nbColor, view.m_nbColor, sizeof m_nbColor);
        std::memcpy(m_nbContacts, view.m_nbContacts, sizeof m_nbContacts);
        m_scalars[0] = view.m_captureFlag;
        m_scalars[1] = view.m_groupsStale;
        // Every slot, also those above the count (CopyGroupSet leaves them).
        std::memcpy(m_groups.board, view.Board(), sizeof m_groups.board);
        std::memcpy(m_groups.map, view.GroupMap(), sizeof m_groups.map);
        std::memcpy(m_groups.color, view.m_groupColor, sizeof m_groups.color);
        for (int k = 0; k < kGroupSlots; ++k)
            m_groups.stones[k].CopyFrom(view.m_groupStones[k]);
        m_groups.count = view.m_groupCount;
        view.m_pStatus = &m_quiet;  // the walk shows nothing
    }
    ~CViewGuard()
    {
        CKovraView& v = m_view;
        v.m_histCount = m_histCount;
        std::memcpy(v.m_histKind, m_histKind, sizeof m_histKind);
        std::memcpy(v.m_histX, m_histX, sizeof m_histX);
        std::memcpy(v.m_histY, m_histY, sizeof m_histY);
        std::memcpy(v.m_nbGroup, m_nbGroup, sizeof m_nbGroup);
        std::memcpy(v.m_nbColor, m_nbColor, sizeof m_nbColor);
        std::memcpy(v.m_nbContacts, m_nbContacts, sizeof m_nbContacts);
        v.m_captureFlag = m_scalars[0];
        v.m_groupsStale = m_scalars[1];
        std::memcpy(v.Board(), m_groups.board, sizeof m_groups.board);
        std::memcpy(v.GroupMap(), m_groups.map, sizeof m_groups.map);
        std::memcpy(v.m_groupColor, m_groups.color, sizeof m_groups.color);
        for (int k = 0; k < kGroupSlots; ++k)
            v.m_groupStones[k].CopyFrom(m_groups.stones[k]);
        v.m_groupCount = m_groups.count;
        v.m_pStatus = m_status;
    }
    CViewGuard(const CViewGuard&) = delete;
    CViewGuard& operator=(const CViewGuard&) = delete;

private:
    CKovraView& m_view;
    IStatusSink* m_status;
    CStatusKeeper m_quiet;
    std::int32_t m_histCount;
    char m_histKind[kHistorySize];
    signed char m_histX[kHistorySize];
    signed char m_histY[kHistorySize];
    std::int32_t m_nbGroup[4];
    unsigned char m_nbColor[4];
    std::int32_t m_nbContacts[4];
    std::int32_t m_scalars[2];
    CGroupSet m_groups;
};
