#include "shell/win32/TrayIcon.h"

#include <cstring>

#include "app/win32/Application.h"
#include "controls/win32/PopupMenu.h"

namespace orvik {

// The notify record in its first form, which every shell understands.
#if defined(_WIN32) && !defined(_WIN64)
static_assert(NOTIFYICONDATAA_V1_SIZE == 88, "the first form of the notify record is 88 bytes");
#endif

namespace {

bool MouseOf(LPARAM lParam, TrayMouse& mouse) {
    switch (static_cast<UINT>(lParam)) {
    case WM_MOUSEMOVE: mouse = TrayMouse::Move; return true;
    case WM_LBUTTONDOWN: mouse = TrayMouse::LeftDown; return true;
    case WM_LBUTTONUP: mouse = TrayMouse::LeftUp; return true;
    case WM_LBUTTONDBLCLK: mouse = TrayMouse::LeftDoubleClick; return true;
    case WM_RBUTTONDOWN: mouse = TrayMouse::RightDown; return true;
    case WM_RBUTTONUP: mouse = TrayMouse::RightUp; return true;
    case WM_RBUTTONDBLCLK: mouse = TrayMouse::RightDoubleClick; return true;
    case WM_MBUTTONDOWN: mouse = TrayMouse::MiddleDown; return true;
    case WM_MBUTTONUP: mouse = TrayMouse::MiddleUp; return true;
    case WM_MBUTTONDBLCLK: mouse = TrayMouse::MiddleDoubleClick; return true;
    default: return false;
    }
}

// Where the icon's menu opens: at the pointer when the pointer is on the
// icon (a click), else at the icon itself (Win+B, then Enter or the menu
// key, which Windows sends an icon of this kind as a right click). The
// icon's place comes from the shell where it tells it (Windows 7 on,
// loaded late), else the notification area's is taken.
POINT MenuPoint(HWND iconWindow, UINT iconId, POINT pointer) {
    RECT icon{};
    bool known = false;
    using GetRect = HRESULT(WINAPI*)(const void* identifier, RECT* place);
    if (HMODULE shell = GetModuleHandleA("shell32.dll")) {
        if (auto getRect = reinterpret_cast<GetRect>(
                reinterpret_cast<void*>(GetProcAddress(shell, "Shell_NotifyIconGetRect")))) {
            struct {
                DWORD cbSize;
                HWND hWnd;
                UINT uID;
                GUID guidItem;
            } identifier{sizeof identifier, iconWindow, iconId, {}};
            known = SUCCEEDED(getRect(&identifier, &icon)) && !IsRectEmpty(&icon);
        }
    }
    if (!known) {
        HWND tray = FindWindowA("Shell_TrayWnd", nullptr);
        HWND area = tray ? FindWindowExA(tray, nullptr, "TrayNotifyWnd", nullptr) : nullptr;
        known = (area && GetWindowRect(area, &icon)) || (tray && GetWindowRect(tray, &icon));
        if (known && !area) icon.left = icon.right - GetSystemMetrics(SM_CXSMICON) - 4;  // its right end
    }
    if (!known || PtInRect(&icon, pointer)) return pointer;
    return POINT{icon.left, icon.top};
}

}  // namespace

TrayIcon::TrayIcon() {
    Register(kWindowClass, 0);
    WindowSpec spec;
    spec.style = WS_POPUP;  // hidden, top-level: it hears the shell's broadcasts
    spec.text = "";
    Create(kWindowClass, spec);
    // The shell broadcasts this when its notification area is made anew
    // (after the shell restarted): the icon then has to be added again.
    taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
}

TrayIcon::~TrayIcon() {
    model_.Disable();  // no notification is handled from here on
    model_.Remove();
    Destroy();
    if (icon_) DestroyIcon(icon_);
}

void TrayIcon::SetHint(const std::string& hint) {
    model_.hint = hint;
    if (loaded_) model_.Update();
}

void TrayIcon::SetIcon(HICON icon) {
    if (icon_ && icon_ != icon) DestroyIcon(icon_);
    icon_ = icon;
    model_.hasIcon = icon != nullptr;
    if (loaded_) model_.Update();
}

void TrayIcon::Loaded() {
    loaded_ = true;
    if (model_.active) model_.Add();
}

void TrayIcon::FillRecord() {
    std::memset(&record_, 0, sizeof record_);
    record_.cbSize = NOTIFYICONDATAA_V1_SIZE;
    record_.hWnd = hwnd_;
    record_.uID = 0;
    record_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record_.uCallbackMessage = kCallbackMessage;
    record_.hIcon = icon_ ? icon_ : reinterpret_cast<HICON>(static_cast<INT_PTR>(-1));
    const std::string tip = TrayShortHint(model_.hint);
    std::memcpy(record_.szTip, tip.c_str(), tip.size() + 1);
}

bool TrayIcon::Notify(TrayCommand command) {
    FillRecord();
    DWORD message = NIM_DELETE;
    if (command == TrayCommand::Add) message = NIM_ADD;
    if (command == TrayCommand::Modify) message = NIM_MODIFY;
    return Shell_NotifyIconA(message, &record_) != FALSE;
}

void TrayIcon::DblClick() {
    if (Application::Instance().Terminated()) return;
    if (menu_) {
        // A default item of the menu takes the double-click (ours has none).
        const UINT command = GetMenuDefaultItem(menu_->Handle(), FALSE, 0);
        if (command != static_cast<UINT>(-1)) {
            if (IsWindow(commandWindow_)) SendMessageA(commandWindow_, WM_COMMAND, MAKEWPARAM(command, 0), 0);
            return;
        }
    }
    if (onDblClick) onDblClick();
}

void TrayIcon::RightClick(POINT pointer) {
    if (!model_.active || !menu_ || Application::Instance().Terminated()) return;
    // Whatever holds the mouse lets go of it before the menu takes it.
    HWND active = GetActiveWindow();
    if (!active) active = commandWindow_;
    if (active) SendMessageA(active, WM_CANCELMODE, 0, 0);
    if (IsWindowEnabled(hwnd_)) SetForegroundWindow(hwnd_);
    Application::Instance().ProcessMessages();
    // The messages just handled may have ended the program.
    if (!hwnd_ || Application::Instance().Terminated()) return;
    menu_->Popup(MenuPoint(hwnd_, record_.uID, pointer), hwnd_, commandWindow_);
}

LRESULT TrayIcon::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kCallbackMessage) {
        TrayMouse mouse;
        if (!model_.Enabled() || !MouseOf(lParam, mouse)) return 0;
        POINT pointer{};
        GetCursorPos(&pointer);
        for (const TrayEvent& e : model_.Notification(mouse)) {
            if (e.kind == TrayEvent::DoubleClick) DblClick();
            if (e.kind == TrayEvent::Click && e.button == TrayButton::Right) RightClick(pointer);
            if (!hwnd_) break;
        }
        return 0;
    }
    if (taskbarCreated_ && msg == taskbarCreated_) {
        // Only reached while the program runs: the icon is its way back.
        if (model_.Enabled() && model_.active) model_.Add();
        return 0;
    }
    if (msg == WM_ENDSESSION && wParam) {
        // The session ends and the process with it: leave no icon behind.
        model_.Disable();
        model_.Remove();
        return 0;
    }
    return Default(msg, wParam, lParam);
}

}  // namespace orvik
