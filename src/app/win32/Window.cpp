#include "app/win32/Window.h"

#include <commctrl.h>

#include <string>

#include "app/Exception.h"
#include "app/win32/Application.h"

namespace orvik {

namespace {
constexpr UINT_PTR kSubclassId = 1;

std::string ErrorText(const char* what, const char* className) {
    return std::string(what) + " " + className + " (error " + std::to_string(GetLastError()) + ")";
}

void ShowEscaped(const std::exception& e) { Application::Instance().ShowException(e); }
}  // namespace

Window::~Window() { Destroy(); }

void Window::Destroy() {
    if (hwnd_) DestroyWindow(hwnd_);  // WM_NCDESTROY clears hwnd_
    hwnd_ = nullptr;
}

Window* Window::FromHandle(HWND hwnd) {
    if (!hwnd || reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC)) != &Window::Thunk) return nullptr;
    return reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

void Window::Register(const char* className, UINT classStyle, HICON icon) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    HINSTANCE module = Application::Instance().Module();
    if (GetClassInfoExA(module, className, &wc)) return;
    wc.cbSize = sizeof wc;
    wc.style = classStyle;
    wc.lpfnWndProc = &Window::Thunk;
    wc.hInstance = module;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hIcon = icon;
    wc.lpszClassName = className;
    if (!RegisterClassExA(&wc)) throw Exception(ErrorText("Cannot register the window class", className));
}

namespace {
// The object whose window is being created, and the thread creating it:
// the one object the thunk binds, at that window's own WM_NCCREATE.
Window* g_creating = nullptr;
DWORD g_creatingThread = 0;

// A message sent by another thread or process, not by this thread's own
// window calls: WM_NCCREATE and WM_NCDESTROY from there create and destroy
// nothing, and bind or unbind nothing.
bool FromElsewhere() { return InSendMessage() != FALSE; }
}  // namespace

void Window::Create(const char* className, const WindowSpec& s) {
    const IntRect& r = s.place.bounds;
    Window* const outer = g_creating;
    g_creating = this;
    g_creatingThread = GetCurrentThreadId();
    const HWND made = CreateWindowExA(s.exStyle, className, s.text, s.style, r.left, r.top, r.Width(), r.Height(),
                                      s.place.parent, reinterpret_cast<HMENU>(s.place.id),
                                      Application::Instance().Module(), this);
    g_creating = outer;
    if (!made) throw Exception(ErrorText("Cannot create a window of class", className));
}

bool Window::Reflected(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

LRESULT Window::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) { return Default(msg, wParam, lParam); }

LRESULT Window::Default(UINT msg, WPARAM wParam, LPARAM lParam) { return DefWindowProcA(hwnd_, msg, wParam, lParam); }

LRESULT CALLBACK Window::Thunk(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (msg == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        // Only the window being created here, by its own CreateWindowEx.
        if (self || !g_creating || g_creatingThread != GetCurrentThreadId() || !create ||
            create->lpCreateParams != g_creating)
            return FALSE;
        self = g_creating;
        g_creating = nullptr;
        self->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    if (!self) return DefWindowProcA(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        if (FromElsewhere()) return 0;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        LRESULT r = DefWindowProcA(hwnd, msg, wParam, lParam);
        self->hwnd_ = nullptr;
        return r;
    }
    try {
        return self->HandleMessage(msg, wParam, lParam);
    } catch (const std::exception& e) {
        ShowEscaped(e);
    }
    return 0;
}

SubclassedControl::~SubclassedControl() {
    if (hwnd_ && IsWindow(hwnd_)) RemoveWindowSubclass(hwnd_, &SubclassedControl::Proc, kSubclassId);
}

void SubclassedControl::Attach(HWND hwnd) {
    if (!hwnd || !SetWindowSubclass(hwnd, &SubclassedControl::Proc, kSubclassId, reinterpret_cast<DWORD_PTR>(this)))
        throw Exception("Cannot attach to a control");
    hwnd_ = hwnd;
}

SubclassedControl* SubclassedControl::FromHandle(HWND hwnd) {
    DWORD_PTR data = 0;
    if (!hwnd || !GetWindowSubclass(hwnd, &SubclassedControl::Proc, kSubclassId, &data)) return nullptr;
    return reinterpret_cast<SubclassedControl*>(data);
}

bool SubclassedControl::Reflected(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

LRESULT SubclassedControl::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    return Default(msg, wParam, lParam);
}

LRESULT SubclassedControl::Default(UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefSubclassProc(hwnd_, msg, wParam, lParam);
}

LRESULT CALLBACK SubclassedControl::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<SubclassedControl*>(data);
    if (msg == WM_NCDESTROY && FromElsewhere()) return 0;
    if (msg == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, &SubclassedControl::Proc, kSubclassId);
        self->hwnd_ = nullptr;
        return DefSubclassProc(hwnd, msg, wParam, lParam);
    }
    try {
        return self->HandleMessage(msg, wParam, lParam);
    } catch (const std::exception& e) {
        ShowEscaped(e);
    }
    return 0;
}

bool ReflectNotification(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    HWND child = nullptr;
    if (msg == WM_NOTIFY)
        child = reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
    else
        child = reinterpret_cast<HWND>(lParam);
    if (!child) return false;  // a menu or an accelerator
    if (SubclassedControl* control = SubclassedControl::FromHandle(child))
        return control->Reflected(msg, wParam, lParam, result);
    if (Window* window = Window::FromHandle(child)) return window->Reflected(msg, wParam, lParam, result);
    return false;
}

std::string WindowText(HWND control) {
    if (!control) return {};
    const int length = GetWindowTextLengthA(control);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int got = GetWindowTextA(control, &text[0], length + 1);
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return text;
}

}  // namespace orvik
