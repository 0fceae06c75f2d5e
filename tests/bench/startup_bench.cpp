// Prints start-up and shut-down times, the working set and the window count
// of OrvikPlayer.exe, started the way a user starts it. Figures only: nothing
// is asserted.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {
struct Found {
    DWORD pid;
    HWND main;
    int windows;
};

BOOL CALLBACK Visit(HWND hwnd, LPARAM lParam) {
    auto* f = reinterpret_cast<Found*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != f->pid) return TRUE;
    ++f->windows;
    char cls[64] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    if (std::string(cls) == "TMainForm" && IsWindowVisible(hwnd)) f->main = hwnd;
    return TRUE;
}

double Ms(LARGE_INTEGER a, LARGE_INTEGER b, LARGE_INTEGER freq) {
    return 1000.0 * static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(freq.QuadPart);
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}
}  // namespace

int main(int argc, char** argv) {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string exe = self;
    exe = exe.substr(0, exe.find_last_of('\\')) + "\\OrvikPlayer.exe";
    const int runs = argc > 1 ? std::atoi(argv[1]) : 5;
    LARGE_INTEGER freq;
    QueryPerformanceFrequency(&freq);
    std::vector<double> starts, ends;
    SIZE_T workingSet = 0, peak = 0;
    int windows = 0;
    for (int i = 0; i < runs; ++i) {
        STARTUPINFOA si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        std::string cmd = "\"" + exe + "\"";
        LARGE_INTEGER t0, t1, t2;
        QueryPerformanceCounter(&t0);
        if (!CreateProcessA(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
            std::printf("cannot start %s\n", exe.c_str());
            return 1;
        }
        Found f{pi.dwProcessId, nullptr, 0};
        for (int k = 0; k < 2000 && !f.main; ++k) {
            f.windows = 0;
            EnumWindows(&Visit, reinterpret_cast<LPARAM>(&f));
            if (!f.main) Sleep(1);
        }
        QueryPerformanceCounter(&t1);
        Sleep(300);  // settle before reading the memory figures
        PROCESS_MEMORY_COUNTERS pmc{};
        pmc.cb = sizeof pmc;
        if (GetProcessMemoryInfo(pi.hProcess, &pmc, sizeof pmc)) {
            workingSet = pmc.WorkingSetSize;
            peak = pmc.PeakWorkingSetSize;
        }
        windows = f.windows;
        QueryPerformanceCounter(&t2);
        PostMessageA(f.main, WM_CLOSE, 0, 0);
        WaitForSingleObject(pi.hProcess, 20000);
        LARGE_INTEGER t3;
        QueryPerformanceCounter(&t3);
        starts.push_back(Ms(t0, t1, freq));
        ends.push_back(Ms(t2, t3, freq));
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    std::printf("runs                         %d\n", runs);
    std::printf("start to visible main window %.1f ms (median)\n", Median(starts));
    std::printf("close request to exit        %.1f ms (median)\n", Median(ends));
    std::printf("working set after start      %.0f KiB (peak %.0f KiB)\n", workingSet / 1024.0, peak / 1024.0);
    std::printf("top-level windows            %d\n", windows);
    return 0;
}
