// The switch on the real platform: driven by window messages, rendered
// through WM_PRINTCLIENT and checked at a few pixels.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>

#include "app/win32/Form.h"
#include "app/win32/Gdi.h"
#include "controls/win32/Switch.h"

using namespace orvik;

namespace {
class HostForm : public Form {
public:
    HostForm() {
        FormSpec spec;
        spec.className = "TSwitchHostForm";
        spec.caption = "Switch host";
        spec.clientWidth = 200;
        spec.clientHeight = 100;
        spec.border = FormBorder::Dialog;
        CreateForm(spec);
    }
};

// A rendering of the switch in a bitmap of its size.
class Rendering {
public:
    explicit Rendering(HWND hwnd) {
        GetClientRect(hwnd, &r_);
        ScreenDC screen;
        bitmap_.Reset(CreateCompatibleBitmap(screen, r_.right, r_.bottom));
        dc_ = CreateCompatibleDC(screen);
        old_ = SelectObject(dc_, bitmap_.Get());
        SendMessageA(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_), PRF_CLIENT);
    }
    ~Rendering() {
        SelectObject(dc_, old_);
        DeleteDC(dc_);
    }
    COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }
    // Whether any pixel in [x0, x1) x [y0, y1) differs from the colour.
    bool AnyOtherThan(COLORREF c, int x0, int y0, int x1, int y1) const {
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                if (At(x, y) != c) return true;
        return false;
    }

private:
    RECT r_{};
    Bitmap bitmap_;
    HDC dc_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

class SwitchTest : public testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<HostForm>();
        form->Show();  // the focus goes only to visible windows
        font = CreateUiFont("MS Sans Serif", 11);
    }
    // The encoder dialog's switch: 73 x 17, 14 x 14 glyphs, caption right.
    void MakeDialogSwitch(bool on = false, bool tabStop = true, CaptionPlace pos = CaptionPlace::Right) {
        SwitchSpec s;
        s.place = {form->Handle(), At(8, 16, 73, 17)};
        s.caption = "high quality";
        s.textPosition = pos;
        s.stateOn = on;
        s.tabStop = tabStop;
        s.color = kMedGray;
        s.font = font.Get();
        // Handlers first: making the switch in its start state reports nothing.
        sw.onOn = [this] { log += "on,"; };
        sw.onOff = [this] { log += "off,"; };
        sw.onClick = [this] { log += "click,"; };
        sw.onDblClick = [this] { log += "dblclick,"; };
        sw.onMouseDown = [this](const MouseEvent& e) { log += "down" + std::to_string(static_cast<int>(e.button)) + ","; };
        sw.CreateControl(s);
        Bitmap off = LoadBitmapResource("ENC_SWITCH_OFF"), lit = LoadBitmapResource("ENC_SWITCH_ON");
        sw.SetGlyphOff(off.Get());
        sw.SetGlyphOn(lit.Get());
    }
    LRESULT Send(UINT msg, WPARAM w = 0, LPARAM l = MAKELPARAM(5, 5)) { return SendMessageA(sw.Handle(), msg, w, l); }
    void PressKey(UINT vk, bool shift = false, bool ctrl = false) {
        BYTE keys[256] = {};
        if (shift) keys[VK_SHIFT] = 0x80;
        if (ctrl) keys[VK_CONTROL] = 0x80;
        SetKeyboardState(keys);
        Send(WM_KEYDOWN, vk, 1);
        Send(WM_KEYUP, vk, 0xC0000001);
        BYTE none[256] = {};
        SetKeyboardState(none);
    }

    std::unique_ptr<HostForm> form;
    Font font;
    Switch sw;
    std::string log;
};
}  // namespace

TEST_F(SwitchTest, LeftPressTogglesOnThePressAndTakesTheFocus) {
    MakeDialogSwitch();
    Send(WM_LBUTTONDOWN, MK_LBUTTON);
    EXPECT_TRUE(sw.StateOn());
    EXPECT_EQ(GetFocus(), sw.Handle());
    EXPECT_EQ(GetCapture(), sw.Handle());
    EXPECT_EQ(log, "on,down0,");
    Send(WM_LBUTTONUP);
    EXPECT_EQ(log, "on,down0,click,");
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(Send(BM_GETCHECK), BST_CHECKED);

    // A right press only reports itself.
    log.clear();
    Send(WM_RBUTTONDOWN, MK_RBUTTON);
    Send(WM_RBUTTONUP);
    EXPECT_TRUE(sw.StateOn());
    EXPECT_EQ(log, "down1,");

    // A double click is two presses: back where it started.
    log.clear();
    Send(WM_LBUTTONDOWN, MK_LBUTTON);
    Send(WM_LBUTTONUP);
    Send(WM_LBUTTONDBLCLK, MK_LBUTTON);
    Send(WM_LBUTTONUP);
    EXPECT_TRUE(sw.StateOn());
    EXPECT_EQ(log, "off,down0,click,on,dblclick,down0,click,");

    // A release outside the switch is no click.
    log.clear();
    Send(WM_LBUTTONDOWN, MK_LBUTTON);
    Send(WM_LBUTTONUP, 0, MAKELPARAM(200, 5));
    EXPECT_EQ(log, "off,down0,");
}

TEST_F(SwitchTest, WithoutTabStopAPressTogglesButLeavesTheFocus) {
    MakeDialogSwitch(false, false);
    SetFocus(form->Handle());
    Send(WM_LBUTTONDOWN, MK_LBUTTON);
    Send(WM_LBUTTONUP);
    EXPECT_TRUE(sw.StateOn());
    EXPECT_NE(GetFocus(), sw.Handle());
}

TEST_F(SwitchTest, TheBlankKeyTogglesOnlyWithoutModifiers) {
    MakeDialogSwitch(true);
    EXPECT_EQ(log, "");  // the start state is no change
    PressKey(VK_SPACE);
    EXPECT_FALSE(sw.StateOn());
    PressKey(VK_SPACE, true);
    PressKey(VK_SPACE, false, true);
    PressKey(VK_RETURN);
    EXPECT_FALSE(sw.StateOn());
    // Auto-repeat: every key-down toggles.
    Send(WM_KEYDOWN, VK_SPACE, 1);
    Send(WM_KEYDOWN, VK_SPACE, 0x40000001);
    Send(WM_KEYDOWN, VK_SPACE, 0x40000001);
    EXPECT_TRUE(sw.StateOn());
    EXPECT_EQ(log, "off,on,off,on,");
    // Another toggle key: Ctrl+T.
    sw.SetToggleKey(Shortcut{'T', modifier::kCtrl});
    PressKey(VK_SPACE);
    PressKey('T');
    EXPECT_TRUE(sw.StateOn());
    PressKey('T', false, true);
    EXPECT_FALSE(sw.StateOn());
    // Setting the state it has fires nothing.
    log.clear();
    sw.SetStateOn(false);
    EXPECT_EQ(log, "");
}

TEST_F(SwitchTest, GlyphSitsLeftAndTheCaptionIsCentredBesideIt) {
    MakeDialogSwitch();
    SetFocus(form->Handle());
    Rendering off(sw.Handle());
    // Glyph at (0, 1): its corner is transparent, its outline black, its
    // inside dark; the rows above and below it are background.
    EXPECT_EQ(off.At(0, 1), kMedGray);
    EXPECT_EQ(off.At(1, 2), RGB(0, 0, 0));
    EXPECT_EQ(off.At(12, 13), RGB(0, 0, 0));
    EXPECT_LT(GetRValue(off.At(6, 8)), 80);
    EXPECT_FALSE(off.AnyOtherThan(kMedGray, 0, 0, 73, 1));
    EXPECT_FALSE(off.AnyOtherThan(kMedGray, 0, 15, 73, 17));
    // The caption is drawn only in its line from x 14 to 73, y 2 to 15.
    EXPECT_TRUE(off.AnyOtherThan(kMedGray, 14, 2, 73, 15));
    EXPECT_FALSE(off.AnyOtherThan(kMedGray, 14, 0, 73, 2));

    sw.SetStateOn(true);
    Rendering on(sw.Handle());
    EXPECT_GT(GetRValue(on.At(6, 8)), 80);  // lit

    // Focused: the dotted focus rectangle runs round the glyph (0, 1, 14, 15).
    SetFocus(sw.Handle());
    EXPECT_TRUE(sw.Focused());
    Rendering focused(sw.Handle());
    auto edgeDiffers = [&](const Rendering& a, const Rendering& b) {
        for (int x = 0; x < 14; ++x)
            if (a.At(x, 1) != b.At(x, 1) || a.At(x, 14) != b.At(x, 14)) return true;
        return false;
    };
    EXPECT_TRUE(edgeDiffers(focused, on));
    EXPECT_EQ(focused.At(30, 0), on.At(30, 0));
    sw.SetShowFocus(false);
    Rendering hidden(sw.Handle());
    EXPECT_FALSE(edgeDiffers(hidden, on));
}

TEST_F(SwitchTest, CaptionIsNotDrawnWithoutATextPosition) {
    MakeDialogSwitch(false, true, CaptionPlace::None);
    SetFocus(form->Handle());
    Rendering r(sw.Handle());
    // Glyph centred at ((73 - 14) / 2, (17 - 14) / 2) = (29, 1); nothing else.
    EXPECT_EQ(r.At(30, 2), RGB(0, 0, 0));
    EXPECT_FALSE(r.AnyOtherThan(kMedGray, 0, 0, 29, 17));
    EXPECT_FALSE(r.AnyOtherThan(kMedGray, 43, 0, 73, 17));

    sw.SetTextPosition(CaptionPlace::Left);  // glyph to the right edge
    Rendering left(sw.Handle());
    EXPECT_EQ(left.At(60, 2), RGB(0, 0, 0));
    EXPECT_TRUE(left.AnyOtherThan(kMedGray, 0, 2, 59, 15));
}

TEST_F(SwitchTest, DisabledSwitchShowsTheEngravedGlyph) {
    MakeDialogSwitch();
    EXPECT_TRUE(sw.HasDisabledLook(0));
    EXPECT_EQ(sw.UserGlyphs(), 3);
    EnableWindow(sw.Handle(), FALSE);
    Rendering r(sw.Handle());
    // The black outline turns to the shadow colour, its offset copy to the
    // highlight; the rest is button face, the picture's transparent colour.
    EXPECT_EQ(r.At(1, 2), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(r.At(13, 14), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(r.At(6, 8), kMedGray);
    EnableWindow(sw.Handle(), TRUE);

    // The default glyphs loaded at creation have no engraved look yet.
    Switch plain;
    SwitchSpec s;
    s.place.parent = form->Handle();
    plain.CreateControl(s);
    EXPECT_FALSE(plain.HasDisabledLook(0));
    EXPECT_FALSE(plain.HasDisabledLook(1));
    EXPECT_EQ(plain.UserGlyphs(), 0);
    const SIZE g = BitmapSize(plain.Glyph(0));
    EXPECT_EQ(g.cx, 32);
    EXPECT_EQ(g.cy, 48);
    // Setting no glyph reloads the default and clears the user mark.
    sw.SetGlyph(1, nullptr);
    EXPECT_EQ(sw.UserGlyphs(), 1);
    EXPECT_EQ(BitmapSize(sw.Glyph(1)).cx, 32);
}

TEST(SwitchArtwork, GlyphsHaveTheirSizes) {
    const struct { const char* name; int w, h; } glyphs[] = {
        {"ENC_SWITCH_OFF", 14, 14}, {"ENC_SWITCH_ON", 14, 14},   {"PLAY_SWITCH_OFF", 23, 24},
        {"PLAY_SWITCH_ON", 23, 24}, {"SWITCH_OFF", 32, 48},      {"SWITCH_ON", 32, 48},
        {"ENC_OPEN_FOLDER", 16, 16},
    };
    for (const auto& g : glyphs) {
        Bitmap b = LoadBitmapResource(g.name);
        ASSERT_TRUE(b) << g.name;
        const SIZE s = BitmapSize(b.Get());
        EXPECT_EQ(s.cx, g.w) << g.name;
        EXPECT_EQ(s.cy, g.h) << g.name;
    }
}
