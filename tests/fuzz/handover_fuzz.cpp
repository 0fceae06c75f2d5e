// Fuzzes the decoding of a hand-over message, as a running copy receives it
// from another process: every name found lies inside the message, holds no
// zero unit and is not empty; everything between names is zero units; and a
// message is refused exactly when it is not whole units, too large, or holds
// a name too long. The input is read from an odd address too (the data need
// not be aligned).
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

void Check(const std::uint8_t* data, std::size_t size) {
    const auto names = DecodeHandOver(data, size);
    if (size % 2 != 0 || size > kMaxHandOverBytes) {
        if (names) std::abort();
        return;
    }
    const std::size_t units = size / 2;
    std::size_t longest = 0, run = 0;
    for (std::size_t i = 0; i < units; ++i) {
        run = UnitAt(data, i) ? run + 1 : 0;
        if (run > longest) longest = run;
    }
    if (!names) {
        if (longest <= kMaxNameUnits) std::abort();
        return;
    }
    std::size_t next = 0;  // the first unit not yet accounted for
    for (const NameSpan& name : *names) {
        if (name.count == 0 || name.first < next || name.first + name.count > units) std::abort();
        for (std::size_t i = next; i < name.first; ++i)
            if (UnitAt(data, i) != 0) std::abort();
        for (std::size_t i = name.first; i < name.first + name.count; ++i)
            if (UnitAt(data, i) == 0) std::abort();
        next = name.first + name.count;
    }
    for (std::size_t i = next; i < units; ++i)
        if (UnitAt(data, i) != 0) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Check(data, size);
    std::vector<std::uint8_t> shifted(size + 1);
    if (size) std::memcpy(shifted.data() + 1, data, size);
    Check(shifted.data() + 1, size);
    return 0;
}
