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

// The file name part of a path: the text after the last backslash or colon.
std::string ExtractFileName(const std::string& path);

}  // namespace orvik
