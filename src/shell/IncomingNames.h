// What the program makes of a name that comes in from outside (a command
// line, a later start's hand-over, a drop) before it adds the file: the
// plain spelling of a whole path, and the one box that lists what was not
// added and why.
#pragma once
#include <cstddef>
#include <optional>

#include "shell/HandOver.h"

namespace orvik {

// A whole path in its plain form: "\\?\C:\a.wav" and "\\.\C:\a.wav" are
// "C:\a.wav", "\\?\UNC\server\share\a.wav" is "\\server\share\a.wav".
// Nothing for a device ("\\.\CON", "\\?\GLOBALROOT\..."): no media file.
std::optional<FileName> PlainPath(const FileName& wholePath);

// Why a name was not added.
enum class Refusal {
    NotFound,
    Folder,
    Device,
    TooLong,      // over kMaxNameUnits units
    NoPassableName,  // the code page cannot hold it, and it has no short name
    Busy,         // the running copy has too many files waiting already
};

// The "not added" box's text: the first names refused, each with its reason,
// a name too long for a box line shortened in its middle; then how many more
// were refused, and how many did not fit into the full list.
class NotAddedReport {
public:
    // The box names this many refused files at most, then only counts the rest.
    static constexpr std::size_t kListed = 12;
    void Refuse(const FileName& name, Refusal why);
    // Files that were not added because the list holds maxEntries already.
    void ListFull(std::size_t files, std::size_t maxEntries);
    bool Empty() const { return refusals_ == 0 && overCap_ == 0; }
    std::u16string Text() const;

private:
    std::u16string listed_;
    std::size_t refusals_ = 0;
    std::size_t overCap_ = 0, maxEntries_ = 0;
};

// A box line shows at most this many units of a name: a longer one shows its
// start and end around "...".
constexpr std::size_t kShownNameUnits = 120;
FileName ShownName(const FileName& name);

}  // namespace orvik
