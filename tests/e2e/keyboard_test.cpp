// Every task by keys alone: the program used without the mouse from start to
// end. Files come in through the open dialog, the player is run through its
// transport buttons, slider and switch by Tab, Space, Enter and the arrows,
// an encode starts from a browse button and from Enter in a field of the
// Lame, GoGo, AAC and WMA dialogs, a chooser is browsed, Ctrl+M brings the
// main window forward, dialogs are closed with Alt+F4, everything is hidden
// and brought back through the notification icon as Windows sends its keys,
// and F12 ends the program. Each step asserts what it did.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "Driver.h"
#include "encoding/CommandLine.h"
#include "encoding/EncoderOptions.h"
#include "encoding/win32/ControlIds.h"
#include "playback/win32/PlayerControlIds.h"
#include "win32/TestSupport.h"

using namespace e2e;
using namespace orvik;

namespace {

constexpr UINT kTrayMessage = 0xB054;

ProgramOptions WithLame() {
    ProgramOptions o;
    o.extraFiles = {{"fake_tool.exe", "lame.exe"},
                    {"fake_tool.exe", "gogo.exe"},
                    {"fake_tool.exe", "faac.exe"},
                    {"fake_tool.exe", "WM8EUTIL.exe"}};
    return o;
}

class Keyboard : public testing::Test {
protected:
    Keyboard() : program(WithLame()) {}

    GUITHREADINFO Gui() const { return GuiOf(program.MainWindow()); }
    HWND Focus() const { return Gui().hwndFocus; }
    HWND Active() const { return Gui().hwndActive; }
    // Keys reach the window with the focus when they are queued: each step
    // waits until the one before is done.
    void Key(WORD vk, std::initializer_list<WORD> held = {}) {
        PressChord(vk, held);
        Sleep(100);
    }
    bool Stays(const std::function<bool()>& condition, DWORD ms) {
        for (DWORD waited = 0; waited < ms; waited += 50, Sleep(50))
            if (!condition()) return false;
        return true;
    }

    Program program;
};

}  // namespace

TEST_F(Keyboard, EveryTaskByKeysAlone) {
    ASSERT_TRUE(program.Start());
    HWND main = program.MainWindow();
    HWND list = ChildOfClass(main, "ListBox");
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == main && Focus() == list; }));

    // Ctrl+O: a file joins the list.
    const std::string wav = program.Folder() + "\\song.wav";
    ASSERT_TRUE(test::WriteBytes(wav, test::Wav(9000)));
    Key('O', {VK_CONTROL});
    ASSERT_TRUE(ConfirmOpenDialog(program.ProcessId(), wav));
    ASSERT_TRUE(WaitUntil([&] { return ListCount(list) == 1 && ListSelection(list) == 0; }));

    // Shift+F10: the main menu; Escape closes it.
    Key(VK_F10, {VK_SHIFT});
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(FindWindowA("#32768", nullptr)); })) << "no menu";
    Sleep(150);
    Key(VK_ESCAPE);
    ASSERT_TRUE(WaitForNoMenu());

    // Ctrl+P: the player plays it, the focus on its first button.
    ASSERT_TRUE(WaitUntil([&] { return Focus() == list; }));
    Key('P', {VK_CONTROL});
    HWND player = program.WaitForVisibleWindow("TPlayForm");
    ASSERT_NE(player, nullptr);
    HWND controls = GetDlgItem(player, player_ids::kControlPanel);
    HWND slider = GetDlgItem(controls, player_ids::kPositionSlider);
    HWND advance = GetDlgItem(controls, player_ids::kAdvanceSwitch);
    auto value = [&] { return static_cast<int>(SendMessageW(slider, TBM_GETPOS, 0, 0)); };
    ASSERT_TRUE(WaitUntil([&] { return value() > 300 && Focus() == controls; }));

    // Tab, Tab, Tab: the stop button; Space stops playback.
    for (int i = 0; i < 3; ++i) Key(VK_TAB);
    Key(VK_SPACE);
    Sleep(400);
    const int stoppedAt = value();
    EXPECT_TRUE(Stays([&] { return value() == stoppedAt; }, 800)) << "playback did not stop";
    // Shift+Tab: the play button; Enter plays from the start.
    Key(VK_TAB, {VK_SHIFT});
    Key(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return value() < stoppedAt; })) << "no restart";
    ASSERT_TRUE(WaitUntil([&] { return value() > 0; })) << "not playing";

    // Five Tabs on: the slider. Three Right keys seek three seconds on; the
    // thumb stays there, so MCI went there (the thumb shows its position).
    for (int i = 0; i < 5; ++i) Key(VK_TAB);
    ASSERT_EQ(Focus(), slider);
    const int before = value();
    for (int i = 0; i < 3; ++i) Key(VK_RIGHT);
    ASSERT_TRUE(WaitUntil([&] { return value() >= before + 2700; }, 1000)) << before << " -> " << value();
    Sleep(500);
    EXPECT_GE(value(), before + 2700) << "the tick undid the seek";

    // Tab: the switch; Space turns it off.
    Key(VK_TAB);
    ASSERT_EQ(Focus(), advance);
    ASSERT_EQ(SendMessageW(advance, BM_GETCHECK, 0, 0), BST_CHECKED);
    Key(VK_SPACE);
    EXPECT_TRUE(WaitUntil([&] { return SendMessageW(advance, BM_GETCHECK, 0, 0) == BST_UNCHECKED; }));

    // Alt+F4 closes the player: the main window takes the keys again.
    Key(VK_F4, {VK_MENU});
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(player) && Active() == main && Focus() == list; }));

    // Ctrl+E: the encoder dialog, the focus in its chooser. Four Tabs lead
    // to the input field, one more to its browse button; Enter browses.
    Key('E', {VK_CONTROL});
    HWND dialog = program.WaitForVisibleWindow("TEncodeForm");
    ASSERT_NE(dialog, nullptr);
    HWND chooser = GetDlgItem(dialog, kIdLameChooser);
    HWND input = GetDlgItem(dialog, kIdLameInput);
    ASSERT_TRUE(WaitUntil([&] { return IsChild(chooser, Focus()); }));
    for (int i = 0; i < 4; ++i) Key(VK_TAB);
    ASSERT_EQ(Focus(), input);
    Key(VK_TAB);
    EXPECT_EQ(Focus(), dialog);  // a button the dialog paints has it
    Key(VK_RETURN);
    ASSERT_TRUE(ConfirmOpenDialog(program.ProcessId(), wav));
    ASSERT_TRUE(WaitUntil([&] { return e2e::WindowText(input) == wav && Active() == dialog; }));

    // Shift+Tab back to the field; Enter there encodes.
    Key(VK_TAB, {VK_SHIFT});
    ASSERT_EQ(Focus(), input);
    Key(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return RecordedRuns(program.Folder()).size() == 1; }, 10000)) << "no encode";
    const RecordedRun run = RecordedRuns(program.Folder()).back();
    const std::string options = LameOptionText(true, false, "128", wav, "EncodedFile");
    EXPECT_EQ(run.cmd, "\"" + program.Folder() + "\\lame.exe\" " + ParameterText(options));
    // The tool's console went: the dialog has the keys again.
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == dialog && Focus() == input; }, 10000));

    // The chooser: Down browses without switching; Enter switches.
    for (int i = 0; i < 4; ++i) Key(VK_TAB, {VK_SHIFT});
    ASSERT_TRUE(IsChild(chooser, Focus()));
    Key(VK_DOWN);
    Key(VK_DOWN);
    EXPECT_EQ(e2e::WindowText(chooser), "Vorbis OGG Decoder");
    EXPECT_TRUE(Stays([&] { return !IsWindowVisible(GetDlgItem(dialog, kIdOggDecInput)); }, 500)) << "switched on a key";
    Key(VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(GetDlgItem(dialog, kIdOggDecInput)); })) << "Enter did not switch";

    // Alt+F4 on the dialog: back to the main window, where F12 and Ctrl+O work.
    ASSERT_TRUE(WaitUntil([&] { return Active() == dialog; }));
    Key(VK_F4, {VK_MENU});
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog) && Active() == main && Focus() == list; }));

    // The GoGo, AAC and WMA dialogs, each reached from the chooser before by
    // Down and Enter: a name typed into the input field, Enter there
    // encodes with the dialog's tool.
    const struct {
        const char* windowClass;
        int chooser, input, tabs;  // Tabs from the chooser to the input field
        const char* tool;
        std::string options;
    } dialogs[] = {
        {"TEncodeForm2", kIdGoGoChooser, kIdGoGoInput, 3, "gogo.exe",
         GoGoOptionText("128", "6", "a.wav", "EncodedFile")},
        {"TEncodeForm3", kIdAacChooser, kIdAacInput, 3, "faac.exe", AacOptionText("a.wav", "128", true)},
        {"TEncodeForm4", kIdWmaChooser, kIdWmaInput, 4, "WM8EUTIL.exe",
         WmaOptionText("a.wav", "EncodedFile", true, "128", "75")},
    };
    Key('E', {VK_CONTROL});  // the dialog as left: the decoder face
    ASSERT_TRUE(WaitUntil([&] { return IsChild(GetDlgItem(dialog, kIdOggDecChooser), Focus()); }));
    HWND encoder = dialog;
    size_t runs = 1;
    for (const auto& d : dialogs) {
        SCOPED_TRACE(d.tool);
        Key(VK_DOWN);
        Key(VK_RETURN);
        HWND next = program.WaitForVisibleWindow(d.windowClass);
        ASSERT_NE(next, nullptr);
        ASSERT_TRUE(
            WaitUntil([&] { return !IsWindowVisible(encoder) && IsChild(GetDlgItem(next, d.chooser), Focus()); }));
        encoder = next;
        HWND field = GetDlgItem(encoder, d.input);
        for (int i = 0; i < d.tabs; ++i) Key(VK_TAB);
        ASSERT_EQ(Focus(), field);
        for (char c : std::string("a.wav")) Key(static_cast<WORD>(VkKeyScanA(c) & 0xFF));
        Key(VK_RETURN);
        ASSERT_TRUE(WaitUntil([&] { return RecordedRuns(program.Folder()).size() == runs + 1; }, 10000)) << "no encode";
        ++runs;
        EXPECT_EQ(RecordedRuns(program.Folder()).back().cmd,
                  "\"" + program.Folder() + "\\" + d.tool + "\" " + ParameterText(d.options));
        ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == encoder && Focus() == field; }, 10000));
        for (int i = 0; i < d.tabs; ++i) Key(VK_TAB, {VK_SHIFT});
    }

    // Ctrl+M from the WMA dialog brings the main window forward.
    Key('M', {VK_CONTROL});
    ASSERT_TRUE(WaitUntil([&] { return Active() == main && Focus() == list; }));

    // Ctrl+H from the dialog hides everything.
    Key('E', {VK_CONTROL});
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(dialog) && Active() == dialog; }));
    Key('H', {VK_CONTROL});
    ASSERT_TRUE(WaitUntil([&] { return program.VisibleForms().empty(); }));

    // The icon as Windows sends Win+B and Enter to it: its menu opens at the
    // icon; S, the underlined letter of "Show Orvik Encoder", brings the
    // main window back.
    HWND tray = program.FindWindowOfClass("TTrayIconWindow");
    ASSERT_NE(tray, nullptr);
    PostMessageA(tray, kTrayMessage, 0, WM_RBUTTONDOWN);
    PostMessageA(tray, kTrayMessage, 0, WM_RBUTTONUP);
    HWND menu = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (menu = FindWindowA("#32768", nullptr)) && IsWindowVisible(menu); }));
    RECT at;
    GetWindowRect(menu, &at);
    EXPECT_GT(at.bottom, GetSystemMetrics(SM_CYSCREEN) * 3 / 4);
    Sleep(150);
    Key('S');
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(main) && Active() == main && Focus() == list; }));

    // F12 ends the program.
    Key(VK_F12);
    EXPECT_TRUE(program.WaitForExit(10000));
}
