// The tray icon's tip, shell call sequence and click flags.
#include <gtest/gtest.h>

#include <vector>

#include "shell/TrayIcon.h"

using namespace orvik;

namespace {
struct RecordingShell : TrayShell {
    std::vector<TrayCommand> calls;
    bool addSucceeds = true;
    bool Notify(TrayCommand c) override {
        calls.push_back(c);
        return c != TrayCommand::Add || addSucceeds;
    }
};
using C = TrayCommand;
using E = TrayEvent;
constexpr TrayButton L = TrayButton::Left, R = TrayButton::Right, M = TrayButton::Middle;
}  // namespace

TEST(TrayShortHint, IsTheHintUpToTheBarCutTo63Characters) {
    EXPECT_EQ(TrayShortHint("Orvik Encoder"), "Orvik Encoder");
    EXPECT_EQ(TrayShortHint("Short|Long hint"), "Short");
    EXPECT_EQ(TrayShortHint("|Long only"), "");
    EXPECT_EQ(TrayShortHint(std::string(63, 'a')), std::string(63, 'a'));
    EXPECT_EQ(TrayShortHint(std::string(64, 'a') + "|b"), std::string(63, 'a'));
    // The tip's 63 bytes end before a UTF-8 sequence, never inside one.
    std::string greek;
    for (int i = 0; i < 40; ++i) greek += "\xCE\xB1";  // alpha
    EXPECT_EQ(TrayShortHint(greek), greek.substr(0, 62));
}

TEST(TrayIconModel, AddClearsAnyEarlierIconFirstAndNeedsAnIcon) {
    RecordingShell shell;
    TrayIconModel icon(shell);
    icon.hint = "Orvik Encoder";
    icon.Update();  // active, nothing added, no icon yet: only the delete
    EXPECT_EQ(shell.calls, (std::vector<C>{C::Delete}));
    EXPECT_FALSE(icon.Added());

    shell.calls.clear();
    icon.hasIcon = true;
    icon.Update();
    EXPECT_EQ(shell.calls, (std::vector<C>{C::Delete, C::Add}));
    EXPECT_TRUE(icon.Added());

    shell.calls.clear();
    icon.hint = "Changed";
    icon.Update();  // added: modified in place
    EXPECT_EQ(shell.calls, (std::vector<C>{C::Modify}));

    shell.calls.clear();
    icon.Add();  // as after loading, and when the shell's area is made anew
    EXPECT_EQ(shell.calls, (std::vector<C>{C::Delete, C::Add}));

    shell.calls.clear();
    icon.hasIcon = false;
    icon.Update();  // the icon went: removed
    EXPECT_EQ(shell.calls, (std::vector<C>{C::Delete}));
    EXPECT_FALSE(icon.Added());
}

TEST(TrayIconModel, AnEmptyTipIsSentOnceMoreAndAFailedAddStaysOff) {
    RecordingShell shell;
    TrayIconModel icon(shell);
    icon.hasIcon = true;
    icon.hint = "|only long";
    icon.Add();
    EXPECT_EQ(shell.calls, (std::vector<C>{C::Delete, C::Add, C::Modify}));

    shell.calls.clear();
    shell.addSucceeds = false;
    icon.Add();
    EXPECT_EQ(shell.calls, (std::vector<C>{C::Delete, C::Add}));
    EXPECT_FALSE(icon.Added());

    shell.calls.clear();
    icon.active = false;
    icon.Update();  // not added and not active: nothing
    EXPECT_TRUE(shell.calls.empty());
}

TEST(TrayIconModel, ClickFlagsTurnButtonPairsIntoClicks) {
    RecordingShell shell;
    TrayIconModel icon(shell);
    using T = TrayMouse;
    // A lone up is no click; a down then an up is one.
    EXPECT_EQ(icon.Notification(T::RightUp), (std::vector<E>{{E::MouseUp, R}}));
    EXPECT_EQ(icon.Notification(T::RightDown), (std::vector<E>{{E::MouseDown, R}}));
    EXPECT_EQ(icon.Notification(T::RightUp), (std::vector<E>{{E::Click, R}, {E::MouseUp, R}}));
    EXPECT_EQ(icon.Notification(T::RightUp), (std::vector<E>{{E::MouseUp, R}}));

    // A double-click: click, then the double-click and a down in double-click
    // state, and the last up makes no second click.
    EXPECT_EQ(icon.Notification(T::LeftDown), (std::vector<E>{{E::MouseDown, L}}));
    EXPECT_EQ(icon.Notification(T::LeftUp), (std::vector<E>{{E::Click, L}, {E::MouseUp, L}}));
    EXPECT_EQ(icon.Notification(T::LeftDoubleClick), (std::vector<E>{{E::DoubleClick, L}, {E::MouseDown, L, true}}));
    EXPECT_EQ(icon.Notification(T::LeftUp), (std::vector<E>{{E::MouseUp, L}}));

    // The flags are per button.
    icon.Notification(T::LeftDown);
    EXPECT_EQ(icon.Notification(T::RightUp), (std::vector<E>{{E::MouseUp, R}}));
    EXPECT_EQ(icon.Notification(T::RightDoubleClick), (std::vector<E>{{E::MouseDown, R, true}}));
    EXPECT_EQ(icon.Notification(T::MiddleDown), (std::vector<E>{{E::MouseDown, M}}));
    EXPECT_EQ(icon.Notification(T::MiddleUp), (std::vector<E>{{E::MouseUp, M}}));
    EXPECT_EQ(icon.Notification(T::MiddleDoubleClick), (std::vector<E>{{E::MouseDown, M, true}}));
    EXPECT_EQ(icon.Notification(T::Move), (std::vector<E>{{E::MouseMove, L}}));

    // Removing (and adding) forgets a pending press.
    icon.Remove();
    EXPECT_EQ(icon.Notification(T::LeftUp), (std::vector<E>{{E::MouseUp, L}}));

    icon.Notification(T::RightDown);
    icon.Disable();  // destruction has begun: nothing is handled
    EXPECT_TRUE(icon.Notification(T::RightUp).empty());
    EXPECT_TRUE(icon.Notification(T::LeftDoubleClick).empty());
}
