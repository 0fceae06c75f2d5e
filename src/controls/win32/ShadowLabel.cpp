#include "controls/win32/ShadowLabel.h"

#include <oleacc.h>

namespace orvik {

long ShadowLabel::AccessibleRole() const { return ROLE_SYSTEM_STATICTEXT; }

ShadowLabel::ShadowLabel() {
    bounds_ = RECT{0, 0, 65, 17};
    font_ = CreateUiFont("MS Sans Serif", 11);
}

void ShadowLabel::SetCaption(const std::string& caption) {
    caption_ = caption;
    Invalidate();
    AdjustBounds();
}

void ShadowLabel::SetFont(const char* face, int height, COLORREF color, bool bold) {
    font_ = CreateUiFont(face, height, bold);
    fontColor_ = color;
    Invalidate();
    AdjustBounds();
}

void ShadowLabel::SetColor(COLORREF color) { color_ = color; Invalidate(); }
void ShadowLabel::SetShadowColor(COLORREF color) { shadowColor_ = color; Invalidate(); }
void ShadowLabel::SetShadowSize(int size) {
    shadowSize_ = size < 0 ? 0 : (size > 255 ? 255 : size);
    AdjustBounds();
    Invalidate();
}
void ShadowLabel::SetShadowPos(ShadowPosition pos) { shadowPos_ = pos; Invalidate(); }
void ShadowLabel::SetTransparent(bool transparent) { transparent_ = transparent; Invalidate(); }
void ShadowLabel::SetAutoSize(bool autoSize) { autoSize_ = autoSize; AdjustBounds(); }
void ShadowLabel::SetAlignment(TextAlignment alignment) { alignment_ = alignment; Invalidate(); }
void ShadowLabel::SetLayout(TextLayout layout) { layout_ = layout; Invalidate(); }
void ShadowLabel::SetWordWrap(bool wordWrap) { wordWrap_ = wordWrap; AdjustBounds(); }
void ShadowLabel::SetShowAccelChar(bool show) { showAccelChar_ = show; Invalidate(); }

void ShadowLabel::SetEnabled(bool enabled) {
    GraphicControl::SetEnabled(enabled);
    UpdateMouseInside();
}

void ShadowLabel::SetVisible(bool visible) {
    GraphicControl::SetVisible(visible);
    if (visible) UpdateMouseInside();
}

UINT ShadowLabel::FormatFlags() const {
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

int ShadowLabel::DrawShadowText(HDC dc, const std::string& text, IntRect& r, UINT flags, POINT origin) const {
    COLORREF ink = fontColor_, shadow = shadowColor_;
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

void ShadowLabel::Paint(HDC dc) {
    const POINT origin{bounds_.left, bounds_.top};
    if (!transparent_) {
        Brush brush(CreateSolidBrush(color_));
        FillRect(dc, &bounds_, brush.Get());
    }
    SelectGuard font(dc, font_.Get());
    SetBkMode(dc, TRANSPARENT);
    const std::string& text = caption_;
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

void ShadowLabel::AdjustBounds() {
    if (!autoSize_) return;
    ScreenDC screen;
    MemoryDC dc(screen);
    SelectGuard font(dc, font_.Get());
    std::string text = caption_;
    if (text.empty() || (showAccelChar_ && text == "&")) text += ' ';
    IntRect r = TextRect(Width(), Height());
    DrawShadowText(dc, text, r, FormatFlags() | DT_CALCRECT, POINT{0, 0});
    const LabelBounds now{bounds_.left, bounds_.top, Width(), Height()};
    const LabelBounds next = AutoSizeBounds(now, r, alignment_);
    if (!(next == now)) SetBounds(At(next.left, next.top, next.width, next.height));
}

void ShadowLabel::MouseEnter() {
    const HWND active = GetActiveWindow();
    if (!mouseInside_ && enabled_ && active &&
        GetWindowThreadProcessId(active, nullptr) == GetCurrentThreadId()) {
        mouseInside_ = true;
        if (onMouseEnter) onMouseEnter();
    }
}

void ShadowLabel::MouseLeave() {
    if (mouseInside_ && enabled_ && !leftHeld_) {
        mouseInside_ = false;
        if (onMouseLeave) onMouseLeave();
    }
}

void ShadowLabel::UpdateMouseInside() {
    bool inside = false;
    if (enabled_ && Host() && Host()->Window()) {
        const HWND window = Host()->Window();
        POINT screen;
        GetCursorPos(&screen);
        POINT p = screen;
        ScreenToClient(window, &p);
        const HWND active = GetActiveWindow();
        inside = WindowFromPoint(screen) == window && Host()->At(p) == this && active &&
                 GetWindowThreadProcessId(active, nullptr) == GetCurrentThreadId();
    }
    if (inside == mouseInside_) return;
    mouseInside_ = inside;
    if (inside && onMouseEnter) onMouseEnter();
    if (!inside && onMouseLeave) onMouseLeave();
}

void ShadowLabel::HandleMouseDown(const MouseEvent& e) {
    if (e.button == MouseButton::Left && enabled_) leftHeld_ = true;
    GraphicControl::HandleMouseDown(e);
    if (e.button == MouseButton::Right) UpdateMouseInside();
}

void ShadowLabel::HandleMouseUp(const MouseEvent& e) {
    if (e.button == MouseButton::Left) leftHeld_ = false;
    GraphicControl::HandleMouseUp(e);
    UpdateMouseInside();
}

}  // namespace orvik
