// The media list box: its entries, selection and key hook on a real list
// box, with the list messages sent past the subclass.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "shell/win32/MediaListBox.h"

using namespace orvik;

namespace {

class MediaListBoxTest : public testing::Test {
protected:
    void SetUp() override {
        parent_ = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(parent_, nullptr);
        HWND box = CreateWindowExA(0, "LISTBOX", "", WS_CHILD | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 0, 0,
                                   280, 180, parent_, nullptr, nullptr, nullptr);
        ASSERT_NE(box, nullptr);
        list_.Attach(box);
    }
    void TearDown() override { DestroyWindow(parent_); }

    std::vector<std::string> Entries(int n) {
        std::vector<std::string> entries;
        for (int i = 0; i < n; ++i) entries.push_back("C:\\Music\\track " + std::to_string(i) + ".mp3");
        return entries;
    }

    HWND parent_ = nullptr;
    MediaListBox list_;
};

TEST_F(MediaListBoxTest, ReplaceAllKeepsEveryEntryInOrderAndClearsTheSelection) {
    list_.Append("old");
    list_.SetSelectedIndex(0);
    const std::vector<std::string> entries = Entries(10000);
    list_.ReplaceAll(entries);
    EXPECT_EQ(list_.Count(), 10000);
    EXPECT_EQ(list_.SelectedIndex(), -1);
    EXPECT_EQ(list_.All(), entries);
    // What the list box itself holds, asked the ordinary way.
    char text[64] = {};
    SendMessageA(list_.Handle(), LB_GETTEXT, 9999, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, entries[9999].c_str());
}

TEST_F(MediaListBoxTest, EditsAndSelectionReachTheListBox) {
    list_.ReplaceAll(Entries(3));
    list_.Append("");
    list_.Append(std::string(300, 'x'));
    EXPECT_EQ(list_.Count(), 5);
    EXPECT_EQ(list_.Entry(3), "");
    EXPECT_EQ(list_.Entry(4), std::string(300, 'x'));
    EXPECT_EQ(list_.Entry(5), "");  // past the end
    list_.SetSelectedIndex(2);
    EXPECT_EQ(SendMessageA(list_.Handle(), LB_GETCURSEL, 0, 0), 2);
    list_.Delete(0);
    EXPECT_EQ(list_.Entry(0), "C:\\Music\\track 1.mp3");
    list_.ReplaceAll({});
    EXPECT_EQ(list_.Count(), 0);
}

TEST_F(MediaListBoxTest, TypedKeysStillPassTheHook) {
    std::string seen;
    list_.onKeyPress = [&](char key) {
        seen += key;
        return key == '\b';
    };
    SendMessageA(list_.Handle(), WM_CHAR, 'a', 0);
    SendMessageA(list_.Handle(), WM_CHAR, '\b', 0);
    EXPECT_EQ(seen, "a\b");
}

TEST(MediaListBox, WithoutAWindowItIsEmpty) {
    MediaListBox list;
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.SelectedIndex(), -1);
    EXPECT_EQ(list.Entry(0), "");
    list.ReplaceAll({"a"});
    EXPECT_TRUE(list.All().empty());
}

}  // namespace
