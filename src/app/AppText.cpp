#include "app/AppText.h"

#include <cctype>

namespace orvik {

PathParts SplitPath(const std::string& path) {
    const auto cut = path.find_last_of("\\/:");
    if (cut == std::string::npos) return PathParts{"", path};
    return PathParts{path.substr(0, cut + 1), path.substr(cut + 1)};
}

std::size_t Utf16Length(const std::string& utf8) {
    std::size_t units = 0;
    for (unsigned char c : utf8) {
        if ((c & 0xC0) != 0x80) ++units;  // a character starts
        if (c >= 0xF0) ++units;           // beyond the first plane: two units
    }
    return units;
}

std::string ProgramFolder(const std::string& exePath) {
    std::string dir = SplitPath(exePath).folder;
    // Drop the trailing separator unless it marks a root ("C:\", "\").
    if (dir.size() > 1 && (dir.back() == '\\' || dir.back() == '/')) {
        const char before = dir[dir.size() - 2];
        if (before != ':' && before != '\\' && before != '/') dir.pop_back();
    }
    return dir;
}

std::string ApplicationTitle(const std::string& exePath) {
    std::string title = ExtractFileName(exePath);
    const auto dot = title.find('.');
    if (dot != std::string::npos) title.resize(dot);
    for (size_t i = 1; i < title.size(); ++i)
        title[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(title[i])));
    return title;
}

std::string ErrorBoxText(const std::string& message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
    return message;
}

}  // namespace orvik
