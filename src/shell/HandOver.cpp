#include "shell/HandOver.h"

#include <cstdint>
#include <cstring>

namespace orvik {

bool CanHandOver(const FileName& name) {
    return !name.empty() && name.size() <= kMaxNameUnits && name.find(u'\0') == FileName::npos;
}

std::vector<HandOverPart> EncodeHandOver(const FileNames& names) {
    constexpr std::size_t kMaxUnits = kMaxHandOverBytes / 2;
    std::vector<HandOverPart> parts(1);
    for (std::size_t i = 0; i < names.size(); ++i) {
        const FileName& name = names[i];
        if (CanHandOver(name)) {
            if (parts.back().units.size() + name.size() + 1 > kMaxUnits) parts.push_back({{}, i, i});
            parts.back().units.append(name).push_back(u'\0');
        }
        parts.back().end = i + 1;
    }
    return parts;
}

std::optional<FileNames> DecodeHandOver(const void* data, std::size_t bytes) {
    if (bytes % 2 != 0 || bytes > kMaxHandOverBytes || (bytes > 0 && !data)) return std::nullopt;
    const auto* octets = static_cast<const unsigned char*>(data);
    const std::size_t units = bytes / 2;
    FileNames names;
    FileName name;
    for (std::size_t i = 0; i <= units; ++i) {
        std::uint16_t unit = 0;
        // Byte-wise: the data need not be aligned.
        if (i < units) std::memcpy(&unit, octets + 2 * i, 2);
        if (unit != 0) {
            if (name.size() == kMaxNameUnits) return std::nullopt;
            name.push_back(static_cast<char16_t>(unit));
            continue;
        }
        if (!name.empty()) names.push_back(std::move(name));
        name.clear();
    }
    return names;
}

bool PendingFiles::Take(FileNames names) {
    std::size_t units = 0;
    for (const FileName& name : names) units += name.size();
    if (names.size() > kMaxNames - names_.size() || units > kMaxUnits - units_) return false;
    units_ += units;
    names_.insert(names_.end(), std::make_move_iterator(names.begin()), std::make_move_iterator(names.end()));
    return true;
}

FileNames PendingFiles::Release() {
    FileNames names;
    names.swap(names_);
    units_ = 0;
    return names;
}

void PendingFiles::Clear() { Release(); }

}  // namespace orvik
