#include "app/win32/WideText.h"

#include <climits>

#ifndef WC_ERR_INVALID_CHARS
#define WC_ERR_INVALID_CHARS 0x80  // Vista and later; UTF-8 only
#endif

namespace orvik {

bool ProcessCodePageIsUtf8() { return GetACP() == CP_UTF8; }

WideText Widen(const std::string& text) {
    const int length = static_cast<int>(text.size());
    const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    WideText wide(static_cast<size_t>(n) + 1, L'\0');
    if (n > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide.data(), n);
    return wide;
}

std::optional<std::string> Narrow(const wchar_t* text, std::size_t length) {
    if (length == 0) return std::string();
    if (length > INT_MAX / 4) return std::nullopt;
    const int count = static_cast<int>(length);
    // UTF-8 takes neither the best-fit flag nor the used-default pointer; it
    // holds every character, and WC_ERR_INVALID_CHARS refuses what is none.
    // A legacy code page reports the characters it has no place for.
    const bool utf8 = ProcessCodePageIsUtf8();
    const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL lossy = FALSE;
    BOOL* const usedDefault = utf8 ? nullptr : &lossy;
    const int n = WideCharToMultiByte(CP_ACP, flags, text, count, nullptr, 0, nullptr, usedDefault);
    if (n <= 0 || lossy) return std::nullopt;
    std::string narrow(static_cast<size_t>(n), '\0');
    if (WideCharToMultiByte(CP_ACP, flags, text, count, &narrow[0], n, nullptr, usedDefault) != n || lossy)
        return std::nullopt;
    return narrow;
}

std::optional<std::string> Narrow(const wchar_t* text) { return Narrow(text, wcslen(text)); }

WideText TextOf(HWND window) {
    WideText text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    return text;
}

}  // namespace orvik
