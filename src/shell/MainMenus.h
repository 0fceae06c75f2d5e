// The main window's two popup menus and the open dialog's filter.
#pragma once
#include <vector>

#include "controls/Shortcut.h"

namespace orvik {

// RxPopupMenu1: the main popup menu, also the tray icon's menu.
const std::vector<MenuItemSpec>& MainPopupItems();
// RxPopupMenu2: the header strip's menu.
const std::vector<MenuItemSpec>& HeaderPopupItems();

// OpenDialog1's filter in the platform's "description|pattern|..." form.
extern const char* const kMediaFileFilter;
extern const char* const kHomePageAddress;

}  // namespace orvik
