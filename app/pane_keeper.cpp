#include "pane_keeper.h"

void CPaneKeeper::OnMenuSelect(std::uint32_t /*nItemID*/, std::uint32_t nFlags, bool hasMenu)
{
    const bool closing = nFlags == kMenuClosedFlags && !hasMenu;
    if (closing && m_nPaneWidth != -1) {
        m_bMenuSelect = 0;
        m_panes.SetPaneInfo(0, m_nPaneID, m_nPaneStyle, m_nPaneWidth);
        m_nPaneWidth = -1;
        return;
    }
    // A closing with nothing saved (a bar item left without a pop-up)
    // counts as a selection too.
    m_bMenuSelect = 1;
}

void CPaneKeeper::OnInitMenuPopup()
{
    if (m_nPaneWidth != -1 || !m_bMenuSelect)
        return;  // already widened for this menu
    m_panes.GetPaneInfo(0, m_nPaneID, m_nPaneStyle, m_nPaneWidth);
    m_panes.SetPaneInfo(0, m_nPaneID, kSbpsNoBorders | kSbpsStretch, kWidePane);
}
