// One copy per desktop: starting the program again while it runs, as a user
// does from the Start menu or with files from Explorer ("Open with", a drop
// on the program's icon).
#include <gtest/gtest.h>

#include "ProgramTest.h"

#include <algorithm>
#include <memory>

#include "shell/HandOver.h"

using namespace e2e;
using Entries = std::vector<std::string>;

namespace {
const char* const kHandOverClass = "OrvikEncoderHandOver";

// Visible top-level windows of the process (of one class if given).
int VisibleWindowsOf(DWORD process, const char* className = nullptr) {
    int count = 0;
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        char name[16] = {};
        GetClassNameA(w, name, sizeof name);
        if (owner == process && IsWindowVisible(w) && (!className || std::string(name) == className)) ++count;
    }
    return count;
}
int MessageBoxesOf(DWORD process) { return VisibleWindowsOf(process, "#32770"); }

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

// Sends one hand-over message of raw units to the window, as any process
// could; the answer, or -1 without one.
LRESULT SendUnits(HWND window, const std::u16string& units, DWORD timeoutMs = 5000) {
    COPYDATASTRUCT data{orvik::kHandOverTag, static_cast<DWORD>(units.size() * 2),
                        const_cast<char16_t*>(units.data())};
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutA(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, timeoutMs,
                             &answer))
        return -1;
    return static_cast<LRESULT>(answer);
}

std::u16string Units(const std::string& text) { return std::u16string(text.begin(), text.end()); }

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

    // Relative names, resolved against the folder the start is made in,
    // each once ("." and ".." as the folder means them); a device is no file.
    EXPECT_EQ(StartAgain("\"xy\\..\\b c.wav\" \"a folder\" .\\gone.wav CON", program.Folder()), 0u);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; }));
    EXPECT_EQ(ListEntries(list), Entries{song});
    // One box names what was not added.
    HWND box = WaitForMessageBox(program.ProcessId());
    ASSERT_NE(box, nullptr);
    const std::string text = WindowText(GetDlgItem(box, 0xFFFF));
    EXPECT_NE(text.find(program.Folder() + "\\a folder"), std::string::npos) << text;
    EXPECT_NE(text.find(program.Folder() + "\\gone.wav  (not found)"), std::string::npos) << text;
    EXPECT_NE(text.find("\\\\.\\CON  (a device, not a file)"), std::string::npos) << text;
    EXPECT_EQ(text.find("b c.wav"), std::string::npos) << text;
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1 + 3) << text;  // the heading and three names
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

// Later starts that name missing files, one after another, while nobody
// answers the box: one box at a time, never one inside another; what
// arrives meanwhile waits as one list, bounded, and what passes the bound
// is refused to its sender.
TEST_F(SecondStart, ABurstOfHandOversWhileTheBoxIsUpWaitsAsOneBoundedList) {
    const HWND handOver = FindWindowA(kHandOverClass, nullptr);
    ASSERT_NE(handOver, nullptr);
    EXPECT_EQ(SendUnits(handOver, Units("C:\\gone\\first.wav")), 1);
    ASSERT_NE(WaitForMessageBox(program.ProcessId()), nullptr);
    int taken = 0, refused = 0;
    for (int i = 0; i < 120; ++i) {
        std::u16string units;
        for (int j = 0; j < 300; ++j) units += Units("C:\\gone\\" + std::to_string(i) + "-" + std::to_string(j)) + u'\0';
        const LRESULT answer = SendUnits(handOver, units);
        ASSERT_TRUE(answer == 1 || answer == 2) << answer;
        (answer == 1 ? taken : refused) += 1;
    }
    EXPECT_EQ(taken, 32767 / 300);
    EXPECT_EQ(refused, 120 - taken);
    EXPECT_EQ(MessageBoxesOf(program.ProcessId()), 1);
    // Closed, the box gives way to one more with everything that waited.
    PostMessageA(WaitForMessageBox(program.ProcessId()), WM_COMMAND, IDOK, 0);
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        box = WaitForMessageBox(program.ProcessId(), 0);
        return box && WindowText(GetDlgItem(box, 0xFFFF)).find("more.") != std::string::npos;
    }, 30000));
    const std::string text = WindowText(GetDlgItem(box, 0xFFFF));
    EXPECT_NE(text.find("and " + std::to_string(taken * 300 - 12) + " more."), std::string::npos) << text;
    EXPECT_EQ(MessageBoxesOf(program.ProcessId()), 1);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return MessageBoxesOf(program.ProcessId()) == 0; }));
    EXPECT_FALSE(WaitUntil([&] { return MessageBoxesOf(program.ProcessId()) > 0; }, 500));
    EXPECT_TRUE(program.Running());
    EXPECT_EQ(ListCount(list), 0);
}

// Other processes' messages to the hand-over window: a creation or
// destruction it is not in binds or unbinds nothing, and a message too
// large to deliver is refused, the copy carrying on.
TEST_F(SecondStart, ForeignMessagesToTheHandOverWindowLeaveTheCopyWhole) {
    const HWND handOver = FindWindowA(kHandOverClass, nullptr);
    ASSERT_NE(handOver, nullptr);
    CREATESTRUCTA create{};
    create.lpCreateParams = reinterpret_cast<void*>(0x5A5A5A50);
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(handOver, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&create), SMTO_ABORTIFHUNG, 2000, &answer);
    PostMessageA(handOver, WM_USER + 7, 0, 0);
    SendMessageTimeoutA(handOver, WM_NCDESTROY, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer);
    EXPECT_NE(SendUnits(handOver, std::u16string(3u << 20, u'x'), 2000), 1);
    EXPECT_FALSE(program.WaitForExit(300));

    const std::string song = MakeFile(program.Folder(), "a.wav");
    EXPECT_EQ(StartAgain("a.wav", program.Folder()), 0u);
    EXPECT_TRUE(WaitUntil([&] { return ListCount(list) == 1; }));
    EXPECT_EQ(HandOverOwners(), std::to_string(program.ProcessId()) + " ");
    SendMessageTimeoutA(handOver, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer);
    EXPECT_TRUE(program.WaitForExit(15000));
}

// A later start while the first start's "not added" box is up hands its
// files over at once; they are added when the box closes.
TEST(FirstStart, ALaterStartDuringItsBoxHandsOverAndItsFilesFollowTheBox) {
    ProgramOptions options;
    options.arguments = "gone.wav";
    Program first(options);
    ASSERT_TRUE(first.Start());
    HWND box = WaitForMessageBox(first.ProcessId());
    ASSERT_NE(box, nullptr);
    const std::string song = MakeFile(first.Folder(), "b.wav");
    Process again(first.ExePath(), "b.wav", first.Folder());
    DWORD code = 99;
    EXPECT_TRUE(again.WaitForExit(15000, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(HandOverOwners(), std::to_string(first.ProcessId()) + " ");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    HWND list = ChildOfClass(first.MainWindow(), "ListBox");
    EXPECT_TRUE(WaitUntil([&] { return ListCount(list) == 1; }));
    EXPECT_EQ(ListEntries(list), Entries{song});
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
