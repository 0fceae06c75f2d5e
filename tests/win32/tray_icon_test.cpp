// The tray icon on the real shell: the notify record, the icon's presence in
// the notification area, and its notifications driven as the shell sends them.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include <atomic>
#include <cstring>
#include <functional>
#include <thread>

#include "app/win32/Application.h"
#include "controls/win32/PopupMenu.h"
#include "shell/win32/TrayIcon.h"

using namespace orvik;

namespace {
// Whether the shell holds an icon for this window: modifying nothing succeeds
// only for an icon it has (deleting succeeds either way under Wine).
bool IconPresent(HWND window) {
    NOTIFYICONDATAA probe{};
    probe.cbSize = NOTIFYICONDATAA_V1_SIZE;
    probe.hWnd = window;
    probe.uID = 0;
    return Shell_NotifyIconA(NIM_MODIFY, &probe) != FALSE;
}

bool WaitFor(const std::function<bool()>& condition) {
    for (int i = 0; i < 300; ++i) {
        if (condition()) return true;
        Application::Instance().ProcessMessages();
        Sleep(10);
    }
    return condition();
}

HICON ProgramIcon() {
    return static_cast<HICON>(LoadImageA(Application::Instance().Module(), "MAINICON", IMAGE_ICON, 32, 32, 0));
}

// On another thread: waits for the popup menu, notes where it opened, and
// chooses the item `downs` presses down from the top (Escape when negative).
struct MenuChooser {
    RECT rect{};
    std::atomic<bool> seen{false};
    std::thread thread;
    void Start(int downs) {
        thread = std::thread([this, downs] {
            HWND menu = nullptr;
            for (int i = 0; i < 500 && !menu; ++i) {
                for (HWND h = FindWindowExA(nullptr, nullptr, "#32768", nullptr); h;
                     h = FindWindowExA(nullptr, h, "#32768", nullptr))
                    if (IsWindowVisible(h)) menu = h;
                if (!menu) Sleep(10);
            }
            if (!menu) return;
            GetWindowRect(menu, &rect);
            seen = true;
            Sleep(150);  // keys before the menu's own loop runs would be lost
            if (downs < 0) {
                PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
                return;
            }
            for (int i = 0; i < downs; ++i) PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
            PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
        });
    }
    ~MenuChooser() {
        if (thread.joinable()) thread.join();
    }
};

// The window the menu's commands go to: it counts them.
struct CommandSink {
    static constexpr unsigned kFirst = 10, kSecond = 11;
    int first = 0, second = 0;
    HWND hwnd = nullptr;
    CommandSink() {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "OrvikCommandSink";
        RegisterClassA(&wc);
        hwnd = CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~CommandSink() { DestroyWindow(hwnd); }
    static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM w, LPARAM l) {
        auto* self = reinterpret_cast<CommandSink*>(GetWindowLongPtrA(h, GWLP_USERDATA));
        if (msg == WM_COMMAND && self) {
            if (LOWORD(w) == kFirst) ++self->first;
            if (LOWORD(w) == kSecond) ++self->second;
            return 0;
        }
        return DefWindowProcA(h, msg, w, l);
    }
};

class TrayIconTest : public testing::Test {
protected:
    void SetUp() override {
        menu.Build({{CommandSink::kFirst, "First", {}}, {0, "-", {}}, {CommandSink::kSecond, "Second", {}}});
        icon.SetPopupMenu(&menu, sink.hwnd);
        icon.onDblClick = [this] { ++doubleClicks; };
        icon.SetHint("Orvik Encoder");
        icon.SetIcon(ProgramIcon());
        icon.Loaded();
    }
    void Notify(UINT mouse) { SendMessageA(icon.Handle(), TrayIcon::kCallbackMessage, 0, mouse); }

    CommandSink sink;
    PopupMenu menu;
    TrayIcon icon;
    int& first = sink.first;
    int& second = sink.second;
    int doubleClicks = 0;
};
}  // namespace

TEST_F(TrayIconTest, TheNotifyRecordIsTheFirstFormWithTheTip) {
    const NOTIFYICONDATAA& r = icon.Record();
    EXPECT_EQ(r.cbSize, static_cast<DWORD>(NOTIFYICONDATAA_V1_SIZE));
    EXPECT_EQ(r.hWnd, icon.Handle());
    EXPECT_EQ(r.uID, 0u);
    EXPECT_EQ(r.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(r.uCallbackMessage, 0xB054u);
    EXPECT_NE(r.hIcon, nullptr);
    EXPECT_STREQ(r.szTip, "Orvik Encoder");
    EXPECT_TRUE(icon.Added());
    EXPECT_FALSE(IsWindowVisible(icon.Handle()));
    EXPECT_TRUE(IconPresent(icon.Handle()));

    icon.SetHint(std::string(70, 'h') + "|the long part");
    EXPECT_EQ(std::strlen(icon.Record().szTip), 63u);
}

TEST_F(TrayIconTest, ComesBackWhenTheNotificationAreaIsMadeAnewAndGoesWithTheSession) {
    NOTIFYICONDATAA gone{};
    gone.cbSize = NOTIFYICONDATAA_V1_SIZE;
    gone.hWnd = icon.Handle();
    Shell_NotifyIconA(NIM_DELETE, &gone);  // as a restarted shell would have lost it
    ASSERT_TRUE(WaitFor([&] { return !IconPresent(icon.Handle()); }));
    // The shell announces its new notification area to every top-level window.
    SendMessageA(icon.Handle(), RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(WaitFor([&] { return IconPresent(icon.Handle()); }));

    SendMessageA(icon.Handle(), WM_ENDSESSION, TRUE, 0);
    EXPECT_TRUE(WaitFor([&] { return !IconPresent(icon.Handle()); }));
    Notify(WM_LBUTTONDBLCLK);  // nothing is handled after that
    EXPECT_EQ(doubleClicks, 0);
}

TEST_F(TrayIconTest, LeftClicksDoNothingAndADoubleClickRunsTheHandler) {
    Notify(WM_LBUTTONDOWN);
    Notify(WM_LBUTTONUP);
    Notify(WM_MOUSEMOVE);
    EXPECT_EQ(doubleClicks, 0);
    EXPECT_EQ(first + second, 0);
    Notify(WM_LBUTTONDBLCLK);
    Notify(WM_LBUTTONUP);
    EXPECT_EQ(doubleClicks, 1);
    EXPECT_EQ(first + second, 0);
}

TEST_F(TrayIconTest, ARightClickOpensTheMenuAtTheIconAndTheChoiceRunsAfterwards) {
    // The pointer is not on the icon: the right click is Win+B and Enter
    // (as Windows sends them to an icon of this kind), and the menu opens at
    // the icon, in the notification area at the lower right of the screen.
    SetCursorPos(300, 200);
    // The pointer moves once the display has taken the move.
    ASSERT_TRUE(WaitFor([] {
        POINT at;
        return GetCursorPos(&at) && at.x == 300 && at.y == 200;
    }));
    {
        MenuChooser chooser;
        chooser.Start(2);  // Down, Down: the separator is skipped, "Second"
        Notify(WM_RBUTTONDOWN);
        Notify(WM_RBUTTONUP);  // returns once the menu has closed
        chooser.thread.join();
        ASSERT_TRUE(chooser.seen);
        EXPECT_GT(chooser.rect.right, GetSystemMetrics(SM_CXSCREEN) * 3 / 4);
        EXPECT_GT(chooser.rect.bottom, GetSystemMetrics(SM_CYSCREEN) * 3 / 4);
    }
    EXPECT_EQ(second, 1);
    EXPECT_EQ(first, 0);

    // A right button-up without its down opens nothing.
    Notify(WM_RBUTTONUP);
    EXPECT_EQ(first + second, 0 + 1);

    MenuChooser cancel;
    cancel.Start(-1);
    Notify(WM_RBUTTONDOWN);
    Notify(WM_RBUTTONUP);
    cancel.thread.join();
    EXPECT_TRUE(cancel.seen);
    EXPECT_EQ(first + second, 1);
}
