#include "controls/MenuItem.h"

namespace orvik {

unsigned FindShortcut(const std::vector<MenuItem>& items, unsigned key, unsigned modifiers) {
    for (const MenuItem& item : items)
        if (!item.Separator() && item.shortcut.Matches(key, modifiers)) return item.command;
    return 0;
}

std::string MenuItemText(const MenuItem& item) {
    std::string text = item.caption;
    if (!item.shortcut.Empty()) text += "\t" + ShortcutText(item.shortcut);
    return text;
}

}  // namespace orvik
