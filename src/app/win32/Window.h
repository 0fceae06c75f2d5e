// Base of every window class of the program: one static window procedure
// binds the C++ object at WM_NCCREATE and forwards to HandleMessage.
// Exceptions never cross the window procedure: what escapes a handler goes
// to the application's error box and the program carries on.
#pragma once
#include <windows.h>

namespace orvik {

struct WindowSpec {
    DWORD exStyle = 0;
    DWORD style = WS_CHILD | WS_VISIBLE;
    const char* text = "";
    int x = 0, y = 0, width = 0, height = 0;
    HWND parent = nullptr;
    UINT_PTR id = 0;  // control identifier for child windows
};

class Window {
public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND Handle() const { return hwnd_; }
    void Destroy();

    // The object bound to a window of this program, or nullptr.
    static Window* FromHandle(HWND hwnd);

    // Registers a window class whose procedure is the shared thunk.
    static void Register(const char* className, UINT classStyle = CS_DBLCLKS, HCURSOR cursor = nullptr,
                         HBRUSH background = nullptr, HICON icon = nullptr);

protected:
    void Create(const char* className, const WindowSpec& spec);
    virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT msg, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;

private:
    static LRESULT CALLBACK Thunk(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
};

// Subclasses a standard control (a list box, an edit) so that its messages
// pass through a member function first.
class SubclassedControl {
public:
    virtual ~SubclassedControl();
    void Attach(HWND hwnd);
    HWND Handle() const { return hwnd_; }

protected:
    virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT msg, WPARAM wParam, LPARAM lParam);
    HWND hwnd_ = nullptr;

private:
    static LRESULT CALLBACK Thunk(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    WNDPROC original_ = nullptr;
};

}  // namespace orvik
