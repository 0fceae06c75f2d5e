// A popup menu built from a table of menu items. The one way the program
// pops up a menu: the chosen item's command goes to a window as WM_COMMAND
// once the menu has closed.
#pragma once
#include <windows.h>

#include <vector>

#include "controls/MenuItem.h"

namespace orvik {

class PopupMenu {
public:
    PopupMenu() = default;
    ~PopupMenu();
    PopupMenu(const PopupMenu&) = delete;
    PopupMenu& operator=(const PopupMenu&) = delete;

    void Build(const std::vector<MenuItem>& items);
    HMENU Handle() const { return menu_; }

    // Opens the menu with its left edge at the screen point, owned by owner
    // (which becomes the foreground window, or the menu would not close on a
    // click elsewhere), and sends the chosen command to target.
    void Popup(POINT screen, HWND owner, HWND target) const;
    // The command of the item with this shortcut, or 0.
    unsigned ShortcutCommand(unsigned key, unsigned modifiers) const { return FindShortcut(items_, key, modifiers); }

private:
    HMENU menu_ = nullptr;
    std::vector<MenuItem> items_;
};

}  // namespace orvik
