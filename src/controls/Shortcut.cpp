#include "controls/Shortcut.h"

namespace orvik {

namespace {
constexpr unsigned kVkF1 = 0x70;
}

Shortcut CtrlKey(char letter) {
    Shortcut s;
    s.key = static_cast<unsigned>(letter);
    s.ctrl = true;
    return s;
}

Shortcut FunctionKey(int n) {
    Shortcut s;
    s.key = kVkF1 + static_cast<unsigned>(n - 1);
    return s;
}

std::string ShortcutText(const Shortcut& s) {
    if (s.Empty()) return {};
    std::string text;
    if (s.shift) text += "Shift+";
    if (s.ctrl) text += "Ctrl+";
    if (s.alt) text += "Alt+";
    if (s.key >= kVkF1 && s.key < kVkF1 + 24)
        text += "F" + std::to_string(s.key - kVkF1 + 1);
    else
        text += static_cast<char>(s.key);
    return text;
}

int FindShortcut(const std::vector<MenuItemSpec>& items, unsigned vk, bool ctrl, bool shift, bool alt) {
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i].shortcut.Matches(vk, ctrl, shift, alt)) return static_cast<int>(i);
    return -1;
}

std::string MenuItemText(const MenuItemSpec& item) {
    std::string text = item.caption;
    if (!item.shortcut.Empty()) text += "\t" + ShortcutText(item.shortcut);
    return text;
}

}  // namespace orvik
