// Prints how the program takes many files at once: 10,000 files handed over
// as a later start hands them (the same adding a drop onto the window does),
// timed from the first message until every entry is listed, with the
// longest time the window left a message unanswered meanwhile. The program
// is ended without saving, so the stored list stays as it was. Figures
// only: nothing is asserted.
//
//   incoming_bench.exe [files (10000)] [runs (3)]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "shell/HandOver.h"

namespace {

double Now() {
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) * 1000.0 / static_cast<double>(f.QuadPart);
}

std::string Folder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\'));
}

HWND VisibleWindow(DWORD pid, const char* className) {
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        char name[64] = {};
        GetClassNameA(w, name, sizeof name);
        if (owner == pid && IsWindowVisible(w) && std::string(name) == className) return w;
    }
    return nullptr;
}

struct Figures {
    double listedMs = -1, longestSilenceMs = -1;
};

Figures HandOverOnce(const std::string& exe, const std::vector<orvik::HandOverPart>& parts, int files) {
    Figures figures;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string cmd = "\"" + exe + "\"";
    if (!CreateProcessA(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, Folder().c_str(), &si, &pi))
        return figures;
    HWND main = nullptr, handOver = nullptr;
    for (int i = 0; i < 3000 && !(main && handOver); Sleep(10), ++i) {
        main = VisibleWindow(pi.dwProcessId, "TMainForm");
        handOver = FindWindowA("OrvikEncoderHandOver", nullptr);
    }
    WaitForInputIdle(pi.hProcess, 20000);
    HWND list = main ? FindWindowExA(main, nullptr, "ListBox", nullptr) : nullptr;
    if (list) {
        Sleep(500);  // the stored list, if any, is read by now
        const LRESULT before = SendMessageW(list, LB_GETCOUNT, 0, 0);
        const LRESULT wanted = std::min<LRESULT>(before + files, 32767);
        const double start = Now();
        bool sent = true;
        for (const orvik::HandOverPart& part : parts) {
            COPYDATASTRUCT data{orvik::kHandOverTag, static_cast<DWORD>(part.units.size() * 2),
                                const_cast<char16_t*>(part.units.data())};
            DWORD_PTR answer = 0;
            sent = sent && SendMessageTimeoutA(handOver, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                                               SMTO_ABORTIFHUNG, 60000, &answer) && answer == 1;
        }
        double longest = 0;
        while (sent && Now() - start < 120000) {
            const double asked = Now();
            DWORD_PTR count = 0;
            if (!SendMessageTimeoutW(list, LB_GETCOUNT, 0, 0, SMTO_NORMAL, 120000, &count)) break;
            longest = std::max(longest, Now() - asked);
            if (static_cast<LRESULT>(count) >= wanted) {
                figures.listedMs = Now() - start;
                figures.longestSilenceMs = longest;
                break;
            }
            Sleep(5);
        }
    }
    TerminateProcess(pi.hProcess, 0);  // no save: the stored list stays as it was
    WaitForSingleObject(pi.hProcess, 10000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return figures;
}

double Median(std::vector<double> v) {
    if (v.empty()) return -1;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const int files = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 3;
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "orvik_bench_incoming_" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    orvik::FileNames names;
    std::vector<std::string> paths;
    for (int i = 0; i < files; ++i) {
        paths.push_back(folder + "\\song " + std::to_string(i) + ".wav");
        CloseHandle(CreateFileA(paths.back().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        names.emplace_back(paths.back().begin(), paths.back().end());
    }
    const std::vector<orvik::HandOverPart> parts = orvik::EncodeHandOver(names);
    std::vector<double> listed, silence;
    for (int i = 0; i < runs; ++i) {
        const Figures f = HandOverOnce(Folder() + "\\OrvikPlayer.exe", parts, files);
        if (f.listedMs < 0) continue;
        listed.push_back(f.listedMs);
        silence.push_back(f.longestSilenceMs);
    }
    std::printf("\n%d files handed over at once (%zu messages), as a drop adds them; median of %zu of %d runs\n\n",
                files, parts.size(), listed.size(), runs);
    std::printf("  %-48s %8.0f ms\n", "first message to every entry listed", Median(listed));
    std::printf("  %-48s %8.0f ms\n", "longest wait for the window to answer", Median(silence));
    for (const std::string& p : paths) DeleteFileA(p.c_str());
    RemoveDirectoryA(folder.c_str());
    return 0;
}
