#include "encoding/ToolLaunch.h"

#include <cstring>

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

std::string ToolStartFailedText(const std::string& toolPath, const std::string& reason) {
    std::string text = reason;
    while (!text.empty() && std::strchr(" \t\r\n", text.back())) text.pop_back();
    return toolPath + " could not be started:\n" + text;
}

}  // namespace orvik
