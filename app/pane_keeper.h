// Keeps the status bar's message pane wide while a menu is open, so the
// menu prompts get the whole bar, and gives the pane back afterwards.
#pragma once

#include <cstdint>

// Pane styles of the status bar.
constexpr std::uint32_t kSbpsNoBorders = 0x00000100;
constexpr std::uint32_t kSbpsStretch = 0x08000000;
// Width that lets the message pane take the whole bar.
constexpr std::int32_t kWidePane = 16384;
// Menu-select flags that, with no menu handle, report the menu's closing.
constexpr std::uint32_t kMenuClosedFlags = 0xFFFF;

// The pane settings of a status bar.
class IPaneInfo {
public:
    virtual ~IPaneInfo() = default;
    virtual void GetPaneInfo(int index, std::uint32_t& id, std::uint32_t& style,
                             std::int32_t& width) const = 0;
    virtual void SetPaneInfo(int index, std::uint32_t id, std::uint32_t style,
                             std::int32_t width) = 0;
};

class CPaneKeeper {
public:
    explicit CPaneKeeper(IPaneInfo& panes) : m_panes(panes) {}

    // A menu item was highlighted, or (flags 0xFFFF, no menu) the menu closed.
    void OnMenuSelect(std::uint32_t nItemID, std::uint32_t nFlags, bool hasMenu);
    // A pop-up is about to open.
    void OnInitMenuPopup();

    std::uint32_t m_nPaneID = 0;
    std::uint32_t m_nPaneStyle = 0;
    std::int32_t m_nPaneWidth = -1;  // -1: nothing saved
    std::int32_t m_bMenuSelect = 0;

private:
    IPaneInfo& m_panes;
};
