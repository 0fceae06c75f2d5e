#include "playback/win32/MediaDeviceWindow.h"

#include <mmsystem.h>

namespace orvik {

MediaDeviceWindow::MediaDeviceWindow(const ChildPlace& place, MciPort& port)
    : MediaDevice(port) {
    Register(kClassName);
    WindowSpec spec;
    spec.style = place.parent ? WS_CHILD : 0;  // never visible
    spec.place = place;
    if (!place.parent) spec.place.parent = HWND_MESSAGE;
    Create(kClassName, spec);
    SetCallbackWindow(reinterpret_cast<uintptr_t>(hwnd_));
}

LRESULT MediaDeviceWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case MM_MCINOTIFY:
            HandleNotify(static_cast<uint32_t>(wParam));
            return 0;
        case WM_DESTROY:
            SetCallbackWindow(0);
            break;
        default:
            break;
    }
    return Default(msg, wParam, lParam);
}

}  // namespace orvik
