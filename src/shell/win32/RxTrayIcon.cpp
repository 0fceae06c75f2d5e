#include "shell/win32/RxTrayIcon.h"

#include <cstring>

#include "app/win32/Application.h"
#include "app/win32/Form.h"
#include "controls/win32/PopupMenu.h"

namespace orvik {

// The notify record in its first form, which every shell understands.
#if defined(_WIN32) && !defined(_WIN64)
static_assert(NOTIFYICONDATAA_V1_SIZE == 88, "the first form of the notify record is 88 bytes");
#endif

namespace {
// NIF_MESSAGE | NIF_ICON | NIF_TIP
constexpr UINT kRecordFlags = 7;

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

// The menu item at a position of the menu (separators count), by its name.
const char* ItemAt(PopupMenu& menu, int position) {
    if (position < 0 || static_cast<size_t>(position) >= menu.Items().size()) return nullptr;
    return menu.Items()[static_cast<size_t>(position)].name;
}
}  // namespace

TRxTrayIcon::TRxTrayIcon() {
    Register(kWindowClass, 0);
    WindowSpec spec;
    spec.style = WS_POPUP;  // hidden, top-level: it hears the shell's broadcasts
    spec.text = "";
    Create(kWindowClass, spec);
    // The shell broadcasts this when its notification area is made anew
    // (after the shell restarted): the icon then has to be added again.
    taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
}

TRxTrayIcon::~TRxTrayIcon() {
    model_.Disable();  // no notification is handled from here on
    model_.Remove();
    Destroy();
    if (icon_) DestroyIcon(icon_);
}

void TRxTrayIcon::SetHint(const std::string& hint) {
    model_.hint = hint;
    model_.Update();
}

void TRxTrayIcon::SetIcon(HICON icon) {
    if (icon_ && icon_ != icon) DestroyIcon(icon_);
    icon_ = icon;
    model_.hasIcon = icon != nullptr;
    model_.Update();
}

void TRxTrayIcon::Loaded() {
    if (model_.active) model_.Add();
}

void TRxTrayIcon::FillRecord() {
    std::memset(&record_, 0, sizeof record_);
    record_.cbSize = NOTIFYICONDATAA_V1_SIZE;
    record_.hWnd = hwnd_;
    record_.uID = 0;
    record_.uFlags = kRecordFlags;
    record_.uCallbackMessage = kCallbackMessage;
    record_.hIcon = icon_ ? icon_ : reinterpret_cast<HICON>(static_cast<INT_PTR>(-1));
    const std::string tip = TrayShortHint(model_.hint);
    std::memcpy(record_.szTip, tip.c_str(), tip.size() + 1);
}

bool TRxTrayIcon::Notify(TrayCommand command) {
    FillRecord();
    DWORD message = NIM_DELETE;
    if (command == TrayCommand::Add) message = NIM_ADD;
    if (command == TrayCommand::Modify) message = NIM_MODIFY;
    return Shell_NotifyIconA(message, &record_) != FALSE;
}

void TRxTrayIcon::DblClick() {
    if (menu_) {
        // A default item of the menu takes the double-click (ours has none).
        const UINT position = GetMenuDefaultItem(menu_->Handle(), TRUE, 0);
        if (const char* name = ItemAt(*menu_, static_cast<int>(position))) {
            menu_->Click(name);
            return;
        }
    }
    if (OnDblClick) OnDblClick();
}

void TRxTrayIcon::RightClick(POINT pointer) {
    if (!model_.active || !menu_) return;  // no click handler either
    // Whatever holds the mouse lets go of it before the menu takes it.
    HWND active = GetActiveWindow();
    if (!active && Application::Instance().MainForm()) active = Application::Instance().MainForm()->Handle();
    if (active) SendMessageA(active, WM_CANCELMODE, 0, 0);
    // The menu belongs to the foreground window, or it would not close when
    // the user clicks elsewhere.
    if (IsWindowEnabled(hwnd_)) SetForegroundWindow(hwnd_);
    Application::Instance().ProcessMessages();
    if (!hwnd_) return;  // the messages just handled ended the program
    const UINT command = static_cast<UINT>(TrackPopupMenu(
        menu_->Handle(), TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, pointer.x, pointer.y, 0, hwnd_, nullptr));
    SetForegroundWindow(hwnd_);
    PostMessageA(hwnd_, WM_NULL, 0, 0);
    // The chosen item acts once the menu has closed.
    if (command == 0) return;
    const int count = GetMenuItemCount(menu_->Handle());
    for (int position = 0; position < count; ++position)
        if (GetMenuItemID(menu_->Handle(), position) == command) {
            if (const char* name = ItemAt(*menu_, position)) menu_->Click(name);
            return;
        }
}

LRESULT TRxTrayIcon::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
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
