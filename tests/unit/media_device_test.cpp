// The media device object against a recording MCI port: the exact commands,
// flags and parameters of each operation, and the device's answers scripted.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "RecordingMciPort.h"
#include "playback/MediaDevice.h"

using namespace orvik;
using namespace orvik::mcitest;
using B = TransportButton;

namespace {

class MediaDeviceTest : public ::testing::Test {
protected:
    RecordingMciPort port;
    TestDevice media{port};

    void OpenFile(const char* name = "C:\\a.wav") {
        media.fileName = name;
        media.Open();
        port.calls.clear();
    }
    std::vector<Call> Sent() { return std::exchange(port.calls, {}); }
};

TEST_F(MediaDeviceTest, OpenAnAudioFile) {
    port.length = 1239;
    port.caps[mci::kCapsCanRecord] = 1;
    port.failures[mci::kWhere] = 0x113;  // no video: where fails, the open counts
    media.fileName = "C:\\Music\\a.wav";
    media.Open();

    std::vector<Call> expected{C(0, mci::kOpen, 0x202, [](MciParams& p) {
        p.callback = kWnd;
        p.elementName = "C:\\Music\\a.wav";
    })};
    for (const Call& c : OpenAnswers({Status(mci::kStatusMode)})) expected.push_back(c);
    EXPECT_EQ(port.calls, expected);
    EXPECT_TRUE(media.Opened());
    EXPECT_EQ(media.DeviceId(), kDev);
    EXPECT_EQ(media.Frames(), 123);
    EXPECT_TRUE(media.CanPlay());
    EXPECT_TRUE(media.CanRecord());
    EXPECT_FALSE(media.HasVideo());
    EXPECT_FALSE(media.CanStep());
    EXPECT_EQ(media.AutoEnabledButtons(), ButtonSet({B::Next, B::Prev, B::Play, B::Record}));
}

TEST_F(MediaDeviceTest, OpenAVideoFileBindsTheDisplayAndReadsTheNaturalSize) {
    port.caps[mci::kCapsHasVideo] = 1;
    port.caps[mci::kCapsDeviceType] = mci::kDevTypeDigitalVideo;
    port.source = IntRect{0, 0, 320, 240};
    port.destination = IntRect{0, 0, 352, 288};
    port.mode = 526;  // already playing
    media.SetDisplay(0x99);
    EXPECT_TRUE(port.calls.empty()) << "no device open: the display is only remembered";
    media.fileName = "b.avi";
    media.Open();

    std::vector<Call> expected{C(0, mci::kOpen, 0x202, [](MciParams& p) {
        p.callback = kWnd;
        p.elementName = "b.avi";
    })};
    for (const Call& c : OpenAnswers({C(kDev, mci::kWindow, 0x10002, [](MciParams& p) { p.window = 0x99; }),
                                      C(kDev, mci::kWhere, 0x40000), Status(mci::kStatusMode)}))
        expected.push_back(c);
    EXPECT_EQ(port.calls, expected);
    EXPECT_EQ(media.Display(), 0x99u);
    EXPECT_EQ(media.NaturalWidth(), 352);
    EXPECT_EQ(media.NaturalHeight(), 288);
    EXPECT_EQ(media.AutoEnabledButtons(),
              ButtonSet({B::Next, B::Prev, B::Step, B::Back, B::Pause, B::Stop}));

    // Video operations: the natural size fills in a rectangle without extent.
    port.calls.clear();
    media.SetDisplayRect(IntRect{10, 20, 0, 0});
    media.SetDisplayRect(IntRect{0, 0, 375, 186});
    EXPECT_EQ(Sent(), (std::vector<Call>{
                          C(kDev, mci::kPut, 0x50000, [](MciParams& p) { p.rect = IntRect{10, 20, 352, 288}; }),
                          C(kDev, mci::kPut, 0x50000, [](MciParams& p) { p.rect = IntRect{0, 0, 375, 186}; })}));

    port.position = port.length;  // Step at the end rewinds first; Back never does
    media.Step();
    media.Back();
    const auto frames = [](MciParams& p) { p.callback = kWnd; p.frames = 500; };
    EXPECT_EQ(Sent(), (std::vector<Call>{Status(mci::kStatusPosition), Status(mci::kStatusLength),
                                         C(kDev, mci::kSeek, 0x102), C(kDev, mci::kStep, 0x20002, frames),
                                         C(kDev, mci::kStep, 0x30002, frames)}));

    // A failed binding drops the display; losing the display unbinds the video.
    port.failures[mci::kWindow] = 0x101;
    media.SetDisplay(0x77);
    EXPECT_EQ(media.Display(), 0u);
    EXPECT_EQ(media.Error(), 0x101u);
    port.failures.clear();
    media.SetDisplay(0x77);
    Sent();
    media.DisplayDestroyed();
    EXPECT_EQ(Sent(), (std::vector<Call>{C(kDev, mci::kWindow, 0x10002)}));
    EXPECT_EQ(media.Display(), 0u);
}

TEST_F(MediaDeviceTest, OpenWhileOpenClosesFirst) {
    OpenFile("a.wav");
    media.fileName = "b.wav";
    media.Open();
    ASSERT_GE(port.calls.size(), 2u);
    EXPECT_EQ(port.calls[0], C(kDev, mci::kClose, 0x2, Cb));
    EXPECT_EQ(port.calls[1].command, mci::kOpen);
    EXPECT_EQ(port.calls[1].params.elementName, "b.wav");
}

TEST_F(MediaDeviceTest, OpenFailureRaisesTheDeviceLayersText) {
    port.failures[mci::kOpen] = 275;
    port.texts[275] = "Cannot find the specified file.";
    media.fileName = "missing.wav";
    try {
        media.Open();
        FAIL() << "no exception";
    } catch (const MciError& e) {
        EXPECT_STREQ(e.what(), "Cannot find the specified file.");
    }
    EXPECT_FALSE(media.Opened());
    EXPECT_EQ(media.DeviceId(), 0);
    EXPECT_EQ(media.Error(), 275u);
    EXPECT_EQ(port.calls.size(), 1u);
    EXPECT_THROW(media.Play(), MciError);

    // A code the layer has no text for.
    port.failures[mci::kOpen] = 9999;
    try {
        media.Open();
        FAIL() << "no exception";
    } catch (const MciError& e) {
        EXPECT_STREQ(e.what(), "Unknown error code");
    }
}

TEST_F(MediaDeviceTest, OperationsOnAClosedObject) {
    const std::vector<std::pair<const char*, std::function<void()>>> raising{
        {"Play", [&] { media.Play(); }},           {"Record", [&] { media.Record(); }},
        {"Stop", [&] { media.Stop(); }},           {"Pause", [&] { media.Pause(); }},
        {"Next", [&] { media.Next(); }},           {"Prev", [&] { media.Prev(); }},
        {"Step", [&] { media.Step(); }},           {"Back", [&] { media.Back(); }},
        {"Eject", [&] { media.Eject(); }},         {"Rewind", [&] { media.Rewind(); }},
        {"Seek", [&] { media.Seek(10); }},         {"GetLength", [&] { media.GetLength(); }},
        {"GetTrackCount", [&] { media.GetTrackCount(); }}, {"GetTimeFormat", [&] { media.GetTimeFormat(); }}};
    for (const auto& [name, op] : raising) {
        try {
            op();
            ADD_FAILURE() << name << " did not raise";
        } catch (const MciError& e) {
            EXPECT_STREQ(e.what(), "No MCI device open") << name;
        }
        EXPECT_TRUE(Sent().empty()) << name << " sent a command";
    }
    // These neither raise nor need a device.
    media.Close();
    media.SetDisplay(0x55);
    media.SetDisplayRect(IntRect{0, 0, 10, 10});
    EXPECT_EQ(media.GetDisplayRect(), IntRect{});
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(media.Display(), 0x55u);
    media.GetPosition();
    media.GetMode();
    media.GetTrackStart(2);
    EXPECT_EQ(Sent(), (std::vector<Call>{Status(mci::kStatusPosition, 0), Status(mci::kStatusMode, 0),
                                         C(0, mci::kStatus, 0x112, [](MciParams& p) {
                                             p.item = 2;
                                             p.track = 2;
                                         })}));
}

TEST_F(MediaDeviceTest, TransportCommands) {
    OpenFile();
    port.position = 1000;
    media.Play();
    media.Stop();
    media.Seek(2500);
    media.Next();
    media.Prev();
    media.Step();  // audio: nothing
    media.Back();  // audio: nothing
    media.Eject(); // cannot eject: nothing
    media.Close();
    EXPECT_EQ(Sent(), (std::vector<Call>{Status(mci::kStatusPosition), Status(mci::kStatusLength),
                                         C(kDev, mci::kPlay, 0x1, Cb), C(kDev, mci::kStop, 0x2, Cb),
                                         C(kDev, mci::kSeek, 0xA, [](MciParams& p) { p.callback = kWnd; p.to = 2500; }),
                                         Status(mci::kStatusTimeFormat), C(kDev, mci::kSeek, 0x202, Cb),
                                         Status(mci::kStatusTimeFormat), C(kDev, mci::kSeek, 0x102, Cb),
                                         C(kDev, mci::kClose, 0x2, Cb)}));
    EXPECT_FALSE(media.Opened());
    EXPECT_TRUE(media.AutoEnabledButtons().Empty());
}

TEST_F(MediaDeviceTest, PlayAtTheEndRewindsFirstUnlessFromOrToIsPending) {
    OpenFile();
    port.position = port.length;
    media.Play();
    EXPECT_EQ(Sent(), (std::vector<Call>{Status(mci::kStatusPosition), Status(mci::kStatusLength),
                                         C(kDev, mci::kSeek, 0x102), C(kDev, mci::kPlay, 0x1, Cb)}));
    media.SetFrom(100);
    media.SetTo(200);
    media.Play();
    EXPECT_EQ(Sent(), (std::vector<Call>{C(kDev, mci::kPlay, 0xD, [](MciParams& p) {
                  p.callback = kWnd;
                  p.from = 100;
                  p.to = 200;
              })}));
    media.autoRewind = false;
    media.Play();
    EXPECT_EQ(Sent(), (std::vector<Call>{C(kDev, mci::kPlay, 0x1, Cb)})) << "requests last one command";
}

TEST_F(MediaDeviceTest, WaitAndNotifyRequestsOverrideTheNextCommandOnly) {
    OpenFile();
    media.SetWait(false);
    media.SetNotify(true);
    media.Stop();
    media.Stop();
    media.SetNotify(false);
    media.SetWait(true);
    media.Record();
    EXPECT_EQ(Sent(), (std::vector<Call>{C(kDev, mci::kStop, 0x1, Cb), C(kDev, mci::kStop, 0x2, Cb),
                                         C(kDev, mci::kRecord, 0x2, Cb)}));
    EXPECT_EQ(media.Flags(), 0x2u);
}

TEST_F(MediaDeviceTest, PauseAndResume) {
    OpenFile();
    port.mode = 526;
    media.Pause();
    port.mode = 529;
    media.Pause();
    port.failures[mci::kResume] = 0x113;  // no resume: play instead
    media.Pause();
    port.mode = 525;
    media.Pause();
    EXPECT_EQ(Sent(), (std::vector<Call>{Status(mci::kStatusMode), C(kDev, mci::kPause, 0x2, Cb),
                                         Status(mci::kStatusMode), C(kDev, mci::kResume, 0x1, Cb),
                                         Status(mci::kStatusMode), C(kDev, mci::kResume, 0x1, Cb),
                                         Status(mci::kStatusPosition), Status(mci::kStatusLength),
                                         C(kDev, mci::kPlay, 0x1, Cb), Status(mci::kStatusMode)}));
}

// A CD-like device in TMSF format: Next and Prev move by tracks.
TEST_F(MediaDeviceTest, TrackRulesOfNextAndPrev) {
    media.deviceType = DeviceKind::CdAudio;
    media.fileName = "";
    media.Open();
    ASSERT_GE(port.calls.size(), 2u);
    EXPECT_EQ(port.calls[0], C(0, mci::kOpen, 0x2002, [](MciParams& p) {
                  p.callback = kWnd;
                  p.deviceType = "CDAudio";
              }));
    EXPECT_EQ(port.calls[port.calls.size() - 2], C(kDev, mci::kSet, 0x400, [](MciParams& p) { p.timeFormat = 10; }));
    Sent();

    port.timeFormat = mci::kFormatTmsf;
    port.tracks = 5;
    port.trackStarts = {{1, 0x00000001}, {2, 0x00020402}, {3, 0x00010803}, {4, 0x00000C04}, {5, 0x00001005}};
    auto seekTo = [](int32_t to) {
        return C(kDev, mci::kSeek, 0xA, [to](MciParams& p) { p.callback = kWnd; p.to = to; });
    };
    auto trackStart = [](uint32_t track) {
        return C(kDev, mci::kStatus, 0x112, [track](MciParams& p) { p.item = 2; p.track = track; });
    };

    port.position = 0x00050803;  // track 3, minute 8, second 5
    media.Next();
    EXPECT_EQ(Sent(), (std::vector<Call>{Status(mci::kStatusTimeFormat), Status(mci::kStatusPosition),
                                         Status(mci::kStatusNumberOfTracks), trackStart(4),
                                         Status(mci::kStatusMode), seekTo(0x00000C04)}));
    port.position = 0x00021005;  // the last track: its own start
    media.Next();
    EXPECT_EQ(Sent().back(), seekTo(0x00001005));

    port.position = 0x20010803;  // within the first second of track 3: track 2
    media.Prev();
    EXPECT_EQ(Sent(), (std::vector<Call>{Status(mci::kStatusTimeFormat), Status(mci::kStatusPosition),
                                         trackStart(3), trackStart(2), Status(mci::kStatusMode),
                                         seekTo(0x00020402)}));
    port.position = 0x00030803;  // later in track 3: its start
    media.Prev();
    EXPECT_EQ(Sent().back(), seekTo(0x00010803));
    port.position = 0x00000001;  // track 1 stays at track 1
    media.Prev();
    EXPECT_EQ(Sent().back(), seekTo(0x00000001));

    port.mode = 526;  // playing: play from the target instead of seeking
    port.position = 0x00050803;
    media.Next();
    EXPECT_EQ(Sent().back(), C(kDev, mci::kPlay, 0x5, [](MciParams& p) { p.callback = kWnd; p.from = 0x00000C04; }));
}

TEST_F(MediaDeviceTest, CompletionNotices) {
    port.caps[mci::kCapsCanRecord] = 1;
    port.mode = 526;
    OpenFile();
    ASSERT_TRUE(media.AutoEnabledButtons().Has(B::Stop));
    int notified = 0;
    media.onNotify = [&] { ++notified; };

    media.HandleNotify(mci::kNotifyAborted);  // still playing: the buttons stay
    EXPECT_EQ(media.LastNotice(), NoticeCode::Aborted);
    EXPECT_TRUE(media.AutoEnabledButtons().Has(B::Stop));

    port.mode = 525;
    media.HandleNotify(mci::kNotifySuccessful);
    EXPECT_EQ(media.LastNotice(), NoticeCode::Successful);
    EXPECT_EQ(media.AutoEnabledButtons(), ButtonSet({B::Next, B::Prev, B::Play, B::Record}));
    media.HandleNotify(mci::kNotifyFailure);
    media.HandleNotify(3);  // not a notice code: the value stays
    EXPECT_EQ(media.LastNotice(), NoticeCode::Failure);
    EXPECT_EQ(notified, 4);
}

TEST_F(MediaDeviceTest, FailedCloseKeepsTheDeviceAndDestructionClosesIt) {
    RecordingMciPort port2;
    {
        TestDevice m(port2);
        m.fileName = "a.wav";
        m.Open();
        port2.failures[mci::kClose] = 0x107;
        m.Close();
        EXPECT_TRUE(m.Opened());
        EXPECT_EQ(m.Error(), 0x107u);
        port2.calls.clear();
    }
    EXPECT_EQ(port2.calls, (std::vector<Call>{C(kDev, mci::kClose, 0x2)}));
}

TEST_F(MediaDeviceTest, ModeAndTimeFormatKeepEightBits) {
    OpenFile();
    port.mode = 529;
    EXPECT_EQ(media.GetMode(), MediaMode::Paused);
    port.timeFormat = 0x10A;
    EXPECT_EQ(media.GetTimeFormat(), 10);
}

}  // namespace
