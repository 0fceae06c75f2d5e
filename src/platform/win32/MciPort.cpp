// The MCI port onto winmm: each command's parameter block is copied into the
// MCI structure that command expects, sent, and its results copied back.
#include "platform/MciPort.h"

#include <windows.h>
#include <mmsystem.h>

#include <vector>

#include "app/win32/LateBound.h"

namespace orvik {

namespace {

// winmm loads with the first MCI command, not with the program.
decltype(&mciSendCommandA) SendCommandCall() {
    static const auto call = LateBound<decltype(mciSendCommandA)>("winmm.dll", "mciSendCommandA");
    return call;
}

RECT ToRect(const MciRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
MciRect FromRect(const RECT& r) {
    return MciRect{static_cast<int32_t>(r.left), static_cast<int32_t>(r.top), static_cast<int32_t>(r.right),
                   static_cast<int32_t>(r.bottom)};
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
