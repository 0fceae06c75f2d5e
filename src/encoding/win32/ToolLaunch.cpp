#include "encoding/win32/ToolLaunch.h"

#include <windows.h>
#include <shellapi.h>

#include "app/AppText.h"
#include "app/win32/Application.h"
#include "encoding/EncoderOptions.h"

namespace orvik {

void LaunchEncoderTool(const std::string& tool, const std::string& optionText) {
    const std::string parameters = ParameterText(optionText);
    const std::string folder = ProgramFolder(Application::Instance().ExePath());
    // A missing or failing tool is the shell's business: no message of ours.
    ShellExecuteA(Application::Instance().Handle(), nullptr, tool.c_str(), parameters.c_str(), folder.c_str(),
                  SW_SHOWNORMAL);
}

}  // namespace orvik
