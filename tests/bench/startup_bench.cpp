// Start-up figures of OrvikPlayer.exe beside a reference program of the same
// shape (reference_app.exe), measured in one run: the time from CreateProcess
// to a visible main window (median, the two programs started in turn), the
// working set one second after the start, the file size; the start with
// 10,000 stored media entries against an empty store and the close-to-exit
// time (an unchanged list is not written again); the time of a second start
// that hands over to the running copy; and the start-up and exit
// phases as the benchmark build of the program (trace\OrvikPlayer.exe)
// times them from inside. Figures only: nothing is asserted.
//
//   startup_bench.exe [runs of each program (9)] [runs with 10,000 entries (5)] [traced runs (3)]
//                     [another build of OrvikPlayer.exe to compare with]
//
// The other build, when given, is started in turn with the two, and its
// figures are printed beside theirs: before and after a change, measured in
// the same run.
// The stored media list (HKLM\Software\OrvikPlayer) is set aside before the
// runs and put back afterwards.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

const char* const kStoreKey = "Software\\OrvikPlayer";
const char* const kStoreBackup = "Software\\OrvikPlayer.bench-backup";
constexpr int kManyEntries = 10000;

LONGLONG Now() {
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t.QuadPart;
}

double Ms(LONGLONG ticks) {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return 1000.0 * static_cast<double>(ticks) / static_cast<double>(f.QuadPart);
}

double Median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

std::string Folder() {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string path = self;
    return path.substr(0, path.find_last_of('\\'));
}

double FileKiB(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
    return static_cast<double>(data.nFileSizeLow) / 1024.0;
}

// ---- the store

bool DeleteTree(HKEY root, const char* path) {
    using Fn = LONG(WINAPI*)(HKEY, LPCSTR);
    static auto fn =
        reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("advapi32.dll"), "RegDeleteTreeA")));
    if (!fn) return false;
    const LONG rc = fn(root, path);
    return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
}

bool CopyTree(const char* from, const char* to) {
    using Fn = LONG(WINAPI*)(HKEY, LPCSTR, HKEY);
    static auto fn =
        reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("advapi32.dll"), "RegCopyTreeA")));
    HKEY src = nullptr, dst = nullptr;
    if (!fn || RegOpenKeyExA(HKEY_LOCAL_MACHINE, from, 0, KEY_READ, &src) != ERROR_SUCCESS) return false;
    bool ok = RegCreateKeyExA(HKEY_LOCAL_MACHINE, to, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &dst, nullptr) ==
                  ERROR_SUCCESS &&
              fn(src, nullptr, dst) == ERROR_SUCCESS;
    RegCloseKey(src);
    if (dst) RegCloseKey(dst);
    return ok;
}

void SetText(HKEY key, const std::string& name, const std::string& text) {
    RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
}

void EmptyStore() { DeleteTree(HKEY_LOCAL_MACHINE, kStoreKey); }

// A stored list of n entries, in the layout the program writes.
void FillStore(int n) {
    EmptyStore();
    HKEY form = nullptr, list = nullptr;
    const std::string base = kStoreKey;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, (base + "\\TMainForm").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                    &form, nullptr);
    SetText(form, "FormVersion", "0");
    RegCloseKey(form);
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, (base + "\\TMainForm.ListBox1_Items").c_str(), 0, nullptr, 0,
                    KEY_ALL_ACCESS, nullptr, &list, nullptr);
    SetText(list, "Count", std::to_string(n));
    char entry[200];
    for (int i = 0; i < n; ++i) {
        std::snprintf(entry, sizeof entry, "C:\\Music\\Artist %03d\\Album %02d\\%02d - Track number %05d.mp3", i / 100,
                      (i / 10) % 10, i % 10, i);
        SetText(list, "Item" + std::to_string(i), entry);
    }
    RegCloseKey(list);
}

// ---- one start

struct Program {
    std::string label;
    std::string path;
    const char* windowClass;
};

struct Run {
    bool ok = false;
    double startMs = 0;
    double paintedMs = 0;  // visible, and nothing of it left to paint
    double listedMs = 0;   // every stored entry in the list box
    double exitMs = 0;
    double workingSetKiB = 0;
    int entries = -1;
};

// A visible top-level window of the process with the class; looked up by
// class so that each poll costs the Wine server little while the program
// under test starts.
HWND FindVisible(DWORD pid, const char* cls) {
    for (HWND w = FindWindowExA(nullptr, nullptr, cls, nullptr); w; w = FindWindowExA(nullptr, w, cls, nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner == pid && IsWindowVisible(w)) return w;
    }
    return nullptr;
}

// Whether the window or one of its visible children still has to paint.
bool NeedsPaint(HWND window) {
    if (GetUpdateRect(window, nullptr, FALSE)) return true;
    for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (IsWindowVisible(c) && GetUpdateRect(c, nullptr, FALSE)) return true;
    return false;
}

int ListedEntries(HWND main) {
    HWND list = FindWindowExA(main, nullptr, "ListBox", nullptr);
    return list ? static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0)) : -1;
}

// Starts the program, waits for its main window to be visible, then painted,
// then to list the stored entries; reads its working set one second after
// the start, then asks it to close and waits for it to end. traceFile, when
// given, is where a traced build writes its phases.
Run StartOnce(const Program& p, const std::string& traceFile = {}, int storedEntries = 0) {
    Run run;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string cmd = "\"" + p.path + "\"";
    std::string folder = p.path.substr(0, p.path.find_last_of('\\'));
    SetEnvironmentVariableA("ORVIK_TRACE_FILE", traceFile.empty() ? nullptr : traceFile.c_str());
    const LONGLONG t0 = Now();
    SetEnvironmentVariableA("ORVIK_TRACE_T0", traceFile.empty() ? nullptr : std::to_string(t0).c_str());
    if (!CreateProcessA(p.path.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi)) {
        std::printf("cannot start %s (error %lu)\n", p.path.c_str(), GetLastError());
        return run;
    }
    HWND found = nullptr;
    while (!(found = FindVisible(pi.dwProcessId, p.windowClass)) && Ms(Now() - t0) < 30000) Sleep(1);
    const LONGLONG t1 = Now();
    if (found) {
        run.startMs = Ms(t1 - t0);
        while (NeedsPaint(found) && Ms(Now() - t0) < 30000) Sleep(1);
        run.paintedMs = Ms(Now() - t0);
        while (ListedEntries(found) < storedEntries && Ms(Now() - t0) < 30000) Sleep(1);
        run.listedMs = Ms(Now() - t0);
        const double left = 1000.0 - Ms(Now() - t0);
        if (left > 0) Sleep(static_cast<DWORD>(left));
        PROCESS_MEMORY_COUNTERS pmc{};
        pmc.cb = sizeof pmc;
        if (GetProcessMemoryInfo(pi.hProcess, &pmc, sizeof pmc))
            run.workingSetKiB = static_cast<double>(pmc.WorkingSetSize) / 1024.0;
        run.entries = ListedEntries(found);
        const LONGLONG t2 = Now();
        PostMessageA(found, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(pi.hProcess, 30000) == WAIT_OBJECT_0) {
            run.exitMs = Ms(Now() - t2);
            run.ok = true;
        }
    }
    if (!run.ok) {
        std::printf("%s: no main window or no exit; ended\n", p.label.c_str());
        TerminateProcess(pi.hProcess, 1);
        WaitForSingleObject(pi.hProcess, 5000);
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return run;
}

// A start while the program runs: from the launch until the start has ended
// and the running copy's main window is in front (put behind `front` first).
double HandOverMs(const Program& p, HWND main, HWND front) {
    SetForegroundWindow(front);
    for (int i = 0; i < 2000 && GetForegroundWindow() != front; ++i) Sleep(1);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string cmd = "\"" + p.path + "\"";
    const std::string folder = p.path.substr(0, p.path.find_last_of('\\'));
    const LONGLONG t0 = Now();
    if (!CreateProcessA(p.path.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi))
        return -1;
    const bool ended = WaitForSingleObject(pi.hProcess, 10000) == WAIT_OBJECT_0;
    while (GetForegroundWindow() != main && Ms(Now() - t0) < 10000) Sleep(1);
    const double ms = Ms(Now() - t0);
    if (!ended) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return ended && GetForegroundWindow() == main ? ms : -1;
}

struct Series {
    std::vector<double> start, painted, listed, exit, workingSet;
    int entries = -1;
    void Add(const Run& r) {
        if (!r.ok) return;
        start.push_back(r.startMs);
        painted.push_back(r.paintedMs);
        listed.push_back(r.listedMs);
        exit.push_back(r.exitMs);
        workingSet.push_back(r.workingSetKiB);
        entries = r.entries;
    }
};

std::string Spread(const std::vector<double>& v) {
    if (v.empty()) return "-";
    char text[64];
    std::snprintf(text, sizeof text, "%.0f-%.0f", *std::min_element(v.begin(), v.end()),
                  *std::max_element(v.begin(), v.end()));
    return text;
}

// ---- the phases written by the traced build

struct PhaseRow {
    std::string section, label;
    char kind;
    int count;
    std::vector<double> ms;
};

void ReadTrace(const std::string& path, std::vector<PhaseRow>& rows) {
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string section, kind, label, count, ms;
        if (!std::getline(fields, section, '\t') || !std::getline(fields, kind, '\t') ||
            !std::getline(fields, label, '\t') || !std::getline(fields, count, '\t') || !std::getline(fields, ms))
            continue;
        auto it = std::find_if(rows.begin(), rows.end(),
                               [&](const PhaseRow& r) { return r.section == section && r.label == label; });
        if (it == rows.end()) {
            rows.push_back(PhaseRow{section, label, kind.empty() ? 'x' : kind[0], std::atoi(count.c_str()), {}});
            it = rows.end() - 1;
        }
        it->ms.push_back(std::atof(ms.c_str()));
    }
}

const PhaseRow* FindRow(const std::vector<PhaseRow>& rows, const std::string& section, const std::string& label) {
    for (const PhaseRow& r : rows)
        if (r.section == section && r.label == label) return &r;
    return nullptr;
}

struct PhaseColumn {
    const char* title;
    const std::vector<PhaseRow>* rows;
};

// One table: the parts of the section in the order they first happened, the
// remainder, the total, then the inclusive figures that overlap the parts.
void PrintPhases(const char* title, const std::vector<PhaseColumn>& columns, const char* section) {
    std::printf("\n%s  (median ms of the traced runs; calls in brackets)\n", title);
    std::printf("  %-56s", "");
    for (const PhaseColumn& c : columns) std::printf(" %16s", c.title);
    std::printf("\n");
    std::vector<std::string> order;
    for (const PhaseColumn& c : columns)
        for (const PhaseRow& r : *c.rows)
            if (r.section == section && std::find(order.begin(), order.end(), r.label) == order.end())
                order.push_back(r.label);
    auto kindOf = [&](const std::string& label) {
        for (const PhaseColumn& c : columns)
            if (const PhaseRow* r = FindRow(*c.rows, section, label)) return r->kind;
        return 'x';
    };
    auto print = [&](const std::string& label, const char* indent) {
        std::printf("  %s%-*s", indent, 56 - static_cast<int>(std::strlen(indent)), label.c_str());
        for (const PhaseColumn& c : columns) {
            const PhaseRow* r = FindRow(*c.rows, section, label);
            char text[48] = "-";
            if (r && r->count > 1)
                std::snprintf(text, sizeof text, "%.1f (%d)", Median(r->ms), r->count);
            else if (r)
                std::snprintf(text, sizeof text, "%.1f", Median(r->ms));
            std::printf(" %16s", text);
        }
        std::printf("\n");
    };
    const std::string rest = "program code and other calls";
    for (const std::string& label : order)
        if (kindOf(label) == 'x' && label != rest) print(label, "");
    print(rest, "");
    for (const std::string& label : order)
        if (kindOf(label) == 't') print(label, "= ");
    for (const std::string& label : order)
        if (kindOf(label) == 'i') print(label, "  ");
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    const int manyRuns = argc > 2 ? std::max(0, std::atoi(argv[2])) : 5;
    const int tracedRuns = argc > 3 ? std::max(0, std::atoi(argv[3])) : 3;
    const std::string folder = Folder();
    const Program program{"OrvikPlayer.exe", folder + "\\OrvikPlayer.exe", "TMainForm"};
    const Program reference{"reference", folder + "\\reference_app.exe", "OrvikReference"};
    const Program traced{"traced build", folder + "\\trace\\OrvikPlayer.exe", "TMainForm"};
    const Program tracedReference{"traced reference", folder + "\\trace\\reference_app.exe", "OrvikReference"};

    const bool compare = argc > 4;
    const Program baseline{"other build", compare ? argv[4] : "", "TMainForm"};

    const bool backedUp = CopyTree(kStoreKey, kStoreBackup);

    // The programs in turn, against an empty store.
    Series prog, ref, base;
    StartOnce(reference);  // warms the Wine server and the file cache
    StartOnce(program);
    if (compare) StartOnce(baseline);
    for (int i = 0; i < runs; ++i) {
        EmptyStore();
        ref.Add(StartOnce(reference));
        EmptyStore();
        prog.Add(StartOnce(program));
        if (compare) {
            EmptyStore();
            base.Add(StartOnce(baseline));
        }
    }
    // Second starts while a copy runs, in turn with starts of the reference.
    std::vector<double> handOver, handOverRef;
    {
        EmptyStore();
        STARTUPINFOA si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        std::string cmd = "\"" + program.path + "\"";
        const std::string dir = program.path.substr(0, program.path.find_last_of('\\'));
        HWND main = nullptr;
        if (CreateProcessA(program.path.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si, &pi)) {
            for (int i = 0; i < 30000 && !(main = FindVisible(pi.dwProcessId, "TMainForm")); ++i) Sleep(1);
            HWND front = CreateWindowExA(0, "STATIC", "in front", WS_POPUP | WS_VISIBLE | WS_CAPTION, 0, 0, 640, 480,
                                         nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
            for (int i = 0; main && i < runs; ++i) {
                const Run r = StartOnce(reference);
                if (r.ok) handOverRef.push_back(r.startMs);
                const double ms = HandOverMs(program, main, front);
                if (ms >= 0) handOver.push_back(ms);
            }
            DestroyWindow(front);
            if (main) PostMessageA(main, WM_CLOSE, 0, 0);
            if (WaitForSingleObject(pi.hProcess, 30000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
            CloseHandle(pi.hThread);
            CloseHandle(pi.hProcess);
        }
    }
    // With 10,000 stored entries, in turn with an empty store.
    Series empty, many, baseEmpty, baseMany;
    for (int i = 0; i < manyRuns; ++i) {
        EmptyStore();
        empty.Add(StartOnce(program));
        FillStore(kManyEntries);
        many.Add(StartOnce(program, {}, kManyEntries));
        if (compare) {
            EmptyStore();
            baseEmpty.Add(StartOnce(baseline));
            FillStore(kManyEntries);
            baseMany.Add(StartOnce(baseline, {}, kManyEntries));
        }
    }
    // The traced build.
    std::vector<PhaseRow> traceEmpty, traceMany, traceReference;
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string traceFile = std::string(temp) + "orvik-phases.txt";
    for (int i = 0; i < tracedRuns && GetFileAttributesA(traced.path.c_str()) != INVALID_FILE_ATTRIBUTES; ++i) {
        EmptyStore();
        DeleteFileA(traceFile.c_str());
        if (StartOnce(traced, traceFile).ok) ReadTrace(traceFile, traceEmpty);
        FillStore(kManyEntries);
        DeleteFileA(traceFile.c_str());
        if (StartOnce(traced, traceFile).ok) ReadTrace(traceFile, traceMany);
        DeleteFileA(traceFile.c_str());
        if (StartOnce(tracedReference, traceFile).ok) ReadTrace(traceFile, traceReference);
    }
    DeleteFileA(traceFile.c_str());

    EmptyStore();
    if (backedUp) {
        CopyTree(kStoreBackup, kStoreKey);
        DeleteTree(HKEY_LOCAL_MACHINE, kStoreBackup);
    }

    const double refWs = Median(ref.workingSet);
    std::printf("OrvikPlayer.exe beside the reference program, %d starts each, in turn (median, range in ms)\n\n",
                runs);
    std::printf("  %-32s %16s %8s %16s", "", "OrvikPlayer.exe", "ratio", "reference");
    if (compare) std::printf(" %16s %8s", "other build", "ratio");
    // A time row: each program's median, and the ratio to the reference's.
    auto timeRow = [&](const char* label, std::vector<double> Series::*times) {
        const double refMedian = Median(ref.*times);
        auto cell = [&](const Series& s) {
            const double m = Median(s.*times);
            std::printf(" %13.0f ms %7.2fx", m, refMedian > 0 ? m / refMedian : 0);
        };
        std::printf("\n  %-32s", label);
        cell(prog);
        std::printf(" %13.0f ms", refMedian);
        if (compare) cell(base);
    };
    timeRow("start to visible main window", &Series::start);
    std::printf("\n  %-32s %16s %8s %16s", "  range", Spread(prog.start).c_str(), "", Spread(ref.start).c_str());
    if (compare) std::printf(" %16s", Spread(base.start).c_str());
    timeRow("start to painted main window", &Series::painted);
    auto wsRow = [&](const Series& s) {
        const double m = Median(s.workingSet);
        std::printf(" %13.1f MB %+5.1f MB", m / 1024, (m - refWs) / 1024);
    };
    std::printf("\n  %-32s", "working set 1 s after start");
    wsRow(prog);
    std::printf(" %13.1f MB", refWs / 1024);
    if (compare) wsRow(base);
    std::printf("\n  %-32s %13.0f KB %8s %13.0f KB", "file size", FileKiB(program.path), "",
                FileKiB(reference.path));
    if (compare) std::printf(" %13.0f KB", FileKiB(baseline.path));
    std::printf("\n  %-32s %13.0f ms %8s %13.0f ms", "close request to exit", Median(prog.exit), "",
                Median(ref.exit));
    if (compare) std::printf(" %13.0f ms", Median(base.exit));
    std::printf("\n\nA second start while the program runs, %d times, in turn with starts of the reference\n\n", runs);
    std::printf("  %-40s %13.0f ms %7.2fx %13.0f ms\n", "launch to ended, running copy in front", Median(handOver),
                Median(handOverRef) > 0 ? Median(handOver) / Median(handOverRef) : 0, Median(handOverRef));
    std::printf("  %-40s %16s %8s %16s  (%zu of %d measured)\n", "  range", Spread(handOver).c_str(), "",
                Spread(handOverRef).c_str(), handOver.size(), runs);

    auto manyTable = [&](const char* name, const Series& e, const Series& m) {
        std::printf("\n%s with %d stored entries against an empty store, %d starts each, in turn\n\n", name,
                    kManyEntries, manyRuns);
        std::printf("  %-40s %16s %16s %10s\n", "", "empty store", "10,000 entries", "difference");
        std::printf("  %-40s %13.0f ms %13.0f ms %+7.0f ms\n", "start to visible main window", Median(e.start),
                    Median(m.start), Median(m.start) - Median(e.start));
        std::printf("  %-40s %13.0f ms %13.0f ms %+7.0f ms\n", "start to painted main window", Median(e.painted),
                    Median(m.painted), Median(m.painted) - Median(e.painted));
        std::printf("  %-40s %13.0f ms %13.0f ms %+7.0f ms\n", "start to every entry listed", Median(e.listed),
                    Median(m.listed), Median(m.listed) - Median(e.listed));
        std::printf("  %-40s %13.0f ms %13.0f ms %+7.0f ms\n", "close request to exit (list unchanged)",
                    Median(e.exit), Median(m.exit), Median(m.exit) - Median(e.exit));
        std::printf("  %-40s %13.1f MB %13.1f MB\n", "working set 1 s after start", Median(e.workingSet) / 1024,
                    Median(m.workingSet) / 1024);
        std::printf("  %-40s %16d %16d\n", "entries shown", e.entries, m.entries);
    };
    if (manyRuns > 0) {
        manyTable("OrvikPlayer.exe", empty, many);
        if (compare) manyTable("The other build", baseEmpty, baseMany);
    }
    if (!traceEmpty.empty() || !traceMany.empty()) {
        const std::vector<PhaseColumn> columns = {
            {"empty store", &traceEmpty}, {"10,000 entries", &traceMany}, {"reference", &traceReference}};
        PrintPhases("Start-up phases until the main window is shown (benchmark builds)", columns, "beforeshow");
        PrintPhases("Start-up phases (benchmark builds)", columns, "startup");
        PrintPhases("Exit phases (benchmark builds)", columns, "exit");
    }
    if (!backedUp) std::printf("\n(no stored media list was there to keep; the store is left empty)\n");
    return 0;
}
