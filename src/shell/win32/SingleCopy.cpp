#include "shell/win32/SingleCopy.h"

#include <exception>

#include "app/win32/Application.h"
#include "shell/HandOver.h"

namespace orvik {

namespace {
// Posted to itself: the hand-overs received are handled from the loop.
constexpr UINT kHandleHandOvers = WM_APP + 1;
// How long a later start waits for a copy that is starting or ending, and
// how long it gives a running copy to answer.
constexpr DWORD kWaitForCopyMs = 5000;
constexpr UINT kAnswerMs = 2000;
constexpr DWORD kRetryMs = 25;

// A box or an open dialog of the system is up: a dialog window of this
// thread, which runs a modal loop of its own.
BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
    char name[8] = {};
    if (!IsWindowVisible(window) || !GetClassNameA(window, name, sizeof name) || lstrcmpA(name, "#32770") != 0)
        return TRUE;
    *reinterpret_cast<bool*>(found) = true;
    return FALSE;
}

bool DialogOpen() {
    bool found = false;
    EnumThreadWindows(GetCurrentThreadId(), &FindDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}
}  // namespace

SingleCopy::~SingleCopy() {
    StopListening();
    if (mutex_) {
        if (owned_) ReleaseMutex(mutex_);
        CloseHandle(mutex_);
    }
}

SingleCopy::Start SingleCopy::Claim(const HandOverMessage& files) {
    // Made owned: of two starts at the same moment exactly one creates it.
    mutex_ = CreateMutexA(nullptr, TRUE, kSingleCopyMutex);
    const DWORD created = GetLastError();
    if (mutex_ && created != ERROR_ALREADY_EXISTS) {
        owned_ = true;
        return Start::First;
    }
    // It exists (or belongs to a copy this one may not open, which counts
    // the same): a copy runs, starts or ends.
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < kWaitForCopyMs) {
        if (HWND running = FindWindowA(kHandOverClass, nullptr)) {
            switch (HandOver(running, files)) {
            case Answer::Taken: return Start::HandedOver;
            case Answer::Hung: return Start::NotAnswering;
            case Answer::Refused: break;
            }
        }
        if (!mutex_) {
            Sleep(kRetryMs);
            continue;
        }
        // The copy that ends releases the mutex (or abandons it with its
        // process): this start is then the first.
        const DWORD waited = WaitForSingleObject(mutex_, kRetryMs);
        if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED) {
            owned_ = true;
            return Start::First;
        }
    }
    // A copy that neither takes the files nor ends (one of another integrity
    // level, elevated beside a normal one, takes no messages from this one):
    // the user's start is not lost. The two copies meet, and the one whose
    // list did not change writes nothing at its end.
    return Start::First;
}

SingleCopy::Answer SingleCopy::HandOver(HWND running, const HandOverMessage& files) const {
    DWORD process = 0;
    GetWindowThreadProcessId(running, &process);
    // The running copy may then take the foreground from this start.
    AllowSetForegroundWindow(process);
    COPYDATASTRUCT data{};
    data.dwData = kHandOverTag;
    data.cbData = static_cast<DWORD>(files.size() * sizeof(wchar_t));
    data.lpData = files.empty() ? nullptr : const_cast<wchar_t*>(files.data());
    DWORD_PTR taken = FALSE;
    SetLastError(0);
    if (SendMessageTimeoutA(running, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, kAnswerMs,
                            &taken))
        return taken == TRUE ? Answer::Taken : Answer::Refused;
    // No answer from a window that is still there: the copy hangs. Anything
    // else (a window gone, access denied) is tried again.
    const DWORD error = GetLastError();
    return IsWindow(running) && (error == ERROR_TIMEOUT || error == 0) ? Answer::Hung : Answer::Refused;
}

void SingleCopy::Listen(HandOverSink onHandOver) {
    onHandOver_ = std::move(onHandOver);
    Register(kHandOverClass, 0);
    // Hidden and top-level: under Wine a message-only window made by the
    // first program of a new session could not be found from other
    // processes (it hangs off a message parent they do not see).
    WindowSpec spec;
    spec.exStyle = WS_EX_TOOLWINDOW;
    spec.style = WS_POPUP;
    Create(kHandOverClass, spec);
}

void SingleCopy::StopListening() {
    if (hwnd_) Destroy();
    pending_.clear();
}

LRESULT SingleCopy::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_COPYDATA: {
        // From another process: nothing in it is trusted.
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (!data || data->dwData != kHandOverTag || Application::Instance().Terminated()) return FALSE;
        if (!DecodeHandOver(data->lpData, data->cbData)) return FALSE;
        const auto* bytes = static_cast<const unsigned char*>(data->lpData);
        pending_.emplace_back(bytes, bytes + data->cbData);
        if (pending_.size() == 1) PostMessageA(hwnd_, kHandleHandOvers, 0, 0);
        return TRUE;
    }
    case kHandleHandOvers: {
        std::vector<std::vector<unsigned char>> received;
        received.swap(pending_);
        for (const auto& message : received)
            if (onHandOver_ && !Application::Instance().Terminated()) onHandOver_(message.data(), message.size());
        return 0;
    }
    case WM_CLOSE:
        // Ends the program as Exit does: the list is saved on the way out.
        // A box's or an open dialog's loop does not end by it, and the
        // program would end by itself whenever the user closes that window:
        // the request is dropped instead, and the asker told so.
        if (DialogOpen()) return kCloseRefusedWhileDialogOpen;
        Application::Instance().Terminate();
        return 0;
    default:
        break;
    }
    return Window::HandleMessage(msg, wParam, lParam);
}

}  // namespace orvik
