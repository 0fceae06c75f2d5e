#include "app/win32/Form.h"

#include <commctrl.h>
#include <windowsx.h>

#include <string>

#include "app/Exception.h"
#include "app/win32/Application.h"

namespace orvik {

Form::Form() = default;

Form::~Form() { Application::Instance().RemoveForm(this); }

void Form::CreateForm(const FormSpec& spec) {
    spec_ = spec;
    color_ = spec.color;
    background_.Reset(CreateSolidBrush(color_));
    font_ = CreateUiFont(spec.fontFace, spec.fontHeight);
    Register(spec.className, CS_DBLCLKS, LoadIconA(Application::Instance().Module(), "MAINICON"));

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
    // Owned by the application window: no taskbar button of its own.
    ws.place = {Application::Instance().Handle(), At(spec.left, spec.top, r.right - r.left, r.bottom - r.top)};
    Create(spec.className, ws);
    graphics_.SetWindow(hwnd_);
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
        // Shown on top of the program's windows and activated: what is left
        // of bringing it forward is the foreground.
        ShowWindow(hwnd_, SW_SHOW);
        if (GetForegroundWindow() != hwnd_) SetForegroundWindow(hwnd_);
        return;
    }
    BringToFront();
}

namespace {
// The window that takes over when an active form hides: the next window of
// the program below it (where the user came from), else the main form;
// never the invisible application window, which would leave the keys nowhere.
HWND Successor(HWND form) {
    Application& app = Application::Instance();
    for (HWND w = GetWindow(form, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (w == app.Handle() || GetWindowThreadProcessId(w, nullptr) != GetCurrentThreadId()) continue;
        if (IsWindowVisible(w) && IsWindowEnabled(w) && !(GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_TOOLWINDOW)) return w;
    }
    Form* main = app.MainForm();
    return main && main->Handle() != form && main->Visible() && IsWindowEnabled(main->Handle()) ? main->Handle()
                                                                                                   : nullptr;
}
}  // namespace

void Form::Hide() {
    if (!hwnd_ || !IsWindowVisible(hwnd_)) return;
    HWND next = GetActiveWindow() == hwnd_ ? Successor(hwnd_) : nullptr;
    if (next) SetActiveWindow(next);
    ShowWindow(hwnd_, SW_HIDE);
}

void Form::BringToFront() {
    if (!hwnd_) return;
    if (IsIconic(hwnd_)) ShowWindow(hwnd_, SW_RESTORE);
    SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(hwnd_);
}

void Form::Close() {
    if (!MayClose()) return;
    Dismiss();
}

void Form::Dismiss() {
    if (modal_)
        dialogResult_ = IDCANCEL;  // the modal loop hides the form
    else
        Hide();
}

bool Form::PreTranslateMessage(MSG&) { return false; }

HWND Form::AddChild(const ChildSpec& s) {
    const IntRect& r = s.place.bounds;
    HWND h = CreateWindowExA(s.exStyle, s.className, s.text, s.style, r.left, r.top, r.Width(), r.Height(),
                             s.place.parent ? s.place.parent : hwnd_, reinterpret_cast<HMENU>(s.place.id),
                             Application::Instance().Module(), nullptr);
    if (!h) throw Exception(std::string("Cannot create a control of class ") + s.className);
    SendMessageA(h, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
    return h;
}

void Form::PaintBackground(HDC dc, const RECT& area) { FillRect(dc, &area, background_.Get()); }

void Form::PaintClient(HDC dc, const RECT& area) {
    PaintBackground(dc, area);
    graphics_.Paint(dc, area);
}

LRESULT Form::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (graphics_.HandleHostMessage(
            msg, wParam, lParam, [this](HDC dc, const RECT& area) { PaintClient(dc, area); }, result))
        return result;
    switch (msg) {
    case WM_ACTIVATE:
        RestoreFocus(hwnd_, wParam, lastFocus_);
        return 0;
    case WM_CANCELMODE:
        NoteFocus(hwnd_, lastFocus_);
        break;
    case WM_COMMAND:
        if (lParam == 0) {  // from a menu
            Command(LOWORD(wParam));
            return 0;
        }
        break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        SetBkColor(reinterpret_cast<HDC>(wParam), color_);
        return reinterpret_cast<LRESULT>(background_.Get());
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
        if (lParam == 0) {  // by ShowWindow, not by an owner's change
            if (wParam) Showing();
        }
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
