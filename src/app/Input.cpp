#include "app/Input.h"

namespace orvik {

unsigned Shortcut::Code() const {
    unsigned code = key & 0xFF;
    if (modifiers & modifier::kShift) code += 0x2000;
    if (modifiers & modifier::kCtrl) code += 0x4000;
    if (modifiers & modifier::kAlt) code += 0x8000;
    return code;
}

Shortcut CtrlKey(char letter) { return Shortcut{static_cast<unsigned>(letter), modifier::kCtrl}; }

Shortcut FunctionKey(int n) { return Shortcut{vk::kF1 + static_cast<unsigned>(n - 1), 0}; }

std::string ShortcutText(const Shortcut& s) {
    if (s.Empty()) return {};
    std::string text;
    if (s.modifiers & modifier::kShift) text += "Shift+";
    if (s.modifiers & modifier::kCtrl) text += "Ctrl+";
    if (s.modifiers & modifier::kAlt) text += "Alt+";
    if (s.key >= vk::kF1 && s.key < vk::kF1 + 24)
        text += "F" + std::to_string(s.key - vk::kF1 + 1);
    else
        text += static_cast<char>(s.key);
    return text;
}

}  // namespace orvik
