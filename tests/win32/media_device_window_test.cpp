// The media device control on the real MCI under Wine, with WAV files made
// here and PulseAudio's null sink as the audio clock.
#include <gtest/gtest.h>
#include <windows.h>
#include <mmsystem.h>

#include <functional>
#include <string>
#include <vector>

#include "controls/win32/Slider.h"
#include "playback/win32/MediaDeviceWindow.h"
#include "TestSupport.h"

using namespace orvik;
using namespace orvik::test;

namespace {

std::string LayerText(uint32_t code) {
    char text[4096] = "";
    mciGetErrorStringA(code, text, sizeof text);
    return text;
}

class MediaDeviceWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        host_ = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 400, 100, nullptr, nullptr, nullptr, nullptr);
        slider_ = std::make_unique<Slider>(ChildPlace{host_, At(0, 0, 369, 33)});
    }
    void TearDown() override {
        slider_.reset();
        DestroyWindow(host_);
        for (const auto& f : files_) DeleteFileA(f.c_str());
    }
    std::string File(const char* name, const std::string& bytes) {
        files_.push_back(TempPath(name));
        EXPECT_TRUE(WriteBytes(files_.back(), bytes));
        return files_.back();
    }

    HWND host_ = nullptr;
    std::unique_ptr<Slider> slider_;
    std::vector<std::string> files_;
};

TEST_F(MediaDeviceWindowTest, OpenSeekPlayStopAndCloseAWavFile) {
    // As in the player: an invisible child of the slider.
    MediaDeviceWindow media(ChildPlace{slider_->Handle(), At(48, -21, 253, 30)});
    ASSERT_TRUE(media.Handle());
    EXPECT_EQ(GetParent(media.Handle()), slider_->Handle());
    EXPECT_FALSE(IsWindowVisible(media.Handle()));
    std::vector<NoticeCode> notices;
    media.onNotify = [&] { notices.push_back(media.LastNotice()); };

    media.fileName = File("tone.wav", Wav(1500));
    media.Open();
    EXPECT_TRUE(media.Opened());
    EXPECT_NE(media.DeviceId(), 0);
    EXPECT_TRUE(media.CanPlay());
    EXPECT_FALSE(media.HasVideo());
    EXPECT_EQ(media.GetLength(), 1500);  // waveaudio counts milliseconds
    EXPECT_EQ(media.Frames(), 150);
    EXPECT_EQ(media.GetMode(), MediaMode::Stopped);

    media.Next();
    EXPECT_EQ(media.GetPosition(), 1500);
    media.Prev();
    EXPECT_EQ(media.GetPosition(), 0);
    media.Seek(1000);
    EXPECT_EQ(media.GetPosition(), 1000);
    notices.clear();  // seeks with MCI_WAIT may notify nothing; only play's notice matters

    // Play to the end: the completion notice reaches the control's window.
    media.Play();
    ASSERT_TRUE(PumpUntil([&] { return !notices.empty(); })) << "no completion notice";
    EXPECT_EQ(notices.back(), NoticeCode::Successful);
    EXPECT_EQ(media.GetPosition(), 1500);

    // At the end, Play rewinds first; Stop during play aborts it.
    notices.clear();
    media.Play();
    ASSERT_TRUE(PumpUntil([&] { return media.GetPosition() > 0; })) << "playback does not advance";
    EXPECT_EQ(media.GetMode(), MediaMode::Playing);
    media.Stop();
    EXPECT_EQ(media.GetMode(), MediaMode::Stopped);
    const int32_t stopped = media.GetPosition();
    EXPECT_LT(stopped, 1500);
    ASSERT_TRUE(PumpUntil([&] { return !notices.empty(); })) << "no notice for the aborted play";
    EXPECT_EQ(notices.back(), NoticeCode::Aborted);
    EXPECT_EQ(media.GetPosition(), stopped);

    media.Close();
    EXPECT_FALSE(media.Opened());
    EXPECT_EQ(media.DeviceId(), 0);
    EXPECT_THROW(media.Play(), MciError);
}

TEST_F(MediaDeviceWindowTest, FilesTheDeviceLayerRefusesRaiseItsText) {
    MediaDeviceWindow media(ChildPlace{slider_->Handle(), At(48, -21, 253, 30)});
    struct Case {
        std::string path;
        uint32_t code;
    };
    const std::vector<Case> cases{
        {File("notes.txt", "just some text\r\n"), MCIERR_EXTENSION_NOT_FOUND},
        {File("corrupt.wav", "RIFF\x10\0\0\0WAVEjunkjunkjunk" + std::string(200, 'x')), MCIERR_INVALID_FILE},
        {TempPath("missing.wav"), MCIERR_FILE_NOT_FOUND},
    };
    for (const Case& c : cases) {
        media.fileName = c.path;
        try {
            media.Open();
            ADD_FAILURE() << c.path << " opened";
        } catch (const MciError& e) {
            EXPECT_EQ(media.Error(), c.code) << c.path;
            EXPECT_EQ(e.what(), LayerText(c.code)) << c.path;
            EXPECT_FALSE(std::string(e.what()).empty());
        }
        EXPECT_FALSE(media.Opened());
        try {
            media.Play();
            ADD_FAILURE() << "played after a failed open";
        } catch (const MciError& e) {
            EXPECT_STREQ(e.what(), "No MCI device open");
        }
    }
}

}  // namespace
