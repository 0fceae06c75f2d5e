#include "controls/win32/SpeedButton.h"

namespace orvik {

void SpeedButton::Paint(HDC dc) {
    RECT r = bounds_;
    const int shift = Down() ? 1 : 0;
    if (glyph_) {
        const SIZE s = BitmapSize(glyph_.Get());
        DrawTransparentBitmap(dc, glyph_.Get(), r.left + (Width() - s.cx) / 2 + shift,
                              r.top + (Height() - s.cy) / 2 + shift);
    }
    if (!caption_.empty()) {
        SelectGuard sel(dc, font_ ? font_ : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(Enabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
        OffsetRect(&r, shift, shift);
        DrawTextA(dc, caption_.c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    FlatButton::Paint(dc);
}

}  // namespace orvik
