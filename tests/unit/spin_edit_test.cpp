// The spin edit's value model, typing filter, keys and focus rules, and the
// diagonal spin button's hit test and repeat schedule, against recording hosts.
#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "controls/SpinEdit.h"

using namespace orvik;

namespace {

using Log = std::vector<std::string>;
constexpr SpinValueKind kInt = SpinValueKind::Integer, kFloat = SpinValueKind::Float, kHex = SpinValueKind::Hex;

// The edit window: its text, and the change notification that every text
// change sends back, as the real edit does.
struct RecordingEdit : SpinEditHost {
    std::string text = SpinEditModel::kStartText;
    Log log;
    SpinEditModel model{*this};

    std::string Text() const override { return text; }
    void SetText(const std::string& t) override {
        text = t;
        model.TextChanged();
    }
    void SelectAll() override { log.push_back("select all"); }
    void SetModified() override { log.push_back("modified"); }
    void Beep() override { log.push_back("beep"); }
    void DialogKey(char key) override { log.push_back("dialog " + std::to_string(int(key))); }
    void FocusEdit() override { log.push_back("focus"); }
    void Changed() override { log.push_back("change " + text); }
    void TopClick() override { log.push_back("top"); }
    void BottomClick() override { log.push_back("bottom"); }

    // RxSpin1 as its dialog loads it: bounds 1..100, value 75.
    void Range(long double min, long double max, const std::string& start) {
        model.SetMaxValue(max);
        model.SetMinValue(min);
        text = start;
    }
};

TEST(SpinText, ParsesEachValueTypeOrNothing) {
    const std::optional<long double> no;
    struct Case {
        const char* text;
        SpinValueKind type;
        std::optional<long double> value;
        char separator;
    } cases[] = {
        {"75", kInt, 75, '.'},           {" -12 ", kInt, -12, '.'},       {"+5", kInt, 5, '.'},
        {"", kInt, no, '.'},             {"-", kInt, no, '.'},            {"5-", kInt, no, '.'},
        {"a", kInt, no, '.'},            {"1.5", kInt, no, '.'},          {"2147483647", kInt, 2147483647, '.'},
        {"2147483648", kInt, no, '.'},   {"-2147483648", kInt, -2147483648.0L, '.'},
        {"99999999999999999999", kInt, no, '.'},
        {"ff", kHex, 255, '.'},          {"7FFFFFFF", kHex, 2147483647, '.'}, {"FFFFFFFF", kHex, -1, '.'},
        {"100000000", kHex, no, '.'},    {"-1", kHex, no, '.'},           {"$10", kHex, no, '.'},
        {"1.25", kFloat, 1.25L, '.'},    {"-2.5e3", kFloat, -2500, '.'},  {"5.", kFloat, 5, '.'},
        {".5", kFloat, 0.5L, '.'},       {"1e", kFloat, no, '.'},         {".", kFloat, no, '.'},
        {"inf", kFloat, no, '.'},        {"nan", kFloat, no, '.'},        {"0x10", kFloat, no, '.'},
        {"1e99999", kFloat, no, '.'},    {"1,5", kFloat, 1.5L, ','},      {"1.5", kFloat, no, ','},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseSpinText(c.text, c.type, c.separator), c.value) << c.text;
}

TEST(SpinText, FormatsRoundedAndReadsBack) {
    struct Case {
        long double value;
        SpinValueKind type;
        int decimals;
        const char* text;
    } cases[] = {
        {2.5L, kInt, 2, "2"},          {3.5L, kInt, 2, "4"},         {-2.5L, kInt, 2, "-2"},
        {-0.4L, kInt, 2, "0"},         {1e12L, kInt, 2, "2147483647"}, {-1e12L, kInt, 2, "-2147483648"},
        {255, kHex, 2, "FF"},          {10.5L, kHex, 2, "A"},        {-1, kHex, 2, "FFFFFFFF"},
        {0, kHex, 2, "0"},             {2, kFloat, 2, "2.00"},       {0.125L, kFloat, 2, "0.13"},
        {1.005L, kFloat, 2, "1.01"},   {99.999L, kFloat, 2, "100.00"}, {-0.001L, kFloat, 2, "0.00"},
        {-1.5L, kFloat, 1, "-1.5"},    {1234.5678L, kFloat, 0, "1235"}, {0.1L, kFloat, 20, "0.10000000000000000000"},
        {1.5e-7L, kFloat, 8, "0.00000015"}, {1e15L, kFloat, 2, "1E+15"}, {-2.5e20L, kFloat, 2, "-2.5E+20"},
    };
    for (const Case& c : cases) {
        const std::string text = FormatSpinValue(c.value, c.type, c.decimals);
        EXPECT_EQ(text, c.text) << double(c.value);
        EXPECT_TRUE(ParseSpinText(text, c.type)) << text;
    }
    EXPECT_EQ(FormatSpinValue(1.5L, kFloat, 1, ','), "1,5");
}

TEST(SpinEditModel, LoadingWritesTheValueAndUnparsableTextReadsAsMinValue) {
    RecordingEdit edit;
    edit.model.SetMaxValue(100);
    edit.model.SetMinValue(1);
    edit.model.SetValue(75);
    EXPECT_EQ(edit.text, "75");
    EXPECT_EQ(edit.log, (Log{"change 75"}));
    edit.text = "abc";  // pasted: not filtered
    EXPECT_EQ(edit.model.Value(), 1);
    edit.model.SetMinValue(-2.7L);
    EXPECT_EQ(edit.model.Value(), -2);  // truncated towards zero
}

TEST(SpinEditModel, StepsClampAndReportOnlyRealChanges) {
    struct Case {
        long double min, max;
        SpinValueKind type;
        const char* before;
        bool up;
        const char* after;
        Log log;
    } cases[] = {
        {1, 100, kInt, "100", true, "100", {"top"}},
        {1, 100, kInt, "", true, "2", {"modified", "change 2", "top"}},
        {1, 100, kInt, "", false, "1", {"modified", "change 1", "bottom"}},
        {1, 100, kInt, "abc", true, "2", {"modified", "change 2", "top"}},
        {1, 100, kInt, "250", false, "100", {"modified", "change 100", "bottom"}},
        {0, 0, kInt, "1000", true, "1001", {"modified", "change 1001", "top"}},
        {0, 0, kInt, "0", false, "-1", {"modified", "change -1", "bottom"}},
        {0, 255, kHex, "ff", true, "FF", {"top"}},  // letter case alone is no change
        {0, 255, kHex, "9", true, "A", {"modified", "change A", "top"}},
        {0, 0, kFloat, "1.5", true, "2.50", {"modified", "change 2.50", "top"}},
    };
    for (const Case& c : cases) {
        RecordingEdit edit;
        edit.Range(c.min, c.max, c.before);
        edit.model.SetValueType(c.type);
        edit.text = c.before;
        edit.log.clear();
        if (c.up)
            edit.model.StepUp();
        else
            edit.model.StepDown();
        EXPECT_EQ(edit.text, c.after) << c.before;
        EXPECT_EQ(edit.log, c.log) << c.before;
    }
}

TEST(SpinEditModel, ReadOnlyStepBeepsAndDestructionSilencesChanges) {
    RecordingEdit edit;
    edit.model.readOnly = true;
    edit.model.StepUp();
    EXPECT_EQ(edit.text, "0");
    EXPECT_EQ(edit.log, (Log{"beep"}));

    RecordingEdit dying;
    dying.model.BeginDestroy();
    dying.model.StepUp();
    dying.model.SetValue(7);
    EXPECT_EQ(dying.text, "7");
    EXPECT_EQ(dying.log, (Log{"top"}));
}

TEST(SpinEditModel, ValueTypeAndDecimalsRewriteTheText) {
    RecordingEdit edit;
    edit.text = "12";
    edit.model.SetIncrement(0.4L);
    edit.model.SetValueType(kFloat);
    EXPECT_EQ(edit.text, "12.00");
    edit.model.SetDecimal(1);
    EXPECT_EQ(edit.text, "12.0");
    edit.model.StepUp();
    EXPECT_EQ(edit.text, "12.4");
    edit.model.SetValueType(kInt);  // "12.4" is no integer: it reads as MinValue
    EXPECT_EQ(edit.text, "0");
    EXPECT_EQ(edit.model.Increment(), 1);  // 0.4 rounds to 0, which becomes 1
    edit.model.SetIncrement(2.5L);
    edit.model.SetValueType(kHex);
    EXPECT_EQ(edit.model.Increment(), 2);
}

TEST(SpinEditModel, TypingFilterAcceptsCharacterByCharacter) {
    struct Case {
        SpinValueKind type;
        const char* text;
        bool editorEnabled;
        const char* accepted;
        const char* refused;
    } cases[] = {
        {kInt, "", true, "0123456789+-\b\r\x1b\x16", "a.eE ,$"},
        {kInt, "5-", true, "-+", ""},  // only parsing decides what is a number
        {kFloat, "1", true, ".eE", ",aF"},
        {kFloat, "1.5", true, "e", "."},
        {kFloat, "1e5", true, ".", "eE"},
        {kHex, "", true, "0aAfF9", "gG.x"},
        {kInt, "", false, "\r\x1b\x16", "\b5-+ "},
    };
    for (const Case& c : cases) {
        RecordingEdit edit;
        edit.model.SetValueType(c.type);
        edit.text = c.text;
        edit.model.editorEnabled = c.editorEnabled;
        for (const char* p = c.accepted; *p; ++p) EXPECT_TRUE(edit.model.AcceptsChar(*p)) << c.text << " " << int(*p);
        for (const char* p = c.refused; *p; ++p) EXPECT_FALSE(edit.model.AcceptsChar(*p)) << c.text << " " << int(*p);
    }
    RecordingEdit comma;
    comma.model.decimalSeparator = ',';
    comma.model.SetValueType(kFloat);
    comma.text = "1";
    EXPECT_TRUE(comma.model.AcceptsChar(','));
    EXPECT_FALSE(comma.model.AcceptsChar('.'));
}

TEST(SpinEditModel, KeysBeepPassOnAndStep) {
    RecordingEdit edit;
    edit.Range(1, 100, "75");
    EXPECT_FALSE(edit.model.KeyPress('a'));
    EXPECT_TRUE(edit.model.KeyPress('7'));
    EXPECT_FALSE(edit.model.KeyPress('\r'));  // to the dialog only
    EXPECT_TRUE(edit.model.KeyPress('\x1b'));
    EXPECT_TRUE(edit.model.KeyDown(vk::kUp));
    EXPECT_TRUE(edit.model.KeyDown(vk::kDown));
    EXPECT_FALSE(edit.model.KeyDown(vk::kLeft));
    EXPECT_EQ(edit.log, (Log{"beep", "dialog 13", "dialog 27", "modified", "change 76", "top", "modified",
                             "change 75", "bottom"}));
    edit.model.arrowKeys = false;
    EXPECT_FALSE(edit.model.KeyDown(vk::kUp));
    EXPECT_EQ(edit.text, "75");

    edit.log.clear();  // the standard button focuses, then steps
    edit.model.UpDownPosition(0);
    edit.model.UpDownPosition(-1);
    EXPECT_EQ(edit.log, (Log{"focus", "modified", "change 74", "bottom"}));

    EXPECT_TRUE(edit.model.EditCommandAllowed());  // cut and paste
    edit.model.editorEnabled = false;
    EXPECT_FALSE(edit.model.EditCommandAllowed());
}

TEST(SpinEditModel, FocusSelectsOnEntryAndClampsOnExit) {
    struct Case {
        long double min, max;
        const char* typed;
        const char* afterExit;
    } cases[] = {
        {1, 100, "250", "100"}, {1, 100, "-3", "1"}, {1, 100, "50", "50"},
        {1, 100, "abc", "abc"}, {1, 100, "", ""},    {0, 0, "250", "250"},
    };
    for (const Case& c : cases) {
        RecordingEdit edit;
        edit.Range(c.min, c.max, c.typed);
        edit.model.Exit();
        EXPECT_EQ(edit.text, c.afterExit) << c.typed;
        EXPECT_EQ(edit.log.size(), std::string(c.typed) == c.afterExit ? 0u : 1u) << c.typed;
    }
    RecordingEdit edit;
    edit.model.Enter(true);  // a left press places the caret itself
    edit.model.Enter(false);
    edit.model.autoSelect = false;
    edit.model.Enter(false);
    EXPECT_EQ(edit.log, (Log{"select all"}));
}

TEST(DiagonalHalf, BelowTheRisingDiagonalIsTheBottomHalf) {
    struct Case {
        double x, y, w, h;
        SpinHalf half;
    } cases[] = {
        {0, 0, 18, 18, SpinHalf::Top},     {17, 17, 18, 18, SpinHalf::Bottom},
        {9, 9, 18, 18, SpinHalf::Top},     {10, 9, 18, 18, SpinHalf::Bottom},  // on the diagonal: top
        {0, 17, 18, 18, SpinHalf::Top},    {17, 1, 18, 18, SpinHalf::Top},
        {17, 2, 18, 18, SpinHalf::Bottom}, {15, 5, 30, 10, SpinHalf::Top},
        {15, 6, 30, 10, SpinHalf::Bottom},
        // 7 - 1 * 7 / 3 is 4.67, not the 5 of integer division.
        {1, 5, 3, 7, SpinHalf::Bottom},    {1, 4, 3, 7, SpinHalf::Top},
        {0, 0, 0, 0, SpinHalf::Top},
    };
    for (const Case& c : cases) EXPECT_EQ(DiagonalHalf(c.x, c.y, c.w, c.h), c.half) << c.x << "," << c.y;
}

// The button's window with a simulated clock: a started timer ticks every
// interval from the moment it was (re)started.
struct RecordingButton : SpinButtonHost {
    SpinButtonModel model{*this};
    SpinEditModel* edit = nullptr;  // steps go to the edit when set
    bool captured = false, running = false, failStep = false;
    unsigned interval = 0;
    long now = 0, startedAt = 0;
    std::vector<long> tops, bottoms;
    int repaints = 0;

    void Repaint() override { ++repaints; }
    void CaptureMouse() override { captured = true; }
    void ReleaseMouse() override { captured = false; }
    bool HasCapture() const override { return captured; }
    void StartTimer(unsigned ms) override { running = true, interval = ms, startedAt = now; }
    void StopTimer() override { running = false; }
    void FocusControl() override {}
    void TopClick() override {
        if (failStep) throw std::runtime_error("step failed");
        tops.push_back(now);
        if (edit) edit->StepUp();
    }
    void BottomClick() override {
        bottoms.push_back(now);
        if (edit) edit->StepDown();
    }
    void RunUntil(long until) {
        while (running && startedAt + static_cast<long>(interval) <= until) {
            now = startedAt = startedAt + interval;
            model.TimerTick();
        }
        now = until;
    }
};

TEST(SpinButtonModel, HeldHalfStepsAtPressAt400ThenEvery100) {
    RecordingButton b;
    b.model.SetSize(18, 18);
    b.model.MouseDown(3, 3);
    EXPECT_EQ(b.model.Down(), SpinHalf::Top);
    EXPECT_TRUE(b.captured);
    b.RunUntil(750);
    b.model.MouseUp(3, 3);
    b.RunUntil(2000);
    EXPECT_EQ(b.tops, (std::vector<long>{0, 400, 500, 600, 700}));
    EXPECT_TRUE(b.bottoms.empty());
    EXPECT_FALSE(b.running);
    EXPECT_FALSE(b.captured);
    EXPECT_EQ(b.model.Down(), SpinHalf::None);
    EXPECT_EQ(b.model.LastPressed(), SpinHalf::None);
}

TEST(SpinButtonModel, RepeatPausesOffThePressedHalf) {
    RecordingButton b;
    b.model.SetSize(18, 18);
    b.model.MouseDown(3, 3);
    b.RunUntil(450);
    b.model.MouseMove(15, 15);  // over the other half
    EXPECT_EQ(b.model.Down(), SpinHalf::None);
    b.RunUntil(650);
    b.model.MouseMove(3, 40);  // outside
    b.RunUntil(750);
    b.model.MouseMove(4, 4);  // back
    EXPECT_EQ(b.model.Down(), SpinHalf::Top);
    b.RunUntil(900);
    b.model.MouseMove(15, 15);
    b.model.MouseUp(15, 15);
    EXPECT_EQ(b.tops, (std::vector<long>{0, 400, 800, 900}));
    EXPECT_TRUE(b.bottoms.empty());
    EXPECT_EQ(b.repaints, 4);  // press, off, back, off; none at a release already off
}

TEST(SpinButtonModel, LostCaptureFailedStepAndDisablingEndThePress) {
    RecordingButton b;
    b.model.SetSize(18, 18);
    b.model.MouseDown(15, 15);
    b.captured = false;  // taken by another window before the message came
    b.RunUntil(600);
    EXPECT_EQ(b.bottoms, (std::vector<long>{0}));
    b.model.CaptureLost();
    EXPECT_FALSE(b.model.Dragging());
    EXPECT_FALSE(b.running);

    b.model.MouseDown(3, 3);
    b.failStep = true;
    b.now = b.startedAt + 400;
    EXPECT_THROW(b.model.TimerTick(), std::runtime_error);
    EXPECT_FALSE(b.running);

    b.failStep = false;
    b.model.MouseUp(3, 3);
    b.model.MouseDown(3, 3);
    b.model.SetEnabled(false);
    EXPECT_FALSE(b.model.Dragging());
    EXPECT_FALSE(b.running);
    EXPECT_EQ(b.model.Down(), SpinHalf::None);
    b.model.MouseDown(3, 3);
    EXPECT_FALSE(b.model.Dragging());
}

TEST(SpinButtonModel, HoldingUpAtTheBoundStopsChangingTheText) {
    RecordingEdit edit;
    edit.Range(1, 100, "98");
    RecordingButton b;
    b.edit = &edit.model;
    b.model.SetSize(18, 18);
    b.model.MouseDown(1, 1);
    b.RunUntil(500);
    b.model.MouseUp(1, 1);
    EXPECT_EQ(edit.text, "100");
    EXPECT_EQ(edit.log, (Log{"modified", "change 99", "top", "modified", "change 100", "top", "top"}));
}

TEST(SpinGeometry, RxSpin1sButtonGlyphsAndTextRectangle) {
    const auto places = [](SpinHalf down) {
        const SpinGlyphPlaces p = SpinGlyphPositions(18, 18, 6, 6, down);
        return std::vector<int>{p.up.x, p.up.y, p.down.x, p.down.y};
    };
    EXPECT_EQ(places(SpinHalf::None), (std::vector<int>{3, 3, 9, 9}));
    EXPECT_EQ(places(SpinHalf::Top), (std::vector<int>{4, 4, 9, 9}));
    EXPECT_EQ(places(SpinHalf::Bottom), (std::vector<int>{3, 3, 9, 9}));
    const SpinGlyphPlaces wide = SpinGlyphPositions(20, 10, 6, 6, SpinHalf::None);
    EXPECT_EQ(wide.up, (IntPoint{3, 1}));  // -0.5 rounds to 0
    EXPECT_EQ(wide.down, (IntPoint{11, 3}));

    EXPECT_EQ(DiagonalButtonBounds(121, 21, true, false), (IntRect{99, -1, 117, 17}));
    EXPECT_EQ(DiagonalButtonBounds(121, 21, false, false), (IntRect{100, 0, 121, 21}));
    EXPECT_EQ(DiagonalButtonBounds(121, 21, true, true), (IntRect{-1, -1, 17, 17}));
    EXPECT_EQ(DiagonalButtonBounds(121, 21, false, true), (IntRect{0, 0, 21, 21}));
    EXPECT_EQ(SpinFormatRect(117, 17, 18, false), (IntRect{0, 0, 97, 18}));
    EXPECT_EQ(SpinFormatRect(117, 17, 18, true), (IntRect{19, 0, 116, 18}));
    EXPECT_EQ(SpinMinHeight(13, 1), 18);
    EXPECT_EQ(StandardSpinWidth(17), 15);
    EXPECT_EQ(StandardSpinWidth(13), 13);
}

}  // namespace
