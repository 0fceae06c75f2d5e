#include "encoding/EncoderOptions.h"

namespace orvik {

const char* const kLameTool = "lame.exe";
const char* const kOggEncTool = "oggenc.exe";
const char* const kOggDecTool = "oggdec.exe";

const std::vector<std::string>& BitRateItems() {
    static const std::vector<std::string> items = {"32",  "40",  "48",  " 56", "64",  "80",  "96",
                                                   "112", "128", "160", "192", "224", "256", "320"};
    return items;
}

const std::vector<std::string>& QualityLevelItems() {
    static const std::vector<std::string> items = {"10", "9", "8", "7", "6", "5", "4", "3", "2", "1"};
    return items;
}

namespace {
bool HasBlank(const std::string& s) { return s.find_first_of(" \t") != std::string::npos; }

bool Quoted(const std::string& s) { return s.size() >= 2 && s.front() == '"' && s.back() == '"'; }
}  // namespace

std::string QuotePath(const std::string& path) {
    if (!HasBlank(path) || Quoted(path)) return path;
    return "\"" + path + "\"";
}

std::string LameModePrefix(bool highQuality, bool monoMode) {
    if (highQuality) return monoMode ? "-h -m m -b " : "-h -b ";
    return monoMode ? "-m m -b " : "-b ";
}

std::string LameOptionText(bool highQuality, bool monoMode, const std::string& bitRate,
                           const std::string& inputPath, const std::string& outputName) {
    // The output name is quoted together with its extension; one the user
    // already quoted stays as typed ("My Song".mp3 is one argument).
    const std::string output =
        HasBlank(outputName) && !Quoted(outputName) ? "\"" + outputName + ".mp3\"" : outputName + ".mp3";
    return LameModePrefix(highQuality, monoMode) + bitRate + " " + QuotePath(inputPath) + " " + output;
}

std::string OggEncOptionText(const std::string& inputPath, bool managed, const std::string& bitRate,
                             const std::string& qualityLevel) {
    std::string text = QuotePath(inputPath);
    if (managed) text += " --managed";
    return text + " -b " + bitRate + " -q " + qualityLevel;
}

std::string OggDecOptionText(const std::string& inputPath) { return QuotePath(inputPath); }

std::string ParameterText(const std::string& optionText) { return " " + optionText; }

std::string ProgramFolder(const std::string& exePath) {
    const auto cut = exePath.find_last_of("\\/:");
    if (cut == std::string::npos) return "";
    std::string dir = exePath.substr(0, cut + 1);
    // Drop the trailing separator unless it marks a root ("C:\", "\").
    if (dir.size() > 1 && (dir.back() == '\\' || dir.back() == '/')) {
        const char before = dir[dir.size() - 2];
        if (before != ':' && before != '\\' && before != '/') dir.pop_back();
    }
    return dir;
}

}  // namespace orvik
