// Base of every window class of the program: one static window procedure
// binds the C++ object at WM_NCCREATE and forwards to HandleMessage.
// Exceptions never cross the window procedure: what escapes a handler goes
// to the application's error box and the program carries on.
#pragma once
#include <windows.h>

#include <string>

#include "app/Geometry.h"

namespace orvik {

// Where a window goes: its parent (a top-level form's owner), its bounds in
// the parent's client area, and its control identifier.
struct ChildPlace {
    HWND parent = nullptr;
    IntRect bounds{};
    UINT_PTR id = 0;
};

struct WindowSpec {
    DWORD exStyle = 0;
    DWORD style = WS_CHILD | WS_VISIBLE;
    const char* text = "";
    ChildPlace place;
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

    // Registers a window class whose procedure is the shared thunk, with the
    // arrow pointer and no background brush (the windows paint their own),
    // and with the given icon or none; a failed registration raises the
    // program's exception.
    static void Register(const char* className, UINT classStyle = CS_DBLCLKS) {
        Register(className, classStyle, nullptr);
    }
    static void Register(const char* className, UINT classStyle, HICON icon);

    // A notification (WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR*) that the parent
    // passed back to the control that raised it; true when handled.
    virtual bool Reflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

protected:
    // Creates the window; a failure raises the program's exception.
    void Create(const char* className, const WindowSpec& spec);
    virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT msg, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;

private:
    static LRESULT CALLBACK Thunk(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
};

// A standard control (a list box, an edit, a combo box) whose messages pass
// through a member function first, and which hears its own notifications
// when its parent reflects them.
class SubclassedControl {
public:
    SubclassedControl() = default;
    virtual ~SubclassedControl();
    SubclassedControl(const SubclassedControl&) = delete;
    SubclassedControl& operator=(const SubclassedControl&) = delete;

    void Attach(HWND hwnd);
    HWND Handle() const { return hwnd_; }
    static SubclassedControl* FromHandle(HWND hwnd);

    virtual bool Reflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

protected:
    virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT msg, WPARAM wParam, LPARAM lParam);
    HWND hwnd_ = nullptr;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR data);
};

// The text a window shows; empty for no window.
std::string WindowText(HWND window);

// Passes a control's notification back to the object of the control that
// raised it; false when no object of the program is bound to it.
bool ReflectNotification(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

}  // namespace orvik
