// ShadowLabel: a windowless label that draws its caption twice, a shadow copy in
// ShadowColor shifted by ShadowSize pixels towards ShadowPos, then the text in
// the font colour. With AutoSize it sizes itself to the text and shadow.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "app/win32/Gdi.h"
#include "controls/ShadowLabel.h"
#include "app/win32/GraphicControl.h"

namespace orvik {

class ShadowLabel : public GraphicControl {
public:
    ShadowLabel();

    void SetCaption(const std::string& caption);
    const std::string& Caption() const { return caption_; }
    // The font is owned by the label; height in pixels (positive).
    void SetFont(const char* face, int height, COLORREF color, bool bold = false);
    COLORREF FontColor() const { return fontColor_; }
    void SetColor(COLORREF color);
    void SetShadowColor(COLORREF color);
    void SetShadowSize(int size);
    void SetShadowPos(ShadowPosition pos);
    void SetTransparent(bool transparent);
    void SetAutoSize(bool autoSize);
    void SetAlignment(TextAlignment alignment);
    void SetLayout(TextLayout layout);
    void SetWordWrap(bool wordWrap);
    void SetShowAccelChar(bool show);
    void SetFocusControl(HWND control) { focusControl_ = control; Invalidate(); }
    void SetShowFocus(bool show) { showFocus_ = show; Invalidate(); }
    void SetEnabled(bool enabled) override;
    void SetVisible(bool visible) override;

    int ShadowSize() const { return shadowSize_; }
    bool Transparent() const { return transparent_; }
    bool MouseInside() const { return mouseInside_; }

    void Paint(HDC dc) override;
    long AccessibleRole() const override;
    std::string AccessibleName() const override { return caption_; }
    void HandleMouseDown(const MouseEvent& e) override;
    void HandleMouseUp(const MouseEvent& e) override;
    void MouseEnter() override;
    void MouseLeave() override;

    std::function<void()> onMouseEnter;
    std::function<void()> onMouseLeave;

private:
    UINT FormatFlags() const;
    // Draws (or with DT_CALCRECT measures) the shadow text into r, in control
    // coordinates offset by origin; returns the drawn height plus the shadow.
    int DrawShadowText(HDC dc, const std::string& text, IntRect& r, UINT flags, POINT origin) const;
    void AdjustBounds();
    void UpdateMouseInside();

    std::string caption_;
    Font font_;
    COLORREF fontColor_ = RGB(0, 0, 0);
    COLORREF color_ = GetSysColor(COLOR_BTNFACE);
    COLORREF shadowColor_ = GetSysColor(COLOR_BTNHIGHLIGHT);
    int shadowSize_ = 1;
    ShadowPosition shadowPos_ = ShadowPosition::LeftTop;
    bool transparent_ = false;
    bool autoSize_ = true;
    TextAlignment alignment_ = TextAlignment::Left;
    TextLayout layout_ = TextLayout::Top;
    bool wordWrap_ = false;
    bool showAccelChar_ = true;
    bool showFocus_ = false;
    HWND focusControl_ = nullptr;
    bool mouseInside_ = false;
    bool leftHeld_ = false;
};

}  // namespace orvik
