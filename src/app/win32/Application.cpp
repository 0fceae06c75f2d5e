#include "app/win32/Application.h"

#include <commctrl.h>

#include <algorithm>

#include "app/AppText.h"
#include "app/Exception.h"
#include "app/win32/Form.h"
#include "app/win32/WideText.h"
#include "app/win32/Input.h"

namespace orvik {

namespace {
const char* const kAppClass = "TApplication";
// Posted to the application window when it became the active window.
constexpr UINT kPassActivation = WM_APP + 0x41;
}

Application& Application::Instance() {
    static Application app;
    return app;
}

void Application::Initialize(HINSTANCE module) {
    if (hwnd_) return;
    module_ = module;
    // Read wide, so that no buffer cuts a character in two; the path in the
    // process code page where it holds it (else with the system's "?").
    WideText wide(32768, L'\0');
    GetModuleFileNameW(module_, wide.data(), static_cast<DWORD>(wide.size() - 1));
    const std::optional<std::string> path = Narrow(wide.data());
    if (path) {
        exePath_ = *path;
    } else {
        std::string lossy(32768, '\0');
        lossy.resize(GetModuleFileNameA(module_, &lossy[0], static_cast<DWORD>(lossy.size() - 1)));
        exePath_ = lossy;
    }
    // The name is found in UTF-8, where no character's byte passes for a
    // backslash (in a legacy double-byte code page a second byte can).
    const std::optional<std::string> title = Narrow(WidenUtf8(ApplicationTitle(Utf8Of(wide))).data());
    title_ = title ? *title : ApplicationTitle(exePath_);

    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);

    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &Application::WindowProc;
    wc.hInstance = module_;
    wc.hIcon = LoadIconA(module_, "MAINICON");
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = kAppClass;
    if (!RegisterClassExA(&wc)) throw Exception("Cannot register the window class TApplication");
    // A window without content: zero size, centred, never visible on screen
    // except as the program's taskbar entry.
    const int x = GetSystemMetrics(SM_CXSCREEN) / 2, y = GetSystemMetrics(SM_CYSCREEN) / 2;
    hwnd_ = CreateWindowExA(0, kAppClass, title_.c_str(),
                            WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, x, y, 0, 0,
                            nullptr, nullptr, module_, nullptr);
    if (!hwnd_) throw Exception("Cannot create the application window");
}

void Application::AddForm(Form* form) { forms_.push_back(form); }

void Application::RemoveForm(Form* form) {
    forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
}

LRESULT CALLBACK Application::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Application& app = Instance();
    try {
        switch (msg) {
        case WM_CLOSE:
            // The Close command of the taskbar entry closes the main form.
            if (Form* main = app.MainForm()) main->Close();
            return 0;
        case WM_QUERYENDSESSION:
            if (Form* main = app.MainForm()) return main->MayClose() ? TRUE : FALSE;
            return TRUE;
        case WM_ACTIVATE:
            // The window has nothing to type into: a form takes the keys,
            // once the activation is over.
            if (LOWORD(wParam) != WA_INACTIVE) PostMessageA(hwnd, kPassActivation, 0, 0);
            break;
        case kPassActivation:
            app.PassActivation();
            return 0;
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_MINIMIZE || (wParam & 0xFFF0) == SC_RESTORE) return 0;
            break;
        default:
            break;
        }
    } catch (const std::exception& e) {
        app.ShowException(e);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

void Application::UpdateTaskbarEntry() {
    if (!hwnd_) return;
    const bool anyVisible = std::any_of(forms_.begin(), forms_.end(), [](Form* f) { return f->Visible(); });
    const bool shown = IsWindowVisible(hwnd_) != FALSE;
    if (anyVisible && !shown)
        SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                     SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    else if (!anyVisible && shown)
        SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
}

bool Application::PreTranslate(MSG& msg) {
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
    HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    for (Form* form : forms_)
        if (form->Handle() == root) return form->PreTranslateMessage(msg) || (globalKeys && globalKeys(msg));
    return false;
}

void Application::Dispatch(MSG& msg) {
    if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN)
        keyboardCues_ = true;
    else if (IsButtonDown(msg.message))
        keyboardCues_ = false;
    // Shortcuts run here, outside any window procedure: what they raise
    // goes to the error box like everything else.
    try {
        if (PreTranslate(msg)) return;
    } catch (const std::exception& e) {
        ShowException(e);
        return;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

void Application::RunWhenIdle(std::function<bool()> step) { idleStep_ = std::move(step); }

bool Application::PumpOne() {
    MSG msg;
    while (idleStep_ && !PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
        std::function<bool()> step = std::move(idleStep_);
        idleStep_ = nullptr;
        bool more = false;
        try {
            more = step();
        } catch (const std::exception& e) {
            ShowException(e);
        }
        if (more && !idleStep_) idleStep_ = std::move(step);
    }
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) {
        terminated_ = true;
        return false;
    }
    // -1: the system failed to deliver a message (Wine, with a message of
    // megabytes sent by another process). The program carries on.
    if (got == -1) return true;
    Dispatch(msg);
    return true;
}

void Application::ProcessMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            terminated_ = true;
            break;
        }
        Dispatch(msg);
    }
}

void Application::ShowMainAtStart() {
    Form* main = MainForm();
    if (startShown_ || !main) return;
    startShown_ = true;
    try {
        main->Show();
        // Painted now, not when the loop first runs.
        RedrawWindow(main->Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    } catch (const std::exception& e) {
        ShowException(e);
    }
}

void Application::Run() {
    ShowMainAtStart();
    while (!terminated_ && PumpOne()) {
    }
}

void Application::Terminate() {
    terminated_ = true;
    // Wakes a loop that waits in GetMessage.
    if (hwnd_) PostMessageA(hwnd_, WM_NULL, 0, 0);
}

namespace {
struct DisabledWindows {
    HWND except;
    std::vector<HWND> windows;
};

BOOL CALLBACK DisableVisible(HWND hwnd, LPARAM lParam) {
    auto* d = reinterpret_cast<DisabledWindows*>(lParam);
    if (hwnd != d->except && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
        d->windows.push_back(hwnd);
        EnableWindow(hwnd, FALSE);
    }
    return TRUE;
}
}  // namespace

void Application::HideAll() {
    for (Form* form : forms_) form->Hide();
}

namespace {
// The window of this thread that takes input while a modal one is up: the
// topmost visible, enabled top-level window (a modal form, an open dialog,
// a message box).
struct InputWindow {
    HWND skip;
    HWND found = nullptr;
};

BOOL CALLBACK FindInputWindow(HWND hwnd, LPARAM lParam) {
    auto* w = reinterpret_cast<InputWindow*>(lParam);
    if (hwnd == w->skip || GetWindowThreadProcessId(hwnd, nullptr) != GetCurrentThreadId()) return TRUE;
    if (!IsWindowVisible(hwnd) || !IsWindowEnabled(hwnd) || (GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW))
        return TRUE;
    w->found = hwnd;
    return FALSE;
}
}  // namespace

void Application::PassActivation() {
    if (GetActiveWindow() != hwnd_) return;
    InputWindow input{hwnd_};
    EnumWindows(&FindInputWindow, reinterpret_cast<LPARAM>(&input));
    if (input.found) SetActiveWindow(input.found);
}

void Application::ShowMain() {
    Form* main = MainForm();
    if (!main) return;
    main->Show();
    for (Form* form : forms_)
        if (form != main && form->IsModal()) form->Show();
    // While a modal window is up (the player, an open dialog, a message
    // box), that window comes forward, not the disabled main window.
    if (IsWindowEnabled(main->Handle())) return;
    InputWindow input{hwnd_};
    EnumWindows(&FindInputWindow, reinterpret_cast<LPARAM>(&input));
    if (input.found) {
        SetWindowPos(input.found, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        SetForegroundWindow(input.found);
    }
}

int Application::ShowModal(Form& form) {
    if (form.IsModal()) {
        // Already in its modal loop (perhaps hidden by hide-all): one loop
        // per form, so it only comes forward.
        form.Show();
        return 0;
    }
    if (form.Visible() || !IsWindowEnabled(form.Handle()))
        throw Exception("Cannot make a visible window modal");
    ReleaseCapture();
    DisabledWindows disabled{form.Handle(), {}};
    EnumThreadWindows(GetCurrentThreadId(), &DisableVisible, reinterpret_cast<LPARAM>(&disabled));
    form.BeginModal();
    int result = 0;
    try {
        form.Show();
        while (form.DialogResult() == 0 && !terminated_ && PumpOne()) {
        }
        result = form.DialogResult() ? form.DialogResult() : IDCANCEL;  // the program is ending
    } catch (...) {
        form.EndModal();
        for (HWND w : disabled.windows)
            if (IsWindow(w)) EnableWindow(w, TRUE);
        throw;
    }
    // Enable the others before hiding, so that activation can move back.
    for (HWND w : disabled.windows)
        if (IsWindow(w)) EnableWindow(w, TRUE);
    form.EndModal();
    form.Hide();
    return result;
}

void Application::ShowError(const std::string& message) { ShowErrorBox(Widen(ErrorBoxText(message))); }

void Application::ShowErrorBox(const WideText& text) {
    HWND owner = GetActiveWindow();
    if (!owner) owner = hwnd_;
    // Modal to the whole program, as its modal forms are: with the other
    // windows disabled, show-main brings the box forward, not a window
    // that would then cover it.
    DisabledWindows disabled{owner, {}};
    EnumThreadWindows(GetCurrentThreadId(), &DisableVisible, reinterpret_cast<LPARAM>(&disabled));
    MessageBoxW(owner, text.data(), Widen(title_).data(), MB_OK | MB_ICONERROR);
    for (HWND w : disabled.windows)
        if (IsWindow(w)) EnableWindow(w, TRUE);
}

void Application::ShowException(const std::exception& e) { ShowError(e.what()); }

void Application::ShowWarning(const wchar_t* text) {
    HWND owner = GetActiveWindow();
    if (!owner && MainForm()) owner = MainForm()->Handle();
    if (!owner) owner = hwnd_;
    MessageBoxW(owner, text, Widen(title_).data(), MB_OK | MB_ICONWARNING);
}

}  // namespace orvik
