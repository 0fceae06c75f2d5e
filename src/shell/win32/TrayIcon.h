// The tray icon: one icon in the shell's notification area, with a hidden
// message window that receives the shell's notifications. A right-click
// opens the popup menu at the pointer, its commands going to the command
// window; a double-click sends the menu's default command, or runs
// onDblClick when the menu has none. Once the program is ending the icon
// does nothing, as the windows its menu reaches are going away.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string>

#include "app/win32/Window.h"
#include "shell/TrayIcon.h"

namespace orvik {

class PopupMenu;

class TrayIcon : public Window, private TrayShell {
public:
    // The tray callback message, and the class of the message window.
    static constexpr UINT kCallbackMessage = 0xB054;
    static constexpr const char* kWindowClass = "TTrayIconWindow";

    TrayIcon();
    ~TrayIcon() override;

    // Loading, as the owning window sets the component up: the hint and the
    // icon set before Loaded are kept, and Loaded adds the icon with them
    // when it is active; each later change updates the notification area.
    void SetHint(const std::string& hint);
    void SetIcon(HICON icon);  // takes ownership
    // The menu of a right-click, and the window its commands go to.
    void SetPopupMenu(const PopupMenu* menu, HWND commandWindow) {
        menu_ = menu;
        commandWindow_ = commandWindow;
    }
    void Loaded();

    bool Active() const { return model_.active; }
    bool Added() const { return model_.Added(); }
    const NOTIFYICONDATAA& Record() const { return record_; }

    std::function<void()> onDblClick;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    bool Notify(TrayCommand command) override;
    void FillRecord();
    void DblClick();
    void RightClick(POINT pointer);

    TrayIconModel model_{*this};
    NOTIFYICONDATAA record_{};
    HICON icon_ = nullptr;
    const PopupMenu* menu_ = nullptr;
    HWND commandWindow_ = nullptr;
    UINT taskbarCreated_ = 0;
    bool loaded_ = false;
};

}  // namespace orvik
