// The position slider as a real window, driven by mouse and key messages.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/win32/Gdi.h"
#include "controls/win32/Slider.h"
#include "TestSupport.h"

using namespace orvik;
using namespace orvik::test;

namespace {

LPARAM At(int x, int y) { return MAKELPARAM(static_cast<WORD>(static_cast<short>(x)), static_cast<WORD>(static_cast<short>(y))); }

const COLORREF kBackground = RGB(40, 42, 48);

// The player's slider: 369 x 33 with its own thumb, increment 1, smooth, with points.
class SliderWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        host_ = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 10, 10, 400, 100, nullptr, nullptr, nullptr,
                                nullptr);
        slider_ = std::make_unique<Slider>(ChildPlace{host_, orvik::At(0, 20, 369, 33)});
        Bitmap thumb = LoadBitmapResource("PLAY_THUMB");
        ASSERT_TRUE(thumb);
        slider_->SetImageHThumb(thumb.Get());
        slider_->Model().SetIncrement(1);
        slider_->Model().SetOptions(SliderOption::ShowPoints | SliderOption::Smooth);
        slider_->SetColor(kBackground);
        slider_->Model().SetMaxValue(240000);
        hwnd_ = slider_->Handle();
        slider_->Model().onChanged = [this] { log_.push_back("changed " + std::to_string(slider_->Value())); };
        slider_->Model().onMouseUp = [this](const MouseEvent&) {
            log_.push_back("up " + std::to_string(slider_->Value()));
        };
    }
    void TearDown() override {
        slider_.reset();
        DestroyWindow(host_);
    }

    HWND host_ = nullptr;
    HWND hwnd_ = nullptr;
    std::unique_ptr<Slider> slider_;
    std::vector<std::string> log_;
};

TEST_F(SliderWindowTest, DragWithTheMouseCapturedToBothEnds) {
    EXPECT_EQ(slider_->Model().UserImages(), 1);
    EXPECT_EQ(slider_->Model().ThumbRect(), (IntRect{6, 6, 39, 26}));
    SendMessageA(hwnd_, WM_LBUTTONDOWN, MK_LBUTTON, At(20, 15));
    EXPECT_EQ(GetCapture(), hwnd_);
    EXPECT_EQ(GetFocus(), hwnd_);
    SendMessageA(hwnd_, WM_MOUSEMOVE, MK_LBUTTON, At(900, 40));  // far outside: the thumb stops at the end
    EXPECT_EQ(slider_->Value(), 240000);
    SendMessageA(hwnd_, WM_MOUSEMOVE, MK_LBUTTON, At(-300, -5));
    EXPECT_EQ(slider_->Value(), 0);
    SendMessageA(hwnd_, WM_MOUSEMOVE, MK_LBUTTON, At(20 + 100, 15));  // 100 of 324 pixels
    SendMessageA(hwnd_, WM_LBUTTONUP, 0, At(20 + 100, 15));
    EXPECT_EQ(log_, (std::vector<std::string>{"changed 74074", "up 74074"}));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(SliderWindowTest, TrackPressRepeatsOnTheWindowTimerUntilRelease) {
    SendMessageA(hwnd_, WM_LBUTTONDOWN, MK_LBUTTON, At(300, 12));
    EXPECT_EQ(slider_->Value(), 1);
    EXPECT_EQ(GetCapture(), hwnd_);
    ASSERT_TRUE(PumpUntil([&] { return slider_->Value() >= 2; })) << "no repeat step";
    SendMessageA(hwnd_, WM_LBUTTONUP, 0, At(300, 12));
    const int32_t final = slider_->Value();
    EXPECT_EQ(log_, (std::vector<std::string>{"changed " + std::to_string(final), "up " + std::to_string(final)}));
    EXPECT_FALSE(KillTimer(hwnd_, SliderModel::kRepeatTimer)) << "the repeat timer outlived the press";
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(SliderWindowTest, KeysAndTheDialogCode) {
    EXPECT_EQ(SendMessageA(hwnd_, WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS);
    SetFocus(hwnd_);
    SendMessageA(hwnd_, WM_KEYDOWN, VK_END, 0);
    EXPECT_EQ(slider_->Value(), 240000);
    SendMessageA(hwnd_, WM_KEYDOWN, VK_LEFT, 0);
    EXPECT_EQ(slider_->Value(), 239999);
    SendMessageA(hwnd_, WM_KEYDOWN, VK_HOME, 0);
    EXPECT_EQ(slider_->Value(), 0);
    SendMessageA(hwnd_, WM_KEYDOWN, VK_LEFT, 0);  // nothing moves, OnChanged still fires
    EXPECT_EQ(log_, (std::vector<std::string>{"changed 240000", "changed 239999", "changed 0", "changed 0"}));

    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    SendMessageA(hwnd_, WM_KEYDOWN, VK_RIGHT, 0);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(slider_->Value(), 0) << "Shift+Right is not the slider's";
    EXPECT_EQ(log_.size(), 4u);
}

TEST_F(SliderWindowTest, AValueChangeInvalidatesOnlyTheOldAndNewThumb) {
    UpdateWindow(hwnd_);
    RECT none;
    ASSERT_FALSE(GetUpdateRect(hwnd_, &none, FALSE)) << "the slider was not painted";
    const IntRect before = slider_->Model().ThumbRect();
    slider_->SetValue(120000);
    const IntRect after = slider_->Model().ThumbRect();
    ASSERT_NE(before.left, after.left);

    RECT bounds;
    ASSERT_TRUE(GetUpdateRect(hwnd_, &bounds, FALSE));
    EXPECT_EQ(bounds.left, before.left);
    EXPECT_EQ(bounds.right, after.right);
    HRGN update = CreateRectRgn(0, 0, 0, 0);
    GetUpdateRgn(hwnd_, update, FALSE);
    HRGN expected = CreateRectRgn(before.left, before.top, before.right, before.bottom);
    HRGN second = CreateRectRgn(after.left, after.top, after.right, after.bottom);
    CombineRgn(expected, expected, second, RGN_OR);
    EXPECT_TRUE(EqualRgn(update, expected)) << "more than the two thumb rectangles was invalidated";
    DeleteObject(update);
    DeleteObject(expected);
    DeleteObject(second);
}

TEST_F(SliderWindowTest, PaintingShowsRulerTicksAndTheThumbWithItsTransparentCorner) {
    slider_->Model().SetMaxValue(100);
    slider_->SetValue(0);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 369, 33);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    // The first painting leaves the platform's own caches (system colour
    // brushes) behind; every later one must leave nothing.
    SendMessageA(hwnd_, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    const long objectsBefore = LiveGdiHandles();
    ASSERT_GT(objectsBefore, 0) << "no handle table to count in";
    for (int i = 0; i < 3; ++i) SendMessageA(hwnd_, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);

    EXPECT_EQ(GetPixel(dc, 1, 1), kBackground);
    EXPECT_EQ(GetPixel(dc, 7, 7), kBackground) << "the thumb's background is drawn transparent";
    EXPECT_NE(GetPixel(dc, 6 + 16, 6 + 8), kBackground) << "no knob";
    EXPECT_NE(GetPixel(dc, 200, 12 + 3), kBackground) << "no ruler";
    const COLORREF ink = GetSysColor(COLOR_WINDOWTEXT);
    EXPECT_EQ(GetPixel(dc, 6 + 16, 31), ink) << "the first tick is 5 pixels long";
    EXPECT_EQ(GetPixel(dc, 6 + 16, 32), kBackground);
    const int secondTick = slider_->Model().TickMarks(1, 3, 5).at(1).x;  // every second unit: 3 pixels apart is too close
    EXPECT_EQ(secondTick, slider_->Model().OffsetOf(2) + 16);
    EXPECT_EQ(GetPixel(dc, secondTick, 29), ink);
    EXPECT_EQ(GetPixel(dc, secondTick, 30), kBackground) << "inner ticks are 3 pixels long";
    EXPECT_EQ(LiveGdiHandles(), objectsBefore) << "painting leaks GDI objects";

    // Pressed, the thumb shows its darker second state.
    const COLORREF normal = GetPixel(dc, 6 + 16, 6 + 8);
    SendMessageA(hwnd_, WM_LBUTTONDOWN, MK_LBUTTON, At(20, 15));
    SendMessageA(hwnd_, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    EXPECT_LT(GetRValue(GetPixel(dc, 6 + 16, 6 + 8)), GetRValue(normal));
    SendMessageA(hwnd_, WM_LBUTTONUP, 0, At(20, 15));

    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

TEST_F(SliderWindowTest, HandCursorOverTheThumb) {
    ASSERT_TRUE(Slider::ScreenCursor(Slider::kHandCursor));
    ASSERT_TRUE(Slider::ScreenCursor(Slider::kDragCursor));
    POINT p{20, 15};
    ClientToScreen(hwnd_, &p);
    SetCursorPos(p.x, p.y);
    ASSERT_TRUE(PumpUntil([&] {
        POINT now;
        GetCursorPos(&now);
        return now.x == p.x && now.y == p.y;
    })) << "the pointer cannot be placed here";
    EXPECT_TRUE(SendMessageA(hwnd_, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd_), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(GetCursor(), Slider::ScreenCursor(Slider::kHandCursor));
}

TEST_F(SliderWindowTest, DefaultImagesAndTheirSizes) {
    Slider plain(ChildPlace{host_, orvik::At(0, 60, 150, 40)});
    const SIZE sizes[4] = {{18, 17}, {10, 8}, {38, 9}, {8, 10}};
    for (int slot = 0; slot < 4; ++slot) {
        const SIZE s = BitmapSize(plain.Image(static_cast<SliderImage>(slot)));
        EXPECT_EQ(s.cx, sizes[slot].cx) << slot;
        EXPECT_EQ(s.cy, sizes[slot].cy) << slot;
    }
    RECT r;
    GetClientRect(plain.Handle(), &r);
    EXPECT_EQ(r.right, 150);
    EXPECT_EQ(r.bottom, 40);
    EXPECT_EQ(plain.Model().UserImages(), 0);
    EXPECT_TRUE(GetWindowLongA(plain.Handle(), GWL_STYLE) & WS_TABSTOP);

    // Back to the default thumb: the user mark goes, and so does an opaque thumb.
    slider_->Model().SetOptions(slider_->Model().Options() | SliderOption::ThumbOpaque);
    slider_->SetImageHThumb(nullptr);
    EXPECT_EQ(slider_->Model().UserImages(), 0);
    EXPECT_FALSE(slider_->Model().Options().Has(SliderOption::ThumbOpaque));
    EXPECT_EQ(slider_->Model().ThumbRect().right - slider_->Model().ThumbRect().left, 9);

    // Turning the slider swaps its width and height.
    plain.SetOrientation(SliderOrientation::Vertical);
    GetClientRect(plain.Handle(), &r);
    EXPECT_EQ(r.right, 40);
    EXPECT_EQ(r.bottom, 150);
    EXPECT_EQ(plain.Model().RulerLength(), 150 - 12 - 9);
}

}  // namespace
