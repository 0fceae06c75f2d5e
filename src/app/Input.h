// Mouse and keyboard input as the portable models see it: one mouse event,
// one set of modifier flags, one shortcut type. The Win32 side decodes
// window messages into these in one place (app/win32/Input.h).
#pragma once
#include <string>

namespace orvik {

enum class MouseButton { Left, Right, Middle };

// Keys and buttons held during an event; kDouble marks the second press of
// a double click.
namespace modifier {
constexpr unsigned kShift = 1, kAlt = 2, kCtrl = 4, kLeft = 8, kRight = 16, kMiddle = 32, kDouble = 64;
constexpr unsigned kKeys = kShift | kAlt | kCtrl;
}  // namespace modifier

struct MouseEvent {
    MouseButton button = MouseButton::Left;  // the button pressed or released
    unsigned modifiers = 0;
    int x = 0, y = 0;  // client coordinates of the window that received it
    bool DoubleClick() const { return (modifiers & modifier::kDouble) != 0; }
};

// Virtual key codes the models know.
namespace vk {
constexpr unsigned kBack = 0x08, kTab = 0x09, kReturn = 0x0D, kEscape = 0x1B, kSpace = 0x20,
                   kPageUp = 0x21, kPageDown = 0x22, kEnd = 0x23, kHome = 0x24, kLeft = 0x25, kUp = 0x26,
                   kRight = 0x27, kDown = 0x28, kF1 = 0x70;
}

// A key with the modifier keys (Shift, Ctrl, Alt) that must be held with it.
struct Shortcut {
    unsigned key = 0;  // virtual-key code; 0 for none
    unsigned modifiers = 0;

    bool Empty() const { return key == 0; }
    bool Matches(unsigned keyCode, unsigned held) const {
        return key != 0 && keyCode == key && modifiers == (held & modifier::kKeys);
    }
    // The 16-bit form: the key's low byte plus 0x2000 Shift, 0x4000 Ctrl, 0x8000 Alt.
    unsigned Code() const;
    bool operator==(const Shortcut& o) const { return key == o.key && modifiers == o.modifiers; }
};

Shortcut CtrlKey(char letter);
Shortcut FunctionKey(int n);  // F1..F24
// As menus show it: "Ctrl+O", "F12".
std::string ShortcutText(const Shortcut& s);

}  // namespace orvik
