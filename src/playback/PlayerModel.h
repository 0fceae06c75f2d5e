// The player window's logic without the platform: showing and closing, the
// 100 ms tick that follows playback, carries out slider seeks and decides
// what happens at the end of an entry, and the seven transport buttons. All
// MCI work goes through the media device object (and the port for the one
// command string); everything the window owns is reached through the host.
//
// The window wires its events to these methods and nothing else: showing,
// closing and resizing the window (Show, Close, Resize), its timer (Tick),
// a press and a release on the position slider (SliderPressed,
// SliderReleased), and the transport buttons in their row's order
// (GoToStartClick, StepBackClick, PlayClick, StopClick, EjectClick,
// StepForwardClick, GoToEndClick).
// Exceptions that escape a method (the slider's press and release, the tick)
// belong in the application's error box.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "app/Geometry.h"
#include "controls/MediaList.h"
#include "controls/Slider.h"
#include "platform/MciPort.h"
#include "playback/MediaDevice.h"

namespace orvik {

// The slider's position in an entry of this length (milliseconds, MCI's
// time format for sound and video) as a screen reader says it:
// "1:05 of 3:20", hours as "1:02:03"; the position alone without a length.
std::string PlaybackTimeText(int64_t position, int64_t length);

// What the player window provides.
class PlayerHost {
public:
    virtual ~PlayerHost() = default;
    // The position slider: its range is the entry's length, its value the
    // playback position (it clamps values and ignores an empty range).
    virtual SliderModel& PositionSlider() = 0;
    virtual void SetSliderWidth(int width) = 0;
    virtual int ClientWidth() const = 0;
    // The black panel the video is drawn into, in the window's client area.
    virtual IntRect DisplayPanelBounds() const = 0;
    // The switch: on advances through the media list at the end of an entry,
    // off plays the same entry again.
    virtual bool AdvanceSwitchOn() const = 0;
    // MessageBeep(0): how every transport button answers a failure.
    virtual void Beep() = 0;
    // The player window's handle, callback of the command string.
    virtual uintptr_t WindowHandle() const = 0;
};

class PlayerModel {
public:
    static constexpr unsigned kTickInterval = 100;  // ms, from creation for the whole run
    static constexpr const char* kCloseDoorCommand = "Set cdaudio door closed wait";

    PlayerModel(PlayerHost& host, MediaList& list, MediaDevice& media, MciPort& port)
        : host_(host), list_(list), media_(media), port_(port) {}
    PlayerModel(const PlayerModel&) = delete;
    PlayerModel& operator=(const PlayerModel&) = delete;

    // Window events.
    void Show();    // opens and plays the selected entry; a failure leaves the window idle, silently
    void Close();   // closes the device once a file name was set
    void Resize();  // slider across the window, video across the panel
    void Tick();    // every kTickInterval ms

    // The slider's mouse events (any button): stop on press, seek on release.
    // A release that comes after the window closed (the press was made
    // before) does nothing.
    void SliderPressed();
    void SliderReleased();
    // A key moved the slider (the window has the slider's key steps set
    // here): the next tick seeks there and plays on, as after a release.
    void SliderKeyed();
    // The slider's keys: the arrows step a second, the pages a tenth of
    // the entry (at least a second).
    static constexpr int32_t kKeySeekStep = 1000;

    // Transport buttons; every one but EjectClick beeps on any failure.
    void GoToStartClick();
    void StepBackClick();
    void PlayClick();
    void StopClick();
    void EjectClick();  // closes the CD door; result ignored, never beeps
    void StepForwardClick();
    void GoToEndClick();

    // The timer follows the device only while tracking: from a successful
    // show (or play button) on.
    bool Tracking() const { return tracking_; }
    // The position the next tick seeks to, set by a slider release.
    std::optional<int32_t> PendingSeek() const { return pendingSeek_; }

private:
    template <typename Step>
    void BeepOnFailure(Step step);
    void LoadSelectedEntry();
    bool MeasureAndRewind();
    bool OpenSelectedEntry();
    void StartPlaying();
    void EntryEnded();
    void AdvanceToAPlayableEntry();

    PlayerHost& host_;
    MediaList& list_;
    MediaDevice& media_;
    MciPort& port_;
    bool tracking_ = false;
    bool closed_ = false;  // from a close until the next show
    std::optional<int32_t> pendingSeek_;
};

}  // namespace orvik
