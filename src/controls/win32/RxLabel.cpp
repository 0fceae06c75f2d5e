#include "controls/win32/RxLabel.h"

#include "app/win32/Form.h"

namespace orvik {

namespace {
RECT ToRect(const IntRect& r, POINT o) { return RECT{r.left + o.x, r.top + o.y, r.right + o.x, r.bottom + o.y}; }
IntRect FromRect(const RECT& r, POINT o) {
    return IntRect{r.left - o.x, r.top - o.y, r.right - o.x, r.bottom - o.y};
}
}  // namespace

TRxCustomLabel::TRxCustomLabel() {
    bounds_ = RECT{0, 0, 65, 17};
    font_ = CreateUiFont("MS Sans Serif", 11);
}

void TRxCustomLabel::SetCaption(const std::string& caption) {
    caption_ = caption;
    Invalidate();
    AdjustBounds();
}

void TRxCustomLabel::SetFont(const char* face, int height, COLORREF color, bool bold) {
    font_ = CreateUiFont(face, height, bold);
    fontColor_ = color;
    Invalidate();
    AdjustBounds();
}

void TRxCustomLabel::SetColor(COLORREF color) { color_ = color; Invalidate(); }
void TRxCustomLabel::SetShadowColor(COLORREF color) { shadowColor_ = color; Invalidate(); }
void TRxCustomLabel::SetShadowSize(int size) {
    shadowSize_ = size < 0 ? 0 : (size > 255 ? 255 : size);
    AdjustBounds();
    Invalidate();
}
void TRxCustomLabel::SetShadowPos(ShadowPosition pos) { shadowPos_ = pos; Invalidate(); }
void TRxCustomLabel::SetTransparent(bool transparent) { transparent_ = transparent; Invalidate(); }
void TRxCustomLabel::SetAutoSize(bool autoSize) { autoSize_ = autoSize; AdjustBounds(); }
void TRxCustomLabel::SetAlignment(TextAlignment alignment) { alignment_ = alignment; Invalidate(); }
void TRxCustomLabel::SetLayout(TextLayout layout) { layout_ = layout; Invalidate(); }
void TRxCustomLabel::SetWordWrap(bool wordWrap) { wordWrap_ = wordWrap; AdjustBounds(); }
void TRxCustomLabel::SetShowAccelChar(bool show) { showAccelChar_ = show; Invalidate(); }

void TRxCustomLabel::SetEnabled(bool enabled) {
    GraphicControl::SetEnabled(enabled);
    UpdateMouseInside();
}

void TRxCustomLabel::SetVisible(bool visible) {
    GraphicControl::SetVisible(visible);
    if (visible) UpdateMouseInside();
}

UINT TRxCustomLabel::FormatFlags() const {
    UINT flags = DT_EXPANDTABS;
    if (wordWrap_) flags |= DT_WORDBREAK;
    switch (alignment_) {
    case TextAlignment::Left: flags |= DT_LEFT; break;
    case TextAlignment::Right: flags |= DT_RIGHT; break;
    case TextAlignment::Center: flags |= DT_CENTER; break;
    }
    if (!showAccelChar_) flags |= DT_NOPREFIX;
    return flags;
}

int TRxCustomLabel::DrawShadowText(HDC dc, const std::string& text, IntRect& r, UINT flags, POINT origin) const {
    COLORREF ink = InkColor(), shadow = shadowColor_;
    int size = shadowSize_;
    ShadowPosition pos = shadowPos_;
    if (!enabled_) {
        ink = GetSysColor(COLOR_GRAYTEXT);
        shadow = GetSysColor(COLOR_BTNHIGHLIGHT);
        if (size == 0) {  // engraved look
            size = 1;
            pos = ShadowPosition::RightBottom;
        }
    }
    IntRect shadowRect = ShadowRect(r, pos, size);
    RECT sr = ToRect(shadowRect, origin), tr = ToRect(r, origin);
    SetTextColor(dc, shadow);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &sr, flags);
    SetTextColor(dc, ink);
    const int height = DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &tr, flags);
    shadowRect = FromRect(sr, origin);
    r = UnionOf(FromRect(tr, origin), shadowRect);
    return height > 0 ? height + size : height;
}

void TRxCustomLabel::Paint(HDC dc) {
    const POINT origin{bounds_.left, bounds_.top};
    if (!transparent_) {
        Brush brush(CreateSolidBrush(color_));
        FillRect(dc, &bounds_, brush.Get());
    }
    SelectGuard font(dc, font_.Get());
    SetBkMode(dc, TRANSPARENT);
    const std::string text = ShownText();
    IntRect r = TextRect(Width(), Height());
    const UINT flags = FormatFlags();
    if (layout_ != TextLayout::Top) {
        IntRect measured = r;
        DrawShadowText(dc, text.empty() ? std::string(" ") : text, measured, flags | DT_CALCRECT, origin);
        r.left = 0;
        r.right = Width();
        const int shift = LayoutShift(layout_, Height(), measured.bottom);
        r.top += shift;
        r.bottom += shift;
    }
    DrawShadowText(dc, text, r, flags, origin);
    if (showFocus_ && focusControl_ && GetFocus() == focusControl_) {
        RECT fr = ToRect(IntRect{r.left - 1, r.top - 1, r.right + 1, r.bottom + 1}, origin);
        DrawFocusRect(dc, &fr);
    }
}

void TRxCustomLabel::AdjustBounds() {
    if (!autoSize_) return;
    ScreenDC screen;
    MemoryDC dc(screen);
    SelectGuard font(dc, font_.Get());
    std::string text = ShownText();
    if (text.empty() || (showAccelChar_ && text == "&")) text += ' ';
    IntRect r = TextRect(Width(), Height());
    DrawShadowText(dc, text, r, FormatFlags() | DT_CALCRECT, POINT{0, 0});
    const LabelBounds now{bounds_.left, bounds_.top, Width(), Height()};
    const LabelBounds next = AutoSizeBounds(now, r, alignment_);
    if (!(next == now)) SetBounds(next.left, next.top, next.width, next.height);
}

void TRxCustomLabel::MouseEnter() {
    const HWND active = GetActiveWindow();
    if (!mouseInside_ && enabled_ && active &&
        GetWindowThreadProcessId(active, nullptr) == GetCurrentThreadId()) {
        mouseInside_ = true;
        if (OnMouseEnter) OnMouseEnter();
    }
}

void TRxCustomLabel::MouseLeave() {
    if (mouseInside_ && enabled_ && !leftHeld_) {
        mouseInside_ = false;
        if (OnMouseLeave) OnMouseLeave();
    }
}

void TRxCustomLabel::UpdateMouseInside() {
    bool inside = false;
    if (enabled_ && parent_ && parent_->Handle()) {
        POINT p;
        GetCursorPos(&p);
        ScreenToClient(parent_->Handle(), &p);
        const HWND active = GetActiveWindow();
        inside = WindowFromPoint([&] { POINT s; GetCursorPos(&s); return s; }()) == parent_->Handle() &&
                 parent_->GraphicAt(p) == this && active &&
                 GetWindowThreadProcessId(active, nullptr) == GetCurrentThreadId();
    }
    if (inside == mouseInside_) return;
    mouseInside_ = inside;
    if (inside && OnMouseEnter) OnMouseEnter();
    if (!inside && OnMouseLeave) OnMouseLeave();
}

void TRxCustomLabel::HandleMouseDown(MouseButton button, WPARAM keys, POINT p, bool doubleClick) {
    if (button == MouseButton::Left && enabled_) leftHeld_ = true;
    GraphicControl::HandleMouseDown(button, keys, p, doubleClick);
    if (button == MouseButton::Right) UpdateMouseInside();
}

void TRxCustomLabel::HandleMouseUp(MouseButton button, WPARAM keys, POINT p) {
    if (button == MouseButton::Left) leftHeld_ = false;
    GraphicControl::HandleMouseUp(button, keys, p);
    UpdateMouseInside();
}

}  // namespace orvik
