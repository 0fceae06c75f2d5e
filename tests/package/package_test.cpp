// The packages as a user meets them, under Wine in a prefix of their own,
// made fresh for each run: the installer run silently as the user, the
// program started through its Start-menu shortcut and encoding with the
// lame.exe that came with it, the uninstaller run silently; the portable
// zip, unpacked beside this program by the package_build step
// (tests/package/make_packages.cmake); and the shipped files' manifests and
// sizes.
#include <gtest/gtest.h>
#include <windows.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <shobjidl.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "Version.h"
#include "e2e/Driver.h"
#include "encoding/win32/ControlIds.h"

using e2e::WaitUntil;
using e2e::WindowText;

namespace {

const char* const kStoreKey = "Software\\OrvikPlayer";
const char* const kListKey = "Software\\OrvikPlayer\\TMainForm.ListBox1_Items";
const char* const kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Orvik Encoder";
const char* const kProduct = "Orvik Encoder";
// What both packages carry.
const std::vector<std::string> kShipped = {"COPYING", "LAME.txt", "OrvikPlayer.exe", "ReadMe.txt", "lame.exe"};

std::string PackagesFolder() { return e2e::BuildFolder() + "\\packages"; }

std::string KnownFolder(int csidl) {
    char path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
    return path;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool SamePath(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) == 0; }

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
    } while (FindNextFileA(find, &found));
    FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
}

ULONGLONG FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
    return (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// Runs a command line to its end; the exit code, or -1 when it did not end.
int RunToEnd(const std::string& commandLine, DWORD limitMs) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string cmd = commandLine;
    if (!CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(pi.hProcess, limitMs) == WAIT_OBJECT_0) GetExitCodeProcess(pi.hProcess, &code);
    else TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return static_cast<int>(code);
}

bool ProcessRuns(const char* exeName) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    bool found = false;
    for (BOOL more = Process32First(snapshot, &entry); more && !found; more = Process32Next(snapshot, &entry))
        found = lstrcmpiA(entry.szExeFile, exeName) == 0;
    CloseHandle(snapshot);
    return found;
}

HWND VisibleWindowOf(const char* className, DWORD pid) {
    for (HWND w = FindWindowExA(nullptr, nullptr, className, nullptr); w;
         w = FindWindowExA(nullptr, w, className, nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if ((!pid || owner == pid) && IsWindowVisible(w)) return w;
    }
    return nullptr;
}

// A 16-bit stereo WAV of a tone.
void WriteWav(const std::string& path, int seconds, int rate = 44100) {
    const uint32_t frames = static_cast<uint32_t>(seconds * rate), bytes = frames * 4;
    std::ofstream out(path, std::ios::binary);
    auto u32 = [&](uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&](uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    out.write("RIFF", 4);
    u32(36 + bytes);
    out.write("WAVEfmt ", 8);
    u32(16);
    u16(1);
    u16(2);
    u32(static_cast<uint32_t>(rate));
    u32(static_cast<uint32_t>(rate) * 4);
    u16(4);
    u16(16);
    out.write("data", 4);
    u32(bytes);
    for (uint32_t n = 0; n < frames; ++n) {
        const int16_t v = static_cast<int16_t>(12000 * std::sin(2 * 3.14159265 * 440 * n / rate));
        u16(static_cast<uint16_t>(v));
        u16(static_cast<uint16_t>(v));
    }
}

// ---- the registry

bool KeyExists(HKEY root, const char* path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

std::string ReadText(HKEY root, const char* path, const char* name) {
    char text[1024] = {};
    DWORD size = sizeof text - 1, type = 0;
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return "<no key>";
    const LONG rc = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS && type == REG_SZ ? std::string(text) : "<no value>";
}

long long ReadNumber(HKEY root, const char* path, const char* name) {
    DWORD value = 0, size = sizeof value, type = 0;
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return -1;
    const LONG rc = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS && type == REG_DWORD ? value : -1;
}

void WriteText(HKEY key, const char* name, const std::string& text) {
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
}

void DeleteStore() { SHDeleteKeyA(HKEY_LOCAL_MACHINE, kStoreKey); }

// A media list stored the way the program stores it.
void StoreList(const std::vector<std::string>& entries) {
    DeleteStore();
    HKEY form = nullptr, list = nullptr;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\OrvikPlayer\\TMainForm", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                    &form, nullptr);
    WriteText(form, "FormVersion", "0");
    RegCloseKey(form);
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, kListKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &list, nullptr);
    WriteText(list, "Count", std::to_string(entries.size()));
    for (size_t i = 0; i < entries.size(); ++i) WriteText(list, ("Item" + std::to_string(i)).c_str(), entries[i]);
    RegCloseKey(list);
}

// ---- shortcuts

struct Shortcut {
    std::string target, folder;
};

Shortcut ReadShortcut(const std::string& link) {
    Shortcut shortcut;
    IShellLinkA* shellLink = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&shellLink))))
        return shortcut;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        std::wstring wide(link.begin(), link.end());
        if (SUCCEEDED(file->Load(wide.c_str(), STGM_READ))) {
            char path[MAX_PATH] = {}, dir[MAX_PATH] = {};
            if (SUCCEEDED(shellLink->GetPath(path, MAX_PATH, nullptr, 0))) shortcut.target = path;
            if (SUCCEEDED(shellLink->GetWorkingDirectory(dir, MAX_PATH))) shortcut.folder = dir;
        }
        file->Release();
    }
    shellLink->Release();
    return shortcut;
}

// ---- the installed program

struct Installation {
    std::string folder = KnownFolder(CSIDL_LOCAL_APPDATA) + "\\Programs\\" + kProduct;
    std::string exe = folder + "\\OrvikPlayer.exe";
    std::string uninstaller = folder + "\\Uninstall.exe";
    std::string menu = KnownFolder(CSIDL_PROGRAMS) + "\\" + kProduct;
    std::string shortcut = menu + "\\" + kProduct + ".lnk";
    std::string folderShortcut = menu + "\\Encoded files.lnk";
};

// The program as started from its shortcut: its windows and its process.
class RunningProgram {
public:
    explicit RunningProgram(DWORD pid) : pid_(pid), process_(OpenProcess(SYNCHRONIZE, FALSE, pid)) {}
    ~RunningProgram() {
        if (process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
            if (HANDLE killer = OpenProcess(PROCESS_TERMINATE, FALSE, pid_)) {
                TerminateProcess(killer, 1);
                CloseHandle(killer);
            }
        }
        if (process_) CloseHandle(process_);
    }
    HWND Window(const char* className) const { return VisibleWindowOf(className, pid_); }
    DWORD Pid() const { return pid_; }
    bool WaitForEnd(DWORD limitMs) const { return process_ && WaitForSingleObject(process_, limitMs) == WAIT_OBJECT_0; }

    // A click in the window once it is the foreground window.
    void Click(HWND window, int x, int y) const {
        ASSERT_TRUE(WaitUntil([&] {
            if (GetForegroundWindow() == window) return true;
            SetForegroundWindow(window);
            return false;
        })) << "the window does not come to the foreground";
        e2e::ClickClient(window, x, y);
    }
    // The error box that a click brought up: its text, once it is closed.
    std::string BoxText() const {
        HWND box = e2e::WaitForMessageBox(pid_, 10000);
        if (!box) return "<no box>";
        const std::string text = WindowText(GetDlgItem(box, 0xFFFF));
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
        return text;
    }

private:
    DWORD pid_;
    HANDLE process_;
};

// Starts the installed program through its Start-menu shortcut, as
// Explorer would, and returns its visible main window.
HWND StartThroughShortcut(const Installation& installed) {
    if (reinterpret_cast<INT_PTR>(
            ShellExecuteA(nullptr, nullptr, installed.shortcut.c_str(), nullptr, nullptr, SW_SHOWNORMAL)) <= 32)
        return nullptr;
    HWND main = nullptr;
    WaitUntil([&] { return (main = VisibleWindowOf("TMainForm", 0)) != nullptr; }, 30000);
    return main;
}

DWORD ProcessOf(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

FILETIME WriteTime(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

// A visible dialog window of another process (#32770) whose caption holds
// `caption` and that has a control of this id.
HWND DialogWith(const char* caption, int id) {
    for (HWND w = FindWindowExA(nullptr, nullptr, "#32770", nullptr); w;
         w = FindWindowExA(nullptr, w, "#32770", nullptr))
        if (IsWindowVisible(w) && WindowText(w).find(caption) != std::string::npos && GetDlgItem(w, id)) return w;
    return nullptr;
}

// Runs the uninstaller interactively while a copy of the program cannot
// end: accepts its confirm page and returns the text of the box that
// follows, which it cancels; the uninstaller must then end with exit code 3.
std::string UninstallersBox(const std::string& commandLine) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string cmd = commandLine;
    if (!CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return "<no start>";
    std::string text = "<no box>";
    HWND page = nullptr, box = nullptr;
    if (WaitUntil([&] { return (page = DialogWith("Uninstall", IDOK)) != nullptr; }, 30000)) {
        PostMessageA(page, WM_COMMAND, IDOK, 0);
        if (WaitUntil([&] { return (box = DialogWith(kProduct, IDRETRY)) != nullptr; }, 30000)) {
            text = WindowText(GetDlgItem(box, 0xFFFF));
            PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
        }
    }
    DWORD code = 0;
    EXPECT_EQ(WaitForSingleObject(pi.hProcess, 30000), WAIT_OBJECT_0);
    GetExitCodeProcess(pi.hProcess, &code);
    EXPECT_EQ(code, 3u);
    if (code == STILL_ACTIVE) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return text;
}

// The main window's encode button; on the Lame face, "Encode to MP3 !".
constexpr int kEncodeX = 92 + 20, kEncodeY = 24 + 20, kMp3X = 144, kMp3Y = 168 + 11;

class Installer : public testing::Test {
protected:
    void SetUp() override {
        CoInitialize(nullptr);
        installer_ = PackagesFolder() + "\\OrvikPlayer-" ORVIK_VERSION_TEXT "-setup.exe";
        ASSERT_TRUE(Exists(installer_)) << installer_;
    }
    void TearDown() override {
        DeleteStore();
        CoUninitialize();
    }
    std::string installer_;
    Installation installed_;
};

TEST_F(Installer, InstallsForTheUserEncodesWithItsLameAndEndsARunningCopyBeforeTouchingAFile) {
    const std::vector<std::string> stored = {"C:\\Music\\first.wav", "C:\\Music\\second.mp3"};
    StoreList(stored);
    const std::string encodedCopy = e2e::BuildFolder() + "\\installed-lame.mp3";
    const std::string sourceCopy = e2e::BuildFolder() + "\\installed-lame.wav";
    DeleteFileA(encodedCopy.c_str());
    DeleteFileA(sourceCopy.c_str());

    ASSERT_EQ(RunToEnd("\"" + installer_ + "\" /S", 120000), 0) << "the silent installer failed";
    std::vector<std::string> expected = kShipped;
    expected.push_back("Uninstall.exe");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(FilesIn(installed_.folder), expected) << installed_.folder;
    // Nothing for all users.
    EXPECT_FALSE(Exists(KnownFolder(CSIDL_PROGRAM_FILES) + "\\" + kProduct));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));

    // The user's entry under the installed programs.
    const HKEY user = HKEY_CURRENT_USER;
    EXPECT_EQ(ReadText(user, kUninstallKey, "DisplayName"), kProduct);
    EXPECT_EQ(ReadText(user, kUninstallKey, "DisplayVersion"), ORVIK_VERSION_TEXT);
    EXPECT_EQ(ReadText(user, kUninstallKey, "Publisher"), "Orvik");
    EXPECT_TRUE(SamePath(ReadText(user, kUninstallKey, "DisplayIcon"), installed_.exe + ",0"));
    EXPECT_TRUE(SamePath(ReadText(user, kUninstallKey, "InstallLocation"), installed_.folder));
    const std::string uninstall = ReadText(user, kUninstallKey, "UninstallString");
    EXPECT_TRUE(SamePath(uninstall, "\"" + installed_.uninstaller + "\"")) << uninstall;
    const std::string quietUninstall = ReadText(user, kUninstallKey, "QuietUninstallString");
    // Run in place, so that it is waited for and gives its exit code.
    EXPECT_TRUE(SamePath(quietUninstall, uninstall + " /S _?=" + installed_.folder)) << quietUninstall;
    EXPECT_EQ(ReadNumber(user, kUninstallKey, "NoModify"), 1);
    EXPECT_EQ(ReadNumber(user, kUninstallKey, "NoRepair"), 1);
    ULONGLONG bytes = 0;
    for (const std::string& f : expected) bytes += FileSize(installed_.folder + "\\" + f);
    const long long size = ReadNumber(user, kUninstallKey, "EstimatedSize");
    EXPECT_GE(size, static_cast<long long>(bytes / 1024));
    EXPECT_LE(size, static_cast<long long>(bytes / 1024 + expected.size()));

    // The user's Start menu: the program, started in its folder, and the
    // folder itself, where the encoded files land.
    const Shortcut program = ReadShortcut(installed_.shortcut);
    EXPECT_TRUE(SamePath(program.target, installed_.exe)) << program.target;
    EXPECT_TRUE(SamePath(program.folder, installed_.folder)) << program.folder;
    EXPECT_TRUE(SamePath(ReadShortcut(installed_.folderShortcut).target, installed_.folder));

    // Started through its shortcut as Explorer would, the program shows the
    // list stored before.
    HWND main = StartThroughShortcut(installed_);
    ASSERT_NE(main, nullptr);
    RunningProgram running(ProcessOf(main));
    HWND list = FindWindowExA(main, nullptr, "ListBox", nullptr);
    EXPECT_TRUE(WaitUntil([&] { return SendMessageA(list, LB_GETCOUNT, 0, 0) == 2; }));

    // The Lame face with its defaults encodes a WAV with the lame.exe that
    // came with the program, into the program folder.
    const std::string wav = e2e::TempFolder() + "\\orvik-package-tone.wav";
    WriteWav(wav, 3);
    running.Click(main, kEncodeX, kEncodeY);
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (dialog = running.Window("TEncodeForm")) != nullptr; }));
    SendMessageA(GetDlgItem(dialog, orvik::kIdLameInput), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wav.c_str()));
    running.Click(dialog, kMp3X, kMp3Y);
    const std::string mp3 = installed_.folder + "\\EncodedFile.mp3";
    EXPECT_TRUE(WaitUntil([&] { return Exists(mp3) && !ProcessRuns("lame.exe"); }, 30000)) << "no " << mp3;
    // For the decoding check that follows this test (encoded_mp3.py).
    CopyFileA(mp3.c_str(), encodedCopy.c_str(), FALSE);
    CopyFileA(wav.c_str(), sourceCopy.c_str(), FALSE);
    DeleteFileA(wav.c_str());

    // With lame.exe gone from the program folder, a lame.exe on the search
    // path is not started in its place: the press shows the program's box.
    const std::string stranger = KnownFolder(CSIDL_WINDOWS) + "\\lame.exe";
    const std::string strangerLog = KnownFolder(CSIDL_WINDOWS) + "\\tool-runs.log";
    ASSERT_TRUE(CopyFileA((e2e::BuildFolder() + "\\fake_tool.exe").c_str(), stranger.c_str(), FALSE));
    const std::string lame = installed_.folder + "\\lame.exe", away = installed_.folder + ".lame.exe";
    ASSERT_TRUE(MoveFileA(lame.c_str(), away.c_str()));
    running.Click(dialog, kMp3X, kMp3Y);
    const std::string box = running.BoxText();
    EXPECT_EQ(box.rfind("lame.exe is not in the program folder", 0), 0u) << box;
    EXPECT_NE(box.find("\n" + installed_.folder + "\n"), std::string::npos) << box;
    EXPECT_FALSE(Exists(strangerLog)) << "the lame.exe on the search path was started";
    MoveFileA(away.c_str(), lame.c_str());

    // Installed over while it runs, with a file just handed to it by a second
    // start: the copy ends as F12 ends it, saving its list, before a file is
    // replaced.
    ASSERT_EQ(RunToEnd("\"" + installed_.exe + "\" \"" + mp3 + "\"", 30000), 0);
    EXPECT_TRUE(WaitUntil([&] { return SendMessageA(list, LB_GETCOUNT, 0, 0) == 3; }));
    ASSERT_EQ(RunToEnd("\"" + installer_ + "\" /S", 120000), 0) << "installing over the running copy failed";
    EXPECT_TRUE(running.WaitForEnd(0)) << "the running copy did not end before the files were replaced";
    EXPECT_EQ(ReadText(HKEY_LOCAL_MACHINE, kListKey, "Item2"), mp3);
    expected.push_back("EncodedFile.mp3");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(FilesIn(installed_.folder), expected);

    // A copy that cannot end, as it shows its open dialog: the silent
    // installer and the quiet uninstall command end with an error and change
    // nothing; the interactive uninstaller's box names the dialog. The copy
    // drops the requests: it still runs once the dialog is closed.
    main = StartThroughShortcut(installed_);
    ASSERT_NE(main, nullptr);
    RunningProgram second(ProcessOf(main));
    e2e::PressKey(main, 'O', true);
    ASSERT_NE(e2e::WaitForOpenDialog(second.Pid(), 10000), nullptr);
    const FILETIME written = WriteTime(installed_.exe);
    EXPECT_EQ(RunToEnd("\"" + installer_ + "\" /S", 120000), 3);
    EXPECT_EQ(RunToEnd(quietUninstall, 60000), 3);
    const std::string refusal = UninstallersBox(uninstall + " _?=" + installed_.folder);
    EXPECT_NE(refusal.find("open dialog"), std::string::npos) << refusal;
    EXPECT_EQ(refusal.find("F12"), std::string::npos) << refusal;
    EXPECT_EQ(FilesIn(installed_.folder), expected);
    const FILETIME after = WriteTime(installed_.exe);
    EXPECT_EQ(CompareFileTime(&written, &after), 0) << "OrvikPlayer.exe was replaced";
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kUninstallKey));
    ASSERT_TRUE(e2e::CancelOpenDialog(second.Pid()));
    // A plain start hands over to it and ends (to a copy that had taken a
    // request to end, it would become a second copy).
    EXPECT_EQ(RunToEnd("\"" + installed_.exe + "\"", 30000), 0);

    // Uninstalled while it runs: the copy ends first. The uninstaller takes
    // what the installer put there, and leaves what the user made: the
    // encoded file (and so the folder) and the list.
    ASSERT_EQ(RunToEnd(quietUninstall, 60000), 0) << "the silent uninstaller failed";
    EXPECT_TRUE(second.WaitForEnd(30000));
    const std::vector<std::string> kept = {"EncodedFile.mp3"};
    EXPECT_TRUE(WaitUntil([&] {
        return FilesIn(installed_.folder) == kept && !Exists(installed_.menu) &&
               !KeyExists(HKEY_CURRENT_USER, kUninstallKey);
    }, 60000)) << "left in the folder: " << testing::PrintToString(FilesIn(installed_.folder))
               << (Exists(installed_.menu) ? ", the Start-menu folder" : "")
               << (KeyExists(HKEY_CURRENT_USER, kUninstallKey) ? ", the uninstall entry" : "");
    EXPECT_EQ(ReadText(HKEY_LOCAL_MACHINE, kListKey, "Count"), "3");
    EXPECT_EQ(ReadText(HKEY_LOCAL_MACHINE, kListKey, "Item0"), stored[0]);
    EXPECT_EQ(ReadText(HKEY_LOCAL_MACHINE, kListKey, "Item2"), mp3);
    EXPECT_FALSE(Exists(strangerLog)) << "the lame.exe on the search path was started";

    DeleteFileA(mp3.c_str());
    RemoveDirectoryA(installed_.folder.c_str());
    DeleteFileA(stranger.c_str());
}

TEST(PortableZip, HoldsWhatTheInstallerInstallsAndTheProgramStartsFromIt) {
    const std::string folder = PackagesFolder() + "\\unpacked\\OrvikPlayer-" ORVIK_VERSION_TEXT "-win32";
    EXPECT_EQ(FilesIn(folder), kShipped);
    // The source lame.exe was built from lies beside the packages.
    const std::vector<std::string> beside = FilesIn(PackagesFolder());
    for (const char* suffix : {".dsc", ".orig.tar.gz", ".debian.tar.xz"})
        EXPECT_TRUE(std::any_of(beside.begin(), beside.end(), [&](const std::string& name) {
            return name.rfind("lame_", 0) == 0 && name.size() > strlen(suffix) &&
                   name.compare(name.size() - strlen(suffix), std::string::npos, suffix) == 0;
        })) << "no lame_*" << suffix << " in " << PackagesFolder();

    DeleteStore();
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    const std::string exe = folder + "\\OrvikPlayer.exe";
    std::string cmd = "\"" + exe + "\"";
    ASSERT_TRUE(CreateProcessA(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi));
    HWND main = nullptr;
    EXPECT_TRUE(WaitUntil([&] { return (main = VisibleWindowOf("TMainForm", pi.dwProcessId)) != nullptr; }, 30000));
    if (main) PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(pi.hProcess, 30000), WAIT_OBJECT_0);
    TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    DeleteStore();
}

// ---- manifests and sizes of what ships

BOOL CALLBACK CountLanguage(HMODULE, LPCSTR, LPCSTR, WORD, LONG_PTR count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

struct ManifestScan {
    HMODULE module = nullptr;
    int count = 0;
    std::string text;  // of the last one
};

BOOL CALLBACK ReadManifest(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR state) {
    auto* scan = reinterpret_cast<ManifestScan*>(state);
    EnumResourceLanguagesA(module, type, name, CountLanguage, reinterpret_cast<LONG_PTR>(&scan->count));
    if (HRSRC found = FindResourceA(module, name, type))
        if (HGLOBAL loaded = LoadResource(module, found))
            scan->text.assign(static_cast<const char*>(LockResource(loaded)), SizeofResource(module, found));
    return TRUE;
}

ManifestScan Manifests(const std::string& exe) {
    ManifestScan scan;
    scan.module = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (scan.module) {
        EnumResourceNamesA(scan.module, RT_MANIFEST, ReadManifest, reinterpret_cast<LONG_PTR>(&scan));
        FreeLibrary(scan.module);
    }
    return scan;
}

// Some MinGW toolchains link a default manifest that asks for asInvoker,
// which would switch off the registry virtualization the stored list
// relies on for a standard user.
TEST(ShippedFiles, ManifestsAskForNoExecutionLevelAndSizesStayWithinBounds) {
    const std::string build = e2e::BuildFolder();
    const ManifestScan program = Manifests(build + "\\OrvikPlayer.exe");
    ASSERT_NE(program.module, nullptr);
    EXPECT_EQ(program.count, 1);
    EXPECT_EQ(program.text.find("requestedExecutionLevel"), std::string::npos) << program.text;
    EXPECT_EQ(program.text.find("trustInfo"), std::string::npos) << program.text;
    EXPECT_EQ(program.text.find("Microsoft.Windows.Common-Controls"), std::string::npos) << program.text;
    EXPECT_NE(program.text.find("<gdiScaling xmlns=\"http://schemas.microsoft.com/SMI/2017/WindowsSettings\">true"),
              std::string::npos);
    for (const char* os : {"{e2011457-1546-43c5-a5fe-008deee3d3f0}", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"})
        EXPECT_NE(program.text.find(os), std::string::npos) << os;

    const ManifestScan lame = Manifests(build + "\\lame.exe");
    ASSERT_NE(lame.module, nullptr);
    EXPECT_EQ(lame.count, 1);
    EXPECT_EQ(lame.text.find("requestedExecutionLevel"), std::string::npos) << lame.text;
    // Both run in UTF-8, so that names of every language reach them whole.
    for (const ManifestScan* scan : {&program, &lame})
        EXPECT_NE(scan->text.find("<activeCodePage xmlns=\"http://schemas.microsoft.com/SMI/2019/WindowsSettings\">"
                                  "UTF-8</activeCodePage>"),
                  std::string::npos)
            << scan->text;

    EXPECT_LE(FileSize(build + "\\OrvikPlayer.exe"), 512u * 1024);
    EXPECT_LE(FileSize(PackagesFolder() + "\\OrvikPlayer-" ORVIK_VERSION_TEXT "-setup.exe"), 600u * 1024);
}

}  // namespace
