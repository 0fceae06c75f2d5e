// The main window used as a person would: start-up, adding and deleting
// files, hiding and showing, the inert buttons, and ending the program.
#include <gtest/gtest.h>

#include "ProgramTest.h"

using namespace e2e;

namespace {
// Items of the main popup menu counted from the top, separators skipped:
// the number of Down presses that reach them.
constexpr int kMenuOpen = 1, kMenuHide = 9, kMenuShow = 10;

class MainWindow : public ProgramTest {
protected:
    void AddFile(const std::string& path) {
        PressKey(main, 'O', true);  // Ctrl+O
        ASSERT_TRUE(ConfirmOpenDialog(program.ProcessId(), path));
    }

    // Opens the main popup menu as a right-click on the window's background would.
    void OpenMainMenu() {
        const POINT p = ClientToScreenPoint(main, 150, 178);
        PostMessageA(main, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(main), MAKELPARAM(p.x, p.y));
    }
};
}  // namespace

TEST_F(MainWindow, StartsWithOnlyTheMainWindowVisibleAndTheOthersCreated) {
    EXPECT_EQ(program.VisibleForms(), std::vector<std::string>{"TMainForm"});
    for (const char* cls : {"TPlayForm", "TEncodeForm", "TEncodeForm2", "TEncodeForm3", "TEncodeForm4"})
        EXPECT_NE(program.FindWindowOfClass(cls), nullptr) << cls;
    EXPECT_EQ(WindowText(main), "Orvik Encoder");
    RECT r;
    GetClientRect(main, &r);
    EXPECT_EQ(r.right, 306);
    EXPECT_EQ(r.bottom, 184);
    EXPECT_EQ(GetWindowLongA(main, GWL_STYLE) & WS_CAPTION, 0);
    EXPECT_EQ(ListCount(list), 0);
}

TEST_F(MainWindow, AddsFilesThroughTheOpenDialogAndBackspaceDeletesTheSelection) {
    const std::string a = MakeFile(program.Folder(), "first song.wav");
    const std::string b = MakeFile(program.Folder(), "second.mp3");
    AddFile(a);
    ASSERT_TRUE(WaitUntil([&] { return ListCount(list) == 1; }));
    EXPECT_EQ(ListSelection(list), 0);
    // The open button itself, pressed with the mouse.
    ClickClient(main, 12 + 20, 24 + 20);
    ASSERT_TRUE(ConfirmOpenDialog(program.ProcessId(), b));
    ASSERT_TRUE(WaitUntil([&] { return ListCount(list) == 2; }));
    EXPECT_EQ(ListEntries(list), (std::vector<std::string>{a, b}));
    EXPECT_EQ(ListSelection(list), 0);  // the first entry, not the new one

    // A cancelled dialog changes nothing.
    PressKey(main, 'O', true);
    ASSERT_TRUE(CancelOpenDialog(program.ProcessId()));
    EXPECT_EQ(ListCount(list), 2);

    // BS deletes the selected entry and leaves none selected; again does nothing.
    PressKey(main, VK_BACK);
    ASSERT_TRUE(WaitUntil([&] { return ListCount(list) == 1; }));
    EXPECT_EQ(ListEntries(list), std::vector<std::string>{b});
    EXPECT_EQ(ListSelection(list), -1);
    PressKey(main, VK_BACK);
    PressKey(main, 'P', true);  // play without a selection: a beep, nothing opens
    Sleep(200);
    EXPECT_EQ(ListCount(list), 1);
    EXPECT_EQ(program.VisibleForms(), std::vector<std::string>{"TMainForm"});
}

TEST_F(MainWindow, HideAllLeavesNothingVisibleAndShowMainBringsBackOnlyTheMainWindow) {
    PressKey(main, 'E', true);  // Ctrl+E shows the first encoder dialog
    ASSERT_NE(program.WaitForVisibleWindow("TEncodeForm"), nullptr);
    // The menu's hide item hides every window, the encoder dialog too.
    OpenMainMenu();
    ASSERT_TRUE(ChooseMenuItem(kMenuHide));
    ASSERT_TRUE(WaitUntil([&] { return program.VisibleForms().empty(); }));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(program.FindWindowOfClass("TApplication")); }))
        << "the taskbar entry stayed";
    OpenMainMenu();
    ASSERT_TRUE(ChooseMenuItem(kMenuShow));
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; }));
    EXPECT_EQ(program.VisibleForms(), std::vector<std::string>{"TMainForm"});
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(program.FindWindowOfClass("TApplication")) != FALSE; }));
    // The minimise picture, clicked.
    ClickClient(main, 256 + 8, 3 + 8);
    ASSERT_TRUE(WaitUntil([&] { return program.VisibleForms().empty(); }));
    EXPECT_TRUE(program.Running());
}

TEST_F(MainWindow, InertButtonsAndKeysChangeNothing) {
    AddFile(MakeFile(program.Folder(), "a.wav"));
    ASSERT_TRUE(WaitUntil([&] { return ListCount(list) == 1; }));
    RECT before;
    GetWindowRect(main, &before);
    for (int x : {132, 172, 212, 252}) ClickClient(main, x + 20, 24 + 20);  // Options, View, Help, About
    for (WORD vk : {VK_F5, VK_F1, VK_F2}) PressKey(main, vk);
    Sleep(300);
    EXPECT_EQ(program.VisibleForms(), std::vector<std::string>{"TMainForm"});
    EXPECT_EQ(ListCount(list), 1);
    EXPECT_EQ(ListSelection(list), 0);
    RECT after;
    GetWindowRect(main, &after);
    EXPECT_TRUE(EqualRect(&before, &after));
    EXPECT_EQ(FindWindowA("#32770", nullptr), nullptr);
}

TEST_F(MainWindow, MenuOpenItemRunsTheOpenDialog) {
    OpenMainMenu();
    ASSERT_TRUE(ChooseMenuItem(kMenuOpen));
    ASSERT_TRUE(ConfirmOpenDialog(program.ProcessId(), program.Folder() + "\\not there.wav"));
    // A name that does not exist is added like any other.
    ASSERT_TRUE(WaitUntil([&] { return ListCount(list) == 1; }));
    EXPECT_EQ(ListEntry(list, 0), program.Folder() + "\\not there.wav");
}

TEST_F(MainWindow, NamesTooLongForAPathAreRefusedInTheDialogAndTheProgramLives) {
    const std::wstring folder(program.Folder().begin(), program.Folder().end());
    PressKey(main, 'O', true);
    ASSERT_TRUE(SubmitOpenDialog(program.ProcessId(), L"C:\\" + std::wstring(300, L'a')));
    HWND box = WaitForMessageBox(program.ProcessId());
    ASSERT_NE(box, nullptr) << "no refusal";
    EXPECT_TRUE(program.Running());
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(CancelOpenDialog(program.ProcessId()));
    EXPECT_EQ(ListCount(list), 0);
    // A relative name counts with its folder.
    PressKey(main, 'O', true);
    ASSERT_TRUE(SubmitOpenDialog(program.ProcessId(), std::wstring(290 - folder.size(), L'b')));
    box = WaitForMessageBox(program.ProcessId());
    ASSERT_NE(box, nullptr);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(CancelOpenDialog(program.ProcessId()));
    // Up to 261 characters pass as before.
    const std::string longest = "C:\\" + std::string(258, 'c');
    AddFile(longest);
    ASSERT_TRUE(WaitUntil([&] { return ListCount(list) == 1; }));
    EXPECT_EQ(ListEntry(list, 0), longest);
}

// The program runs in UTF-8: a name in any language goes in whole, not by
// its short name (this driver runs in UTF-8 too).
TEST_F(MainWindow, ANameInAnyLanguageIsAddedThroughTheOpenDialogByItsFullName) {
    const std::string japanese = MakeFile(program.Folder(), "\xE6\x97\xA5\xE6\x9C\xAC \xCE\xB1\xCE\xB2 \xF0\x9F\x8E\xB5.wav");
    AddFile(japanese);
    ASSERT_TRUE(WaitUntil([&] { return ListCount(list) == 1; }));
    EXPECT_EQ(ListEntry(list, 0), japanese);
}

TEST_F(MainWindow, F12EndsTheProgramWithExitCodeZero) {
    PressKey(main, VK_F12);
    DWORD code = 99;
    ASSERT_TRUE(program.WaitForExit(15000, &code));
    EXPECT_EQ(code, 0u);
}

TEST_F(MainWindow, TheTerminatePictureEndsTheProgram) {
    ClickClient(main, 280 + 8, 3 + 8);
    DWORD code = 99;
    ASSERT_TRUE(program.WaitForExit(15000, &code));
    EXPECT_EQ(code, 0u);
}

TEST_F(MainWindow, DraggingTheHeaderMovesTheWindow) {
    RECT before;
    GetWindowRect(main, &before);
    const POINT from = ClientToScreenPoint(main, 150, 10);
    PressAt(from.x, from.y);
    for (int step = 1; step <= 5; ++step) MoveMouse(from.x - 8 * step, from.y + 6 * step);
    ReleaseAt(from.x - 40, from.y + 30);
    ASSERT_TRUE(WaitUntil([&] {
        RECT r;
        GetWindowRect(main, &r);
        return r.left == before.left - 40 && r.top == before.top + 30;
    })) << "the window did not follow the header";
    // Pressing the terminate picture and releasing outside it does nothing.
    const POINT t = ClientToScreenPoint(main, 288, 11);
    PressAt(t.x, t.y);
    ReleaseAt(t.x - 60, t.y + 60);
    Sleep(300);
    EXPECT_TRUE(program.Running());
    EXPECT_TRUE(IsWindowVisible(main));
}

TEST_F(MainWindow, PlayWithASelectionShowsThePlayerModally) {
    AddFile(MakeFile(program.Folder(), "a.wav"));
    ASSERT_TRUE(WaitUntil([&] { return ListCount(list) == 1; }));
    ClickClient(main, 52 + 20, 24 + 20);  // the play button
    HWND player = program.WaitForVisibleWindow("TPlayForm");
    ASSERT_NE(player, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowEnabled(main); }));
    PostMessageA(player, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(player); }));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(main) != FALSE; }));
}

TEST(Executable, CarriesItsVersionInformation) {
    Program program;
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(program.ExePath().c_str(), &handle);
    ASSERT_GT(size, 0u);
    std::vector<char> data(size);
    ASSERT_TRUE(GetFileVersionInfoA(program.ExePath().c_str(), 0, size, data.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT len = 0;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &len));
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(3, 1));
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(3, 1));
    auto text = [&](const char* name) {
        char* value = nullptr;
        UINT n = 0;
        const std::string path = std::string("\\StringFileInfo\\040904E4\\") + name;
        return VerQueryValueA(data.data(), path.c_str(), reinterpret_cast<void**>(&value), &n) ? std::string(value)
                                                                                              : std::string();
    };
    EXPECT_EQ(text("FileDescription"), "Music Encoder");
    EXPECT_EQ(text("Comments"), "MP3, OGG, WAV Encoder\\Decoder");
    EXPECT_EQ(text("FileVersion"), "1.3.0.0");
}

TEST_F(MainWindow, RightClicksOpenTheHeaderMenuOnTheHeaderAndTheMainMenuElsewhere) {
    // On the list: the main menu, whose ninth item hides everything.
    ClickClient(main, 150, 120, true);
    ASSERT_TRUE(ChooseMenuItem(kMenuHide));
    ASSERT_TRUE(WaitUntil([&] { return program.VisibleForms().empty(); }));
    OpenMainMenu();
    ASSERT_TRUE(ChooseMenuItem(kMenuShow));
    ASSERT_TRUE(program.WaitForVisibleWindow("TMainForm"));
    // On the background below the list: the main menu again; cancelled.
    ClickClient(main, 150, 178, true);
    ASSERT_TRUE(ChooseMenuItem(-1));
    // On the header: the header menu; "Minimize to tray", then "Terminate".
    ClickClient(main, 150, 10, true);
    ASSERT_TRUE(ChooseMenuItem(1));
    ASSERT_TRUE(WaitUntil([&] { return program.VisibleForms().empty(); }));
    OpenMainMenu();
    ASSERT_TRUE(ChooseMenuItem(kMenuShow));
    ASSERT_TRUE(program.WaitForVisibleWindow("TMainForm"));
    ClickClient(main, 150, 10, true);
    ASSERT_TRUE(ChooseMenuItem(2));
    DWORD code = 99;
    ASSERT_TRUE(program.WaitForExit(15000, &code));
    EXPECT_EQ(code, 0u);
}
