// Menu items as tables: a command id, the caption and the shortcut. The
// menu shows the caption and the shortcut's name; a chosen item or its
// shortcut sends the command id.
#pragma once
#include <string>
#include <vector>

#include "app/Input.h"

namespace orvik {

struct MenuItem {
    unsigned command;     // 0 for a separator
    const char* caption;  // "-" for a separator
    Shortcut shortcut;
    bool Separator() const { return command == 0; }
};

// The command whose shortcut is this key with these modifiers, or 0.
unsigned FindShortcut(const std::vector<MenuItem>& items, unsigned key, unsigned modifiers);
// The text a menu shows for an item: caption, a tab and the shortcut's name.
std::string MenuItemText(const MenuItem& item);

}  // namespace orvik
