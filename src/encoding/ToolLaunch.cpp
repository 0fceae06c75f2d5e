#include "encoding/ToolLaunch.h"

#include <cctype>
#include <cstring>

#include "app/AppText.h"
#include "encoding/EncoderOptions.h"

namespace orvik {

std::string ToolPath(const std::string& programFolder, const std::string& tool) {
    const bool endsWithSeparator =
        !programFolder.empty() && (programFolder.back() == '\\' || programFolder.back() == '/');
    return endsWithSeparator ? programFolder + tool : programFolder + "\\" + tool;
}

namespace {

const char* const kVorbisTools =
    " is one of Xiph.Org's vorbis-tools, which do not come with Orvik Encoder: get them from Xiph.Org and put"
    " oggenc.exe and oggdec.exe into that folder.";

// Where a user gets each tool.
std::string ToolSource(const std::string& tool) {
    const struct {
        const char* tool;
        const char* source;
    } sources[] = {
        {kLameTool, " comes with Orvik Encoder: install the program again, or unpack its zip again, to put it back."},
        {kOggEncTool, kVorbisTools},
        {kOggDecTool, kVorbisTools},
        {kGoGoTool, ", the GOGO MP3 encoder, does not come with Orvik Encoder: get it from its makers and put it"
                    " into that folder."},
        {kAacTool, ", the FAAC AAC encoder, does not come with Orvik Encoder: get it from its makers and put it"
                   " into that folder."},
        {kWmaTool, ", Microsoft's Windows Media 8 Encoding Utility, does not come with Orvik Encoder: get it from"
                   " Microsoft and put it into that folder."},
    };
    for (const auto& s : sources)
        if (tool == s.tool) return tool + s.source;
    return "Put " + tool + " into that folder.";
}

}  // namespace

std::string MissingToolText(const std::string& tool, const std::string& programFolder) {
    return tool + " is not in the program folder, so nothing was started:\n" + programFolder + "\n\n" +
           ToolSource(tool);
}

std::string ToolStartFailedText(const std::string& tool, const std::string& toolPath, const std::string& reason) {
    std::string text = reason;
    while (!text.empty() && std::strchr(" \t\r\n", text.back())) text.pop_back();
    // The system's texts name the program as %1 ("Bad EXE format for %1.").
    for (size_t at = text.find("%1"); at != std::string::npos; at = text.find("%1", at + tool.size()))
        text.replace(at, 2, tool);
    return toolPath + " could not be started:\n" + text + "\n\n" + ToolSource(tool);
}

std::string ToolFailedText(const std::string& tool, unsigned long exitCode, const std::string& parameters) {
    // Codes from the system (a crash, a closed window) read best in hex.
    std::string code = std::to_string(exitCode);
    if (exitCode > 0xFFFF) {
        code = "0x";
        for (int shift = 28; shift >= 0; shift -= 4) code += "0123456789ABCDEF"[(exitCode >> shift) & 0xF];
    }
    return tool + " ended with error code " + code +
           ": the file was not encoded. Its parameters were:\n" + parameters;
}

std::string UnpassableText(const std::string& what, const std::string& text, unsigned codePage) {
    return what + " cannot be passed on, so nothing was started:\n" + text +
           "\n\nIt has characters that this Windows runs Orvik Encoder without (code page " +
           std::to_string(codePage) +
           "); a tool would get a question mark in their place, and perhaps open another file. Windows 10 from"
           " version 1903 on runs Orvik Encoder in UTF-8, which holds every character.";
}

std::string ToolFilePath(const std::string& programFolder, const std::string& name) {
    const auto separator = [](char c) { return c == '\\' || c == '/'; };
    if (name.size() >= 2 && name[1] == ':') return name;                     // C:\x, C:x
    if (name.size() >= 2 && separator(name[0]) && separator(name[1])) return name;  // \\server\share
    if (!name.empty() && separator(name[0])) {                               // \x: on the folder's drive
        const bool drive = programFolder.size() >= 2 && programFolder[1] == ':';
        return (drive ? programFolder.substr(0, 2) : std::string()) + name;
    }
    return ToolPath(programFolder, name);
}

namespace {
// The part of a file name that names a device: before the first dot,
// trailing blanks dropped.
std::string DevicePart(const std::string& fileName) {
    std::string name = fileName.substr(0, fileName.find('.'));
    while (!name.empty() && name.back() == ' ') name.pop_back();
    return name;
}

bool IsDeviceName(std::string name) {
    for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (const char* device : {"CON", "PRN", "AUX", "NUL"})
        if (name == device) return true;
    return name.size() == 4 && (name.rfind("COM", 0) == 0 || name.rfind("LPT", 0) == 0) && name[3] >= '1' &&
           name[3] <= '9';
}
}  // namespace

std::optional<std::string> FileNameFault(const std::string& path) {
    constexpr std::size_t kLongestPath = 259;  // MAX_PATH less the terminating zero
    std::size_t first = 0;
    if (path.rfind("\\\\?\\", 0) == 0) first = 4;                        // \\?\C:\...
    if (path.size() >= first + 2 && path[first + 1] == ':') first += 2;  // the drive's colon
    for (std::size_t i = first; i < path.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(path[i]);
        if (c < 0x20 || std::strchr("<>|?*\":", c))
            return std::string("Windows does not allow the character ") +
                   (c < 0x20 ? std::string("with code ") + std::to_string(c) : "'" + std::string(1, c) + "'") +
                   " in a file name (none of < > | ? * \" : may be in one).";
    }
    const std::size_t cut = path.find_last_of("\\/");
    const std::string name = cut == std::string::npos ? path.substr(first) : path.substr(cut + 1);
    if (IsDeviceName(DevicePart(name)))
        return DevicePart(name) + " is the name of a device, which Windows does not give to a file.";
    const std::size_t length = Utf16Length(path);
    if (length > kLongestPath)
        return "The path is " + std::to_string(length) + " characters long; Windows allows " +
               std::to_string(kLongestPath) + ".";
    return std::nullopt;
}

}  // namespace orvik
