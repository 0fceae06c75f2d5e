// What the tool launch decides before it asks the platform: the file it
// starts, and what the user reads when that file cannot be started.
#pragma once
#include <string>

namespace orvik {

// The tool's file in the program folder, the one file the launch starts:
// "C:\Apps" and "lame.exe" give "C:\Apps\lame.exe"; a root keeps its one
// separator ("C:\" gives "C:\lame.exe").
std::string ToolPath(const std::string& programFolder, const std::string& tool);

// The error box text when the tool is not in the program folder: the tool,
// the folder looked in, and where the tool comes from (lame.exe with this
// program, the Vorbis tools from Xiph.Org, the others from their makers).
std::string MissingToolText(const std::string& tool, const std::string& programFolder);

// The error box text when the system refused to start the tool's file, with
// the system's own reason (its trailing line break dropped).
std::string ToolStartFailedText(const std::string& toolPath, const std::string& reason);

}  // namespace orvik
