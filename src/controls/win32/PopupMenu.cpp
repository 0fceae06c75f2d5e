#include "controls/win32/PopupMenu.h"

#include "app/Exception.h"

namespace orvik {

PopupMenu::~PopupMenu() {
    if (menu_) DestroyMenu(menu_);
}

void PopupMenu::Build(const std::vector<MenuItem>& items) {
    if (menu_) DestroyMenu(menu_);
    items_ = items;
    menu_ = CreatePopupMenu();
    if (!menu_) throw Exception("Cannot create a menu");
    for (const MenuItem& item : items_) {
        if (item.Separator())
            AppendMenuA(menu_, MF_SEPARATOR, 0, nullptr);
        else
            AppendMenuA(menu_, MF_STRING, item.command, MenuItemText(item).c_str());
    }
}

void PopupMenu::Popup(POINT screen, HWND owner, HWND target) const {
    if (IsWindowEnabled(owner)) SetForegroundWindow(owner);
    const UINT command = static_cast<UINT>(
        TrackPopupMenu(menu_, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, screen.x, screen.y, 0, owner, nullptr));
    // The menu's own messages must be done before the next menu can open.
    PostMessageA(owner, WM_NULL, 0, 0);
    if (command != 0 && IsWindow(target)) SendMessageA(target, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

}  // namespace orvik
