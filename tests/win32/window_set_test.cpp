// The window set, the error box and the shadow label on the real platform.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <utility>
#include <string>
#include <thread>

#include "app/Exception.h"
#include "app/win32/Application.h"
#include "app/win32/WindowSet.h"
#include "controls/win32/RxLabel.h"
#include "encoding/win32/EncodeForm.h"
#include "playback/win32/PlayForm.h"
#include "shell/win32/MainForm.h"

using namespace orvik;

namespace {
// Creates the window set once for these tests and takes it down at the end.
class WindowSetTest : public testing::Test {
protected:
    static void SetUpTestSuite() { CreateWindowSet(); }
    static void TearDownTestSuite() { DestroyWindowSet(); }
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
    void Start() {
        thread = std::thread([this] {
            for (int i = 0; i < 500; ++i) {
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
};
}  // namespace

TEST_F(WindowSetTest, CreatesSixWindowsWithOnlyTheirCaptionsAndFramesAndAllHidden) {
    struct Expected {
        Form* form;
        const char* caption;
    } forms[] = {
        {MainForm, "Orvik Encoder"},
        {PlayForm, "Player"},
        {EncodeForm, "Media Encoder - Lame MP3, Vorbis OGG"},
        {reinterpret_cast<Form*>(EncodeForm2), "Media Encoder - GoGo MP3"},
        {reinterpret_cast<Form*>(EncodeForm3), "Media Encoder - AAC"},
        {reinterpret_cast<Form*>(EncodeForm4), "Media Encode - WMA"},
    };
    for (const Expected& e : forms) {
        ASSERT_NE(e.form, nullptr);
        char caption[128] = {};
        GetWindowTextA(e.form->Handle(), caption, sizeof caption);
        EXPECT_STREQ(caption, e.caption);
        EXPECT_FALSE(e.form->Visible()) << e.caption;
        // Owned by the application window: no taskbar buttons of their own.
        EXPECT_EQ(GetWindow(e.form->Handle(), GW_OWNER), Application::Instance().Handle());
    }
    EXPECT_EQ(GetWindowLongA(MainForm->Handle(), GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), 0);
    EXPECT_TRUE(GetWindowLongA(EncodeForm->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(GetWindowLongA(EncodeForm->Handle(), GWL_STYLE) & WS_THICKFRAME);
    EXPECT_TRUE(GetWindowLongA(PlayForm->Handle(), GWL_STYLE) & WS_THICKFRAME);
}

TEST_F(WindowSetTest, HideAllAndShowMainAndTheTaskbarEntry) {
    HWND app = Application::Instance().Handle();
    ShowMain();
    EncodeForm->Show();
    EXPECT_TRUE(MainForm->Visible());
    EXPECT_TRUE(IsWindowVisible(app));
    HideAll();
    EXPECT_FALSE(MainForm->Visible());
    EXPECT_FALSE(EncodeForm->Visible());
    EXPECT_FALSE(IsWindowVisible(app));
    HideAll();  // already hidden: nothing changes
    EXPECT_FALSE(IsWindowVisible(app));
    ShowMain();
    EXPECT_TRUE(MainForm->Visible());
    EXPECT_FALSE(EncodeForm->Visible());  // show-main shows only the main window
    EXPECT_TRUE(IsWindowVisible(app));
    // A close request for a dialog only hides it.
    EncodeForm->Show();
    SendMessageA(EncodeForm->Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(EncodeForm->Visible());
    EXPECT_TRUE(IsWindow(EncodeForm->Handle()));
    HideAll();
}

TEST_F(WindowSetTest, PlayingWhileThePlayerIsOpenIsRefusedAndThePlayerStays) {
    MainForm->Media().ReplaceAll({"C:\\a.wav"});
    MainForm->Media().SetSelectedIndex(0);
    PlayForm->Show();
    // "Play Selected File" from the tray menu while the player is open.
    try {
        MainForm->RxPopupMenu1.Click("PlaySelectedFile1");
        ADD_FAILURE() << "a visible player was shown modally";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Cannot make a visible window modal");
    }
    EXPECT_TRUE(PlayForm->Visible());
    EXPECT_TRUE(IsWindowEnabled(MainForm->Handle()));
    PlayForm->Hide();
    MainForm->Media().ReplaceAll({});
}

TEST_F(WindowSetTest, AnExceptionEscapingAHandlerGoesToTheErrorBoxAndTheProgramCarriesOn) {
    ShowMain();
    MainForm->EncodeFile.OnClick = [] { throw Exception("Failed to create key TMainForm"); };
    ErrorBoxReader reader;
    reader.Start();
    // A click on the encode button, as the window receives it.
    const LPARAM at = MAKELPARAM(92 + 20, 24 + 20);
    SendMessageA(MainForm->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(MainForm->Handle(), WM_LBUTTONUP, 0, at);
    reader.Join();
    MainForm->EncodeFile.OnClick = [] { MainForm->EncodeFileClick(); };
    EXPECT_EQ(reader.caption, "win32_tests");
    EXPECT_EQ(reader.text, "Failed to create key TMainForm.");
    EXPECT_TRUE(IsWindow(MainForm->Handle()));
    HideAll();
}

TEST_F(WindowSetTest, TitleLabelSizesItselfToItsTextWithTheShadowAboveIt) {
    const TRxLabel& label = MainForm->RxLabel1;
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
    const RECT b = MainForm->RxLabel1.Bounds();
    ClientPixels pixels(MainForm->Handle());
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
    SetForegroundWindow(MainForm->Handle());
    int enters = 0, leaves = 0;
    MainForm->RxLabel1.OnMouseEnter = [&] { ++enters; };
    MainForm->RxLabel1.OnMouseLeave = [&] { ++leaves; };
    // The header strip lies over the label and catches the mouse there, so
    // the label only hears of the pointer where it is the topmost control.
    const RECT b = MainForm->RxLabel1.Bounds();
    MainForm->Head.SetVisible(false);
    SendMessageA(MainForm->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(b.left + 5, b.top + 5));
    EXPECT_EQ(enters, 1);
    SendMessageA(MainForm->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(b.left + 6, b.top + 5));
    EXPECT_EQ(enters, 1);  // still inside: no second notice
    SendMessageA(MainForm->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(150, 178));
    EXPECT_EQ(leaves, 1);
    MainForm->RxLabel1.SetEnabled(false);
    SendMessageA(MainForm->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(b.left + 5, b.top + 5));
    EXPECT_EQ(enters, 1);  // a disabled label takes no notice
    MainForm->RxLabel1.SetEnabled(true);
    MainForm->Head.SetVisible(true);
    MainForm->RxLabel1.OnMouseEnter = nullptr;
    MainForm->RxLabel1.OnMouseLeave = nullptr;
    HideAll();
}

TEST_F(WindowSetTest, FlatButtonsDrawARaisedFrameUnderThePointerAndASunkenOneWhilePressed) {
    ShowMain();
    SetForegroundWindow(MainForm->Handle());
    const LPARAM over = MAKELPARAM(52 + 20, 24 + 20);  // the play button
    auto corner = [] {
        ClientPixels pixels(MainForm->Handle());
        return std::make_pair(pixels.At(52, 24), pixels.At(52 + 39, 24 + 39));
    };
    const auto plain = corner();
    SendMessageA(MainForm->Handle(), WM_MOUSEMOVE, 0, over);
    const auto raised = corner();
    EXPECT_EQ(raised.first, GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(raised.second, GetSysColor(COLOR_BTNSHADOW));
    SendMessageA(MainForm->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, over);
    const auto sunken = corner();
    EXPECT_EQ(sunken.first, GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(sunken.second, GetSysColor(COLOR_BTNHIGHLIGHT));
    // Released outside: no click (no selection would beep), the frame goes.
    SendMessageA(MainForm->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(150, 178));
    SendMessageA(MainForm->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(150, 178));
    EXPECT_EQ(corner(), plain);
    EXPECT_FALSE(PlayForm->Visible());
    // A modal window disables the form: the hover frame must not stay lit.
    SendMessageA(MainForm->Handle(), WM_MOUSEMOVE, 0, over);
    EXPECT_EQ(corner(), raised);
    EnableWindow(MainForm->Handle(), FALSE);
    EXPECT_EQ(corner(), plain);
    EnableWindow(MainForm->Handle(), TRUE);
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
