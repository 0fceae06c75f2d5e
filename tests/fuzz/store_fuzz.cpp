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
//   W, R     the save at exit: its writes fail after n successes; the
//            store is read-only
//   N        the save cannot rename a subkey (the list is written again)
//   B        the restore reads n entries at a time (as a long list is read);
//            the edits then go through the list view that completes it
// Checks: nothing crashes; a restore writes nothing; one read a batch at a
// time ends as one read whole; the save at exit writes nothing unless the
// media list changed (so a list the restore could not read stays); a saved
// list reads back equal, and a failed save leaves the old or the new one.
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
    storage.Sync(StoreMoment::Shown);
    StoredMediaList view(list, storage);
    const Entries restored = view.All();
    Check(restored == ReadBack(before, script.initial), "a restore read in batches ended differently");
    for (const std::string& op : script.afterRestore) {
        const std::string rest = op.substr(1);
        if (op[0] == 'A' && Fits(view.All(), rest, storage.limits)) view.Append(rest);
        if (op[0] == 'D' && view.Count() > 0) view.Delete(Number(rest) % view.Count());
        if (op[0] == 'C') view.ReplaceAll({});
        if (op[0] == 'H') storage.Sync(StoreMoment::Shown);
    }
    Check(orvik::test::SameTree(keys.localMachine, before.localMachine), "a restore wrote to the store");
    for (const std::string& e : errors) Check(e == "Invalid data type for 'FormVersion'", "unexpected restore error");
    const std::size_t restoreErrors = errors.size();

    const Entries entries = view.All();
    const bool changed = entries != restored;
    keys.writesBeforeFailure = script.writesBeforeFailure;
    keys.localMachineReadOnly = script.readOnly;
    keys.renameFails = script.renameFails;
    storage.Sync(StoreMoment::Destroyed);
    const bool failed = errors.size() > restoreErrors;
    keys.writesBeforeFailure = -1;
    keys.localMachineReadOnly = false;
    keys.renameFails = false;

    // An unchanged list is not saved: the store stays as it was, with a list the restore could not read.
    Check(changed || orvik::test::SameTree(keys.localMachine, before.localMachine), "an unchanged list was written");
    const Entries back = ReadBack(keys);
    if (failed) {
        Check(back == stored || back == entries, "a failed save left neither the old list nor the new one");
        return 0;
    }
    Check(back == (changed ? entries : stored), "a saved list reads back different");
    if (changed)
        Check(!keys.localMachine.Find(std::string(kKey) + "\\" + kStaging), "a successful save left a staging copy");
    return 0;
}
