// Start-up and exit phases of OrvikPlayer.exe, timed from inside the
// program. Linked only into the benchmark builds (build/<arch>/trace/
// OrvikPlayer.exe, and reference_app.exe beside it for comparison), never
// into the shipped program: before any of the
// program's own code runs, it points the program's import table entries for
// the calls that make up its start (window classes, windows, pictures,
// fonts, the tray icon, the registry, the list box) at wrappers that charge
// their time to a phase, each call only for its own part (a call made inside
// another is charged to itself, not to both). At exit it writes
//   section \t kind \t label \t count \t milliseconds
// lines to the file named by ORVIK_TRACE_FILE. ORVIK_TRACE_T0 is the
// high-resolution counter value at which the starting program called
// CreateProcess (the counter is the same for every process of the machine).
//   kind: x = a part of the section's total, i = an inclusive figure (it
//   overlaps the parts), t = the section's total
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

LONGLONG Now() {
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t.QuadPart;
}

struct Row {
    int order = 0;
    char kind = 'x';
    int count = 0;
    LONGLONG ticks = 0;
};

enum class Section { Startup, Running, Exit };

struct Frame {
    Row* row;
    LONGLONG start;
};

struct Trace {
    LONGLONG t0 = 0;           // CreateProcess in the starting program
    LONGLONG init = 0;         // this file's first code
    LONGLONG loopReached = 0;  // first GetMessage: the start is over
    LONGLONG mainShowAt = 0;   // the main window's first show call
    std::map<std::string, Row> beforeShow;  // the start's phases until then
    LONGLONG closeStart = 0;   // WM_CLOSE dispatched: the exit begins
    Section section = Section::Startup;
    std::map<std::string, Row> rows[3];
    std::vector<Frame> stack;
    std::string currentForm = "TApplication";
    int nextOrder = 0;

    Row& RowOf(const std::string& label, char kind = 'x') {
        auto& table = rows[static_cast<int>(section)];
        auto it = table.find(label);
        if (it == table.end()) {
            it = table.emplace(label, Row{}).first;
            it->second.order = nextOrder++;
            it->second.kind = kind;
        }
        return it->second;
    }

    void Enter(const std::string& label) {
        const LONGLONG now = Now();
        if (!stack.empty()) stack.back().row->ticks += now - stack.back().start;
        Row& row = RowOf(label);
        ++row.count;
        stack.push_back(Frame{&row, now});
    }

    void Leave() {
        const LONGLONG now = Now();
        stack.back().row->ticks += now - stack.back().start;
        stack.pop_back();
        if (!stack.empty()) stack.back().start = now;
    }
};

// Made by the first constructor, before any other static object of the
// program; kept until the process ends.
Trace* g_trace = nullptr;

// Charges the time of one wrapped call to a phase; outside the start and
// the exit (while the program merely runs) nothing is charged.
struct Charge {
    bool active;
    explicit Charge(const std::string& label) : active(g_trace->section != Section::Running) {
        if (active) g_trace->Enter(label);
    }
    ~Charge() {
        if (active) g_trace->Leave();
    }
};

bool IsForm(const std::string& cls) {
    static const char* const forms[] = {"TApplication", "TMainForm",    "TPlayForm",    "TEncodeForm",
                                        "TEncodeForm2", "TEncodeForm3", "TEncodeForm4", "OrvikReference"};
    for (const char* f : forms)
        if (cls == f) return true;
    return false;
}

std::string ClassText(LPCSTR cls) {
    if (IS_INTRESOURCE(cls)) return "#" + std::to_string(reinterpret_cast<UINT_PTR>(cls));
    return cls;
}

std::string ClassOf(HWND hwnd) {
    char name[64] = {};
    GetClassNameA(hwnd, name, sizeof name);
    return name;
}

// The real entry points, as the import table held them.
#define ORVIK_REAL(name) decltype(&::name) Real_##name = nullptr
ORVIK_REAL(InitCommonControlsEx);
ORVIK_REAL(RegisterClassExA);
ORVIK_REAL(GetClassInfoExA);
ORVIK_REAL(CreateWindowExA);
ORVIK_REAL(DestroyWindow);
ORVIK_REAL(ShowWindow);
ORVIK_REAL(LoadImageA);
ORVIK_REAL(LoadIconA);
ORVIK_REAL(LoadCursorA);
ORVIK_REAL(CreateFontA);
ORVIK_REAL(CreateFontIndirectA);
ORVIK_REAL(Shell_NotifyIconA);
ORVIK_REAL(SendMessageA);
ORVIK_REAL(GetMessageA);
ORVIK_REAL(DispatchMessageA);
ORVIK_REAL(RegOpenKeyExA);
ORVIK_REAL(RegCreateKeyExA);
ORVIK_REAL(RegQueryValueExA);
ORVIK_REAL(RegSetValueExA);
ORVIK_REAL(RegDeleteKeyA);
ORVIK_REAL(RegDeleteValueA);
ORVIK_REAL(RegEnumKeyExA);
ORVIK_REAL(RegQueryInfoKeyA);
ORVIK_REAL(RegCloseKey);
ORVIK_REAL(SetWindowSubclass);
ORVIK_REAL(SetWindowPos);
ORVIK_REAL(SetFocus);
ORVIK_REAL(SetForegroundWindow);
ORVIK_REAL(CreatePopupMenu);
ORVIK_REAL(AppendMenuA);
#undef ORVIK_REAL

const char* const kRegistry = "store: registry calls";

BOOL WINAPI Hook_InitCommonControlsEx(const INITCOMMONCONTROLSEX* icc) {
    Charge c("common controls");
    return Real_InitCommonControlsEx(icc);
}

ATOM WINAPI Hook_RegisterClassExA(const WNDCLASSEXA* wc) {
    Charge c("window classes");
    return Real_RegisterClassExA(wc);
}

BOOL WINAPI Hook_GetClassInfoExA(HINSTANCE module, LPCSTR cls, LPWNDCLASSEXA wc) {
    Charge c("window classes");
    return Real_GetClassInfoExA(module, cls, wc);
}

HWND WINAPI Hook_CreateWindowExA(DWORD exStyle, LPCSTR cls, LPCSTR text, DWORD style, int x, int y, int w, int h,
                                 HWND parent, HMENU menu, HINSTANCE module, LPVOID param) {
    const std::string name = ClassText(cls);
    std::string label;
    if (style & WS_CHILD) {
        label = "children of " + g_trace->currentForm;
    } else if (IsForm(name)) {
        g_trace->currentForm = name;
        label = "window " + name;
    } else {
        label = "hidden helper windows";
    }
    Charge c(label);
    return Real_CreateWindowExA(exStyle, cls, text, style, x, y, w, h, parent, menu, module, param);
}

BOOL WINAPI Hook_DestroyWindow(HWND hwnd) {
    Charge c("destroying windows");
    return Real_DestroyWindow(hwnd);
}

BOOL WINAPI Hook_ShowWindow(HWND hwnd, int show) {
    const std::string cls = ClassOf(hwnd);
    const bool main = g_trace->section == Section::Startup && show != SW_HIDE &&
                      (cls == "TMainForm" || cls == "OrvikReference");
    const LONGLONG start = Now();
    if (main && !g_trace->mainShowAt) {
        g_trace->mainShowAt = start;
        g_trace->beforeShow = g_trace->rows[0];
    }
    BOOL result;
    {
        Charge c(main ? "showing the main window" : "showing and hiding windows");
        result = Real_ShowWindow(hwnd, show);
    }
    if (main) {
        Row& row = g_trace->RowOf("main window show, store restore inside (inclusive)", 'i');
        ++row.count;
        row.ticks += Now() - start;
    }
    return result;
}

HANDLE WINAPI Hook_LoadImageA(HINSTANCE module, LPCSTR name, UINT type, int w, int h, UINT flags) {
    Charge c(type == IMAGE_BITMAP ? "pictures (bitmaps)" : "icons and cursors");
    return Real_LoadImageA(module, name, type, w, h, flags);
}

HICON WINAPI Hook_LoadIconA(HINSTANCE module, LPCSTR name) {
    Charge c("icons and cursors");
    return Real_LoadIconA(module, name);
}

HCURSOR WINAPI Hook_LoadCursorA(HINSTANCE module, LPCSTR name) {
    Charge c("icons and cursors");
    return Real_LoadCursorA(module, name);
}

HFONT WINAPI Hook_CreateFontA(int h, int w, int esc, int orient, int weight, DWORD italic, DWORD underline,
                              DWORD strike, DWORD charset, DWORD precision, DWORD clip, DWORD quality, DWORD pitch,
                              LPCSTR face) {
    Charge c("fonts");
    return Real_CreateFontA(h, w, esc, orient, weight, italic, underline, strike, charset, precision, clip, quality,
                            pitch, face);
}

HFONT WINAPI Hook_CreateFontIndirectA(const LOGFONTA* font) {
    Charge c("fonts");
    return Real_CreateFontIndirectA(font);
}

BOOL WINAPI Hook_Shell_NotifyIconA(DWORD message, PNOTIFYICONDATAA data) {
    Charge c("tray icon");
    return Real_Shell_NotifyIconA(message, data);
}

LRESULT WINAPI Hook_SendMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Charge c(msg >= LB_ADDSTRING && msg <= LB_MSGMAX ? "store: list box messages" : "other window messages");
    return Real_SendMessageA(hwnd, msg, wParam, lParam);
}

BOOL WINAPI Hook_GetMessageA(LPMSG msg, HWND hwnd, UINT first, UINT last) {
    if (g_trace->section == Section::Startup) {
        g_trace->loopReached = Now();
        g_trace->section = Section::Running;
    }
    return Real_GetMessageA(msg, hwnd, first, last);
}

LRESULT WINAPI Hook_DispatchMessageA(const MSG* msg) {
    const bool close = msg->message == WM_CLOSE && g_trace->section == Section::Running;
    if (!close) return Real_DispatchMessageA(msg);
    g_trace->closeStart = Now();
    g_trace->section = Section::Exit;
    const LONGLONG start = Now();
    LRESULT result = Real_DispatchMessageA(msg);
    Row& row = g_trace->RowOf("close request handled, store save inside (inclusive)", 'i');
    ++row.count;
    row.ticks += Now() - start;
    return result;
}

LONG WINAPI Hook_RegOpenKeyExA(HKEY key, LPCSTR sub, DWORD options, REGSAM sam, PHKEY out) {
    Charge c(kRegistry);
    return Real_RegOpenKeyExA(key, sub, options, sam, out);
}

LONG WINAPI Hook_RegCreateKeyExA(HKEY key, LPCSTR sub, DWORD reserved, LPSTR cls, DWORD options, REGSAM sam,
                                 LPSECURITY_ATTRIBUTES sa, PHKEY out, LPDWORD disposition) {
    Charge c(kRegistry);
    return Real_RegCreateKeyExA(key, sub, reserved, cls, options, sam, sa, out, disposition);
}

LONG WINAPI Hook_RegQueryValueExA(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data,
                                  LPDWORD size) {
    Charge c(kRegistry);
    return Real_RegQueryValueExA(key, name, reserved, type, data, size);
}

LONG WINAPI Hook_RegSetValueExA(HKEY key, LPCSTR name, DWORD reserved, DWORD type, const BYTE* data, DWORD size) {
    Charge c(kRegistry);
    return Real_RegSetValueExA(key, name, reserved, type, data, size);
}

LONG WINAPI Hook_RegDeleteKeyA(HKEY key, LPCSTR sub) {
    Charge c(kRegistry);
    return Real_RegDeleteKeyA(key, sub);
}

LONG WINAPI Hook_RegDeleteValueA(HKEY key, LPCSTR name) {
    Charge c(kRegistry);
    return Real_RegDeleteValueA(key, name);
}

LONG WINAPI Hook_RegEnumKeyExA(HKEY key, DWORD index, LPSTR name, LPDWORD size, LPDWORD reserved, LPSTR cls,
                               LPDWORD clsSize, PFILETIME time) {
    Charge c(kRegistry);
    return Real_RegEnumKeyExA(key, index, name, size, reserved, cls, clsSize, time);
}

LONG WINAPI Hook_RegQueryInfoKeyA(HKEY key, LPSTR cls, LPDWORD clsSize, LPDWORD reserved, LPDWORD subKeys,
                                  LPDWORD maxSubKey, LPDWORD maxClass, LPDWORD values, LPDWORD maxValueName,
                                  LPDWORD maxValue, LPDWORD security, PFILETIME time) {
    Charge c(kRegistry);
    return Real_RegQueryInfoKeyA(key, cls, clsSize, reserved, subKeys, maxSubKey, maxClass, values, maxValueName,
                                 maxValue, security, time);
}

LONG WINAPI Hook_RegCloseKey(HKEY key) {
    Charge c(kRegistry);
    return Real_RegCloseKey(key);
}

BOOL WINAPI Hook_SetWindowSubclass(HWND hwnd, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data) {
    Charge c("subclassing controls");
    return Real_SetWindowSubclass(hwnd, proc, id, data);
}

BOOL WINAPI Hook_SetWindowPos(HWND hwnd, HWND after, int x, int y, int w, int h, UINT flags) {
    Charge c("moving windows and their order");
    return Real_SetWindowPos(hwnd, after, x, y, w, h, flags);
}

HWND WINAPI Hook_SetFocus(HWND hwnd) {
    Charge c("focus and activation");
    return Real_SetFocus(hwnd);
}

BOOL WINAPI Hook_SetForegroundWindow(HWND hwnd) {
    Charge c("focus and activation");
    return Real_SetForegroundWindow(hwnd);
}

HMENU WINAPI Hook_CreatePopupMenu() {
    Charge c("menus");
    return Real_CreatePopupMenu();
}

BOOL WINAPI Hook_AppendMenuA(HMENU menu, UINT flags, UINT_PTR id, LPCSTR text) {
    Charge c("menus");
    return Real_AppendMenuA(menu, flags, id, text);
}

struct Hook {
    const char* name;
    void** real;
    void* wrapper;
};

#define ORVIK_HOOK(name) {#name, reinterpret_cast<void**>(&Real_##name), reinterpret_cast<void*>(&Hook_##name)}
const Hook kHooks[] = {
    ORVIK_HOOK(InitCommonControlsEx), ORVIK_HOOK(RegisterClassExA), ORVIK_HOOK(GetClassInfoExA),
    ORVIK_HOOK(CreateWindowExA),      ORVIK_HOOK(DestroyWindow),    ORVIK_HOOK(ShowWindow),
    ORVIK_HOOK(LoadImageA),           ORVIK_HOOK(LoadIconA),        ORVIK_HOOK(LoadCursorA),
    ORVIK_HOOK(CreateFontA),          ORVIK_HOOK(CreateFontIndirectA), ORVIK_HOOK(Shell_NotifyIconA),
    ORVIK_HOOK(SendMessageA),         ORVIK_HOOK(GetMessageA),      ORVIK_HOOK(DispatchMessageA),
    ORVIK_HOOK(RegOpenKeyExA),        ORVIK_HOOK(RegCreateKeyExA),  ORVIK_HOOK(RegQueryValueExA),
    ORVIK_HOOK(RegSetValueExA),       ORVIK_HOOK(RegDeleteKeyA),    ORVIK_HOOK(RegDeleteValueA),
    ORVIK_HOOK(RegEnumKeyExA),        ORVIK_HOOK(RegQueryInfoKeyA), ORVIK_HOOK(RegCloseKey),
    ORVIK_HOOK(SetWindowSubclass),    ORVIK_HOOK(SetWindowPos),     ORVIK_HOOK(SetFocus),
    ORVIK_HOOK(SetForegroundWindow),  ORVIK_HOOK(CreatePopupMenu),  ORVIK_HOOK(AppendMenuA),
};
#undef ORVIK_HOOK

// Points the program's own import table entries at the wrappers.
void InstallHooks() {
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!dir.VirtualAddress) return;
    for (auto* imp = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); imp->Name; ++imp) {
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(
            base + (imp->OriginalFirstThunk ? imp->OriginalFirstThunk : imp->FirstThunk));
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            const auto* byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            for (const Hook& hook : kHooks) {
                if (std::strcmp(reinterpret_cast<const char*>(byName->Name), hook.name) != 0) continue;
                DWORD old = 0;
                VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE, &old);
                *hook.real = reinterpret_cast<void*>(slots->u1.Function);
                slots->u1.Function = reinterpret_cast<DWORD_PTR>(hook.wrapper);
                VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, old, &old);
            }
        }
    }
}

double Ms(LONGLONG ticks) {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return 1000.0 * static_cast<double>(ticks) / static_cast<double>(f.QuadPart);
}

void WriteSection(FILE* out, const char* name, const std::map<std::string, Row>& table, LONGLONG total,
                  const char* totalLabel) {
    std::vector<std::pair<std::string, Row>> sorted(table.begin(), table.end());
    for (size_t i = 0; i < sorted.size(); ++i)
        for (size_t j = i + 1; j < sorted.size(); ++j)
            if (sorted[j].second.order < sorted[i].second.order) std::swap(sorted[i], sorted[j]);
    LONGLONG parts = 0;
    for (const auto& r : sorted) {
        std::fprintf(out, "%s\t%c\t%s\t%d\t%.3f\n", name, r.second.kind, r.first.c_str(), r.second.count,
                     Ms(r.second.ticks));
        if (r.second.kind == 'x') parts += r.second.ticks;
    }
    if (total > 0) {
        std::fprintf(out, "%s\tx\tprogram code and other calls\t0\t%.3f\n", name, Ms(total - parts));
        std::fprintf(out, "%s\tt\t%s\t0\t%.3f\n", name, totalLabel, Ms(total));
    }
}

__attribute__((constructor(101))) void TraceStart() {
    g_trace = new Trace;
    g_trace->init = Now();
    if (const char* t0 = std::getenv("ORVIK_TRACE_T0")) g_trace->t0 = std::strtoll(t0, nullptr, 10);
    InstallHooks();
}

__attribute__((destructor(101))) void TraceEnd() {
    const LONGLONG end = Now();
    const char* path = std::getenv("ORVIK_TRACE_FILE");
    if (!path) return;
    FILE* out = std::fopen(path, "w");
    if (!out) return;
    if (g_trace->t0 && g_trace->init > g_trace->t0) {
        for (auto* table : {&g_trace->rows[0], &g_trace->beforeShow}) {
            Row& loader = (*table)["loader, system DLLs and runtime start"];
            loader.order = -1;
            loader.count = 1;
            loader.ticks = g_trace->init - g_trace->t0;
        }
    }
    const LONGLONG startFrom = g_trace->t0 && g_trace->init > g_trace->t0 ? g_trace->t0 : g_trace->init;
    WriteSection(out, "beforeshow", g_trace->beforeShow, g_trace->mainShowAt ? g_trace->mainShowAt - startFrom : 0,
                 "start to the main window's show call");
    WriteSection(out, "startup", g_trace->rows[0], g_trace->loopReached ? g_trace->loopReached - startFrom : 0,
                 "start to the message loop");
    WriteSection(out, "exit", g_trace->rows[2], g_trace->closeStart ? end - g_trace->closeStart : 0,
                 "close request to the end of the program");
    std::fclose(out);
}

}  // namespace
