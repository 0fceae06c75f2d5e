// Files that come in from outside the program travel as a list of names.
// A later start hands its names to the running copy in messages: UTF-16
// names, each ended by a zero unit (the last one's zero may be missing). A
// message with no names asks the running copy only to come forward. Names
// too many for one message go in several, in order.
//
// A hand-over comes from another process, so its decoding trusts nothing:
// not the size, not the alignment, not a terminating zero.
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace orvik {

// A file name as the platform's wide functions take it: UTF-16 units.
using FileName = std::u16string;
using FileNames = std::vector<FileName>;

// The WM_COPYDATA tag of a hand-over ("OVK1"): anything else is not ours.
constexpr unsigned long kHandOverTag = 0x4F564B31ul;
// The largest message: a larger one is refused, and a later start splits its
// names into messages of at most this size (Wine failed to deliver a message
// of about 2 MB). It always holds a name of kMaxNameUnits.
constexpr std::size_t kMaxHandOverBytes = 256u << 10;
// The longest path the platform knows.
constexpr std::size_t kMaxNameUnits = 32767;

// What the running copy answers a hand-over message.
enum class HandOverAnswer {
    NotTaken = 0,  // not ours, malformed, or the copy is ending
    Taken = 1,
    Full = 2,  // too many files wait to be added already: the names are refused
};

// Whether a name can travel in a hand-over: not empty, no zero unit, at most
// kMaxNameUnits units.
bool CanHandOver(const FileName& name);

// One message of a hand-over: the units, and the names of the list given to
// EncodeHandOver that it covers, [first, end). Names of that range that
// cannot travel are not in it.
struct HandOverPart {
    std::u16string units;
    std::size_t first = 0, end = 0;
};

// The messages that carry the names in order, each at most kMaxHandOverBytes.
// No names give one empty message.
std::vector<HandOverPart> EncodeHandOver(const FileNames& names);

// The names of a message of `bytes` bytes, empty names skipped; nothing when
// the message is malformed: not whole UTF-16 units, larger than
// kMaxHandOverBytes, or a name longer than kMaxNameUnits.
std::optional<FileNames> DecodeHandOver(const void* data, std::size_t bytes);

// The names handed over that wait to be added, as one list: hand-overs that
// arrive while the program cannot add them (its box is up) are merged. What
// waits is bounded; a hand-over that would pass the bounds is refused whole.
class PendingFiles {
public:
    static constexpr std::size_t kMaxNames = 32767;      // the most the list holds
    static constexpr std::size_t kMaxUnits = 8u << 20;   // 16 MB of names

    // Appends the names; false (and nothing taken) past the bounds.
    bool Take(FileNames names);
    // Everything that waits, in the order it came; nothing waits afterwards.
    FileNames Release();
    void Clear();

private:
    FileNames names_;
    std::size_t units_ = 0;
};

}  // namespace orvik
