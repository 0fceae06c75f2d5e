// The player's logic against the recording MCI port: the exact commands of
// showing, the end of an entry (and so the play button), the slider's seek,
// and what happens without a device.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RecordingMciPort.h"
#include "RecordingSliderHost.h"
#include "playback/PlayerModel.h"

using namespace orvik;
using namespace orvik::mcitest;

namespace {

struct RecordingHost : PlayerHost {
    RecordingSliderHost sliderHost;
    SliderModel slider{sliderHost};
    int beeps = 0;
    bool advance = true;  // the switch
    SliderModel& PositionSlider() override { return slider; }
    void SetSliderWidth(int) override {}
    int ClientWidth() const override { return 375; }
    IntRect DisplayPanelBounds() const override { return IntRect{0, 0, 375, 186}; }
    bool AdvanceSwitchOn() const override { return advance; }
    void Beep() override { ++beeps; }
    uintptr_t WindowHandle() const override { return 0x99; }
};

using Calls = std::vector<Call>;
Calls operator+(Calls a, const Calls& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}
Calls Opened(const std::string& file, const Calls& tail = {Status(mci::kStatusMode)}) {
    return Calls{C(0, mci::kOpen, 0x202, [&](MciParams& p) { Cb(p); p.elementName = file; })} + OpenAnswers(tail);
}
// To the end, the end position as the length, back to the start; then play.
const Calls kMeasure{Status(mci::kStatusTimeFormat), C(kDev, mci::kSeek, 0x202, Cb), Status(mci::kStatusPosition),
                     Status(mci::kStatusTimeFormat), C(kDev, mci::kSeek, 0x102, Cb)};
const Calls kPlay{Status(mci::kStatusPosition), Status(mci::kStatusLength), C(kDev, mci::kPlay, 0x1, Cb)};
const Calls kClose{C(kDev, mci::kClose, 0x2, Cb)};
// An open that the device layer refuses (error 275): nothing else is sent.
Calls Refused(const std::string& file) {
    return Calls{C(0, mci::kOpen, 0x202, [&](MciParams& p) { Cb(p); p.elementName = file; })};
}

class PlayerTest : public ::testing::Test {
protected:
    RecordingMciPort port;
    TestDevice media{port};
    MemoryMediaList list;
    RecordingHost host;
    PlayerModel player{host, list, media, port};

    PlayerTest() {
        port.lengths = {{"a.wav", 3000}, {"b.wav", 7000}, {"empty.wav", 0}, {"bad.txt", -1}};
        host.slider.SetIncrement(1);
    }
    void Show(std::vector<std::string> entries, int selected) {
        list.ReplaceAll(entries);
        list.SetSelectedIndex(selected);
        player.Show();
    }
};

TEST_F(PlayerTest, ShowOpensMeasuresAndPlaysTheSelectedEntry) {
    Show({"a.wav", "b.wav"}, 1);
    EXPECT_EQ(port.Sent(), Opened("b.wav") + kMeasure + kPlay);
    EXPECT_EQ(host.slider.MaxValue(), 7000);
    EXPECT_TRUE(player.Tracking());

    // Video is placed across the whole panel before it is measured.
    port.caps[mci::kCapsHasVideo] = 1;
    player.Show();
    const Call put = C(kDev, mci::kPut, 0x50000, [](MciParams& p) { p.rect = IntRect{0, 0, 375, 186}; });
    EXPECT_EQ(port.Sent(), kClose + Opened("b.wav", {C(kDev, mci::kWhere, 0x40000), Status(mci::kStatusMode)}) +
                               Calls{put} + kMeasure + kPlay);
}

TEST_F(PlayerTest, EndOfAnEntryAdvancesWrapsOrRepeats) {
    const Calls repeat = Calls{SeekTo(0)} + kPlay;
    // The advance is the play button's steps: close, open, measure, play.
    // An entry that does not open, or one without length (the slider keeps
    // its old range, so its end would never come), is passed over; a round
    // with no entry that plays ends with one beep, and playback stops there.
    struct Row {
        const char* name;
        std::vector<std::string> entries;
        int selected, nextSelected;
        bool advance, byEndButton;
        Calls sent;
        int32_t nextMax;
        std::vector<std::string> goneWhilePlaying = {};
        int beeps = 0;
    } rows[] = {
        {"advance", {"a.wav", "b.wav"}, 0, 1, true, false, kClose + Opened("b.wav") + kMeasure + kPlay, 7000},
        {"wrap", {"a.wav", "b.wav"}, 1, 0, true, false, kClose + Opened("a.wav") + kMeasure + kPlay, 3000},
        {"one entry", {"a.wav"}, 0, 0, true, false, kClose + Opened("a.wav") + kMeasure + kPlay, 3000},
        {"switch off", {"a.wav", "b.wav"}, 1, 1, false, false, repeat, 7000},
        {"end button", {"a.wav", "b.wav"}, 0, 1, true, true, kClose + Opened("b.wav") + kMeasure + kPlay, 7000},
        {"end button, off", {"a.wav", "b.wav"}, 0, 0, false, true, repeat, 3000},
        {"passes over what cannot play", {"a.wav", "empty.wav", "bad.txt", "b.wav"}, 0, 3, true, false,
         kClose + Opened("empty.wav") + kMeasure + kClose + Refused("bad.txt") + Opened("b.wav") + kMeasure + kPlay,
         7000},
        {"nothing plays", {"a.wav", "bad.txt", "empty.wav"}, 0, 0, true, false,
         kClose + Refused("bad.txt") + Opened("empty.wav") + kMeasure + kClose + Refused("a.wav"), 3000, {"a.wav"}, 1},
    };
    const auto lengths = port.lengths;
    for (const Row& r : rows) {
        host.advance = r.advance;
        host.beeps = 0;
        port.lengths = lengths;
        Show(r.entries, r.selected);
        for (const std::string& gone : r.goneWhilePlaying) port.lengths[gone] = -1;
        port.Sent();
        port.position = 1500;
        player.Tick();  // playing on: nothing but the position
        EXPECT_EQ(port.Sent(), Calls{Status(mci::kStatusPosition)}) << r.name;
        if (r.byEndButton) {
            player.GoToEndClick();
        } else {
            // A device may report the end position while the sound still
            // plays: that is not the end yet.
            port.position = port.length;
            port.mode = 526;  // playing
            port.Sent();
            player.Tick();
            EXPECT_EQ(port.Sent(), (Calls{Status(mci::kStatusPosition), Status(mci::kStatusMode)})) << r.name;
            EXPECT_EQ(list.SelectedIndex(), r.selected) << r.name;
            port.mode = 525;  // stopped
        }
        port.Sent();
        player.Tick();
        EXPECT_EQ(port.Sent(), (Calls{Status(mci::kStatusPosition), Status(mci::kStatusMode)} + r.sent)) << r.name;
        EXPECT_EQ(list.SelectedIndex(), r.nextSelected) << r.name;
        EXPECT_EQ(host.slider.MaxValue(), r.nextMax) << r.name;
        EXPECT_EQ(host.slider.Value(), 0) << r.name;
        EXPECT_EQ(host.beeps, r.beeps) << r.name;
        // Stopped for good, without a further try or beep, or playing on.
        EXPECT_EQ(player.Tracking(), r.beeps == 0) << r.name;
        player.Tick();
        EXPECT_EQ(port.Sent(), r.beeps ? Calls{} : Calls{Status(mci::kStatusPosition)}) << r.name;
        EXPECT_EQ(host.beeps, r.beeps) << r.name;
    }
}

// Press stops, release records the slider's value and plays on, the next
// tick seeks there and plays.
TEST_F(PlayerTest, SliderSeeksOnTheTickAfterRelease) {
    struct Row {
        const char* name;
        int32_t dragTo, target;
        bool tickWhileHeld;
        Calls rewind;
    } rows[] = {
        {"drag and release", 2000, 2000, false, {}},
        {"held longer than a tick", 2000, 1000, true, {}},  // the tick put the thumb back
        {"released at the maximum", 3000, 3000, false, {C(kDev, mci::kSeek, 0x102)}},  // starts over
    };
    for (const Row& r : rows) {
        Show({"a.wav", "b.wav"}, 0);
        port.position = 1000;
        player.SliderPressed();
        host.slider.SetValue(r.dragTo);
        if (r.tickWhileHeld) player.Tick();
        player.SliderReleased();
        EXPECT_EQ(player.PendingSeek(), r.target) << r.name;
        port.Sent();
        player.Tick();
        const Calls seekAndPlay = Calls{SeekTo(r.target), Status(mci::kStatusPosition), Status(mci::kStatusLength)} +
                                  r.rewind + Calls{C(kDev, mci::kPlay, 0x1, Cb), Status(mci::kStatusPosition)};
        EXPECT_EQ(port.Sent(), seekAndPlay) << r.name;
        EXPECT_FALSE(player.PendingSeek()) << r.name;
        EXPECT_EQ(list.SelectedIndex(), 0) << r.name;
    }
}

// A key that moves the slider seeks as a release does, without a press:
// before, the next tick put the thumb back and nothing was sought.
TEST_F(PlayerTest, SliderKeysSeekOnTheNextTick) {
    Show({"a.wav", "b.wav"}, 0);
    EXPECT_EQ(host.slider.KeyStep(), PlayerModel::kKeySeekStep);
    EXPECT_EQ(host.slider.PageStep(), PlayerModel::kKeySeekStep);  // a tenth of 3 s is less than a second
    port.position = 1000;
    player.Tick();
    uint16_t key = vk::kRight;
    host.slider.KeyDown(key, 0);
    player.SliderKeyed();
    EXPECT_EQ(player.PendingSeek(), 2000);
    port.Sent();
    player.Tick();
    EXPECT_EQ(port.Sent(), (Calls{SeekTo(2000), Status(mci::kStatusPosition), Status(mci::kStatusLength),
                                  C(kDev, mci::kPlay, 0x1, Cb), Status(mci::kStatusPosition)}));
    port.lengths["long.wav"] = 60000;
    Show({"long.wav"}, 0);
    EXPECT_EQ(host.slider.PageStep(), 6000);
    player.Close();  // closed: a key seeks nothing any more
    player.SliderKeyed();
    EXPECT_FALSE(player.PendingSeek());
}

TEST_F(PlayerTest, ZeroLengthKeepsTheRangeAndNeverEnds) {
    Show({"a.wav", "empty.wav"}, 0);
    list.SetSelectedIndex(1);
    player.PlayClick();
    player.Tick();
    EXPECT_EQ(host.slider.MaxValue(), 3000);
    EXPECT_EQ(list.SelectedIndex(), 1);
}

TEST_F(PlayerTest, WithoutADevice) {
    player.Close();  // no file name yet: nothing to close
    player.Tick();
    EXPECT_TRUE(port.calls.empty());

    // An unopenable file shows the window idle, silently; ticks then do nothing.
    Show({"a.wav", "bad.txt"}, 1);
    EXPECT_EQ(port.Sent(), Refused("bad.txt"));
    EXPECT_FALSE(player.Tracking());
    EXPECT_EQ(host.slider.MaxValue(), 100);
    EXPECT_EQ(host.beeps, 0);

    // Every button beeps on a closed device except the eject button, which
    // sends its string regardless.
    for (auto click : {&PlayerModel::GoToStartClick, &PlayerModel::StepBackClick, &PlayerModel::PlayClick,
                       &PlayerModel::StopClick, &PlayerModel::StepForwardClick, &PlayerModel::GoToEndClick,
                       &PlayerModel::EjectClick})
        (player.*click)();
    EXPECT_EQ(host.beeps, 6);
    EXPECT_EQ(port.strings, (std::vector<std::pair<std::string, uintptr_t>>{{"Set cdaudio door closed wait", 0x99}}));

    // Slider press and release are unguarded.
    EXPECT_THROW(player.SliderPressed(), MciError);
    EXPECT_THROW(player.SliderReleased(), MciError);
    EXPECT_EQ(player.PendingSeek(), 0);

    // The play button follows what it started, and a seek released before
    // the entry opened is not carried over to it.
    list.SetSelectedIndex(0);
    player.PlayClick();
    EXPECT_TRUE(player.Tracking());
    EXPECT_FALSE(player.PendingSeek());

    // Closed while tracking: ticks send nothing, a second close neither.
    player.Close();
    port.Sent();
    player.Tick();
    player.Close();
    EXPECT_TRUE(port.Sent().empty());
    EXPECT_TRUE(player.Tracking());

    // Pressed, closed, released: the release comes to a closed window and
    // does nothing (no play, no seek, no error).
    player.PlayClick();
    player.SliderPressed();
    player.Close();
    port.Sent();
    EXPECT_NO_THROW(player.SliderReleased());
    EXPECT_TRUE(port.Sent().empty());
    EXPECT_FALSE(player.PendingSeek());
}

}  // namespace

TEST(PlaybackTimeText, SaysPositionAndLengthAsAClock) {
    const struct {
        int64_t position, length;
        const char* text;
    } cases[] = {
        {0, 0, "0:00"},
        {65999, 0, "1:05"},
        {5000, 200000, "0:05 of 3:20"},
        {3723000, 36000000, "1:02:03 of 10:00:00"},
        {-40, 999, "0:00 of 0:00"},  // a position before the start; a length under a second
    };
    for (const auto& c : cases) EXPECT_EQ(PlaybackTimeText(c.position, c.length), c.text) << c.position;
}
