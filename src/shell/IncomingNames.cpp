#include "shell/IncomingNames.h"

#include <string>

namespace orvik {

namespace {
bool StartsWith(const FileName& text, const char16_t* prefix) {
    return text.compare(0, std::char_traits<char16_t>::length(prefix), prefix) == 0;
}

bool IsDriveRoot(const FileName& text, std::size_t at) {
    if (text.size() < at + 2 || text[at + 1] != u':') return false;
    const char16_t letter = text[at] | 0x20;
    return letter >= u'a' && letter <= u'z' && (text.size() == at + 2 || text[at + 2] == u'\\');
}

std::u16string Number(std::size_t n) {
    const std::string digits = std::to_string(n);
    return std::u16string(digits.begin(), digits.end());
}

const char16_t* ReasonText(Refusal why) {
    switch (why) {
    case Refusal::NotFound: return u"  (not found)";
    case Refusal::Folder: return u"  (a folder, not a file)";
    case Refusal::Device: return u"  (a device, not a file)";
    case Refusal::TooLong: return u"  (the name is too long)";
    case Refusal::NoPassableName:
        return u"  (its name has characters that this program cannot pass on, and it has no short name)";
    case Refusal::Busy: return u"  (too many files are waiting to be added)";
    }
    return u"";
}
}  // namespace

std::optional<FileName> PlainPath(const FileName& wholePath) {
    if (!StartsWith(wholePath, u"\\\\?\\") && !StartsWith(wholePath, u"\\\\.\\")) return wholePath;
    if (IsDriveRoot(wholePath, 4)) return wholePath.substr(4);
    FileName kind = wholePath.substr(4, 4);  // "UNC\" in any case
    for (char16_t& c : kind)
        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 0x20);
    if (kind == u"UNC\\" && wholePath.size() > 8) return u"\\\\" + wholePath.substr(8);
    return std::nullopt;
}

FileName ShownName(const FileName& name) {
    if (name.size() <= kShownNameUnits) return name;
    const std::size_t head = kShownNameUnits / 3, tail = kShownNameUnits - head - 3;
    std::size_t cut = name.size() - tail;
    // Never half a surrogate pair on either side of the cut.
    std::size_t keep = head;
    if ((name[keep - 1] & 0xFC00) == 0xD800) --keep;
    if ((name[cut] & 0xFC00) == 0xDC00) ++cut;
    return name.substr(0, keep) + u"..." + name.substr(cut);
}

void NotAddedReport::Refuse(const FileName& name, Refusal why) {
    if (++refusals_ > kListed) return;
    listed_ += u"\n" + ShownName(name) + ReasonText(why);
}

void NotAddedReport::ListFull(std::size_t files, std::size_t maxEntries) {
    overCap_ += files;
    maxEntries_ = maxEntries;
}

std::u16string NotAddedReport::Text() const {
    std::u16string text;
    if (refusals_ > 0) {
        text = refusals_ == 1 ? u"This was not added to the list:\n" : u"These were not added to the list:\n";
        text += listed_;
        if (refusals_ > kListed) text += u"\n\nand " + Number(refusals_ - kListed) + u" more.";
    }
    if (overCap_ > 0) {
        if (!text.empty()) text += u"\n\n";
        text += u"The list holds " + Number(maxEntries_) + u" entries at most: " + Number(overCap_) +
                (overCap_ == 1 ? u" file was not added." : u" files were not added.");
    }
    return text;
}

}  // namespace orvik
