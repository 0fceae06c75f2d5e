// Window messages decoded into the portable input types, in one place.
#pragma once
#include <windows.h>

#include "app/Input.h"

namespace orvik {

// True for the button messages (down, up, double click) and WM_MOUSEMOVE.
bool IsMouseMessage(UINT msg);
bool IsButtonDown(UINT msg);  // a press, double clicks included
// The event of a mouse message; the button of WM_MOUSEMOVE is Left.
MouseEvent DecodeMouse(UINT msg, WPARAM wParam, LPARAM lParam);
// Shift, Ctrl and Alt as they are held now.
unsigned KeyModifiers();

}  // namespace orvik
