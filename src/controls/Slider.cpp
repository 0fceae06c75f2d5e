#include "controls/Slider.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "app/Exception.h"

namespace orvik {

int64_t RoundHalfEven(long double x) {
    long double whole = std::floor(x);
    const long double fraction = x - whole;
    if (fraction > 0.5L || (fraction == 0.5L && std::fmod(whole, 2.0L) != 0)) whole += 1;
    return static_cast<int64_t>(whole);
}

std::vector<RulerPiece> RulerPieces(int imageLength, int edge, int rulerLength) {
    const int middle = imageLength - 2 * edge;
    std::vector<RulerPiece> pieces;
    // Piece 0: the leading edge and one middle.
    pieces.push_back(RulerPiece{0, imageLength - edge, 0});
    if (middle <= 0) return pieces;
    const int available = rulerLength - 2 * edge;
    const int n = available / middle;
    const int rest = available % middle;
    for (int i = 1; i <= n; ++i) {
        if (i < n)
            pieces.push_back(RulerPiece{edge, middle, edge + i * middle});
        else  // the tail of the middle and the trailing edge
            pieces.push_back(RulerPiece{edge + middle - rest, edge + rest, edge + i * middle});
    }
    return pieces;
}

// Value 0 at the start of the range is where the layout puts the thumb:
// nothing is left for the host to hear of.
SliderModel::SliderModel(SliderHost& host) : host_(&host) { Layout(); }

IntRect SliderModel::ContentRect() const {
    IntRect r{0, 0, width_, height_};
    if (bevel_ != SliderBevel::None) r = IntRect{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    return r;
}

int SliderModel::ThumbStateWidth() const {
    return images_[Slot(Horizontal() ? SliderImage::HThumb : SliderImage::VThumb)].width / numThumbStates_;
}

int SliderModel::RulerLength() const {
    if (Horizontal()) return rulerSize_.width - ThumbStateWidth();
    return rulerSize_.height - images_[Slot(SliderImage::VThumb)].height;
}

void SliderModel::Relayout() {
    Layout();
    host_->RulerChanged();
    SetValue(value_);
    host_->InvalidateAll();
}

void SliderModel::Layout() {
    const IntRect r = ContentRect();
    const int stateWidth = ThumbStateWidth();
    if (Horizontal()) {
        const SliderSize ruler = images_[Slot(SliderImage::HRuler)];
        const int thumbHeight = images_[Slot(SliderImage::HThumb)].height;
        rulerSize_ = SliderSize{std::max(r.right - r.left - 2 * kIndent, 0), ruler.height};
        rulerPieces_ = RulerPieces(ruler.width, edge_, rulerSize_.width);
        int bandTop;
        if (thumbHeight > ruler.height) {
            thumb_ = IntRect{r.left + kIndent, r.top + kIndent, r.left + kIndent + stateWidth,
                             r.top + kIndent + thumbHeight};
            rulerOrigin_ = IntPoint{r.left + kIndent, r.top + kIndent + (thumbHeight - ruler.height) / 2};
            bandTop = r.top + kIndent + thumbHeight + 1;
        } else {
            const int top = r.top + kIndent + (ruler.height - thumbHeight) / 2;
            thumb_ = IntRect{r.left + kIndent, top, r.left + kIndent + stateWidth, top + thumbHeight};
            rulerOrigin_ = IntPoint{r.left + kIndent, r.top + kIndent};
            bandTop = r.top + kIndent + ruler.height + 1;
        }
        pointsBand_ = IntRect{rulerOrigin_.x, bandTop, rulerOrigin_.x + rulerSize_.width, r.bottom - r.top - 1};
    } else {
        const SliderSize ruler = images_[Slot(SliderImage::VRuler)];
        const int thumbHeight = images_[Slot(SliderImage::VThumb)].height;
        rulerSize_ = SliderSize{ruler.width, std::max(r.bottom - r.top - 2 * kIndent, 0)};
        rulerPieces_ = RulerPieces(ruler.height, edge_, rulerSize_.height);
        int bandLeft;
        if (stateWidth > ruler.width) {
            thumb_ = IntRect{r.left + kIndent, r.top + kIndent, r.left + kIndent + stateWidth,
                             r.top + kIndent + thumbHeight};
            rulerOrigin_ = IntPoint{r.left + kIndent + (stateWidth - ruler.width) / 2, r.top + kIndent};
            bandLeft = r.left + kIndent + stateWidth + 1;
        } else {
            const int left = r.left + kIndent + (ruler.width - stateWidth) / 2;
            thumb_ = IntRect{left, r.top + kIndent, left + stateWidth, r.top + kIndent + thumbHeight};
            rulerOrigin_ = IntPoint{r.left + kIndent, r.top + kIndent};
            bandLeft = r.left + kIndent + ruler.width + 1;
        }
        pointsBand_ = IntRect{bandLeft, rulerOrigin_.y, r.right - r.left - 1, rulerOrigin_.y + rulerSize_.height};
    }
}

int SliderModel::OffsetOf(int64_t value) const {
    const IntRect r = ContentRect();
    const long double range = static_cast<long double>(max_) - min_;
    const int64_t along = RoundHalfEven((value - min_) / range * RulerLength());
    if (Horizontal()) {
        const int base = r.left + kIndent;
        return static_cast<int>(std::max<int64_t>(along + base, base));
    }
    return static_cast<int>(r.top + r.bottom - (r.top + kIndent + along) - images_[Slot(SliderImage::VThumb)].height);
}

int32_t SliderModel::ValueAt(int offset) const {
    const IntRect r = ContentRect();
    const int length = RulerLength();
    // A ruler no longer than the thumb has room for one value only.
    if (length <= 0) return min_;
    const int base = Horizontal() ? r.left + kIndent : r.top + kIndent;
    const long double range = static_cast<long double>(max_) - min_;
    int64_t value = RoundHalfEven((offset - base) * range / length);
    if (!options_.Has(SliderOption::Smooth))
        value = RoundHalfEven(static_cast<long double>(value) / increment_) * increment_;
    return static_cast<int32_t>(std::min<int64_t>(min_ + std::max<int64_t>(value, 0), max_));
}

void SliderModel::PlaceThumb(int offset) {
    const IntRect r = ContentRect();
    const int length = std::max(RulerLength(), 0);
    const int thumbHeight = thumb_.bottom - thumb_.top;
    // The vertical slider grows upwards: work on the distance from the bottom.
    if (!Horizontal()) offset = height_ - offset - thumbHeight;
    const int lo = (Horizontal() ? r.left : r.top) + kIndent, hi = lo + length;
    offset = std::clamp(offset, lo, hi);
    int32_t value = ValueAt(offset);
    IntRect moved = thumb_;
    if (Horizontal()) {
        offset = std::min(OffsetOf(value), hi);
        value = ValueAt(offset);
        const int width = thumb_.right - thumb_.left;
        moved.left = offset;
        moved.right = offset + width;
    } else {
        offset = OffsetOf(value);
        moved.top = offset;
        moved.bottom = offset + thumbHeight;
    }
    // A thumb that stays where it is needs no painting (the player sets the
    // value every 100 ms, mostly to the one it shows).
    if (!(moved == thumb_)) {
        host_->InvalidateArea(thumb_);
        thumb_ = moved;
        host_->InvalidateArea(thumb_);
    }
    if (dragging_) {
        const int32_t before = value_;
        value_ = value;
        if (value_ != before) Change();
    }
}

void SliderModel::SetValue(int32_t value) {
    value = std::max(std::min(value, max_), min_);
    const int32_t before = value_;
    value_ = value;
    PlaceThumb(OffsetOf(value));
    if (value_ != before) Change();
}

void SliderModel::SetMinValue(int32_t value) {
    if (value != min_) SetRange(value, max_);
}

void SliderModel::SetMaxValue(int32_t value) {
    if (value != max_) SetRange(min_, value);
}

void SliderModel::SetRange(int32_t min, int32_t max) {
    if (min >= max) return;  // an empty range is ignored silently
    min_ = min;
    max_ = max;
    if (static_cast<int64_t>(max) < static_cast<int64_t>(min) + increment_) increment_ = max - min;
    if (options_.Has(SliderOption::ShowPoints)) host_->InvalidateAll();
    SetValue(value_);
}

void SliderModel::SetIncrement(int32_t value) {
    const int64_t range = static_cast<int64_t>(max_) - min_;
    if (value < 1 || value > range)
        throw Exception("Value must be between 1 and " + std::to_string(range));
    if (value != increment_) {
        increment_ = value;
        SetValue(value_);
        host_->InvalidateAll();
    }
}

void SliderModel::SetOptions(SliderOptions options) {
    options_ = options;
    host_->InvalidateAll();
}

void SliderModel::SetOrientation(SliderOrientation orientation) {
    orientation_ = orientation;
    Relayout();
}

void SliderModel::SetBevelStyle(SliderBevel bevel) {
    bevel_ = bevel;
    Relayout();
    host_->InvalidateAll();
    host_->UpdateNow();
}

void SliderModel::SetNumThumbStates(int states) {
    numThumbStates_ = std::clamp(states, 1, 2);
    Relayout();
}

void SliderModel::SetEdgeSize(int edge) {
    const SliderSize ruler = images_[Slot(Horizontal() ? SliderImage::HRuler : SliderImage::VRuler)];
    const int length = Horizontal() ? ruler.width : ruler.height;
    if (edge >= 0 && 2 * edge < length && edge != edge_) {
        edge_ = edge;
        Relayout();
    }
}

void SliderModel::SetClientSize(int width, int height) {
    width_ = width;
    height_ = height;
    Relayout();
}

void SliderModel::EnabledChanged(bool enabled) {
    enabled_ = enabled;
    host_->InvalidateArea(thumb_);
}

void SliderModel::FocusChanged(bool focused) {
    focused_ = focused;
    if (options_.Has(SliderOption::ShowFocus)) host_->InvalidateAll();
}

void SliderModel::ImageChanged(SliderImage slot, SliderSize size, bool user) {
    images_[Slot(slot)] = size;
    if (user) {
        userImages_ |= 1u << Slot(slot);
    } else {
        userImages_ &= ~(1u << Slot(slot));
        const bool thumb = slot == SliderImage::HThumb || slot == SliderImage::VThumb;
        options_ = options_.Without(thumb ? SliderOption::ThumbOpaque : SliderOption::RulerOpaque);
        host_->InvalidateAll();
    }
    Relayout();
}

std::vector<TickMark> SliderModel::TickMarks(int32_t step, int normalLength, int extremeLength) const {
    std::vector<TickMark> marks;
    const TickScale s = TickScaleFor(step);
    if (s.count == 0) return marks;
    const int64_t stride = s.scale * step;
    int64_t v = min_;
    for (int64_t i = 1; i <= s.count; ++i) {
        if (i == s.count) v = max_;
        const int length = (v == min_ || v == max_) ? extremeLength : normalLength;
        if (Horizontal())
            marks.push_back(TickMark{OffsetOf(v) + ThumbStateWidth() / 2, pointsBand_.top, length});
        else
            marks.push_back(
                TickMark{pointsBand_.left, OffsetOf(v) + images_[Slot(SliderImage::VThumb)].height / 2, length});
        v += stride;
    }
    return marks;
}

// The smallest scale whose marks are at least 4 pixels apart (or one ruler
// length apart). The count only falls and the spacing only grows as the
// scale grows, so a binary search finds the same scale as counting up one
// by one, without thousands of steps for long media.
SliderModel::TickScale SliderModel::TickScaleFor(int32_t step) const {
    const int length = RulerLength();
    if (length <= 0 || step <= 0) return TickScale{};  // no room for marks
    const long double range = static_cast<long double>(max_) - min_;
    auto countFor = [&](int64_t scale) { return RoundHalfEven(range / (static_cast<long double>(scale) * step)) + 1; };
    auto wideEnough = [&](int64_t scale) {
        const int64_t count = countFor(scale);
        const int64_t spacing = count > 1 ? length / (count - 1) : length;
        return spacing >= kMinTickSpacing || spacing >= length;
    };
    int64_t lo = 1, hi = static_cast<int64_t>(2 * range / step) + 2;
    while (lo < hi) {
        const int64_t mid = lo + (hi - lo) / 2;
        if (wideEnough(mid))
            hi = mid;
        else
            lo = mid + 1;
    }
    return TickScale{lo, countFor(lo)};
}

void SliderModel::Jump(JumpMode mode) {
    int64_t target;
    const long double steps = static_cast<long double>(value_) / increment_;
    switch (mode) {
        case JumpMode::ToMin: target = min_; break;
        case JumpMode::ToMax: target = max_; break;
        case JumpMode::Forward: target = RoundHalfEven(steps) * increment_ + increment_; break;
        case JumpMode::Back: target = RoundHalfEven(steps) * increment_ - increment_; break;
        default: return;
    }
    if (target >= max_)
        target = max_;
    else if (target <= min_)
        target = min_;
    if (target != value_) SetValue(static_cast<int32_t>(target));
}

void SliderModel::StepBy(int64_t delta) {
    int64_t target = static_cast<int64_t>(value_) + delta;
    if (target > max_) target = max_;
    if (target < min_) target = min_;
    if (target != value_) SetValue(static_cast<int32_t>(target));
}

JumpMode SliderModel::DirectionOf(int x, int y) const {
    if (Horizontal()) {
        if (x < thumb_.left) return JumpMode::Back;
        if (x > thumb_.right) return JumpMode::Forward;
    } else {
        if (y < thumb_.top) return JumpMode::Forward;
        if (y > thumb_.bottom) return JumpMode::Back;
    }
    return JumpMode::None;
}

bool SliderModel::InThumb(int x, int y) const {
    return x >= thumb_.left && x <= thumb_.right && y >= thumb_.top && y <= thumb_.bottom;
}

bool SliderModel::InTrackArea(int x, int y) const {
    IntRect area{rulerOrigin_.x, rulerOrigin_.y, rulerOrigin_.x + rulerSize_.width,
                 rulerOrigin_.y + rulerSize_.height};
    if (Horizontal()) {
        area.top -= kTrackMargin;
        area.bottom += kTrackMargin;
    } else {
        area.left -= kTrackMargin;
        area.right += kTrackMargin;
    }
    return x >= area.left && x < area.right && y >= area.top && y < area.bottom;
}

void SliderModel::RepeatStep() {
    const JumpMode direction = DirectionOf(trackPoint_.x, trackPoint_.y);
    if (direction == trackDirection_) Jump(direction);
    if (!timerRunning_) {
        host_->StartTimer(kRepeatTimer, kRepeatInterval);
        timerRunning_ = true;
    }
}

void SliderModel::PressThumb(const MouseEvent& e) {
    if (e.button != MouseButton::Left) return;
    dragging_ = true;
    grab_ = Horizontal() ? e.x - thumb_.left : e.y - thumb_.top;
    thumbDown_ = true;
    host_->InvalidateArea(thumb_);
    host_->UpdateNow();
}

void SliderModel::DragThumb(int x, int y) {
    PlaceThumb((Horizontal() ? x : y) - grab_);
}

void SliderModel::ReleaseThumb() {
    dragging_ = false;
    thumbDown_ = false;
    host_->InvalidateArea(thumb_);
    host_->UpdateNow();
    Changed();
}

void SliderModel::MouseDown(const MouseEvent& e) {
    if (onMouseDown) onMouseDown(e);
    if (e.button != MouseButton::Left || e.DoubleClick()) return;
    const int x = e.x, y = e.y;
    if (host_->CanFocus()) host_->TakeFocus();
    if (InThumb(x, y)) {
        PressThumb(e);
    } else if (InTrackArea(x, y)) {
        host_->CaptureMouse();
        tracking_ = true;
        trackPoint_ = IntPoint{x, y};
        trackDirection_ = DirectionOf(x, y);
        RepeatStep();
    }
}

void SliderModel::MouseMove(const MouseEvent& e) {
    if ((e.modifiers & modifier::kLeft) && dragging_) DragThumb(e.x, e.y);
    if (tracking_) trackPoint_ = IntPoint{e.x, e.y};
    if (onMouseMove) onMouseMove(e);
}

void SliderModel::MouseUp(const MouseEvent& e) {
    if (tracking_) {
        if (timerRunning_) {
            host_->StopTimer(kRepeatTimer);
            timerRunning_ = false;
        }
        tracking_ = false;
        host_->ReleaseMouse();
        Changed();
    }
    if (dragging_ && e.button == MouseButton::Left) ReleaseThumb();
    if (onMouseUp) onMouseUp(e);
}

void SliderModel::CancelMode() {
    if (tracking_ || dragging_) MouseUp(MouseEvent{MouseButton::Left, 0, trackPoint_.x, trackPoint_.y});
}

void SliderModel::TimerTick(unsigned id) {
    if (id == kRepeatTimer && tracking_) RepeatStep();
}

void SliderModel::KeyDown(uint16_t& keyCode, unsigned shiftState) {
    if (!(shiftState & modifier::kKeys)) {
        JumpMode mode = JumpMode::None;
        switch (keyCode) {
            case vk::kHome: mode = JumpMode::ToMin; break;
            case vk::kEnd: mode = JumpMode::ToMax; break;
            case vk::kLeft: if (Horizontal()) mode = JumpMode::Back; break;
            case vk::kRight: if (Horizontal()) mode = JumpMode::Forward; break;
            case vk::kUp: if (!Horizontal()) mode = JumpMode::Forward; break;
            case vk::kDown: if (!Horizontal()) mode = JumpMode::Back; break;
            default: break;
        }
        if (keyCode == vk::kPageDown || keyCode == vk::kPageUp) {
            if (pageStep_ > 0) {
                StepBy(keyCode == vk::kPageDown ? pageStep_ : -static_cast<int64_t>(pageStep_));
                keyCode = 0;
                Changed();
            }
        } else if (mode != JumpMode::None) {
            keyCode = 0;
            if (keyStep_ > 0 && (mode == JumpMode::Forward || mode == JumpMode::Back))
                StepBy(mode == JumpMode::Forward ? keyStep_ : -static_cast<int64_t>(keyStep_));
            else
                Jump(mode);
            Changed();
        }
    }
    if (onKeyDown) onKeyDown(keyCode, shiftState);
}

}  // namespace orvik
