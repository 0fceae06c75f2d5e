// Files that come in from outside the program: a later start's command line,
// handed over to the running copy, and files dropped onto the main window.
// Either way they travel as one message: UTF-16 names, each ended by a zero
// unit (the last one's zero may be missing). A message with no names asks
// the running copy only to come forward.
//
// A hand-over comes from another process, so its decoding trusts nothing:
// not the size, not the alignment, not a terminating zero.
#pragma once
#include <cstddef>
#include <optional>
#include <vector>

namespace orvik {

// The WM_COPYDATA tag of a hand-over ("OVK1"): anything else is not ours.
constexpr unsigned long kHandOverTag = 0x4F564B31ul;
// A command line holds at most 32767 characters; a drop of a few thousand
// files stays far below this.
constexpr std::size_t kMaxHandOverBytes = 4u << 20;
// The longest path the platform knows.
constexpr std::size_t kMaxNameUnits = 32767;

// A name inside a message, in UTF-16 units from the message's start.
struct NameSpan {
    std::size_t first = 0, count = 0;
};

// The names of a message of `bytes` bytes, empty names skipped; nothing when
// the message is malformed: not whole UTF-16 units, larger than
// kMaxHandOverBytes, or a name longer than kMaxNameUnits.
std::optional<std::vector<NameSpan>> DecodeHandOver(const void* data, std::size_t bytes);

}  // namespace orvik
