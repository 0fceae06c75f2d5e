// A recording MCI port for the tests of the media device and the player: a
// scripted device that answers status, capability and where queries from its
// fields, moves its position with every seek, and records every command and
// command string as it was sent.
#pragma once
#include <functional>
#include <map>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "platform/MciPort.h"
#include "playback/MediaDevice.h"

namespace orvik::mcitest {

constexpr uintptr_t kWnd = 0x1234;
constexpr uint32_t kDev = 7;

struct Call {
    uint32_t device, command, flags;
    MciParams params;
    bool operator==(const Call& o) const {
        return device == o.device && command == o.command && flags == o.flags && params == o.params;
    }
};

inline std::ostream& operator<<(std::ostream& os, const Call& c) {
    return os << "{dev " << c.device << ", cmd 0x" << std::hex << c.command << ", flags 0x" << c.flags << std::dec
              << ", cb " << c.params.callback << ", type '" << c.params.deviceType << "', element '"
              << c.params.elementName << "', from " << c.params.from << ", to " << c.params.to << ", item "
              << c.params.item << ", track " << c.params.track << ", frames " << c.params.frames << ", format "
              << c.params.timeFormat << ", window " << c.params.window << ", rect " << c.params.rect.left << ","
              << c.params.rect.top << "," << c.params.rect.right << "," << c.params.rect.bottom << "}";
}

class RecordingMciPort : public MciPort {
public:
    std::vector<Call> calls;
    std::vector<std::pair<std::string, uintptr_t>> strings;  // command strings with their callback
    std::map<uint32_t, uint32_t> failures;  // command -> error code
    std::map<uint32_t, std::string> texts;  // error code -> text
    // Lengths by element name, taken on open; an element given -1 opens with error 275.
    std::map<std::string, int32_t> lengths;
    int32_t length = 5000, position = 0;
    uint32_t mode = 525;  // stopped
    uint32_t timeFormat = 0, tracks = 1;
    std::map<uint32_t, uint32_t> caps{{mci::kCapsCanPlay, 1}, {mci::kCapsDeviceType, 522}};
    std::map<uint32_t, int32_t> trackStarts;
    IntRect source{0, 0, 0, 0}, destination{0, 0, 0, 0};

    uint32_t SendCommand(uint32_t device, uint32_t command, uint32_t flags, MciParams& p) override {
        calls.push_back(Call{device, command, flags, p});
        if (failures.count(command)) return failures[command];
        switch (command) {
            case mci::kOpen:
                if (lengths.count(p.elementName)) {
                    if (lengths[p.elementName] < 0) return 275;
                    length = lengths[p.elementName];
                    position = 0;
                }
                p.deviceId = kDev;
                break;
            case mci::kSeek:
                if (flags & mci::kSeekToEnd) position = length;
                else if (flags & mci::kSeekToStart) position = 0;
                else if (flags & mci::kTo) position = p.to;
                break;
            case mci::kStatus:
                if (flags & mci::kTrack) p.returnValue = static_cast<uint32_t>(trackStarts[p.track]);
                else if (p.item == mci::kStatusLength) p.returnValue = static_cast<uint32_t>(length);
                else if (p.item == mci::kStatusPosition) p.returnValue = static_cast<uint32_t>(position);
                else if (p.item == mci::kStatusMode) p.returnValue = mode;
                else if (p.item == mci::kStatusTimeFormat) p.returnValue = timeFormat;
                else if (p.item == mci::kStatusNumberOfTracks) p.returnValue = tracks;
                break;
            case mci::kGetDevCaps: p.returnValue = caps[p.item]; break;
            case mci::kWhere: p.rect = (flags & mci::kAnimWhereSource) ? source : destination; break;
            default: break;
        }
        return 0;
    }
    bool GetErrorString(uint32_t error, std::string& text) override {
        if (!texts.count(error)) return false;
        text = texts[error];
        return true;
    }
    uint32_t SendString(const std::string& command, uintptr_t callback) override {
        strings.emplace_back(command, callback);
        return 0;
    }
    std::vector<Call> Sent() { return std::exchange(calls, {}); }
};

// The media device with kWnd as the window its notices go to.
class TestDevice : public MediaDevice {
public:
    explicit TestDevice(MciPort& port) : MediaDevice(port) { SetCallbackWindow(kWnd); }
};

// Expected calls.
inline Call C(uint32_t device, uint32_t command, uint32_t flags, const std::function<void(MciParams&)>& fill = {}) {
    Call c{device, command, flags, MciParams{}};
    if (fill) fill(c.params);
    return c;
}
inline void Cb(MciParams& p) { p.callback = kWnd; }
inline std::function<void(MciParams&)> Item(uint32_t item) {
    return [item](MciParams& p) { p.item = item; };
}
inline Call Status(uint32_t item, uint32_t device = kDev) { return C(device, mci::kStatus, 0x102, Item(item)); }
inline Call Caps(uint32_t item) { return C(kDev, mci::kGetDevCaps, 0x102, Item(item)); }
inline Call SeekTo(int32_t to) {
    return C(kDev, mci::kSeek, 0xA, [to](MciParams& p) { p.callback = kWnd; p.to = to; });
}

// What an open asks after MCI_OPEN succeeded: length, capabilities, source rectangle.
inline std::vector<Call> OpenAnswers(const std::vector<Call>& tail) {
    std::vector<Call> v{Status(mci::kStatusLength), Caps(8), Caps(1), Caps(7), Caps(3), Caps(4),
                        C(kDev, mci::kWhere, 0x20000)};
    v.insert(v.end(), tail.begin(), tail.end());
    return v;
}

}  // namespace orvik::mcitest
