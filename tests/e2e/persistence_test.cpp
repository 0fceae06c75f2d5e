// The media list kept across runs in the registry, and the notification-area
// icon driven through its callback messages as the shell sends them.
#include <gtest/gtest.h>

#include "Driver.h"
#include "RegistryReset.h"

#include <sddl.h>
#include <shellapi.h>
#include <shlwapi.h>

using namespace e2e;
using Entries = std::vector<std::string>;

namespace {
const char* const kStore = "Software\\OrvikPlayer";
constexpr UINT kTrayMessage = 0xB054;
// Items of the main popup menu in Down presses from the top.
constexpr int kMenuPlay = 2, kMenuHide = 9, kMenuShow = 10, kMenuExit = 11;

void ClearStore() { ResetStoreKey(kStore); }

// The other end-to-end tests end the program too, and so leave a stored
// list behind: the last one goes with the run.
class ClearStoreAtEnd : public testing::Environment {
public:
    void TearDown() override { ClearStore(); }
};
testing::Environment* const clearStoreAtEnd = testing::AddGlobalTestEnvironment(new ClearStoreAtEnd);

bool KeyExists(const std::string& path) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

std::string StoredText(const std::string& section, const char* name) {
    char data[1024] = {};
    DWORD size = sizeof data - 1, type = 0;
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, (std::string(kStore) + "\\" + section).c_str(), 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return "<no key>";
    const LONG rc = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS) return "<no value>";
    return type == REG_SZ ? std::string(data) : "<not text>";
}

// Whether the shell holds an icon of this window (modifying nothing succeeds
// only for an icon it has).
bool IconPresent(HWND window) {
    NOTIFYICONDATAA probe{};
    probe.cbSize = NOTIFYICONDATAA_V1_SIZE;
    probe.hWnd = window;
    return Shell_NotifyIconA(NIM_MODIFY, &probe) != FALSE;
}

HWND VisibleMenu() {
    for (HWND h = FindWindowExA(nullptr, nullptr, "#32768", nullptr); h; h = FindWindowExA(nullptr, h, "#32768", nullptr))
        if (IsWindowVisible(h)) return h;
    return nullptr;
}

class Persistence : public testing::Test {
protected:
    void SetUp() override { ClearStore(); }
    void TearDown() override { ClearStore(); }

    // Starts a program; the store is left as the previous run left it.
    void Start(Program& program) {
        ASSERT_TRUE(program.Start());
        main = program.MainWindow();
        list = ChildOfClass(main, "ListBox");
        tray = program.FindWindowOfClass("TTrayIconWindow");
        ASSERT_NE(list, nullptr);
        ASSERT_NE(tray, nullptr);
    }
    void AddFile(Program& program, const std::string& path) {
        const int before = ListCount(list);
        PressKey(main, 'O', true);
        ASSERT_TRUE(ConfirmOpenDialog(program.ProcessId(), path));
        ASSERT_TRUE(WaitUntil([&] { return ListCount(list) == before + 1; }));
    }
    void Exit(Program& program) {
        PressKey(main, VK_F12);
        DWORD code = 99;
        ASSERT_TRUE(program.WaitForExit(15000, &code));
        EXPECT_EQ(code, 0u);
    }
    // The shell's notifications of the icon, in the order a user's hand makes them.
    void TrayMouse(std::initializer_list<UINT> messages) {
        for (UINT m : messages) PostMessageA(tray, kTrayMessage, 0, m);
    }

    ProgramOptions keepStore() {
        ProgramOptions o;
        o.clearStore = false;
        return o;
    }

    HWND main = nullptr, list = nullptr, tray = nullptr;
};
}  // namespace

TEST_F(Persistence, TheListSurvivesARestartAndAnEmptyListRemovesTheListKey) {
    Entries added;
    {
        Program first(keepStore());
        Start(first);
        added = {MakeFile(first.Folder(), "one song.wav"), MakeFile(first.Folder(), "two;(x).mp3")};
        for (const std::string& f : added) AddFile(first, f);
        Exit(first);
    }
    EXPECT_EQ(StoredText("TMainForm", "FormVersion"), "0");
    EXPECT_EQ(StoredText("TMainForm.ListBox1_Items", "Count"), "2");
    EXPECT_EQ(StoredText("TMainForm.ListBox1_Items", "Item1"), added[1]);

    Program second(keepStore());
    Start(second);
    EXPECT_EQ(ListEntries(list), added);
    EXPECT_EQ(ListSelection(list), -1);
    // Select and delete both entries, then end the program.
    for (int i = 0; i < 2; ++i) {
        SendMessageW(list, LB_SETCURSEL, 0, 0);
        PressKey(main, VK_BACK);
    }
    ASSERT_TRUE(WaitUntil([&] { return ListCount(list) == 0; }));
    Exit(second);
    EXPECT_FALSE(KeyExists(std::string(kStore) + "\\TMainForm.ListBox1_Items"));
    EXPECT_EQ(StoredText("TMainForm", "FormVersion"), "0");
}

TEST_F(Persistence, EntriesAddedBetweenHideAllAndShowMainAreKept) {
    {
        Program first(keepStore());
        Start(first);
        AddFile(first, MakeFile(first.Folder(), "stored.wav"));
        Exit(first);
    }
    Program program(keepStore());
    Start(program);
    ASSERT_EQ(ListCount(list), 1);
    const std::string added = MakeFile(program.Folder(), "added later.wav");
    AddFile(program, added);
    // Hide everything from the icon's menu, then show the main window with a double-click.
    TrayMouse({WM_RBUTTONDOWN, WM_RBUTTONUP});
    ASSERT_TRUE(ChooseMenuItem(kMenuHide));
    ASSERT_TRUE(WaitUntil([&] { return program.VisibleForms().empty(); }));
    TrayMouse({WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP});
    ASSERT_NE(program.WaitForVisibleWindow("TMainForm"), nullptr);
    EXPECT_EQ(program.VisibleForms(), Entries{"TMainForm"});
    ASSERT_EQ(ListCount(list), 2);
    EXPECT_EQ(ListEntry(list, 1), added);
    Exit(program);
    EXPECT_EQ(StoredText("TMainForm.ListBox1_Items", "Count"), "2");
}

TEST_F(Persistence, TheIconMenuOpensAtTheIconAndExitEndsTheProgramAndRemovesTheIcon) {
    Program program;
    Start(program);
    AddFile(program, MakeFile(program.Folder(), "a.wav"));
    EXPECT_TRUE(IconPresent(tray));
    EXPECT_FALSE(IsWindowVisible(tray));
    // A single left click does nothing.
    TrayMouse({WM_LBUTTONDOWN, WM_LBUTTONUP});
    Sleep(300);
    EXPECT_EQ(VisibleMenu(), nullptr);
    EXPECT_EQ(program.VisibleForms(), Entries{"TMainForm"});

    TrayMouse({WM_RBUTTONDOWN, WM_RBUTTONUP});
    HWND menu = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (menu = VisibleMenu()) != nullptr; }));
    RECT r;
    GetWindowRect(menu, &r);
    // The pointer is not on the icon, so the right click is the keyboard's
    // (Win+B and Enter, as Windows sends them): the menu opens at the icon,
    // at the lower right, above the taskbar.
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_GT(r.right, GetSystemMetrics(SM_CXSCREEN) * 3 / 4) << r.left << " " << r.right;
    EXPECT_GE(r.bottom, work.bottom - 40) << r.top << " " << r.bottom << " work area bottom " << work.bottom;
    ASSERT_TRUE(ChooseMenuItem(kMenuHide));
    ASSERT_TRUE(WaitUntil([&] { return program.VisibleForms().empty(); }));

    // With everything hidden: the icon's menu still ends the program.
    TrayMouse({WM_RBUTTONDOWN, WM_RBUTTONUP});
    ASSERT_TRUE(ChooseMenuItem(kMenuExit));
    DWORD code = 99;
    ASSERT_TRUE(program.WaitForExit(15000, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_FALSE(IconPresent(tray));
    EXPECT_EQ(StoredText("TMainForm.ListBox1_Items", "Count"), "1");  // saved on the way out
}

TEST_F(Persistence, ADoubleClickWithEverythingHiddenShowsOnlyTheMainWindow) {
    Program program;
    Start(program);
    PressKey(main, 'E', true);  // an encoder dialog open too
    ASSERT_NE(program.WaitForVisibleWindow("TEncodeForm"), nullptr);
    TrayMouse({WM_RBUTTONDOWN, WM_RBUTTONUP});
    ASSERT_TRUE(ChooseMenuItem(kMenuHide));
    ASSERT_TRUE(WaitUntil([&] { return program.VisibleForms().empty(); }));
    TrayMouse({WM_LBUTTONDBLCLK, WM_LBUTTONUP});
    ASSERT_NE(program.WaitForVisibleWindow("TMainForm"), nullptr);
    Sleep(200);
    EXPECT_EQ(program.VisibleForms(), Entries{"TMainForm"});
    // "Show Orvik Encoder" from the icon's menu keeps it that way.
    TrayMouse({WM_RBUTTONDOWN, WM_RBUTTONUP});
    ASSERT_TRUE(ChooseMenuItem(kMenuShow));
    EXPECT_EQ(program.VisibleForms(), Entries{"TMainForm"});
}

TEST_F(Persistence, AModalPlayerHiddenByHideAllComesBackWithTheMainWindow) {
    Program program;
    Start(program);
    AddFile(program, MakeFile(program.Folder(), "a.wav"));
    ClickClient(main, 52 + 20, 24 + 20);  // play
    HWND player = program.WaitForVisibleWindow("TPlayForm");
    ASSERT_NE(player, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowEnabled(main); }));
    TrayMouse({WM_RBUTTONDOWN, WM_RBUTTONUP});  // the only route left
    ASSERT_TRUE(ChooseMenuItem(kMenuHide));
    ASSERT_TRUE(WaitUntil([&] { return program.VisibleForms().empty(); }));
    TrayMouse({WM_LBUTTONDBLCLK, WM_LBUTTONUP});
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(main) && IsWindowVisible(player); }));
    PostMessageA(player, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(player); }));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(main) != FALSE; }));
    EXPECT_EQ(ListCount(list), 1);
}

TEST_F(Persistence, PlayingAgainWhileThePlayerIsModalBringsItForwardAndNothingEnds) {
    Program program;
    Start(program);
    AddFile(program, MakeFile(program.Folder(), "a.wav"));
    TrayMouse({WM_RBUTTONDOWN, WM_RBUTTONUP});
    ASSERT_TRUE(ChooseMenuItem(kMenuHide));
    ASSERT_TRUE(WaitUntil([&] { return program.VisibleForms().empty(); }));
    TrayMouse({WM_RBUTTONDOWN, WM_RBUTTONUP});
    ASSERT_TRUE(ChooseMenuItem(kMenuPlay));
    HWND player = program.WaitForVisibleWindow("TPlayForm");
    ASSERT_NE(player, nullptr);
    TrayMouse({WM_RBUTTONDOWN, WM_RBUTTONUP});
    ASSERT_TRUE(ChooseMenuItem(kMenuShow));
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; }));
    for (int i = 0; i < 2; ++i) PressKey(main, 'P', true);
    Sleep(300);
    EXPECT_EQ(WaitForMessageBox(program.ProcessId(), 300), nullptr) << "an error box";
    ASSERT_TRUE(program.Running());
    EXPECT_TRUE(IsWindowVisible(player));
    PostMessageA(player, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(main) != FALSE; }));
    Exit(program);
}

TEST_F(Persistence, LoggingOffSavesTheListAndRemovesTheIcon) {
    Program program;
    Start(program);
    const std::string file = MakeFile(program.Folder(), "a.wav");
    AddFile(program, file);
    // What the system sends at log-off: the query to the program's window,
    // then the end of the session to every window; then the process goes.
    HWND app = program.FindWindowOfClass("TApplication");
    DWORD_PTR answer = 0;
    ASSERT_TRUE(SendMessageTimeoutA(app, WM_QUERYENDSESSION, 0, 0, SMTO_BLOCK, 10000, &answer));
    EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE));
    EXPECT_EQ(StoredText("TMainForm.ListBox1_Items", "Item0"), file);
    for (HWND w : {app, main, tray}) SendMessageTimeoutA(w, WM_ENDSESSION, TRUE, 0, SMTO_BLOCK, 10000, &answer);
    EXPECT_FALSE(IconPresent(tray));
    EXPECT_EQ(StoredText("TMainForm.ListBox1_Items", "Count"), "1");
}

TEST_F(Persistence, AStoreKeyThatCannotBeWrittenGivesOneErrorBoxAndTheProgramStillEnds) {
    {
        Program first(keepStore());
        Start(first);
        AddFile(first, MakeFile(first.Folder(), "kept.wav"));
        Exit(first);
    }
    ASSERT_TRUE(DenyStoreWrites(kStore));

    Program program(keepStore());
    Start(program);
    ASSERT_EQ(ListCount(list), 1);
    AddFile(program, MakeFile(program.Folder(), "new.wav"));
    PressKey(main, VK_F12);
    int boxes = 0;
    std::string text;
    while (program.Running() && boxes < 3) {
        HWND box = nullptr;
        WaitUntil([&] { return (box = WaitForOpenDialog(program.ProcessId(), 200)) != nullptr || !program.Running(); },
                  10000);
        if (!box) break;
        ++boxes;
        // The program is ending: its icon opens nothing any more.
        TrayMouse({WM_RBUTTONDOWN, WM_RBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP});
        Sleep(300);
        EXPECT_EQ(VisibleMenu(), nullptr);
        for (HWND c = FindWindowExA(box, nullptr, "Static", nullptr); c; c = FindWindowExA(box, c, "Static", nullptr))
            if (!WindowText(c).empty()) text = WindowText(c);
        EXPECT_EQ(WindowText(box), "Orvikplayer");
        PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
        WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); });
    }
    DWORD code = 99;
    ASSERT_TRUE(program.WaitForExit(15000, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(boxes, 1);
    EXPECT_EQ(text, "Failed to create key TMainForm.");
    EXPECT_EQ(StoredText("TMainForm.ListBox1_Items", "Count"), "1");
}

// A long stored list is read a part at a time after the window shows; an
// entry added meanwhile still comes after all the stored ones, and the exit
// saves the whole list.
TEST_F(Persistence, AnEntryAddedWhileALongListIsReadComesAfterItAndAllIsSaved) {
    constexpr int kStored = 20000;
    HKEY form = nullptr, items = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, (std::string(kStore) + "\\TMainForm").c_str(), 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &form, nullptr), ERROR_SUCCESS);
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, (std::string(kStore) + "\\TMainForm.ListBox1_Items").c_str(), 0,
                              nullptr, 0, KEY_ALL_ACCESS, nullptr, &items, nullptr), ERROR_SUCCESS);
    auto put = [](HKEY key, const std::string& name, const std::string& text) {
        RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>(text.size() + 1));
    };
    auto entry = [](int i) { return "C:\\Music\\" + std::to_string(i) + ".mp3"; };
    put(form, "FormVersion", "0");
    put(items, "Count", std::to_string(kStored));
    for (int i = 0; i < kStored; ++i) put(items, "Item" + std::to_string(i), entry(i));
    RegCloseKey(form);
    RegCloseKey(items);

    Program program(keepStore());
    Start(program);
    std::printf("entries listed when the window was ready: %d of %d\n", ListCount(list), kStored);
    const std::string added = MakeFile(program.Folder(), "added.wav");
    PressKey(main, 'O', true);
    ASSERT_TRUE(ConfirmOpenDialog(program.ProcessId(), added));
    ASSERT_TRUE(WaitUntil([&] { return ListCount(list) == kStored + 1; }));
    EXPECT_EQ(ListEntry(list, kStored - 1), entry(kStored - 1));
    EXPECT_EQ(ListEntry(list, kStored), added);
    Exit(program);
    EXPECT_EQ(StoredText("TMainForm.ListBox1_Items", "Count"), std::to_string(kStored + 1));
    EXPECT_EQ(StoredText("TMainForm.ListBox1_Items", ("Item" + std::to_string(kStored - 1)).c_str()), entry(kStored - 1));
    EXPECT_EQ(StoredText("TMainForm.ListBox1_Items", ("Item" + std::to_string(kStored)).c_str()), added);
}
