// The window set, the error box and the shadow label on the real platform.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
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
