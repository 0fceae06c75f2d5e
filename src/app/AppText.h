// Texts the application object derives from its executable and its errors.
#pragma once
#include <string>

namespace orvik {

// The application title: the executable's file name without folder, cut at
// its first dot, every letter after the first in lower case
// ("C:\Apps\OrvikPlayer.exe" gives "Orvikplayer").
std::string ApplicationTitle(const std::string& exePath);

// The error box text: the message, with a period appended when its last
// character sorts after '.' ("Failed to create key TMainForm" gets one,
// "Invalid data type for 'FormVersion'" does not).
std::string ErrorBoxText(const std::string& message);

// The two parts of a path around its last separator (a backslash, a slash or
// the colon of a drive): the folder, with that separator, and the file name.
struct PathParts {
    std::string folder, name;
};
PathParts SplitPath(const std::string& path);

// The file name part of a path.
inline std::string ExtractFileName(const std::string& path) { return SplitPath(path).name; }

// The length of UTF-8 text in the units Windows counts (UTF-16: two for a
// character beyond the first plane, such as an emoji), as in the limits of
// paths and registry texts.
std::size_t Utf16Length(const std::string& utf8);

// The folder of a path without a trailing separator; a root keeps its
// separator ("C:\Apps\x.exe" gives "C:\Apps", "C:\x.exe" gives "C:\"). The
// program folder is this of the executable's path.
std::string ProgramFolder(const std::string& exePath);

}  // namespace orvik
