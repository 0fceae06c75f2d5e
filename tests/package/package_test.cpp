// The packages as a user meets them, under Wine: the installer run silently,
// the program started through its Start-menu shortcut, the uninstaller run
// silently; and the portable zip, unpacked beside this program by the
// package_build step (tests/package/make_packages.cmake).
#include <gtest/gtest.h>
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <shobjidl.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "Version.h"

namespace {

const char* const kStoreKey = "Software\\OrvikPlayer";
const char* const kListKey = "Software\\OrvikPlayer\\TMainForm.ListBox1_Items";
const char* const kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Orvik Encoder";
const char* const kProduct = "Orvik Encoder";

bool WaitUntil(const std::function<bool()>& condition, DWORD limitMs) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > limitMs) return false;
        Sleep(50);
    }
    return true;
}

std::string ThisFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string p = path;
    return p.substr(0, p.find_last_of('\\'));
}

std::string PackagesFolder() { return ThisFolder() + "\\packages"; }

std::string KnownFolder(int csidl) {
    char path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
    return path;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool SamePath(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) == 0; }

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

HWND VisibleMainWindow(DWORD pid) {
    for (HWND w = FindWindowExA(nullptr, nullptr, "TMainForm", nullptr); w;
         w = FindWindowExA(nullptr, w, "TMainForm", nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner == pid && IsWindowVisible(w)) return w;
    }
    return nullptr;
}

// What a start of the program showed.
struct StartResult {
    bool mainWindowShown = false;
    int entries = -1;  // in its media list
    bool endedOnClose = false;
};

// Starts the program as the shell does (in the given folder), waits for its
// main window, reads its list, and closes it again.
StartResult StartProgram(const std::string& exe, const std::string& folder) {
    StartResult result;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string cmd = "\"" + exe + "\"";
    if (!CreateProcessA(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &si, &pi)) {
        ADD_FAILURE() << "cannot start " << exe << " (error " << GetLastError() << ")";
        return result;
    }
    HWND main = nullptr;
    result.mainWindowShown = WaitUntil([&] { return (main = VisibleMainWindow(pi.dwProcessId)) != nullptr; }, 30000);
    if (main) {
        if (HWND list = FindWindowExA(main, nullptr, "ListBox", nullptr))
            result.entries = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
        PostMessageA(main, WM_CLOSE, 0, 0);
        result.endedOnClose = WaitForSingleObject(pi.hProcess, 30000) == WAIT_OBJECT_0;
    }
    if (!result.endedOnClose) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return result;
}

// ---- the registry

bool KeyExists(const char* path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

std::string ReadText(const char* path, const char* name) {
    char text[1024] = {};
    DWORD size = sizeof text - 1, type = 0;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return "<no key>";
    const LONG rc = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS && type == REG_SZ ? std::string(text) : "<no value>";
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

// ---- the shortcut

std::string ShortcutTarget(const std::string& link, std::string* folder) {
    std::string target;
    IShellLinkA* shellLink = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&shellLink))))
        return target;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        std::wstring wide(link.begin(), link.end());
        if (SUCCEEDED(file->Load(wide.c_str(), STGM_READ))) {
            char path[MAX_PATH] = {}, dir[MAX_PATH] = {};
            if (SUCCEEDED(shellLink->GetPath(path, MAX_PATH, nullptr, 0))) target = path;
            if (folder && SUCCEEDED(shellLink->GetWorkingDirectory(dir, MAX_PATH))) *folder = dir;
        }
        file->Release();
    }
    shellLink->Release();
    return target;
}

// ---- the installed program

struct Installation {
    std::string folder = KnownFolder(CSIDL_PROGRAM_FILES) + "\\" + kProduct;
    std::string exe = folder + "\\OrvikPlayer.exe";
    std::string note = folder + "\\Encoders.txt";
    std::string uninstaller = folder + "\\Uninstall.exe";
    std::string shortcut = KnownFolder(CSIDL_COMMON_PROGRAMS) + "\\" + kProduct + ".lnk";

    bool Gone() const {
        return !Exists(folder) && !Exists(shortcut) && !KeyExists(kUninstallKey);
    }
    // What an earlier run that failed half-way may have left.
    void Clear() const {
        for (const std::string& f : {exe, note, uninstaller, shortcut}) DeleteFileA(f.c_str());
        RemoveDirectoryA(folder.c_str());
        SHDeleteKeyA(HKEY_LOCAL_MACHINE, kUninstallKey);
    }
};

class Installer : public testing::Test {
protected:
    void SetUp() override {
        CoInitialize(nullptr);
        installer_ = PackagesFolder() + "\\OrvikPlayer-" ORVIK_VERSION_TEXT "-setup.exe";
        ASSERT_TRUE(Exists(installer_)) << installer_;
        installed_.Clear();
    }
    void TearDown() override {
        installed_.Clear();
        DeleteStore();
        CoUninitialize();
    }
    std::string installer_;
    Installation installed_;
};

TEST_F(Installer, InstallsStartsFromTheShortcutAndUninstallsLeavingTheMediaList) {
    const std::vector<std::string> stored = {"C:\\Music\\first.wav", "C:\\Music\\second.mp3"};
    StoreList(stored);

    ASSERT_EQ(RunToEnd("\"" + installer_ + "\" /S", 120000), 0) << "the silent installer failed";
    EXPECT_TRUE(Exists(installed_.exe)) << installed_.exe;
    EXPECT_TRUE(Exists(installed_.note)) << installed_.note;
    EXPECT_TRUE(Exists(installed_.uninstaller)) << installed_.uninstaller;

    // The entry under Add/Remove Programs: name, version, icon, uninstaller.
    EXPECT_EQ(ReadText(kUninstallKey, "DisplayName"), kProduct);
    EXPECT_EQ(ReadText(kUninstallKey, "DisplayVersion"), ORVIK_VERSION_TEXT);
    EXPECT_TRUE(SamePath(ReadText(kUninstallKey, "DisplayIcon"), installed_.exe + ",0"))
        << ReadText(kUninstallKey, "DisplayIcon");
    const std::string uninstall = ReadText(kUninstallKey, "UninstallString");
    EXPECT_TRUE(SamePath(uninstall, "\"" + installed_.uninstaller + "\"")) << uninstall;

    // The Start-menu shortcut leads to the installed program, which starts
    // from there with the list stored before.
    ASSERT_TRUE(Exists(installed_.shortcut)) << installed_.shortcut;
    std::string folder;
    const std::string target = ShortcutTarget(installed_.shortcut, &folder);
    EXPECT_TRUE(SamePath(target, installed_.exe)) << target;
    EXPECT_TRUE(SamePath(folder, installed_.folder)) << folder;
    const StartResult started = StartProgram(target, folder);
    EXPECT_TRUE(started.mainWindowShown);
    EXPECT_EQ(started.entries, 2);
    EXPECT_TRUE(started.endedOnClose);

    // The uninstaller runs from a copy of itself and ends after it is done.
    ASSERT_EQ(RunToEnd(uninstall + " /S", 60000), 0) << "the silent uninstaller failed";
    EXPECT_TRUE(WaitUntil([&] { return installed_.Gone(); }, 60000))
        << "left behind: " << (Exists(installed_.exe) ? "the program " : "")
        << (Exists(installed_.uninstaller) ? "the uninstaller " : "") << (Exists(installed_.folder) ? "its folder " : "")
        << (Exists(installed_.shortcut) ? "the shortcut " : "")
        << (KeyExists(kUninstallKey) ? "the uninstall entry" : "");

    // The user's media list is still there, as it was.
    EXPECT_EQ(ReadText(kListKey, "Count"), "2");
    EXPECT_EQ(ReadText(kListKey, "Item0"), stored[0]);
    EXPECT_EQ(ReadText(kListKey, "Item1"), stored[1]);
}

TEST(PortableZip, UnpacksToAFolderFromWhichTheProgramStarts) {
    const std::string folder = PackagesFolder() + "\\unpacked\\OrvikPlayer-" ORVIK_VERSION_TEXT "-win32";
    // Just the program and the note on the encoder tools.
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &found);
    ASSERT_NE(find, INVALID_HANDLE_VALUE) << folder;
    do {
        if (found.cFileName[0] != '.') names.push_back(found.cFileName);
    } while (FindNextFileA(find, &found));
    FindClose(find);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Encoders.txt", "OrvikPlayer.exe"}));

    DeleteStore();
    const StartResult started = StartProgram(folder + "\\OrvikPlayer.exe", folder);
    EXPECT_TRUE(started.mainWindowShown);
    EXPECT_EQ(started.entries, 0);
    EXPECT_TRUE(started.endedOnClose);
    DeleteStore();
}

}  // namespace
