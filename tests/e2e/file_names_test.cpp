// File names in any language, end to end: Greek, Japanese and emoji names
// given on the command line and handed over by a later start go into the
// list whole, are stored exactly, play, and are encoded by the lame.exe that
// comes with the program, from a program folder with Greek letters in its
// path. This driver runs in UTF-8 (its manifest), so its texts are UTF-8.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>

#include <fstream>
#include <iterator>

#include "Driver.h"
#include "encoding/win32/ControlIds.h"
#include "playback/win32/PlayerControlIds.h"
#include "win32/TestSupport.h"

using namespace e2e;
using namespace orvik;

namespace {
const std::string kGreek = "\xCE\x95\xCE\xBB\xCE\xBB\xCE\xB7\xCE\xBD\xCE\xB9\xCE\xBA\xCE\xAC";  // Ελληνικά
const std::string kJapanese = "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\xE3\x81\xAE\xE6\xAD\x8C";  // 日本語の歌
const std::string kEmoji = "\xF0\x9F\x8E\xB5 song";                                          // 🎵 song

std::wstring Wide(const std::string& utf8) {
    std::wstring wide(utf8.size() + 1, L'\0');
    wide.resize(static_cast<size_t>(
        MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), static_cast<int>(utf8.size()), &wide[0], static_cast<int>(wide.size()))));
    return wide;
}

// A stored text read back through the wide function, as UTF-8.
std::string StoredItem(int index) {
    HKEY key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\OrvikPlayer\\TMainForm.ListBox1_Items", 0, KEY_READ, &key))
        return "<no key>";
    wchar_t data[1024] = {};
    DWORD size = sizeof data - sizeof data[0], type = 0;
    const std::wstring name = L"Item" + std::to_wstring(index);
    const LONG rc = RegQueryValueExW(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS || type != REG_SZ) return "<no text>";
    char out[3072] = {};
    WideCharToMultiByte(CP_UTF8, 0, data, -1, out, sizeof out, nullptr, nullptr);
    return out;
}

// What an MP3 decodes to, in milliseconds: its MPEG audio frames counted
// (the first, lame's information frame, holds no sound).
int Mp3Milliseconds(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    auto at = [&](size_t i) { return static_cast<unsigned char>(b[i]); };
    size_t i = 0;
    if (b.compare(0, 3, "ID3") == 0 && b.size() > 10)
        i = 10 + ((at(6) << 21) | (at(7) << 14) | (at(8) << 7) | at(9));
    static const int mpeg1[] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};
    static const int mpeg2[] = {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160};
    static const int rates[] = {44100, 48000, 32000};
    long samples = 0, rate = 0, frames = 0;
    while (i + 4 <= b.size() && at(i) == 0xFF && (at(i + 1) & 0xE0) == 0xE0) {
        const int version = (at(i + 1) >> 3) & 3, bitIndex = at(i + 2) >> 4, rateIndex = (at(i + 2) >> 2) & 3;
        if (version == 1 || bitIndex == 0 || bitIndex == 15 || rateIndex == 3) break;
        const bool one = version == 3;
        rate = rates[rateIndex] / (one ? 1 : version == 2 ? 2 : 4);
        const int kbps = (one ? mpeg1 : mpeg2)[bitIndex];
        i += static_cast<size_t>((one ? 144000 : 72000) * kbps / rate + ((at(i + 2) >> 1) & 1));
        if (frames++ > 0) samples += one ? 1152 : 576;
    }
    return rate ? static_cast<int>(samples * 1000 / rate) : -1;
}

class FileNames : public testing::Test {
protected:
    static ProgramOptions Options() {
        ProgramOptions o;
        o.extraFiles = {{"lame.exe", "lame.exe"}};
        o.folderSuffix = " " + kGreek;
        o.arguments = "\"" + kGreek + ".wav\"";  // taken from the folder the start is made in
        return o;
    }
    std::string Wav(const std::string& name, int ms) {
        const std::string path = program.Folder() + "\\" + name + ".wav";
        EXPECT_TRUE(orvik::test::WriteBytes(path, orvik::test::Wav(ms))) << path;
        return path;
    }
    Program program{Options()};
};
}  // namespace

TEST_F(FileNames, GreekJapaneseAndEmojiNamesGoInWholeAreStoredPlayAndEncodeTheRightFile) {
    // Different lengths, so that a wrong file shows; café.wav is the one a
    // lookup with "?" in place of the letters would find.
    const std::vector<std::string> files = {Wav(kGreek, 1000), Wav(kJapanese, 1700), Wav(kEmoji, 2400)};
    Wav("caf\xC3\xA9", 3100);
    ASSERT_TRUE(program.Start());
    HWND main = program.MainWindow(), list = ChildOfClass(main, "ListBox");
    EXPECT_EQ(ListEntries(list), std::vector<std::string>{files[0]});

    // Handed over by a later start.
    Process again(program.ExePath(), "\"" + files[1] + "\" \"" + kEmoji + ".wav\"", program.Folder());
    EXPECT_TRUE(again.WaitForExit(30000));
    ASSERT_TRUE(WaitUntil([&] { return ListCount(list) == 3; }));
    EXPECT_EQ(ListEntries(list), files);

    // The emoji one plays: the player's slider spans its length.
    ClickClient(list, 40, 2 * 13 + 6);
    ASSERT_TRUE(WaitUntil([&] { return ListSelection(list) == 2; }));
    PressKey(main, 'P', true);
    HWND player = program.WaitForVisibleWindow("TPlayForm");
    ASSERT_NE(player, nullptr);
    HWND slider = GetDlgItem(GetDlgItem(player, player_ids::kControlPanel), player_ids::kPositionSlider);
    EXPECT_TRUE(WaitUntil([&] { return slider && SendMessageW(slider, TBM_GETRANGEMAX, 0, 0) == 2400; }));
    PostMessageW(player, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(player) && IsWindowEnabled(main); }));

    // The Japanese one, pasted into the Lame face, is encoded by lame.exe
    // into a Greek output name in the program folder.
    ClickClient(main, 92 + 20, 24 + 20);
    HWND dialog = program.WaitForVisibleWindow("TEncodeForm");
    ASSERT_NE(dialog, nullptr);
    SendMessageW(GetDlgItem(dialog, kIdLameInput), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Wide(files[1]).c_str()));
    SendMessageW(GetDlgItem(dialog, kIdLameOutput), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Wide(kGreek).c_str()));
    ClickClient(dialog, 144, 168 + 11);
    const std::string mp3 = program.Folder() + "\\" + kGreek + ".mp3";
    EXPECT_TRUE(WaitUntil([&] { return Mp3Milliseconds(mp3) > 0 && !program.VisibleWindowOfClass("ConsoleWindowClass"); },
                          30000));
    EXPECT_TRUE(WaitUntil([&] { return std::abs(Mp3Milliseconds(mp3) - 1700) < 100; }, 10000))
        << Mp3Milliseconds(mp3) << " ms";
    EXPECT_EQ(program.VisibleWindowOfClass("#32770"), nullptr) << "a box came up";

    // Stored exactly, as the registry's wide texts.
    PressKey(main, VK_F12);
    ASSERT_TRUE(program.WaitForExit(15000));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(StoredItem(i), files[static_cast<size_t>(i)]);
}

namespace {
// The program as Windows before 10 version 1903 runs it: its manifest
// without the UTF-8 setting, so it runs in the legacy code page (1252 here).
bool WithoutUtf8Setting(const std::string& exe) {
    std::string manifest;
    if (HMODULE module = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {
        if (HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24)))
            manifest.assign(static_cast<const char*>(LockResource(LoadResource(module, found))),
                            SizeofResource(module, found));
        FreeLibrary(module);
    }
    const size_t start = manifest.find("<activeCodePage"), end = manifest.find("</activeCodePage>");
    if (start == std::string::npos || end == std::string::npos) return false;
    manifest.erase(start, end + 17 - start);
    HANDLE update = BeginUpdateResourceA(exe.c_str(), FALSE);
    return update &&
           UpdateResourceA(update, MAKEINTRESOURCEA(24), MAKEINTRESOURCEA(1), MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL),
                           &manifest[0], static_cast<DWORD>(manifest.size())) &&
           EndUpdateResourceA(update, FALSE);
}
}  // namespace

TEST(FileNamesInALegacyCodePage, ANameTheCodePageCannotHoldIsRefusedWithTheBoxAndNothingStarts) {
    ProgramOptions options;
    options.extraFiles = {{"fake_tool.exe", "lame.exe"}};
    Program program(options);
    ASSERT_TRUE(WithoutUtf8Setting(program.ExePath()));
    ASSERT_TRUE(program.Start());
    ClickClient(program.MainWindow(), 92 + 20, 24 + 20);
    HWND dialog = program.WaitForVisibleWindow("TEncodeForm");
    ASSERT_NE(dialog, nullptr);
    const std::string input = program.Folder() + "\\" + kJapanese + ".wav";
    SendMessageW(GetDlgItem(dialog, kIdLameInput), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Wide(input).c_str()));
    ClickClient(dialog, 144, 168 + 11);
    HWND box = WaitForMessageBox(program.ProcessId());
    ASSERT_NE(box, nullptr);
    const std::string text = e2e::WindowText(GetDlgItem(box, 0xFFFF));
    EXPECT_EQ(text.rfind("The input file cannot be passed on, so nothing was started:\n" + input + "\n", 0), 0u) << text;
    EXPECT_NE(text.find("(code page 1252)"), std::string::npos) << text;
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    Sleep(500);
    EXPECT_EQ(GetFileAttributesA((program.Folder() + "\\tool-runs.log").c_str()), INVALID_FILE_ATTRIBUTES)
        << "a tool was started";
}
