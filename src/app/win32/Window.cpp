#include "app/win32/Window.h"

#include "app/win32/Application.h"

namespace orvik {

namespace {
const char* const kSubclassProp = "OrvikSubclass";
}

Window::~Window() { Destroy(); }

void Window::Destroy() {
    if (hwnd_) DestroyWindow(hwnd_);  // WM_NCDESTROY clears hwnd_
    hwnd_ = nullptr;
}

Window* Window::FromHandle(HWND hwnd) {
    WNDPROC proc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
    if (proc != &Window::Thunk) return nullptr;
    return reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

void Window::Register(const char* className, UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    HINSTANCE module = Application::Instance().Module();
    if (GetClassInfoExA(module, className, &wc)) return;
    wc.cbSize = sizeof wc;
    wc.style = classStyle;
    wc.lpfnWndProc = &Window::Thunk;
    wc.hInstance = module;
    wc.hCursor = cursor ? cursor : LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.hIcon = icon;
    wc.lpszClassName = className;
    RegisterClassExA(&wc);
}

void Window::Create(const char* className, const WindowSpec& s) {
    CreateWindowExA(s.exStyle, className, s.text, s.style, s.x, s.y, s.width, s.height, s.parent,
                    reinterpret_cast<HMENU>(s.id), Application::Instance().Module(), this);
}

LRESULT Window::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) { return Default(msg, wParam, lParam); }

LRESULT Window::Default(UINT msg, WPARAM wParam, LPARAM lParam) { return DefWindowProcA(hwnd_, msg, wParam, lParam); }

LRESULT CALLBACK Window::Thunk(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Window* self;
    if (msg == WM_NCCREATE) {
        self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    }
    if (!self) return DefWindowProcA(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        LRESULT r = DefWindowProcA(hwnd, msg, wParam, lParam);
        self->hwnd_ = nullptr;
        return r;
    }
    try {
        return self->HandleMessage(msg, wParam, lParam);
    } catch (const std::exception& e) {
        Application::Instance().ShowException(e);
    }
    return 0;
}

SubclassedControl::~SubclassedControl() {
    if (hwnd_ && IsWindow(hwnd_)) {
        SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
        RemovePropA(hwnd_, kSubclassProp);
    }
}

void SubclassedControl::Attach(HWND hwnd) {
    hwnd_ = hwnd;
    SetPropA(hwnd, kSubclassProp, this);
    original_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassedControl::Thunk)));
}

LRESULT SubclassedControl::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    return Default(msg, wParam, lParam);
}

LRESULT SubclassedControl::Default(UINT msg, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcA(original_, hwnd_, msg, wParam, lParam);
}

LRESULT CALLBACK SubclassedControl::Thunk(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<SubclassedControl*>(GetPropA(hwnd, kSubclassProp));
    if (!self) return DefWindowProcA(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        WNDPROC original = self->original_;
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        RemovePropA(hwnd, kSubclassProp);
        self->hwnd_ = nullptr;
        return CallWindowProcA(original, hwnd, msg, wParam, lParam);
    }
    try {
        return self->HandleMessage(msg, wParam, lParam);
    } catch (const std::exception& e) {
        Application::Instance().ShowException(e);
    }
    return 0;
}

}  // namespace orvik
