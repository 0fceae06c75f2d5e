// The GoGo MP3, AAC and WMA dialogs and the choosers between all six
// encoders, used as a person would: every dialog is reached only through
// the choosers, starting from the main window's encode button; inputs are
// chosen in the real open dialog, entries picked from the lists, switches
// flipped and the spin edit stepped with the mouse, text typed; and each
// (fake) tool's command line, arguments and working directory are checked.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "Driver.h"
#include "Screenshot.h"
#include "encoding/CommandLine.h"
#include "encoding/EncoderOptions.h"
#include "encoding/win32/ControlIds.h"

using namespace e2e;
using namespace orvik;

namespace {

using Forms = std::vector<std::string>;

// Client coordinates (centres) of the windowless controls and switches.
constexpr int kBrowseX = 258 + 11, kBrowseY = 104 + 10;
constexpr int kGoGoEncodeX = 144, kGoGoEncodeY = 168 + 11;
constexpr int kAacEncodeX = 144, kAacEncodeY = 136 + 27, kAacSwitchX = 8 + 72 + 7, kAacSwitchY = 56 + 16 + 8;
constexpr int kWmaEncodeX = 140, kWmaEncodeY = 160 + 12, kWmaSwitchX = 152 + 24 + 7, kWmaSwitchY = 56 + 16 + 8;
constexpr int kDecoderLabelX = 20, kDecoderLabelY = 75;

class EncoderDialogs : public testing::Test {
protected:
    EncoderDialogs() : program(Options()) {}

    static ProgramOptions Options() {
        ProgramOptions o;
        for (const char* tool : {"gogo.exe", "faac.exe", "WM8EUTIL.exe"}) o.extraFiles.push_back({"fake_tool.exe", tool});
        return o;
    }

    void SetUp() override {
        ASSERT_TRUE(program.Start());
        main = program.MainWindow();
        ClickClient(main, 92 + 20, 24 + 20);  // the main window's encode button
        lame = program.WaitForVisibleWindow("TEncodeForm");
        ASSERT_NE(lame, nullptr);
        goGo = program.FindWindowOfClass("TEncodeForm2");
        aac = program.FindWindowOfClass("TEncodeForm3");
        wma = program.FindWindowOfClass("TEncodeForm4");
        music = program.Folder() + "\\My Music";
        CreateDirectoryA(music.c_str(), nullptr);
    }

    static HWND Ctl(HWND dialog, int id) { return GetDlgItem(dialog, id); }
    static HWND EditOf(HWND combo) { return FindWindowExA(combo, nullptr, "Edit", nullptr); }
    static bool On(HWND control) { return SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED; }
    static std::string Item(HWND combo, int index) {
        wchar_t text[256] = {};
        SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
        char out[256] = {};
        WideCharToMultiByte(CP_ACP, 0, text, -1, out, sizeof out, nullptr, nullptr);
        return out;
    }
    Forms Visible() const {
        Forms forms = program.VisibleForms();
        std::sort(forms.begin(), forms.end());
        return forms;
    }

    bool Idle(HWND dialog) const {
        const GUITHREADINFO g = GuiOf(dialog);
        return g.hwndCapture == nullptr && !(g.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE));
    }
    // A started tool's console may hold the foreground for a moment: input
    // is sent only once the dialog is the active window again.
    void Activate(HWND dialog) {
        ASSERT_TRUE(WaitUntil([&] {
            if (GetForegroundWindow() == dialog && GuiOf(dialog).hwndActive == dialog) return true;
            SetForegroundWindow(dialog);
            return false;
        }));
    }
    void Click(HWND dialog, int x, int y) {
        Activate(dialog);
        ClickClient(dialog, x, y);
        ASSERT_TRUE(WaitUntil([&] { return Idle(dialog); }));
    }
    void ClickInto(HWND dialog, HWND field) {
        RECT r;
        GetWindowRect(field, &r);
        Activate(dialog);
        ClickAt(r.left + 6, (r.top + r.bottom) / 2);
        ASSERT_TRUE(WaitUntil([&] { return GuiOf(dialog).hwndFocus == field && Idle(dialog); }));
    }
    void Key(HWND dialog, WORD vk) {
        Activate(dialog);
        PressKey(dialog, vk);
    }
    void Type(HWND dialog, HWND field, const std::string& text) {
        const std::string expected = WindowText(field) + text;
        Activate(dialog);
        for (char c : text) TypeChar(dialog, c);
        ASSERT_TRUE(WaitUntil([&] { return WindowText(field) == expected; })) << WindowText(field);
    }
    void EraseAll(HWND dialog, HWND field) {
        Key(dialog, VK_END);
        for (size_t i = WindowText(field).size(); i > 0; --i) Key(dialog, VK_BACK);
        ASSERT_TRUE(WaitUntil([&] { return WindowText(field).empty(); })) << WindowText(field);
    }
    void ClickSwitch(HWND dialog, int x, int y, int id) {
        const bool before = On(Ctl(dialog, id));
        Click(dialog, x, y);
        ASSERT_TRUE(WaitUntil([&] { return On(Ctl(dialog, id)) != before; }));
    }
    void Pick(HWND dialog, int id, int index) {
        Activate(dialog);
        ASSERT_TRUE(PickComboEntry(program.ProcessId(), Ctl(dialog, id), index)) << WindowText(Ctl(dialog, id));
    }
    // A pick in a chooser, and the windows visible after it.
    void Choose(HWND dialog, int chooserId, int index, const Forms& visibleAfter) {
        Pick(dialog, chooserId, index);
        ASSERT_TRUE(WaitUntil([&] { return Visible() == visibleAfter; })) << testing::PrintToString(Visible());
    }
    void Browse(HWND dialog, const std::string& path) {
        Click(dialog, kBrowseX, kBrowseY);
        ASSERT_TRUE(ConfirmOpenDialog(program.ProcessId(), path));
    }

    size_t RunCount() const { return RecordedRuns(program.Folder()).size(); }
    // Presses the encode button at (x, y) and returns the run it started.
    RecordedRun PressAndRecord(HWND dialog, int x, int y) {
        const size_t before = RunCount();
        Click(dialog, x, y);
        RecordedRun run;
        if (!WaitUntil([&] { return RunCount() > before; }, 10000)) {
            ADD_FAILURE() << "no tool was started";
            return run;
        }
        run = RecordedRuns(program.Folder()).back();
        EXPECT_EQ(RunCount(), before + 1);
        // The tool's console takes the foreground until it closes.
        HWND console = reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::strtoull(run.console.c_str(), nullptr, 10)));
        EXPECT_TRUE(WaitUntil([&] { return !console || !IsWindow(console) || !IsWindowVisible(console); }, 10000));
        return run;
    }
    void ExpectRun(const RecordedRun& run, const char* tool, const std::string& options) {
        EXPECT_EQ(run.tool, tool);
        EXPECT_EQ(run.cwd, program.Folder());
        EXPECT_EQ(run.cmd, "\"" + program.Folder() + "\\" + tool + "\" " + ParameterText(options));
        EXPECT_EQ(run.args, SplitCommandLine(ParameterText(options)));
    }
    // Caption, frame, stay-on-top and place in the middle of the screen.
    void ExpectWindow(HWND dialog, const char* caption, int width, int height) {
        EXPECT_EQ(WindowText(dialog), caption);
        RECT r;
        GetWindowRect(dialog, &r);
        EXPECT_EQ(r.right - r.left, width);
        EXPECT_EQ(r.bottom - r.top, height);
        EXPECT_NEAR((r.left + r.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
        EXPECT_NEAR((r.top + r.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
        EXPECT_TRUE(GetWindowLongA(dialog, GWL_STYLE) & WS_THICKFRAME);
        EXPECT_TRUE(GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST);
    }

    Program program;
    HWND main = nullptr, lame = nullptr, goGo = nullptr, aac = nullptr, wma = nullptr;
    std::string music;
};

}  // namespace

TEST_F(EncoderDialogs, GoGoDialogNamesQualitiesOnlyWhenPickedAndStartsGoGo) {
    Choose(lame, kIdLameChooser, 3, {"TEncodeForm2", "TMainForm"});
    ExpectWindow(goGo, "Media Encoder - GoGo MP3", 294, 220);
    HWND chooser = Ctl(goGo, kIdGoGoChooser), quality = Ctl(goGo, kIdGoGoQuality);
    EXPECT_EQ(WindowText(chooser), "GoGo MP3 Encoder");
    EXPECT_EQ(SendMessageW(chooser, CB_GETCOUNT, 0, 0), 6);
    EXPECT_EQ(Item(chooser, 5), "WMA Encoder");
    EXPECT_EQ(WindowText(Ctl(goGo, kIdGoGoBitRate)), "128");
    EXPECT_EQ(SendMessageW(Ctl(goGo, kIdGoGoBitRate), CB_GETCOUNT, 0, 0), 14);
    EXPECT_EQ(WindowText(quality), "6");
    EXPECT_EQ(SendMessageW(quality, CB_GETCOUNT, 0, 0), 9);
    EXPECT_EQ(WindowText(Ctl(goGo, kIdGoGoQualityWord)), "Normal");
    EXPECT_EQ(WindowText(Ctl(goGo, kIdGoGoOutput)), "EncodedFile");

    Click(goGo, kGoGoEncodeX, kGoGoEncodeY);  // no input yet: a beep, nothing started
    const std::string input = MakeFile(music, "a.wav");
    Browse(goGo, input);
    RecordedRun run = PressAndRecord(goGo, kGoGoEncodeX, kGoGoEncodeY);
    ExpectRun(run, "gogo.exe", "-b 128 -q 6 \"" + input + "\" EncodedFile.mp3");

    // The word follows picked entries that have one, and stays otherwise.
    const struct {
        int index;
        const char* word;
    } picks[] = {{2, "Normal"}, {0, "High"}, {7, "High"}, {5, "Default"}, {8, "Low"}};
    for (const auto& p : picks) {
        Pick(goGo, kIdGoGoQuality, p.index);
        EXPECT_TRUE(WaitUntil([&] { return WindowText(Ctl(goGo, kIdGoGoQualityWord)) == p.word; }))
            << p.index << ": " << WindowText(Ctl(goGo, kIdGoGoQualityWord));
    }
    // A quality typed as free text is passed as typed and names nothing.
    ClickInto(goGo, EditOf(quality));
    EraseAll(goGo, EditOf(quality));
    Type(goGo, EditOf(quality), "9");
    Pick(goGo, kIdGoGoBitRate, 3);  // " 56"
    ClickInto(goGo, Ctl(goGo, kIdGoGoOutput));
    EraseAll(goGo, Ctl(goGo, kIdGoGoOutput));
    run = PressAndRecord(goGo, kGoGoEncodeX, kGoGoEncodeY);
    ExpectRun(run, "gogo.exe", "-b  56 -q 9 \"" + input + "\" .mp3");
    EXPECT_EQ(WindowText(Ctl(goGo, kIdGoGoQualityWord)), "Low");
    EXPECT_EQ(RunCount(), 2u);
}

TEST_F(EncoderDialogs, AacDialogStartsFaacWithTheMidSideSwitch) {
    Choose(lame, kIdLameChooser, 4, {"TEncodeForm3", "TMainForm"});
    ExpectWindow(aac, "Media Encoder - AAC", 295, 221);
    EXPECT_EQ(WindowText(Ctl(aac, kIdAacChooser)), "AAC Encoder");
    EXPECT_EQ(Item(Ctl(aac, kIdAacChooser), 5), "WMA\\WMV Encoder");
    EXPECT_EQ(WindowText(Ctl(aac, kIdAacMidSide)), "Use mid/side stereo coding");
    EXPECT_TRUE(On(Ctl(aac, kIdAacMidSide)));

    const std::string input = MakeFile(program.Folder(), "b.wav");
    Browse(aac, input);
    ExpectRun(PressAndRecord(aac, kAacEncodeX, kAacEncodeY), "faac.exe", input + " -b128 -ms");
    ClickSwitch(aac, kAacSwitchX, kAacSwitchY, kIdAacMidSide);
    ExpectRun(PressAndRecord(aac, kAacEncodeX, kAacEncodeY), "faac.exe", input + " -b128 -nm");
    Pick(aac, kIdAacBitRate, 3);  // " 56": its own blank parts it from "-b"
    ExpectRun(PressAndRecord(aac, kAacEncodeX, kAacEncodeY), "faac.exe", input + " -b 56 -nm");
}

TEST_F(EncoderDialogs, WmaDialogPassesWhatItsSpinEditShows) {
    Choose(lame, kIdLameChooser, 5, {"TEncodeForm4", "TMainForm"});
    ExpectWindow(wma, "Media Encode - WMA", 292, 218);
    EXPECT_EQ(WindowText(Ctl(wma, kIdWmaChooser)), "WMA Encoder");
    EXPECT_EQ(Item(Ctl(wma, kIdWmaChooser), 5), "WMA Encoder");
    HWND spin = Ctl(wma, kIdWmaQuality);
    char name[64] = {};
    GetClassNameA(spin, name, sizeof name);
    EXPECT_STREQ(name, "TRxSpinEdit");
    EXPECT_EQ(WindowText(spin), "75");
    HWND button = ChildOfClass(spin, "TRxSpinButton");
    ASSERT_NE(button, nullptr);

    const std::string input = MakeFile(music, "c.wav");
    Browse(wma, input);
    const std::string quoted = "\"" + input + "\"";
    ExpectRun(PressAndRecord(wma, kWmaEncodeX, kWmaEncodeY), "WM8EUTIL.exe",
              "-input " + quoted + " -output EncodedFile.wma -allstats -v_bitrate 128000 -v_quality 75");

    // A click on the upper half steps up (more than once only if the press
    // outlasted the first repeat delay).
    Activate(wma);
    ClickClient(button, 4, 4);
    ASSERT_TRUE(WaitUntil([&] { return WindowText(spin) != "75" && Idle(wma); }));
    const int stepped = std::atoi(WindowText(spin).c_str());
    EXPECT_GT(stepped, 75);
    EXPECT_LE(stepped, 100);
    EXPECT_EQ(GuiOf(wma).hwndFocus, spin);  // the press focused the edit
    // Typed past the bound: the encode button takes no focus, yet the press
    // brings the number into range as leaving the field would.
    EraseAll(wma, spin);
    Type(wma, spin, "250");
    ExpectRun(PressAndRecord(wma, kWmaEncodeX, kWmaEncodeY), "WM8EUTIL.exe",
              "-input " + quoted + " -output EncodedFile.wma -allstats -v_bitrate 128000 -v_quality 100");
    EXPECT_EQ(WindowText(spin), "100");
    Key(wma, VK_DOWN);
    ASSERT_TRUE(WaitUntil([&] { return WindowText(spin) == "99"; })) << WindowText(spin);
    // No number, left as it is by Tab: the press starts nothing and puts the
    // focus back into the field, its text selected to be typed over.
    EraseAll(wma, spin);
    Type(wma, spin, "-");
    Key(wma, VK_TAB);
    ASSERT_TRUE(WaitUntil([&] { return GuiOf(wma).hwndFocus != spin; }));
    const size_t runs = RunCount();
    Click(wma, kWmaEncodeX, kWmaEncodeY);
    ASSERT_TRUE(WaitUntil([&] { return GuiOf(wma).hwndFocus == spin; }));
    EXPECT_EQ(SendMessageW(spin, EM_GETSEL, 0, 0), MAKELONG(0, 1));
    EXPECT_EQ(RunCount(), runs);
    // A pasted number with blanks around it: the tool gets the number alone.
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    const char number[] = " 42\t";
    HGLOBAL pasted = GlobalAlloc(GMEM_MOVEABLE, sizeof number);
    memcpy(GlobalLock(pasted), number, sizeof number);
    GlobalUnlock(pasted);
    SetClipboardData(CF_TEXT, pasted);
    CloseClipboard();
    Activate(wma);
    PressKey(wma, 'V', true);
    ASSERT_TRUE(WaitUntil([&] { return WindowText(spin) == " 42\t"; })) << WindowText(spin);

    ClickSwitch(wma, kWmaSwitchX, kWmaSwitchY, kIdWmaAllStats);  // "Display all" off
    Pick(wma, kIdWmaBitRate, 3);
    ClickInto(wma, Ctl(wma, kIdWmaOutput));
    EraseAll(wma, Ctl(wma, kIdWmaOutput));
    ExpectRun(PressAndRecord(wma, kWmaEncodeX, kWmaEncodeY), "WM8EUTIL.exe",
              "-input " + quoted + " -output .wma -v_bitrate  56000 -v_quality 42");
}

TEST_F(EncoderDialogs, ChoosersKeepTheirTextsAndTheFirstDialogItsFace) {
    auto text = [](HWND dialog, int id) { return WindowText(Ctl(dialog, id)); };
    auto face = [&](int inputId) { return IsWindowVisible(Ctl(lame, inputId)) != FALSE; };

    Choose(lame, kIdLameChooser, 3, {"TEncodeForm2", "TMainForm"});
    Choose(goGo, kIdGoGoChooser, 4, {"TEncodeForm3", "TMainForm"});
    EXPECT_EQ(text(aac, kIdAacChooser), "AAC Encoder");
    EXPECT_EQ(text(goGo, kIdGoGoChooser), "AAC Encoder");  // kept by the hidden dialog
    // To the Vorbis encoder from another dialog: the first dialog comes back
    // on the face it was left with; only the hidden panel's chooser is set.
    Choose(aac, kIdAacChooser, 1, {"TEncodeForm", "TMainForm"});
    EXPECT_TRUE(face(kIdLameInput));
    EXPECT_FALSE(face(kIdOggEncInput));
    EXPECT_EQ(text(lame, kIdOggEncChooser), "Vorbis OGG Encoder");
    EXPECT_EQ(text(lame, kIdLameChooser), "GoGo MP3 Encoder");
    // The Lame face's chooser sets no text in the dialog it shows.
    Choose(lame, kIdLameChooser, 3, {"TEncodeForm2", "TMainForm"});
    EXPECT_EQ(text(goGo, kIdGoGoChooser), "AAC Encoder");
    // A dialog's own entry shows it again and resets its chooser.
    Choose(goGo, kIdGoGoChooser, 3, {"TEncodeForm2", "TMainForm"});
    EXPECT_EQ(text(goGo, kIdGoGoChooser), "GoGo MP3 Encoder");
    // The main window's encode button leaves the other dialog visible (moved
    // aside first: both windows sit in the middle of the screen).
    SetWindowPos(goGo, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ClickClient(main, 92 + 20, 24 + 20);
    ASSERT_TRUE(WaitUntil([&] { return Visible() == Forms{"TEncodeForm", "TEncodeForm2", "TMainForm"}; }));
    Choose(goGo, kIdGoGoChooser, 5, {"TEncodeForm", "TEncodeForm4", "TMainForm"});
    EXPECT_EQ(text(goGo, kIdGoGoChooser), "WMA Encoder");  // the GoGo dialog's own list says so
    // The Vorbis encoder panel's chooser does set the text.
    Choose(lame, kIdLameChooser, 1, {"TEncodeForm", "TEncodeForm4", "TMainForm"});
    ASSERT_TRUE(WaitUntil([&] { return face(kIdOggEncInput); }));
    Choose(lame, kIdOggEncChooser, 3, {"TEncodeForm2", "TEncodeForm4", "TMainForm"});
    EXPECT_EQ(text(goGo, kIdGoGoChooser), "GoGo MP3 Encoder");
    // Back to the Lame entry: the first dialog shows the encoder panel it was
    // left on, which still names the GoGo encoder; the hidden Lame chooser
    // is set.
    Choose(goGo, kIdGoGoChooser, 0, {"TEncodeForm", "TEncodeForm4", "TMainForm"});
    EXPECT_TRUE(face(kIdOggEncInput));
    EXPECT_FALSE(face(kIdLameInput));
    EXPECT_EQ(text(lame, kIdOggEncChooser), "GoGo MP3 Encoder");
    EXPECT_EQ(text(lame, kIdLameChooser), "Lame MP3 Encoder");
}

TEST_F(EncoderDialogs, WmaDialogFromTheDecoderLabelIsModalUntilItsChooserLeavesIt) {
    Choose(lame, kIdLameChooser, 2, {"TEncodeForm", "TMainForm"});
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(Ctl(lame, kIdOggDecInput)) != FALSE; }));
    Click(lame, kDecoderLabelX, kDecoderLabelY);
    ASSERT_NE(program.WaitForVisibleWindow("TEncodeForm4"), nullptr);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowEnabled(lame) && !IsWindowEnabled(main); }));
    // Its own entry keeps it modal.
    Choose(wma, kIdWmaChooser, 5, {"TEncodeForm", "TEncodeForm4", "TMainForm"});
    EXPECT_FALSE(IsWindowEnabled(lame));
    // Another face ends the modal display: the first dialog, on the face it
    // had, takes input again.
    Choose(wma, kIdWmaChooser, 0, {"TEncodeForm", "TMainForm"});
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(lame) && IsWindowEnabled(main); }));
    EXPECT_TRUE(IsWindowVisible(Ctl(lame, kIdOggDecInput)));
    EXPECT_EQ(WindowText(Ctl(lame, kIdLameChooser)), "Lame MP3 Encoder");
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == lame; }));
    // And it can be shown modally again.
    Click(lame, kDecoderLabelX, kDecoderLabelY);
    ASSERT_NE(program.WaitForVisibleWindow("TEncodeForm4"), nullptr);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowEnabled(lame); }));
    PostMessageA(wma, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(wma) && IsWindowEnabled(lame); }));
}

// Not a check: pictures of the three dialogs for the documentation, taken by
// scripts/screenshots.sh encoder (run with --gtest_also_run_disabled_tests).
TEST_F(EncoderDialogs, DISABLED_Screenshots) {
    const char* dir = getenv("ORVIK_SHOT_DIR");
    const std::string folder = dir && *dir ? dir : BuildFolder();
    auto snap = [&](HWND dialog, const char* name) {
        RECT client;
        GetClientRect(dialog, &client);
        const POINT empty = ClientToScreenPoint(dialog, client.right - 3, client.bottom - 2);
        MoveMouse(empty.x, empty.y);  // no flat button lit
        ASSERT_TRUE(WaitUntil([&] { return Idle(dialog); }));
        RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        ASSERT_TRUE(WaitUntil([&] { return !NeedsPaint(dialog); }));
        ASSERT_TRUE(SaveWindowShot(dialog, folder + "\\" + name + ".bmp"));
    };
    Choose(lame, kIdLameChooser, 3, {"TEncodeForm2", "TMainForm"});
    Browse(goGo, MakeFile(music, "Song.wav"));
    Pick(goGo, kIdGoGoQuality, 0);
    ClickInto(goGo, Ctl(goGo, kIdGoGoOutput));
    snap(goGo, "encoder-gogo");
    Choose(goGo, kIdGoGoChooser, 4, {"TEncodeForm3", "TMainForm"});
    Browse(aac, MakeFile(music, "Song.wav"));
    snap(aac, "encoder-aac");
    Choose(aac, kIdAacChooser, 5, {"TEncodeForm4", "TMainForm"});
    Browse(wma, MakeFile(music, "Song.wav"));
    ClickInto(wma, Ctl(wma, kIdWmaQuality));
    snap(wma, "encoder-wma");
}
