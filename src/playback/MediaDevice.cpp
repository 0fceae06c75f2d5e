#include "playback/MediaDevice.h"

namespace orvik {

namespace {
const char* const kDeviceTypeNames[] = {"",      "AVIVideo", "CDAudio",  "DAT",       "DigitalVideo",
                                        "MMMovie", "Other",  "Overlay",  "Scanner",   "Sequencer",
                                        "VCR",   "Videodisc", "WaveAudio"};

// A TMSF position packs track, minute, second and frame, track in the lowest byte.
int TmsfTrack(int32_t p) { return static_cast<uint32_t>(p) & 0xFF; }
int TmsfMinute(int32_t p) { return (static_cast<uint32_t>(p) >> 8) & 0xFF; }
int TmsfSecond(int32_t p) { return (static_cast<uint32_t>(p) >> 16) & 0xFF; }
}  // namespace

const char* DeviceKindName(DeviceKind type) { return kDeviceTypeNames[static_cast<int>(type)]; }

MediaDevice::MediaDevice(MciPort& port) : port_(port) {}

MediaDevice::~MediaDevice() {
    if (deviceId_ != 0) {
        MciParams p;
        port_.SendCommand(deviceId_, mci::kClose, mci::kWait, p);
    }
}

void MediaDevice::CheckOpen() const {
    if (!opened_) throw MciError("No MCI device open");
}

// The wait and notify flags of the next command: a request for it says;
// without one, commands wait, and play, record and resume run
// asynchronously with a completion notice.
uint32_t MediaDevice::RequestedFlags(bool waitByDefault) {
    const bool wait = waitPending_ ? wait_ : waitByDefault;
    const bool notify = notifyPending_ ? notify_ : !waitByDefault;
    waitPending_ = notifyPending_ = false;
    return (wait ? mci::kWait : 0) | (notify ? mci::kNotify : 0);
}

// Asynchronous flags, and the range a from or to request gives.
uint32_t MediaDevice::PlayFlags(MciParams& params) {
    uint32_t flags = AsyncFlags();
    if (fromPending_) {
        flags |= mci::kFrom;
        params.from = from_;
        fromPending_ = false;
    }
    if (toPending_) {
        flags |= mci::kTo;
        params.to = to_;
        toPending_ = false;
    }
    return flags;
}

uint32_t MediaDevice::Send(uint32_t command, uint32_t flags, MciParams& params, uint32_t device) {
    flags_ = flags;
    return port_.SendCommand(device, command, flags, params);
}

void MediaDevice::Command(uint32_t command, uint32_t flags, MciParams& params) {
    params.callback = callbackWindow_;
    error_ = Send(command, flags, params);
}

int32_t MediaDevice::Status(uint32_t item, bool recordError) {
    MciParams p;
    p.item = item;
    const uint32_t result = Send(mci::kStatus, mci::kWait | mci::kStatusItem, p);
    if (recordError) error_ = result;
    return static_cast<int32_t>(p.returnValue);
}

uint32_t MediaDevice::DevCaps(uint32_t item) {
    MciParams p;
    p.item = item;
    error_ = Send(mci::kGetDevCaps, mci::kWait | mci::kGetDevCapsItem, p);
    return p.returnValue;
}

void MediaDevice::ReadCapabilities() {
    canPlay_ = DevCaps(mci::kCapsCanPlay) != 0;
    canRecord_ = DevCaps(mci::kCapsCanRecord) != 0;
    canEject_ = DevCaps(mci::kCapsCanEject) != 0;
    hasVideo_ = DevCaps(mci::kCapsHasVideo) != 0;
    const uint32_t type = DevCaps(mci::kCapsDeviceType);
    canStep_ = type == mci::kDevTypeVcr || type == mci::kDevTypeOverlay || type == mci::kDevTypeAnimation ||
               type == mci::kDevTypeDigitalVideo;
    // Devices without video may fail this query; the open still counts.
    MciParams p;
    error_ = Send(mci::kWhere, mci::kAnimWhereSource, p);
    naturalWidth_ = p.rect.right - p.rect.left;
    naturalHeight_ = p.rect.bottom - p.rect.top;
}

void MediaDevice::Open() {
    MciParams p;
    if (opened_) Close();
    p.deviceType = DeviceKindName(deviceType);
    p.elementName = fileName;
    uint32_t flags = StandardFlags();
    flags |= deviceType == DeviceKind::AutoSelect ? mci::kOpenElement : mci::kOpenType;
    if (shareable) flags |= mci::kOpenShareable;
    p.callback = callbackWindow_;
    error_ = Send(mci::kOpen, flags, p, 0);
    if (error_ != 0) throw MciError(GetErrorMessage());

    opened_ = true;
    deviceId_ = static_cast<uint16_t>(p.deviceId);
    frames_ = GetLength() / 10;
    ReadCapabilities();
    if (hasVideo_) {
        SetDisplay(display_);
        const IntRect r = GetDisplayRect();
        naturalWidth_ = r.right - r.left;
        naturalHeight_ = r.bottom - r.top;
    }
    if (deviceType == DeviceKind::CdAudio || deviceType == DeviceKind::Videodisc) {
        MciParams s;
        s.timeFormat = mci::kFormatTmsf;
        error_ = Send(mci::kSet, mci::kSetTimeFormat, s);
    }

    autoEnabled_ = ButtonSet();
    autoEnabled_.Add(TransportButton::Next).Add(TransportButton::Prev);
    if (canStep_) autoEnabled_.Add(TransportButton::Step).Add(TransportButton::Back);
    if (canPlay_) autoEnabled_.Add(TransportButton::Play);
    if (canRecord_) autoEnabled_.Add(TransportButton::Record);
    if (canEject_) autoEnabled_.Add(TransportButton::Eject);
    if (GetMode() == MediaMode::Playing) PlayPressed();
    RedrawBar();
}

// The bar's rule for a pressed play button.
void MediaDevice::PlayPressed() {
    using B = TransportButton;
    autoEnabled_.Remove(B::Play).Remove(B::Record).Add(B::Pause).Add(B::Stop);
}

void MediaDevice::Close() {
    if (deviceId_ == 0) return;
    MciParams p;
    Command(mci::kClose, StandardFlags(), p);
    if (error_ == 0) {
        opened_ = false;
        deviceId_ = 0;
        autoEnabled_ = ButtonSet();
    }
}

bool MediaDevice::AtEnd() {
    const int32_t position = GetPosition();
    return position == GetLength();
}

void MediaDevice::Play() {
    CheckOpen();
    if (autoRewind && !fromPending_ && !toPending_ && AtEnd()) Rewind();
    MciParams p;
    Command(mci::kPlay, PlayFlags(p), p);
}

void MediaDevice::Record() {
    CheckOpen();
    MciParams p;
    Command(mci::kRecord, PlayFlags(p), p);
}

void MediaDevice::Stop() {
    CheckOpen();
    MciParams p;
    Command(mci::kStop, StandardFlags(), p);
}

void MediaDevice::Pause() {
    CheckOpen();
    const MediaMode mode = GetMode();
    MciParams p;
    if (mode == MediaMode::Playing) {
        Command(mci::kPause, StandardFlags(), p);
    } else if (mode == MediaMode::Paused) {
        Command(mci::kResume, AsyncFlags(), p);
        if (error_ != 0) Play();  // not every device knows resume
    }
}

// Track rule target: play from it when playing, else seek there.
void MediaDevice::PlayFrom(int32_t target) {
    if (GetMode() == MediaMode::Playing) {
        SetFrom(target);
        Play();
    } else {
        SeekTo(target);
    }
}

void MediaDevice::SeekTo(int32_t target) {
    MciParams p;
    p.to = target;
    Command(mci::kSeek, StandardFlags() | mci::kTo, p);
}

void MediaDevice::Next() {
    CheckOpen();
    if (GetTimeFormat() == mci::kFormatTmsf) {
        const int track = TmsfTrack(GetPosition());
        const int32_t count = GetTrackCount();
        PlayFrom(GetTrackStart(track == count ? count : track + 1));
        return;
    }
    MciParams p;
    Command(mci::kSeek, StandardFlags() | mci::kSeekToEnd, p);
}

void MediaDevice::Prev() {
    CheckOpen();
    if (GetTimeFormat() == mci::kFormatTmsf) {
        const int32_t position = GetPosition();
        const int track = TmsfTrack(position);
        const int32_t start = GetTrackStart(track);
        // Within the first second of a track: go to the preceding track.
        const bool atTrackStart =
            TmsfMinute(position) == TmsfMinute(start) && TmsfSecond(position) == TmsfSecond(start);
        PlayFrom(track != 1 && atTrackStart ? GetTrackStart(track - 1) : start);
        return;
    }
    MciParams p;
    Command(mci::kSeek, StandardFlags() | mci::kSeekToStart, p);
}

void MediaDevice::Step() {
    CheckOpen();
    if (!hasVideo_) return;
    if (autoRewind && AtEnd()) Rewind();
    StepFrames(0);
}

void MediaDevice::Back() {
    CheckOpen();
    if (!hasVideo_) return;
    StepFrames(mci::kAnimStepReverse);
}

void MediaDevice::StepFrames(uint32_t direction) {
    MciParams p;
    p.frames = static_cast<uint32_t>(frames_);
    Command(mci::kStep, StandardFlags() | mci::kAnimStepFrames | direction, p);
}

void MediaDevice::Eject() {
    CheckOpen();
    if (!canEject_) return;
    MciParams p;
    Command(mci::kSet, StandardFlags() | mci::kSetDoorOpen, p);
}

void MediaDevice::Rewind() {
    CheckOpen();
    MciParams p;
    Send(mci::kSeek, mci::kWait | mci::kSeekToStart, p);
}

void MediaDevice::Seek(int32_t position) {
    CheckOpen();
    SeekTo(position);
}

int32_t MediaDevice::GetPosition() { return Status(mci::kStatusPosition); }

int32_t MediaDevice::GetLength() {
    CheckOpen();
    return Status(mci::kStatusLength);
}

int32_t MediaDevice::GetTrackCount() {
    CheckOpen();
    return Status(mci::kStatusNumberOfTracks);
}

MediaMode MediaDevice::GetMode() {
    return static_cast<MediaMode>(static_cast<uint8_t>(Status(mci::kStatusMode) - mci::kModeBase));
}

uint8_t MediaDevice::GetTimeFormat() {
    CheckOpen();
    return static_cast<uint8_t>(Status(mci::kStatusTimeFormat));
}

int32_t MediaDevice::GetTrackStart(int32_t track) {
    MciParams p;
    p.item = mci::kStatusPosition;
    p.track = static_cast<uint32_t>(track);
    Send(mci::kStatus, mci::kWait | mci::kTrack | mci::kStatusItem, p);
    return static_cast<int32_t>(p.returnValue);
}

void MediaDevice::SetDisplay(uintptr_t window) {
    if (window != 0 && opened_ && hasVideo_) {
        MciParams p;
        p.window = window;
        error_ = Send(mci::kWindow, mci::kWait | mci::kAnimWindowHwnd, p);
        display_ = error_ == 0 ? window : 0;
        return;
    }
    display_ = window;
}

void MediaDevice::SetDisplayRect(const IntRect& rect) {
    if (!opened_ || !hasVideo_) return;
    MciParams p;
    p.rect = rect;
    // Right and bottom both 0: the video at its natural size.
    if (rect.right == 0 && rect.bottom == 0) {
        p.rect.right = naturalWidth_;
        p.rect.bottom = naturalHeight_;
    }
    error_ = Send(mci::kPut, mci::kAnimRect | mci::kAnimPutDestination, p);
}

IntRect MediaDevice::GetDisplayRect() {
    if (!opened_ || !hasVideo_) return IntRect{};
    MciParams p;
    error_ = Send(mci::kWhere, mci::kAnimWhereDestination, p);
    return p.rect;
}

std::string MediaDevice::GetErrorMessage() {
    std::string text;
    if (!port_.GetErrorString(error_, text)) return "Unknown error code";
    return text;
}

void MediaDevice::DisplayDestroyed() {
    if (opened_ && hasVideo_) {
        MciParams p;  // window 0: the device's own default window
        Send(mci::kWindow, mci::kWait | mci::kAnimWindowHwnd, p);
    }
    display_ = 0;
}

void MediaDevice::HandleNotify(uint32_t code) {
    if (autoEnable && GetMode() == MediaMode::Stopped) {
        if (canPlay_) autoEnabled_.Add(TransportButton::Play);
        if (canRecord_) autoEnabled_.Add(TransportButton::Record);
        autoEnabled_.Remove(TransportButton::Pause).Remove(TransportButton::Stop);
        RedrawBar();
    }
    switch (code) {
        case mci::kNotifySuccessful: notifyValue_ = NoticeCode::Successful; break;
        case mci::kNotifySuperseded: notifyValue_ = NoticeCode::Superseded; break;
        case mci::kNotifyAborted: notifyValue_ = NoticeCode::Aborted; break;
        case mci::kNotifyFailure: notifyValue_ = NoticeCode::Failure; break;
        default: break;
    }
    if (onNotify) onNotify();
}

}  // namespace orvik
