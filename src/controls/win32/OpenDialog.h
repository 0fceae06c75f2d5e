// The common file-open dialog for one file.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

namespace orvik {

struct OpenDialogOptions {
    const char* filter = "";  // "description|pattern|..." form
    int filterIndex = 1;      // one-based
    bool hideReadOnly = true;
    bool resizable = true;
    bool fileMustExist = false;
};

// The longest full path the dialog accepts: longer names are refused in the
// dialog (Wine's dialog overruns its own buffer with them).
constexpr size_t kMaxChosenPath = 261;

// Runs the dialog; true and the chosen full path when the user confirmed. The
// path is in the process code page, as every other text of the program
// (UTF-8, which holds every name, where Windows honours the manifest): a
// name that a legacy code page cannot hold is given by its short (8.3)
// form; one that has none is refused with a message, and the result is false.
bool RunOpenDialog(HWND owner, const OpenDialogOptions& options, std::string& path);

// A path in the process code page that opens the same file: the path itself
// when the code page holds it, else its short form; nothing when neither.
std::optional<std::string> AnsiPathOf(const wchar_t* path);

}  // namespace orvik
