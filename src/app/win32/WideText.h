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

// The text in the process code page (or another), or nothing when a
// character has no place there (under UTF-8: an unpaired surrogate).
std::optional<std::string> Narrow(const wchar_t* text, std::size_t length, UINT codePage = CP_ACP);
std::optional<std::string> Narrow(const wchar_t* text);

// Wide text in UTF-8 and back, whatever the process code page: for logic
// that looks at bytes (separators, quotes), which UTF-8 keeps apart from
// every other character. An unpaired surrogate becomes U+FFFD.
std::string Utf8Of(const wchar_t* text, std::size_t length);
inline std::string Utf8Of(const WideText& text) { return Utf8Of(text.data(), wcslen(text.data())); }
WideText WidenUtf8(const std::string& utf8);

// A window's whole text.
WideText TextOf(HWND window);

}  // namespace orvik
