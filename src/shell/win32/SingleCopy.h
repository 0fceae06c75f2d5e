// One copy of the program per desktop (the user's session). The first start
// owns a session-local named mutex and, before it adds any file, a hidden
// window of a class only this program registers. A later start finds that
// window and hands its files over (WM_COPYDATA, shell/HandOver.h); the
// running copy adds them and comes forward, and the later start ends.
// WM_CLOSE sent to that window ends the running copy as Exit does (the
// installer asks a running copy to end this way), unless a box or an open
// dialog is up.
#pragma once
#include <windows.h>

#include <functional>

#include "app/win32/Owned.h"
#include "app/win32/Window.h"
#include "shell/HandOver.h"
#include "shell/IncomingNames.h"

namespace orvik {

constexpr const char* kSingleCopyMutex = "Local\\OrvikEncoder.Running";
constexpr const char* kHandOverClass = "OrvikEncoderHandOver";
// The hand-over window's answer to WM_CLOSE while the program shows a box
// or an open dialog, whose loop no close request can end: the request is
// dropped (the installer then asks the user to close that window).
constexpr LRESULT kCloseRefusedWhileDialogOpen = 1;

class SingleCopy : private Window {
public:
    enum class Start {
        First,         // this process is the desktop's copy: start as usual
        HandedOver,    // the running copy took the files: end (exit code 0)
        NotAnswering,  // a copy runs but does not answer: tell the user, end
    };

    SingleCopy() = default;
    ~SingleCopy() override;

    // Becomes the desktop's copy, or hands `files` to the running one. A copy
    // still starting (no window yet) is retried, one that is ending is
    // waited for, a few seconds at most; then this start goes on as the
    // first only where the system lets no hand-over through (a copy of
    // another integrity level): a copy that runs and merely is busy is never
    // joined by a second one. As First, `files` keeps what no running copy
    // took; as HandedOver, `refused` names what the running copy could not take.
    Start Claim(FileNames& files, NotAddedReport& refused);

    // From now on later starts' hand-overs reach onHandOver, one list at a
    // time from the message loop (never inside the sender's call, which
    // must not wait on a box, and never inside the box of the files before).
    using HandOverSink = std::function<void(const FileNames& names)>;
    void Listen(HandOverSink onHandOver);
    // Runs `add` (the first start adding its own files) with the hand-overs
    // held: those that arrive meanwhile, even while its box is up, follow it.
    void HoldHandOvers(const std::function<void()>& add);
    // The copy is ending: later starts wait for it instead of handing over.
    void StopListening();

private:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    enum class Answer {
        Taken,    // the running copy has the files
        Full,     // it has too many files waiting: it refused them
        Refused,  // it is ending, its window went away: try again, then wait
        Blocked,  // the system let nothing through (an elevated copy)
        Hung,     // no answer in time
    };
    // Sends one message of the hand-over to the running copy's window.
    Answer HandOver(HWND running, const HandOverPart& part) const;
    // Adds what waits, one list at a time, until nothing more arrived.
    void AddWaiting();

    KernelHandle mutex_;
    bool owned_ = false;
    HandOverSink onHandOver_;
    PendingFiles pending_;
    bool waiting_ = false;  // a hand-over arrived that is not added yet
    bool adding_ = false;   // files are being added (their box may be up)
};

}  // namespace orvik
