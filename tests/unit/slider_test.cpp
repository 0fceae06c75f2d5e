// The position slider's model: layout and value/pixel arithmetic with the
// player's own figures, the value rules, and the mouse, key and timer
// interactions with their event order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RecordingSliderHost.h"
#include "app/Exception.h"
#include "controls/Slider.h"

using namespace orvik;

namespace {

// The model with recording platform hooks and an injected repeat timer.
class TestSlider : public RecordingSliderHost, public SliderModel {
public:
    std::vector<std::string> log;

    TestSlider() : SliderModel(static_cast<RecordingSliderHost&>(*this)) {
        onChange = [this] { log.push_back("change " + std::to_string(Value())); };
        onChanged = [this] { log.push_back("changed " + std::to_string(Value())); };
        onMouseDown = [this](const MouseEvent&) { log.push_back("down"); };
        onMouseUp = [this](const MouseEvent&) { log.push_back("up " + std::to_string(Value())); };
    }
    // The player's instance: 369 x 33, its 66 x 20 thumb, increment 1, smooth, with points.
    void PlayerLayout() {
        ImageChanged(SliderImage::HThumb, SliderSize{66, 20}, true);
        SetClientSize(369, 33);
        SetIncrement(1);
        SetOptions(SliderOption::ShowPoints | SliderOption::Smooth);
        log.clear();
    }
    void Tick() {
        ASSERT_NE(timerId, 0) << "the repeat timer is not running";
        TimerTick(static_cast<unsigned>(timerId));
    }
    void Down(MouseButton b, unsigned m, int x, int y) { MouseDown(MouseEvent{b, m, x, y}); }
    void Move(unsigned m, int x, int y) { MouseMove(MouseEvent{MouseButton::Left, m, x, y}); }
    void Up(MouseButton b, unsigned m, int x, int y) { MouseUp(MouseEvent{b, m, x, y}); }
};

using Log = std::vector<std::string>;

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(RoundHalfEven(0.5L), 0);
    EXPECT_EQ(RoundHalfEven(1.5L), 2);
    EXPECT_EQ(RoundHalfEven(2.5L), 2);
    EXPECT_EQ(RoundHalfEven(2.5000001L), 3);
    EXPECT_EQ(RoundHalfEven(-0.5L), 0);
    EXPECT_EQ(RoundHalfEven(-1.5L), -2);
    EXPECT_EQ(RoundHalfEven(-1.2L), -1);
}

TEST(SliderLayout, PlayerInstance) {
    TestSlider s;
    s.PlayerLayout();
    EXPECT_EQ(s.RulerSize().width, 357);
    EXPECT_EQ(s.RulerSize().height, 8);
    EXPECT_EQ(s.ThumbRect(), (IntRect{6, 6, 39, 26}));
    EXPECT_EQ(s.RulerOrigin(), (IntPoint{6, 12}));
    EXPECT_EQ(s.PointsBand(), (IntRect{6, 27, 363, 32}));
    EXPECT_EQ(s.RulerLength(), 324);

    // The stretched ruler: left edge and a middle, 57 middles, then the
    // middle's tail and the right edge; every column covered exactly once.
    const auto& pieces = s.RulerLayout();
    ASSERT_EQ(pieces.size(), 59u);
    EXPECT_EQ(pieces.front(), (RulerPiece{0, 8, 0}));
    EXPECT_EQ(pieces[1], (RulerPiece{2, 6, 8}));
    EXPECT_EQ(pieces.back(), (RulerPiece{3, 7, 350}));
    int next = 0;
    for (const RulerPiece& p : pieces) {
        EXPECT_EQ(p.dst, next);
        next = p.dst + p.length;
    }
    EXPECT_EQ(next, 357);
}

TEST(SliderLayout, ShortRulersAndThumbsSmallerThanTheRuler) {
    EXPECT_EQ(RulerPieces(10, 2, 5), (std::vector<RulerPiece>{{0, 8, 0}}));
    TestSlider s;  // defaults: 150 x 40, 9 x 17 thumb over a 10 x 8 ruler
    EXPECT_TRUE(s.invalidated.empty() && s.rulerBuilds == 0) << "the host heard from a slider being made";
    EXPECT_EQ(s.ThumbRect(), (IntRect{6, 6, 15, 23}));
    EXPECT_EQ(s.RulerOrigin(), (IntPoint{6, 10}));
    s.ImageChanged(SliderImage::HThumb, SliderSize{8, 4}, true);
    EXPECT_EQ(s.ThumbRect(), (IntRect{6, 8, 10, 12}));
    EXPECT_EQ(s.RulerOrigin(), (IntPoint{6, 6}));
    EXPECT_EQ(s.PointsBand().top, 15);
    s.SetBevelStyle(SliderBevel::Lowered);
    EXPECT_EQ(s.RulerOrigin(), (IntPoint{7, 7}));
    EXPECT_EQ(s.RulerSize().width, 148 - 12);
    // A control too small for its thumb holds one value and draws no marks.
    s.SetClientSize(10, 10);
    EXPECT_EQ(s.ValueAt(50), 0);
    EXPECT_TRUE(s.TickMarks(1, 3, 5).empty());
}

TEST(SliderArithmetic, ValueAndPixel) {
    TestSlider s;
    s.PlayerLayout();
    s.SetMaxValue(8);  // 324 / 8 = 40.5 pixels per unit: halves round to even
    EXPECT_EQ(s.OffsetOf(1), 6 + 40);
    EXPECT_EQ(s.OffsetOf(3), 6 + 122);
    s.SetMaxValue(162);  // two pixels per unit
    EXPECT_EQ(s.ValueAt(7), 0);
    EXPECT_EQ(s.ValueAt(9), 2);
    EXPECT_EQ(s.ValueAt(0), 0) << "left of the ruler";
    EXPECT_EQ(s.ValueAt(1000), 162) << "right of the ruler";
    s.SetOptions(SliderOption::ShowPoints);  // not smooth: a grid of Increment from MinValue
    s.SetMinValue(5);
    s.SetIncrement(10);
    EXPECT_EQ(s.ValueAt(6 + 70), 35);  // 33.9 units: 30 on the grid, from 5
}

TEST(SliderArithmetic, TickMarks) {
    TestSlider s;
    s.PlayerLayout();
    const auto marks = s.TickMarks(10, 3, 5);
    const int offsets[] = {6, 38, 71, 103, 136, 168, 200, 233, 265, 298, 330};
    ASSERT_EQ(marks.size(), 11u);
    for (size_t i = 0; i < marks.size(); ++i) {
        EXPECT_EQ(marks[i].x, offsets[i] + 16) << i;
        EXPECT_EQ(marks[i].y, 27);
        EXPECT_EQ(marks[i].length, (i == 0 || i == 10) ? 5 : 3) << i;
    }
    s.SetMaxValue(240000);
    const auto scale = s.TickScaleFor(1);
    EXPECT_EQ(scale.scale, 2945);
    EXPECT_EQ(scale.count, 82);
    const auto long_marks = s.TickMarks(1, 3, 5);
    ASSERT_EQ(long_marks.size(), 82u);
    EXPECT_EQ(long_marks.back().x, s.OffsetOf(240000) + 16);
    EXPECT_EQ(long_marks.back().length, 5);
    EXPECT_EQ(long_marks[80].length, 3);
}

TEST(SliderValue, ClampingRangeAndIncrementRules) {
    TestSlider s;
    s.SetValue(150);
    s.SetValue(100);
    EXPECT_EQ(s.log, (Log{"change 100"}));
    s.SetMaxValue(0);  // empty range: ignored silently
    EXPECT_EQ(s.MaxValue(), 100);
    EXPECT_EQ(s.Value(), 100);
    s.SetMaxValue(10);  // re-clamps the value
    EXPECT_EQ(s.Value(), 10);
    s.SetMaxValue(5);  // the increment shrinks with the range
    EXPECT_EQ(s.Increment(), 5);
    try {
        s.SetIncrement(6);
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Value must be between 1 and 5");
    }
    EXPECT_THROW(s.SetIncrement(0), Exception);
    EXPECT_EQ(s.Increment(), 5);
    s.SetMinValue(-5);
    s.SetValue(-100);
    EXPECT_EQ(s.Value(), -5);
}

TEST(SliderValue, MovingTheThumbInvalidatesItsOldAndNewRectangles) {
    TestSlider s;
    s.PlayerLayout();
    s.invalidated.clear();
    s.SetValue(50);
    EXPECT_EQ(s.invalidated, (std::vector<IntRect>{{6, 6, 39, 26}, {168, 6, 201, 26}}));
    // A value whose place the thumb already has paints nothing.
    s.invalidated.clear();
    s.SetValue(50);
    EXPECT_TRUE(s.invalidated.empty());
}

TEST(SliderMouse, DraggingToTheEndsGivesExactlyMinAndMax) {
    TestSlider s;
    s.PlayerLayout();
    s.SetMaxValue(240000);
    s.Down(MouseButton::Left, modifier::kLeft, 20, 15);  // grab 14 pixels into the thumb
    EXPECT_TRUE(s.Dragging());
    EXPECT_TRUE(s.ThumbDown());
    s.Move(modifier::kLeft, 20 + 100, 15);
    EXPECT_EQ(s.ThumbRect().left, 106);
    EXPECT_EQ(s.Value(), 74074);  // 100 of 324 pixels, about 741 units each
    s.Move(modifier::kLeft, 2000, 15);
    EXPECT_EQ(s.Value(), 240000);
    EXPECT_EQ(s.ThumbRect().left, 330);
    s.Move(modifier::kLeft, -500, 15);
    EXPECT_EQ(s.Value(), 0);
    s.Move(modifier::kLeft, 60, 15);
    s.Up(MouseButton::Left, 0, 60, 15);
    EXPECT_EQ(s.log, (Log{"down", "change 74074", "change 240000", "change 0", "change 29630", "changed 29630",
                          "up 29630"}));
    EXPECT_FALSE(s.ThumbDown());
    s.log.clear();
    s.Move(0, 200, 15);  // no drag any more
    EXPECT_TRUE(s.log.empty());
}

TEST(SliderMouse, SettingValueDuringADragMovesTheThumbUntilThePointerMoves) {
    TestSlider s;
    s.PlayerLayout();
    s.Down(MouseButton::Left, modifier::kLeft, 10, 10);
    s.Move(modifier::kLeft, 10 + 162, 10);
    EXPECT_EQ(s.Value(), 50);
    s.SetValue(0);
    EXPECT_EQ(s.ThumbRect().left, 6);
    s.Move(modifier::kLeft, 10 + 162, 10);
    EXPECT_EQ(s.ThumbRect().left, 168);
    EXPECT_EQ(s.Value(), 50);
}

TEST(SliderMouse, NonSmoothDragSnapsToTheGrid) {
    TestSlider s;
    s.PlayerLayout();
    s.SetOptions(SliderOption::ShowPoints);
    s.SetIncrement(10);
    s.Down(MouseButton::Left, modifier::kLeft, 10, 10);
    s.Move(modifier::kLeft, 10 + 50, 10);  // 15.4 units: the grid says 20
    EXPECT_EQ(s.Value(), 20);
    EXPECT_EQ(s.ThumbRect().left, 71);
}

TEST(SliderMouse, TrackPressStepsNowAndOnEveryTick) {
    TestSlider s;
    s.PlayerLayout();
    s.SetMaxValue(240000);
    s.Down(MouseButton::Left, modifier::kLeft, 300, 10);  // right of the thumb, 2 pixels above the ruler
    EXPECT_TRUE(s.TrackPressing());
    EXPECT_TRUE(s.captured);
    EXPECT_EQ(s.timerId, 1);
    EXPECT_EQ(s.timerPeriod, 400u);
    EXPECT_EQ(s.Value(), 1);
    s.Tick();
    s.Tick();
    EXPECT_EQ(s.Value(), 3);
    s.Move(modifier::kLeft, 100, 10);  // only remembered
    s.Up(MouseButton::Left, 0, 100, 10);
    EXPECT_EQ(s.log, (Log{"down", "change 1", "change 2", "change 3", "changed 3", "up 3"}));
    EXPECT_EQ(s.timerId, 0);
    EXPECT_FALSE(s.captured);
    EXPECT_FALSE(s.TrackPressing());
}

TEST(SliderMouse, TrackPressStopsWhenTheThumbReachesThePointer) {
    TestSlider s;
    s.PlayerLayout();
    s.SetIncrement(10);
    s.SetValue(50);  // thumb 168..201
    s.Down(MouseButton::Left, modifier::kLeft, 120, 12);
    EXPECT_EQ(s.Value(), 40);  // thumb 136..169
    s.Tick();
    EXPECT_EQ(s.Value(), 30);  // thumb 103..136 covers 120
    s.Tick();
    s.Tick();
    EXPECT_EQ(s.Value(), 30);
    EXPECT_EQ(s.timerId, 1) << "the timer ticks on until release";
}

TEST(SliderMouse, PressesThatStartNothing) {
    TestSlider s;
    s.PlayerLayout();
    s.Down(MouseButton::Left, modifier::kLeft | modifier::kDouble, 20, 15);  // second press of a double click
    s.Down(MouseButton::Right, modifier::kRight, 20, 15);
    s.Down(MouseButton::Left, modifier::kLeft, 300, 30);  // below the track area
    s.Down(MouseButton::Left, modifier::kLeft, 300, 5);   // above it
    EXPECT_FALSE(s.Dragging());
    EXPECT_FALSE(s.TrackPressing());
    EXPECT_EQ(s.Value(), 0);
    EXPECT_EQ(s.log, (Log{"down", "down", "down", "down"}));
    s.Down(MouseButton::Left, modifier::kLeft, 39, 26);  // the thumb's edges count as inside
    EXPECT_TRUE(s.Dragging());
}

TEST(SliderKeys, JumpsAndChangedEvenWithoutMovement) {
    TestSlider s;
    s.PlayerLayout();
    std::vector<uint16_t> seen;
    s.onKeyDown = [&](uint16_t& k, unsigned) { seen.push_back(k); };
    uint16_t k = vk::kEnd;
    s.KeyDown(k, 0);
    EXPECT_EQ(k, 0);
    k = vk::kRight;
    s.KeyDown(k, 0);
    k = vk::kRight;
    s.KeyDown(k, modifier::kShift);  // modifiers: not the slider's
    EXPECT_EQ(k, vk::kRight);
    k = vk::kUp;  // not a key of the horizontal slider
    s.KeyDown(k, 0);
    k = vk::kLeft;
    s.KeyDown(k, 0);
    k = vk::kHome;
    s.KeyDown(k, 0);
    EXPECT_EQ(s.log, (Log{"change 100", "changed 100", "changed 100", "change 99", "changed 99", "change 0",
                          "changed 0"}));
    EXPECT_EQ(seen, (std::vector<uint16_t>{0, 0, vk::kRight, vk::kUp, 0, 0}));
}

TEST(SliderKeys, StepsFollowTheGridFromZero) {
    TestSlider s;
    s.SetMinValue(-100);
    s.SetValue(-25);  // -2.5 steps of 10: rounds to -2
    uint16_t k = vk::kRight;
    s.KeyDown(k, 0);
    EXPECT_EQ(s.Value(), -10);
    s.SetValue(35);  // 3.5 rounds to 4
    k = vk::kLeft;
    s.KeyDown(k, 0);
    EXPECT_EQ(s.Value(), 30);
}

TEST(SliderKeys, KeyStepsMoveOffTheGridAndPagesOnlyWithAPageStep) {
    struct Row {
        uint16_t key;
        int32_t from, to;
        bool used;
    } rows[] = {
        {vk::kRight, 5, 35, true}, {vk::kLeft, 5, 0, true},  // by 30, clamped at the ends
        {vk::kPageDown, 5, 105, true}, {vk::kPageUp, 150, 50, true},
        {vk::kPageDown, 980, 1000, true}, {vk::kHome, 500, 0, true},
    };
    for (const Row& r : rows) {
        TestSlider s;
        s.SetMaxValue(1000);
        s.SetKeySteps(30, 100);
        s.SetValue(r.from);
        uint16_t k = r.key;
        s.KeyDown(k, 0);
        EXPECT_EQ(s.Value(), r.to) << r.key << " from " << r.from;
        EXPECT_EQ(k == 0, r.used) << r.key;
    }
    TestSlider plain;  // no page step: the page keys are not the slider's
    uint16_t k = vk::kPageDown;
    plain.KeyDown(k, 0);
    EXPECT_EQ(k, vk::kPageDown);
    EXPECT_EQ(plain.Value(), 0);
}

TEST(SliderVertical, ValueGrowsUpwards) {
    TestSlider s;
    s.SetOrientation(SliderOrientation::Vertical);
    s.SetClientSize(40, 150);  // 19 x 9 thumb, 8 x 10 ruler: length 138 - 9
    EXPECT_EQ(s.RulerLength(), 129);
    EXPECT_EQ(s.ThumbRect().top, 150 - 6 - 9) << "MinValue at the bottom";
    s.SetValue(100);
    EXPECT_EQ(s.ThumbRect().top, 6);
    uint16_t k = vk::kDown;
    s.KeyDown(k, 0);
    EXPECT_EQ(s.Value(), 90);
    s.Down(MouseButton::Left, modifier::kLeft, 15, s.ThumbRect().top + 2);
    s.Move(modifier::kLeft, 15, 500);
    EXPECT_EQ(s.Value(), 0);
    s.Move(modifier::kLeft, 15, -500);
    EXPECT_EQ(s.Value(), 100);
}

}  // namespace
