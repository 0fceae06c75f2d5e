#include "controls/win32/GraphicControl.h"

#include "app/win32/Form.h"

namespace orvik {

void GraphicControl::SetBounds(int left, int top, int width, int height) {
    Invalidate();
    bounds_ = RECT{left, top, left + width, top + height};
    Invalidate();
    if (parent_ && !hint_.empty()) parent_->UpdateHint(this);
}

void GraphicControl::SetVisible(bool visible) {
    if (visible_ == visible) return;
    visible_ = visible;
    Invalidate();
    if (parent_ && !hint_.empty()) parent_->UpdateHint(this);
}

void GraphicControl::SetEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    Invalidate();
}

void GraphicControl::SetHint(const std::string& hint) {
    hint_ = hint;
    if (parent_) parent_->UpdateHint(this);
}

void GraphicControl::Invalidate() {
    if (parent_) parent_->InvalidateRect(bounds_);
}

void GraphicControl::Click() {
    if (OnClick) OnClick();
}

void GraphicControl::HandleMouseDown(MouseButton button, WPARAM, POINT p, bool) {
    if (button == MouseButton::Left) clicked_ = true;
    if (OnMouseDown) OnMouseDown(button, p.x - bounds_.left, p.y - bounds_.top);
}

void GraphicControl::HandleMouseUp(MouseButton button, WPARAM, POINT p) {
    if (button == MouseButton::Left && clicked_) {
        clicked_ = false;
        if (PtInRect(&bounds_, p)) Click();
    }
    if (OnMouseUp) OnMouseUp(button, p.x - bounds_.left, p.y - bounds_.top);
}

void GraphicControl::HandleMouseMove(WPARAM, POINT) {}

void Picture::Paint(HDC dc) {
    if (!bitmap_) return;
    if (stretch_) {
        const SIZE s = BitmapSize(bitmap_.Get());
        MemoryDC src(dc);
        SelectGuard sel(src, bitmap_.Get());
        SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, bounds_.left, bounds_.top, Width(), Height(), src, 0, 0, s.cx, s.cy, SRCCOPY);
        return;
    }
    // Clipped to the control's bounds, as a picture never draws outside itself.
    const SIZE s = BitmapSize(bitmap_.Get());
    const int w = s.cx < Width() ? s.cx : Width(), h = s.cy < Height() ? s.cy : Height();
    DrawBitmapPart(dc, bitmap_.Get(), bounds_.left, bounds_.top, 0, 0, w, h, transparent_);
}

void FlatButton::Paint(HDC dc) {
    if (!hot_ && !down_) return;
    RECT r = bounds_;
    DrawEdge(dc, &r, down_ ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
}

void FlatButton::SetState(bool hot, bool down) {
    if (hot == hot_ && down == down_) return;
    hot_ = hot;
    down_ = down;
    Invalidate();
}

void FlatButton::HandleMouseDown(MouseButton button, WPARAM keys, POINT p, bool doubleClick) {
    if (button == MouseButton::Left) {
        tracking_ = true;
        SetState(true, true);
    }
    GraphicControl::HandleMouseDown(button, keys, p, doubleClick);
}

void FlatButton::HandleMouseMove(WPARAM, POINT p) {
    if (tracking_) SetState(hot_, PtInRect(&bounds_, p) != FALSE);
}

void FlatButton::HandleMouseUp(MouseButton button, WPARAM keys, POINT p) {
    if (button == MouseButton::Left && tracking_) {
        tracking_ = false;
        SetState(PtInRect(&bounds_, p) != FALSE, false);
    }
    GraphicControl::HandleMouseUp(button, keys, p);
}

void FlatButton::MouseEnter() { SetState(true, down_); }
void FlatButton::MouseLeave() {
    if (!tracking_) SetState(false, false);
}

void FlatButton::CaptureLost() {
    tracking_ = false;
    SetState(false, false);
    GraphicControl::CaptureLost();
}

}  // namespace orvik
