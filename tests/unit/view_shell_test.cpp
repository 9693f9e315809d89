// The shell's own logic: pane widening, the caption, script lines and reports.
#include <gtest/gtest.h>

#include "kovra_doc.h"
#include "menu_table.h"
#include "pane_keeper.h"
#include "script_event.h"
#include "script_report.h"
#include "test_support.h"

namespace {

class FakePanes : public IPaneInfo {
public:
    void GetPaneInfo(int index, std::uint32_t& i, std::uint32_t& s, std::int32_t& w) const override
    {
        EXPECT_EQ(index, 0);
        i = id;
        s = style;
        w = width;
    }
    void SetPaneInfo(int index, std::uint32_t i, std::uint32_t s, std::int32_t w) override
    {
        EXPECT_EQ(index, 0);
        id = i;
        style = s;
        width = w;
        ++sets;
    }
    std::uint32_t id = 0;
    std::uint32_t style = 0x0100;
    std::int32_t width = 100;
    int sets = 0;
};

}  // namespace

TEST(PaneKeeper, WidensWhileTheMenuIsOpenAndRestoresExactly)
{
    FakePanes panes;
    CPaneKeeper keeper(panes);
    EXPECT_EQ(keeper.m_nPaneWidth, -1);
    EXPECT_EQ(keeper.m_bMenuSelect, 0);
    keeper.OnInitMenuPopup();  // no selection yet: nothing saved
    EXPECT_EQ(panes.sets, 0);

    keeper.OnMenuSelect(0, 0x10, true);
    keeper.OnInitMenuPopup();
    EXPECT_EQ(keeper.m_nPaneWidth, 100);
    EXPECT_EQ(panes.style, kSbpsNoBorders | kSbpsStretch);
    EXPECT_EQ(panes.width, 16384);
    // A second pop-up while the menu is open saves nothing new.
    keeper.OnMenuSelect(1, 0x10, true);
    keeper.OnInitMenuPopup();
    EXPECT_EQ(keeper.m_nPaneWidth, 100);
    EXPECT_EQ(keeper.m_nPaneStyle, 0x0100u);
    EXPECT_EQ(panes.sets, 1);

    keeper.OnMenuSelect(0, kMenuClosedFlags, false);
    EXPECT_EQ(panes.id, 0u);
    EXPECT_EQ(panes.style, 0x0100u);
    EXPECT_EQ(panes.width, 100);
    EXPECT_EQ(keeper.m_nPaneWidth, -1);
    EXPECT_EQ(keeper.m_bMenuSelect, 0);
}

TEST(PaneKeeper, ClosingWithNothingSavedLeavesTheSelectionSet)
{
    FakePanes panes;
    CPaneKeeper keeper(panes);
    keeper.OnMenuSelect(0, kMenuClosedFlags, false);
    EXPECT_EQ(keeper.m_bMenuSelect, 1);
    EXPECT_EQ(panes.sets, 0);
    // 0xFFFF with a menu handle is an ordinary selection, not the closing.
    keeper.OnMenuSelect(0, 0x10, true);
    keeper.OnInitMenuPopup();
    keeper.OnMenuSelect(0, kMenuClosedFlags, true);
    EXPECT_EQ(keeper.m_nPaneWidth, 100);
    keeper.OnMenuSelect(0, kMenuClosedFlags, false);
    EXPECT_EQ(keeper.m_nPaneWidth, -1);
}

TEST(Caption, DocumentTitleIsFixedWhateverIsProposed)
{
    CKovraDoc doc;
    for (const char* proposed : {"", "Untitled", "moves1.txt"}) {
        doc.SetTitle(proposed);
        EXPECT_EQ(doc.GetTitle(), "  Vantrel ");
    }
    EXPECT_EQ(ComposeCaption(doc, kFrameTitle), "  Vantrel  -  ver 1.1");
}

TEST(MenuTable, LabelsInMenuOrder)
{
    std::string all;
    for (const MenuPopup& popup : kMenuBar) {
        all += std::string("[") + popup.title + "]";
        for (int i = 0; i < popup.count; ++i)
            all += std::string(" ") + popup.items[i].label + ",";
    }
    EXPECT_EQ(all,
              "[File] NewGame, Save, Restore,[SetStone] BlackS, WhiteS, SpaceS,"
              "[SetMove] StartAtk, StartDef, Target, z Move, y Move, m Move, f Move,"
              "[Verify] Attack, Defend,[Debug] Showgrp, Ignore, Refresh, About,"
              "[Problem] Check first moves,");
    ASSERT_NE(FindMenuItem("z Move"), nullptr);
    EXPECT_EQ(FindMenuItem("z Move")->id, 32771u);
    EXPECT_EQ(FindMenuItem("zMove"), nullptr);
    EXPECT_EQ(FindMenuItem("about"), nullptr);
}

TEST(ScriptLine, EventsAndTheirArguments)
{
    ScriptEvent e = ParseScriptLine("at 2 3");
    EXPECT_EQ(e.kind, ScriptEventKind::Click);
    EXPECT_EQ(e.x, 39);
    EXPECT_EQ(e.y, 65);
    e = ParseScriptLine("click -30 286");
    EXPECT_EQ(e.kind, ScriptEventKind::Click);
    EXPECT_EQ(e.x, -30);
    EXPECT_EQ(e.y, 286);
    e = ParseScriptLine("menu z Move");
    EXPECT_EQ(e.kind, ScriptEventKind::Menu);
    EXPECT_EQ(e.text, "z Move");
    e = ParseScriptLine("char space");
    EXPECT_EQ(e.kind, ScriptEventKind::Char);
    EXPECT_EQ(e.ch, 32u);
    EXPECT_EQ(ParseScriptLine("char B").ch, unsigned('B'));
    EXPECT_EQ(ParseScriptLine("char \xef\xbd\xb6").ch, 0xFF76u);
    EXPECT_EQ(ParseScriptLine("key up").kind, ScriptEventKind::KeyUp);
    EXPECT_EQ(ParseScriptLine("key down\r").kind, ScriptEventKind::KeyDown);
    EXPECT_EQ(ParseScriptLine("state").kind, ScriptEventKind::State);
    e = ParseScriptLine("snapshot out.png");
    EXPECT_EQ(e.kind, ScriptEventKind::Snapshot);
    EXPECT_EQ(e.text, "out.png");
    EXPECT_EQ(ParseScriptLine("").kind, ScriptEventKind::Nothing);
    EXPECT_EQ(ParseScriptLine("   # comment").kind, ScriptEventKind::Nothing);
}

TEST(ScriptLine, HugeCoordinatesStayFarOffTheBoard)
{
    ScriptEvent e = ParseScriptLine("click 99999999999 -99999999999");
    EXPECT_EQ(e.kind, ScriptEventKind::Click);
    EXPECT_EQ(e.x, 1000000);
    EXPECT_EQ(e.y, -1000000);
    e = ParseScriptLine("at 2147483647 1");
    EXPECT_EQ(e.kind, ScriptEventKind::Click);
    EXPECT_GT(e.x, 286);
}

TEST(ScriptLine, AnythingElseIsUnknown)
{
    for (const char* line : {"click 1", "click 1 2 3", "click a 2", "click 1 +2", "at 1 2x",
                             "char", "char ab", "char space2", "key left",
                             "menu", "boards", "snapshot", "Board", "wait 5"})
        EXPECT_EQ(ParseScriptLine(line).kind, ScriptEventKind::Unknown) << line;
}

TEST(ScriptReport, BoardGroupsAndStateLines)
{
    ViewHarness h;
    CKovraView& v = h.view();
    SetBoard(v, {"XO", "", "..X"});
    v.RebuildGroups();
    v.m_groupMap[11][11] = 12;  // the letters for ids from 10 on
    const std::string board = BoardReport(v);
    EXPECT_EQ(board.substr(0, 31), "board:\nXO.........\n...........\n");
    EXPECT_EQ(board.size(), 7u + 11 * 12);
    const std::string groups = GroupsReport(v);
    EXPECT_EQ(groups.substr(0, 20), "groups:\n12.........\n");
    EXPECT_EQ(groups.substr(groups.size() - 3), ".c\n");
    v.m_solverSide = ' ';
    v.m_moveBlack = 16385;
    EXPECT_EQ(StateReport(v),
              "state: mode=' ' hist=0 base=0 moves=0 black=16385 white=0 targets=0 groups=3 "
              "ready=0 exhaust=1 result=0 side=' ' refused=0 ply=0 file=movesx.txt\n");
}
