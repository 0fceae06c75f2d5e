#include "app/win32/Input.h"

#include <windowsx.h>

namespace orvik {

bool IsMouseMessage(UINT msg) { return msg >= WM_MOUSEFIRST && msg <= WM_MBUTTONDBLCLK; }

bool IsButtonDown(UINT msg) {
    switch (msg) {
    case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN: case WM_MBUTTONDBLCLK:
        return true;
    default:
        return false;
    }
}

unsigned KeyModifiers() {
    unsigned m = 0;
    if (GetKeyState(VK_SHIFT) < 0) m |= modifier::kShift;
    if (GetKeyState(VK_CONTROL) < 0) m |= modifier::kCtrl;
    if (GetKeyState(VK_MENU) < 0) m |= modifier::kAlt;
    return m;
}

MouseEvent DecodeMouse(UINT msg, WPARAM wParam, LPARAM lParam) {
    MouseEvent e;
    switch (msg) {
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK: e.button = MouseButton::Right; break;
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_MBUTTONDBLCLK: e.button = MouseButton::Middle; break;
    default: break;
    }
    if (wParam & MK_SHIFT) e.modifiers |= modifier::kShift;
    if (wParam & MK_CONTROL) e.modifiers |= modifier::kCtrl;
    if (GetKeyState(VK_MENU) < 0) e.modifiers |= modifier::kAlt;
    if (wParam & MK_LBUTTON) e.modifiers |= modifier::kLeft;
    if (wParam & MK_RBUTTON) e.modifiers |= modifier::kRight;
    if (wParam & MK_MBUTTON) e.modifiers |= modifier::kMiddle;
    if (msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK)
        e.modifiers |= modifier::kDouble;
    e.x = GET_X_LPARAM(lParam);
    e.y = GET_Y_LPARAM(lParam);
    return e;
}

}  // namespace orvik
