// The media list store's reader and writer on stores made from arbitrary
// bytes, as a crash, another program or a hostile user could leave them.
//
// The input is lines; the first character says what a line does:
//   F, L, S  a value in TMainForm, the list subkey or its staging copy:
//            name, then the type ('=' text, '%' expandable text, '#' number,
//            '!' binary), then the data; a line without a type character
//            only makes the subkey
//   K        a subkey inside the list subkey
//   M        an entry in the media list before the first restore
//   A, D, C  after the restore: append an entry, delete entry n, clear
//   H        show the main window again (another restore)
//   W, R     the save's writes fail after n successes; the store is read-only
//   N        the save cannot rename a subkey (the list is written again)
//   B        the restore reads n entries at a time (as a long list is read);
//            the edits then go through the list view that completes it
// Checks: nothing crashes; a restore writes nothing; one read a batch at a
// time ends as one read whole; a list the restore could
// not read is neither deleted nor replaced unless the media list changed; a
// saved list reads back equal, and a failed save leaves the old or the new one.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "../unit/MemoryKeyStore.h"
#include "app/AppText.h"
#include "app/Exception.h"
#include "shell/FormStorage.h"

using namespace orvik;
using orvik::test::MemoryKeyStore;
using orvik::test::MemoryNode;
using orvik::test::MemoryValue;
using Entries = std::vector<std::string>;

namespace {
const char* const kKey = "Software\\OrvikPlayer";
const char* const kList = "TMainForm.ListBox1_Items";
const char* const kStaging = "TMainForm.ListBox1_Items.new";

// Small enough that the fuzzer reaches every bound.
StoreLimits SmallLimits() {
    StoreLimits limits;
    limits.maxEntries = 6;
    limits.maxEntryLength = 24;
    limits.maxListText = 64;
    limits.maxNumberLength = 12;
    return limits;
}

struct Script {
    Entries initial;
    std::vector<std::string> afterRestore;  // A, D, C and H lines in order
    int writesBeforeFailure = -1;
    bool readOnly = false;
    bool renameFails = false;
    std::size_t batch = 0;
};

void Check(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "store_fuzz: %s\n", what);
    std::abort();
}

// A small number from the text after an operation's letter.
int Number(const std::string& text) { return text.empty() ? 0 : static_cast<unsigned char>(text[0]) % 32; }

// An entry the media list can hold within the limits a restore applies.
bool Fits(const Entries& list, const std::string& entry, const StoreLimits& limits) {
    // The list's total counts characters, as the platform counts them.
    std::size_t total = Utf16Length(entry);
    for (const std::string& e : list) total += Utf16Length(e);
    return list.size() < static_cast<std::size_t>(limits.maxEntries) && entry.size() <= limits.maxEntryLength &&
           total <= limits.maxListText;
}

Script Build(const std::uint8_t* data, std::size_t size, MemoryKeyStore& keys) {
    Script script;
    auto section = [&](const std::string& name) -> MemoryNode& {
        return keys.localMachine.Make(std::string(kKey) + "\\" + name);
    };
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::size_t start = 0;
    while (start < input.size()) {
        std::size_t end = input.find('\n', start);
        if (end == std::string::npos) end = input.size();
        const std::string line = input.substr(start, end - start);
        start = end + 1;
        if (line.empty()) continue;
        const std::string rest = line.substr(1);
        switch (line[0]) {
        case 'F':
        case 'L':
        case 'S': {
            MemoryNode& node = section(line[0] == 'F' ? "TMainForm" : line[0] == 'L' ? kList : kStaging);
            const std::size_t cut = rest.find_first_of("=%#!");
            if (cut == std::string::npos) break;
            const char kind = rest[cut];
            const MemoryValue::Type type = kind == '=' ? MemoryValue::Text
                                           : kind == '%' ? MemoryValue::ExpandText
                                           : kind == '#' ? MemoryValue::Number
                                                         : MemoryValue::Binary;
            node.values[rest.substr(0, cut)] = MemoryValue{type, rest.substr(cut + 1)};
            break;
        }
        case 'K': {
            auto& child = section(kList).subkeys[rest];
            if (!child) child = std::make_shared<MemoryNode>();
            break;
        }
        case 'M':
            if (Fits(script.initial, rest, SmallLimits())) script.initial.push_back(rest);
            break;
        case 'A':
        case 'D':
        case 'C':
        case 'H': script.afterRestore.push_back(line); break;
        case 'W': script.writesBeforeFailure = Number(rest); break;
        case 'R': script.readOnly = true; break;
        case 'N': script.renameFails = true; break;
        case 'B': script.batch = static_cast<std::size_t>(Number(rest)) + 1; break;
        default: break;
        }
    }
    return script;
}

Entries ReadBack(MemoryKeyStore& keys, const Entries& initial = {}) {
    MemoryMediaList fresh;
    fresh.ReplaceAll(initial);
    FormStorage reader(keys, fresh, kKey);
    reader.limits = SmallLimits();
    reader.onError = [](const std::exception&) {};
    reader.Restore();
    return fresh.All();
}

// Whether a list subkey holds exactly these entries, as a restore reads them
// (a staging copy only when complete): replacing it then loses nothing.
bool Holds(const MemoryNode* key, const Entries& entries, bool staging) {
    if (!key) return false;
    auto count = key->values.find("Count");
    if (count == key->values.end()) return false;
    const MemoryValue& text = count->second;
    if (text.type != MemoryValue::Text && text.type != MemoryValue::ExpandText) return false;
    int n = 0;
    if (!ParseInteger(staging ? text.data : TrimBlanks(text.data), n) || n <= 0) return false;
    if (staging && text.data != std::to_string(n)) return false;
    if (static_cast<std::size_t>(std::min(n, SmallLimits().maxEntries)) != entries.size()) return false;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        auto item = key->values.find("Item" + std::to_string(i));
        if (item == key->values.end()) {
            if (staging || !entries[i].empty()) return false;
        } else if ((item->second.type != MemoryValue::Text && item->second.type != MemoryValue::ExpandText) ||
                   item->second.data != entries[i]) {
            return false;
        }
    }
    return true;
}

const MemoryNode* Sub(MemoryKeyStore& keys, const char* name) {
    return keys.localMachine.Find(std::string(kKey) + "\\" + name);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    MemoryKeyStore keys, before;
    const Script script = Build(data, size, keys);
    Build(data, size, before);
    const Entries stored = ReadBack(before);

    MemoryMediaList list;
    list.ReplaceAll(script.initial);
    FormStorage storage(keys, list, kKey);
    storage.limits = SmallLimits();
    std::vector<std::string> errors;
    storage.onError = [&](const std::exception& e) { errors.push_back(e.what()); };
    storage.restoreBatch = script.batch;
    storage.FormShow();
    StoredMediaList view(list, storage);
    const Entries restored = view.All();
    Check(restored == ReadBack(before, script.initial), "a restore read in batches ended differently");
    for (const std::string& op : script.afterRestore) {
        const std::string rest = op.substr(1);
        if (op[0] == 'A' && Fits(view.All(), rest, storage.limits)) view.Append(rest);
        if (op[0] == 'D' && view.Count() > 0) view.Delete(Number(rest) % view.Count());
        if (op[0] == 'C') view.ReplaceAll({});
        if (op[0] == 'H') storage.FormShow();
    }
    Check(orvik::test::SameTree(keys.localMachine, before.localMachine), "a restore wrote to the store");
    for (const std::string& e : errors) Check(e == "Invalid data type for 'FormVersion'", "unexpected restore error");

    const Entries entries = view.All();
    const bool changed = entries != restored;
    keys.writes = 0;
    keys.writesBeforeFailure = script.writesBeforeFailure;
    keys.localMachineReadOnly = script.readOnly;
    keys.renameFails = script.renameFails;
    bool failed = false;
    try {
        storage.Save();
    } catch (const Exception&) {
        failed = true;
    }
    keys.writesBeforeFailure = -1;
    keys.localMachineReadOnly = false;
    keys.renameFails = false;

    // The stored list goes only for one the user made, or for the same list.
    const MemoryNode* oldList = Sub(before, kList);
    const MemoryNode* newList = Sub(keys, kList);
    if (!changed && oldList && !(newList && orvik::test::SameTree(*oldList, *newList)))
        Check(Holds(oldList, entries, false) || Holds(Sub(before, kStaging), entries, true),
              "a list the restore could not read was deleted or replaced");

    const Entries back = ReadBack(keys);
    if (failed) {
        Check(back == stored || back == entries, "a failed save left neither the old list nor the new one");
        return 0;
    }
    Check(back == entries || (!changed && back == stored), "a saved list reads back different");
    if (changed) Check(back == entries, "an edited list was not saved");
    // Only a save that keeps what it could not read leaves a staging copy,
    // and then the one that was there.
    if (const MemoryNode* staging = Sub(keys, kStaging))
        Check(!changed && Sub(before, kStaging) && orvik::test::SameTree(*staging, *Sub(before, kStaging)),
              "a successful save left a staging copy");
    return 0;
}
