// What the tool launch decides before it asks the platform: the file it
// starts, and what the user reads when that file cannot be started.
#pragma once
#include <cstddef>
#include <optional>
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

// The error box text when the system refused to start the tool's file: the
// system's own reason (its trailing line break dropped, its "%1" the tool's
// name), then where the tool comes from.
std::string ToolStartFailedText(const std::string& tool, const std::string& toolPath, const std::string& reason);

// The error box text when the tool ended with an error code.
std::string ToolFailedText(const std::string& tool, unsigned long exitCode, const std::string& parameters);

// The error box text for a text that the code page the program runs in
// (`codePage`) cannot hold: what it is, the text, and why it is not passed on.
std::string UnpassableText(const std::string& what, const std::string& text, unsigned codePage);

// The checks before a start. Texts here are UTF-8, whatever code page the
// program runs in: every byte of a multi-byte character is 0x80 or more, so
// the ASCII separators and characters looked for are never part of one.

// The file a tool opens or writes for the name it is given, as a full
// path: a relative name is taken from the program folder, where the tools
// run ("a.mp3" gives "C:\Apps\a.mp3", "\a.mp3" gives "C:\a.mp3").
std::string ToolFilePath(const std::string& programFolder, const std::string& name);

// Why Windows would not take `path` (a full path) as a file's name:
// characters it does not allow (< > | ? * " or a colon after the drive, or
// a control character), a device's name (CON, PRN, AUX, NUL, COM1-9, LPT1-9,
// with any extension), or more than the 259 characters a path may have.
// Nothing when Windows takes it. A name that ends in a separator names a
// folder and is judged by its folders alone.
std::optional<std::string> FileNameFault(const std::string& path);

}  // namespace orvik
