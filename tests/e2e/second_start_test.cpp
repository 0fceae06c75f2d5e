// One copy per desktop: starting the program again while it runs, as a user
// does from the Start menu or with files from Explorer ("Open with", a drop
// on the program's icon).
#include <gtest/gtest.h>

#include "ProgramTest.h"

#include <memory>

using namespace e2e;
using Entries = std::vector<std::string>;

namespace {
const char* const kHandOverClass = "OrvikEncoderHandOver";

int VisibleWindowsOf(DWORD process) {
    int count = 0;
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner == process && IsWindowVisible(w)) ++count;
    }
    return count;
}

// The processes that own a hand-over window.
std::string HandOverOwners() {
    std::string owners;
    for (HWND w = FindWindowExA(nullptr, nullptr, kHandOverClass, nullptr); w;
         w = FindWindowExA(nullptr, w, kHandOverClass, nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        owners += std::to_string(owner) + " ";
    }
    return owners.empty() ? "none" : owners;
}

class SecondStart : public ProgramTest {
protected:
    // Starts the program once more, in `folder`, and waits for it to end (a
    // start in a new Wine session, first in the run, can be slow).
    DWORD StartAgain(const std::string& arguments, const std::string& folder, DWORD timeoutMs = 30000) {
        Process again(program.ExePath(), arguments, folder);
        DWORD code = 99;
        if (!again.WaitForExit(timeoutMs, &code)) {
            HWND box = WaitForMessageBox(again.Id(), 0);
            ADD_FAILURE() << "the second start did not end; "
                          << (box ? "it shows: " + WindowText(GetDlgItem(box, 0xFFFF))
                                  : "its windows: " + std::to_string(VisibleWindowsOf(again.Id())))
                          << "; hand-over windows of " << HandOverOwners() << "; this program is "
                          << program.ProcessId() << ", the start " << again.Id();
        }
        return code;
    }
};

// A window of this process in front of the program's.
HWND WindowInFront() {
    HWND window = CreateWindowExA(0, "STATIC", "in front", WS_POPUP | WS_VISIBLE | WS_CAPTION, 0, 0, 600, 400,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetForegroundWindow(window);
    WaitUntil([&] { return GetForegroundWindow() == window; }, 2000);
    return window;
}
}  // namespace

TEST_F(SecondStart, FromTheTrayWithFilesBringsTheWindowBackWithTheFilesAddedAndEnds) {
    const std::string song = MakeFile(program.Folder(), "b c.wav");
    CreateDirectoryA((program.Folder() + "\\a folder").c_str(), nullptr);
    ClickClient(main, 256 + 8, 3 + 8);  // the minimise picture: everything hides to the tray
    ASSERT_TRUE(WaitUntil([&] { return program.VisibleForms().empty(); }));

    // Relative names, resolved against the folder the start is made in.
    EXPECT_EQ(StartAgain("\"b c.wav\" \"a folder\" gone.wav", program.Folder()), 0u);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; }));
    EXPECT_EQ(ListEntries(list), Entries{song});
    // One box names what was not added.
    HWND box = WaitForMessageBox(program.ProcessId());
    ASSERT_NE(box, nullptr);
    const std::string text = WindowText(GetDlgItem(box, 0xFFFF));
    EXPECT_NE(text.find(program.Folder() + "\\a folder"), std::string::npos) << text;
    EXPECT_NE(text.find(program.Folder() + "\\gone.wav"), std::string::npos) << text;
    EXPECT_EQ(text.find("b c.wav"), std::string::npos) << text;
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == main; }));
    EXPECT_EQ(program.VisibleForms(), Entries{"TMainForm"});
}

TEST_F(SecondStart, APlainStartBringsTheWindowForwardOrTheModalOneAndAddsNothing) {
    HWND front = WindowInFront();
    EXPECT_EQ(StartAgain("", program.Folder()), 0u);
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == main; }));
    EXPECT_EQ(ListCount(list), 0);

    // With the open dialog up, the dialog comes forward; files still arrive.
    PressKey(main, 'O', true);
    HWND dialog = WaitForOpenDialog(program.ProcessId());
    ASSERT_NE(dialog, nullptr);
    SetForegroundWindow(front);
    const std::string song = MakeFile(program.Folder(), "a.wav");
    EXPECT_EQ(StartAgain("\"" + song + "\"", "C:\\"), 0u);
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == dialog; }));
    EXPECT_TRUE(WaitUntil([&] { return ListCount(list) == 1; }));
    ASSERT_TRUE(CancelOpenDialog(program.ProcessId()));
    DestroyWindow(front);
}

TEST_F(SecondStart, TwoStartsAtOnceLeaveOneCopyWhichEndsWhenAskedToClose) {
    PressKey(main, VK_F12);
    ASSERT_TRUE(program.WaitForExit(15000));
    std::vector<std::unique_ptr<Process>> starts;
    for (int i = 0; i < 2; ++i) starts.push_back(std::make_unique<Process>(program.ExePath(), "", program.Folder()));
    HWND handOver = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (handOver = FindWindowA(kHandOverClass, nullptr)); },
                          20000));
    DWORD owner = 0;
    GetWindowThreadProcessId(handOver, &owner);
    const Process& kept = *starts[starts[0]->Id() == owner ? 0 : 1];
    const Process& ended = *starts[starts[0]->Id() == owner ? 1 : 0];
    DWORD code = 99;
    EXPECT_TRUE(ended.WaitForExit(10000, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_FALSE(kept.WaitForExit(500));
    // Closing the copy's hand-over window ends it as Exit does.
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(handOver, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer);
    EXPECT_TRUE(kept.WaitForExit(15000, &code));
    EXPECT_EQ(code, 0u);
}

TEST_F(SecondStart, ACopyThatDoesNotAnswerIsReportedAndNoSecondCopyStarts) {
    ASSERT_NE(SuspendThread(program.MainThread()), static_cast<DWORD>(-1));
    Process again(program.ExePath(), "", program.Folder());
    HWND box = WaitForMessageBox(again.Id(), 15000);
    EXPECT_NE(box, nullptr) << "no message";
    if (box) {
        EXPECT_NE(WindowText(GetDlgItem(box, 0xFFFF)).find("not answering"), std::string::npos);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
    DWORD code = 99;
    EXPECT_TRUE(again.WaitForExit(10000, &code));
    EXPECT_NE(code, 0u);
    ResumeThread(program.MainThread());
    PressKey(main, VK_F12);
    EXPECT_TRUE(program.WaitForExit(15000));
}

TEST(FirstStart, WithFilesAppendsThemToTheStoredListInTheirOrder) {
    ProgramOptions options;
    options.arguments = "a.wav";
    Program first(options);
    const std::string a = MakeFile(first.Folder(), "a.wav");
    ASSERT_TRUE(first.Start());
    HWND list = ChildOfClass(first.MainWindow(), "ListBox");
    ASSERT_TRUE(WaitUntil([&] { return ListCount(list) == 1; }));
    EXPECT_EQ(ListEntries(list), Entries{a});
    PressKey(first.MainWindow(), VK_F12);
    ASSERT_TRUE(first.WaitForExit(15000));

    const std::string b = MakeFile(first.Folder(), "b c.wav"), c = MakeFile(first.Folder(), "c.wav");
    options.clearStore = false;
    options.arguments = "\"" + b + "\" \"" + c + "\"";
    Program second(options);
    ASSERT_TRUE(second.Start());
    list = ChildOfClass(second.MainWindow(), "ListBox");
    ASSERT_TRUE(WaitUntil([&] { return ListCount(list) == 3; }));
    EXPECT_EQ(ListEntries(list), (Entries{a, b, c}));
}
