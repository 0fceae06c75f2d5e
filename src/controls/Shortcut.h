// Keyboard shortcuts of menu items: a virtual-key code and modifiers, named
// the way menus show them ("Ctrl+O", "F12").
#pragma once
#include <string>
#include <vector>

namespace orvik {

struct Shortcut {
    unsigned key = 0;  // virtual-key code; 0 for none
    bool ctrl = false;
    bool shift = false;
    bool alt = false;

    bool Empty() const { return key == 0; }
    bool Matches(unsigned vk, bool ctrlDown, bool shiftDown, bool altDown) const {
        return key != 0 && vk == key && ctrl == ctrlDown && shift == shiftDown && alt == altDown;
    }
};

Shortcut CtrlKey(char letter);
Shortcut FunctionKey(int n);  // F1..F24
std::string ShortcutText(const Shortcut& s);

struct MenuItemSpec {
    const char* name;     // the item's designer name ("OpenMediaFile1"); "-" names a separator
    const char* caption;  // empty for a separator
    Shortcut shortcut;
};

// Index of the item whose shortcut matches, or -1.
int FindShortcut(const std::vector<MenuItemSpec>& items, unsigned vk, bool ctrl, bool shift, bool alt);
// The text a menu shows for an item: caption, a tab and the shortcut's name.
std::string MenuItemText(const MenuItemSpec& item);

}  // namespace orvik
