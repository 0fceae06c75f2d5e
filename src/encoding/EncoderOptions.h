// What the encoder dialogs hand to the tools: the option text of each tool
// as a pure function of the dialog's control texts and switch states, the
// parameter text the shell receives, and the folder the tools run in.
#pragma once
#include <string>
#include <vector>

namespace orvik {

// The tools, started by bare file name from the program folder.
extern const char* const kLameTool;    // "lame.exe"
extern const char* const kOggEncTool;  // "oggenc.exe"
extern const char* const kOggDecTool;  // "oggdec.exe"

// The bit-rate list of the encoder dialogs (kbit/s). " 56" keeps its blank.
const std::vector<std::string>& BitRateItems();
// The Vorbis quality levels, "10" down to "1".
const std::vector<std::string>& QualityLevelItems();

// A path that holds a blank or a tab would reach the tool as several
// arguments: it is enclosed in double quotes, unless it already is. Every
// other text is returned unchanged.
std::string QuotePath(const std::string& path);

// Lame: mode prefix, bit rate, input, output name with ".mp3".
std::string LameModePrefix(bool highQuality, bool monoMode);
std::string LameOptionText(bool highQuality, bool monoMode, const std::string& bitRate,
                           const std::string& inputPath, const std::string& outputName);

// Vorbis encoder: input, "--managed" when the switch is on, bit rate, level.
std::string OggEncOptionText(const std::string& inputPath, bool managed, const std::string& bitRate,
                             const std::string& qualityLevel);

// Vorbis decoder: the input path alone.
std::string OggDecOptionText(const std::string& inputPath);

// What the tool receives: one blank, then the option text.
std::string ParameterText(const std::string& optionText);

// The directory part of the executable's path without a trailing separator;
// a root keeps its separator ("C:\Apps\x.exe" gives "C:\Apps", "C:\x.exe"
// gives "C:\").
std::string ProgramFolder(const std::string& exePath);

}  // namespace orvik
