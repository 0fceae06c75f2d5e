#include "app/win32/GraphicControl.h"

#include <commctrl.h>
#include <oleacc.h>

#include <map>

#include <algorithm>

#include "app/win32/Accessible.h"
#include "app/win32/Application.h"
#include "app/win32/Input.h"

namespace orvik {

namespace {
// Hosts by window, for the Tab order that runs through windows and their
// graphic controls alike.
std::map<HWND, GraphicHost*>& Hosts() {
    static std::map<HWND, GraphicHost*> hosts;
    return hosts;
}
}  // namespace

void GraphicControl::SetBounds(const IntRect& bounds) {
    Invalidate();
    bounds_ = ToRect(bounds);
    Invalidate();
    if (host_ && !hint_.empty()) host_->UpdateHint(this);
}

void GraphicControl::SetVisible(bool visible) {
    if (visible_ == visible) return;
    visible_ = visible;
    Invalidate();
    if (!visible && host_ && host_->Focused() == this) host_->SetFocus(nullptr);
    if (host_ && !hint_.empty()) host_->UpdateHint(this);
}

void GraphicControl::SetEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    Invalidate();
    if (!enabled && host_ && host_->Focused() == this) host_->SetFocus(nullptr);
}

bool GraphicControl::ShowsFocus() const {
    return host_ && host_->Focused() == this && Application::Instance().KeyboardCues();
}

bool GraphicControl::HandleKey(unsigned key, unsigned modifiers) {
    if ((key != VK_SPACE && key != VK_RETURN) || (modifiers & modifier::kKeys)) return false;
    Click();
    return true;
}

void GraphicControl::SetHint(const std::string& hint) {
    hint_ = hint;
    if (host_) host_->UpdateHint(this);
}

void GraphicControl::Invalidate() {
    if (host_) host_->InvalidateArea(bounds_);
}

void GraphicControl::Click() {
    if (onClick) onClick();
}

bool GraphicControl::Contains(const MouseEvent& e) const {
    const POINT p{e.x, e.y};
    return PtInRect(&bounds_, p) != FALSE;
}

MouseEvent GraphicControl::Local(const MouseEvent& e) const {
    MouseEvent local = e;
    local.x -= bounds_.left;
    local.y -= bounds_.top;
    return local;
}

void GraphicControl::HandleMouseDown(const MouseEvent& e) {
    if (e.button == MouseButton::Left) clicked_ = true;
    if (onMouseDown) onMouseDown(Local(e));
}

void GraphicControl::HandleMouseUp(const MouseEvent& e) {
    if (e.button == MouseButton::Left && clicked_) {
        clicked_ = false;
        if (Contains(e)) Click();
    }
    if (onMouseUp) onMouseUp(Local(e));
}

GraphicHost::~GraphicHost() {
    if (tooltip_ && IsWindow(tooltip_)) DestroyWindow(tooltip_);
    if (hwnd_) Hosts().erase(hwnd_);
}

void GraphicHost::SetWindow(HWND hwnd) {
    if (hwnd_) Hosts().erase(hwnd_);
    hwnd_ = hwnd;
    if (hwnd_) Hosts()[hwnd_] = this;
}

GraphicHost* GraphicHost::Of(HWND hwnd) {
    const auto found = Hosts().find(hwnd);
    return found == Hosts().end() ? nullptr : found->second;
}

// ---- For screen readers ----------------------------------------------------

long GraphicControl::AccessibleRole() const { return onClick ? ROLE_SYSTEM_PUSHBUTTON : 0; }

const char* GraphicControl::DefaultAction() const {
    if (!onClick) return nullptr;
    return AccessibleRole() == ROLE_SYSTEM_PUSHBUTTON ? "Press" : "Click";
}

namespace {
// A default action asked for by a screen reader runs from the window's own
// queue: the caller waits for nothing the action opens (a modal window, the
// open dialog). Registered when first needed.
UINT defaultActionMessage = 0;

// What the host's window shows a screen reader: its controls as children.
class HostSource final : public AccessibleSource {
public:
    explicit HostSource(const GraphicHost& host) : host_(host) {}

    long ItemCount() const override { return static_cast<long>(host_.AccessibleControls().size()); }
    bool Item(long id, AccessibleItem& item) const override {
        const GraphicControl* c = Control(id);
        if (!c) return false;
        item.role = c->AccessibleRole();
        item.name = c->AccessibleName();
        item.state = c->AccessibleState();
        if (!c->Enabled()) item.state |= STATE_SYSTEM_UNAVAILABLE;
        if (item.role == ROLE_SYSTEM_PUSHBUTTON) item.state |= STATE_SYSTEM_FOCUSABLE;
        if (c == host_.Focused() && GetFocus() == host_.Window()) item.state |= STATE_SYSTEM_FOCUSED;
        if (c == host_.Hover()) item.state |= STATE_SYSTEM_HOTTRACKED;
        item.defaultAction = c->DefaultAction();
        item.bounds = c->Bounds();
        return true;
    }
    long ItemAt(POINT client) const override {
        const std::vector<GraphicControl*> controls = host_.AccessibleControls();
        for (size_t i = controls.size(); i-- > 0;)
            if (PtInRect(&controls[i]->Bounds(), client)) return static_cast<long>(i + 1);
        return 0;
    }
    long FocusedItem() const override { return host_.AccessibleId(host_.Focused()); }
    bool DoItemAction(long id) override {
        GraphicControl* c = Control(id);
        if (!c || !c->DefaultAction() || !c->Enabled()) return false;
        if (!defaultActionMessage) defaultActionMessage = RegisterWindowMessageA("OrvikEncoder.DefaultAction");
        return PostMessageA(host_.Window(), defaultActionMessage, 0, reinterpret_cast<LPARAM>(c)) != FALSE;
    }

private:
    GraphicControl* Control(long id) const {
        const std::vector<GraphicControl*> controls = host_.AccessibleControls();
        return id >= 1 && id <= static_cast<long>(controls.size()) ? controls[static_cast<size_t>(id - 1)] : nullptr;
    }

    const GraphicHost& host_;
};
}  // namespace

std::vector<GraphicControl*> GraphicHost::AccessibleControls() const {
    std::vector<GraphicControl*> shown;
    for (GraphicControl* c : controls_)
        if (c->Visible() && c->AccessibleRole() != 0) shown.push_back(c);
    return shown;
}

long GraphicHost::AccessibleId(const GraphicControl* control) const {
    if (!control) return 0;
    const std::vector<GraphicControl*> shown = AccessibleControls();
    const auto it = std::find(shown.begin(), shown.end(), control);
    return it == shown.end() ? 0 : static_cast<long>(it - shown.begin() + 1);
}

void GraphicHost::FocusChanged() {
    if (!hwnd_ || GetFocus() != hwnd_) return;
    AccessibleSource::Notify(hwnd_, EVENT_OBJECT_FOCUS, focused_ ? AccessibleId(focused_) : CHILDID_SELF);
}

bool GraphicHost::HandleAccessible(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg == WM_GETOBJECT) {
        if (AccessibleControls().empty()) return false;  // child windows only: the system's object serves
        if (!accessible_) accessible_ = std::make_unique<HostSource>(*this);
        return accessible_->Answer(hwnd_, wParam, lParam, result);
    }
    if (msg != defaultActionMessage || msg == 0) return false;
    // Only a control of this window that can still be pressed.
    auto* control = reinterpret_cast<GraphicControl*>(lParam);
    if (std::find(controls_.begin(), controls_.end(), control) != controls_.end() && control->Visible() &&
        control->Enabled())
        control->DoDefaultAction();
    return true;
}

void GraphicHost::Add(GraphicControl* control) {
    controls_.push_back(control);
    control->host_ = this;
    // In the Tab order after the child window made last before it: the
    // window's controls keep the order they were made in.
    if (hwnd_)
        if (HWND first = GetWindow(hwnd_, GW_CHILD)) control->tabAfter_ = GetWindow(first, GW_HWNDLAST);
    UpdateHint(control);
}

void GraphicHost::Paint(HDC dc, const RECT& area) const {
    for (GraphicControl* c : controls_) {
        RECT overlap;
        if (c->Visible() && IntersectRect(&overlap, &c->Bounds(), &area)) c->Paint(dc);
    }
}

GraphicControl* GraphicHost::At(POINT p) const {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        GraphicControl* c = *it;
        if (c->Visible() && c->Enabled() && PtInRect(&c->Bounds(), p)) return c;
    }
    return nullptr;
}

void GraphicHost::InvalidateArea(const RECT& r) const {
    if (hwnd_) InvalidateRect(hwnd_, &r, FALSE);
}

void GraphicHost::UpdateHint(GraphicControl* control) {
    // Until the pointer first moves over the window there is no tooltip:
    // the tools are registered when it is made.
    if (!hwnd_ || !tooltip_) return;
    TOOLINFOA ti{};
    ti.cbSize = TTTOOLINFOA_V1_SIZE;
    ti.hwnd = hwnd_;
    ti.uId = reinterpret_cast<UINT_PTR>(control);
    SendMessageA(tooltip_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
    if (control->Hint().empty() || !control->Visible()) return;
    ti.uFlags = TTF_SUBCLASS;
    ti.rect = control->Bounds();
    ti.lpszText = const_cast<char*>(control->Hint().c_str());
    SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
}

// The hints' tooltip, made when the pointer first moves over the window
// rather than with the window: most starts never need it.
void GraphicHost::MakeTooltip(const MSG& firstMove) {
    if (tooltip_ || tooltipFailed_) return;
    tooltip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr,
                               Application::Instance().Module(), nullptr);
    if (!tooltip_) {  // hints are a comfort, not a necessity
        tooltipFailed_ = true;
        return;
    }
    SendMessageA(tooltip_, TTM_SETMAXTIPWIDTH, 0, 300);
    for (GraphicControl* c : controls_)
        if (!c->Hint().empty()) UpdateHint(c);
    // The tooltip sees the host's messages from the next one on: this one
    // it is told of.
    SendMessageA(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&firstMove));
}

bool GraphicHost::CanFocus(const GraphicControl* c) const {
    return c && c->host_ == this && c->TabStop() && c->Visible() && c->Enabled();
}

std::vector<GraphicControl*> GraphicHost::TabStopsAfter(HWND after) const {
    std::vector<GraphicControl*> stops;
    for (GraphicControl* c : controls_)
        if (c->tabAfter_ == after && CanFocus(c)) stops.push_back(c);
    return stops;
}

void GraphicHost::SetFocus(GraphicControl* control) {
    if (control && !CanFocus(control)) return;
    lastFocused_ = control;
    if (control && hwnd_ && GetFocus() != hwnd_) {
        ::SetFocus(hwnd_);  // WM_SETFOCUS passes it on to the control
        return;
    }
    TakeFocus(control && GetFocus() == hwnd_ ? control : nullptr);
}

void GraphicHost::TakeFocus(GraphicControl* control) {
    if (control == focused_) return;
    GraphicControl* old = focused_;
    focused_ = control;
    if (old) old->Invalidate();
    if (focused_) focused_->Invalidate();
    FocusChanged();
}

void GraphicHost::SetHover(GraphicControl* control) {
    if (control == hover_) return;
    GraphicControl* old = hover_;
    hover_ = control;
    if (old) old->MouseLeave();
    if (hover_) hover_->MouseEnter();
    if (accessible_) {  // the hot state, once a screen reader has asked
        for (GraphicControl* c : {old, hover_})
            if (const long id = AccessibleId(c)) AccessibleSource::Notify(hwnd_, EVENT_OBJECT_STATECHANGE, id);
    }
}

void GraphicHost::MouseLeft() {
    trackingLeave_ = false;
    SetHover(nullptr);
}

void GraphicHost::CaptureChanged(HWND newCapture) {
    if (newCapture == hwnd_ || !captured_) return;
    GraphicControl* c = captured_;
    captured_ = nullptr;
    c->CaptureLost();
}

bool GraphicHost::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_MOUSELEAVE:
        MouseLeft();
        return true;
    case WM_CAPTURECHANGED:
        CaptureChanged(reinterpret_cast<HWND>(lParam));
        return true;
    case WM_SETFOCUS:
        // The window has the keyboard focus again: so has the control that
        // had it, if it still can.
        TakeFocus(CanFocus(lastFocused_) ? lastFocused_ : nullptr);
        return false;
    case WM_KILLFOCUS:
        TakeFocus(nullptr);
        return false;
    case WM_KEYDOWN:
        if (!focused_) return false;
        // A held key presses once.
        if ((lParam & 0x40000000) && (wParam == VK_SPACE || wParam == VK_RETURN)) return true;
        return focused_->HandleKey(static_cast<unsigned>(wParam), KeyModifiers());
    case WM_SHOWWINDOW:
    case WM_ENABLE:
        // Hidden, or disabled by a modal window (a dialog, the file-open
        // dialog) that takes the mouse without a leave notice: nothing
        // stays lit.
        if (!wParam) ClearHover();
        return false;
    case WM_RBUTTONUP:
        // Routed, and left to DefWindowProc, which makes WM_CONTEXTMENU of it.
        RouteMouse(msg, wParam, lParam);
        return false;
    default:
        return RouteMouse(msg, wParam, lParam);
    }
}

bool GraphicHost::RouteMouse(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!IsMouseMessage(msg)) return false;
    const MouseEvent e = DecodeMouse(msg, wParam, lParam);
    GraphicControl* under = At(POINT{e.x, e.y});
    if (msg == WM_MOUSEMOVE) {
        if (!tooltip_) MakeTooltip(MSG{hwnd_, msg, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}});
        if (!trackingLeave_) {
            TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, hwnd_, 0};
            trackingLeave_ = TrackMouseEvent(&tme) != FALSE;
        }
        SetHover(under);
        if (GraphicControl* c = captured_ ? captured_ : under) c->HandleMouseMove(e);
        return true;
    }
    if (IsButtonDown(msg)) {
        // The mouse is in use: the focus mark goes (until the next key).
        if (focused_) focused_->Invalidate();
        if (!under) return true;
        captured_ = under;
        SetCapture(hwnd_);
        under->HandleMouseDown(e);
        return true;
    }
    GraphicControl* target = captured_ ? captured_ : under;
    if (!(e.modifiers & (modifier::kLeft | modifier::kRight | modifier::kMiddle))) {
        captured_ = nullptr;
        if (GetCapture() == hwnd_) ReleaseCapture();
    }
    if (target) target->HandleMouseUp(e);
    return true;
}

}  // namespace orvik
