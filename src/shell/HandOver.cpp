#include "shell/HandOver.h"

#include <cstdint>
#include <cstring>

namespace orvik {

std::optional<std::vector<NameSpan>> DecodeHandOver(const void* data, std::size_t bytes) {
    if (bytes % 2 != 0 || bytes > kMaxHandOverBytes || (bytes > 0 && !data)) return std::nullopt;
    const auto* octets = static_cast<const unsigned char*>(data);
    const std::size_t units = bytes / 2;
    std::vector<NameSpan> names;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= units; ++i) {
        std::uint16_t unit = 0;
        // Byte-wise: the data need not be aligned.
        if (i < units) std::memcpy(&unit, octets + 2 * i, 2);
        if (i < units && unit != 0) continue;
        const std::size_t count = i - start;
        if (count > kMaxNameUnits) return std::nullopt;
        if (count > 0) names.push_back({start, count});
        start = i + 1;
    }
    return names;
}

}  // namespace orvik
