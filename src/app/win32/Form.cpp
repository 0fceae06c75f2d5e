#include "app/win32/Form.h"

#include <commctrl.h>
#include <windowsx.h>

#include "app/win32/Application.h"
#include "controls/win32/GraphicControl.h"
#include "controls/win32/PopupMenu.h"

namespace orvik {

Form::Form() = default;

Form::~Form() {
    Application::Instance().RemoveForm(this);
    if (tooltip_) DestroyWindow(tooltip_);
}

void Form::CreateForm(const FormSpec& spec) {
    spec_ = spec;
    color_ = spec.color;
    background_.Reset(CreateSolidBrush(color_));
    font_ = CreateUiFont(spec.fontFace, spec.fontHeight);
    Register(spec.className, CS_DBLCLKS, nullptr, nullptr, LoadIconA(Application::Instance().Module(), "MAINICON"));

    DWORD style = WS_CLIPCHILDREN, exStyle = WS_EX_CONTROLPARENT;
    switch (spec.border) {
    case FormBorder::None: style |= WS_POPUP; break;
    case FormBorder::Dialog:
        style |= WS_POPUP | WS_CAPTION | WS_SYSMENU;
        exStyle |= WS_EX_DLGMODALFRAME;
        break;
    case FormBorder::Sizeable: style |= WS_OVERLAPPEDWINDOW; break;
    }
    if (spec.stayOnTop) exStyle |= WS_EX_TOPMOST;
    RECT r{0, 0, spec.clientWidth, spec.clientHeight};
    if (!spec.outerSize) AdjustWindowRectEx(&r, style, FALSE, exStyle);
    WindowSpec ws;
    ws.exStyle = exStyle;
    ws.style = style;
    ws.text = spec.caption;
    ws.x = spec.left;
    ws.y = spec.top;
    ws.width = r.right - r.left;
    ws.height = r.bottom - r.top;
    ws.parent = Application::Instance().Handle();  // owned: no taskbar button of its own
    Create(spec.className, ws);
    Application::Instance().AddForm(this);
}

void Form::Show() {
    if (!hwnd_) return;
    if (!IsWindowVisible(hwnd_)) {
        if (!shownOnce_ && spec_.screenCenter) {
            RECT r;
            GetWindowRect(hwnd_, &r);
            const int w = r.right - r.left, h = r.bottom - r.top;
            SetWindowPos(hwnd_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - w) / 2,
                         (GetSystemMetrics(SM_CYSCREEN) - h) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        shownOnce_ = true;
        ShowWindow(hwnd_, SW_SHOW);
    }
    BringToFront();
}

void Form::Hide() {
    if (hwnd_ && IsWindowVisible(hwnd_)) ShowWindow(hwnd_, SW_HIDE);
}

void Form::BringToFront() {
    if (!hwnd_) return;
    SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(hwnd_);
}

void Form::Close() {
    if (!CloseQuery()) return;
    CloseAction();
}

void Form::CloseAction() {
    if (modal_)
        modalResult_ = 2;  // cancel: the modal loop hides the form
    else
        Hide();
}

bool Form::PreTranslateMessage(MSG&) { return false; }

void Form::AddGraphic(GraphicControl* control) {
    graphics_.push_back(control);
    control->AttachTo(this);
    UpdateHint(control);
}

void Form::InvalidateRect(const RECT& r) {
    if (hwnd_) ::InvalidateRect(hwnd_, &r, FALSE);
}

GraphicControl* Form::GraphicAt(POINT p) const {
    for (auto it = graphics_.rbegin(); it != graphics_.rend(); ++it) {
        GraphicControl* c = *it;
        if (c->Visible() && c->Enabled() && PtInRect(&c->Bounds(), p)) return c;
    }
    return nullptr;
}

void Form::UpdateHint(GraphicControl* control) {
    if (!hwnd_) return;
    if (!tooltip_) {
        tooltip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr,
                                   Application::Instance().Module(), nullptr);
        SendMessageA(tooltip_, TTM_SETMAXTIPWIDTH, 0, 300);
    }
    TOOLINFOA ti{};
    ti.cbSize = TTTOOLINFOA_V1_SIZE;
    ti.hwnd = hwnd_;
    ti.uId = reinterpret_cast<UINT_PTR>(control);
    SendMessageA(tooltip_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
    if (control->Hint().empty() || !control->Visible()) return;
    ti.uFlags = TTF_SUBCLASS;
    ti.rect = control->Bounds();
    ti.lpszText = const_cast<char*>(control->Hint().c_str());
    SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
}

HWND Form::AddChild(const ChildSpec& s, HWND parent) {
    HWND h = CreateWindowExA(s.exStyle, s.className, s.text, s.style, s.x, s.y, s.width, s.height,
                             parent ? parent : hwnd_, reinterpret_cast<HMENU>(s.id), Application::Instance().Module(),
                             nullptr);
    SendMessageA(h, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
    return h;
}

void Form::PaintBackground(HDC dc, const RECT& area) { FillRect(dc, &area, background_.Get()); }

void Form::PaintClient(HDC dc, const RECT& area) {
    PaintBackground(dc, area);
    for (GraphicControl* c : graphics_) {
        RECT overlap;
        if (c->Visible() && IntersectRect(&overlap, &c->Bounds(), &area)) c->Paint(dc);
    }
}

void Form::ContextMenu(POINT screen, GraphicControl* target) {
    PopupMenu* menu = target && target->Popup() ? target->Popup() : popupMenu_;
    if (menu) menu->Popup(screen.x, screen.y, hwnd_);
}

void Form::SetHover(GraphicControl* control) {
    if (control == hover_) return;
    GraphicControl* old = hover_;
    hover_ = control;
    if (old) old->MouseLeave();
    if (hover_) hover_->MouseEnter();
}

void Form::RouteMouse(UINT msg, WPARAM wParam, LPARAM lParam) {
    POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    GraphicControl* under = GraphicAt(p);
    MouseButton button = MouseButton::Left;
    switch (msg) {
    case WM_MOUSEMOVE:
        if (!trackingLeave_) {
            TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, hwnd_, 0};
            trackingLeave_ = TrackMouseEvent(&tme) != FALSE;
        }
        SetHover(under);
        if (GraphicControl* c = captured_ ? captured_ : under) c->HandleMouseMove(wParam, p);
        return;
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK: button = MouseButton::Right; break;
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_MBUTTONDBLCLK: button = MouseButton::Middle; break;
    default: break;
    }
    const bool down = msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN ||
                      msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK;
    if (down) {
        if (!under) return;
        captured_ = under;
        SetCapture(hwnd_);
        under->HandleMouseDown(button, wParam, p, msg == WM_LBUTTONDBLCLK);
    } else {
        GraphicControl* target = captured_ ? captured_ : under;
        const bool anyHeld = (wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) != 0;
        if (!anyHeld) {
            captured_ = nullptr;
            if (GetCapture() == hwnd_) ReleaseCapture();
        }
        if (target) target->HandleMouseUp(button, wParam, p);
    }
}

LRESULT Form::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_ERASEBKGND:
        return TRUE;
    case WM_PAINT: {
        BufferedPaint paint(hwnd_);
        PaintClient(paint.Dc(), paint.Area());
        return 0;
    }
    case WM_PRINTCLIENT: {
        RECT r;
        GetClientRect(hwnd_, &r);
        PaintClient(reinterpret_cast<HDC>(wParam), r);
        return 0;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        SetBkColor(reinterpret_cast<HDC>(wParam), color_);
        return reinterpret_cast<LRESULT>(background_.Get());
    case WM_MOUSEMOVE: case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_MBUTTONDBLCLK:
        RouteMouse(msg, wParam, lParam);
        if (msg == WM_RBUTTONUP) break;  // DefWindowProc turns it into WM_CONTEXTMENU
        return 0;
    case WM_MOUSELEAVE:
        trackingLeave_ = false;
        SetHover(nullptr);
        return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != hwnd_ && captured_) {
            GraphicControl* c = captured_;
            captured_ = nullptr;
            c->CaptureLost();
        }
        return 0;
    case WM_CONTEXTMENU: {
        POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (screen.x == -1 && screen.y == -1) {  // from the keyboard
            RECT r;
            GetWindowRect(hwnd_, &r);
            screen = POINT{r.left, r.top};
        }
        POINT client = screen;
        ScreenToClient(hwnd_, &client);
        GraphicControl* target = reinterpret_cast<HWND>(wParam) == hwnd_ ? GraphicAt(client) : nullptr;
        ContextMenu(screen, target);
        return 0;
    }
    case WM_SHOWWINDOW:
        if (!wParam) SetHover(nullptr);
        if (lParam == 0) {  // by ShowWindow, not by an owner's change
            if (wParam) FormShow(); else FormHide();
        }
        break;
    case WM_ENABLE:
        // A modal window (a dialog, the file-open dialog) takes the mouse
        // away without a leave notice: nothing stays lit under it.
        if (!wParam) SetHover(nullptr);
        break;
    case WM_WINDOWPOSCHANGED: {
        const auto* wp = reinterpret_cast<const WINDOWPOS*>(lParam);
        if (wp->flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW)) Application::Instance().UpdateTaskbarEntry();
        break;
    }
    case WM_CLOSE:
        Close();
        return 0;
    default:
        break;
    }
    return Default(msg, wParam, lParam);
}

}  // namespace orvik
