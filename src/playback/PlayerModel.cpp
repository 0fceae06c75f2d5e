#include "playback/PlayerModel.h"

#include <string>

#include "app/Exception.h"

namespace orvik {

namespace {
std::string ClockText(int64_t ms) {
    const int64_t seconds = ms < 0 ? 0 : ms / 1000;
    const int64_t hours = seconds / 3600, minutes = seconds / 60 % 60, rest = seconds % 60;
    auto two = [](int64_t n) { return (n < 10 ? "0" : "") + std::to_string(n); };
    return hours ? std::to_string(hours) + ":" + two(minutes) + ":" + two(rest)
                 : std::to_string(minutes) + ":" + two(rest);
}
}  // namespace

std::string PlaybackTimeText(int64_t position, int64_t length) {
    return length > 0 ? ClockText(position) + " of " + ClockText(length) : ClockText(position);
}

template <typename Step>
void PlayerModel::BeepOnFailure(Step step) {
    try {
        step();
    } catch (...) {
        host_.Beep();  // the device stays as the failing step left it
    }
}

// The selected entry becomes the device's file. A selection outside the list
// fails here rather than asking MCI to open an empty name. A seek still
// pending from the slider belongs to the entry before, so it goes.
void PlayerModel::LoadSelectedEntry() {
    pendingSeek_.reset();
    const int index = list_.SelectedIndex();
    if (index < 0 || index >= list_.Count())
        throw Exception("List index out of bounds (" + std::to_string(index) + ")");
    media_.fileName = list_.Entry(index);
}

// The end position is taken as the length: it becomes the slider's range
// (a length of 0 leaves the range as it was), and the entry starts over.
// False when the range is not the entry's length: the end of such an entry
// is never seen.
bool PlayerModel::MeasureAndRewind() {
    SliderModel& slider = host_.PositionSlider();
    media_.Next();
    const int32_t length = media_.GetPosition();
    slider.SetMaxValue(length);
    slider.SetKeySteps(kKeySeekStep, length / 10 > kKeySeekStep ? length / 10 : kKeySeekStep);
    slider.SetValue(0);
    media_.Prev();
    return slider.MaxValue() == length;
}

// Closes what is open and opens and measures the selected entry; throws when
// it does not open. False for an entry whose end would never be seen.
bool PlayerModel::OpenSelectedEntry() {
    media_.Close();
    LoadSelectedEntry();
    media_.Open();
    return MeasureAndRewind();
}

// From here the timer follows the entry, whether a show, the play button or
// the advance started it (also when the show before had failed).
void PlayerModel::StartPlaying() {
    tracking_ = true;
    media_.Play();
}

void PlayerModel::Show() {
    closed_ = false;
    if (list_.SelectedIndex() == -1) return;  // the tracking flag keeps its value
    try {
        LoadSelectedEntry();
        media_.Open();
        const IntRect panel = host_.DisplayPanelBounds();
        media_.SetDisplayRect(IntRect{0, 0, panel.right - panel.left, panel.bottom - panel.top});
        MeasureAndRewind();
        StartPlaying();
    } catch (...) {
        tracking_ = false;  // shown idle, with no message
    }
}

void PlayerModel::Close() {
    closed_ = true;
    if (!media_.fileName.empty()) media_.Close();
}

void PlayerModel::Resize() {
    host_.SetSliderWidth(host_.ClientWidth());
    const IntRect panel = host_.DisplayPanelBounds();
    media_.SetDisplayRect(IntRect{0, 0, panel.right - panel.left, panel.bottom - panel.top});
}

void PlayerModel::Tick() {
    // Without a device (closed window, a next entry that failed to open) the
    // position query yields nothing to act on: playback simply stays stopped.
    if (!tracking_ || !media_.Opened()) return;
    SliderModel& slider = host_.PositionSlider();
    if (pendingSeek_) {
        media_.Seek(*pendingSeek_);
        pendingSeek_.reset();
        media_.Play();
    }
    slider.SetValue(media_.GetPosition());
    // The device's completion notice is not used: the clamped position
    // reaching the slider's maximum is the end, once the device has stopped
    // playing. A device may report the position of the sound it has queued
    // rather than heard (Wine's waveaudio runs more than half a second
    // ahead); taken at its word, the tail of every entry would be cut off
    // and a short entry skipped almost at once.
    if (slider.Value() == slider.MaxValue() && media_.GetMode() != MediaMode::Playing) EntryEnded();
}

void PlayerModel::EntryEnded() {
    if (host_.AdvanceSwitchOn()) {
        AdvanceToAPlayableEntry();
        return;
    }
    host_.PositionSlider().SetValue(0);
    media_.Seek(0);
    media_.Play();
}

// The next entry (after the last, the first) plays. One that does not open,
// or one without length, is passed over, so that the advance goes on past
// it; a whole round without an entry that plays (the ended one included, so
// a list of one entry plays it again) stops playback with one beep, instead
// of trying again at every tick.
void PlayerModel::AdvanceToAPlayableEntry() {
    for (int tried = 0; tried < list_.Count(); ++tried) {
        const int next = list_.SelectedIndex() + 1;
        list_.SetSelectedIndex(next == list_.Count() ? 0 : next);
        bool playable = false;
        try {
            playable = OpenSelectedEntry();
        } catch (const Exception&) {
            // passed over like an entry without length
        }
        if (playable) {
            StartPlaying();
            return;
        }
    }
    tracking_ = false;
    host_.Beep();
}

void PlayerModel::SliderPressed() { media_.Stop(); }

// Playback resumes where it stopped; the next tick carries out the seek.
void PlayerModel::SliderReleased() {
    if (closed_) return;  // closing stopped playback; the release comes too late to seek
    pendingSeek_ = host_.PositionSlider().Value();
    media_.Play();
}

// Before, a key moved only the thumb, and the next tick put it back.
void PlayerModel::SliderKeyed() {
    if (closed_ || !tracking_) return;
    pendingSeek_ = host_.PositionSlider().Value();
}

void PlayerModel::GoToStartClick() {
    BeepOnFailure([this] { media_.Prev(); });
}

void PlayerModel::StepBackClick() {
    BeepOnFailure([this] { media_.Back(); });
}

// Always restarts the selected entry from its beginning. Video keeps the
// device's default placement until the next resize or show.
void PlayerModel::PlayClick() {
    BeepOnFailure([this] {
        OpenSelectedEntry();
        StartPlaying();
    });
}

void PlayerModel::StopClick() {
    BeepOnFailure([this] { media_.Stop(); });
}

void PlayerModel::EjectClick() { port_.SendString(kCloseDoorCommand, host_.WindowHandle()); }

void PlayerModel::StepForwardClick() {
    BeepOnFailure([this] { media_.Step(); });
}

void PlayerModel::GoToEndClick() {
    BeepOnFailure([this] { media_.Next(); });
}

}  // namespace orvik
