// The spin edit on the real platform, as the WMA dialog has it (121 x 21,
// 1..100, 75): driven by real mouse, key and timer messages.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>

#include "TestSupport.h"
#include "app/win32/Application.h"
#include "app/win32/Form.h"
#include "controls/win32/SpeedButton.h"
#include "controls/win32/SpinEdit.h"

using namespace orvik;

namespace {
constexpr int kNextId = 7;

// The WMA dialog's neighbours of the spin edit: a field after it and a flat button.
class SpinHostForm : public test::HostForm {
public:
    SpinHostForm() : HostForm("TSpinHostForm", 240, 80) {
        next = AddChild(ChildSpec{"EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, WS_EX_CLIENTEDGE,
                                  {hwnd_, At(140, 15, 60, 21), kNextId}});
        flat.SetBounds(At(8, 50, 100, 22));
        flat.SetCaption("Encode");
        flat.onClick = [this] { commands += "click,"; };
        AddGraphic(&flat);
    }
    bool PreTranslateMessage(MSG& msg) override {
        return msg.message == WM_KEYDOWN && msg.wParam == VK_TAB && IsDialogMessageA(hwnd_, &msg);
    }
    void Command(unsigned id) override { commands += std::to_string(id) + ","; }

    HWND next = nullptr;
    SpeedButton flat;
    std::string commands;
};

class SpinEditTest : public testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<SpinHostForm>();
        SpinEditSpec s;
        s.place = {form->Handle(), At(16, 15, 121, 21), 3};
        s.minValue = 1;
        s.maxValue = 100;
        s.value = 75;
        font = CreateUiFont("MS Sans Serif", 11);
        s.font = font.Get();
        spin.CreateControl(s);
        spin.onChange = [this] { log += "change,"; };
        spin.onTopClick = [this] { log += "top,"; };
        spin.onBottomClick = [this] { log += "bottom,"; };
        form->Show();
        SetFocus(form->next);
    }
    void TearDown() override {
        ReleaseCapture();
        form->Hide();
    }

    HWND Edit() const { return spin.Handle(); }
    HWND ButtonWindow() { return spin.Button().Handle(); }
    LRESULT ToButton(UINT msg, int x, int y, WPARAM keys = 0) {
        return SendMessageA(ButtonWindow(), msg, keys, MAKELPARAM(x, y));
    }
    void Char(char c) { SendMessageA(Edit(), WM_CHAR, static_cast<unsigned char>(c), 1); }
    void Type(const std::string& text) {
        for (char c : text) Char(c);
    }
    // With Alt held, a key comes as WM_SYSKEYDOWN with the context bit set.
    void Key(UINT vk, bool alt = false) {
        SendMessageA(Edit(), alt ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, alt ? 0x20000001 : 1);
        SendMessageA(Edit(), alt ? WM_SYSKEYUP : WM_KEYUP, vk, alt ? 0xE0000001 : 0xC0000001);
    }
    // A key through the message loop, as the program's loop handles it.
    void PostedKey(HWND target, UINT vk) {
        PostMessageA(target, WM_KEYDOWN, vk, 1);
        PostMessageA(target, WM_KEYUP, vk, 0xC0000001);
        Application::Instance().ProcessMessages();
    }
    DWORD Selection() const {
        DWORD start = 0, end = 0;
        SendMessageA(Edit(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return MAKELONG(start, end);
    }
    COLORREF PixelOfButton(int x, int y) {
        RECT r;
        GetClientRect(ButtonWindow(), &r);
        ScreenDC screen;
        MemoryDC mem(screen);
        Bitmap bitmap(CreateCompatibleBitmap(screen, r.right, r.bottom));
        SelectGuard sel(mem, bitmap.Get());
        SendMessageA(ButtonWindow(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(mem.Get()), PRF_CLIENT);
        return GetPixel(mem, x, y);
    }

    std::unique_ptr<SpinHostForm> form;
    Font font;
    SpinEdit spin;
    std::string log;
};

// Points of the 18 x 18 button: well inside the upper-left and lower-right halves.
constexpr int kTopX = 4, kTopY = 4, kBottomX = 13, kBottomY = 13;
}  // namespace

TEST_F(SpinEditTest, IsAnEditWithTheDiagonalButtonAtItsRightEndAndTextKeptOffIt) {
    char name[64] = {};
    GetClassNameA(Edit(), name, sizeof name);
    EXPECT_STREQ(name, "TRxSpinEdit");
    GetClassNameA(ButtonWindow(), name, sizeof name);
    EXPECT_STREQ(name, "TRxSpinButton");
    EXPECT_EQ(spin.Text(), "75");
    EXPECT_EQ(GetParent(ButtonWindow()), Edit());
    RECT r;
    GetWindowRect(ButtonWindow(), &r);
    MapWindowPoints(nullptr, Edit(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 99);
    EXPECT_EQ(r.top, -1);
    EXPECT_EQ(r.right - r.left, 18);
    EXPECT_EQ(r.bottom - r.top, 18);
    RECT format{};
    SendMessageA(Edit(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    EXPECT_LE(format.right, 99);

    // The pictures: the frame, the arrows at their places, the pressed
    // half's arrow one pixel further right and down.
    EXPECT_EQ(PixelOfButton(0, 8), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(PixelOfButton(3 + 2, 3 + 1), RGB(0, 0, 0));    // up arrow's tip at (3, 3) + (2, 1)
    EXPECT_EQ(PixelOfButton(9 + 2, 9 + 4), RGB(0, 0, 0));    // down arrow's tip at (9, 9) + (2, 4)
    ToButton(WM_LBUTTONDOWN, kTopX, kTopY, MK_LBUTTON);
    EXPECT_EQ(PixelOfButton(3 + 2, 3 + 1), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(PixelOfButton(4 + 2, 4 + 1), RGB(0, 0, 0));
    ToButton(WM_LBUTTONUP, kTopX, kTopY);
}

TEST_F(SpinEditTest, PressHoldMoveAndReleaseStepAndRepeatOnTheHeldHalfOnly) {
    ToButton(WM_LBUTTONDOWN, kTopX, kTopY, MK_LBUTTON);  // a step at once
    EXPECT_EQ(spin.Text(), "76");
    EXPECT_EQ(GetCapture(), ButtonWindow());
    EXPECT_EQ(GetFocus(), Edit());  // the press focuses the edit
    EXPECT_EQ(spin.Button().Down(), SpinHalf::Top);
    // The repeat timer really runs while the half is held.
    ASSERT_TRUE(test::PumpUntil([&] { return spin.Text() == "78"; }, 5000));
    // Over the other half the repeat pauses, and that half never steps.
    ToButton(WM_MOUSEMOVE, kBottomX, kBottomY, MK_LBUTTON);
    EXPECT_EQ(spin.Button().Down(), SpinHalf::None);
    const std::string paused = spin.Text();
    ToButton(WM_TIMER, 0, 0, SpinButton::kRepeatTimer);
    EXPECT_EQ(spin.Text(), paused);
    ToButton(WM_MOUSEMOVE, 40, kTopY, MK_LBUTTON);  // outside the button
    EXPECT_EQ(spin.Button().Down(), SpinHalf::None);
    ToButton(WM_MOUSEMOVE, kTopX, kTopY, MK_LBUTTON);  // back: it goes on
    EXPECT_EQ(spin.Button().Down(), SpinHalf::Top);
    SendMessageA(ButtonWindow(), WM_TIMER, SpinButton::kRepeatTimer, 0);
    EXPECT_EQ(spin.Text(), std::to_string(std::stoi(paused) + 1));
    ToButton(WM_LBUTTONUP, kTopX, kTopY);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(spin.Button().Down(), SpinHalf::None);
    const std::string released = spin.Text();
    SendMessageA(ButtonWindow(), WM_TIMER, SpinButton::kRepeatTimer, 0);
    EXPECT_EQ(spin.Text(), released);
    EXPECT_EQ(log.find("bottom"), std::string::npos);

    // The lower half steps down; at the bound a step changes nothing and
    // reports no change, but the click still fires.
    log.clear();
    ToButton(WM_LBUTTONDOWN, kBottomX, kBottomY, MK_LBUTTON);
    ToButton(WM_LBUTTONUP, kBottomX, kBottomY);
    EXPECT_EQ(spin.Text(), std::to_string(std::stoi(released) - 1));
    EXPECT_EQ(log, "change,bottom,");
    spin.SetValue(100);
    log.clear();
    ToButton(WM_LBUTTONDOWN, kTopX, kTopY, MK_LBUTTON);
    ToButton(WM_LBUTTONUP, kTopX, kTopY);
    EXPECT_EQ(spin.Text(), "100");
    EXPECT_EQ(log, "top,");
}

TEST_F(SpinEditTest, TypingIsFilteredAndEnterAndEscapeGoToTheDialog) {
    SetFocus(Edit());
    SendMessageA(Edit(), EM_SETSEL, 0, -1);
    log.clear();
    Type("4a2.x");  // letters and the point are refused
    EXPECT_EQ(spin.Text(), "42");
    Type("-");
    EXPECT_EQ(spin.Text(), "42-");  // judged one by one
    EXPECT_EQ(log, "change,change,change,");
    Char('\r');
    Char('\x1b');
    Char('\t');
    EXPECT_EQ(spin.Text(), "42-");
    EXPECT_EQ(form->commands, "1,2,");  // IDOK, IDCANCEL
    Char('\b');
    EXPECT_EQ(spin.Text(), "42");

    // Up and Down step whatever is held; with Alt they come as system keys.
    Key(VK_UP);
    EXPECT_EQ(spin.Text(), "43");
    Key(VK_DOWN);
    Key(VK_DOWN);
    EXPECT_EQ(spin.Text(), "41");
    Key(VK_UP, true);
    EXPECT_EQ(spin.Text(), "42");
    Key(VK_DOWN, true);
    EXPECT_EQ(spin.Text(), "41");

    // Paste is not filtered; with the editor disabled it is ignored, and
    // so is typing.
    ASSERT_TRUE(OpenClipboard(form->Handle()));
    EmptyClipboard();
    HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE, 4);
    memcpy(GlobalLock(text), "abc", 4);
    GlobalUnlock(text);
    SetClipboardData(CF_TEXT, text);
    CloseClipboard();
    SendMessageA(Edit(), EM_SETSEL, 0, -1);
    spin.Model().editorEnabled = false;
    SendMessageA(Edit(), WM_PASTE, 0, 0);
    Type("7\b");
    EXPECT_EQ(spin.Text(), "41");
    spin.Model().editorEnabled = true;
    SendMessageA(Edit(), WM_PASTE, 0, 0);
    EXPECT_EQ(spin.Text(), "abc");
    EXPECT_EQ(spin.Value(), 1);  // not a number: MinValue
}

TEST_F(SpinEditTest, LeavingWithTabClampsButAClickOnAFlatButtonLeavesTheText) {
    // Entry from the keyboard selects everything.
    PostedKey(form->next, VK_TAB);
    ASSERT_EQ(GetFocus(), Edit());
    EXPECT_EQ(Selection(), MAKELONG(0, 2));
    Type("250");
    // A flat button takes no focus: the text stays as typed.
    SendMessageA(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 60));
    SendMessageA(form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(20, 60));
    EXPECT_EQ(form->commands, "click,");
    EXPECT_EQ(GetFocus(), Edit());
    EXPECT_EQ(spin.Text(), "250");
    // Tab leaves the edit and brings the number into range.
    PostedKey(Edit(), VK_TAB);
    EXPECT_EQ(GetFocus(), form->next);
    EXPECT_EQ(spin.Text(), "100");
    // A text that is no number stays on leaving.
    SetWindowTextA(Edit(), "--");
    SetFocus(Edit());
    SetFocus(form->next);
    EXPECT_EQ(spin.Text(), "--");

    // Entry by a click on the edit keeps the caret where it was put.
    SetWindowTextA(Edit(), "55");
    SendMessageA(Edit(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 5));
    SendMessageA(Edit(), WM_LBUTTONUP, 0, MAKELPARAM(2, 5));
    EXPECT_EQ(GetFocus(), Edit());
    EXPECT_NE(Selection(), MAKELONG(0, 2));
}

TEST_F(SpinEditTest, StandardKindUsesTheUpDownControl) {
    spin.SetButtonKind(SpinButtonKind::Standard);
    EXPECT_EQ(ButtonWindow(), nullptr);
    ASSERT_NE(spin.UpDown(), nullptr);
    char name[64] = {};
    GetClassNameA(spin.UpDown(), name, sizeof name);
    EXPECT_STREQ(name, "TRxUpDown");
    RECT r;
    GetClientRect(spin.UpDown(), &r);
    SendMessageA(spin.UpDown(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.right / 2, 2));
    SendMessageA(spin.UpDown(), WM_LBUTTONUP, 0, MAKELPARAM(r.right / 2, 2));
    EXPECT_EQ(spin.Text(), "76");
    SendMessageA(spin.UpDown(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.right / 2, r.bottom - 2));
    SendMessageA(spin.UpDown(), WM_LBUTTONUP, 0, MAKELPARAM(r.right / 2, r.bottom - 2));
    EXPECT_EQ(spin.Text(), "75");
    EXPECT_EQ(log, "change,top,change,bottom,");
    EXPECT_EQ(GetFocus(), Edit());

    spin.SetButtonKind(SpinButtonKind::Diagonal);
    EXPECT_EQ(spin.UpDown(), nullptr);
    EXPECT_NE(ButtonWindow(), nullptr);
}
