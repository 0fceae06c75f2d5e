#include "app/AppText.h"

#include <cctype>

namespace orvik {

std::string ExtractFileName(const std::string& path) {
    const auto cut = path.find_last_of("\\:");
    return cut == std::string::npos ? path : path.substr(cut + 1);
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
