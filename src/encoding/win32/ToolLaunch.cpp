#include "encoding/win32/ToolLaunch.h"

#include <windows.h>
#include <shellapi.h>

#include "app/AppText.h"
#include "app/win32/Application.h"
#include "app/win32/KeyboardFocus.h"
#include "encoding/EncoderOptions.h"
#include "encoding/ToolLaunch.h"

namespace orvik {

namespace {

std::string SystemReason(DWORD error) {
    char text[512] = {};
    if (FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text,
                       sizeof text, nullptr) == 0)
        return "system error " + std::to_string(error);
    return text;
}

}  // namespace

void LaunchEncoderTool(const std::string& tool, const std::string& optionText) {
    Application& app = Application::Instance();
    const std::string parameters = ParameterText(optionText);
    const std::string folder = ProgramFolder(app.ExePath());
    // The full path: a bare name missing here would be looked up on the
    // search path, and a stranger of the same name started in its place.
    const std::string path = ToolPath(folder, tool);
    const DWORD attributes = GetFileAttributesA(path.c_str());
    const DWORD lookup = GetLastError();
    if ((attributes == INVALID_FILE_ATTRIBUTES && (lookup == ERROR_FILE_NOT_FOUND || lookup == ERROR_PATH_NOT_FOUND)) ||
        (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))) {
        app.ShowError(MissingToolText(tool, folder));
        return;
    }
    // ShellExecuteA's own call, with the shell's error box turned off: a
    // failure is told once, in the program's box.
    SHELLEXECUTEINFOA execute{};
    execute.cbSize = sizeof execute;
    execute.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOCLOSEPROCESS;
    execute.hwnd = app.Handle();
    execute.lpFile = path.c_str();
    execute.lpParameters = parameters.c_str();
    execute.lpDirectory = folder.c_str();
    execute.nShow = SW_SHOWNORMAL;
    HWND from = GetActiveWindow();
    if (!ShellExecuteExA(&execute)) {
        app.ShowError(ToolStartFailedText(path, SystemReason(GetLastError())));
        return;
    }
    ReturnFocusAfter(execute.hProcess, from);
}

}  // namespace orvik
