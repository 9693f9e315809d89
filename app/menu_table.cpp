#include "menu_table.h"

#include "board/kovra_view.h"

namespace {

const MenuItem kFileItems[] = {
    {"NewGame", 32785, [](CKovraView& v) { v.OnNewGame(); }},
    {"Save", 32784, [](CKovraView& v) { v.OnSave(); }},
    {"Restore", 32783, [](CKovraView& v) { v.OnRestore(); }},
};
const MenuItem kSetStoneItems[] = {
    {"BlackS", 32782, [](CKovraView& v) { v.OnBlackS(); }},
    {"WhiteS", 32781, [](CKovraView& v) { v.OnWhiteS(); }},
    {"SpaceS", 32780, [](CKovraView& v) { v.OnSpaceS(); }},
};
const MenuItem kSetMoveItems[] = {
    {"StartAtk", 32787, [](CKovraView& v) { v.OnStartAtk(); }},
    {"StartDef", 32786, [](CKovraView& v) { v.OnStartDef(); }},
    {"Target", 32779, [](CKovraView& v) { v.OnTarget(); }},
    {"z Move", 32771, [](CKovraView& v) { v.OnZMove(); }},
    {"y Move", 32772, [](CKovraView& v) { v.OnYMove(); }},
    {"m Move", 32773, [](CKovraView& v) { v.OnMMove(); }},
    {"f Move", 32774, [](CKovraView& v) { v.OnFMove(); }},
};
const MenuItem kVerifyItems[] = {
    {"Attack", 32776, [](CKovraView& v) { v.OnAttack(); }},
    {"Defend", 32777, [](CKovraView& v) { v.OnDefend(); }},
};
const MenuItem kDebugItems[] = {
    {"Showgrp", 32788, [](CKovraView& v) { v.OnShowgrp(); }},
    {"Ignore", 32778, [](CKovraView& v) { v.OnIgnore(); }},
    {"Refresh", 32775, [](CKovraView& v) { v.OnRefresh(); }},
    {"About", 32791, [](CKovraView& v) { v.OnAbout(); }},
};

const MenuItem kProblemItems[] = {
    {"Check first moves", 32795, [](CKovraView& v) { v.OnCheckFirstMoves(); }},
};

template <int N>
constexpr MenuPopup Popup(const char* title, const MenuItem (&items)[N])
{
    return MenuPopup{title, items, N};
}

}  // namespace

const MenuPopup kMenuBar[kMenuPopups] = {
    Popup("File", kFileItems),     Popup("SetStone", kSetStoneItems),
    Popup("SetMove", kSetMoveItems), Popup("Verify", kVerifyItems),
    Popup("Debug", kDebugItems),
    Popup("Problem", kProblemItems),
};

const MenuItem* FindMenuItem(const std::string& label)
{
    for (const MenuPopup& popup : kMenuBar)
        for (int i = 0; i < popup.count; ++i)
            if (label == popup.items[i].label)
                return &popup.items[i];
    return nullptr;
}
