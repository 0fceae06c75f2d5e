// Text between the program's strings (in the process code page: the ANSI
// code page, or UTF-8 where the system runs the program in UTF-8) and the
// platform's wide text.
#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace orvik {

// Zero-terminated wide text in a plain buffer (a wide string class would
// bring a second string implementation into the program).
using WideText = std::vector<wchar_t>;

// True where the program's "A" functions run in UTF-8.
bool ProcessCodePageIsUtf8();

// The program's text as wide text.
WideText Widen(const std::string& text);

// The text in the process code page, or nothing when a character has no
// place there (under UTF-8: an unpaired surrogate).
std::optional<std::string> Narrow(const wchar_t* text, std::size_t length);
std::optional<std::string> Narrow(const wchar_t* text);

// A window's whole text.
WideText TextOf(HWND window);

}  // namespace orvik
