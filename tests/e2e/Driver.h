// The end-to-end driver: starts the real OrvikPlayer.exe from a program
// folder of its own and uses it from this separate process as a person
// would: finds its windows, moves and clicks the mouse, types keys, drives
// the real file-open dialog and popup menus, and reads what is shown.
#pragma once
#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace e2e {

// Polls the condition every few milliseconds until it holds or the time is up.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000);

// The folder of this test program; the program under test and the fake
// tools are built next to it.
std::string BuildFolder();

struct ProgramOptions {
    // Files from the build folder copied into the program folder, as
    // {source name, name in the program folder} ("fake_tool.exe", "lame.exe").
    std::vector<std::pair<std::string, std::string>> extraFiles;
    // Delete the program's stored media list before starting.
    bool clearStore = true;
    // The command line after the program's name ("a.wav \"C:\\My Music\\b.mp3\"").
    std::string arguments;
    // Added to the program folder's name. This driver runs in UTF-8, as the
    // program does, so any language goes.
    std::string folderSuffix;
};

// A process started as Explorer starts one: the executable, a command line
// after its name, a working folder.
class Process {
public:
    Process(const std::string& exe, const std::string& arguments, const std::string& folder);
    ~Process();  // ends it if it still runs
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    bool Started() const { return pi_.hProcess != nullptr; }
    DWORD Id() const { return pi_.dwProcessId; }
    HANDLE Handle() const { return pi_.hProcess; }
    HANDLE Thread() const { return pi_.hThread; }
    // Waits for the process to end; false on time-out.
    bool WaitForExit(DWORD timeoutMs, DWORD* exitCode = nullptr) const;

private:
    PROCESS_INFORMATION pi_{};
};

class Program {
public:
    explicit Program(const ProgramOptions& options = {});
    ~Program();  // ends the process if it still runs and removes its folder
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Starts OrvikPlayer.exe and waits for the main window to be visible.
    bool Start();
    const std::string& Folder() const { return folder_; }
    const std::string& ExePath() const { return exe_; }
    DWORD ProcessId() const { return pi_.dwProcessId; }
    HANDLE MainThread() const { return pi_.hThread; }
    bool Running() const;
    // Waits for the process to end; false on time-out.
    bool WaitForExit(DWORD timeoutMs, DWORD* exitCode = nullptr);

    // Top-level windows of the process with this class (any visibility).
    HWND FindWindowOfClass(const char* className) const;
    // Class names of the top-level windows of the process that are visible,
    // among the program's own forms (names starting with 'T').
    std::vector<std::string> VisibleForms() const;
    HWND MainWindow() const { return FindWindowOfClass("TMainForm"); }
    HWND WaitForVisibleWindow(const char* className, DWORD timeoutMs = 5000) const;
    // A visible top-level window of the process with this class ("#32770"
    // for a message box), or nullptr.
    HWND VisibleWindowOfClass(const char* className) const;

private:
    std::string folder_;
    std::string exe_;
    PROCESS_INFORMATION pi_{};
    ProgramOptions options_;
    DWORD copyError_ = 0;
};

// Mouse and keyboard through the system's input queue (SendInput), in
// screen coordinates: what a user's hands do.
void MoveMouse(int x, int y);
void ClickAt(int x, int y, bool right = false);
void PressAt(int x, int y, bool right = false);    // button down only
void ReleaseAt(int x, int y, bool right = false);  // button up only
// Moves to the point and lets go of the left button in one go, as a hand
// that releases while still moving: nothing the program does on its own
// (a timer) comes between the last move and the release.
void DropAt(int x, int y);
POINT ClientToScreenPoint(HWND hwnd, int x, int y);
void ClickClient(HWND hwnd, int x, int y, bool right = false);
// The middle of the close button in a window's title bar (where the window
// itself answers HTCLOSE), in screen coordinates; (-1, -1) when there is none.
POINT CloseButtonPoint(HWND window);
// Brings the window to the foreground and types a key, with Ctrl if asked.
void PressKey(HWND window, WORD vk, bool ctrl = false);
void TypeChar(HWND window, char c);
// Types a key while holding others (VK_SHIFT, VK_MENU...), into whatever
// has the keyboard focus: no window is brought forward first.
void PressChord(WORD vk, std::initializer_list<WORD> held = {});

// Popup menus (#32768): waits for one to open, then moves down `downs`
// items and chooses with Enter (or cancels with Escape when downs < 0).
bool ChooseMenuItem(int downs, DWORD timeoutMs = 5000);
bool WaitForNoMenu(DWORD timeoutMs = 5000);

// The common file-open dialog owned by a window of the process: waits for
// it, types the path into its file-name field and confirms (or cancels).
HWND WaitForOpenDialog(DWORD processId, DWORD timeoutMs = 5000);
bool ConfirmOpenDialog(DWORD processId, const std::string& path);
bool CancelOpenDialog(DWORD processId);
// Types a name (any characters) into the open dialog and presses its OK,
// without waiting for the dialog to close.
bool SubmitOpenDialog(DWORD processId, const std::wstring& name);
// A visible message box of the process (a dialog without a file-name field).
HWND WaitForMessageBox(DWORD processId, DWORD timeoutMs = 5000);

// Standard controls read from another process.
// A window or one of its visible children still has something to paint.
bool NeedsPaint(HWND window);
int ListCount(HWND list);
int ListSelection(HWND list);
std::string ListEntry(HWND list, int index);
std::vector<std::string> ListEntries(HWND list);
HWND ChildOfClass(HWND parent, const char* className, int nth = 0);
std::string WindowText(HWND hwnd);

// The focus, activation, capture and menu state of the thread that owns
// the window.
GUITHREADINFO GuiOf(HWND window);

// Picks entry `index` from the drop-down list of a combo box of the process
// with the mouse: opens the list with its button and clicks the entry. True
// once the list has closed and the box shows the entry.
bool PickComboEntry(DWORD processId, HWND combo, int index);

// A run of the fake tool (tests/e2e/tools/fake_tool.cpp), as it recorded it
// in tool-runs.log in the program folder.
struct RecordedRun {
    std::string tool, cwd, console, cmd;
    std::vector<std::string> args;  // as the tool's C runtime split them
    // The command line after the tool's own name and the one blank the shell
    // puts after it: the parameter text the tool was given.
    std::string Parameters() const;
};
std::vector<RecordedRun> RecordedRuns(const std::string& programFolder);

// A file with some content under the given folder; returns its full path.
std::string MakeFile(const std::string& folder, const std::string& name, const std::string& content = "x");
// The current Windows temporary folder of this process.
std::string TempFolder();

}  // namespace e2e
