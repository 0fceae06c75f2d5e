// Fuzzes both halves of the hand-over format. The reader, as a running copy
// receives a message from another process: every name found is a run of
// non-zero units of the message, in order, none skipped; a message is refused
// exactly when it is not whole units, too large, or holds a name too long;
// the data may lie at an odd address. The writer, as a later start sends its
// names: the input taken as a list of names (split at the unit 0x000A, so
// names may be empty or hold zero units, and a long one is added), its
// messages within the size, covering the list in order, and read back as
// exactly the names that can travel.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "shell/HandOver.h"

using namespace orvik;

namespace {

std::uint16_t UnitAt(const std::uint8_t* data, std::size_t i) {
    std::uint16_t unit;
    std::memcpy(&unit, data + 2 * i, 2);
    return unit;
}

void CheckReader(const std::uint8_t* data, std::size_t size) {
    const auto names = DecodeHandOver(data, size);
    if (size % 2 != 0 || size > kMaxHandOverBytes) {
        if (names) std::abort();
        return;
    }
    // The names as runs of non-zero units, the longest run's length.
    FileNames runs(1);
    std::size_t longest = 0;
    for (std::size_t i = 0; i < size / 2; ++i) {
        const std::uint16_t unit = UnitAt(data, i);
        if (unit == 0) {
            if (!runs.back().empty()) runs.emplace_back();
            continue;
        }
        runs.back().push_back(static_cast<char16_t>(unit));
        if (runs.back().size() > longest) longest = runs.back().size();
    }
    if (runs.back().empty()) runs.pop_back();
    if (!names) {
        if (longest <= kMaxNameUnits) std::abort();
        return;
    }
    if (*names != runs) std::abort();
}

void CheckWriter(const std::uint8_t* data, std::size_t size) {
    FileNames names(1);
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        const std::uint16_t unit = UnitAt(data, i / 2);
        if (unit == 0x000A)
            names.emplace_back();
        else
            names.back().push_back(static_cast<char16_t>(unit));
    }
    if (size % 2) names.insert(names.begin() + names.size() / 2, FileName(kMaxNameUnits + data[0] % 2, u'x'));
    const std::vector<HandOverPart> parts = EncodeHandOver(names);
    FileNames read;
    std::size_t covered = 0;
    for (const HandOverPart& part : parts) {
        if (part.units.size() * 2 > kMaxHandOverBytes || part.first != covered || part.end < part.first) std::abort();
        covered = part.end;
        const auto got = DecodeHandOver(part.units.data(), part.units.size() * 2);
        if (!got) std::abort();
        read.insert(read.end(), got->begin(), got->end());
    }
    if (parts.empty() || covered != names.size()) std::abort();
    FileNames travelling;
    for (const FileName& name : names)
        if (CanHandOver(name)) travelling.push_back(name);
    if (read != travelling) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CheckReader(data, size);
    std::vector<std::uint8_t> shifted(size + 1);
    if (size) std::memcpy(shifted.data() + 1, data, size);
    CheckReader(shifted.data() + 1, size);
    CheckWriter(data, size);
    return 0;
}
