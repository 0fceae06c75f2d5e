// A stand-in for the encoder tools: copied into the program folder as
// lame.exe, oggenc.exe and oggdec.exe, it appends the name it was started
// as, its working directory, the arguments it received as its C runtime
// split them (argv[1] onwards, one "arg=" line each, in order) and its raw
// command line to tool-runs.log next to itself, and ends. The "cmd=" line
// ends each record. Everything is read through the wide functions and
// written in UTF-8, so the log holds exactly what a tool receives, in any
// language and whatever code page the tool itself runs in.
//
// Like the real tools it is a console program, so a console window comes up
// while it runs and takes the foreground. Under Wine that window appears
// some time after the start; the tool waits for it (a little while at most)
// and records its handle, so a test can wait for it to be gone before it
// types into the program again.
#include <windows.h>

#include <string>

// The C runtime's own split of the wide command line (what wmain gets).
extern "C" int __wgetmainargs(int* argc, wchar_t*** argv, wchar_t*** env, int globbing, int* startInfo);

namespace {
std::string Utf8(const wchar_t* text) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(n > 0 ? static_cast<size_t>(n) : 1, '\0');
    if (n > 0) WideCharToMultiByte(CP_UTF8, 0, text, -1, &out[0], n, nullptr, nullptr);
    out.pop_back();  // the terminator
    return out;
}
}  // namespace

int main() {
    int argc = 0, startInfo = 0;
    wchar_t **argv = nullptr, **env = nullptr;
    __wgetmainargs(&argc, &argv, &env, 0, &startInfo);
    wchar_t exe[MAX_PATH] = {}, cwd[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    GetCurrentDirectoryW(MAX_PATH, cwd);
    std::wstring self = exe;
    const size_t slash = self.find_last_of(L'\\');
    const std::wstring log = self.substr(0, slash) + L"\\tool-runs.log";
    HWND console = nullptr;
    for (int i = 0; i < 100 && !(console && IsWindowVisible(console)); ++i) {
        console = GetConsoleWindow();
        if (!(console && IsWindowVisible(console))) Sleep(20);
    }
    const std::string handle = std::to_string(reinterpret_cast<UINT_PTR>(console));
    std::string record =
        "tool=" + Utf8(self.substr(slash + 1).c_str()) + "\r\ncwd=" + Utf8(cwd) + "\r\nconsole=" + handle + "\r\n";
    for (int i = 1; i < argc; ++i) record += "arg=" + Utf8(argv[i]) + "\r\n";
    record += "cmd=" + Utf8(GetCommandLineW()) + "\r\n";
    // Two tools may finish at once: wait for the log to be free.
    for (int attempt = 0; attempt < 500; ++attempt) {
        HANDLE f = CreateFileW(log.c_str(), FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (f != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            WriteFile(f, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
            CloseHandle(f);
            return 0;
        }
        Sleep(10);
    }
    return 1;
}
