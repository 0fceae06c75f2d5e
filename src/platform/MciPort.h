// The seam between the media device object and the Windows Media Control
// Interface: the three calls the program makes, with one parameter block that
// carries every field the commands use. The Win32 implementation copies the
// block into the command's own MCI structure and back.
#pragma once
#include <cstdint>
#include <string>

#include "app/Geometry.h"

namespace orvik {

// MCI command and flag values of the Windows multimedia interface, each held
// to the SDK's own by a static_assert in win32/MciPort.cpp.
namespace mci {
constexpr uint32_t kOpen = 0x0803, kClose = 0x0804, kPlay = 0x0806, kSeek = 0x0807, kStop = 0x0808,
                   kPause = 0x0809, kGetDevCaps = 0x080B, kSet = 0x080D, kStep = 0x080E, kRecord = 0x080F,
                   kStatus = 0x0814, kWindow = 0x0841, kPut = 0x0842, kWhere = 0x0843, kResume = 0x0855;

constexpr uint32_t kNotify = 0x1, kWait = 0x2, kFrom = 0x4, kTo = 0x8, kTrack = 0x10;
constexpr uint32_t kOpenShareable = 0x100, kSeekToStart = 0x100, kStatusItem = 0x100, kGetDevCapsItem = 0x100,
                   kSetDoorOpen = 0x100;
constexpr uint32_t kOpenElement = 0x200, kSeekToEnd = 0x200;
constexpr uint32_t kSetTimeFormat = 0x400;
constexpr uint32_t kOpenType = 0x2000;
constexpr uint32_t kAnimWindowHwnd = 0x10000, kAnimRect = 0x10000, kAnimStepReverse = 0x10000;
constexpr uint32_t kAnimWhereSource = 0x20000, kAnimStepFrames = 0x20000;
constexpr uint32_t kAnimPutDestination = 0x40000, kAnimWhereDestination = 0x40000;

// Status items.
constexpr uint32_t kStatusLength = 1, kStatusPosition = 2, kStatusNumberOfTracks = 3, kStatusMode = 4,
                   kStatusTimeFormat = 6;
// Capability items.
constexpr uint32_t kCapsCanRecord = 1, kCapsHasVideo = 3, kCapsDeviceType = 4, kCapsCanEject = 7,
                   kCapsCanPlay = 8;
// Device type classes that can step frames: VCR, overlay, animation, digital video.
constexpr uint32_t kDevTypeVcr = 513, kDevTypeOverlay = 515, kDevTypeAnimation = 519,
                   kDevTypeDigitalVideo = 520;
constexpr uint32_t kFormatTmsf = 10;
constexpr uint32_t kModeBase = 524;  // MCI_MODE_NOT_READY

// Completion notice codes (wParam of MM_MCINOTIFY).
constexpr uint32_t kNotifySuccessful = 1, kNotifySuperseded = 2, kNotifyAborted = 4, kNotifyFailure = 8;
constexpr unsigned kNotifyMessage = 0x3B9;  // MM_MCINOTIFY
}  // namespace mci

// One parameter block for every command; each command reads and writes only
// its own fields (open: the names and the returned device id; play and
// record: from, to; seek: to; status and capabilities: item, track and the
// returned value; step: frames; set: time format; window: window; put and
// where: rect).
struct MciParams {
    uintptr_t callback = 0;  // window that receives MM_MCINOTIFY
    uint32_t deviceId = 0;   // returned by open
    std::string deviceType;
    std::string elementName;
    int32_t from = 0, to = 0;
    uint32_t item = 0, track = 0;
    uint32_t returnValue = 0;
    uint32_t frames = 0;
    uint32_t timeFormat = 0;
    uintptr_t window = 0;
    IntRect rect;  // as MCI's RECT carries it

    bool operator==(const MciParams& o) const {
        return callback == o.callback && deviceId == o.deviceId && deviceType == o.deviceType &&
               elementName == o.elementName && from == o.from && to == o.to && item == o.item &&
               track == o.track && returnValue == o.returnValue && frames == o.frames &&
               timeFormat == o.timeFormat && window == o.window && rect == o.rect;
    }
};

class MciPort {
public:
    virtual ~MciPort() = default;
    // mciSendCommand: 0 on success, else an MCI error code.
    virtual uint32_t SendCommand(uint32_t deviceId, uint32_t command, uint32_t flags, MciParams& params) = 0;
    // mciGetErrorString: false when the layer has no text for the code.
    virtual bool GetErrorString(uint32_t error, std::string& text) = 0;
    // mciSendString without a return buffer.
    virtual uint32_t SendString(const std::string& command, uintptr_t callback) = 0;
};

// The port onto the real Windows multimedia library (Win32 builds only).
MciPort& SystemMciPort();

}  // namespace orvik
