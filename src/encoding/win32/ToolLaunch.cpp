#include "encoding/win32/ToolLaunch.h"

#include <shellapi.h>

#include <memory>
#include <optional>

#include "app/AppText.h"
#include "app/win32/Application.h"
#include "app/win32/Owned.h"
#include "app/win32/WideText.h"
#include "encoding/CommandLine.h"
#include "app/win32/KeyboardFocus.h"
#include "encoding/EncoderOptions.h"
#include "encoding/ToolLaunch.h"

namespace orvik {

namespace {

void ShowErrorUtf8(const std::string& text) { Application::Instance().ShowErrorBox(WidenUtf8(ErrorBoxText(text))); }

std::string SystemReason(DWORD error) {
    wchar_t text[512] = {};
    if (FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text,
                       sizeof text / sizeof text[0], nullptr) == 0)
        return "system error " + std::to_string(error);
    return Utf8Of(text, wcslen(text));
}

// The executable's folder, in UTF-8 (split there: a legacy double-byte code
// page may have a backslash as a character's second byte).
std::string ProgramFolderUtf8() {
    WideText exe(32768, L'\0');
    GetModuleFileNameW(Application::Instance().Module(), exe.data(), static_cast<DWORD>(exe.size() - 1));
    return ProgramFolder(Utf8Of(exe));
}

// UTF-8 text in the process code page, or nothing (after the error box,
// which names `what`) when that code page cannot hold it.
std::optional<std::string> Passable(const std::string& utf8, const char* what) {
    std::optional<std::string> text = Narrow(WidenUtf8(utf8).data());
    if (!text) ShowErrorUtf8(UnpassableText(what, utf8, GetACP()));
    return text;
}

bool TakeChecked(HWND field, const char* what, std::string& text) {
    text = Utf8Of(TextOf(field));
    return Passable(text, what).has_value();
}

bool IsFolder(const std::string& utf8) {
    const DWORD attributes = GetFileAttributesW(WidenUtf8(utf8).data());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// ---- lame.exe watched while it runs ------------------------------------------

// A run being watched: its process, the wait on it, and what the box names.
struct ToolRun {
    KernelHandle process;
    HANDLE wait = nullptr;
    std::string tool, parameters;
};

// The system's wait thread posts the end of a run to this window, which
// tells it on the user-interface thread.
constexpr UINT kToolEnded = WM_APP + 1;
HWND watchWindow = nullptr;

LRESULT CALLBACK WatchProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != kToolEnded) return DefWindowProcW(hwnd, msg, wParam, lParam);
    std::unique_ptr<ToolRun> run(reinterpret_cast<ToolRun*>(lParam));
    UnregisterWaitEx(run->wait, INVALID_HANDLE_VALUE);
    DWORD code = 0;
    const bool ended = GetExitCodeProcess(run->process.Get(), &code) != FALSE;
    run->process.Reset();
    try {
        if (ended && code != 0 && !Application::Instance().Terminated())
            ShowErrorUtf8(ToolFailedText(run->tool, code, run->parameters));
    } catch (const std::exception& e) {
        Application::Instance().ShowException(e);
    }
    return 0;
}

VOID CALLBACK RunEnded(PVOID context, BOOLEAN) { PostMessageW(watchWindow, kToolEnded, 0, reinterpret_cast<LPARAM>(context)); }

// Watches the process without blocking the window; takes the handle.
void Watch(KernelHandle process, const std::string& tool, const std::string& parameters) {
    if (!watchWindow) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &WatchProc;
        wc.hInstance = Application::Instance().Module();
        wc.lpszClassName = L"OrvikToolWatch";
        RegisterClassExW(&wc);
        watchWindow = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance,
                                      nullptr);
    }
    auto run = std::make_unique<ToolRun>();
    run->process = std::move(process);
    run->tool = tool;
    run->parameters = parameters;
    if (watchWindow &&
        RegisterWaitForSingleObject(&run->wait, run->process.Get(), &RunEnded, run.get(), INFINITE,
                                    WT_EXECUTEONLYONCE))
        run.release();  // the window's message frees it
}

}  // namespace

bool TakeInputPath(HWND field, std::string& input) {
    input = Utf8Of(TextOf(field));
    if (input.empty()) {
        MessageBeep(0);
        return false;
    }
    if (!Passable(input, "The input file")) return false;
    const std::string name = TypedArgument(input);
    if (name.empty()) return true;
    const std::string path = ToolFilePath(ProgramFolderUtf8(), name);
    if (const std::optional<std::string> fault = FileNameFault(path)) {
        ShowErrorUtf8("The input file cannot be read, so nothing was started:\n" + path + "\n\n" + *fault);
        return false;
    }
    return true;
}

bool TakeOutputName(HWND field, const char* extension, std::string& name) {
    if (!TakeChecked(field, "The output name", name)) return false;
    const std::string path = ToolFilePath(ProgramFolderUtf8(), TypedArgument(name) + extension);
    if (const std::optional<std::string> fault = FileNameFault(path)) {
        ShowErrorUtf8("The output file cannot be written, so nothing was started:\n" + path + "\n\n" + *fault);
        return false;
    }
    const std::string folder = SplitPath(path).folder;
    if (!IsFolder(folder)) {
        ShowErrorUtf8("The output file's folder does not exist, so nothing was started:\n" + folder +
                      "\n\nCreate the folder, or give the output name a folder that exists.");
        return false;
    }
    return true;
}

bool TakeFieldText(HWND field, const char* what, std::string& text) { return TakeChecked(field, what, text); }

void LaunchEncoderTool(const std::string& tool, const std::string& optionText) {
    Application& app = Application::Instance();
    const std::string parameters = ParameterText(optionText);
    const std::string folder = ProgramFolderUtf8();
    // The full path: a bare name missing here would be looked up on the
    // search path, and a stranger of the same name started in its place.
    const std::string path = ToolPath(folder, tool);
    const std::optional<std::string> folderText = Passable(folder, "The program folder");
    if (!folderText) return;
    const std::optional<std::string> pathText = Narrow(WidenUtf8(path).data());
    const std::optional<std::string> parameterText = Passable(parameters, "The tool's parameter text");
    if (!pathText || !parameterText) return;
    const DWORD attributes = GetFileAttributesW(WidenUtf8(path).data());
    const DWORD lookup = GetLastError();
    if ((attributes == INVALID_FILE_ATTRIBUTES && (lookup == ERROR_FILE_NOT_FOUND || lookup == ERROR_PATH_NOT_FOUND)) ||
        (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))) {
        ShowErrorUtf8(MissingToolText(tool, folder));
        return;
    }
    // ShellExecuteA's own call, with the shell's error box turned off: a
    // failure is told once, in the program's box.
    SHELLEXECUTEINFOA execute{};
    execute.cbSize = sizeof execute;
    execute.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOCLOSEPROCESS;
    // The lame.exe that comes with the program reports a failure only by
    // its exit code: the program waits for that, off its own thread.
    const bool watched = tool == kLameTool;
    execute.hwnd = app.Handle();
    execute.lpFile = pathText->c_str();
    execute.lpParameters = parameterText->c_str();
    execute.lpDirectory = folderText->c_str();
    execute.nShow = SW_SHOWNORMAL;
    HWND from = GetActiveWindow();
    if (!ShellExecuteExA(&execute)) {
        ShowErrorUtf8(ToolStartFailedText(tool, path, SystemReason(GetLastError())));
        return;
    }
    if (!execute.hProcess) return;
    // The watch and the focus's return each own a handle of the process.
    KernelHandle process(execute.hProcess);
    if (watched) {
        HANDLE copy = nullptr;
        const bool copied = DuplicateHandle(GetCurrentProcess(), process.Get(), GetCurrentProcess(), &copy, 0, FALSE,
                                            DUPLICATE_SAME_ACCESS) != FALSE;
        Watch(std::move(process), tool, optionText);
        if (copied) process.Reset(copy);
    }
    ReturnFocusAfter(std::move(process), from);
}

}  // namespace orvik
