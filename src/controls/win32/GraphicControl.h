// Windowless controls: they live in a form's client area, are painted by the
// form in creation order and receive the mouse when they are the topmost
// visible, enabled control under it. The control pressed keeps the mouse
// until every button is released (as a captured window would).
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "app/win32/Gdi.h"

namespace orvik {

class Form;
class PopupMenu;

enum class MouseButton { Left, Right, Middle };

class GraphicControl {
public:
    GraphicControl() = default;
    virtual ~GraphicControl() = default;
    GraphicControl(const GraphicControl&) = delete;
    GraphicControl& operator=(const GraphicControl&) = delete;

    void AttachTo(Form* parent) { parent_ = parent; }
    Form* Parent() const { return parent_; }

    const RECT& Bounds() const { return bounds_; }
    int Width() const { return bounds_.right - bounds_.left; }
    int Height() const { return bounds_.bottom - bounds_.top; }
    void SetBounds(int left, int top, int width, int height);
    bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible);
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled);
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint);
    PopupMenu* Popup() const { return popup_; }
    void SetPopup(PopupMenu* menu) { popup_ = menu; }
    void Invalidate();

    virtual void Paint(HDC dc) { (void)dc; }
    // A press followed by a left release inside the control.
    virtual void Click();

    // Input, in the parent's client coordinates; the control's own handlers
    // receive coordinates relative to the control.
    virtual void HandleMouseDown(MouseButton button, WPARAM keys, POINT p, bool doubleClick);
    virtual void HandleMouseUp(MouseButton button, WPARAM keys, POINT p);
    virtual void HandleMouseMove(WPARAM keys, POINT p);
    virtual void MouseEnter() {}
    virtual void MouseLeave() {}
    virtual void CaptureLost() { clicked_ = false; }

    std::function<void()> OnClick;
    std::function<void(MouseButton, int, int)> OnMouseDown;
    std::function<void(MouseButton, int, int)> OnMouseUp;

protected:
    Form* parent_ = nullptr;
    RECT bounds_{};
    bool visible_ = true;
    bool enabled_ = true;
    bool clicked_ = false;
    std::string hint_;
    PopupMenu* popup_ = nullptr;
};

// A picture: a bitmap drawn at the control's top-left corner (or stretched
// to its bounds), optionally leaving out the bottom-left pixel's colour.
class Picture : public GraphicControl {
public:
    void SetBitmap(Bitmap bitmap) { bitmap_ = std::move(bitmap); Invalidate(); }
    void SetStretch(bool stretch) { stretch_ = stretch; }
    void SetTransparent(bool transparent) { transparent_ = transparent; }
    HBITMAP BitmapHandle() const { return bitmap_.Get(); }
    void Paint(HDC dc) override;

private:
    Bitmap bitmap_;
    bool stretch_ = false;
    bool transparent_ = false;
};

// A flat speed button without caption or glyph: transparent, it draws a raised
// frame while the pointer is over it and a sunken one while it is pressed.
class FlatButton : public GraphicControl {
public:
    void Paint(HDC dc) override;
    void HandleMouseDown(MouseButton button, WPARAM keys, POINT p, bool doubleClick) override;
    void HandleMouseUp(MouseButton button, WPARAM keys, POINT p) override;
    void HandleMouseMove(WPARAM keys, POINT p) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void CaptureLost() override;
    bool Hot() const { return hot_; }
    bool Down() const { return down_; }

private:
    void SetState(bool hot, bool down);
    bool hot_ = false;
    bool down_ = false;
    bool tracking_ = false;
};

}  // namespace orvik
