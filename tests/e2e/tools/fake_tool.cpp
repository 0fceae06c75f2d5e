// A stand-in for the encoder tools: copied into the program folder as
// lame.exe, oggenc.exe and oggdec.exe, it appends the name it was started
// as, its working directory, the arguments it received as its C runtime
// split them (argv[1] onwards, one "arg=" line each, in order) and its raw
// command line to tool-runs.log next to itself, and ends. The "cmd=" line
// ends each record.
//
// Like the real tools it is a console program, so a console window comes up
// while it runs and takes the foreground. Under Wine that window appears
// some time after the start; the tool waits for it (a little while at most)
// and records its handle, so a test can wait for it to be gone before it
// types into the program again.
#include <windows.h>

#include <string>

int main(int argc, char** argv) {
    char exe[MAX_PATH] = {}, cwd[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    GetCurrentDirectoryA(MAX_PATH, cwd);
    std::string self = exe;
    const size_t slash = self.find_last_of('\\');
    const std::string log = self.substr(0, slash) + "\\tool-runs.log";
    HWND console = nullptr;
    for (int i = 0; i < 100 && !(console && IsWindowVisible(console)); ++i) {
        console = GetConsoleWindow();
        if (!(console && IsWindowVisible(console))) Sleep(20);
    }
    const std::string handle = std::to_string(reinterpret_cast<UINT_PTR>(console));
    std::string record = "tool=" + self.substr(slash + 1) + "\r\ncwd=" + cwd + "\r\nconsole=" + handle + "\r\n";
    for (int i = 1; i < argc; ++i) record += std::string("arg=") + argv[i] + "\r\n";
    record += std::string("cmd=") + GetCommandLineA() + "\r\n";
    // Two tools may finish at once: wait for the log to be free.
    for (int attempt = 0; attempt < 500; ++attempt) {
        HANDLE f = CreateFileA(log.c_str(), FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
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
