// The yardstick for the start-up benchmark: the least a program of the same
// shape does before its window shows. It initialises the common controls,
// shows a borderless 306 x 184 window holding a list box, adds a
// notification-area icon, and links the common dialogs (the import alone:
// they load with the program). scripts/bench.sh starts it beside
// OrvikPlayer.exe and prints the ratio of the two.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

namespace {
const char* const kClass = "OrvikReference";
constexpr UINT kTrayMessage = WM_APP + 1;
NOTIFYICONDATAA g_tray{};

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CLOSE:
        Shell_NotifyIconA(NIM_DELETE, &g_tray);
        DestroyWindow(hwnd);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    // Keeps comdlg32 among the imports, as a program with a file-open dialog has it.
    if (CommDlgExtendedError() == 0xFFFFFFFF) return 2;

    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &Proc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClass;
    if (!RegisterClassExA(&wc)) return 1;

    const int w = 306, h = 184;
    HWND hwnd = CreateWindowExA(0, kClass, "Reference", WS_POPUP | WS_CLIPCHILDREN,
                                (GetSystemMetrics(SM_CXSCREEN) - w) / 2, (GetSystemMetrics(SM_CYSCREEN) - h) / 2, w,
                                h, nullptr, nullptr, instance, nullptr);
    if (!hwnd) return 1;
    CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "",
                    WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 16, 72, 273,
                    97, hwnd, nullptr, instance, nullptr);

    g_tray.cbSize = NOTIFYICONDATAA_V1_SIZE;
    g_tray.hWnd = hwnd;
    g_tray.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    g_tray.uCallbackMessage = kTrayMessage;
    g_tray.hIcon = wc.hIcon;
    lstrcpyA(g_tray.szTip, "Reference");
    Shell_NotifyIconA(NIM_ADD, &g_tray);

    ShowWindow(hwnd, SW_SHOW);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
