// The main window's two popup menus, their commands, and the open dialog's
// filter.
#pragma once
#include <vector>

#include "controls/MenuItem.h"

namespace orvik {

enum MainCommand : unsigned {
    kCmdOpenMediaFile = 100,
    kCmdPlaySelectedFile,
    kCmdEncodeSelectedFile,
    kCmdProgramOptions,
    kCmdProgramView,
    kCmdHelpContents,
    kCmdAboutProgram,
    kCmdHomePage,
    kCmdHideAll,
    kCmdShowMain,
    kCmdExit,
    kCmdMinimizeToTray,
    kCmdTerminate,
};

// The main popup menu, also the tray icon's menu. The underlined letters
// (after '&') choose an item while the menu is open.
const std::vector<MenuItem>& MainPopupItems();
// Hide and Show: their shortcuts act from every window of the program, the
// others only in the main window.
bool WorksFromEveryWindow(unsigned command);
// The header strip's menu.
const std::vector<MenuItem>& HeaderPopupItems();

// The open dialog's filter in the platform's "description|pattern|..." form.
extern const char* const kMediaFileFilter;
extern const char* const kHomePageAddress;

}  // namespace orvik
