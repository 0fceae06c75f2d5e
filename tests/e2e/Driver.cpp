#include "Driver.h"

#include "RegistryReset.h"

#include <shlwapi.h>

#include <cstdio>
#include <fstream>

namespace e2e {

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(15);
    }
}

std::string BuildFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s = path;
    return s.substr(0, s.find_last_of('\\'));
}

std::string TempFolder() {
    char path[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, path);
    std::string s = path;
    if (!s.empty() && s.back() == '\\') s.pop_back();
    return s;
}

std::string MakeFile(const std::string& folder, const std::string& name, const std::string& content) {
    const std::string path = folder + "\\" + name;
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f) {
        std::fwrite(content.data(), 1, content.size(), f);
        std::fclose(f);
    }
    return path;
}

namespace {
void DeleteTree(const std::string& folder) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = fd.cFileName;
            if (name == "." || name == "..") continue;
            const std::string path = folder + "\\" + name;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                DeleteTree(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryA(folder.c_str());
}

struct EnumState {
    DWORD pid;
    std::function<bool(HWND)> visit;
};

BOOL CALLBACK EnumTop(HWND hwnd, LPARAM lParam) {
    auto* s = reinterpret_cast<EnumState*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == s->pid && !s->visit(hwnd)) return FALSE;
    return TRUE;
}

void ForEachTopWindow(DWORD pid, const std::function<bool(HWND)>& visit) {
    EnumState s{pid, visit};
    EnumWindows(&EnumTop, reinterpret_cast<LPARAM>(&s));
}

std::string ClassOf(HWND hwnd) {
    char name[256] = {};
    GetClassNameA(hwnd, name, sizeof name);
    return name;
}
}  // namespace

Program::Program(const ProgramOptions& options) : options_(options) {
    static int counter = 0;
    char name[64];
    std::snprintf(name, sizeof name, "\\orvik-e2e-%lu-%d", GetCurrentProcessId(), ++counter);
    folder_ = TempFolder() + name + options.folderSuffix;
    CreateDirectoryA(folder_.c_str(), nullptr);
    exe_ = folder_ + "\\OrvikPlayer.exe";
    if (!CopyFileA((BuildFolder() + "\\OrvikPlayer.exe").c_str(), exe_.c_str(), FALSE)) copyError_ = GetLastError();
    for (const auto& f : options_.extraFiles)
        CopyFileA((BuildFolder() + "\\" + f.first).c_str(), (folder_ + "\\" + f.second).c_str(), FALSE);
}

Program::~Program() {
    if (pi_.hProcess) {
        if (Running()) {
            TerminateProcess(pi_.hProcess, 1);
            WaitForSingleObject(pi_.hProcess, 5000);
        }
        CloseHandle(pi_.hProcess);
        CloseHandle(pi_.hThread);
    }
    DeleteTree(folder_);
}

Process::Process(const std::string& exe, const std::string& arguments, const std::string& folder) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    std::string cmd = "\"" + exe + "\"" + (arguments.empty() ? "" : " " + arguments);
    if (!CreateProcessA(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi_))
        pi_ = PROCESS_INFORMATION{};
}

Process::~Process() {
    if (!pi_.hProcess) return;
    if (WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(pi_.hProcess, 1);
        WaitForSingleObject(pi_.hProcess, 5000);
    }
    CloseHandle(pi_.hProcess);
    CloseHandle(pi_.hThread);
}

bool Process::WaitForExit(DWORD timeoutMs, DWORD* exitCode) const {
    if (!pi_.hProcess || WaitForSingleObject(pi_.hProcess, timeoutMs) != WAIT_OBJECT_0) return false;
    if (exitCode) GetExitCodeProcess(pi_.hProcess, exitCode);
    return true;
}

bool Program::Start() {
    if (options_.clearStore) ResetStoreKey("Software\\OrvikPlayer");
    STARTUPINFOA si{};
    si.cb = sizeof si;
    std::string cmd = "\"" + exe_ + "\"" + (options_.arguments.empty() ? "" : " " + options_.arguments);
    // Wine, busy, now and then fails to bring a new process up: that is the
    // harness's trouble, not the program's, so it gets one more try.
    bool started = false;
    for (int attempt = 1; attempt <= 2 && !started; ++attempt) {
        started = CreateProcessA(exe_.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, folder_.c_str(), &si,
                                 &pi_) != FALSE;
        if (!started) {
            std::fprintf(stderr, "Program::Start: CreateProcess(%s) failed, error %lu (copy: error %lu)\n",
                         exe_.c_str(), GetLastError(), copyError_);
            Sleep(500);
        }
    }
    if (!started) return false;
    // The main window shows before the other windows are made: the program
    // is ready once it waits for input.
    if (WaitForVisibleWindow("TMainForm", 20000) && WaitForInputIdle(pi_.hProcess, 20000) == 0) return true;
    DWORD code = 0;
    GetExitCodeProcess(pi_.hProcess, &code);
    std::fprintf(stderr, "Program::Start: no visible main window; the process %s (exit code 0x%lx)\n",
                 Running() ? "still runs" : "has ended", code);
    return false;
}

bool Program::Running() const {
    return pi_.hProcess && WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT;
}

bool Program::WaitForExit(DWORD timeoutMs, DWORD* exitCode) {
    if (!pi_.hProcess || WaitForSingleObject(pi_.hProcess, timeoutMs) != WAIT_OBJECT_0) return false;
    if (exitCode) GetExitCodeProcess(pi_.hProcess, exitCode);
    return true;
}

HWND Program::FindWindowOfClass(const char* className) const {
    HWND found = nullptr;
    ForEachTopWindow(pi_.dwProcessId, [&](HWND h) {
        if (ClassOf(h) == className) {
            found = h;
            return false;
        }
        return true;
    });
    return found;
}

std::vector<std::string> Program::VisibleForms() const {
    std::vector<std::string> names;
    ForEachTopWindow(pi_.dwProcessId, [&](HWND h) {
        const std::string cls = ClassOf(h);
        if (IsWindowVisible(h) && cls.size() > 1 && cls[0] == 'T' && cls != "TApplication") names.push_back(cls);
        return true;
    });
    return names;
}

HWND Program::WaitForVisibleWindow(const char* className, DWORD timeoutMs) const {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            found = FindWindowOfClass(className);
            return found && IsWindowVisible(found);
        },
        timeoutMs);
    return found && IsWindowVisible(found) ? found : nullptr;
}

HWND Program::VisibleWindowOfClass(const char* className) const {
    HWND found = nullptr;
    ForEachTopWindow(pi_.dwProcessId, [&](HWND h) {
        if (ClassOf(h) == className && IsWindowVisible(h)) {
            found = h;
            return false;
        }
        return true;
    });
    return found;
}

namespace {
void SendMouse(int x, int y, DWORD flags) {
    const int w = GetSystemMetrics(SM_CXSCREEN) - 1, h = GetSystemMetrics(SM_CYSCREEN) - 1;
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = static_cast<LONG>((x * 65535 + w / 2) / (w > 0 ? w : 1));
    in.mi.dy = static_cast<LONG>((y * 65535 + h / 2) / (h > 0 ? h : 1));
    in.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    SendInput(1, &in, sizeof in);
    Sleep(30);  // let the input reach the program's queue in order
}

void SendKey(WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &in, sizeof in);
}
}  // namespace

void MoveMouse(int x, int y) { SendMouse(x, y, 0); }

void PressAt(int x, int y, bool right) {
    MoveMouse(x, y);
    SendMouse(x, y, right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
}

void ReleaseAt(int x, int y, bool right) {
    MoveMouse(x, y);
    SendMouse(x, y, right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP);
}

void DropAt(int x, int y) {
    const int w = GetSystemMetrics(SM_CXSCREEN) - 1, h = GetSystemMetrics(SM_CYSCREEN) - 1;
    INPUT in[2]{};
    for (INPUT& i : in) {
        i.type = INPUT_MOUSE;
        i.mi.dx = static_cast<LONG>((x * 65535 + w / 2) / (w > 0 ? w : 1));
        i.mi.dy = static_cast<LONG>((y * 65535 + h / 2) / (h > 0 ? h : 1));
        i.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    }
    in[1].mi.dwFlags |= MOUSEEVENTF_LEFTUP;
    SendInput(2, in, sizeof in[0]);
    Sleep(30);
}

void ClickAt(int x, int y, bool right) {
    PressAt(x, y, right);
    ReleaseAt(x, y, right);
}

POINT ClientToScreenPoint(HWND hwnd, int x, int y) {
    POINT p{x, y};
    ClientToScreen(hwnd, &p);
    return p;
}

void ClickClient(HWND hwnd, int x, int y, bool right) {
    const POINT p = ClientToScreenPoint(hwnd, x, y);
    ClickAt(p.x, p.y, right);
}

POINT CloseButtonPoint(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    // Along the title bar's middle row, from the right edge inwards.
    const int y = r.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
    int first = -1, last = -1;
    for (int x = r.right - 1; x > r.right - 80 && x > r.left; --x) {
        const LRESULT hit = SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(x, y));
        if (hit == HTCLOSE) {
            if (last < 0) last = x;
            first = x;
        } else if (last >= 0) {
            break;
        }
    }
    return last < 0 ? POINT{-1, -1} : POINT{(first + last) / 2, y};
}

void PressKey(HWND window, WORD vk, bool ctrl) {
    if (window) SetForegroundWindow(window);
    Sleep(30);
    if (ctrl) SendKey(VK_CONTROL, false);
    SendKey(vk, false);
    SendKey(vk, true);
    if (ctrl) SendKey(VK_CONTROL, true);
    Sleep(30);
}

void PressChord(WORD vk, std::initializer_list<WORD> held) {
    for (WORD h : held) SendKey(h, false);
    SendKey(vk, false);
    SendKey(vk, true);
    for (auto it = held.end(); it != held.begin();) SendKey(*--it, true);
    Sleep(60);
}

void TypeChar(HWND window, char c) {
    // The high byte says which shift keys the character needs: 1 Shift, 2 Ctrl.
    const SHORT vk = VkKeyScanA(c);
    const bool shift = (vk & 0x100) != 0;
    if (window) SetForegroundWindow(window);
    if (shift) SendKey(VK_SHIFT, false);
    PressKey(window, static_cast<WORD>(vk & 0xFF), (vk & 0x200) != 0);
    if (shift) SendKey(VK_SHIFT, true);
}

namespace {
// The visible popup menu window, if any (hidden ones may linger).
HWND OpenMenu() {
    HWND found = nullptr;
    for (HWND h = FindWindowExA(nullptr, nullptr, "#32768", nullptr); h;
         h = FindWindowExA(nullptr, h, "#32768", nullptr))
        if (IsWindowVisible(h)) found = h;
    return found;
}
}  // namespace

bool ChooseMenuItem(int downs, DWORD timeoutMs) {
    HWND menu = nullptr;
    if (!WaitUntil([&] { return (menu = OpenMenu()) != nullptr; }, timeoutMs)) return false;
    // Keys posted before the menu's own loop runs would be lost: let it
    // settle, then pace the keys as fingers would.
    Sleep(150);
    if (downs < 0) {
        PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    } else {
        for (int i = 0; i < downs; ++i) {
            PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
            Sleep(25);
        }
        PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
    }
    return WaitForNoMenu(timeoutMs);
}

bool WaitForNoMenu(DWORD timeoutMs) {
    return WaitUntil([] { return OpenMenu() == nullptr; }, timeoutMs);
}

HWND WaitForOpenDialog(DWORD processId, DWORD timeoutMs) {
    HWND dialog = nullptr;
    WaitUntil(
        [&] {
            ForEachTopWindow(processId, [&](HWND h) {
                if (ClassOf(h) == "#32770" && IsWindowVisible(h) && GetDlgItem(h, IDOK)) {
                    dialog = h;
                    return false;
                }
                return true;
            });
            return dialog != nullptr;
        },
        timeoutMs);
    return dialog;
}

namespace {
HWND FileNameEdit(HWND dialog) {
    HWND combo = GetDlgItem(dialog, 0x47C);
    if (!combo) return GetDlgItem(dialog, 0x480);  // the old-style dialog's edit
    HWND edit = FindWindowExA(combo, nullptr, "Edit", nullptr);
    if (edit) return edit;
    HWND inner = FindWindowExA(combo, nullptr, "ComboBox", nullptr);
    return inner ? FindWindowExA(inner, nullptr, "Edit", nullptr) : combo;
}
}  // namespace

bool ConfirmOpenDialog(DWORD processId, const std::string& path) {
    HWND dialog = WaitForOpenDialog(processId);
    if (!dialog) return false;
    HWND edit = FileNameEdit(dialog);
    if (!edit) return false;
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    return WaitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); });
}

bool SubmitOpenDialog(DWORD processId, const std::wstring& name) {
    HWND dialog = WaitForOpenDialog(processId);
    HWND edit = dialog ? FileNameEdit(dialog) : nullptr;
    if (!edit) return false;
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
    PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    return true;
}

HWND WaitForMessageBox(DWORD processId, DWORD timeoutMs) {
    HWND box = nullptr;
    WaitUntil(
        [&] {
            ForEachTopWindow(processId, [&](HWND h) {
                if (ClassOf(h) == "#32770" && IsWindowVisible(h) && GetDlgItem(h, 0xFFFF) && !FileNameEdit(h)) {
                    box = h;
                    return false;
                }
                return true;
            });
            return box != nullptr;
        },
        timeoutMs);
    return box;
}

bool CancelOpenDialog(DWORD processId) {
    HWND dialog = WaitForOpenDialog(processId);
    if (!dialog) return false;
    PostMessageA(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
    return WaitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); });
}

bool NeedsPaint(HWND window) {
    if (GetUpdateRect(window, nullptr, FALSE)) return true;
    for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (IsWindowVisible(c) && GetUpdateRect(c, nullptr, FALSE)) return true;
    return false;
}

int ListCount(HWND list) { return static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0)); }
int ListSelection(HWND list) { return static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0)); }

std::string ListEntry(HWND list, int index) {
    // Across processes the wide form is the reliable one under Wine.
    const LRESULT len = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (len == LB_ERR) return {};
    std::wstring text(static_cast<size_t>(len) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(wcslen(text.c_str()));
    const int n = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, &out[0], n, nullptr, nullptr);
    out.resize(static_cast<size_t>(n > 0 ? n - 1 : 0));
    return out;
}

std::vector<std::string> ListEntries(HWND list) {
    std::vector<std::string> all;
    for (int i = 0, n = ListCount(list); i < n; ++i) all.push_back(ListEntry(list, i));
    return all;
}

HWND ChildOfClass(HWND parent, const char* className, int nth) {
    HWND child = nullptr;
    for (int i = 0; i <= nth; ++i) {
        child = FindWindowExA(parent, child, className, nullptr);
        if (!child) return nullptr;
    }
    return child;
}

std::string WindowText(HWND hwnd) {
    wchar_t text[1024] = {};
    SendMessageW(hwnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
    char out[2048] = {};
    WideCharToMultiByte(CP_ACP, 0, text, -1, out, sizeof out, nullptr, nullptr);
    return out;
}

GUITHREADINFO GuiOf(HWND window) {
    GUITHREADINFO g{};
    g.cbSize = sizeof g;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &g);
    return g;
}

bool PickComboEntry(DWORD processId, HWND combo, int index) {
    RECT r;
    GetWindowRect(combo, &r);
    HWND list = nullptr;
    auto listShown = [&] {
        list = nullptr;
        for (HWND h = FindWindowExA(nullptr, nullptr, "ComboLBox", nullptr); h;
             h = FindWindowExA(nullptr, h, "ComboLBox", nullptr)) {
            DWORD pid = 0;
            GetWindowThreadProcessId(h, &pid);
            if (pid == processId && IsWindowVisible(h)) list = h;
        }
        return list != nullptr;
    };
    // A click on a dialog that has just come up under Wine is now and then
    // lost: the button is pressed again while the list is not down.
    bool opened = false;
    for (int attempt = 0; attempt < 3 && !opened; ++attempt) {
        if (!SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0)) {
            if (attempt > 0) std::fprintf(stderr, "PickComboEntry: the list did not drop; clicking again\n");
            ClickAt(r.right - 6, (r.top + r.bottom) / 2);  // the drop-down button
        }
        opened = WaitUntil(listShown, 2000);
    }
    if (!opened) return false;
    const int h = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
    const int top = static_cast<int>(SendMessageW(list, LB_GETTOPINDEX, 0, 0));
    const std::string expected = ListEntry(list, index);
    ClickClient(list, 20, (index - top) * h + h / 2);
    return WaitUntil([&] {
        const GUITHREADINFO g = GuiOf(combo);
        return !IsWindowVisible(list) && !g.hwndCapture && WindowText(combo) == expected;
    });
}

std::string RecordedRun::Parameters() const {
    const size_t end = !cmd.empty() && cmd[0] == '"' ? cmd.find('"', 1) + 1 : cmd.find(' ');
    return end == std::string::npos || end >= cmd.size() ? "" : cmd.substr(end + 1);
}

std::vector<RecordedRun> RecordedRuns(const std::string& programFolder) {
    std::vector<RecordedRun> runs;
    std::ifstream in(programFolder + "\\tool-runs.log", std::ios::binary);
    std::string line;
    RecordedRun run;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.rfind("tool=", 0) == 0) run = RecordedRun{line.substr(5), {}, {}, {}, {}};
        if (line.rfind("cwd=", 0) == 0) run.cwd = line.substr(4);
        if (line.rfind("console=", 0) == 0) run.console = line.substr(8);
        if (line.rfind("arg=", 0) == 0) run.args.push_back(line.substr(4));
        if (line.rfind("cmd=", 0) == 0) {
            run.cmd = line.substr(4);
            runs.push_back(run);
        }
    }
    return runs;
}

}  // namespace e2e
