// The player window on the real MCI under Wine (PulseAudio's null sink as the
// audio clock), with WAV and AVI files made here: the thumb following
// playback, the end of each entry found at the entry's own length, entries
// that cannot play passed over by the advance, video kept
// in the display panel, and the error box for a slider pressed with no
// device open (and none for a release after the window closed). The
// end-to-end tests drive the rest as a person would.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "app/win32/Application.h"
#include "playback/win32/PlayerForm.h"
#include "TestSupport.h"

using namespace orvik;
using namespace orvik::test;

namespace {

// A list that reports what the player saw when it moved the selection.
struct Advance {
    int index;
    int32_t value, max, position;
    MediaMode mode;
};
class WatchedList : public MemoryMediaList {
public:
    std::function<void(int)> onSelect;
    void SetSelectedIndex(int index) override {
        MemoryMediaList::SetSelectedIndex(index);
        if (onSelect) onSelect(index);
    }
};

// An uncompressed video: 24-bit frames of 32 x 24, 10 per second.
std::string Avi(int frames) {
    const uint32_t w = 32, h = 24, frameBytes = w * 3 * h;
    auto chunk = [](const char* id, const std::string& body) {
        std::string s = id;
        Put32(s, static_cast<uint32_t>(body.size()));
        return s + body + (body.size() % 2 ? std::string(1, '\0') : std::string());
    };
    auto list = [&](const char* type, const std::string& body) { return chunk("LIST", type + body); };
    std::string avih;
    for (uint32_t v : {100000u, frameBytes * 10, 0u, 0x10u, uint32_t(frames), 0u, 1u, frameBytes, w, h, 0u, 0u, 0u, 0u})
        Put32(avih, v);
    std::string strh = "vidsDIB ";
    for (uint32_t v : {0u, 0u, 0u, 1u, 10u, 0u, uint32_t(frames), frameBytes, 0xFFFFFFFFu, 0u}) Put32(strh, v);
    Put16(strh, 0), Put16(strh, 0), Put16(strh, w), Put16(strh, h);
    std::string strf;
    for (uint32_t v : {40u, w, h}) Put32(strf, v);
    Put16(strf, 1), Put16(strf, 24);
    for (uint32_t v : {0u, frameBytes, 0u, 0u, 0u, 0u}) Put32(strf, v);
    std::string movi = "movi", idx;
    for (int f = 0; f < frames; ++f) {
        std::string pixels(frameBytes, static_cast<char>(40 + 20 * f));
        Put32(idx, 0x62643030), Put32(idx, 0x10), Put32(idx, static_cast<uint32_t>(movi.size()));
        Put32(idx, frameBytes);
        movi += chunk("00db", pixels);
    }
    const std::string body = "AVI " + list("hdrl", chunk("avih", avih) + list("strl", chunk("strh", strh) +
                                                                                  chunk("strf", strf))) +
                             chunk("LIST", movi) + chunk("idx1", idx);
    return chunk("RIFF", body);
}

class PlayerWindowTest : public ::testing::Test {
protected:
    void TearDown() override {
        player_.reset();
        for (const auto& f : files_) DeleteFileA(f.c_str());
    }
    std::string File(const std::string& name, const std::string& bytes) {
        files_.push_back(TempPath(name.c_str()));
        EXPECT_TRUE(WriteBytes(files_.back(), bytes));
        return files_.back();
    }
    // The text of the error box that the action brings up ("" for none),
    // read and closed from another thread while the box holds this one.
    std::string ErrorBoxDuring(const std::function<void()>& action) {
        std::atomic<bool> done{false};
        std::string text;
        std::thread reader([&] {
            while (!done && text.empty()) {
                HWND box = FindWindowA("#32770", nullptr);
                if (box && IsWindowVisible(box)) {
                    char c[256] = {}, t[256] = {};
                    GetWindowTextA(box, c, sizeof c);
                    GetDlgItemTextA(box, 0xFFFF, t, sizeof t);
                    errorCaption_ = c;
                    text = t;
                    PostMessageA(box, WM_COMMAND, IDOK, 0);
                }
                Sleep(10);
            }
        });
        action();
        done = true;
        reader.join();
        return text;
    }
    PlayerForm& Player() {
        if (!player_) player_ = std::make_unique<PlayerForm>(list_);
        return *player_;
    }
    void Play(const std::vector<std::string>& entries, int selected) {
        list_.ReplaceAll(entries);
        list_.SetSelectedIndex(selected);
        Player().Show();
    }

    WatchedList list_;
    std::unique_ptr<PlayerForm> player_;
    std::vector<std::string> files_;
    std::string errorCaption_;
};

TEST_F(PlayerWindowTest, ThumbFollowsAndEachEntryEndsAtItsOwnLengthThenTheListAdvancesAndWraps) {
    const std::vector<int> lengths{700, 1300, 500};
    std::vector<std::string> entries;
    for (size_t i = 0; i < lengths.size(); ++i) entries.push_back(File("entry" + std::to_string(i) + ".wav",
                                                                       Wav(lengths[i])));
    std::vector<Advance> advances;
    std::set<int> thumbLefts;
    SliderModel& slider = Player().PositionSliderControl().Model();
    slider.onChange = [&] { thumbLefts.insert(slider.ThumbRect().left); };
    Play(entries, 0);
    list_.onSelect = [&](int index) {
        MediaDeviceWindow& media = Player().Media();
        advances.push_back(Advance{index, slider.Value(), slider.MaxValue(), media.GetPosition(), media.GetMode()});
    };
    ASSERT_TRUE(Player().Model().Tracking());
    EXPECT_EQ(slider.MaxValue(), 700);
    ASSERT_TRUE(PumpUntil([&] { return advances.size() >= 3; }, 20000)) << advances.size() << " advances";

    for (size_t i = 0; i < 3; ++i) {
        // The device had really reached the end of the entry that was playing.
        const int ended = static_cast<int>(i);
        EXPECT_EQ(advances[i].index, (ended + 1) % 3);
        EXPECT_EQ(advances[i].max, lengths[ended]) << "entry " << ended;
        EXPECT_EQ(advances[i].value, lengths[ended]) << "entry " << ended;
        EXPECT_EQ(advances[i].position, lengths[ended]) << "entry " << ended;
        // and had played it out: the mode follows the sound heard, while the
        // position may run ahead of it.
        EXPECT_NE(advances[i].mode, MediaMode::Playing) << "entry " << ended;
    }
    // The thumb stood at several places between its two ends on the way.
    const int first = SliderModel::kIndent, last = first + slider.RulerLength();
    const auto between = std::count_if(thumbLefts.begin(), thumbLefts.end(),
                                       [&](int x) { return x > first && x < last; });
    EXPECT_GE(between, 3);
}

TEST_F(PlayerWindowTest, TheAdvancePassesOverEntriesThatCannotPlayAndStopsAfterARoundWithNone) {
    const std::string good = File("good.wav", Wav(700)), frameless = File("frameless.wav", Wav(0)),
                      text = File("notes.txt", "not media");
    Play({good, frameless, text}, 0);
    std::vector<int> selected;
    list_.onSelect = [&](int index) { selected.push_back(index); };
    // The frameless WAV and the text are passed over; the good entry plays again.
    ASSERT_TRUE(PumpUntil([&] { return selected.size() >= 3; })) << selected.size() << " selections";
    EXPECT_EQ(selected, (std::vector<int>{1, 2, 0}));
    EXPECT_EQ(Player().Media().fileName, good);
    EXPECT_EQ(Player().PositionSliderControl().MaxValue(), 700);
    EXPECT_TRUE(Player().Model().Tracking());

    // While it plays, the list comes to hold nothing that plays: at its end
    // one round is tried, and playback stops there.
    list_.ReplaceAll({frameless, text, text});
    list_.SetSelectedIndex(0);
    selected.clear();
    ASSERT_TRUE(PumpUntil([&] { return !Player().Model().Tracking(); })) << selected.size() << " selections";
    PumpUntil([] { return false; }, 3 * PlayerModel::kTickInterval);
    EXPECT_EQ(selected, (std::vector<int>{1, 2, 0}));
}

TEST_F(PlayerWindowTest, VideoIsBoundToTheDisplayPanelAndFollowsItsSize) {
    Play({File("video.avi", Avi(20))}, 0);
    MediaDeviceWindow& media = Player().Media();
    if (!media.Opened() || !media.HasVideo())
        GTEST_SKIP() << "Wine's device layer does not open the generated AVI (opened " << media.Opened() << ")";
    Panel& panel = Player().DisplayPanel();
    auto inside = [&] {
        RECT r;
        GetClientRect(panel.Handle(), &r);
        return IntRect{0, 0, r.right, r.bottom};
    };
    EXPECT_EQ(media.DisplayWindow(), panel.Handle());
    EXPECT_EQ(media.GetDisplayRect(), inside());
    EXPECT_TRUE(PumpUntil([&] { return media.GetPosition() > 0; })) << "the video does not play";
    SetWindowPos(Player().Handle(), nullptr, 0, 0, 520, 420, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client;
    GetClientRect(Player().Handle(), &client);
    EXPECT_EQ(media.GetDisplayRect(), inside());
    EXPECT_EQ(inside().bottom, client.bottom - PlayerForm::kControlPanelHeight - 4);
    EXPECT_EQ(Player().PositionSliderControl().Model().Width(), client.right);
    // The panel going away takes the video back to the device's own window.
    DestroyWindow(panel.Handle());
    EXPECT_EQ(media.Display(), 0u);
}

TEST_F(PlayerWindowTest, TheSliderWithNoDeviceOpenReachesTheErrorBoxButAReleaseAfterClosingDoesNothing) {
    Play({File("notes.txt", "not media")}, 0);
    EXPECT_FALSE(Player().Model().Tracking());
    EXPECT_FALSE(Player().Media().Opened());
    HWND slider = Player().PositionSliderControl().Handle();
    const IntRect thumb = Player().PositionSliderControl().Model().ThumbRect();
    const LPARAM onThumb = MAKELPARAM(thumb.left + 10, thumb.top + 10);
    auto press = [&] { SendMessageA(slider, WM_LBUTTONDOWN, MK_LBUTTON, onThumb); };
    auto release = [&] { SendMessageA(slider, WM_LBUTTONUP, 0, onThumb); };
    EXPECT_EQ(ErrorBoxDuring(press), "No MCI device open.");
    EXPECT_EQ(errorCaption_, Application::Instance().Title());
    EXPECT_EQ(ErrorBoxDuring(release), "No MCI device open.");

    // Pressed while playing, the window closed, then released.
    SendMessageA(Player().Handle(), WM_CLOSE, 0, 0);
    Play({File("tone.wav", Wav(2000))}, 0);
    ASSERT_TRUE(Player().Media().Opened());
    EXPECT_EQ(ErrorBoxDuring(press), "");
    SendMessageA(Player().Handle(), WM_CLOSE, 0, 0);
    ASSERT_FALSE(IsWindowVisible(Player().Handle()));
    EXPECT_EQ(ErrorBoxDuring(release), "");
    EXPECT_FALSE(Player().Model().PendingSeek());
}

}  // namespace
