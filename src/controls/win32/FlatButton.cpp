#include "controls/win32/FlatButton.h"

#include <oleacc.h>

namespace orvik {

long FlatButton::AccessibleRole() const { return ROLE_SYSTEM_PUSHBUTTON; }
long FlatButton::AccessibleState() const { return down_ ? STATE_SYSTEM_PRESSED : 0; }

void FlatButton::Paint(HDC dc) {
    if (ShowsFocus()) {
        RECT f = bounds_;
        InflateRect(&f, -3, -3);
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, RGB(255, 255, 255));
        DrawFocusRect(dc, &f);
    }
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

void FlatButton::HandleMouseDown(const MouseEvent& e) {
    if (e.button == MouseButton::Left) {
        tracking_ = true;
        SetState(/*hot=*/true, /*down=*/true);
    }
    GraphicControl::HandleMouseDown(e);
}

void FlatButton::HandleMouseMove(const MouseEvent& e) {
    if (tracking_) SetState(hot_, Contains(e));
}

void FlatButton::HandleMouseUp(const MouseEvent& e) {
    if (e.button == MouseButton::Left && tracking_) {
        tracking_ = false;
        SetState(Contains(e), /*down=*/false);
    }
    GraphicControl::HandleMouseUp(e);
}

void FlatButton::MouseEnter() { SetState(/*hot=*/true, down_); }
void FlatButton::MouseLeave() {
    if (!tracking_) SetState(/*hot=*/false, /*down=*/false);
}

void FlatButton::CaptureLost() {
    tracking_ = false;
    SetState(/*hot=*/false, /*down=*/false);
    GraphicControl::CaptureLost();
}

}  // namespace orvik
