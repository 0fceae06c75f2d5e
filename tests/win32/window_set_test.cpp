// The window set, the error box and the shadow label on the real platform.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include <atomic>
#include <functional>
#include <vector>
#include <utility>
#include <string>
#include <thread>

#include "app/Exception.h"
#include "app/win32/Application.h"
#include "OrvikPlayer/win32/WindowSet.h"
#include "controls/win32/ShadowLabel.h"
#include "encoding/win32/AacForm.h"
#include "encoding/win32/ControlIds.h"
#include "encoding/win32/GoGoForm.h"
#include "encoding/win32/LameVorbisForm.h"
#include "encoding/win32/WmaForm.h"
#include "playback/win32/PlayerForm.h"
#include "shell/win32/MainForm.h"

using namespace orvik;

namespace {
// Creates the window set once for these tests and takes it down at the end.
WindowSet* g_windows = nullptr;
MainForm& Main() { return g_windows->Main(); }
PlayerForm& Player() { return g_windows->Player(); }
LameVorbisForm& Encoder() { return g_windows->LameVorbis(); }
void HideAll() { Application::Instance().HideAll(); }
void ShowMain() { Application::Instance().ShowMain(); }

class WindowSetTest : public testing::Test {
protected:
    static void SetUpTestSuite() { g_windows = new WindowSet(); }
    static void TearDownTestSuite() {
        delete g_windows;
        g_windows = nullptr;
    }
};

std::string TextOfChild(HWND parent, int id) {
    char text[512] = {};
    GetDlgItemTextA(parent, id, text, sizeof text);
    return text;
}

// Waits on another thread for the error box, reads its caption and text,
// and closes it.
struct ErrorBoxReader {
    std::string caption, text;
    std::thread thread;
    std::atomic<bool> stop{false};
    void Start() {
        thread = std::thread([this] {
            for (int i = 0; i < 500 && !stop; ++i) {
                HWND box = FindWindowA("#32770", nullptr);
                if (box && IsWindowVisible(box)) {
                    char c[256] = {};
                    GetWindowTextA(box, c, sizeof c);
                    caption = c;
                    text = TextOfChild(box, 0xFFFF);
                    PostMessageA(box, WM_COMMAND, IDOK, 0);
                    return;
                }
                Sleep(10);
            }
        });
    }
    void Join() { thread.join(); }
    // Joins at once when no box came.
    void Stop() {
        stop = true;
        Join();
    }
};

// Drops the names (each ended by a zero) onto the main window as the shell
// does: a real HDROP with wide names.
void DropOnMain(const std::wstring& names) {
    HGLOBAL drop = GlobalAlloc(GHND, sizeof(DROPFILES) + (names.size() + 1) * sizeof(wchar_t));
    auto* header = static_cast<DROPFILES*>(GlobalLock(drop));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    memcpy(header + 1, names.data(), names.size() * sizeof(wchar_t));
    GlobalUnlock(drop);
    SendMessageA(Main().Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
}

std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

// A folder of `count` empty files under the temporary folder; their names.
std::vector<std::string> MakeFiles(const std::string& name, int count) {
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    const std::string folder = std::string(temp) + name;
    CreateDirectoryA(folder.c_str(), nullptr);
    std::vector<std::string> files;
    for (int i = 0; i < count; ++i) {
        files.push_back(folder + "\\" + std::to_string(i) + ".wav");
        CloseHandle(CreateFileA(files.back().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    }
    return files;
}

void DeleteFiles(const std::vector<std::string>& files) {
    for (const std::string& f : files) DeleteFileA(f.c_str());
    if (!files.empty()) RemoveDirectoryA(files[0].substr(0, files[0].rfind('\\')).c_str());
}
}  // namespace

TEST_F(WindowSetTest, CreatesSixWindowsWithOnlyTheirCaptionsAndFramesAndShowsOnlyTheMainOne) {
    struct Expected {
        Form* form;
        const char* caption;
    } forms[] = {
        {&Main(), "Orvik Encoder"},
        {&Player(), "Player"},
        {&Encoder(), "Media Encoder - Lame MP3, Vorbis OGG"},
        {&g_windows->GoGo(), "Media Encoder - GoGo MP3"},
        {&g_windows->Aac(), "Media Encoder - AAC"},
        {&g_windows->Wma(), "Media Encode - WMA"},
    };
    for (const Expected& e : forms) {
        ASSERT_NE(e.form, nullptr);
        char caption[128] = {};
        GetWindowTextA(e.form->Handle(), caption, sizeof caption);
        EXPECT_STREQ(caption, e.caption);
        EXPECT_EQ(e.form->Visible(), e.form == &Main()) << e.caption;
        // Owned by the application window: no taskbar buttons of their own.
        EXPECT_EQ(GetWindow(e.form->Handle(), GW_OWNER), Application::Instance().Handle());
    }
    EXPECT_EQ(GetWindowLongA(Main().Handle(), GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), 0);
    EXPECT_TRUE(GetWindowLongA(Encoder().Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(GetWindowLongA(Encoder().Handle(), GWL_STYLE) & WS_THICKFRAME);
    EXPECT_TRUE(GetWindowLongA(Player().Handle(), GWL_STYLE) & WS_THICKFRAME);
}

TEST_F(WindowSetTest, HideAllAndShowMainAndTheTaskbarEntry) {
    HWND app = Application::Instance().Handle();
    ShowMain();
    Encoder().Show();
    EXPECT_TRUE(Main().Visible());
    EXPECT_TRUE(IsWindowVisible(app));
    HideAll();
    EXPECT_FALSE(Main().Visible());
    EXPECT_FALSE(Encoder().Visible());
    EXPECT_FALSE(IsWindowVisible(app));
    HideAll();  // already hidden: nothing changes
    EXPECT_FALSE(IsWindowVisible(app));
    ShowMain();
    EXPECT_TRUE(Main().Visible());
    EXPECT_FALSE(Encoder().Visible());  // show-main shows only the main window
    EXPECT_TRUE(IsWindowVisible(app));
    // A close request for a dialog only hides it.
    Encoder().Show();
    SendMessageA(Encoder().Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(Encoder().Visible());
    EXPECT_TRUE(IsWindow(Encoder().Handle()));
    HideAll();
}

TEST_F(WindowSetTest, PlayingWhileThePlayerIsOpenIsRefusedAndThePlayerStays) {
    Main().Media().ReplaceAll({"C:\\a.wav"});
    Main().Media().SetSelectedIndex(0);
    Player().Show();
    // "Play Selected File" from the tray menu while the player is open.
    try {
        Main().PlayFile();
        ADD_FAILURE() << "a visible player was shown modally";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Cannot make a visible window modal");
    }
    EXPECT_TRUE(Player().Visible());
    EXPECT_TRUE(IsWindowEnabled(Main().Handle()));
    Player().Hide();
    Main().Media().ReplaceAll({});
}

TEST_F(WindowSetTest, AnExceptionEscapingAHandlerGoesToTheErrorBoxAndTheProgramCarriesOn) {
    ShowMain();
    Main().EncodeButton().onClick = [] { throw Exception("Failed to create key TMainForm"); };
    ErrorBoxReader reader;
    reader.Start();
    // A click on the encode button, as the window receives it.
    const LPARAM at = MAKELPARAM(92 + 20, 24 + 20);
    SendMessageA(Main().Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(Main().Handle(), WM_LBUTTONUP, 0, at);
    reader.Join();
    Main().EncodeButton().onClick = [] { Main().EncodeFile(); };
    EXPECT_EQ(reader.caption, "win32_tests");
    EXPECT_EQ(reader.text, "Failed to create key TMainForm.");
    EXPECT_TRUE(IsWindow(Main().Handle()));
    HideAll();
}

// Files dragged from Explorer onto the window, as the shell hands them
// over: a real HDROP with wide names.
TEST_F(WindowSetTest, DroppedFilesAreAddedInOrderAndOneBoxNamesWhatIsNot) {
    ShowMain();
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    const std::string folder = std::string(temp) + "orvik-drop";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string first = folder + "\\one.wav", second = folder + "\\two (2).mp3";
    for (const std::string& f : {first, second}) CloseHandle(CreateFileA(f.c_str(), GENERIC_WRITE, 0, nullptr,
                                                                        CREATE_ALWAYS, 0, nullptr));
    // A Greek name goes in whole: the program (and this test) runs in UTF-8.
    const std::wstring greek = std::wstring(folder.begin(), folder.end()) + L"\\\x03B1\x03B2 song.wav";
    CloseHandle(CreateFileW(greek.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    const std::wstring names = std::wstring(second.begin(), second.end()) + L'\0' +
                               std::wstring(folder.begin(), folder.end()) + L'\0' + L"C:\\gone.wav" + L'\0' +
                               std::wstring(first.begin(), first.end()) + L'\0' + greek + L'\0';
    Main().Media().ReplaceAll({"stored.wav"});
    ErrorBoxReader reader;
    reader.Start();
    DropOnMain(names);
    reader.Join();
    const std::vector<std::string> added = Main().Media().All();
    ASSERT_EQ(added.size(), 4u);
    EXPECT_EQ(std::vector<std::string>(added.begin(), added.begin() + 3),
              (std::vector<std::string>{"stored.wav", second, first}));
    EXPECT_EQ(added[3], folder + "\\\xCE\xB1\xCE\xB2 song.wav");
    EXPECT_EQ(Main().Media().SelectedIndex(), 0);
    EXPECT_NE(reader.text.find(folder + "  (a folder, not a file)"), std::string::npos) << reader.text;
    EXPECT_NE(reader.text.find("C:\\gone.wav  (not found)"), std::string::npos) << reader.text;
    EXPECT_EQ(reader.text.find("\\one.wav"), std::string::npos) << reader.text;
    EXPECT_TRUE(GetWindowLongA(Main().Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    Main().Media().ReplaceAll({});
    for (const std::string& f : {first, second}) DeleteFileA(f.c_str());
    DeleteFileW(greek.c_str());
    RemoveDirectoryA(folder.c_str());
    HideAll();
}

// A drop of ten thousand files (a hundred, each named a hundred times): all
// of them added, in order, at once.
TEST_F(WindowSetTest, ADropOfTenThousandFilesAddsThemAll) {
    ShowMain();
    const std::vector<std::string> made = MakeFiles("orvik-drop-many", 100);
    std::vector<std::string> files;
    std::wstring names;
    for (int i = 0; i < 10000; ++i) files.push_back(made[i % 100]);
    for (const std::string& f : files) names += Wide(f) + L'\0';
    Main().Media().ReplaceAll({});
    ErrorBoxReader reader;
    reader.Start();
    DropOnMain(names);
    reader.Stop();
    EXPECT_EQ(reader.text, "");
    EXPECT_EQ(Main().Media().All(), files);
    EXPECT_EQ(Main().Media().SelectedIndex(), 0);
    Main().Media().ReplaceAll({});
    DeleteFiles(made);
    HideAll();
}

// The list holds 32767 entries: adding stops there, and says so.
TEST_F(WindowSetTest, AddingStopsAtTheListsLimitWithAMessage) {
    ShowMain();
    const std::vector<std::string> files = MakeFiles("orvik-drop-full", 3);
    Main().Media().ReplaceAll(std::vector<std::string>(32765, "stored.wav"));
    ErrorBoxReader reader;
    reader.Start();
    DropOnMain(Wide(files[0]) + L'\0' + L"C:\\gone.wav" + L'\0' + Wide(files[1]) + L'\0' + Wide(files[2]) + L'\0');
    reader.Join();
    EXPECT_EQ(Main().Media().Count(), 32767);
    EXPECT_EQ(Main().Media().Entry(32766), files[1]);
    EXPECT_NE(reader.text.find("C:\\gone.wav  (not found)\n\nThe list holds 32767 entries at most: 1 file was not added."),
              std::string::npos)
        << reader.text;
    Main().Media().ReplaceAll({});
    DeleteFiles(files);
    HideAll();
}

TEST_F(WindowSetTest, TitleLabelSizesItselfToItsTextWithTheShadowAboveIt) {
    const ShadowLabel& label = Main().TitleLabel();
    // Measure the caption the way the label does, with its font.
    HDC dc = GetDC(nullptr);
    HFONT font = CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "MS Sans Serif");
    HGDIOBJ old = SelectObject(dc, font);
    RECT r{0, 0, 0, 0};
    DrawTextA(dc, "Orvik Encoder", -1, &r, DT_CALCRECT | DT_EXPANDTABS);
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
    EXPECT_EQ(label.Bounds().left, 21);
    EXPECT_EQ(label.Bounds().top, 4);
    EXPECT_EQ(label.Width(), r.right + 2);
    EXPECT_EQ(label.Height(), r.bottom);
    EXPECT_TRUE(label.Transparent());
}

namespace {
// The main window's client area as the window draws it.
struct ClientPixels {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
    explicit ClientPixels(HWND hwnd) {
        HDC screen = GetDC(nullptr);
        dc = CreateCompatibleDC(screen);
        bitmap = CreateCompatibleBitmap(screen, 306, 184);
        ReleaseDC(nullptr, screen);
        old = SelectObject(dc, bitmap);
        SendMessageA(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    }
    ~ClientPixels() {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    COLORREF At(int x, int y) const { return GetPixel(dc, x, y); }
};

COLORREF SkinPixel(int x, int y) {
    HBITMAP skin = static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), "MAIN_SKIN", IMAGE_BITMAP, 0, 0, 0));
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, skin);
    const COLORREF c = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(skin);
    return c;
}
}  // namespace

TEST_F(WindowSetTest, TitleLabelIsTransparentOverTheSkinAndDrawsTextAndShadow) {
    const RECT b = Main().TitleLabel().Bounds();
    ClientPixels pixels(Main().Handle());
    // Where no letter is (the label's last column), the skin shows, not the label's red.
    const int x = b.right - 1, y = b.bottom - 1;
    EXPECT_EQ(pixels.At(x, y), SkinPixel(x, y));
    int text = 0, shadow = 0;
    for (int yy = b.top - 1; yy < b.bottom; ++yy)
        for (int xx = b.left - 1; xx < b.right; ++xx) {
            const COLORREF c = pixels.At(xx, yy);
            if (c == RGB(0, 0, 0)) ++text;
            if (c == GetSysColor(COLOR_BACKGROUND)) ++shadow;
            EXPECT_NE(c, RGB(255, 0, 0));
        }
    EXPECT_GT(text, 20);
    EXPECT_GT(shadow, 5);
}

TEST_F(WindowSetTest, TitleLabelTracksThePointer) {
    ShowMain();
    SetForegroundWindow(Main().Handle());
    int enters = 0, leaves = 0;
    Main().TitleLabel().onMouseEnter = [&] { ++enters; };
    Main().TitleLabel().onMouseLeave = [&] { ++leaves; };
    // The header strip lies over the label and catches the mouse there, so
    // the label only hears of the pointer where it is the topmost control.
    const RECT b = Main().TitleLabel().Bounds();
    Main().Header().SetVisible(false);
    SendMessageA(Main().Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(b.left + 5, b.top + 5));
    EXPECT_EQ(enters, 1);
    SendMessageA(Main().Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(b.left + 6, b.top + 5));
    EXPECT_EQ(enters, 1);  // still inside: no second notice
    SendMessageA(Main().Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(150, 178));
    EXPECT_EQ(leaves, 1);
    Main().TitleLabel().SetEnabled(false);
    SendMessageA(Main().Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(b.left + 5, b.top + 5));
    EXPECT_EQ(enters, 1);  // a disabled label takes no notice
    Main().TitleLabel().SetEnabled(true);
    Main().Header().SetVisible(true);
    Main().TitleLabel().onMouseEnter = nullptr;
    Main().TitleLabel().onMouseLeave = nullptr;
    HideAll();
}

TEST_F(WindowSetTest, FlatButtonsDrawARaisedFrameUnderThePointerAndASunkenOneWhilePressed) {
    ShowMain();
    SetForegroundWindow(Main().Handle());
    const LPARAM over = MAKELPARAM(52 + 20, 24 + 20);  // the play button
    auto corner = [] {
        ClientPixels pixels(Main().Handle());
        return std::make_pair(pixels.At(52, 24), pixels.At(52 + 39, 24 + 39));
    };
    const auto plain = corner();
    SendMessageA(Main().Handle(), WM_MOUSEMOVE, 0, over);
    const auto raised = corner();
    EXPECT_EQ(raised.first, GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(raised.second, GetSysColor(COLOR_BTNSHADOW));
    SendMessageA(Main().Handle(), WM_LBUTTONDOWN, MK_LBUTTON, over);
    const auto sunken = corner();
    EXPECT_EQ(sunken.first, GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(sunken.second, GetSysColor(COLOR_BTNHIGHLIGHT));
    // Released outside: no click (no selection would beep), the frame goes.
    SendMessageA(Main().Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(150, 178));
    SendMessageA(Main().Handle(), WM_LBUTTONUP, 0, MAKELPARAM(150, 178));
    EXPECT_EQ(corner(), plain);
    EXPECT_FALSE(Player().Visible());
    // A modal window disables the form: the hover frame must not stay lit.
    SendMessageA(Main().Handle(), WM_MOUSEMOVE, 0, over);
    EXPECT_EQ(corner(), raised);
    EnableWindow(Main().Handle(), FALSE);
    EXPECT_EQ(corner(), plain);
    EnableWindow(Main().Handle(), TRUE);
    HideAll();
}

TEST(Resources, TheProgramIconIs32By32With256Colours) {
    HRSRC group = FindResourceA(GetModuleHandleA(nullptr), "MAINICON", MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
    ASSERT_NE(group, nullptr);
    const BYTE* dir = static_cast<const BYTE*>(LockResource(LoadResource(GetModuleHandleA(nullptr), group)));
    ASSERT_NE(dir, nullptr);
    const WORD count = *reinterpret_cast<const WORD*>(dir + 4);
    ASSERT_EQ(count, 1);
    const BYTE* entry = dir + 6;  // width, height, colour count, reserved, planes, bit count...
    EXPECT_EQ(entry[0], 32);
    EXPECT_EQ(entry[1], 32);
    EXPECT_EQ(*reinterpret_cast<const WORD*>(entry + 6), 8);  // bits per pixel: 256 colours
}

namespace {
bool IsGroupBox(HWND w) {
    char cls[32] = {};
    GetClassNameA(w, cls, sizeof cls);
    return lstrcmpiA(cls, "Button") == 0 && (GetWindowLongA(w, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}
}  // namespace

// The encoder dialogs make their controls when first shown, before they
// appear; every group box lies behind the controls inside it, which keep
// their order for Tab.
TEST_F(WindowSetTest, EncoderDialogsMakeTheirControlsWhenFirstShownWithGroupBoxesBehind) {
    struct Dialog {
        Form* form;
        std::function<bool()> built;
        std::vector<int> tabOrder;  // the first tab stops, from the start
    } dialogs[] = {
        {&Encoder(), [] { return Encoder().Built(); }, {kIdLameChooser, kIdLameBitRate}},
        {&g_windows->GoGo(), [] { return g_windows->GoGo().Built(); },
         {kIdGoGoChooser, kIdGoGoBitRate, kIdGoGoQuality}},
        {&g_windows->Aac(), [] { return g_windows->Aac().Built(); }, {kIdAacChooser, kIdAacBitRate}},
        {&g_windows->Wma(), [] { return g_windows->Wma().Built(); }, {kIdWmaChooser, kIdWmaBitRate}},
    };
    for (Dialog& d : dialogs) {
        HWND dialog = d.form->Handle();
        if (!d.built()) {
            EXPECT_EQ(GetWindow(dialog, GW_CHILD), nullptr);
        }
        d.form->Show();
        ASSERT_TRUE(d.built());
        std::vector<HWND> zOrder;  // top first
        for (HWND w = GetWindow(dialog, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) zOrder.push_back(w);
        ASSERT_FALSE(zOrder.empty());
        for (size_t box = 0; box < zOrder.size(); ++box) {
            if (!IsGroupBox(zOrder[box])) continue;
            RECT frame;
            GetWindowRect(zOrder[box], &frame);
            for (size_t below = box + 1; below < zOrder.size(); ++below) {
                RECT r;
                GetWindowRect(zOrder[below], &r);
                RECT common;
                EXPECT_FALSE(!IsGroupBox(zOrder[below]) && IsWindowVisible(zOrder[below]) &&
                             IsWindowVisible(zOrder[box]) && IntersectRect(&common, &frame, &r))
                    << "a control lies behind a group box in dialog " << GetDlgCtrlID(zOrder[below]);
            }
        }
        HWND stop = nullptr;
        for (int id : d.tabOrder) {
            stop = GetNextDlgTabItem(dialog, stop, FALSE);
            EXPECT_EQ(stop, GetDlgItem(dialog, id));
        }
        d.form->Hide();
    }
}
