#include "shell/win32/SingleCopy.h"

#include <cstddef>
#include <exception>
#include <optional>
#include <vector>

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
    if (owned_) ReleaseMutex(mutex_.Get());
}

namespace {
// Raised while files are being added; lowered however that ends.
struct Raised {
    bool& flag;
    explicit Raised(bool& f) : flag(f) { flag = true; }
    ~Raised() { flag = false; }
    Raised(const Raised&) = delete;
    Raised& operator=(const Raised&) = delete;
};

// The names the running copy did not take: those that cannot travel, and
// from `from` on (when it refused a message) every name.
void ReportNotTaken(const FileNames& files, std::size_t from, NotAddedReport& refused) {
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (!CanHandOver(files[i]))
            refused.Refuse(files[i], Refusal::TooLong);
        else if (i >= from)
            refused.Refuse(files[i], Refusal::Busy);
    }
}
}  // namespace

SingleCopy::Start SingleCopy::Claim(FileNames& files, NotAddedReport& refused) {
    // Made owned: of two starts at the same moment exactly one creates it.
    mutex_.Reset(CreateMutexA(nullptr, TRUE, kSingleCopyMutex));
    const DWORD created = GetLastError();
    if (mutex_ && created != ERROR_ALREADY_EXISTS) {
        owned_ = true;
        return Start::First;
    }
    // It exists (or belongs to a copy this one may not open, of another
    // integrity level): a copy runs, starts or ends.
    const std::vector<HandOverPart> parts = EncodeHandOver(files);
    std::size_t taken = 0;  // the messages the running copy has
    bool blocked = !mutex_;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < kWaitForCopyMs) {
        if (HWND running = FindWindowA(kHandOverClass, nullptr)) {
            Answer answer = Answer::Taken;
            while (taken < parts.size() && (answer = HandOver(running, parts[taken])) == Answer::Taken) ++taken;
            switch (answer) {
            case Answer::Taken:
                ReportNotTaken(files, files.size(), refused);
                return Start::HandedOver;
            case Answer::Full:
                ReportNotTaken(files, parts[taken].first, refused);
                return Start::HandedOver;
            case Answer::Hung: return Start::NotAnswering;
            case Answer::Blocked: blocked = true; break;
            case Answer::Refused: break;
            }
        }
        if (!mutex_) {
            Sleep(kRetryMs);
            continue;
        }
        // The copy that ends releases the mutex (or abandons it with its
        // process): this start is then the first, with what it did not hand over.
        const DWORD waited = WaitForSingleObject(mutex_.Get(), kRetryMs);
        if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED) {
            owned_ = true;
            files.erase(files.begin(), files.begin() + static_cast<std::ptrdiff_t>(parts[taken].first));
            return Start::First;
        }
    }
    // A copy that is alive but neither answers nor ends in time is reported.
    // Only one the system keeps this start from (elevated beside a normal
    // one) is met by a second copy: the user's start is not lost, and the
    // copy whose list did not change writes nothing at its end.
    if (!blocked) return Start::NotAnswering;
    files.erase(files.begin(), files.begin() + static_cast<std::ptrdiff_t>(parts[taken].first));
    return Start::First;
}

SingleCopy::Answer SingleCopy::HandOver(HWND running, const HandOverPart& part) const {
    DWORD process = 0;
    GetWindowThreadProcessId(running, &process);
    // The running copy may then take the foreground from this start.
    AllowSetForegroundWindow(process);
    COPYDATASTRUCT data{};
    data.dwData = kHandOverTag;
    data.cbData = static_cast<DWORD>(part.units.size() * sizeof(char16_t));
    data.lpData = part.units.empty() ? nullptr : const_cast<char16_t*>(part.units.data());
    DWORD_PTR answer = 0;
    SetLastError(0);
    if (SendMessageTimeoutA(running, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, kAnswerMs,
                            &answer)) {
        if (answer == static_cast<DWORD_PTR>(HandOverAnswer::Taken)) return Answer::Taken;
        if (answer == static_cast<DWORD_PTR>(HandOverAnswer::Full)) return Answer::Full;
        return Answer::Refused;
    }
    // No answer from a window that is still there: the copy hangs, or the
    // system refused the message. A window gone is tried again.
    const DWORD error = GetLastError();
    if (!IsWindow(running)) return Answer::Refused;
    if (error == ERROR_TIMEOUT || error == 0) return Answer::Hung;
    return error == ERROR_ACCESS_DENIED ? Answer::Blocked : Answer::Refused;
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

void SingleCopy::HoldHandOvers(const std::function<void()>& add) {
    {
        Raised adding(adding_);
        add();
    }
    if (waiting_ && hwnd_) PostMessageA(hwnd_, kHandleHandOvers, 0, 0);
}

void SingleCopy::AddWaiting() {
    if (adding_) {
        // The box of the files before is up: these follow when it closes.
        // The box comes forward meanwhile, as for any later start.
        Application::Instance().ShowMain();
        return;
    }
    Raised adding(adding_);
    while (waiting_ && onHandOver_ && !Application::Instance().Terminated()) {
        waiting_ = false;
        onHandOver_(pending_.Release());
    }
}

void SingleCopy::StopListening() {
    if (hwnd_) Destroy();
    pending_.Clear();
}

LRESULT SingleCopy::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_COPYDATA: {
        // From another process: nothing in it is trusted.
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        const auto answer = [](HandOverAnswer a) { return static_cast<LRESULT>(a); };
        if (!data || data->dwData != kHandOverTag || Application::Instance().Terminated())
            return answer(HandOverAnswer::NotTaken);
        std::optional<FileNames> names = DecodeHandOver(data->lpData, data->cbData);
        if (!names) return answer(HandOverAnswer::NotTaken);
        if (!pending_.Take(std::move(*names))) return answer(HandOverAnswer::Full);
        if (!waiting_) {
            waiting_ = true;
            PostMessageA(hwnd_, kHandleHandOvers, 0, 0);
        }
        return answer(HandOverAnswer::Taken);
    }
    case kHandleHandOvers:
        AddWaiting();
        return 0;
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
