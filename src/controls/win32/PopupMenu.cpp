#include "controls/win32/PopupMenu.h"

#include <cstring>

namespace orvik {

namespace {
constexpr UINT kFirstCommand = 100;
}

PopupMenu::~PopupMenu() {
    if (menu_) DestroyMenu(menu_);
}

void PopupMenu::Build(const std::vector<MenuItemSpec>& items) {
    if (menu_) DestroyMenu(menu_);
    items_ = items;
    actions_.assign(items.size(), nullptr);
    menu_ = CreatePopupMenu();
    for (size_t i = 0; i < items_.size(); ++i) {
        if (std::strcmp(items_[i].caption, "-") == 0 || items_[i].caption[0] == '\0')
            AppendMenuA(menu_, MF_SEPARATOR, 0, nullptr);
        else
            AppendMenuA(menu_, MF_STRING, kFirstCommand + i, MenuItemText(items_[i]).c_str());
    }
}

void PopupMenu::SetAction(const char* itemName, std::function<void()> action) {
    for (size_t i = 0; i < items_.size(); ++i)
        if (std::strcmp(items_[i].name, itemName) == 0) actions_[i] = std::move(action);
}

void PopupMenu::Run(size_t index) {
    if (index < actions_.size() && actions_[index]) actions_[index]();
}

void PopupMenu::Popup(int x, int y, HWND owner) {
    const UINT cmd = static_cast<UINT>(
        TrackPopupMenu(menu_, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, x, y, 0, owner, nullptr));
    if (cmd >= kFirstCommand) Run(cmd - kFirstCommand);
}

bool PopupMenu::IsShortcut(unsigned vk) {
    const bool ctrl = GetKeyState(VK_CONTROL) < 0, shift = GetKeyState(VK_SHIFT) < 0,
               alt = GetKeyState(VK_MENU) < 0;
    const int index = FindShortcut(items_, vk, ctrl, shift, alt);
    if (index < 0) return false;
    Run(static_cast<size_t>(index));
    return true;
}

void PopupMenu::Click(const char* itemName) {
    for (size_t i = 0; i < items_.size(); ++i)
        if (std::strcmp(items_[i].name, itemName) == 0) Run(i);
}

}  // namespace orvik
