#include "controls/win32/GroupBox.h"

namespace orvik {

LRESULT GroupBox::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_ERASEBKGND) return TRUE;
    if (msg != WM_PAINT) return Default(msg, wParam, lParam);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    RECT r;
    GetClientRect(hwnd_, &r);
    FillRect(dc, &r, background_);
    Default(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    EndPaint(hwnd_, &ps);
    return 0;
}

}  // namespace orvik
