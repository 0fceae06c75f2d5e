// Windowless controls: they live in a window's client area, are painted by
// their host in creation order and receive the mouse when they are the
// topmost visible, enabled control under it. The control pressed keeps the
// mouse until every button is released (as a captured window would). A
// control that is a tab stop takes the keyboard focus by keys alone: its
// host window holds the focus and the host knows which of its controls has it.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/Input.h"
#include "app/win32/Accessible.h"
#include "app/win32/Gdi.h"
#include "app/win32/Window.h"

namespace orvik {

class GraphicHost;

class GraphicControl {
public:
    GraphicControl() = default;
    virtual ~GraphicControl() = default;
    GraphicControl(const GraphicControl&) = delete;
    GraphicControl& operator=(const GraphicControl&) = delete;

    GraphicHost* Host() const { return host_; }

    const RECT& Bounds() const { return bounds_; }
    int Width() const { return bounds_.right - bounds_.left; }
    int Height() const { return bounds_.bottom - bounds_.top; }
    void SetBounds(const IntRect& bounds);
    bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible);
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled);
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint);
    void Invalidate();
    // In the Tab order of its window (off by default: a mouse click never
    // gives a graphic control the focus).
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool tabStop) { tabStop_ = tabStop; }
    // Has the keyboard focus, and its window shows focus marks.
    bool ShowsFocus() const;

    virtual void Paint(HDC dc) { (void)dc; }
    // A press followed by a left release inside the control.
    virtual void Click();

    // Input, in the host's client coordinates; the handlers below receive
    // coordinates relative to the control.
    virtual void HandleMouseDown(const MouseEvent& e);
    virtual void HandleMouseUp(const MouseEvent& e);
    virtual void HandleMouseMove(const MouseEvent& e) { (void)e; }
    virtual void MouseEnter() {}
    virtual void MouseLeave() {}
    virtual void CaptureLost() { clicked_ = false; }
    // A key pressed while the control has the focus; true when it acted.
    // Space and Enter press it.
    virtual bool HandleKey(unsigned key, unsigned modifiers);

    std::function<void()> onClick;
    std::function<void(const MouseEvent&)> onMouseDown;
    std::function<void(const MouseEvent&)> onMouseUp;

    // ---- For screen readers: what the host's accessible object reads ----
    // The role (ROLE_SYSTEM_*): a control with a click action is a push
    // button; 0 leaves the control out, as pure decoration.
    virtual long AccessibleRole() const;
    // The name: the one given, else the hint.
    virtual std::string AccessibleName() const { return accessibleName_.empty() ? hint_ : accessibleName_; }
    void SetAccessibleName(const std::string& name) { accessibleName_ = name; }
    // State bits (STATE_SYSTEM_*) beside those the host knows: unavailable,
    // focusable, focused, hot.
    virtual long AccessibleState() const { return 0; }
    // The default action's name (nullptr for none) and the action itself,
    // which does what a click does.
    virtual const char* DefaultAction() const;
    virtual void DoDefaultAction() { Click(); }

protected:
    bool Contains(const MouseEvent& e) const;
    MouseEvent Local(const MouseEvent& e) const;

    RECT bounds_{};
    bool visible_ = true;
    bool enabled_ = true;
    bool clicked_ = false;
    std::string hint_;

private:
    friend class GraphicHost;
    GraphicHost* host_ = nullptr;
    bool tabStop_ = false;
    HWND tabAfter_ = nullptr;  // the host's child window that comes before it in the Tab order
    std::string accessibleName_;
};

// The windowless-control host of a window: keeps its controls in creation
// (= stacking) order, paints them, routes the mouse to them with capture and
// hover, and gives them tooltips.
class GraphicHost {
public:
    GraphicHost() = default;
    ~GraphicHost();
    GraphicHost(const GraphicHost&) = delete;
    GraphicHost& operator=(const GraphicHost&) = delete;

    void SetWindow(HWND hwnd);
    HWND Window() const { return hwnd_; }
    // The host of a window, or nullptr.
    static GraphicHost* Of(HWND hwnd);

    // The control that has the keyboard focus: the host window has it and
    // passes it on to this control; nullptr when the window does not have it.
    GraphicControl* Focused() const { return focused_; }
    // Gives the control the keyboard focus (the host window takes it).
    void SetFocus(GraphicControl* control);
    bool CanFocus(const GraphicControl* control) const;
    // The focusable tab stops that follow the child window `after` in the
    // Tab order (nullptr: those before the first child window).
    std::vector<GraphicControl*> TabStopsAfter(HWND after) const;

    void Add(GraphicControl* control);
    void Paint(HDC dc, const RECT& area) const;
    GraphicControl* At(POINT client) const;
    void InvalidateArea(const RECT& r) const;
    void UpdateHint(GraphicControl* control);

    // The host window's messages that concern its graphic controls (mouse,
    // leave, capture, hiding and disabling); true when the window has
    // nothing more to do with the message.
    bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    // What every window that holds graphic controls and child controls
    // does alike: paint (the background and then the controls, through
    // paint), the messages above, and the notifications that a child's own
    // object takes (WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR*). True when the
    // message was handled; result is then its answer.
    template <typename Paint>
    bool HandleHostMessage(UINT msg, WPARAM wParam, LPARAM lParam, Paint&& paint, LRESULT& result) {
        result = 0;
        if (HandlePaintMessage(hwnd_, msg, wParam, std::forward<Paint>(paint), result)) return true;
        if (HandleAccessible(msg, wParam, lParam, result)) return true;
        if (HandleMessage(msg, wParam, lParam)) return true;
        switch (msg) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX: return ReflectNotification(msg, wParam, lParam, result);
        default: return false;
        }
    }
    // The window's mouse messages; true when one was handled here.
    bool RouteMouse(UINT msg, WPARAM wParam, LPARAM lParam);
    // The pointer left the window, or a modal window took the mouse.
    void ClearHover() { SetHover(nullptr); }
    void MouseLeft();
    void CaptureChanged(HWND newCapture);

    // The control under the pointer, or none.
    GraphicControl* Hover() const { return hover_; }
    // Tells screen readers that the focused control changed.
    void FocusChanged();

    // ---- For screen readers ----
    // The shown controls that are more than decoration, in stacking order:
    // their child ids are their positions from 1.
    std::vector<GraphicControl*> AccessibleControls() const;
    long AccessibleId(const GraphicControl* control) const;

private:
    void SetHover(GraphicControl* control);
    void TakeFocus(GraphicControl* control);
    void MakeTooltip(const MSG& firstMove);
    // WM_GETOBJECT, and the default actions posted to the window.
    bool HandleAccessible(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

    HWND hwnd_ = nullptr;
    std::vector<GraphicControl*> controls_;
    GraphicControl* captured_ = nullptr;
    GraphicControl* hover_ = nullptr;
    GraphicControl* focused_ = nullptr;
    GraphicControl* lastFocused_ = nullptr;  // taken again when the window gets the focus back
    bool trackingLeave_ = false;
    HWND tooltip_ = nullptr;
    bool tooltipFailed_ = false;
    std::unique_ptr<AccessibleSource> accessible_;  // made at the first request
};

}  // namespace orvik
