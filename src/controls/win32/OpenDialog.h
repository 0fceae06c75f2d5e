// The common file-open dialog for one file.
#pragma once
#include <windows.h>

#include <string>

namespace orvik {

struct OpenDialogOptions {
    const char* filter = "";  // "description|pattern|..." form
    int filterIndex = 1;      // one-based
    bool hideReadOnly = true;
    bool resizable = true;
    bool fileMustExist = false;
};

// Runs the dialog; true and the chosen full path when the user confirmed.
bool RunOpenDialog(HWND owner, const OpenDialogOptions& options, std::string& path);

}  // namespace orvik
