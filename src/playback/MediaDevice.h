// The media device object's logic: at most one open MCI device and the
// operations on it, each sending its commands through the MCI port. The
// window side (MediaDeviceWindow) adds the hidden window that completion notices
// arrive at; its handle is the callback of the commands that carry one.
#pragma once
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>

#include "app/Exception.h"
#include "platform/MciPort.h"

namespace orvik {

class MciError : public Exception {
public:
    explicit MciError(const std::string& message) : Exception(message) {}
};

enum class DeviceKind {
    AutoSelect, AviVideo, CdAudio, Dat, DigitalVideo, MmMovie, Other, Overlay, Scanner, Sequencer, Vcr, Videodisc,
    WaveAudio
};
const char* DeviceKindName(DeviceKind type);

// Device modes as GetMode reports them: the MCI mode minus 524, kept to 8 bits
// (a failed query yields a value outside this list).
enum class MediaMode : uint8_t { NotReady, Stopped, Playing, Recording, Seeking, Paused, Open };

enum class NoticeCode { Successful, Superseded, Aborted, Failure };

enum class TransportButton { Play, Pause, Stop, Next, Prev, Step, Back, Record, Eject };

// A set of buttons, one bit per TransportButton.
class ButtonSet {
public:
    ButtonSet() = default;
    ButtonSet(std::initializer_list<TransportButton> buttons) {
        for (TransportButton b : buttons) Add(b);
    }
    static ButtonSet All() { ButtonSet s; s.bits_ = 0x1FF; return s; }
    bool Has(TransportButton b) const { return bits_ & Bit(b); }
    ButtonSet& Add(TransportButton b) { bits_ |= Bit(b); return *this; }
    ButtonSet& Remove(TransportButton b) { bits_ &= ~Bit(b); return *this; }
    bool Empty() const { return bits_ == 0; }
    bool operator==(const ButtonSet& o) const { return bits_ == o.bits_; }
    unsigned Bits() const { return bits_; }

private:
    static unsigned Bit(TransportButton b) { return 1u << static_cast<unsigned>(b); }
    unsigned bits_ = 0;
};

class MediaDevice {
public:
    explicit MediaDevice(MciPort& port);
    virtual ~MediaDevice();
    MediaDevice(const MediaDevice&) = delete;
    MediaDevice& operator=(const MediaDevice&) = delete;

    // Settings, read by the next Open or command.
    std::string fileName;
    DeviceKind deviceType = DeviceKind::AutoSelect;
    bool shareable = false;
    bool autoOpen = false;
    bool autoRewind = true;
    bool autoEnable = true;
    ButtonSet visibleButtons = ButtonSet::All();
    ButtonSet enabledButtons = ButtonSet::All();
    ButtonSet coloredButtons = ButtonSet::All();
    std::function<void()> onNotify;

    // Requests for the next command only.
    void SetWait(bool wait) { wait_ = wait; waitPending_ = true; }
    void SetNotify(bool notify) { notify_ = notify; notifyPending_ = true; }
    void SetFrom(int32_t from) { from_ = from; fromPending_ = true; }
    void SetTo(int32_t to) { to_ = to; toPending_ = true; }

    // Operations.
    void Open();
    void Close();
    void Play();
    void Record();
    void Stop();
    void Pause();
    void Next();
    void Prev();
    void Step();
    void Back();
    void Eject();
    void Rewind();
    void Seek(int32_t position);
    int32_t GetPosition();
    int32_t GetLength();
    int32_t GetTrackCount();
    MediaMode GetMode();
    uint8_t GetTimeFormat();
    int32_t GetTrackStart(int32_t track);
    void SetDisplay(uintptr_t window);
    void SetDisplayRect(const IntRect& rect);
    IntRect GetDisplayRect();
    std::string GetErrorMessage();

    // The display window is going away: unbind the video from it first.
    void DisplayDestroyed();

    // A completion notice (MM_MCINOTIFY) with its notice code.
    void HandleNotify(uint32_t code);

    // State.
    bool Opened() const { return opened_; }
    uint16_t DeviceId() const { return deviceId_; }
    uint32_t Error() const { return error_; }
    uint32_t Flags() const { return flags_; }
    int32_t Frames() const { return frames_; }
    uintptr_t Display() const { return display_; }
    bool CanPlay() const { return canPlay_; }
    bool CanRecord() const { return canRecord_; }
    bool CanEject() const { return canEject_; }
    bool HasVideo() const { return hasVideo_; }
    bool CanStep() const { return canStep_; }
    int32_t NaturalWidth() const { return naturalWidth_; }
    int32_t NaturalHeight() const { return naturalHeight_; }
    NoticeCode LastNotice() const { return notifyValue_; }
    ButtonSet AutoEnabledButtons() const { return autoEnabled_; }

protected:
    // The window that completion notices go to (0 while there is none).
    void SetCallbackWindow(uintptr_t window) { callbackWindow_ = window; }
    uintptr_t CallbackWindow() const { return callbackWindow_; }

private:
    void CheckOpen() const;
    uint32_t RequestedFlags(bool waitByDefault);
    uint32_t StandardFlags() { return RequestedFlags(true); }  // commands that wait
    uint32_t AsyncFlags() { return RequestedFlags(false); }    // play, record, resume
    uint32_t PlayFlags(MciParams& params);
    // Sends a command on the open device, its completion notice (if asked
    // for) to the callback window, and records its error.
    void Command(uint32_t command, uint32_t flags, MciParams& params);
    void StepFrames(uint32_t direction);
    uint32_t Send(uint32_t command, uint32_t flags, MciParams& params, uint32_t device);
    uint32_t Send(uint32_t command, uint32_t flags, MciParams& params) {
        return Send(command, flags, params, deviceId_);
    }
    int32_t Status(uint32_t item, bool recordError = true);
    uint32_t DevCaps(uint32_t item);
    void ReadCapabilities();
    bool AtEnd();
    void SeekTo(int32_t target);
    void PlayFrom(int32_t target);
    void PlayPressed();
    void RedrawBar() {}  // the bar is never shown in this program

    MciPort& port_;
    uintptr_t callbackWindow_ = 0;
    bool opened_ = false;
    uint16_t deviceId_ = 0;
    uint32_t flags_ = 0;
    bool wait_ = false, waitPending_ = false;
    bool notify_ = false, notifyPending_ = false;
    int32_t from_ = 0, to_ = 0;
    bool fromPending_ = false, toPending_ = false;
    int32_t frames_ = 0;
    bool canPlay_ = false, canRecord_ = false, canEject_ = false, hasVideo_ = false, canStep_ = false;
    int32_t naturalWidth_ = 0, naturalHeight_ = 0;
    uint32_t error_ = 0;
    NoticeCode notifyValue_ = NoticeCode::Successful;
    ButtonSet autoEnabled_;
    uintptr_t display_ = 0;
};

}  // namespace orvik
