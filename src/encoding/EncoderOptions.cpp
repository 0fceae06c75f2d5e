#include "encoding/EncoderOptions.h"

#include <utility>

#include "controls/SpinEdit.h"

namespace orvik {

const char* const kLameTool = "lame.exe";
const char* const kOggEncTool = "oggenc.exe";
const char* const kOggDecTool = "oggdec.exe";
const char* const kGoGoTool = "gogo.exe";
const char* const kAacTool = "faac.exe";
const char* const kWmaTool = "WM8EUTIL.exe";

const std::vector<std::string>& BitRateItems() {
    static const std::vector<std::string> items = {"32",  "40",  "48",  " 56", "64",  "80",  "96",
                                                   "112", "128", "160", "192", "224", "256", "320"};
    return items;
}

const std::vector<std::string>& QualityLevelItems() {
    static const std::vector<std::string> items = {"10", "9", "8", "7", "6", "5", "4", "3", "2", "1"};
    return items;
}

const std::vector<std::string>& GoGoQualityItems() {
    static const std::vector<std::string> items = {"0", "1", "2", "3", "4", "5", "6", "7", "8"};
    return items;
}

namespace {
// The output name is one argument together with its extension.
std::string OutputArgument(const std::string& outputName, const char* extension) {
    return QuoteArgument(TypedArgument(outputName) + extension);
}
}  // namespace

std::string LameModePrefix(bool highQuality, bool monoMode) {
    if (highQuality) return monoMode ? "-h -m m -b " : "-h -b ";
    return monoMode ? "-m m -b " : "-b ";
}

std::string LameOptionText(bool highQuality, bool monoMode, const std::string& bitRate,
                           const std::string& inputPath, const std::string& outputName) {
    return LameModePrefix(highQuality, monoMode) + EscapeQuotes(bitRate) + " " + QuotePath(inputPath) + " " +
           OutputArgument(outputName, ".mp3");
}

std::string OggEncOptionText(const std::string& inputPath, bool managed, const std::string& bitRate,
                             const std::string& qualityLevel) {
    std::string text = QuotePath(inputPath);
    if (managed) text += " --managed";
    return text + " -b " + EscapeQuotes(bitRate) + " -q " + EscapeQuotes(qualityLevel);
}

std::string OggDecOptionText(const std::string& inputPath) { return QuotePath(inputPath); }

std::string GoGoOptionText(const std::string& bitRate, const std::string& quality, const std::string& inputPath,
                           const std::string& outputName) {
    return "-b " + EscapeQuotes(bitRate) + " -q " + EscapeQuotes(quality) + " " + QuotePath(inputPath) + " " +
           OutputArgument(outputName, ".mp3");
}

std::string GoGoQualityWord(const std::string& pickedQuality, const std::string& currentWord) {
    static const std::pair<const char*, const char*> words[] = {
        {"0", "High"}, {"5", "Default"}, {"6", "Normal"}, {"8", "Low"}};
    for (const auto& [quality, word] : words)
        if (pickedQuality == quality) return word;
    return currentWord;
}

std::string AacOptionText(const std::string& inputPath, const std::string& bitRate, bool midSideStereo) {
    return QuotePath(inputPath) + " -b" + EscapeQuotes(bitRate) + (midSideStereo ? " -ms" : " -nm");
}

std::string WmaOptionText(const std::string& inputPath, const std::string& outputName, bool displayAllStats,
                          const std::string& bitRate, const std::string& quality) {
    std::string text = "-input " + QuotePath(inputPath) + " -output " + OutputArgument(outputName, ".wma");
    if (displayAllStats) text += " -allstats";
    return text + " -v_bitrate " + EscapeQuotes(bitRate) + "000 -v_quality " + EscapeQuotes(quality);
}

std::optional<int> WmaQuality(const std::string& shownText) {
    const std::optional<long double> value = ParseSpinText(shownText, SpinValueKind::Integer);
    if (!value) return std::nullopt;
    return static_cast<int>(ClampSpinValue(*value, kWmaQualityMin, kWmaQualityMax));
}

std::string ParameterText(const std::string& optionText) { return " " + optionText; }

}  // namespace orvik
