// The two-state switch: its state with the on/off notifications, the input
// rules that flip it, and where its glyph and caption go.
#pragma once
#include <functional>

#include "controls/ShadowLabel.h"  // IntRect

namespace orvik {

enum class TTextPos { tpNone, tpLeft, tpRight, tpAbove, tpBelow };

// Modifier flags of a shortcut, added to the key code.
constexpr unsigned kShortcutShift = 0x2000;
constexpr unsigned kShortcutCtrl = 0x4000;
constexpr unsigned kShortcutAlt = 0x8000;

// The key code combined with the held modifiers, as a 16-bit shortcut.
unsigned KeyShortcut(unsigned keyCode, bool shift, bool ctrl, bool alt);

class SwitchModel {
public:
    bool StateOn() const { return stateOn_; }
    // Stores a new state, repaints, then fires OnOn or OnOff; setting the
    // current state again does nothing.
    void SetStateOn(bool on);
    void Toggle() { SetStateOn(!stateOn_); }

    // A press: the left button (any click count) toggles, others don't.
    // Returns whether the state changed.
    bool MouseDown(bool leftButton);
    // A key-down: toggles when key plus modifiers equal the toggle key.
    // Returns whether the key was consumed.
    bool KeyDown(unsigned keyCode, bool shift, bool ctrl, bool alt);

    unsigned toggleKey = 32;
    std::function<void()> Repaint;
    std::function<void()> OnOn;
    std::function<void()> OnOff;

private:
    bool stateOn_ = false;
};

struct SwitchLayout {
    int glyphX = 0, glyphY = 0;
    IntRect text;  // the caption's line; empty with tpNone
};

// Glyph position and caption line of a width x height switch with a glyphW x
// glyphH glyph; textHeight is the height of "W" in the switch's font. The
// caption is centred horizontally in the rectangle.
SwitchLayout LayoutSwitch(int width, int height, int glyphW, int glyphH, TTextPos pos, int textHeight);

}  // namespace orvik
