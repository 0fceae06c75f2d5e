// A flat speed button without caption or glyph: transparent, it draws a raised
// frame while the pointer is over it and a sunken one while it is pressed;
// a dotted focus rectangle while it has the keyboard focus.
#pragma once
#include "app/win32/GraphicControl.h"

namespace orvik {

class FlatButton : public GraphicControl {
public:
    void Paint(HDC dc) override;
    void HandleMouseDown(const MouseEvent& e) override;
    void HandleMouseUp(const MouseEvent& e) override;
    void HandleMouseMove(const MouseEvent& e) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void CaptureLost() override;
    bool Hot() const { return hot_; }
    bool Down() const { return down_; }

    // A button to screen readers, with or without an action; pressed while down.
    long AccessibleRole() const override;
    long AccessibleState() const override;
    const char* DefaultAction() const override { return "Press"; }

private:
    void SetState(bool hot, bool down);
    bool hot_ = false;
    bool down_ = false;
    bool tracking_ = false;
};

}  // namespace orvik
