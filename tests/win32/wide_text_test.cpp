// The program's one conversion to narrow text: exact in the code page, or
// nothing, with the flags each code page takes.
#include <gtest/gtest.h>
#include <windows.h>

#include "app/win32/WideText.h"

using namespace orvik;

TEST(WideText, NarrowGivesTheExactTextOrNothing) {
    ASSERT_EQ(GetACP(), static_cast<UINT>(CP_UTF8));  // the program's manifest
    using Text = std::optional<std::string>;
    const struct {
        const wchar_t* wide;
        UINT codePage;
        Text narrow;
    } cases[] = {
        {L"\x0395\x03BB \x65E5 \xD83C\xDFB5", CP_ACP, Text("\xCE\x95\xCE\xBB \xE6\x97\xA5 \xF0\x9F\x8E\xB5")},
        {L"a\xD83C", CP_UTF8, std::nullopt},  // an unpaired surrogate is no character
        {L"caf\x00E9", 1252, Text("caf\xE9")},
        {L"\x0395\x03BB", 1252, std::nullopt},
        {L"\x2248", 1252, std::nullopt},  // its best fit, '=', would be another text
        {L"\x8868\\a", 932, Text("\x95\x5C\\a")},  // a second byte that is a backslash
        {L"\x0395", 932, Text("\x83\xA3")},
        {L"\x00E9", 932, std::nullopt},
        {L"", 1252, Text("")},
    };
    for (const auto& c : cases) EXPECT_EQ(Narrow(c.wide, wcslen(c.wide), c.codePage), c.narrow) << c.codePage;
}
