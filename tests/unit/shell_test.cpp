// The application's texts, the media list rules and the main window's menus.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <optional>
#include <vector>

#include "app/AppText.h"
#include "controls/FileFilter.h"
#include "controls/MenuItem.h"
#include "shell/HandOver.h"
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
    using Spans = std::vector<std::pair<std::size_t, std::size_t>>;
    const Units longest(kMaxNameUnits, u'x');
    const struct {
        Units units;
        std::optional<Spans> names;
    } cases[] = {
        {u"", Spans{}},
        {Units(u"a.wav\0C:\\b c.mp3\0", 17), Spans{{0, 5}, {6, 10}}},
        {Units(u"\0\0ab\0\0c", 7), Spans{{2, 2}, {6, 1}}},  // empty names skipped, the last unended
        {longest, Spans{{0, kMaxNameUnits}}},
        {longest + u'x', std::nullopt},
    };
    for (const auto& c : cases) {
        // From an odd address: the data need not be aligned.
        std::vector<unsigned char> bytes(c.units.size() * 2 + 1);
        if (!c.units.empty()) std::memcpy(bytes.data() + 1, c.units.data(), c.units.size() * 2);
        const auto names = DecodeHandOver(bytes.data() + 1, c.units.size() * 2);
        ASSERT_EQ(names.has_value(), c.names.has_value()) << c.units.size();
        if (!names) continue;
        Spans found;
        for (const NameSpan& n : *names) found.emplace_back(n.first, n.count);
        EXPECT_EQ(found, *c.names);
    }
    EXPECT_FALSE(DecodeHandOver("abc", 3));                       // half a unit
    EXPECT_FALSE(DecodeHandOver("", kMaxHandOverBytes + 2));      // too large, never read
    EXPECT_FALSE(DecodeHandOver(nullptr, 2));
}
