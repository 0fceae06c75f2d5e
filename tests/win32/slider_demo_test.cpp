// A demonstration rather than a test (disabled; scripts/screenshots.sh runs
// it): the player's slider follows a playing WAV file as the player's timer
// would move it, and its picture is written to slider.bmp in the folder
// named by ORVIK_SHOT_DIR.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

#include "app/win32/Gdi.h"
#include "controls/win32/Slider.h"
#include "playback/win32/MediaDeviceWindow.h"
#include "TestSupport.h"

using namespace orvik;
using namespace orvik::test;

namespace {

bool SaveClientBmp(HWND hwnd, const std::string& path) {
    RECT r;
    GetClientRect(hwnd, &r);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = r.right;
    bi.bmiHeader.biHeight = r.bottom;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    Bitmap dib(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    MemoryDC dc;
    {
        SelectGuard sel(dc, dib.Get());
        SendMessageA(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.Get()), PRF_CLIENT);
        GdiFlush();
    }
    const uint32_t rowBytes = (r.right * 3 + 3) & ~3u, size = rowBytes * r.bottom;
    std::string file = "BM";
    Put32(file, 14 + 40 + size);
    Put32(file, 0);
    Put32(file, 14 + 40);
    file.append(reinterpret_cast<const char*>(&bi.bmiHeader), 40);
    file.append(static_cast<const char*>(bits), size);
    return WriteBytes(path, file);
}

TEST(SliderDemo, DISABLED_FollowsAPlayingWav) {
    const char* dir = std::getenv("ORVIK_SHOT_DIR");
    const std::string shot = dir ? std::string(dir) + "\\slider.bmp" : std::string();
    HWND host = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 20, 20, 369, 33, nullptr, nullptr,
                                nullptr, nullptr);
    {
        // The player's instance: its thumb, increment 1, smooth with points, on the panel's grey.
        Slider slider(ChildPlace{host, At(0, 0, 369, 33)});
        Bitmap thumb = LoadBitmapResource("PLAY_THUMB");
        slider.SetImageHThumb(thumb.Get());
        slider.Model().SetIncrement(1);
        slider.Model().SetOptions(SliderOption::ShowPoints | SliderOption::Smooth);
        slider.SetColor(kMedGray);
        MediaDeviceWindow media(ChildPlace{slider.Handle(), At(48, -21, 253, 30)});

        const std::string wav = TempPath("demo.wav");
        ASSERT_TRUE(WriteBytes(wav, Wav(4000)));
        media.fileName = wav;
        media.Open();
        media.Next();
        slider.Model().SetMaxValue(media.GetPosition());
        slider.SetValue(0);
        media.Prev();
        media.Play();
        // Follow the position until about two fifths have played.
        ASSERT_TRUE(PumpUntil([&] {
            slider.SetValue(media.GetPosition());
            return slider.Value() >= slider.MaxValue() * 2 / 5;
        }));
        media.Stop();
        media.Close();
        DeleteFileA(wav.c_str());
        if (!shot.empty()) {
            EXPECT_TRUE(SaveClientBmp(slider.Handle(), shot));
        }
    }
    DestroyWindow(host);
}

}  // namespace
