// The media list store against an in-memory keyed store.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "MemoryKeyStore.h"
#include "app/Exception.h"
#include "shell/FormStorage.h"

using namespace orvik;
using orvik::test::MemoryKeyStore;
using orvik::test::MemoryNode;
using orvik::test::MemoryValue;
using orvik::test::SameTree;
using Entries = std::vector<std::string>;

namespace {
const char* const kKey = "Software\\OrvikPlayer";

struct Store : testing::Test {
    MemoryKeyStore keys;
    MemoryMediaList list;
    FormStorage storage{keys, list, kKey};
    std::vector<std::string> errors;

    Store() {
        storage.onError = [this](const std::exception& e) { errors.push_back(e.what()); };
    }
    MemoryNode* Section(const std::string& name) { return keys.localMachine.Find(std::string(kKey) + "\\" + name); }
    MemoryNode& MakeList() { return keys.localMachine.Make(std::string(kKey) + "\\TMainForm.ListBox1_Items"); }
    void Put(MemoryNode& node, const std::string& name, const std::string& text,
             MemoryValue::Type type = MemoryValue::Text) {
        node.values[name] = MemoryValue{type, text};
    }
    // A stored list as an earlier run left it.
    void Stored(const Entries& entries) {
        MemoryMediaList source;
        source.ReplaceAll(entries);
        FormStorage other(keys, source, kKey);
        other.Save();
    }
    Entries Restored() {
        MemoryMediaList fresh;
        FormStorage reader(keys, fresh, kKey);
        reader.Restore();
        return fresh.All();
    }
};
}  // namespace

TEST(StoreKeyPath, IsSoftwareAndTheExecutableNameWithoutExtension) {
    EXPECT_EQ(StoreKeyPath("C:\\Program Files\\Orvik\\OrvikPlayer.exe"), "Software\\OrvikPlayer");
    EXPECT_EQ(StoreKeyPath("D:My.Player.v2.EXE"), "Software\\My.Player.v2");
    EXPECT_EQ(StoreKeyPath("C:\\dir.x\\Plain"), "Software\\Plain");
}

TEST(ParseInteger, AcceptsOnlyASignedDecimalThatFits) {
    int v = 7;
    EXPECT_TRUE(ParseInteger("0", v)); EXPECT_EQ(v, 0);
    EXPECT_TRUE(ParseInteger("-12", v)); EXPECT_EQ(v, -12);
    EXPECT_TRUE(ParseInteger("+3", v)); EXPECT_EQ(v, 3);
    EXPECT_TRUE(ParseInteger("2147483647", v)); EXPECT_EQ(v, 2147483647);
    EXPECT_TRUE(ParseInteger("-2147483648", v)); EXPECT_EQ(v, -2147483647 - 1);
    for (const char* bad : {"", "-", " 2", "2 ", "abc", "2a", "1e3", "0x10", "2147483648", "99999999999999999999"})
        EXPECT_FALSE(ParseInteger(bad, v)) << bad;
    EXPECT_EQ(TrimBlanks(" \t 2 \r\n"), "2");
    EXPECT_EQ(TrimBlanks("   "), "");
}

TEST_F(Store, SaveWritesTheLayoutAsText) {
    list.ReplaceAll({"C:\\a.wav", "C:\\b.mp3"});
    storage.Restore();
    for (int i = 0; i < 10; ++i) list.Append("x" + std::to_string(i));  // twelve: "12", no padding
    storage.Save();
    EXPECT_TRUE(storage.Saved());

    MemoryNode* form = Section("TMainForm");
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->values.size(), 1u);
    EXPECT_EQ(form->values["FormVersion"].data, "0");
    MemoryNode* items = Section("TMainForm.ListBox1_Items");
    ASSERT_NE(items, nullptr);
    EXPECT_EQ(items->values.size(), 13u);
    EXPECT_EQ(items->values["Count"].data, "12");
    EXPECT_EQ(items->values["Item0"].data, "C:\\a.wav");
    EXPECT_EQ(items->values["Item1"].data, "C:\\b.mp3");
    EXPECT_EQ(items->values["Item11"].data, "x9");
    for (auto& v : items->values) EXPECT_EQ(v.second.type, MemoryValue::Text) << v.first;
    // Only the two sections are left; the store key exists, empty, under the user's root.
    EXPECT_EQ(keys.localMachine.Find(kKey)->subkeys.size(), 2u);
    ASSERT_NE(keys.currentUser.Find(kKey), nullptr);
    EXPECT_TRUE(keys.currentUser.Find(kKey)->values.empty());
    EXPECT_TRUE(keys.currentUser.Find(kKey)->subkeys.empty());
}

TEST_F(Store, AnEmptyListIsStoredAsTheAbsenceOfTheListSection) {
    Stored({"a", "b", "c"});
    storage.Restore();
    list.ReplaceAll({});
    storage.Save();
    EXPECT_EQ(Section("TMainForm.ListBox1_Items"), nullptr);
    EXPECT_EQ(Section("TMainForm")->values["FormVersion"].data, "0");
    EXPECT_EQ(Restored(), Entries{});
}

TEST_F(Store, RestoreReplacesTheListWithNoSelectionAndKeepsEntriesAsTheyAre) {
    const Entries stored{"  C:\\with blanks\\a b.wav  ", "", "\\\\server\\share\\x;y,z&%!'$#@.mp3", "C:\\x"};
    Stored(stored);
    list.Append("old");
    list.SetSelectedIndex(0);
    storage.Restore();  // first restore: nothing edited yet
    EXPECT_EQ(list.All(), stored);
    EXPECT_EQ(list.SelectedIndex(), -1);
    EXPECT_TRUE(storage.Restored());
}

TEST_F(Store, RestoreReadsNothingAndCreatesNothingWithoutAStoreKey) {
    list.ReplaceAll({"kept"});
    storage.Restore();
    EXPECT_EQ(list.All(), Entries{"kept"});
    EXPECT_TRUE(keys.localMachine.subkeys.empty());
    EXPECT_NE(keys.currentUser.Find(kKey), nullptr);  // the user's root gets the empty key
    EXPECT_TRUE(storage.Restored());
}

TEST_F(Store, FormVersionDecidesWhetherTheListIsRestored) {
    Stored({"a"});
    MemoryNode& form = *Section("TMainForm");
    const struct {
        const char* text;
        bool restores;
    } cases[] = {{"0", true}, {"5", true}, {"abc", true}, {" -1", true}, {"-1", false}, {"-2147483648", false}};
    for (const auto& c : cases) {
        Put(form, "FormVersion", c.text);
        list.ReplaceAll({"mine"});
        FormStorage fresh(keys, list, kKey);
        fresh.Restore();
        EXPECT_EQ(list.All(), c.restores ? Entries{"a"} : Entries{"mine"}) << c.text;
    }
    form.values.erase("FormVersion");  // a missing version counts as 0
    EXPECT_EQ(Restored(), Entries{"a"});
}

TEST_F(Store, WithoutAnErrorSinkRestoreThrowsTheVersionErrorOnceTheListIsIn) {
    Stored({"a"});
    Put(*Section("TMainForm"), "FormVersion", "\1\0\0\0", MemoryValue::Number);
    FormStorage plain(keys, list, kKey);
    EXPECT_THROW(plain.Restore(), Exception);
    EXPECT_EQ(list.All(), Entries{"a"});
    EXPECT_TRUE(plain.Restored());
}

// Stores that a crash, another program or a hostile user left behind, over
// a good list as a save wrote it: what the main window shows, and what the
// save at exit and a later save after an edit make of the store.
TEST(HostileStore, NothingStoredIsLostAndAnUnreadListIsKeptUntilTheListChanges) {
    const Entries good{"C:\\a.wav", "C:\\b.mp3", "C:\\c.ogg"};
    const std::string list = std::string(kKey) + "\\TMainForm.ListBox1_Items";
    const std::string staging = list + ".new";
    const std::string form = std::string(kKey) + "\\TMainForm";
    using Make = std::function<void(MemoryNode& root)>;
    auto put = [](const std::string& key, const char* name, const std::string& text,
                  MemoryValue::Type type = MemoryValue::Text) -> Make {
        return [=](MemoryNode& root) { root.Make(key).values[name] = MemoryValue{type, text}; };
    };
    auto both = [](Make a, Make b) -> Make { return [=](MemoryNode& root) { a(root), b(root); }; };
    const std::string dword("\2\0\0\0", 4);
    const std::string longEntry(30000, 'x');  // three of them exceed the test's budget for the whole list

    const struct {
        const char* name;
        Make make;
        bool readable;  // else the list shows empty and the store stays as it was
        const char* error;
    } cases[] = {
        {"staging count abc", both(put(staging, "Count", "abc"), put(staging, "Item0", "x")), true, nullptr},
        {"staging count 0", put(staging, "Count", "0"), true, nullptr},
        {"staging count not text", put(staging, "Count", dword, MemoryValue::Number), true, nullptr},
        {"staging count with a blank", both(put(staging, "Count", " 1"), put(staging, "Item0", "x")), true, nullptr},
        {"staging without its item", put(staging, "Count", "1"), true, nullptr},
        {"staging item not text", both(put(staging, "Count", "1"), put(staging, "Item0", "x", MemoryValue::Binary)),
         true, nullptr},
        {"version not text", put(form, "FormVersion", dword, MemoryValue::Number), true,
         "Invalid data type for 'FormVersion'"},
        {"count abc", put(list, "Count", "abc"), false, nullptr},
        {"count 0x2", put(list, "Count", "0x2"), false, nullptr},
        {"count beyond int", put(list, "Count", "99999999999"), false, nullptr},
        {"count of a million digits", put(list, "Count", std::string(1000000, '7')), false, nullptr},
        {"count not text", put(list, "Count", dword, MemoryValue::Number), false, nullptr},
        {"item not text", put(list, "Item1", "\x10\x20", MemoryValue::Binary), false, nullptr},
        {"item over the limit", put(list, "Item0", std::string(32768, 'p')), false, nullptr},
        {"list over the limit",
         both(put(list, "Item0", longEntry), both(put(list, "Item1", longEntry), put(list, "Item2", longEntry))),
         false, nullptr},
        {"version -1", put(form, "FormVersion", "-1"), false, nullptr},
        {"unreadable list and a staging leftover", both(put(list, "Count", "abc"), put(staging, "Count", "2")), false,
         nullptr},
    };
    auto build = [&](MemoryKeyStore& keys, const Make& make) {
        MemoryMediaList source;
        source.ReplaceAll(good);
        FormStorage(keys, source, kKey).Save();
        make(keys.localMachine);
    };
    auto readBack = [](MemoryKeyStore& keys) {
        MemoryMediaList fresh;
        FormStorage(keys, fresh, kKey).Restore();
        return fresh.All();
    };
    // Read whole, and an entry at a time as the main window reads a long list.
    for (const std::size_t batch : {0, 1})
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + (batch ? ", read an entry at a time" : ""));
        MemoryKeyStore keys, before;
        build(keys, c.make);
        build(before, c.make);

        MemoryMediaList shown;
        std::vector<std::string> errors;
        auto start = [&] {
            auto storage = std::make_unique<FormStorage>(keys, shown, kKey);
            storage->limits.maxListText = 65536;
            storage->restoreBatch = batch;
            storage->onError = [&](const std::exception& e) { errors.push_back(e.what()); };
            storage->Sync(StoreMoment::Shown);
            return storage;
        };
        start()->Sync(StoreMoment::Destroyed);
        EXPECT_EQ(shown.All(), c.readable ? good : Entries{});
        EXPECT_EQ(errors, c.error ? Entries{c.error} : Entries{});
        EXPECT_TRUE(SameTree(keys.localMachine, before.localMachine));  // an unchanged list is not saved

        // Once the user edits the list, the save replaces what was stored, and mends the rest.
        std::unique_ptr<FormStorage> next = start();
        StoredMediaList(shown, *next).Append("C:\\new.wav");
        next->Sync(StoreMoment::Destroyed);
        Entries edited = c.readable ? good : Entries{};
        edited.push_back("C:\\new.wav");
        EXPECT_EQ(readBack(keys), edited);
        EXPECT_EQ(keys.localMachine.Find(staging), nullptr);
        EXPECT_EQ(keys.localMachine.Find(form)->values["FormVersion"], (MemoryValue{MemoryValue::Text, "0"}));
    }
}

TEST_F(Store, CountIsTrimmedAndParsedAndMissingItemsAreEmptyEntries) {
    MemoryNode& items = MakeList();
    Put(items, "Item0", "a");
    Put(items, "Item1", "b");
    Put(items, "Item2", "c");
    const struct {
        const char* count;
        Entries expected;
    } cases[] = {
        {" 2 ", {"a", "b"}}, {"\t3\r\n", {"a", "b", "c"}}, {"+1", {"a"}},
        {"abc", {"mine"}}, {"", {"mine"}}, {"0", {"mine"}}, {"-3", {"mine"}}, {"2x", {"mine"}},
        {"99999999999", {"mine"}}, {"5", {"a", "b", "c", "", ""}},
    };
    for (const auto& c : cases) {
        Put(items, "Count", c.count);
        list.ReplaceAll({"mine"});
        FormStorage fresh(keys, list, kKey);
        fresh.Restore();
        EXPECT_EQ(list.All(), c.expected) << '"' << c.count << '"';
    }
    items.values.erase("Count");  // no count: nothing stored
    list.ReplaceAll({"mine"});
    FormStorage fresh(keys, list, kKey);
    fresh.Restore();
    EXPECT_EQ(list.All(), Entries{"mine"});
}

TEST_F(Store, AListThatCannotBeReadLeavesTheMediaListAsItIsWithoutAMessage) {
    MemoryNode& items = MakeList();
    Put(items, "Count", "3");
    Put(items, "Item0", "a");
    Put(items, "Item1", std::string("\x10\x20", 2), MemoryValue::Binary);
    Put(items, "Item2", "%TEMP%\\c.wav", MemoryValue::ExpandText);
    list.ReplaceAll({"mine"});
    storage.Sync(StoreMoment::Shown);
    EXPECT_EQ(list.All(), Entries{"mine"});
    EXPECT_TRUE(errors.empty());

    Put(items, "Item1", "b");  // expandable text is text, taken unexpanded
    FormStorage fresh(keys, list, kKey);
    fresh.Restore();
    EXPECT_EQ(list.All(), (Entries{"a", "b", "%TEMP%\\c.wav"}));

    Put(items, "Count", "1", MemoryValue::Number);  // a count that is not text
    list.ReplaceAll({"mine"});
    FormStorage third(keys, list, kKey);
    third.Restore();
    EXPECT_EQ(list.All(), Entries{"mine"});
}

TEST_F(Store, AHostileCountIsCutToTheBoundAndReadsNoFurther) {
    MemoryNode& items = MakeList();
    Put(items, "Item0", "a");
    Put(items, "Item1", "b");
    Put(items, "Count", "2147483647");
    storage.Restore();
    ASSERT_EQ(list.Count(), 32767);
    EXPECT_EQ(list.Entry(0), "a");
    EXPECT_EQ(list.Entry(1), "b");
    EXPECT_EQ(list.Entry(32766), "");
    EXPECT_LE(keys.reads, 32767 + 2);  // version, count, and the bounded items

    // A list just under the bound comes back whole.
    MemoryMediaList big;
    for (int i = 0; i < 32767; ++i) big.Append(std::to_string(i));
    FormStorage writer(keys, big, kKey);
    writer.Restore();
    big.ReplaceAll(Entries{});
    for (int i = 0; i < 32767; ++i) big.Append(std::to_string(i));
    writer.Save();
    const Entries back = Restored();
    ASSERT_EQ(back.size(), 32767u);
    EXPECT_EQ(back.back(), "32766");
}

TEST_F(Store, OverlongEntriesOrListsAreACorruptList) {
    MemoryNode& items = MakeList();
    Put(items, "Count", "2");
    Put(items, "Item0", std::string(32767, 'p'));
    Put(items, "Item1", "b");
    storage.Restore();
    EXPECT_EQ(list.Count(), 2);  // the longest path still fits

    Put(items, "Item0", std::string(32768, 'p'));
    list.ReplaceAll({"mine"});
    FormStorage fresh(keys, list, kKey);
    fresh.Restore();
    EXPECT_EQ(list.All(), Entries{"mine"});

    Put(items, "Item0", "a");
    Put(items, "Item1", "bb");
    FormStorage small(keys, list, kKey);
    small.limits.maxListText = 2;  // all entries together over the budget
    small.Restore();
    EXPECT_EQ(list.All(), Entries{"mine"});
}

TEST_F(Store, CloseThenDestructionSavesOnce) {
    storage.Sync(StoreMoment::Shown);
    list.Append("a");
    storage.Sync(StoreMoment::CloseAllowed);
    const int afterClose = keys.writes;
    EXPECT_GT(afterClose, 0);
    storage.Sync(StoreMoment::Destroyed);
    EXPECT_EQ(keys.writes, afterClose);
    EXPECT_EQ(Restored(), Entries{"a"});
}

// Two copies of the program that read the same store: the one that changed
// nothing writes nothing, so the other's save stays; one that changed its
// list saves as always.
TEST_F(Store, ACopyWhoseListIsAsItReadItWritesNothing) {
    Stored({"a"});
    storage.Restore();
    MemoryMediaList otherList;
    FormStorage other(keys, otherList, kKey);
    other.Restore();
    otherList.Append("b");
    other.Sync(StoreMoment::CloseAllowed);

    const int before = keys.writes;
    list.Append("x");
    list.Delete(1);  // changed and changed back: as the store had it
    storage.Sync(StoreMoment::CloseAllowed);
    EXPECT_EQ(keys.writes, before);
    EXPECT_EQ(Restored(), (Entries{"a", "b"}));

    list.Append("c");
    storage.Sync(StoreMoment::CloseAllowed);
    EXPECT_EQ(Restored(), (Entries{"a", "c"}));
}

TEST_F(Store, MarksDecideWhenTheSessionEndAndDestructionSave) {
    list.Append("a");
    storage.Sync(StoreMoment::CloseAllowed);
    storage.Sync(StoreMoment::Destroyed);  // never shown: no restore, no save
    EXPECT_EQ(keys.writes, 0);

    storage.Sync(StoreMoment::Shown);
    list.Append("b");
    storage.Sync(StoreMoment::CloseAllowed);
    EXPECT_TRUE(storage.Saved());
    storage.Sync(StoreMoment::Shown);  // shown again: the earlier save no longer counts
    EXPECT_FALSE(storage.Saved());
    list.Append("c");
    int before = keys.writes;
    storage.Sync(StoreMoment::SessionEnd);
    EXPECT_GT(keys.writes, before);
    before = keys.writes;
    storage.Sync(StoreMoment::Destroyed);  // saved since the restore
    EXPECT_EQ(keys.writes, before);
}

TEST_F(Store, WithoutWriteRightsEachSaveAttemptReportsTheFirstKey) {
    Stored({"a", "b"});
    keys.localMachineReadOnly = true;
    storage.Sync(StoreMoment::Shown);
    list.Append("c");
    storage.Sync(StoreMoment::CloseAllowed);  // a system close: close query, then destruction
    storage.Sync(StoreMoment::Destroyed);
    EXPECT_EQ(errors, (Entries{"Failed to create key TMainForm", "Failed to create key TMainForm"}));
    EXPECT_FALSE(storage.Saved());
    keys.localMachineReadOnly = false;
    EXPECT_EQ(Restored(), (Entries{"a", "b"}));
}

TEST_F(Store, ASaveThatFailsPartWayKeepsTheStoredListReadable) {
    Stored({"old0", "old1", "old2"});
    storage.Restore();
    list.ReplaceAll({"new0", "new1", "new2", "new3"});
    // Every point of failure: the version, any value of the new list.
    for (int okWrites = 0; okWrites < 20; ++okWrites) {
        keys.writes = 0;
        keys.writesBeforeFailure = okWrites;
        errors.clear();
        storage.Sync(StoreMoment::CloseAllowed);
        keys.writesBeforeFailure = -1;
        const Entries back = Restored();
        if (errors.empty()) {
            EXPECT_EQ(back, (Entries{"new0", "new1", "new2", "new3"})) << okWrites;
            break;
        }
        EXPECT_EQ(errors.size(), 1u);
        EXPECT_EQ(errors[0].rfind("Failed to set data for '", 0), 0u) << errors[0];
        // Either the old list is still there, or the new one in full.
        EXPECT_TRUE(back == (Entries{"old0", "old1", "old2"}) || back == (Entries{"new0", "new1", "new2", "new3"}))
            << okWrites;
        Stored({"old0", "old1", "old2"});
    }
    // A finished save leaves exactly the two sections.
    storage.Save();
    EXPECT_EQ(keys.localMachine.Find(kKey)->subkeys.size(), 2u);
}

TEST_F(Store, ASaveAfterAFailedOneKeepsTheListThatOneLeft) {
    const Entries left{"new0", "new1"}, newer{"new0", "new1", "newer"};
    for (int okWrites = 0; okWrites < 20; ++okWrites) {
        keys = MemoryKeyStore();
        list.ReplaceAll(left);
        FormStorage first(keys, list, kKey);
        keys.renameFails = true;       // so the list is written again:
        keys.writesBeforeFailure = 3;  // the staging copy, then the list's count fails
        EXPECT_THROW(first.Save(), Exception);
        keys.writesBeforeFailure = -1;
        keys.renameFails = false;
        ASSERT_EQ(Restored(), left);
        ASSERT_NE(Section("TMainForm.ListBox1_Items.new"), nullptr);

        FormStorage next(keys, list, kKey);  // the next run fails at every point in turn
        next.Restore();
        list.Append("newer");
        keys.writes = 0;
        keys.writesBeforeFailure = okWrites;
        bool failed = false;
        try {
            next.Save();
        } catch (const Exception&) {
            failed = true;
        }
        keys.writesBeforeFailure = -1;
        const Entries back = Restored();
        EXPECT_TRUE(back == left || back == newer) << okWrites;
        if (!failed) {
            EXPECT_EQ(back, newer);
            break;
        }
    }
}

TEST_F(Store, TheStagingCopyTakesTheListsNameOrTheListIsWrittenAgain) {
    const Entries old{"old0", "old1"}, fresh{"new0", "new1", "new2"};
    const int staged = 4;  // three items and the count
    struct Case {
        const char* what;
        bool renameFails;
        int okWrites;  // -1: none fails
        Entries back;
        bool stagingLeft;
    } cases[] = {
        {"renamed", false, -1, fresh, false},
        {"no rename: the list written again", true, -1, fresh, false},
        {"renamed, then the version fails", false, staged, fresh, false},
        {"no rename, the list's second copy fails", true, staged + 2, fresh, true},
        {"the staging copy fails", false, staged - 1, old, false},
    };
    for (const Case& c : cases) {
        keys = MemoryKeyStore();
        Stored(old);
        FormStorage save(keys, list, kKey);
        save.onError = [this](const std::exception& e) { errors.push_back(e.what()); };
        save.Restore();
        list.ReplaceAll(fresh);
        keys.writes = 0;
        keys.renames = 0;
        keys.renameFails = c.renameFails;
        keys.writesBeforeFailure = c.okWrites;
        errors.clear();
        save.Sync(StoreMoment::CloseAllowed);
        keys.writesBeforeFailure = -1;
        keys.renameFails = false;
        EXPECT_EQ(errors.size(), c.okWrites < 0 ? 0u : 1u) << c.what;
        EXPECT_EQ(Restored(), c.back) << c.what;
        EXPECT_EQ(Section("TMainForm.ListBox1_Items.new") != nullptr, c.stagingLeft) << c.what;
        if (c.okWrites >= 0) continue;
        // Each entry written once with a rename, twice without; the version last.
        EXPECT_EQ(keys.renames, c.renameFails ? 0 : 1) << c.what;
        EXPECT_EQ(keys.writes, c.renameFails ? 2 * staged + 1 : staged + 1) << c.what;
        const MemoryNode* items = Section("TMainForm.ListBox1_Items");
        ASSERT_NE(items, nullptr) << c.what;
        EXPECT_EQ(items->values.size(), 4u) << c.what;
        EXPECT_TRUE(items->subkeys.empty()) << c.what;
    }
}

TEST_F(Store, EditsMadeWhileHiddenSurviveShowingAgain) {
    Stored({"a", "b"});
    storage.Sync(StoreMoment::Shown);
    EXPECT_EQ(list.All(), (Entries{"a", "b"}));
    list.Append("c");  // hide-all, then show-main
    storage.Sync(StoreMoment::Shown);
    EXPECT_EQ(list.All(), (Entries{"a", "b", "c"}));
    list.Delete(0);
    storage.Sync(StoreMoment::Shown);
    EXPECT_EQ(list.All(), (Entries{"b", "c"}));
    storage.Sync(StoreMoment::Destroyed);
    EXPECT_EQ(Restored(), (Entries{"b", "c"}));

    // Without edits, showing reads the store again (another copy saved meanwhile).
    Stored({"other"});
    storage.Sync(StoreMoment::Shown);
    EXPECT_EQ(list.All(), Entries{"other"});
}

// The main window shows a long list a batch at a time; nothing that uses the
// list, and no save, may see only part of it.
TEST_F(Store, APartlyReadListIsCompletedBeforeAnyUseOrSave) {
    const Entries stored{"a", "b", "c", "d", "e"};
    Stored(stored);
    storage.restoreBatch = 2;
    StoredMediaList view(list, storage);
    storage.Sync(StoreMoment::Shown);
    EXPECT_EQ(list.All(), (Entries{"a", "b"}));
    EXPECT_TRUE(storage.ContinueRestore(2));
    EXPECT_EQ(list.All(), (Entries{"a", "b", "c", "d"}));
    view.Append("x");
    EXPECT_FALSE(storage.RestorePending());
    EXPECT_EQ(list.All(), (Entries{"a", "b", "c", "d", "e", "x"}));
    EXPECT_FALSE(storage.ContinueRestore(2));

    MemoryMediaList other;  // closed at once
    FormStorage closing(keys, other, kKey);
    closing.restoreBatch = 2;
    closing.Sync(StoreMoment::Shown);
    closing.Sync(StoreMoment::CloseAllowed);
    EXPECT_EQ(Restored(), stored);
}
