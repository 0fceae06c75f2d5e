// Prints what the player costs while it runs: the CPU time of the whole
// program (all its threads) while it sits idle with the player's 100 ms
// timer running and while it plays, and the program's own count of live GDI
// objects with its memory before and after a run of end-of-entry advances
// on short files. Figures only: nothing is asserted.
//
//   player_bench.exe [advances (500)] [seconds per CPU figure (10)]
#include <windows.h>
#include <psapi.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "../../src/playback/win32/PlayerControlIds.h"

namespace {

const char* const kStoreKey = "Software\\OrvikPlayer";
const char* const kListKey = "Software\\OrvikPlayer\\TMainForm.ListBox1_Items";

void Put(std::string& s, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
}

// A quiet tone, 16-bit mono at 22050 Hz.
bool WriteWav(const std::string& path, int ms) {
    const uint32_t samples = 22050u * static_cast<uint32_t>(ms) / 1000u;
    std::string s = "RIFF";
    Put(s, 36 + samples * 2, 4);
    s += "WAVEfmt ";
    for (uint32_t v : {16u, 1u | (1u << 16), 22050u, 44100u, 2u | (16u << 16)}) Put(s, v, 4);
    s += "data";
    Put(s, samples * 2, 4);
    for (uint32_t i = 0; i < samples; ++i) Put(s, (i / 25) % 2 ? 800 : 0xFCE0, 2);
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(s.data(), 1, s.size(), f) == s.size();
    std::fclose(f);
    return ok;
}

void DeleteTree(HKEY root, const std::string& path) {
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS) {
        char name[256];
        std::vector<std::string> children;
        for (DWORD i = 0, n = sizeof name; RegEnumKeyExA(key, i, name, &n, nullptr, nullptr, nullptr, nullptr) ==
                                           ERROR_SUCCESS;
             ++i, n = sizeof name)
            children.push_back(name);
        RegCloseKey(key);
        for (const std::string& child : children) DeleteTree(root, path + "\\" + child);
    }
    RegDeleteKeyA(root, path.c_str());
}

// The media list the program restores when its main window appears.
void StoreList(const std::vector<std::string>& entries) {
    DeleteTree(HKEY_LOCAL_MACHINE, kStoreKey);
    HKEY key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kListKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    auto set = [&](const std::string& name, const std::string& text) {
        RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>(text.size() + 1));
    };
    set("Count", std::to_string(entries.size()));
    for (size_t i = 0; i < entries.size(); ++i) set("Item" + std::to_string(i), entries[i]);
    RegCloseKey(key);
}

double Seconds(const FILETIME& t) {
    return static_cast<double>((static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;
}
double Now() {
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

struct Found {
    DWORD pid;
    const char* cls;
    HWND hwnd;
};
BOOL CALLBACK Visit(HWND hwnd, LPARAM lParam) {
    auto* f = reinterpret_cast<Found*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    char cls[64] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    if (pid == f->pid && std::string(cls) == f->cls && IsWindowVisible(hwnd)) {
        f->hwnd = hwnd;
        return FALSE;
    }
    return TRUE;
}

// The Linux process behind a Windows one, found by its command line: under
// Wine, GetProcessTimes gives no CPU time for another process, but the
// kernel's count (Z:\proc\<pid>\stat) covers every thread of it. 0 when
// not under Wine.
std::string ReadAll(const std::string& path) {
    std::string text;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        char buffer[4096];
        for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) text.append(buffer, n);
        std::fclose(f);
    }
    return text;
}

int UnixPid(const std::string& commandLine) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA("Z:\\proc\\*", &fd);
    if (h == INVALID_HANDLE_VALUE) return 0;
    int found = 0;
    do {
        const int pid = std::atoi(fd.cFileName);
        if (pid <= 0) continue;
        std::string cmd = ReadAll("Z:\\proc\\" + std::to_string(pid) + "\\cmdline");
        if (CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, cmd.c_str(), -1, commandLine.c_str(), -1) ==
            CSTR_EQUAL)
            found = pid;
    } while (!found && FindNextFileA(h, &fd));
    FindClose(h);
    return found;
}

double UnixCpuSeconds(int pid) {
    const std::string stat = ReadAll("Z:\\proc\\" + std::to_string(pid) + "\\stat");
    const size_t end = stat.rfind(')');
    if (end == std::string::npos) return 0;
    // After the name: state, then fields 4...; user time is field 14, system 15.
    unsigned long long ticks[2] = {};
    size_t at = end + 2;
    for (int field = 3; field <= 15 && at < stat.size(); ++field) {
        const size_t next = stat.find(' ', at);
        if (field >= 14) ticks[field - 14] = std::strtoull(stat.c_str() + at, nullptr, 10);
        at = next == std::string::npos ? stat.size() : next + 1;
    }
    return static_cast<double>(ticks[0] + ticks[1]) / 100.0;  // USER_HZ
}

class Program {
public:
    // Starts a copy of the program from a folder of its own, so that its
    // command line names no other process.
    explicit Program(const std::string& exe) {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        static int runs = 0;
        folder_ = std::string(temp) + "orvik_bench_" + std::to_string(GetCurrentProcessId()) + "_" +
                  std::to_string(++runs);
        CreateDirectoryA(folder_.c_str(), nullptr);
        const std::string copy = folder_ + "\\OrvikPlayer.exe";
        if (!CopyFileA(exe.c_str(), copy.c_str(), FALSE)) return;
        STARTUPINFOA si{};
        si.cb = sizeof si;
        std::string cmd = "\"" + copy + "\"";
        if (!CreateProcessA(copy.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi_)) return;
        main_ = WaitForWindow("TMainForm", 20000);
        list_ = main_ ? FindWindowExA(main_, nullptr, "ListBox", nullptr) : nullptr;
        unixPid_ = UnixPid(copy);
    }
    ~Program() {
        if (!pi_.hProcess) return;
        if (HWND player = WaitForWindow("TPlayForm", 0)) PostMessageA(player, WM_CLOSE, 0, 0);
        Sleep(200);
        if (main_) PostMessageA(main_, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(pi_.hProcess, 20000) != WAIT_OBJECT_0) TerminateProcess(pi_.hProcess, 1);
        CloseHandle(pi_.hThread);
        CloseHandle(pi_.hProcess);
        DeleteFileA((folder_ + "\\OrvikPlayer.exe").c_str());
        RemoveDirectoryA(folder_.c_str());
    }
    bool Ready() const { return list_ != nullptr; }

    HWND WaitForWindow(const char* cls, DWORD ms) const {
        const DWORD start = GetTickCount();
        for (;;) {
            Found f{pi_.dwProcessId, cls, nullptr};
            EnumWindows(&Visit, reinterpret_cast<LPARAM>(&f));
            if (f.hwnd || GetTickCount() - start >= ms) return f.hwnd;
            Sleep(5);
        }
    }
    int Selection() const { return static_cast<int>(SendMessageW(list_, LB_GETCURSEL, 0, 0)); }

    // Selects an entry and presses Ctrl+P, as a user would.
    HWND Play(int entry) const {
        SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(entry), 0);
        SetForegroundWindow(main_);
        Sleep(50);
        INPUT keys[4]{};
        const WORD vks[4] = {VK_CONTROL, 'P', 'P', VK_CONTROL};
        for (int i = 0; i < 4; ++i) {
            keys[i].type = INPUT_KEYBOARD;
            keys[i].ki.wVk = vks[i];
            keys[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
        }
        SendInput(4, keys, sizeof keys[0]);
        return WaitForWindow("TPlayForm", 5000);
    }

    // CPU seconds of all the program's threads so far.
    double CpuSeconds() const {
        if (unixPid_) return UnixCpuSeconds(unixPid_);
        FILETIME created, ended, kernel, user;
        if (!GetProcessTimes(pi_.hProcess, &created, &ended, &kernel, &user)) return 0;
        return Seconds(kernel) + Seconds(user);
    }
    // Percent of one core over the next few seconds.
    double CpuPercent(double seconds) const {
        const double c0 = CpuSeconds(), t0 = Now();
        Sleep(static_cast<DWORD>(seconds * 1000));
        return 100.0 * (CpuSeconds() - c0) / (Now() - t0);
    }
    PROCESS_MEMORY_COUNTERS Memory() const {
        PROCESS_MEMORY_COUNTERS pmc{};
        pmc.cb = sizeof pmc;
        GetProcessMemoryInfo(pi_.hProcess, &pmc, sizeof pmc);
        return pmc;
    }
    long GdiObjects(HWND player) const {
        static const UINT query = RegisterWindowMessageA(orvik::player_ids::kLiveGdiObjectsMessage);
        DWORD_PTR answer = 0;
        if (!SendMessageTimeoutA(player, query, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer)) return -1;
        return static_cast<long>(answer);
    }

    bool UnderWine() const { return unixPid_ != 0; }

private:
    std::string folder_;
    int unixPid_ = 0;
    PROCESS_INFORMATION pi_{};
    HWND main_ = nullptr;
    HWND list_ = nullptr;
};

std::string Folder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s = path;
    return s.substr(0, s.find_last_of('\\'));
}

void PressStop(HWND player) {
    HWND panel = GetDlgItem(player, orvik::player_ids::kControlPanel);
    const LPARAM at = MAKELPARAM(168 + 17, 29 + 17);
    PostMessageA(panel, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(panel, WM_LBUTTONUP, 0, at);
}

}  // namespace

int main(int argc, char** argv) {
    const int advances = argc > 1 ? std::atoi(argv[1]) : 500;
    const double seconds = argc > 2 ? std::atof(argv[2]) : 10.0;
    const std::string exe = Folder() + "\\OrvikPlayer.exe";
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string prefix = std::string(temp) + "orvik_bench_" + std::to_string(GetCurrentProcessId()) + "_";
    std::vector<std::string> files;
    auto wav = [&](const char* name, int ms) {
        files.push_back(prefix + name);
        WriteWav(files.back(), ms);
        return files.back();
    };
    const std::string longFile = wav("long.wav", static_cast<int>(seconds * 1000) + 5000);
    const std::vector<std::string> shortFiles{wav("a.wav", 40), wav("b.wav", 60), wav("c.wav", 80)};

    std::printf("player, CPU of the whole program (%% of one core, %.0f s each)\n", seconds);
    {
        StoreList({longFile});
        Program program(exe);
        if (!program.Ready()) {
            std::printf("cannot start %s\n", exe.c_str());
            return 1;
        }
        if (!program.UnderWine()) std::printf("  (CPU times from GetProcessTimes)\n");
        Sleep(500);
        std::printf("  main window only, player hidden   %6.2f %%\n", program.CpuPercent(seconds));
        HWND player = program.Play(0);
        if (!player) {
            std::printf("the player did not open\n");
            return 1;
        }
        Sleep(500);
        std::printf("  player playing a WAV              %6.2f %%\n", program.CpuPercent(seconds));
        PressStop(player);
        Sleep(500);
        std::printf("  player shown, stopped (idle)      %6.2f %%\n", program.CpuPercent(seconds));
    }

    std::printf("player, %d end-of-entry advances over WAVs of 40, 60 and 80 ms\n", advances);
    {
        StoreList(shortFiles);
        Program program(exe);
        HWND player = program.Ready() ? program.Play(0) : nullptr;
        if (!player) {
            std::printf("the player did not open\n");
            return 1;
        }
        const int warmUp = advances < 20 ? 1 : 20;
        int count = 0, last = program.Selection();
        long gdiBefore = 0;
        PROCESS_MEMORY_COUNTERS before{};
        double t0 = 0;
        const DWORD limit = GetTickCount() + 2000u * static_cast<DWORD>(advances + warmUp);
        while (count < advances + warmUp && GetTickCount() < limit) {
            Sleep(2);
            const int now = program.Selection();
            if (now == last) continue;
            last = now;
            if (++count == warmUp) {
                gdiBefore = program.GdiObjects(player);
                before = program.Memory();
                t0 = Now();
            }
        }
        const double elapsed = Now() - t0;
        const long gdiAfter = program.GdiObjects(player);
        const PROCESS_MEMORY_COUNTERS after = program.Memory();
        const int measured = count - warmUp;
        std::printf("  advances counted                  %d (after %d to warm up), %.0f ms each\n", measured, warmUp,
                    measured > 0 ? 1000.0 * elapsed / measured : 0.0);
        std::printf("  live GDI objects (own count)      %ld -> %ld\n", gdiBefore, gdiAfter);
        std::printf("  working set                       %.0f -> %.0f KiB\n", before.WorkingSetSize / 1024.0,
                    after.WorkingSetSize / 1024.0);
        std::printf("  private bytes                     %.0f -> %.0f KiB\n", before.PagefileUsage / 1024.0,
                    after.PagefileUsage / 1024.0);
    }
    DeleteTree(HKEY_LOCAL_MACHINE, kStoreKey);
    DeleteTree(HKEY_CURRENT_USER, kStoreKey);
    for (const std::string& f : files) DeleteFileA(f.c_str());
    return 0;
}
