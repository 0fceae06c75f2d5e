// One copy of the program per desktop (the user's session). The first start
// owns a session-local named mutex and, once its windows are made, a hidden
// window of a class only this program registers. A later start
// finds that window and hands its files over (WM_COPYDATA, shell/HandOver.h);
// the running copy adds them and comes forward, and the later start ends.
// WM_CLOSE sent to that window ends the running copy as Exit does (the
// installer asks a running copy to end this way), unless a box or an open
// dialog is up.
#pragma once
#include <windows.h>

#include <cstddef>
#include <functional>
#include <vector>

#include "app/win32/Window.h"
#include "shell/win32/IncomingFiles.h"

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
    // waited for, a few seconds at most; then this start goes on as the first.
    Start Claim(const HandOverMessage& files);

    // From now on later starts' hand-overs reach onHandOver, from the message
    // loop (never inside the sender's call, which must not wait on a box).
    using HandOverSink = std::function<void(const void* message, std::size_t bytes)>;
    void Listen(HandOverSink onHandOver);
    // The copy is ending: later starts wait for it instead of handing over.
    void StopListening();

private:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    enum class Answer {
        Taken,    // the running copy has the files
        Refused,  // it is ending, its window went away, or the system let
                  // nothing through (an elevated copy): try again, then wait
        Hung,     // no answer in time
    };
    // Sends the files to the running copy's window.
    Answer HandOver(HWND running, const HandOverMessage& files) const;

    HANDLE mutex_ = nullptr;
    bool owned_ = false;
    HandOverSink onHandOver_;
    std::vector<std::vector<unsigned char>> pending_;
};

}  // namespace orvik
