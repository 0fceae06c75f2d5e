// A popup menu built from a table of items, each with an action. The chosen
// item's action runs after the menu has closed. The menu's shortcuts act
// through IsShortcut, which a form calls from its key preview.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "controls/Shortcut.h"

namespace orvik {

class PopupMenu {
public:
    PopupMenu() = default;
    ~PopupMenu();
    PopupMenu(const PopupMenu&) = delete;
    PopupMenu& operator=(const PopupMenu&) = delete;

    void Build(const std::vector<MenuItemSpec>& items);
    void SetAction(const char* itemName, std::function<void()> action);
    HMENU Handle() const { return menu_; }
    const std::vector<MenuItemSpec>& Items() const { return items_; }

    // Opens the menu with its left edge at (x, y) and runs the chosen item.
    void Popup(int x, int y, HWND owner);
    // Runs the item that has this shortcut; false when none has it.
    bool IsShortcut(unsigned vk);
    void Click(const char* itemName);

private:
    void Run(size_t index);
    HMENU menu_ = nullptr;
    std::vector<MenuItemSpec> items_;
    std::vector<std::function<void()>> actions_;
};

}  // namespace orvik
