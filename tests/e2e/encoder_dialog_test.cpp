// The Lame/Vorbis encoder dialog used as a person would: opened from the
// main window, inputs chosen through the real open dialog, switches flipped
// with the mouse and the space key, bit rates picked, and the command line
// and working directory each (fake) tool received checked exactly, together
// with the arguments its C runtime split that command line into.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "Driver.h"
#include "Screenshot.h"
#include "encoding/CommandLine.h"
#include "encoding/EncoderOptions.h"
#include "encoding/win32/ControlIds.h"

using namespace e2e;
using namespace orvik;

namespace {

std::vector<std::string> Sorted(std::vector<std::string> v) {
    std::sort(v.begin(), v.end());
    return v;
}

struct ToolRun {
    std::string tool, cwd, console, cmd;
    std::vector<std::string> args;  // as the tool's C runtime split them
    // The command line after the program's own name and the one blank the
    // shell puts after it: the parameter text the tool was given.
    std::string Parameters() const {
        size_t end = !cmd.empty() && cmd[0] == '"' ? cmd.find('"', 1) + 1 : cmd.find(' ');
        return end == std::string::npos || end >= cmd.size() ? "" : cmd.substr(end + 1);
    }
};

// Runs that a real encoder should accept are added to a file next to this program for the
// real-encoder check (tool, working directory, parameter text); ctest empties it first.
void ExportRun(const ToolRun& run) {
    std::ofstream out(BuildFolder() + "\\encoder-runs.txt", std::ios::app);
    out << "tool=" << run.tool << "\ncwd=" << run.cwd << "\nparams=" << run.Parameters() << "\n";
}

std::vector<std::pair<std::string, std::string>> FakeTools(bool lame = true, bool oggenc = true, bool oggdec = true) {
    std::vector<std::pair<std::string, std::string>> files;
    if (lame) files.push_back({"fake_tool.exe", "lame.exe"});
    if (oggenc) files.push_back({"fake_tool.exe", "oggenc.exe"});
    if (oggdec) files.push_back({"fake_tool.exe", "oggdec.exe"});
    return files;
}

ProgramOptions WithTools(bool lame = true, bool oggenc = true, bool oggdec = true) {
    ProgramOptions o;
    o.extraFiles = FakeTools(lame, oggenc, oggdec);
    return o;
}

class EncoderDialog : public testing::Test {
protected:
    explicit EncoderDialog(ProgramOptions options = WithTools()) : program(options) {}

    void SetUp() override {
        ASSERT_TRUE(program.Start());
        main = program.MainWindow();
        ClickClient(main, 92 + 20, 24 + 20);  // the main window's encode button
        dialog = program.WaitForVisibleWindow("TEncodeForm");
        ASSERT_NE(dialog, nullptr);
        music = program.Folder() + "\\My Music";
        CreateDirectoryA(music.c_str(), nullptr);
    }

    HWND Ctl(int id) const { return GetDlgItem(dialog, id); }
    HWND EditOf(int comboId) const { return FindWindowExA(Ctl(comboId), nullptr, "Edit", nullptr); }
    bool Shown(int id) const { return IsWindowVisible(Ctl(id)) != FALSE; }
    bool On(int id) const { return SendMessageW(Ctl(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

    GUITHREADINFO Gui() const {
        GUITHREADINFO g{};
        g.cbSize = sizeof g;
        GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &g);
        return g;
    }
    // Input reaches the window that has the focus when it is queued, so each
    // step waits for the effect of the one before.
    bool Idle() const {
        const GUITHREADINFO g = Gui();
        return g.hwndCapture == nullptr && !(g.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE));
    }
    void Click(int x, int y) {
        Activate();
        ClickClient(dialog, x, y);
        ASSERT_TRUE(WaitUntil([&] { return Idle(); }));
    }
    // A started tool's console may take the foreground for a moment: keys
    // are sent only once the dialog is the foreground window again.
    void Activate() {
        ASSERT_TRUE(WaitUntil([&] {
            if (GetForegroundWindow() == dialog && Gui().hwndActive == dialog) return true;
            SetForegroundWindow(dialog);
            return false;
        }));
    }
    void Key(WORD vk) {
        Activate();
        PressKey(dialog, vk);
    }
    // Clicks into a field and waits until it has the focus.
    void ClickInto(int x, int y, HWND field) {
        Click(x, y);
        ASSERT_TRUE(WaitUntil([&] { return Gui().hwndFocus == field; }));
    }
    void Type(HWND field, const std::string& text) {
        const std::string expected = WindowText(field) + text;
        Activate();
        for (char c : text) TypeChar(dialog, c);
        ASSERT_TRUE(WaitUntil([&] { return WindowText(field) == expected; })) << WindowText(field);
    }
    void Erase(HWND field, int count) {
        const std::string before = WindowText(field);
        Key(VK_END);
        for (int i = 0; i < count; ++i) Key(VK_BACK);
        const std::string expected = before.substr(0, before.size() - count);
        ASSERT_TRUE(WaitUntil([&] { return WindowText(field) == expected; })) << WindowText(field);
    }
    // A switch flipped with the mouse takes the focus; with the space key.
    void ClickSwitch(int x, int y, int id) {
        const bool before = On(id);
        Click(x, y);
        ASSERT_TRUE(WaitUntil([&] { return On(id) != before && Gui().hwndFocus == Ctl(id); }));
    }
    void SpaceOn(int id) {
        Activate();
        ASSERT_TRUE(WaitUntil([&] { return Gui().hwndFocus == Ctl(id); }));
        const bool before = On(id);
        Key(VK_SPACE);
        ASSERT_TRUE(WaitUntil([&] { return On(id) != before; }));
    }

    std::vector<ToolRun> Runs() const {
        std::vector<ToolRun> runs;
        std::ifstream in(program.Folder() + "\\tool-runs.log", std::ios::binary);
        std::string line;
        ToolRun run;
        while (std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (line.rfind("tool=", 0) == 0) run.args.clear();
            if (line.rfind("tool=", 0) == 0) run.tool = line.substr(5);
            if (line.rfind("arg=", 0) == 0) run.args.push_back(line.substr(4));
            if (line.rfind("cwd=", 0) == 0) run.cwd = line.substr(4);
            if (line.rfind("console=", 0) == 0) run.console = line.substr(8);
            if (line.rfind("cmd=", 0) == 0) {
                run.cmd = line.substr(4);
                runs.push_back(run);
            }
        }
        return runs;
    }

    // Presses a button at (x, y) and returns the run that it started.
    ToolRun PressAndRecord(int x, int y) {
        const size_t before = Runs().size();
        Click(x, y);
        ToolRun run;
        if (!WaitUntil([&] { return Runs().size() > before; }, 10000)) {
            ADD_FAILURE() << "no tool was started";
            return run;
        }
        run = Runs().back();
        EXPECT_EQ(Runs().size(), before + 1);
        // The tool's console window takes the foreground until it closes.
        HWND console = reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::stoull(run.console.empty() ? "0" : run.console)));
        EXPECT_TRUE(WaitUntil([&] { return !console || !IsWindow(console) || !IsWindowVisible(console); }, 10000));
        return run;
    }

    void ExpectRun(const ToolRun& run, const char* tool, const std::string& options) {
        EXPECT_EQ(run.tool, tool);
        EXPECT_EQ(run.cwd, program.Folder());
        EXPECT_EQ(run.cmd, "\"" + program.Folder() + "\\" + tool + "\" " + ParameterText(options));
        // The tool split the text as the Windows rules say it would.
        for (auto rule : {QuotePairRule::KeepsQuoting, QuotePairRule::EndsQuoting})
            EXPECT_EQ(run.args, SplitCommandLine(ParameterText(options), rule));
    }

    // Browses with the button at (x, y) and confirms `path` in the open dialog.
    void Browse(int x, int y, const std::string& path) {
        Click(x, y);
        ASSERT_TRUE(ConfirmOpenDialog(program.ProcessId(), path));
    }

    // Presses a button and returns the text of the error box it brought up,
    // after closing the box.
    std::string PressForBox(int x, int y, DWORD timeoutMs = 5000) {
        Click(x, y);
        HWND box = WaitForMessageBox(program.ProcessId(), timeoutMs);
        if (!box) return "<no box>";
        EXPECT_EQ(WindowText(box), "Orvikplayer");
        const std::string text = WindowText(GetDlgItem(box, 0xFFFF));
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
        return text;
    }
    // Puts text into a field as a paste would.
    void SetField(int id, const std::string& text) {
        std::wstring wide(text.size() + 1, L'\0');
        MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, &wide[0], static_cast<int>(wide.size()));
        SendMessageW(Ctl(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    }

    // Picks entry `index` from the drop-down list of the combo box `id`.
    void Pick(int id, int index) {
        Activate();
        ASSERT_TRUE(PickComboEntry(program.ProcessId(), Ctl(id), index)) << WindowText(Ctl(id));
        ASSERT_TRUE(WaitUntil([&] { return Idle(); }));
    }

    // The face came up with the focus in this chooser: its whole text is
    // selected and shown from its first character, though wider than the box.
    void ExpectChooserFocusedFromItsStart(int id) {
        ASSERT_TRUE(WaitUntil([&] { return Gui().hwndFocus == EditOf(id); }));
        const auto length = static_cast<WORD>(WindowText(Ctl(id)).size());
        EXPECT_EQ(SendMessageW(Ctl(id), CB_GETEDITSEL, 0, 0), MAKELONG(0, length));
        EXPECT_EQ(SendMessageW(EditOf(id), EM_GETFIRSTVISIBLELINE, 0, 0), 0) << WindowText(Ctl(id));
    }

    Program program;
    HWND main = nullptr;
    HWND dialog = nullptr;
    std::string music;
};

// Client coordinates of the dialog's controls (centres).
constexpr int kSwitch1X = 16 + 7, kSwitch2X = 200 + 7, kSwitch3X = 184 + 7, kSwitchY = 72 + 8;
constexpr int kBrowseX = 258 + 11, kBrowseY = 104 + 10, kDecBrowseY = 64 + 10;
constexpr int kMp3X = 144, kMp3Y = 168 + 11, kOggY = 136 + 27, kDecY = 96 + 48;

}  // namespace

TEST_F(EncoderDialog, OpensAsAFixedStayOnTopDialogOnTheLameFace) {
    EXPECT_EQ(WindowText(dialog), "Media Encoder - Lame MP3, Vorbis OGG");
    ExpectChooserFocusedFromItsStart(kIdLameChooser);
    RECT r;
    GetClientRect(dialog, &r);
    EXPECT_EQ(r.right, 287);
    EXPECT_EQ(r.bottom, 197);
    const LONG style = GetWindowLongA(dialog, GWL_STYLE);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_TRUE(GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(Sorted(program.VisibleForms()), (std::vector<std::string>{"TEncodeForm", "TMainForm"}));

    EXPECT_EQ(WindowText(Ctl(kIdLameChooser)), "Lame MP3 Encoder");
    EXPECT_EQ(WindowText(Ctl(kIdLameBitRate)), "128");
    EXPECT_EQ(WindowText(Ctl(kIdLameOutput)), "EncodedFile");
    EXPECT_EQ(WindowText(Ctl(kIdLameInput)), "");
    EXPECT_EQ(WindowText(Ctl(kIdLameHighQuality)), "high quality");
    EXPECT_EQ(SendMessageW(Ctl(kIdLameBitRate), CB_GETCOUNT, 0, 0), 14);
    EXPECT_EQ(SendMessageW(Ctl(kIdLameChooser), CB_GETCOUNT, 0, 0), 6);
    for (int id : {kIdLameChooser, kIdLameBitRate, kIdLameHighQuality, kIdLameMono, kIdLameInput, kIdLameOutput}) EXPECT_TRUE(Shown(id)) << id;
    for (int id : {kIdOggEncChooser, kIdOggEncBitRate, kIdOggEncQuality, kIdOggEncManaged, kIdOggEncInput, kIdOggDecChooser, kIdOggDecInput})
        EXPECT_FALSE(Shown(id)) << id;

    // Bounds as laid out: the switch inside its group box, the input field.
    GetWindowRect(Ctl(kIdLameMono), &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 200);
    EXPECT_EQ(r.top, 72);
    EXPECT_EQ(r.right - r.left, 73);
    EXPECT_EQ(r.bottom - r.top, 17);
    GetWindowRect(Ctl(kIdLameInput), &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 80);
    EXPECT_EQ(r.top, 104);
    EXPECT_EQ(r.right - r.left, 177);
    // The closed combo boxes are as high as the fields, 21.
    for (int id : {kIdLameChooser, kIdLameBitRate}) {
        GetWindowRect(Ctl(id), &r);
        EXPECT_EQ(r.bottom - r.top, 21) << id;
    }
}

TEST_F(EncoderDialog, LameGetsItsExactCommandLineForEverySwitchSetting) {
    const std::string input = MakeFile(music, "a.wav");
    Browse(kBrowseX, kBrowseY, input);
    ASSERT_EQ(WindowText(Ctl(kIdLameInput)), input);
    const std::string quoted = "\"" + input + "\"";

    ToolRun run = PressAndRecord(kMp3X, kMp3Y);
    ExpectRun(run, "lame.exe", "-h -b 128 " + quoted + " EncodedFile.mp3");
    ExportRun(run);

    ClickSwitch(kSwitch2X, kSwitchY, kIdLameMono);  // mono on, with the mouse
    run = PressAndRecord(kMp3X, kMp3Y);
    ExpectRun(run, "lame.exe", "-h -m m -b 128 " + quoted + " EncodedFile.mp3");
    ExportRun(run);

    ClickSwitch(kSwitch1X, kSwitchY, kIdLameHighQuality);  // high quality off; the switch has the focus
    run = PressAndRecord(kMp3X, kMp3Y);
    ExpectRun(run, "lame.exe", "-m m -b 128 " + quoted + " EncodedFile.mp3");
    ExportRun(run);

    SpaceOn(kIdLameHighQuality);  // high quality on again
    SpaceOn(kIdLameHighQuality);  // and off
    ClickSwitch(kSwitch2X, kSwitchY, kIdLameMono);  // mono off
    SpaceOn(kIdLameMono);                           // on
    SpaceOn(kIdLameMono);                           // off
    // Shift or Ctrl with the blank key is not the toggle key.
    Activate();
    PressKey(dialog, VK_SPACE, true);
    run = PressAndRecord(kMp3X, kMp3Y);
    ExpectRun(run, "lame.exe", "-b 128 " + quoted + " EncodedFile.mp3");
    ExportRun(run);
    // The dialog stays as it was.
    EXPECT_EQ(WindowText(Ctl(kIdLameInput)), input);
    EXPECT_TRUE(IsWindowVisible(dialog));

    // Typed by hand: a leading blank and a folder's trailing backslash in
    // the input, a blank in the output name. Each still reaches the tool as
    // one argument, trimmed.
    ClickInto(160, 114, Ctl(kIdLameInput));
    Key(VK_HOME);
    Activate();
    TypeChar(dialog, ' ');
    ASSERT_TRUE(WaitUntil([&] { return WindowText(Ctl(kIdLameInput)) == " " + input; }));
    Erase(Ctl(kIdLameInput), 5);  // "a.wav"
    ClickInto(220, 146, Ctl(kIdLameOutput));
    Erase(Ctl(kIdLameOutput), 11);
    Type(Ctl(kIdLameOutput), "say hi");
    run = PressAndRecord(kMp3X, kMp3Y);
    ExpectRun(run, "lame.exe", "-b 128 \"" + music + "\\\\\" \"say hi.mp3\"");
    EXPECT_EQ(run.args, (std::vector<std::string>{"-b", "128", music + "\\", "say hi.mp3"}));
}

TEST_F(EncoderDialog, LamePassesBitRatesAndOutputNamesAsShown) {
    const std::string input = MakeFile(program.Folder(), "b.wav");
    Browse(kBrowseX, kBrowseY, input);

    Pick(kIdLameBitRate, 3);  // " 56", blank and all
    EXPECT_EQ(WindowText(Ctl(kIdLameBitRate)), " 56");
    ToolRun run = PressAndRecord(kMp3X, kMp3Y);
    ExpectRun(run, "lame.exe", "-h -b  56 " + input + " EncodedFile.mp3");
    ExportRun(run);

    ClickInto(220, 146, Ctl(kIdLameOutput));  // the output name
    Erase(Ctl(kIdLameOutput), 11);
    Type(Ctl(kIdLameOutput), "my song");
    Pick(kIdLameBitRate, 12);  // "256"
    run = PressAndRecord(kMp3X, kMp3Y);
    ExpectRun(run, "lame.exe", "-h -b 256 " + input + " \"my song.mp3\"");
    ExportRun(run);

    ClickInto(220, 146, Ctl(kIdLameOutput));
    Erase(Ctl(kIdLameOutput), 7);                     // an empty output name gives ".mp3"
    ClickInto(200, 33, EditOf(kIdLameBitRate));        // the bit rate, typed as free text
    Key(VK_END);
    Type(EditOf(kIdLameBitRate), "k");
    run = PressAndRecord(kMp3X, kMp3Y);
    ExpectRun(run, "lame.exe", "-h -b 256k " + input + " .mp3");
}

TEST_F(EncoderDialog, EmptyInputStartsNothingAndEachFaceChecksItsOwnInput) {
    Click(kMp3X, kMp3Y);  // nothing chosen yet: a beep
    Browse(kBrowseX, kBrowseY, MakeFile(program.Folder(), "c.wav"));
    Pick(kIdLameChooser, 1);  // to the OggEnc panel
    ASSERT_TRUE(WaitUntil([&] { return Shown(kIdOggEncInput); }));
    Click(kMp3X, kOggY);  // its own input is empty
    Pick(kIdOggEncChooser, 0);
    ASSERT_TRUE(WaitUntil([&] { return Shown(kIdLameInput); }));
    const ToolRun run = PressAndRecord(kMp3X, kMp3Y);
    EXPECT_EQ(run.tool, "lame.exe");
    EXPECT_EQ(Runs().size(), 1u);  // the two empty presses started nothing
}

TEST_F(EncoderDialog, ChoosersSwitchFacesAndKeepEachFacesControls) {
    Pick(kIdLameChooser, 1);
    ASSERT_TRUE(WaitUntil([&] { return Shown(kIdOggEncInput); }));
    EXPECT_FALSE(Shown(kIdLameInput));
    ExpectChooserFocusedFromItsStart(kIdOggEncChooser);
    EXPECT_EQ(WindowText(Ctl(kIdOggEncChooser)), "Vorbis OGG Encoder");
    EXPECT_EQ(WindowText(Ctl(kIdLameChooser)), "Vorbis OGG Encoder");  // keeps the pick
    EXPECT_EQ(WindowText(Ctl(kIdOggEncQuality)), "8");
    EXPECT_EQ(SendMessageW(Ctl(kIdOggEncQuality), CB_GETCOUNT, 0, 0), 10);

    // The chooser's key filter drops typed characters.
    ClickInto(40, 33, EditOf(kIdOggEncChooser));
    TypeChar(dialog, 'x');
    Key(VK_BACK);
    ClickInto(160, 114, Ctl(kIdOggEncInput));  // the keys before have been handled
    EXPECT_EQ(WindowText(Ctl(kIdOggEncChooser)), "Vorbis OGG Encoder");

    Pick(kIdOggEncChooser, 2);
    ASSERT_TRUE(WaitUntil([&] { return Shown(kIdOggDecInput); }));
    EXPECT_FALSE(Shown(kIdOggEncInput));
    EXPECT_EQ(WindowText(Ctl(kIdOggDecChooser)), "Vorbis OGG Decoder");
    EXPECT_EQ(WindowText(Ctl(kIdOggEncChooser)), "Vorbis OGG Decoder");

    // The decoder's chooser takes typed text.
    ClickInto(200, 33, EditOf(kIdOggDecChooser));
    Key(VK_END);
    Type(EditOf(kIdOggDecChooser), "z");

    Pick(kIdOggDecChooser, 0);
    ASSERT_TRUE(WaitUntil([&] { return Shown(kIdLameInput); }));
    EXPECT_FALSE(Shown(kIdOggDecInput));
    EXPECT_EQ(WindowText(Ctl(kIdLameChooser)), "Lame MP3 Encoder");

    // Closing through the title bar hides it; the encode button brings it
    // back as it was.
    Pick(kIdLameChooser, 2);
    ASSERT_TRUE(WaitUntil([&] { return Shown(kIdOggDecInput); }));
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }));
    ClickClient(main, 92 + 20, 24 + 20);
    ASSERT_NE(program.WaitForVisibleWindow("TEncodeForm"), nullptr);
    EXPECT_TRUE(Shown(kIdOggDecInput));
    EXPECT_EQ(WindowText(Ctl(kIdOggDecChooser)), "Vorbis OGG Decoder");
    EXPECT_EQ(WindowText(Ctl(kIdLameChooser)), "Vorbis OGG Decoder");
}

TEST_F(EncoderDialog, VorbisEncoderAndDecoderGetTheirCommandLines) {
    Pick(kIdLameChooser, 1);
    ASSERT_TRUE(WaitUntil([&] { return Shown(kIdOggEncInput); }));
    const std::string wav = MakeFile(music, "d.wav");
    Browse(kBrowseX, kBrowseY, wav);
    ASSERT_EQ(WindowText(Ctl(kIdOggEncInput)), wav);

    ToolRun run = PressAndRecord(kMp3X, kOggY);
    ExpectRun(run, "oggenc.exe", "\"" + wav + "\" -b 128 -q 8");
    ExportRun(run);

    Pick(kIdOggEncQuality, 0);  // "10"
    Pick(kIdOggEncBitRate, 3);    // " 56"
    ClickSwitch(kSwitch3X, kSwitchY, kIdOggEncManaged);  // managed on
    run = PressAndRecord(kMp3X, kOggY);
    ExpectRun(run, "oggenc.exe", "\"" + wav + "\" --managed -b  56 -q 10");
    ExportRun(run);
    SpaceOn(kIdOggEncManaged);  // managed off again, from the keyboard
    run = PressAndRecord(kMp3X, kOggY);
    ExpectRun(run, "oggenc.exe", "\"" + wav + "\" -b  56 -q 10");

    Pick(kIdOggEncChooser, 2);
    ASSERT_TRUE(WaitUntil([&] { return Shown(kIdOggDecInput); }));
    const std::string ogg = MakeFile(program.Folder(), "e.ogg");
    Browse(kBrowseX, kDecBrowseY, ogg);
    run = PressAndRecord(kMp3X, kDecY);
    ExpectRun(run, "oggdec.exe", ogg);
    ExportRun(run);

    // A cancelled browse keeps the input; a confirmed one replaces it.
    Click(kBrowseX, kDecBrowseY);
    ASSERT_TRUE(CancelOpenDialog(program.ProcessId()));
    EXPECT_EQ(WindowText(Ctl(kIdOggDecInput)), ogg);
    const std::string other = MakeFile(music, "f.ogg");
    Browse(kBrowseX, kDecBrowseY, other);
    EXPECT_EQ(WindowText(Ctl(kIdOggDecInput)), other);
}

TEST_F(EncoderDialog, InputFileLabelOfTheDecoderShowsTheWmaDialogModally) {
    Pick(kIdLameChooser, 2);
    ASSERT_TRUE(WaitUntil([&] { return Shown(kIdOggDecInput); }));
    Click(20, 75);  // "Input file:"
    HWND wma = program.WaitForVisibleWindow("TEncodeForm4");
    ASSERT_NE(wma, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowEnabled(dialog) && !IsWindowEnabled(main); }));
    PostMessageA(wma, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(wma) && IsWindowEnabled(dialog) && IsWindowEnabled(main); }));
}

namespace {
// Only oggdec.exe is a (fake) tool; oggenc.exe is missing.
class EncoderDialogWithoutTools : public EncoderDialog {
protected:
    EncoderDialogWithoutTools() : EncoderDialog(WithTools(false, false, true)) {}

};
}  // namespace

TEST_F(EncoderDialogWithoutTools, AToolThatIsMissingOrCannotStartGetsTheProgramsBoxAndTheDialogStays) {
    const std::string input = MakeFile(program.Folder(), "g.wav");
    Browse(kBrowseX, kBrowseY, input);
    // A lame.exe that is no program: the system's reason.
    MakeFile(program.Folder(), "lame.exe", "not a program");
    std::string text = PressForBox(kMp3X, kMp3Y);
    EXPECT_EQ(text.rfind(program.Folder() + "\\lame.exe could not be started:\n", 0), 0u) << text;
    EXPECT_GT(text.size(), program.Folder().size() + 40) << "no reason given: " << text;
    EXPECT_EQ(text.find("%1"), std::string::npos) << text;
    EXPECT_NE(text.find("lame.exe comes with Orvik Encoder: install the program again"), std::string::npos) << text;

    Pick(kIdLameChooser, 1);
    ASSERT_TRUE(WaitUntil([&] { return Shown(kIdOggEncInput); }));
    Browse(kBrowseX, kBrowseY, input);
    text = PressForBox(kMp3X, kOggY);
    EXPECT_EQ(text, "oggenc.exe is not in the program folder, so nothing was started:\n" + program.Folder() +
                        "\n\noggenc.exe is one of Xiph.Org's vorbis-tools, which do not come with Orvik Encoder: get"
                        " them from Xiph.Org and put oggenc.exe and oggdec.exe into that folder.");

    // The dialog is as it was and still starts the tool that is there.
    EXPECT_EQ(WindowText(Ctl(kIdOggEncInput)), input);
    Pick(kIdOggEncChooser, 2);
    ASSERT_TRUE(WaitUntil([&] { return Shown(kIdOggDecInput); }));
    Browse(kBrowseX, kDecBrowseY, MakeFile(program.Folder(), "g.ogg"));
    EXPECT_EQ(PressAndRecord(kMp3X, kDecY).tool, "oggdec.exe");
    EXPECT_EQ(Runs().size(), 1u);
    EXPECT_EQ(Sorted(program.VisibleForms()), (std::vector<std::string>{"TEncodeForm", "TMainForm"}));
}

namespace {
// With the lame.exe that comes with the program.
class EncoderDialogWithItsLame : public EncoderDialog {
protected:
    EncoderDialogWithItsLame() : EncoderDialog(ProgramOptions{{{"lame.exe", "lame.exe"}}, true, "", ""}) {}
};
}  // namespace

TEST_F(EncoderDialogWithItsLame, AFailedEncodeSaysWhatIsWrongAndALaterStartBringsTheBoxForward) {
    const std::string input = program.Folder() + "\\missing.wav";
    const std::string longInput = program.Folder() + "\\" + std::string(264 - program.Folder().size() - 5, 'a') + ".wav";
    // What is known before a start: nothing starts, and the box says why.
    const struct {
        std::string input, output;
        const char* says;
    } refused[] = {
        {input, program.Folder() + "\\gone\\song", "The output file's folder does not exist"},
        {input, "a?b", "Windows does not allow the character '?'"},
        {input, "say \"hi\"", "Windows does not allow the character '\"'"},
        {input, "CON", "CON is the name of a device"},
        {longInput, "EncodedFile", "The path is 264 characters long"},
    };
    for (const auto& r : refused) {
        SetField(kIdLameInput, r.input);
        SetField(kIdLameOutput, r.output);
        const std::string text = PressForBox(kMp3X, kMp3Y);
        EXPECT_NE(text.find(r.says), std::string::npos) << text;
        EXPECT_NE(text.find("nothing was started"), std::string::npos) << text;
    }

    // lame.exe fails on a missing input: its error code is told when it ends.
    SetField(kIdLameInput, input);
    SetField(kIdLameOutput, "EncodedFile");
    Click(kMp3X, kMp3Y);
    HWND box = WaitForMessageBox(program.ProcessId(), 30000);
    ASSERT_NE(box, nullptr) << "the failure was not told";
    const std::string text = WindowText(GetDlgItem(box, 0xFFFF));
    EXPECT_EQ(text.rfind("lame.exe ended with error code ", 0), 0u) << text;
    EXPECT_NE(text.find("-h -b 128 " + input + " EncodedFile.mp3"), std::string::npos) << text;

    // A later start while the box is up brings the box forward.
    HWND front = CreateWindowExA(0, "STATIC", "in front", WS_POPUP | WS_VISIBLE | WS_CAPTION, 0, 0, 600, 400, nullptr,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
    SetForegroundWindow(front);
    Process again(program.ExePath(), "", program.Folder());
    EXPECT_TRUE(again.WaitForExit(30000));
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == box; }));
    DestroyWindow(front);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
    EXPECT_TRUE(IsWindowEnabled(main));
    EXPECT_TRUE(IsWindowEnabled(dialog));
}

// Not a check: pictures of the three faces for the documentation, taken by
// scripts/screenshots.sh encoder (run with --gtest_also_run_disabled_tests).
TEST_F(EncoderDialog, DISABLED_Screenshots) {
    const char* dir = getenv("ORVIK_SHOT_DIR");
    const std::string folder = dir && *dir ? dir : BuildFolder();
    auto snap = [&](const char* name) {
        // The pointer rests in an empty corner: no flat button is lit.
        const POINT empty = ClientToScreenPoint(dialog, 284, 195);
        MoveMouse(empty.x, empty.y);
        ASSERT_TRUE(WaitUntil([&] { return Idle(); }));
        RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        ASSERT_TRUE(WaitUntil([&] { return !NeedsPaint(dialog); }));
        ASSERT_TRUE(SaveWindowShot(dialog, folder + "\\" + name + ".bmp"));
    };
    Browse(kBrowseX, kBrowseY, MakeFile(music, "Song.wav"));
    ClickInto(160, 114, Ctl(kIdLameInput));
    snap("encoder-lame");
    Pick(kIdLameChooser, 1);
    ASSERT_TRUE(WaitUntil([&] { return Shown(kIdOggEncInput); }));
    ClickSwitch(kSwitch3X, kSwitchY, kIdOggEncManaged);
    Browse(kBrowseX, kBrowseY, MakeFile(music, "Song.wav"));
    snap("encoder-oggenc");
    Pick(kIdOggEncChooser, 2);
    ASSERT_TRUE(WaitUntil([&] { return Shown(kIdOggDecInput); }));
    Browse(kBrowseX, kDecBrowseY, MakeFile(music, "Song.ogg"));
    snap("encoder-oggdec");
}
