// The menu bar: pop-ups, item labels in order, command IDs and the view
// handler each item reaches.
#pragma once

#include <string>

class CKovraView;

struct MenuItem {
    const char* label;
    unsigned id;
    void (*handler)(CKovraView& view);
};

struct MenuPopup {
    const char* title;
    const MenuItem* items;
    int count;
};

constexpr int kMenuPopups = 6;
extern const MenuPopup kMenuBar[kMenuPopups];

// The item with that label; null when the menu has none.
const MenuItem* FindMenuItem(const std::string& label);
