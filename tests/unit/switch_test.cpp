// The switch: state and notifications, input rules, glyph and caption places.
#include <gtest/gtest.h>

#include <string>

#include "controls/Switch.h"

using namespace orvik;

namespace {
struct Recorder : SwitchHost {
    std::string log;
    void Repaint() override { log += "paint,"; }
    void StateChanged(bool on) override { log += on ? "on," : "off,"; }
};
}  // namespace

TEST(SwitchModel, NotifiesOnlyRealChangesAfterRepainting) {
    Recorder r;
    SwitchModel m(r);
    EXPECT_FALSE(m.StateOn());
    m.SetStateOn(false);
    EXPECT_EQ(r.log, "");
    m.SetStateOn(true);
    m.SetStateOn(true);
    EXPECT_EQ(r.log, "paint,on,");
    m.Toggle();
    EXPECT_EQ(r.log, "paint,on,paint,off,");
    EXPECT_FALSE(m.StateOn());
}

TEST(SwitchModel, LeftPressTogglesOtherButtonsDoNot) {
    Recorder r;
    SwitchModel m(r);
    EXPECT_TRUE(m.MouseDown(true));
    EXPECT_TRUE(m.StateOn());
    EXPECT_FALSE(m.MouseDown(false));
    EXPECT_TRUE(m.StateOn());
    // A double click is two presses and ends where it started.
    m.MouseDown(true);
    m.MouseDown(true);
    EXPECT_TRUE(m.StateOn());
}

TEST(SwitchModel, ToggleKeyMustMatchWithItsModifiers) {
    using namespace modifier;
    Recorder r;
    SwitchModel m(r);
    EXPECT_TRUE(m.KeyDown(32, 0));
    EXPECT_TRUE(m.StateOn());
    EXPECT_FALSE(m.KeyDown(32, kShift));
    EXPECT_FALSE(m.KeyDown(32, kCtrl));
    EXPECT_FALSE(m.KeyDown(32, kAlt));
    EXPECT_FALSE(m.KeyDown(13, 0));
    EXPECT_TRUE(m.StateOn());
    m.toggleKey = Shortcut{'T', kCtrl};  // Ctrl+T
    EXPECT_EQ(m.toggleKey.Code(), 0x4000u + 'T');
    EXPECT_FALSE(m.KeyDown('T', 0));
    EXPECT_TRUE(m.KeyDown('T', kCtrl));
    EXPECT_FALSE(m.StateOn());
    EXPECT_EQ((Shortcut{32, kShift | kCtrl | kAlt}.Code()), 0xE020u);
}

TEST(SwitchLayout, DialogSwitchPutsGlyphLeftAndCentresTheCaption) {
    const SwitchLayout l = LayoutSwitch(73, 17, 14, 14, CaptionPlace::Right, 13);
    EXPECT_EQ(l.glyphX, 0);
    EXPECT_EQ(l.glyphY, 1);
    EXPECT_EQ(l.text, (IntRect{14, 2, 73, 15}));
}

TEST(SwitchLayout, EveryTextPosition) {
    // 50 x 60 switch, 32 x 48 glyph, text height 13.
    SwitchLayout l = LayoutSwitch(50, 60, 32, 48, CaptionPlace::None, 13);
    EXPECT_EQ(l.glyphX, 9);
    EXPECT_EQ(l.glyphY, 6);
    EXPECT_EQ(l.text, IntRect{});
    l = LayoutSwitch(50, 60, 32, 48, CaptionPlace::Left, 13);
    EXPECT_EQ(l.glyphX, 18);
    EXPECT_EQ(l.glyphY, 6);
    EXPECT_EQ(l.text, (IntRect{0, 23, 18, 36}));
    l = LayoutSwitch(50, 60, 32, 48, CaptionPlace::Above, 13);
    EXPECT_EQ(l.glyphX, 9);
    EXPECT_EQ(l.glyphY, 12);
    EXPECT_EQ(l.text, (IntRect{0, 0, 50, 13}));  // (0 + 12 - 13) div 2 rounds towards zero
    l = LayoutSwitch(50, 60, 32, 48, CaptionPlace::Below, 13);
    EXPECT_EQ(l.glyphX, 9);
    EXPECT_EQ(l.glyphY, 0);
    EXPECT_EQ(l.text, (IntRect{0, 47, 50, 60}));
    // The player's switch: 25 x 25 with a 23 x 24 glyph.
    l = LayoutSwitch(25, 25, 23, 24, CaptionPlace::None, 13);
    EXPECT_EQ(l.glyphX, 1);
    EXPECT_EQ(l.glyphY, 0);
    // A glyph larger than the control gives negative halves, rounded towards zero.
    l = LayoutSwitch(10, 10, 13, 13, CaptionPlace::None, 13);
    EXPECT_EQ(l.glyphX, -1);
    EXPECT_EQ(l.glyphY, -1);
}
