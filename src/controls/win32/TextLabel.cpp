#include "controls/win32/TextLabel.h"

#include <oleacc.h>

namespace orvik {

long TextLabel::AccessibleRole() const { return ROLE_SYSTEM_STATICTEXT; }

void TextLabel::Place(int left, int top, const std::string& caption, HFONT font) {
    caption_ = caption;
    font_ = font;
    ScreenDC screen;
    SelectGuard sel(screen, font_ ? font_ : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    SIZE s{};
    GetTextExtentPoint32A(screen, caption_.c_str(), static_cast<int>(caption_.size()), &s);
    SetBounds(At(left, top, s.cx, s.cy));
}

void TextLabel::Paint(HDC dc) {
    SelectGuard sel(dc, font_ ? font_ : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    RECT r = bounds_;
    DrawTextA(dc, caption_.c_str(), -1, &r, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOCLIP);
}

}  // namespace orvik
