#include "controls/win32/SpinEdit.h"

#include <commctrl.h>
#include <windowsx.h>

#include "app/Exception.h"
#include "app/win32/Application.h"

namespace orvik {

const char* const SpinButton::kClassName = "TRxSpinButton";
const char* const SpinEdit::kClassName = "TRxSpinEdit";
const char* const SpinEdit::kUpDownClassName = "TRxUpDown";

namespace {

// The program's windows read left to right: the button sits at the right.
constexpr bool kRightToLeft = false;

// Calls a handler the user of a control may have set.
void Fire(const std::function<void()>& handler) {
    if (handler) handler();
}

// Classes of our own name that behave as a system class: the procedure
// hands every message to the system class's procedure.
enum SuperclassSlot { kEditSlot, kUpDownSlot, kSlotCount };
WNDPROC g_baseProc[kSlotCount] = {};

template <int Slot>
LRESULT CALLBACK SuperclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcA(g_baseProc[Slot], hwnd, msg, wParam, lParam);
}

template <int Slot>
void RegisterSuperclass(const char* base, const char* name) {
    HINSTANCE module = Application::Instance().Module();
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    if (GetClassInfoExA(module, name, &wc)) return;
    wc = WNDCLASSEXA{};
    wc.cbSize = sizeof wc;
    if (!GetClassInfoExA(nullptr, base, &wc) && !GetClassInfoExA(module, base, &wc))
        throw Exception(std::string("Cannot find the window class ") + base);
    g_baseProc[Slot] = wc.lpfnWndProc;
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &SuperclassProc<Slot>;
    wc.hInstance = module;
    wc.lpszClassName = name;
    wc.style &= ~CS_GLOBALCLASS;
    if (!RegisterClassExA(&wc)) throw Exception(std::string("Cannot register the window class ") + name);
}

Bitmap CopyGlyph(HBITMAP glyph, const char* defaultName) {
    if (!glyph) return LoadBitmapResource(defaultName);
    return Bitmap(static_cast<HBITMAP>(CopyImage(glyph, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

void Line(HDC dc, int x0, int y0, int x1, int y1, int sysColor) {
    Pen pen(CreatePen(PS_SOLID, 1, GetSysColor(sysColor)));
    SelectGuard sel(dc, pen.Get());
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
}

int TextHeight(HWND hwnd) {
    ScreenDC dc;
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(hwnd, WM_GETFONT, 0, 0));
    TEXTMETRICA tm{};
    SelectGuard sel(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
    GetTextMetricsA(dc, &tm);
    return tm.tmHeight;
}

}  // namespace

// ---- Diagonal spin button --------------------------------------------------

SpinButton::SpinButton() : upGlyph_(LoadBitmapResource("RXSPINUP")), downGlyph_(LoadBitmapResource("RXSPINDOWN")) {}

SpinButton::~SpinButton() { Destroy(); }

void SpinButton::CreateControl(const ChildPlace& place) {
    Register(kClassName, CS_HREDRAW | CS_VREDRAW);
    WindowSpec ws;
    ws.style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    ws.place = place;
    Create(kClassName, ws);
    model_.SetSize(place.bounds.Width(), place.bounds.Height());
}

void SpinButton::SetBounds(const IntRect& bounds) {
    if (hwnd_)
        SetWindowPos(hwnd_, nullptr, bounds.left, bounds.top, bounds.Width(), bounds.Height(),
                     SWP_NOZORDER | SWP_NOACTIVATE);
}

void SpinButton::SetUpGlyph(HBITMAP glyph) {
    upGlyph_ = CopyGlyph(glyph, "RXSPINUP");
    Invalidate();
}

void SpinButton::SetDownGlyph(HBITMAP glyph) {
    downGlyph_ = CopyGlyph(glyph, "RXSPINDOWN");
    Invalidate();
}

void SpinButton::SetEnabled(bool enabled) {
    if (enabled == model_.Enabled()) return;
    picturesStale_ = true;
    model_.SetEnabled(enabled);
}

void SpinButton::Invalidate() {
    picturesStale_ = true;
    Repaint();
}

void SpinButton::Repaint() {
    if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

void SpinButton::CaptureMouse() { SetCapture(hwnd_); }

void SpinButton::ReleaseMouse() {
    if (GetCapture() == hwnd_) ReleaseCapture();
}

bool SpinButton::HasCapture() const { return hwnd_ && GetCapture() == hwnd_; }

void SpinButton::StartTimer(unsigned milliseconds) { SetTimer(hwnd_, kRepeatTimer, milliseconds, nullptr); }

void SpinButton::StopTimer() {
    if (hwnd_) KillTimer(hwnd_, kRepeatTimer);
}

void SpinButton::FocusControl() { Fire(onFocusControl); }

void SpinButton::TopClick() { Fire(onTopClick); }

void SpinButton::BottomClick() { Fire(onBottomClick); }

// Face, the raised (or, for the pressed half, sunken) edges of both halves,
// the frame and the diagonal, then the glyphs.
void SpinButton::DrawPicture(HDC dc, SpinHalf down) const {
    const int w = model_.Width(), h = model_.Height();
    RECT r{0, 0, w, h};
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    const bool top = down == SpinHalf::Top, bottom = down == SpinHalf::Bottom;
    const int topLight = top ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT;
    const int topDark = top ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW;
    const int bottomLight = bottom ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT;
    const int bottomDark = bottom ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW;
    // The upper-left half: its outer edges, then its side along the diagonal.
    Line(dc, 1, 1, w - 2, 1, topLight);
    Line(dc, 1, 1, 1, h - 2, topLight);
    Line(dc, 1, h - 3, w - 2, 0, topDark);
    // The lower-right half: its side along the diagonal, then its outer edges.
    Line(dc, 2, h - 2, w - 1, 1, bottomLight);
    if (bottom) Line(dc, 3, h - 2, w - 1, 2, COLOR_BTNSHADOW);
    Line(dc, w - 2, 2, w - 2, h - 1, bottomDark);
    Line(dc, 2, h - 2, w - 1, h - 2, bottomDark);
    // The frame and the diagonal from the bottom-left to the top-right corner.
    FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
    Line(dc, 0, h - 1, w - 1, 0, COLOR_WINDOWFRAME);

    const SIZE up = BitmapSize(upGlyph_.Get()), dn = BitmapSize(downGlyph_.Get());
    const SpinGlyphPlaces upPlace = SpinGlyphPositions(w, h, up.cx, up.cy, down);
    const SpinGlyphPlaces downPlace = SpinGlyphPositions(w, h, dn.cx, dn.cy, down);
    // A monochrome glyph takes these colours: black arrow, white (its
    // transparent colour) around it.
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    const struct {
        HBITMAP glyph;
        IntPoint at;
        SIZE size;
    } glyphs[] = {{upGlyph_.Get(), upPlace.up, up}, {downGlyph_.Get(), downPlace.down, dn}};
    for (const auto& g : glyphs) {
        if (!g.glyph) continue;
        if (model_.Enabled())
            DrawTransparentBitmap(dc, g.glyph, g.at.x, g.at.y);
        else
            DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(g.glyph), 0, g.at.x, g.at.y, g.size.cx,
                       g.size.cy, DST_BITMAP | DSS_DISABLED);
    }
}

void SpinButton::BuildPictures(HDC like) {
    const int w = model_.Width(), h = model_.Height();
    for (int half = 0; half < 3; ++half) {
        pictures_[half].Reset(CreateCompatibleBitmap(like, w, h));
        MemoryDC mem(like);
        SelectGuard sel(mem, pictures_[half].Get());
        DrawPicture(mem, static_cast<SpinHalf>(half));
    }
    picturesStale_ = false;
}

void SpinButton::Paint(HDC dc) {
    if (model_.Width() <= 0 || model_.Height() <= 0) return;
    if (picturesStale_) {
        ScreenDC screen;
        BuildPictures(screen);
    }
    DrawBitmap(dc, pictures_[static_cast<int>(model_.Down())].Get(), 0, 0);
}

LRESULT SpinButton::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_ERASEBKGND:
        return TRUE;
    case WM_PAINT: {
        BufferedPaint paint(hwnd_);
        Paint(paint.Dc());
        return 0;
    }
    case WM_PRINTCLIENT:
        Paint(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_SIZE:
        model_.SetSize(LOWORD(lParam), HIWORD(lParam));
        Invalidate();
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        model_.MouseDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_MOUSEMOVE:
        model_.MouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_LBUTTONUP:
        model_.MouseUp(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != hwnd_) model_.CaptureLost();
        return 0;
    case WM_TIMER:
        if (wParam == kRepeatTimer) {
            model_.TimerTick();
            return 0;
        }
        break;
    default:
        break;
    }
    return Default(msg, wParam, lParam);
}

// ---- Spin edit -------------------------------------------------------------

SpinEdit::SpinEdit() : brush_(CreateSolidBrush(color_)) {
    button_.onTopClick = [this] { model_.StepUp(); };
    button_.onBottomClick = [this] { model_.StepDown(); };
    button_.onFocusControl = [this] { FocusEdit(); };
}

SpinEdit::~SpinEdit() {
    // Nothing is reported while the control is taken down.
    model_.BeginDestroy();
    button_.Destroy();
    if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

void SpinEdit::CreateControl(const SpinEditSpec& spec) {
    RegisterSuperclass<kEditSlot>("EDIT", kClassName);
    // A multi-line edit, since only those keep the text within a formatting
    // rectangle; the button is its child.
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | ES_MULTILINE | ES_AUTOHSCROLL |
                        ES_LEFT | (spec.tabStop ? WS_TABSTOP : 0);
    const IntRect& r = spec.place.bounds;
    HWND edit = CreateWindowExA(WS_EX_CLIENTEDGE, kClassName, SpinEditModel::kStartText, style, r.left, r.top,
                                r.Width(), r.Height(), spec.place.parent, reinterpret_cast<HMENU>(spec.place.id),
                                Application::Instance().Module(), nullptr);
    if (!edit) throw Exception(std::string("Cannot create a window of class ") + kClassName);
    Attach(edit);
    SetColor(spec.color);
    if (spec.font) SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(spec.font), FALSE);
    buttonKind_ = spec.buttonKind;
    BuildButton();
    Layout();
    model_.SetMaxValue(spec.maxValue);
    model_.SetMinValue(spec.minValue);
    model_.SetIncrement(spec.increment);
    if (spec.valueType != SpinValueKind::Integer) model_.SetValueType(spec.valueType);
    model_.SetValue(spec.value);
    SendMessageA(hwnd_, EM_SETMODIFY, FALSE, 0);
}

std::string SpinEdit::Text() const { return WindowText(hwnd_); }

void SpinEdit::SetReadOnly(bool readOnly) {
    model_.readOnly = readOnly;
    if (hwnd_) SendMessageA(hwnd_, EM_SETREADONLY, readOnly, 0);
}

void SpinEdit::SetColor(COLORREF color) {
    color_ = color;
    brush_.Reset(CreateSolidBrush(color_));
    if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

void SpinEdit::SetButtonKind(SpinButtonKind kind) {
    if (kind == buttonKind_) return;
    buttonKind_ = kind;
    BuildButton();
    Layout();
}

void SpinEdit::BuildButton() {
    if (buttonKind_ == SpinButtonKind::Diagonal) {
        if (upDown_) DestroyWindow(upDown_);
        upDown_ = nullptr;
        if (!button_.Handle()) button_.CreateControl(ChildPlace{hwnd_});
        button_.SetEnabled(IsWindowEnabled(hwnd_) != FALSE);
        return;
    }
    button_.Destroy();
    if (upDown_) return;
    RegisterSuperclass<kUpDownSlot>(UPDOWN_CLASSA, kUpDownClassName);
    upDown_ = CreateWindowExA(0, kUpDownClassName, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, hwnd_, nullptr,
                              Application::Instance().Module(), nullptr);
    if (!upDown_) throw Exception(std::string("Cannot create a window of class ") + kUpDownClassName);
    SendMessageA(upDown_, UDM_SETRANGE32, static_cast<WPARAM>(-1), 1);
    SendMessageA(upDown_, UDM_SETPOS32, 0, 0);
}

int SpinEdit::ButtonWidth() const {
    HWND button = buttonKind_ == SpinButtonKind::Diagonal ? button_.Handle() : upDown_;
    if (!button) return 0;
    RECT r;
    GetWindowRect(button, &r);
    return r.right - r.left;
}

void SpinEdit::Layout() {
    if (!hwnd_ || inLayout_) return;
    inLayout_ = true;
    RECT outer;
    GetWindowRect(hwnd_, &outer);
    const int width = outer.right - outer.left, height = outer.bottom - outer.top;
    const int least = SpinMinHeight(TextHeight(hwnd_), GetSystemMetrics(SM_CYBORDER));
    if (height < least) {
        SetWindowPos(hwnd_, nullptr, 0, 0, width, least, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        inLayout_ = false;
        return;  // the resize lays it out again
    }
    RECT client;
    GetClientRect(hwnd_, &client);
    if (buttonKind_ == SpinButtonKind::Diagonal) {
        const bool sunken = (GetWindowLongA(hwnd_, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0;
        button_.SetBounds(DiagonalButtonBounds(width, height, sunken, kRightToLeft));
    } else if (upDown_) {
        const int w = StandardSpinWidth(GetSystemMetrics(SM_CXVSCROLL));
        SetWindowPos(upDown_, nullptr, client.right - w, 0, w, client.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    RECT format = ToRect(SpinFormatRect(client.right, client.bottom, ButtonWidth(), kRightToLeft));
    SendMessageA(hwnd_, EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&format));
    inLayout_ = false;
}

void SpinEdit::SetText(const std::string& text) {
    const std::string before = Text();
    settingText_ = true;
    SetWindowTextA(hwnd_, text.c_str());
    settingText_ = false;
    if (Text() != before) model_.TextChanged();
}

void SpinEdit::SelectAll() { SendMessageA(hwnd_, EM_SETSEL, 0, -1); }

void SpinEdit::SetModified() { SendMessageA(hwnd_, EM_SETMODIFY, TRUE, 0); }

void SpinEdit::Beep() { MessageBeep(0); }

// Carriage return and escape go to the dialog as a dialog's keys do: the
// default command (or IDOK) and IDCANCEL.
void SpinEdit::DialogKey(char key) {
    HWND dialog = GetAncestor(hwnd_, GA_ROOT);
    if (!dialog || dialog == hwnd_) return;
    int id = IDCANCEL;
    if (key == '\r') {
        const LRESULT defId = SendMessageA(dialog, DM_GETDEFID, 0, 0);
        id = HIWORD(defId) == DC_HASDEFID ? LOWORD(defId) : IDOK;
    }
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void SpinEdit::FocusEdit() {
    if (hwnd_ && IsWindowVisible(hwnd_) && IsWindowEnabled(hwnd_) && (GetWindowLongA(hwnd_, GWL_STYLE) & WS_TABSTOP) &&
        GetFocus() != hwnd_)
        SetFocus(hwnd_);
}

void SpinEdit::Changed() { Fire(onChange); }

void SpinEdit::TopClick() { Fire(onTopClick); }

void SpinEdit::BottomClick() { Fire(onBottomClick); }

bool SpinEdit::Reflected(UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
    switch (msg) {
    case WM_COMMAND:
        if (HIWORD(wParam) != EN_CHANGE) return false;
        if (!settingText_) model_.TextChanged();
        result = 0;
        return true;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:  // read-only
        SetBkColor(reinterpret_cast<HDC>(wParam), color_);
        SetTextColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOWTEXT));
        result = reinterpret_cast<LRESULT>(brush_.Get());
        return true;
    default:
        return false;
    }
}

LRESULT SpinEdit::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CHAR: {
        const char key = static_cast<char>(wParam);
        if (!model_.KeyPress(key)) return 0;
        // A multi-line edit would take these itself (a tab or a new line in
        // the text, escape closing the dialog); a one-line edit ignores them.
        if (key == '\t' || key == '\n' || key == '\x1b') return 0;
        break;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {  // with Alt held, the keys come as system keys
        const unsigned key = static_cast<unsigned>(wParam);
        if (onKeyDown) onKeyDown(key);
        if (model_.KeyDown(key)) return 0;
        // Their characters go to the dialog.
        if (msg == WM_KEYDOWN && (key == VK_RETURN || key == VK_ESCAPE)) return 0;
        break;
    }
    case WM_GETDLGCODE:
        // As a one-line edit: Tab, Enter and Escape belong to the dialog.
        return Default(msg, wParam, lParam) & ~DLGC_WANTALLKEYS;
    case WM_CUT:
    case WM_PASTE:
        if (!model_.EditCommandAllowed()) return 0;
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        mouseEntry_ = GetFocus() != hwnd_;
        const LRESULT r = Default(msg, wParam, lParam);
        mouseEntry_ = false;
        return r;
    }
    case WM_SETFOCUS: {
        const LRESULT r = Default(msg, wParam, lParam);
        model_.Enter(mouseEntry_);
        return r;
    }
    case WM_KILLFOCUS: {
        const LRESULT r = Default(msg, wParam, lParam);
        model_.Exit();
        return r;
    }
    case WM_SIZE:
    case WM_SETFONT: {
        const LRESULT r = Default(msg, wParam, lParam);
        Layout();
        return r;
    }
    case WM_ENABLE:
        button_.SetEnabled(wParam != FALSE);
        break;
    case WM_VSCROLL:
        if (upDown_ && reinterpret_cast<HWND>(lParam) == upDown_) {
            if (LOWORD(wParam) == SB_THUMBPOSITION) {
                model_.UpDownPosition(static_cast<short>(HIWORD(wParam)));
                SendMessageA(upDown_, UDM_SETPOS32, 0, 0);
            }
            return 0;
        }
        break;
    }
    return Default(msg, wParam, lParam);
}

}  // namespace orvik
