#include "controls/win32/Slider.h"

#include <commctrl.h>
#include <oleacc.h>

#include "app/win32/Application.h"
#include "app/win32/Input.h"

namespace orvik {

namespace {
const char* const kDefaultImages[4] = {"W95_HTB", "W95_HRL", "W95_VTB", "W95_VRL"};

HCURSOR g_cursors[2];

}  // namespace

HCURSOR Slider::ScreenCursor(int id) {
    if (id == kHandCursor) return g_cursors[0];
    if (id == kDragCursor) return g_cursors[1];
    return nullptr;
}

Slider::Slider(const ChildPlace& place)
    : color_(GetSysColor(COLOR_BTNFACE)) {
    if (!g_cursors[0]) {
        HINSTANCE module = Application::Instance().Module();
        g_cursors[0] = LoadCursorA(module, "RX_HANDCUR");
        g_cursors[1] = LoadCursorA(module, "RX_DRAGCUR");
    }
    Register(kClassName, CS_DBLCLKS);
    for (int slot = 0; slot < 4; ++slot) LoadDefaultImage(static_cast<SliderImage>(slot));
    WindowSpec spec;
    // Child controls (the player's hidden device control) live inside it.
    spec.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPCHILDREN;
    spec.place = place;
    Create(kClassName, spec);
    RECT client{};
    GetClientRect(hwnd_, &client);
    model_.SetClientSize(client.right, client.bottom);
}

long Slider::Accessible::Role() const { return ROLE_SYSTEM_SLIDER; }

std::string Slider::ValueText() const {
    return valueText ? valueText(Value(), MaxValue()) : std::to_string(Value());
}

// The value as read: while it plays the position moves every tick, its text
// about once a second.
void Slider::ValueChanged() {
    if (!hwnd_) return;
    std::string text = ValueText();
    if (text == toldValue_) return;
    toldValue_ = std::move(text);
    AccessibleSource::Notify(hwnd_, EVENT_OBJECT_VALUECHANGE, CHILDID_SELF);
}

Slider::~Slider() {
    // The window goes while the slider is whole; the owner hears nothing more.
    model_.onChange = nullptr;
    model_.onChanged = nullptr;
    model_.onMouseDown = nullptr;
    model_.onMouseUp = nullptr;
    model_.onMouseMove = nullptr;
    model_.onKeyDown = nullptr;
    onDrawPoints = nullptr;
    Destroy();
}

SliderSize Slider::SizeOf(HBITMAP bitmap) {
    const SIZE s = BitmapSize(bitmap);
    return SliderSize{static_cast<int>(s.cx), static_cast<int>(s.cy)};
}

void Slider::LoadDefaultImage(SliderImage slot) {
    images_[Slot(slot)] = LoadBitmapResource(kDefaultImages[Slot(slot)]);
    model_.ImageChanged(slot, SizeOf(images_[Slot(slot)].Get()), false);
}

void Slider::SetImage(SliderImage slot, HBITMAP bitmap) {
    if (!bitmap) {
        LoadDefaultImage(slot);
        return;
    }
    images_[Slot(slot)] = Bitmap(static_cast<HBITMAP>(CopyImage(bitmap, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    model_.ImageChanged(slot, SizeOf(images_[Slot(slot)].Get()), true);
}

void Slider::SetColor(COLORREF color) {
    color_ = color;
    InvalidateAll();
}

void Slider::SetOrientation(SliderOrientation orientation) {
    model_.SetOrientation(orientation);
    if (hwnd_)
        SetWindowPos(hwnd_, nullptr, 0, 0, model_.Height(), model_.Width(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Slider::SetBounds(const IntRect& bounds) {
    MoveWindow(hwnd_, bounds.left, bounds.top, bounds.Width(), bounds.Height(), TRUE);
}

// The ruler image stretched to the ruler's length, built once per layout.
void Slider::RulerChanged() {
    const SliderSize size = model_.RulerSize();
    const bool horizontal = model_.Orientation() == SliderOrientation::Horizontal;
    HBITMAP image = images_[Slot(horizontal ? SliderImage::HRuler : SliderImage::VRuler)].Get();
    if (size.width <= 0 || size.height <= 0 || !image) {
        ruler_.Reset();
        return;
    }
    ScreenDC screen;
    ruler_ = Bitmap(CreateCompatibleBitmap(screen, size.width, size.height));
    MemoryDC dst(screen), src(screen);
    SelectGuard selDst(dst, ruler_.Get());
    SelectGuard selSrc(src, image);
    for (const RulerPiece& p : model_.RulerLayout()) {
        if (model_.Orientation() == SliderOrientation::Horizontal)
            BitBlt(dst, p.dst, 0, p.length, size.height, src, p.src, 0, SRCCOPY);
        else
            BitBlt(dst, 0, p.dst, size.width, p.length, src, 0, p.src, SRCCOPY);
    }
}

void Slider::InvalidateArea(const IntRect& area) {
    if (!hwnd_) return;
    const RECT r = ToRect(area);
    InvalidateRect(hwnd_, &r, FALSE);
}

void Slider::InvalidateAll() {
    if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

void Slider::UpdateNow() {
    if (hwnd_) UpdateWindow(hwnd_);
}

void Slider::CaptureMouse() { SetCapture(hwnd_); }

void Slider::ReleaseMouse() {
    if (GetCapture() == hwnd_) ReleaseCapture();
}

void Slider::StartTimer(unsigned id, unsigned milliseconds) { SetTimer(hwnd_, id, milliseconds, nullptr); }

void Slider::StopTimer(unsigned id) { KillTimer(hwnd_, id); }

bool Slider::CanFocus() const { return IsWindowVisible(hwnd_) && IsWindowEnabled(hwnd_); }

void Slider::TakeFocus() { SetFocus(hwnd_); }

void Slider::PaintPoints(HDC dc, int32_t step, int normalLength, int extremeLength) {
    Pen pen(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_WINDOWTEXT)));
    SelectGuard sel(dc, pen.Get());
    const bool horizontal = model_.Orientation() == SliderOrientation::Horizontal;
    for (const TickMark& m : model_.TickMarks(step, normalLength, extremeLength)) {
        MoveToEx(dc, m.x, m.y, nullptr);
        if (horizontal)
            LineTo(dc, m.x, m.y + m.length);
        else
            LineTo(dc, m.x + m.length, m.y);
    }
}

void Slider::PaintTo(HDC dc) {
    RECT client{};
    GetClientRect(hwnd_, &client);
    RECT inside = client;
    if (model_.BevelStyle() != SliderBevel::None) {
        const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT);
        const COLORREF topLeft = model_.BevelStyle() == SliderBevel::Lowered ? shadow : light;
        const COLORREF bottomRight = model_.BevelStyle() == SliderBevel::Lowered ? light : shadow;
        Brush tl(CreateSolidBrush(topLeft)), br(CreateSolidBrush(bottomRight));
        const RECT top{client.left, client.top, client.right, client.top + 1};
        const RECT left{client.left, client.top, client.left + 1, client.bottom};
        const RECT bottom{client.left, client.bottom - 1, client.right, client.bottom};
        const RECT right{client.right - 1, client.top, client.right, client.bottom};
        FillRect(dc, &bottom, br.Get());
        FillRect(dc, &right, br.Get());
        FillRect(dc, &top, tl.Get());
        FillRect(dc, &left, tl.Get());
        InflateRect(&inside, -1, -1);
    }
    Brush background(CreateSolidBrush(color_));
    FillRect(dc, &inside, background.Get());

    const SliderOptions options = model_.Options();
    if (ruler_) {
        const IntPoint origin = model_.RulerOrigin();
        DrawBitmap(dc, ruler_.Get(), origin.x, origin.y, !options.Has(SliderOption::RulerOpaque));
    }
    // As the system shows keyboard cues: not after a mouse press.
    if (options.Has(SliderOption::ShowFocus) && model_.Focused() && Application::Instance().KeyboardCues()) {
        IntRect c = model_.ContentRect();
        RECT focus{c.left + 2, c.top + 2, c.right - 2, c.bottom - 2};
        DrawFocusRect(dc, &focus);
    }
    if (options.Has(SliderOption::ShowPoints)) {
        if (onDrawPoints)
            onDrawPoints(dc);
        else
            PaintPoints(dc, model_.Increment(), 3, 5);
    }
    const bool horizontal = model_.Orientation() == SliderOrientation::Horizontal;
    HBITMAP thumb = images_[Slot(horizontal ? SliderImage::HThumb : SliderImage::VThumb)].Get();
    const IntRect t = model_.ThumbRect();
    const int stateWidth = model_.ThumbStateWidth();
    const int state = model_.NumThumbStates() == 2 && (model_.ThumbDown() || !model_.Enabled()) ? 1 : 0;
    DrawBitmapPart(dc, thumb, t.left, t.top, state * stateWidth, 0, stateWidth, t.bottom - t.top,
                   !options.Has(SliderOption::ThumbOpaque));
}

LRESULT Slider::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT painted = 0;
    if (HandlePaintMessage(hwnd_, msg, wParam, [this](HDC dc, const RECT&) { PaintTo(dc); }, painted)) return painted;
    switch (msg) {
        case WM_SIZE:
            model_.SetClientSize(LOWORD(lParam), HIWORD(lParam));
            return 0;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS;
        // Value and range as a trackbar reports them, for accessibility and
        // automation tools (and the end-to-end tests).
        case TBM_GETPOS:
            return Value();
        case TBM_GETRANGEMIN:
            return MinValue();
        case TBM_GETRANGEMAX:
            return MaxValue();
        case WM_GETOBJECT: {
            LRESULT object = 0;
            if (accessible_.Answer(hwnd_, wParam, lParam, object)) return object;
            break;
        }
        case WM_SETFOCUS:
            model_.FocusChanged(true);
            return 0;
        case WM_KILLFOCUS:
            model_.FocusChanged(false);
            return 0;
        case WM_ENABLE:
            model_.EnabledChanged(wParam != 0);
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDBLCLK:
            // The mouse stays with the slider while a button is held.
            if (GetCapture() != hwnd_) SetCapture(hwnd_);
            model_.MouseDown(DecodeMouse(msg, wParam, lParam));
            return 0;
        case WM_MOUSEMOVE:
            model_.MouseMove(DecodeMouse(msg, wParam, lParam));
            return 0;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            model_.MouseUp(DecodeMouse(msg, wParam, lParam));
            if (!(wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) && !model_.TrackPressing()) ReleaseMouse();
            return 0;
        case WM_CAPTURECHANGED:
            // Another window took the mouse: the interaction ends as on release.
            if (reinterpret_cast<HWND>(lParam) != hwnd_) model_.CancelMode();
            return 0;
        case WM_TIMER:
            model_.TimerTick(static_cast<unsigned>(wParam));
            return 0;
        case WM_KEYDOWN: {
            uint16_t keyCode = static_cast<uint16_t>(wParam);
            model_.KeyDown(keyCode, KeyModifiers());
            if (keyCode == 0) return 0;
            break;
        }
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT && reinterpret_cast<HWND>(wParam) == hwnd_) {
                POINT p;
                GetCursorPos(&p);
                ScreenToClient(hwnd_, &p);
                const RECT thumb = ToRect(model_.ThumbRect());
                if (PtInRect(&thumb, p) && ScreenCursor(kHandCursor)) {
                    SetCursor(ScreenCursor(kHandCursor));
                    return TRUE;
                }
            }
            break;
        default:
            break;
    }
    return Default(msg, wParam, lParam);
}

}  // namespace orvik
