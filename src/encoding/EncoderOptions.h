// What the encoder dialogs hand to the tools: the option text of each tool
// as a pure function of the dialog's control texts and switch states, the
// parameter text the shell receives, and the folder the tools run in.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "encoding/CommandLine.h"

namespace orvik {

// The tools' file names; each is started by its full path in the program
// folder (ToolPath).
extern const char* const kLameTool;    // "lame.exe"
extern const char* const kOggEncTool;  // "oggenc.exe"
extern const char* const kOggDecTool;  // "oggdec.exe"
extern const char* const kGoGoTool;    // "gogo.exe"
extern const char* const kAacTool;     // "faac.exe"
extern const char* const kWmaTool;     // "WM8EUTIL.exe"

// The bit-rate list of the encoder dialogs (kbit/s). " 56" keeps its blank.
const std::vector<std::string>& BitRateItems();
// The Vorbis quality levels, "10" down to "1".
const std::vector<std::string>& QualityLevelItems();
// The GoGo quality values, "0" up to "8".
const std::vector<std::string>& GoGoQualityItems();

// In every option text, an input path and an output name with its extension
// reach the tool as one argument each (QuotePath: trimmed, quoted where
// needed); free-text values (bit rates, qualities) go in as typed, with only
// their double quotes escaped (EscapeQuotes). Everything else is literal.

// Lame: mode prefix, bit rate, input, output name with ".mp3".
std::string LameModePrefix(bool highQuality, bool monoMode);
std::string LameOptionText(bool highQuality, bool monoMode, const std::string& bitRate,
                           const std::string& inputPath, const std::string& outputName);

// Vorbis encoder: input, "--managed" when the switch is on, bit rate, level.
std::string OggEncOptionText(const std::string& inputPath, bool managed, const std::string& bitRate,
                             const std::string& qualityLevel);

// Vorbis decoder: the input path alone.
std::string OggDecOptionText(const std::string& inputPath);

// GoGo MP3: "-b " bit rate, " -q " quality, input, output name with ".mp3"
// ("-b 128 -q 6 C:\Music\a.wav EncodedFile.mp3").
std::string GoGoOptionText(const std::string& bitRate, const std::string& quality, const std::string& inputPath,
                           const std::string& outputName);

// The GoGo quality word after the user picked `pickedQuality` from the
// quality list: "0" "High", "5" "Default", "6" "Normal", "8" "Low"; any
// other text keeps `currentWord`.
std::string GoGoQualityWord(const std::string& pickedQuality, const std::string& currentWord);

// AAC: input, "-b" joined to the bit rate, "-ms" with mid/side stereo coding
// on, else "-nm" ("C:\Music\a.wav -b128 -ms"). No output name.
std::string AacOptionText(const std::string& inputPath, const std::string& bitRate, bool midSideStereo);

// WMA: "-input " input, " -output " output name with ".wma", " -allstats"
// only when "Display all" is on, " -v_bitrate " bit rate with "000"
// appended as text, " -v_quality " quality (see WmaQuality).
std::string WmaOptionText(const std::string& inputPath, const std::string& outputName, bool displayAllStats,
                          const std::string& bitRate, const std::string& quality);

// The WMA quality for the text its spin edit shows: the whole number alone
// (blanks around it dropped), one outside 1..100 as the nearer bound, as
// leaving the field makes it; nothing for a text the field does not read as
// a number (empty, a sign alone, letters, too many digits).
constexpr int kWmaQualityMin = 1, kWmaQualityMax = 100;
std::optional<int> WmaQuality(const std::string& shownText);

// What the tool receives: one blank, then the option text.
std::string ParameterText(const std::string& optionText);


}  // namespace orvik
