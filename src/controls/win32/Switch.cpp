#include "controls/win32/Switch.h"

#include <oleacc.h>

#include "app/win32/Application.h"
#include "app/win32/Input.h"

namespace orvik {

const char* const Switch::kClassName = "TRxSwitch";

namespace {
const char* const kDefaultGlyph[2] = {"SWITCH_OFF", "SWITCH_ON"};

// The raster operation that paints the selected brush where the source is
// 1 and keeps the destination elsewhere (DSPDxax).
constexpr DWORD kDspDxax = 0x00E20746;

// The engraved look of a glyph: its black pixels drawn once in the
// highlight colour one pixel right and down, and once in the shadow colour
// in place, on the button face.
Bitmap BuildDisabledLook(HBITMAP glyph) {
    const SIZE s = BitmapSize(glyph);
    if (s.cx <= 0 || s.cy <= 0) return Bitmap();
    ScreenDC screen;
    Bitmap result(CreateCompatibleBitmap(screen, s.cx, s.cy));
    Bitmap mono(CreateBitmap(s.cx, s.cy, 1, 1, nullptr));
    MemoryDC dst(screen), maskDc(screen), src(screen);
    SelectGuard selDst(dst, result.Get());
    SelectGuard selMask(maskDc, mono.Get());
    SelectGuard selSrc(src, glyph);
    RECT r{0, 0, s.cx, s.cy};
    FillRect(dst, &r, GetSysColorBrush(COLOR_BTNFACE));
    // Pixels of the source's background colour become 1 in the mask.
    SetBkColor(src, RGB(0, 0, 0));
    BitBlt(maskDc, 0, 0, s.cx, s.cy, src, 0, 0, SRCCOPY);
    SetTextColor(dst, RGB(0, 0, 0));
    SetBkColor(dst, RGB(255, 255, 255));
    const struct { int color, offset; } passes[] = {{COLOR_BTNHIGHLIGHT, 1}, {COLOR_BTNSHADOW, 0}};
    for (const auto& pass : passes) {
        SelectGuard brush(dst, GetSysColorBrush(pass.color));
        BitBlt(dst, pass.offset, pass.offset, s.cx, s.cy, maskDc, 0, 0, kDspDxax);
    }
    return result;
}
}  // namespace

Switch::Switch() {
    // The defaults come without an engraved look: it is built only when a
    // glyph is set.
    for (int slot = 0; slot < 2; ++slot) glyphs_[slot] = LoadBitmapResource(kDefaultGlyph[slot]);
    brush_.Reset(CreateSolidBrush(color_));
}

void Switch::StateChanged(bool on) {
    Notify(hwnd_, EVENT_OBJECT_STATECHANGE, CHILDID_SELF);
    const auto& event = on ? onOn : onOff;
    if (event) event();
}

long Switch::Role() const { return ROLE_SYSTEM_CHECKBUTTON; }
long Switch::State() const { return StateOn() ? STATE_SYSTEM_CHECKED : 0; }

void Switch::DoDefaultAction() {
    if (IsWindowEnabled(hwnd_)) Toggle();
}

Switch::~Switch() { Destroy(); }

void Switch::CreateControl(const SwitchSpec& spec) {
    Register(kClassName, CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS);
    textPosition_ = spec.textPosition;
    SetColor(spec.color);
    model_.SetInitialState(spec.stateOn);
    WindowSpec ws;
    ws.style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | (spec.tabStop ? WS_TABSTOP : 0) |
               (spec.borderSingle ? WS_BORDER : 0);
    ws.text = spec.caption;
    ws.place = spec.place;
    Create(kClassName, ws);
    font_ = spec.font;
}

void Switch::SetGlyph(int slot, HBITMAP bitmap) {
    if (slot < 0 || slot > 1) return;
    if (bitmap) {
        glyphs_[slot].Reset(static_cast<HBITMAP>(CopyImage(bitmap, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
        userGlyphs_ |= 1u << slot;
    } else {
        glyphs_[slot] = LoadBitmapResource(kDefaultGlyph[slot]);
        userGlyphs_ &= ~(1u << slot);
    }
    disabled_[slot] = BuildDisabledLook(glyphs_[slot].Get());
    Repaint();
}

void Switch::SetTextPosition(CaptionPlace pos) {
    textPosition_ = pos;
    Repaint();
}

void Switch::SetShowFocus(bool show) {
    showFocus_ = show;
    Repaint();
}

void Switch::SetColor(COLORREF color) {
    color_ = color;
    brush_.Reset(CreateSolidBrush(color_));
    Repaint();
}

void Switch::Repaint() {
    if (hwnd_) ::InvalidateRect(hwnd_, nullptr, FALSE);
}

void Switch::Paint(HDC dc) {
    RECT client;
    GetClientRect(hwnd_, &client);
    FillRect(dc, &client, brush_.Get());
    HFONT font = font_ ? font_ : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    SelectGuard selFont(dc, font);

    const int slot = StateOn() ? 1 : 0;
    HBITMAP picture = glyphs_[slot].Get();
    if (!IsWindowEnabled(hwnd_) && disabled_[slot]) picture = disabled_[slot].Get();
    const SIZE g = BitmapSize(picture);
    SIZE w{};
    GetTextExtentPoint32A(dc, "W", 1, &w);
    const SwitchLayout l = LayoutSwitch(client.right, client.bottom, g.cx, g.cy, textPosition_, w.cy);
    DrawTransparentBitmap(dc, picture, l.glyphX, l.glyphY);

    if (focused_ && showFocus_ && (GetWindowLongA(hwnd_, GWL_STYLE) & WS_TABSTOP)) {
        RECT f{l.glyphX, l.glyphY, l.glyphX + g.cx, l.glyphY + g.cy};
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, RGB(255, 255, 255));
        DrawFocusRect(dc, &f);
    }
    if (textPosition_ != CaptionPlace::None) {
        char text[512] = {};
        GetWindowTextA(hwnd_, text, sizeof text);
        RECT r{l.text.left, l.text.top, l.text.right, l.text.bottom};
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        // Centred in its line; a caption wider than the line starts at its
        // left edge instead of running over the glyph.
        RECT measured = r;
        DrawTextA(dc, text, -1, &measured, DT_CALCRECT | DT_EXPANDTABS);
        const UINT align = measured.right - measured.left > r.right - r.left ? DT_LEFT : DT_CENTER;
        DrawTextA(dc, text, -1, &r, align | DT_EXPANDTABS);
    }
}

void Switch::MouseDown(const MouseEvent& e) {
    if (e.button == MouseButton::Left) {
        SetCapture(hwnd_);
        pressed_ = true;
        if ((GetWindowLongA(hwnd_, GWL_STYLE) & WS_TABSTOP) && IsWindowVisible(hwnd_) && IsWindowEnabled(hwnd_))
            SetFocus(hwnd_);
        model_.MouseDown(true);
        if (e.DoubleClick() && onDblClick) onDblClick();
    }
    if (onMouseDown) onMouseDown(e);
}

LRESULT Switch::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT painted = 0;
    if (HandlePaintMessage(hwnd_, msg, wParam, [this](HDC dc, const RECT&) { Paint(dc); }, painted)) return painted;
    switch (msg) {
    case WM_SETFONT:
        font_ = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam)) Repaint();
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(font_);
    case WM_SETTEXT: {
        LRESULT r = Default(msg, wParam, lParam);
        Repaint();
        return r;
    }
    case WM_ENABLE:
        Repaint();
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        focused_ = msg == WM_SETFOCUS;
        if (showFocus_) Repaint();
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTCHARS;
    case BM_GETCHECK:  // the state, for accessibility and automation tools
        return StateOn() ? BST_CHECKED : BST_UNCHECKED;
    case WM_GETOBJECT: {
        LRESULT object = 0;
        if (Answer(hwnd_, wParam, lParam, object)) return object;
        break;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        MouseDown(DecodeMouse(msg, wParam, lParam));
        return 0;
    case WM_LBUTTONUP: {
        const bool wasPressed = pressed_;
        pressed_ = false;
        if (GetCapture() == hwnd_) ReleaseCapture();
        RECT r;
        GetClientRect(hwnd_, &r);
        const MouseEvent e = DecodeMouse(msg, wParam, lParam);
        if (wasPressed && PtInRect(&r, POINT{e.x, e.y}) && onClick) onClick();
        return 0;
    }
    case WM_CAPTURECHANGED:
        pressed_ = false;
        return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        const unsigned key = static_cast<unsigned>(wParam);
        if (onKeyDown) onKeyDown(key);
        if (model_.KeyDown(key, KeyModifiers()))
            return 0;
        break;
    }
    default:
        break;
    }
    return Default(msg, wParam, lParam);
}

}  // namespace orvik
