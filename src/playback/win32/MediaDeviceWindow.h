// The media device object as a control (window class "TMediaPlayer"). Its
// window is a hidden child (the button bar is never shown in this program);
// MCI completion notices for the commands it sends arrive at that window.
#pragma once
#include <windows.h>

#include "app/win32/Gdi.h"
#include "app/win32/Window.h"
#include "platform/MciPort.h"
#include "playback/MediaDevice.h"

namespace orvik {

class MediaDeviceWindow : public Window, public MediaDevice {
public:
    static constexpr const char* kClassName = "TMediaPlayer";

    // A hidden child of parent at the given bounds; without a parent the
    // control is a message-only window.
    explicit MediaDeviceWindow(const ChildPlace& place, MciPort& port = SystemMciPort());

    HWND DisplayWindow() const { return reinterpret_cast<HWND>(Display()); }
    void SetDisplay(HWND window) { MediaDevice::SetDisplay(reinterpret_cast<uintptr_t>(window)); }
    // left, top, right, bottom as MCI takes them (see MediaDevice::SetDisplayRect).
    void SetDisplayRect(const RECT& r) { MediaDevice::SetDisplayRect(FromRect(r)); }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace orvik
