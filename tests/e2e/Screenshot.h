// Screen captures from the end-to-end driver: a window with its frame, as
// the user sees it, written as a 24-bit BMP.
#pragma once
#include <windows.h>

#include <string>

namespace e2e {

bool SaveWindowShot(HWND window, const std::string& bmpPath);

}  // namespace e2e
