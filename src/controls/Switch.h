// The two-state switch: its state with the on/off notifications, the input
// rules that flip it, and where its glyph and caption go.
#pragma once
#include "app/Geometry.h"
#include "app/Input.h"

namespace orvik {

enum class CaptionPlace { None, Left, Right, Above, Below };

// What the switch needs of its window: a repaint, and the report of a real
// change of state (the window turns it into its on/off events).
class SwitchHost {
public:
    virtual void Repaint() = 0;
    virtual void StateChanged(bool on) = 0;

protected:
    ~SwitchHost() = default;
};

class SwitchModel {
public:
    explicit SwitchModel(SwitchHost& host) : host_(host) {}

    bool StateOn() const { return stateOn_; }
    // Stores a new state, repaints, then reports the change; setting the
    // current state again does nothing.
    void SetStateOn(bool on);
    void Toggle() { SetStateOn(!stateOn_); }
    // The state a switch is made with: set without a repaint or a report.
    void SetInitialState(bool on) { stateOn_ = on; }

    // A press: the left button (any click count) toggles, others don't.
    // Returns whether the state changed.
    bool MouseDown(bool leftButton);
    // A key-down: toggles when key and modifiers are the toggle key.
    // Returns whether the key was consumed.
    bool KeyDown(unsigned keyCode, unsigned modifiers);

    Shortcut toggleKey{vk::kSpace, 0};

private:
    SwitchHost& host_;
    bool stateOn_ = false;
};

struct SwitchLayout {
    int glyphX = 0, glyphY = 0;
    IntRect text;  // the caption's line; empty with CaptionPlace::None
};

// Glyph position and caption line of a width x height switch with a glyphW x
// glyphH glyph; textHeight is the height of "W" in the switch's font. The
// caption is centred horizontally in the rectangle.
SwitchLayout LayoutSwitch(int width, int height, int glyphW, int glyphH, CaptionPlace pos, int textHeight);

}  // namespace orvik
