// The position slider's model: value and range, the layout of ruler, thumb
// and tick band, the value/pixel arithmetic, and the mouse, key and timer
// state machine. The window (controls/win32/Slider.h) supplies the platform
// through the SliderHost interface: invalidation, capture, the repeat timer
// and focus. Coordinates are client pixels of the slider's window.
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "app/Geometry.h"
#include "app/Input.h"

namespace orvik {

enum class SliderOption : uint8_t {
    ShowFocus = 1,
    ShowPoints = 2,
    Smooth = 4,
    RulerOpaque = 8,
    ThumbOpaque = 16,
};

// A set of slider options.
class SliderOptions {
public:
    constexpr SliderOptions() = default;
    constexpr SliderOptions(SliderOption option) : bits_(static_cast<uint8_t>(option)) {}
    constexpr bool Has(SliderOption option) const { return (bits_ & static_cast<uint8_t>(option)) != 0; }
    constexpr SliderOptions operator|(SliderOptions other) const { return FromBits(bits_ | other.bits_); }
    constexpr SliderOptions Without(SliderOption option) const {
        return FromBits(bits_ & ~static_cast<uint8_t>(option));
    }
    constexpr bool operator==(SliderOptions other) const { return bits_ == other.bits_; }
    constexpr bool operator!=(SliderOptions other) const { return bits_ != other.bits_; }

private:
    static constexpr SliderOptions FromBits(unsigned bits) {
        SliderOptions set;
        set.bits_ = static_cast<uint8_t>(bits);
        return set;
    }
    uint8_t bits_ = 0;
};
constexpr SliderOptions operator|(SliderOption a, SliderOption b) { return SliderOptions(a) | b; }

enum class SliderOrientation { Horizontal, Vertical };
enum class SliderBevel { None, Lowered, Raised };
// Image slots; bit i of UserImages marks slot i as a user image.
enum class SliderImage { HThumb = 0, HRuler = 1, VThumb = 2, VRuler = 3 };
constexpr int Slot(SliderImage image) { return static_cast<int>(image); }
enum class JumpMode { None, ToMin, ToMax, Forward, Back };

struct SliderSize {
    int width = 0, height = 0;
};

// One copy from the ruler image into the stretched ruler, along the travel
// direction: source column (or row) src, length, destination dst.
struct RulerPiece {
    int src = 0, length = 0, dst = 0;
    bool operator==(const RulerPiece& o) const { return src == o.src && length == o.length && dst == o.dst; }
};

// A tick mark: a line from (x, y) of the given length, downwards for the
// horizontal slider, rightwards for the vertical one.
struct TickMark {
    int x = 0, y = 0, length = 0;
    bool operator==(const TickMark& o) const { return x == o.x && y == o.y && length == o.length; }
};

// Round to nearest, halves to the even neighbour.
int64_t RoundHalfEven(long double x);

// Stretches a ruler image of the given length to rulerLength, repeating the
// middle part and never the edge columns.
std::vector<RulerPiece> RulerPieces(int imageLength, int edge, int rulerLength);

// What the slider needs of its window.
class SliderHost {
public:
    virtual void InvalidateArea(const IntRect& area) = 0;
    virtual void InvalidateAll() = 0;
    virtual void UpdateNow() = 0;
    virtual void CaptureMouse() = 0;
    virtual void ReleaseMouse() = 0;
    virtual void StartTimer(unsigned id, unsigned milliseconds) = 0;
    virtual void StopTimer(unsigned id) = 0;
    virtual bool CanFocus() const = 0;
    virtual void TakeFocus() = 0;
    virtual void RulerChanged() = 0;  // the stretched ruler must be rebuilt
    virtual void ValueChanged() {}    // for screen readers

protected:
    ~SliderHost() = default;
};

class SliderModel {
public:
    static constexpr int kIndent = 6;
    static constexpr int kTrackMargin = 3;
    static constexpr unsigned kRepeatTimer = 1;
    static constexpr unsigned kRepeatInterval = 400;
    static constexpr int kMinTickSpacing = 4;

    // The model calls nothing on its host while the two are being made.
    explicit SliderModel(SliderHost& host);
    SliderModel(const SliderModel&) = delete;
    SliderModel& operator=(const SliderModel&) = delete;

    int32_t Value() const { return value_; }
    void SetValue(int32_t value);
    int32_t MinValue() const { return min_; }
    void SetMinValue(int32_t value);
    int32_t MaxValue() const { return max_; }
    void SetMaxValue(int32_t value);
    int32_t Increment() const { return increment_; }
    void SetIncrement(int32_t value);
    // The keys' steps: the arrows move by `line` (0: by Increment, on its
    // grid), Page Down and Page Up by `page` (0: they do nothing).
    void SetKeySteps(int32_t line, int32_t page) {
        keyStep_ = line > 0 ? line : 0;
        pageStep_ = page > 0 ? page : 0;
    }
    int32_t KeyStep() const { return keyStep_; }
    int32_t PageStep() const { return pageStep_; }
    SliderOptions Options() const { return options_; }
    void SetOptions(SliderOptions options);
    SliderOrientation Orientation() const { return orientation_; }
    void SetOrientation(SliderOrientation orientation);
    SliderBevel BevelStyle() const { return bevel_; }
    void SetBevelStyle(SliderBevel bevel);
    int NumThumbStates() const { return numThumbStates_; }
    void SetNumThumbStates(int states);
    int EdgeSize() const { return edge_; }
    void SetEdgeSize(int edge);
    uint8_t UserImages() const { return userImages_; }
    bool Enabled() const { return enabled_; }
    bool Focused() const { return focused_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    SliderSize ImageSize(SliderImage slot) const { return images_[Slot(slot)]; }

    // Layout.
    IntRect ContentRect() const;
    const IntRect& ThumbRect() const { return thumb_; }
    IntPoint RulerOrigin() const { return rulerOrigin_; }
    SliderSize RulerSize() const { return rulerSize_; }
    const std::vector<RulerPiece>& RulerLayout() const { return rulerPieces_; }
    const IntRect& PointsBand() const { return pointsBand_; }
    int ThumbStateWidth() const;
    int RulerLength() const;
    // Thumb position (left, or top when vertical) for a value, and the value
    // a thumb position stands for.
    int OffsetOf(int64_t value) const;
    int32_t ValueAt(int offset) const;
    // Tick marks drawn with the given step: the scale that keeps them at least
    // 4 pixels apart, and the marks themselves.
    struct TickScale {
        int64_t scale = 0, count = 0;
    };
    TickScale TickScaleFor(int32_t step) const;
    std::vector<TickMark> TickMarks(int32_t step, int normalLength, int extremeLength) const;

    // Interaction state.
    bool ThumbDown() const { return thumbDown_; }  // the second thumb state
    bool Dragging() const { return dragging_; }
    bool TrackPressing() const { return tracking_; }
    bool RepeatTimerRunning() const { return timerRunning_; }

    // Input, in client coordinates.
    void MouseDown(const MouseEvent& e);
    void MouseMove(const MouseEvent& e);
    void MouseUp(const MouseEvent& e);
    void KeyDown(uint16_t& keyCode, unsigned shiftState);
    void TimerTick(unsigned id);
    // The mouse was taken away mid-interaction: end it as a release would.
    void CancelMode();

    std::function<void()> onChange;
    std::function<void()> onChanged;
    std::function<void(const MouseEvent&)> onMouseDown;
    std::function<void(const MouseEvent&)> onMouseUp;
    std::function<void(const MouseEvent&)> onMouseMove;
    std::function<void(uint16_t&, unsigned)> onKeyDown;

    // The window reports its client size, enabled and focus state and images.
    void SetClientSize(int width, int height);
    void EnabledChanged(bool enabled);
    void FocusChanged(bool focused);
    // A slot's bitmap changed: its size and whether it is a user image.
    void ImageChanged(SliderImage slot, SliderSize size, bool user);

private:
    void Layout();  // the geometry alone
    void Relayout();
    void PressThumb(const MouseEvent& e);
    void DragThumb(int x, int y);
    void ReleaseThumb();

    bool Horizontal() const { return orientation_ == SliderOrientation::Horizontal; }
    void SetRange(int32_t min, int32_t max);
    void PlaceThumb(int offset);
    void Jump(JumpMode mode);
    void StepBy(int64_t delta);
    JumpMode DirectionOf(int x, int y) const;
    void RepeatStep();
    bool InThumb(int x, int y) const;
    bool InTrackArea(int x, int y) const;
    void Change() {
        if (host_) host_->ValueChanged();
        if (onChange) onChange();
    }
    void Changed() { if (onChanged) onChanged(); }

    SliderHost* const host_;
    int32_t value_ = 0, min_ = 0, max_ = 100, increment_ = 10;
    int32_t keyStep_ = 0, pageStep_ = 0;
    SliderOptions options_ = SliderOption::ShowFocus | SliderOption::ShowPoints | SliderOption::Smooth;
    SliderOrientation orientation_ = SliderOrientation::Horizontal;
    SliderBevel bevel_ = SliderBevel::None;
    int numThumbStates_ = 2;
    int edge_ = 2;
    uint8_t userImages_ = 0;
    bool enabled_ = true, focused_ = false;
    int width_ = 150, height_ = 40;
    SliderSize images_[4] = {{18, 17}, {10, 8}, {38, 9}, {8, 10}};

    IntRect thumb_;
    IntPoint rulerOrigin_;
    SliderSize rulerSize_;
    std::vector<RulerPiece> rulerPieces_;
    IntRect pointsBand_;

    bool thumbDown_ = false, dragging_ = false, tracking_ = false, timerRunning_ = false;
    int grab_ = 0;
    IntPoint trackPoint_;
    JumpMode trackDirection_ = JumpMode::None;
};

}  // namespace orvik
