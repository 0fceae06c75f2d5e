// The application's texts, the media list rules and the main window's menus.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <iterator>
#include <optional>
#include <vector>

#include "app/AppText.h"
#include "controls/FileFilter.h"
#include "controls/MenuItem.h"
#include "shell/HandOver.h"
#include "shell/IncomingNames.h"
#include "shell/MainMenus.h"
#include "controls/MediaList.h"

using namespace orvik;

TEST(ApplicationTitle, IsFileNameCutAtFirstDotWithLaterLettersLowered) {
    EXPECT_EQ(ApplicationTitle("C:\\Program Files\\Orvik\\OrvikPlayer.exe"), "Orvikplayer");
    EXPECT_EQ(ApplicationTitle("D:OrvikPlayer.exe"), "Orvikplayer");
    EXPECT_EQ(ApplicationTitle("C:\\x\\My.Player.v2.exe"), "My");
}

TEST(ApplicationTitle, KeepsFirstLetterAsItIs) {
    EXPECT_EQ(ApplicationTitle("C:\\x\\orvikPLAYER.EXE"), "orvikplayer");
    EXPECT_EQ(ApplicationTitle("C:\\dir.with.dots\\ABC"), "Abc");
    EXPECT_EQ(ApplicationTitle(""), "");
}

TEST(ErrorBoxText, AppendsPeriodOnlyAfterCharactersSortingAfterIt) {
    EXPECT_EQ(ErrorBoxText("Failed to create key TMainForm"), "Failed to create key TMainForm.");
    EXPECT_EQ(ErrorBoxText("Invalid data type for 'FormVersion'"), "Invalid data type for 'FormVersion'");
    EXPECT_EQ(ErrorBoxText("Cannot make a visible window modal"), "Cannot make a visible window modal.");
    EXPECT_EQ(ErrorBoxText("Done."), "Done.");
    EXPECT_EQ(ErrorBoxText("Value -"), "Value -");   // '-' sorts before '.'
    EXPECT_EQ(ErrorBoxText("Path /"), "Path /.");    // '/' sorts after '.'
    EXPECT_EQ(ErrorBoxText("Count 7"), "Count 7.");
    EXPECT_EQ(ErrorBoxText(""), "");
    EXPECT_EQ(ErrorBoxText("caf\xe9"), "caf\xe9.");  // high characters sort after '.'
}

TEST(MediaList, AddingSelectsTheFirstEntryNotTheNewOne) {
    MemoryMediaList list;
    AddChosenFile(list, "C:\\a.wav");
    EXPECT_EQ(list.SelectedIndex(), 0);
    AddChosenFile(list, "C:\\b.wav");
    AddChosenFile(list, "C:\\b.wav");  // duplicates are allowed
    EXPECT_EQ(list.SelectedIndex(), 0);
    EXPECT_EQ(list.All(), (std::vector<std::string>{"C:\\a.wav", "C:\\b.wav", "C:\\b.wav"}));
}

TEST(MediaList, BackspaceDeletesOnlyTheSelectedEntryAndLeavesNoSelection) {
    MemoryMediaList list;
    list.ReplaceAll({"a", "b", "c"});
    EXPECT_EQ(list.SelectedIndex(), -1);
    EXPECT_FALSE(DeleteSelectedEntry(list));  // nothing selected: nothing happens
    EXPECT_EQ(list.Count(), 3);
    list.SetSelectedIndex(1);
    EXPECT_TRUE(DeleteSelectedEntry(list));
    EXPECT_EQ(list.All(), (std::vector<std::string>{"a", "c"}));
    EXPECT_EQ(list.SelectedIndex(), -1);
    EXPECT_FALSE(DeleteSelectedEntry(list));
    EXPECT_EQ(list.Count(), 2);
}

TEST(MainMenus, MainPopupHasTheItemsShortcutsAndSeparatorsInOrder) {
    std::vector<std::string> texts;
    for (const MenuItem& item : MainPopupItems()) texts.push_back(MenuItemText(item));
    EXPECT_EQ(texts, (std::vector<std::string>{
                         "&Open Media File\tCtrl+O", "&Play Selected File\tCtrl+P", "&Encode Selected File\tCtrl+E",
                         "-", "Program Op&tions\tF5", "Program &View", "-", "&Help Contents\tF1", "&About Program\tF2",
                         "-", "Program's Ho&me Page", "-", "Hi&de Orvik Encoder\tCtrl+H", "&Show Orvik Encoder\tCtrl+M",
                         "-", "E&xit\tF12"}));
    EXPECT_EQ(HeaderPopupItems().size(), 2u);
    EXPECT_STREQ(HeaderPopupItems()[1].caption, "&Terminate");
}

TEST(MainMenus, EveryItemHasAnUnderlinedLetterOfItsOwnAndOnlyHideAndShowActEverywhere) {
    for (const auto* items : {&MainPopupItems(), &HeaderPopupItems()}) {
        std::string letters;
        for (const MenuItem& item : *items) {
            if (item.Separator()) continue;
            const char* amp = std::strchr(item.caption, '&');
            ASSERT_NE(amp, nullptr) << item.caption;
            const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(amp[1])));
            EXPECT_EQ(letters.find(letter), std::string::npos) << item.caption;
            letters += letter;
            EXPECT_EQ(WorksFromEveryWindow(item.command), item.command == kCmdHideAll || item.command == kCmdShowMain);
        }
    }
}

TEST(MainMenus, ShortcutsMatchOnlyWithTheirExactModifiers) {
    const auto& items = MainPopupItems();
    using namespace modifier;
    EXPECT_EQ(FindShortcut(items, 'O', kCtrl), kCmdOpenMediaFile);
    EXPECT_EQ(FindShortcut(items, 'E', kCtrl), kCmdEncodeSelectedFile);
    EXPECT_EQ(FindShortcut(items, 0x7B, 0), kCmdExit);            // F12
    EXPECT_EQ(FindShortcut(items, 0x74, 0), kCmdProgramOptions);  // F5
    EXPECT_EQ(FindShortcut(items, 'O', 0), 0u);  // plain O types into the list
    EXPECT_EQ(FindShortcut(items, 'O', kCtrl | kShift), 0u);
    EXPECT_EQ(FindShortcut(items, 0x7B, kAlt), 0u);
    EXPECT_EQ(FindShortcut(items, 0x75, 0), 0u);  // F6: nobody's
}

TEST(OpenDialogFilter, HasTenFiltersAndBecomesAZeroSeparatedList) {
    const std::string filter = kMediaFileFilter;
    EXPECT_EQ(std::count(filter.begin(), filter.end(), '|'), 19);
    EXPECT_NE(filter.find("|MPEG files (*.mpg; *.mpeg; *.mpeg2)|*.mpg; *.mpeg; *.mpeg2|"), std::string::npos);
    EXPECT_EQ(PlatformFilter("A|*.a|B|*.b"), std::string("A\0*.a\0B\0*.b\0\0", 13));
}

// A hand-over from another process: names split at zero units wherever the
// data lies; a message that is not whole units, too large, or holds a name
// longer than a path is refused whole.
TEST(HandOver, SplitsNamesAtZerosAndRefusesMalformedMessages) {
    using Units = std::u16string;
    const Units longest(kMaxNameUnits, u'x');
    const struct {
        Units units;
        std::optional<FileNames> names;
    } cases[] = {
        {u"", FileNames{}},
        {Units(u"a.wav\0C:\\b c.mp3\0", 17), FileNames{u"a.wav", u"C:\\b c.mp3"}},
        {Units(u"\0\0ab\0\0c", 7), FileNames{u"ab", u"c"}},  // empty names skipped, the last unended
        {longest, FileNames{longest}},
        {longest + u'x', std::nullopt},
    };
    for (const auto& c : cases) {
        // From an odd address: the data need not be aligned.
        std::vector<unsigned char> bytes(c.units.size() * 2 + 1);
        if (!c.units.empty()) std::memcpy(bytes.data() + 1, c.units.data(), c.units.size() * 2);
        EXPECT_EQ(DecodeHandOver(bytes.data() + 1, c.units.size() * 2), c.names) << c.units.size();
    }
    EXPECT_FALSE(DecodeHandOver("abc", 3));                       // half a unit
    EXPECT_FALSE(DecodeHandOver("", kMaxHandOverBytes + 2));      // too large, never read
    EXPECT_FALSE(DecodeHandOver(nullptr, 2));
}

// What a later start sends is what the running copy reads: in order, in
// messages small enough to be delivered, the names that cannot travel left
// out but covered, so that the sender can name them.
TEST(HandOver, EncodedNamesDecodeToThemselvesInPartsThatCoverTheList) {
    const FileName longest(kMaxNameUnits, u'x'), tooLong(kMaxNameUnits + 1, u'y');
    const FileNames many(20000, u"C:\\Music\\some song.wav");
    const struct {
        FileNames names;
        std::size_t parts;
    } cases[] = {
        {{}, 1},
        {{u"a.wav", u"C:\\\u03b1\u03b2 \U0001F3B5.mp3"}, 1},
        {{u"a", tooLong, u"", u"b"}, 1},
        {FileNames(9, longest), 3},  // four fit into a message
        {many, 4},
    };
    for (const auto& c : cases) {
        const std::vector<HandOverPart> parts = EncodeHandOver(c.names);
        EXPECT_EQ(parts.size(), c.parts) << c.names.size();
        FileNames decoded;
        std::size_t covered = 0;
        for (const HandOverPart& part : parts) {
            EXPECT_LE(part.units.size() * 2, kMaxHandOverBytes);
            EXPECT_EQ(part.first, covered);
            covered = part.end;
            const auto names = DecodeHandOver(part.units.data(), part.units.size() * 2);
            ASSERT_TRUE(names);
            decoded.insert(decoded.end(), names->begin(), names->end());
        }
        EXPECT_EQ(covered, c.names.size());
        FileNames travelling;
        std::copy_if(c.names.begin(), c.names.end(), std::back_inserter(travelling), CanHandOver);
        EXPECT_EQ(decoded, travelling);
    }
}

// Hand-overs that wait while a box is up are one list, and bounded.
TEST(HandOver, PendingFilesMergeAndRefuseWhatPassesTheBounds) {
    PendingFiles pending;
    EXPECT_TRUE(pending.Take({u"a", u"b"}));
    EXPECT_TRUE(pending.Take({}));
    EXPECT_TRUE(pending.Take({u"c"}));
    EXPECT_EQ(pending.Release(), (FileNames{u"a", u"b", u"c"}));
    EXPECT_TRUE(pending.Release().empty());

    EXPECT_TRUE(pending.Take(FileNames(PendingFiles::kMaxNames - 1, u"n")));
    EXPECT_FALSE(pending.Take({u"1", u"2"}));  // refused whole
    EXPECT_TRUE(pending.Take({u"1"}));
    EXPECT_FALSE(pending.Take({u"2"}));
    pending.Clear();
    const FileName name(kMaxNameUnits, u'x');
    std::size_t taken = 0;
    while (pending.Take({name})) ++taken;
    EXPECT_EQ(taken, PendingFiles::kMaxUnits / kMaxNameUnits);
    EXPECT_EQ(pending.Release().size(), taken);
}

// A name is kept in its plain spelling; a device is no file.
TEST(IncomingNames, PlainPathDropsLongAndDeviceSpellingsAndRefusesDevices) {
    const struct {
        FileName whole;
        std::optional<FileName> plain;
    } cases[] = {
        {u"C:\\Music\\a.wav", FileName(u"C:\\Music\\a.wav")},
        {u"\\\\server\\share\\a.wav", FileName(u"\\\\server\\share\\a.wav")},
        {u"\\\\?\\C:\\Music\\a.wav", FileName(u"C:\\Music\\a.wav")},
        {u"\\\\.\\d:\\a.wav", FileName(u"d:\\a.wav")},
        {u"\\\\?\\UNC\\server\\share\\a.wav", FileName(u"\\\\server\\share\\a.wav")},
        {u"\\\\?\\unc\\server\\a.wav", FileName(u"\\\\server\\a.wav")},
        {u"\\\\.\\CON", std::nullopt},
        {u"\\\\.\\PhysicalDrive0", std::nullopt},
        {u"\\\\?\\GLOBALROOT\\Device\\Null", std::nullopt},
        {u"\\\\?\\C:a.wav", std::nullopt},
        {u"\\\\?\\UNC\\", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(PlainPath(c.whole), c.plain) << std::string(c.whole.begin(), c.whole.end());
}

// The "not added" box: a dozen names at most with their reasons, each short
// enough for a box line, then counts.
TEST(IncomingNames, NotAddedReportListsADozenShortenedNamesThenCounts) {
    NotAddedReport one;
    EXPECT_TRUE(one.Empty());
    one.Refuse(u"C:\\gone.wav", Refusal::NotFound);
    EXPECT_EQ(one.Text(), u"This was not added to the list:\n\nC:\\gone.wav  (not found)");

    NotAddedReport many;
    for (int i = 0; i < 15; ++i) many.Refuse(u"\\\\.\\CON", Refusal::Device);
    many.ListFull(3, 32767);
    const std::u16string text = many.Text();
    EXPECT_EQ(text.rfind(u"These were not added to the list:\n", 0), 0u);
    EXPECT_EQ(std::count(text.begin(), text.end(), u'\n'), 1 + 12 + 2 + 2);
    EXPECT_NE(text.find(u"\\\\.\\CON  (a device, not a file)\n\nand 3 more.\n\n"
                        u"The list holds 32767 entries at most: 3 files were not added."),
              std::u16string::npos);

    NotAddedReport full;
    full.ListFull(1, 32767);
    EXPECT_EQ(full.Text(), u"The list holds 32767 entries at most: 1 file was not added.");

    // A name of a path's full length: its start and end, within a box line,
    // no surrogate pair cut in half.
    FileName longest = u"C:\\" + FileName(kMaxNameUnits - 12, u'x') + u"\\end.wav";
    longest[kShownNameUnits / 3 - 1] = 0xD83C;
    longest[kShownNameUnits / 3] = 0xDFB5;
    const FileName shown = ShownName(longest);
    EXPECT_LE(shown.size(), kShownNameUnits);
    EXPECT_EQ(shown.substr(0, 3), u"C:\\");
    EXPECT_EQ(shown.substr(shown.size() - 8), u"\\end.wav");
    EXPECT_NE(shown.find(u"..."), FileName::npos);
    for (std::size_t i = 0; i + 1 < shown.size(); ++i)
        EXPECT_EQ((shown[i] & 0xFC00) == 0xD800, (shown[i + 1] & 0xFC00) == 0xDC00) << i;
    EXPECT_EQ(ShownName(u"C:\\a.wav"), u"C:\\a.wav");
}
