// Helpers of the Win32 tests: waiting on the message loop with a time limit,
// temporary files and generated WAV files.
#pragma once
#include <windows.h>
#include <winternl.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>

#include "app/win32/Form.h"

namespace orvik::test {

// A dialog-framed form that holds the controls under test.
class HostForm : public Form {
public:
    HostForm(const char* className, int clientWidth, int clientHeight) {
        FormSpec spec;
        spec.className = className;
        spec.caption = "Control host";
        spec.clientWidth = clientWidth;
        spec.clientHeight = clientHeight;
        spec.border = FormBorder::Dialog;
        CreateForm(spec);
    }
};

// Dispatches messages until the condition holds or the time runs out.
inline bool PumpUntil(const std::function<bool()>& condition, DWORD limitMs = 10000) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > limitMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return true;
}

// Every GDI object the process holds, counted in the process's GDI handle
// table (GetGuiResources is a stub under Wine). The table hangs off the PEB;
// under Wine each entry is 16 bytes, starting with the object's address,
// which is zero for a free entry. -1 where there is no such table.
inline long LiveGdiHandles() {
#if defined(_WIN64)
    constexpr size_t kTableOffset = 0xF8;
#else
    constexpr size_t kTableOffset = 0x94;
#endif
    using QueryProcess = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
    const auto query = reinterpret_cast<QueryProcess>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION info{};
    if (!query || query(GetCurrentProcess(), 0, &info, sizeof info, nullptr) != 0) return -1;
    const auto* peb = reinterpret_cast<const unsigned char*>(info.PebBaseAddress);
    const auto* table = *reinterpret_cast<const unsigned char* const*>(peb + kTableOffset);
    if (!table) return -1;
    long count = 0;
    for (size_t i = 0; i < 16384; ++i) {
        uint64_t object = 0;
        std::memcpy(&object, table + i * 16, sizeof object);
        if (object) ++count;
    }
    return count;
}

inline std::string TempPath(const char* name) {
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    return std::string(dir) + "orvik_" + std::to_string(GetCurrentProcessId()) + "_" + name;
}

inline bool WriteBytes(const std::string& path, const std::string& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    std::fclose(f);
    return ok;
}

inline void Put32(std::string& s, uint32_t v) {
    for (int i = 0; i < 4; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
}
inline void Put16(std::string& s, uint16_t v) {
    s += static_cast<char>(v & 0xFF);
    s += static_cast<char>(v >> 8);
}

// A quiet square tone, 16-bit mono at 22050 Hz: one millisecond is 44.1 bytes.
inline std::string Wav(int milliseconds) {
    const uint32_t rate = 22050, samples = rate * milliseconds / 1000;
    std::string s = "RIFF";
    Put32(s, 36 + samples * 2);
    s += "WAVEfmt ";
    Put32(s, 16);
    Put16(s, 1);  // PCM
    Put16(s, 1);  // mono
    Put32(s, rate);
    Put32(s, rate * 2);
    Put16(s, 2);
    Put16(s, 16);
    s += "data";
    Put32(s, samples * 2);
    for (uint32_t i = 0; i < samples; ++i) Put16(s, static_cast<uint16_t>((i / 25) % 2 ? 800 : -800));
    return s;
}

}  // namespace orvik::test
