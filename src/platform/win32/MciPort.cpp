// The MCI port onto winmm: each command's parameter block is copied into the
// MCI structure that command expects, sent, and its results copied back.
#include "platform/MciPort.h"

#include <windows.h>
#include <mmsystem.h>

#include <vector>

#include "app/win32/Gdi.h"
#include "app/win32/LateBound.h"

namespace orvik {

// The portable mirror of the SDK's numbers (platform/MciPort.h), held to them.
static_assert(mci::kOpen == MCI_OPEN);
static_assert(mci::kClose == MCI_CLOSE);
static_assert(mci::kPlay == MCI_PLAY);
static_assert(mci::kSeek == MCI_SEEK);
static_assert(mci::kStop == MCI_STOP);
static_assert(mci::kPause == MCI_PAUSE);
static_assert(mci::kGetDevCaps == MCI_GETDEVCAPS);
static_assert(mci::kSet == MCI_SET);
static_assert(mci::kStep == MCI_STEP);
static_assert(mci::kRecord == MCI_RECORD);
static_assert(mci::kStatus == MCI_STATUS);
static_assert(mci::kWindow == MCI_WINDOW);
static_assert(mci::kPut == MCI_PUT);
static_assert(mci::kWhere == MCI_WHERE);
static_assert(mci::kResume == MCI_RESUME);
static_assert(mci::kNotify == MCI_NOTIFY);
static_assert(mci::kWait == MCI_WAIT);
static_assert(mci::kFrom == MCI_FROM);
static_assert(mci::kTo == MCI_TO);
static_assert(mci::kTrack == MCI_TRACK);
static_assert(mci::kOpenShareable == MCI_OPEN_SHAREABLE);
static_assert(mci::kSeekToStart == MCI_SEEK_TO_START);
static_assert(mci::kStatusItem == MCI_STATUS_ITEM);
static_assert(mci::kGetDevCapsItem == MCI_GETDEVCAPS_ITEM);
static_assert(mci::kSetDoorOpen == MCI_SET_DOOR_OPEN);
static_assert(mci::kOpenElement == MCI_OPEN_ELEMENT);
static_assert(mci::kSeekToEnd == MCI_SEEK_TO_END);
static_assert(mci::kSetTimeFormat == MCI_SET_TIME_FORMAT);
static_assert(mci::kOpenType == MCI_OPEN_TYPE);
static_assert(mci::kAnimWindowHwnd == MCI_ANIM_WINDOW_HWND);
static_assert(mci::kAnimRect == MCI_ANIM_RECT);
static_assert(mci::kAnimStepReverse == MCI_ANIM_STEP_REVERSE);
static_assert(mci::kAnimWhereSource == MCI_ANIM_WHERE_SOURCE);
static_assert(mci::kAnimStepFrames == MCI_ANIM_STEP_FRAMES);
static_assert(mci::kAnimPutDestination == MCI_ANIM_PUT_DESTINATION);
static_assert(mci::kAnimWhereDestination == MCI_ANIM_WHERE_DESTINATION);
static_assert(mci::kStatusLength == MCI_STATUS_LENGTH);
static_assert(mci::kStatusPosition == MCI_STATUS_POSITION);
static_assert(mci::kStatusNumberOfTracks == MCI_STATUS_NUMBER_OF_TRACKS);
static_assert(mci::kStatusMode == MCI_STATUS_MODE);
static_assert(mci::kStatusTimeFormat == MCI_STATUS_TIME_FORMAT);
static_assert(mci::kCapsCanRecord == MCI_GETDEVCAPS_CAN_RECORD);
static_assert(mci::kCapsHasVideo == MCI_GETDEVCAPS_HAS_VIDEO);
static_assert(mci::kCapsDeviceType == MCI_GETDEVCAPS_DEVICE_TYPE);
static_assert(mci::kCapsCanEject == MCI_GETDEVCAPS_CAN_EJECT);
static_assert(mci::kCapsCanPlay == MCI_GETDEVCAPS_CAN_PLAY);
static_assert(mci::kDevTypeVcr == MCI_DEVTYPE_VCR);
static_assert(mci::kDevTypeOverlay == MCI_DEVTYPE_OVERLAY);
static_assert(mci::kDevTypeAnimation == MCI_DEVTYPE_ANIMATION);
static_assert(mci::kDevTypeDigitalVideo == MCI_DEVTYPE_DIGITAL_VIDEO);
static_assert(mci::kFormatTmsf == MCI_FORMAT_TMSF);
static_assert(mci::kModeBase == MCI_MODE_NOT_READY);
static_assert(mci::kNotifySuccessful == MCI_NOTIFY_SUCCESSFUL);
static_assert(mci::kNotifySuperseded == MCI_NOTIFY_SUPERSEDED);
static_assert(mci::kNotifyAborted == MCI_NOTIFY_ABORTED);
static_assert(mci::kNotifyFailure == MCI_NOTIFY_FAILURE);
static_assert(mci::kNotifyMessage == MM_MCINOTIFY);

namespace {

// winmm loads with the first MCI command, not with the program.
decltype(&mciSendCommandA) SendCommandCall() {
    static const auto call = LateBound<decltype(mciSendCommandA)>("winmm.dll", "mciSendCommandA");
    return call;
}

// Every command's structure starts with the callback window; the rest is
// the command's own.
template <typename Parms>
MCIERROR Send(uint32_t device, uint32_t command, uint32_t flags, const MciParams& p, Parms& parms) {
    const auto send = SendCommandCall();
    if (!send) return MCIERR_CANNOT_LOAD_DRIVER;
    parms.dwCallback = static_cast<DWORD_PTR>(p.callback);
    return send(device, command, flags, reinterpret_cast<DWORD_PTR>(&parms));
}

class WinMciPort : public MciPort {
public:
    uint32_t SendCommand(uint32_t device, uint32_t command, uint32_t flags, MciParams& p) override {
        switch (command) {
            case MCI_OPEN: {
                MCI_OPEN_PARMSA parms{};
                parms.lpstrDeviceType = p.deviceType.c_str();
                parms.lpstrElementName = p.elementName.c_str();
                parms.lpstrAlias = nullptr;
                const MCIERROR r = Send(device, command, flags, p, parms);
                if (r == 0) p.deviceId = parms.wDeviceID;
                return r;
            }
            case MCI_PLAY:
            case MCI_RECORD: {
                // MCI_RECORD_PARMS starts with the same three fields.
                MCI_PLAY_PARMS parms{};
                parms.dwFrom = static_cast<DWORD>(p.from);
                parms.dwTo = static_cast<DWORD>(p.to);
                return Send(device, command, flags, p, parms);
            }
            case MCI_SEEK: {
                MCI_SEEK_PARMS parms{};
                parms.dwTo = static_cast<DWORD>(p.to);
                return Send(device, command, flags, p, parms);
            }
            case MCI_STATUS: {
                MCI_STATUS_PARMS parms{};
                parms.dwItem = p.item;
                parms.dwTrack = p.track;
                const MCIERROR r = Send(device, command, flags, p, parms);
                p.returnValue = static_cast<uint32_t>(parms.dwReturn);
                return r;
            }
            case MCI_GETDEVCAPS: {
                MCI_GETDEVCAPS_PARMS parms{};
                parms.dwItem = p.item;
                const MCIERROR r = Send(device, command, flags, p, parms);
                p.returnValue = parms.dwReturn;
                return r;
            }
            case MCI_STEP: {
                MCI_ANIM_STEP_PARMS parms{};
                parms.dwFrames = p.frames;
                return Send(device, command, flags, p, parms);
            }
            case MCI_SET: {
                MCI_SET_PARMS parms{};
                parms.dwTimeFormat = p.timeFormat;
                return Send(device, command, flags, p, parms);
            }
            case MCI_WINDOW: {
                MCI_ANIM_WINDOW_PARMSA parms{};
                parms.hWnd = reinterpret_cast<HWND>(p.window);
                return Send(device, command, flags, p, parms);
            }
            case MCI_PUT:
            case MCI_WHERE: {
                MCI_ANIM_RECT_PARMS parms{};
                parms.rc = ToRect(p.rect);
                const MCIERROR r = Send(device, command, flags, p, parms);
                if (command == MCI_WHERE) p.rect = FromRect(parms.rc);
                return r;
            }
            default: {  // close, stop, pause, resume
                MCI_GENERIC_PARMS parms{};
                return Send(device, command, flags, p, parms);
            }
        }
    }

    bool GetErrorString(uint32_t error, std::string& text) override {
        static const auto errorString = LateBound<decltype(mciGetErrorStringA)>("winmm.dll", "mciGetErrorStringA");
        std::vector<char> buffer(4096);
        if (!errorString || !errorString(error, buffer.data(), static_cast<UINT>(buffer.size()))) return false;
        text = buffer.data();
        return true;
    }

    uint32_t SendString(const std::string& command, uintptr_t callback) override {
        static const auto sendString = LateBound<decltype(mciSendStringA)>("winmm.dll", "mciSendStringA");
        if (!sendString) return MCIERR_CANNOT_LOAD_DRIVER;
        return sendString(command.c_str(), nullptr, 0, reinterpret_cast<HWND>(callback));
    }
};

}  // namespace

MciPort& SystemMciPort() {
    static WinMciPort port;
    return port;
}

}  // namespace orvik
