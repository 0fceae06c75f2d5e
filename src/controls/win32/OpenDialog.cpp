#include "controls/win32/OpenDialog.h"

#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>

#include <vector>

#include "app/win32/Application.h"
#include "controls/FileFilter.h"

namespace orvik {

namespace {
constexpr UINT_PTR kCheckSubclass = 1;

std::wstring Widen(const std::string& text) {
    if (text.empty()) return {};
    const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0], n);
    return wide;
}

// The text in the ANSI code page, or nothing when a character has no place there.
std::optional<std::string> Narrow(const std::wstring& text) {
    if (text.empty()) return std::string();
    BOOL lossy = FALSE;
    const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()),
                                      nullptr, 0, nullptr, &lossy);
    if (n <= 0 || lossy) return std::nullopt;
    std::string narrow(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()), &narrow[0], n,
                        nullptr, &lossy);
    if (lossy) return std::nullopt;
    return narrow;
}

std::wstring TextOf(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, &text[0], static_cast<int>(text.size()))));
    return text;
}

// The "File name" field: an edit inside the dialog's name box (or the edit
// of the older layout).
HWND NameField(HWND dialog) {
    HWND box = GetDlgItem(dialog, cmb13);
    if (!box) return GetDlgItem(dialog, edt1);
    if (HWND edit = FindWindowExA(box, nullptr, "Edit", nullptr)) return edit;
    HWND inner = FindWindowExA(box, nullptr, "ComboBox", nullptr);
    return inner ? FindWindowExA(inner, nullptr, "Edit", nullptr) : box;
}

bool IsAbsolute(const std::wstring& name) {
    return (name.size() >= 2 && name[1] == L':') || (!name.empty() && (name[0] == L'\\' || name[0] == L'/'));
}

// The dialog's own OK: the name typed is checked before the dialog acts on
// it, and a name too long for a path is refused in place.
LRESULT CALLBACK CheckNameProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (msg == WM_COMMAND && LOWORD(wParam) == IDOK) {
        HWND field = NameField(dialog);
        const std::wstring typed = field ? TextOf(field) : std::wstring();
        size_t length = typed.size();
        if (!typed.empty() && !IsAbsolute(typed)) {
            wchar_t folder[MAX_PATH * 2] = {};
            SendMessageW(dialog, CDM_GETFOLDERPATH, MAX_PATH * 2, reinterpret_cast<LPARAM>(folder));
            length += wcslen(folder) + 1;
        }
        if (length > kMaxChosenPath) {
            MessageBoxA(dialog, "The file name is too long.", Application::Instance().Title().c_str(),
                        MB_OK | MB_ICONWARNING);
            return 0;
        }
    }
    if (msg == WM_NCDESTROY) RemoveWindowSubclass(dialog, &CheckNameProc, kCheckSubclass);
    return DefSubclassProc(dialog, msg, wParam, lParam);
}

UINT_PTR CALLBACK DialogHook(HWND hook, UINT msg, WPARAM, LPARAM) {
    // The hook's own window is a child of the dialog that holds the controls.
    if (msg == WM_INITDIALOG) SetWindowSubclass(GetParent(hook), &CheckNameProc, kCheckSubclass, 0);
    return 0;
}
}  // namespace

std::optional<std::string> AnsiPathOf(const std::wstring& path) {
    if (std::optional<std::string> plain = Narrow(path)) return plain;
    const DWORD n = GetShortPathNameW(path.c_str(), nullptr, 0);
    if (n == 0) return std::nullopt;
    std::wstring shortPath(n, L'\0');
    shortPath.resize(GetShortPathNameW(path.c_str(), &shortPath[0], n));
    return shortPath.empty() ? std::nullopt : Narrow(shortPath);
}

bool RunOpenDialog(HWND owner, const OpenDialogOptions& options, std::string& path) {
    const std::wstring filter = Widen(PlatformFilter(options.filter));
    std::vector<wchar_t> file(MAX_PATH * 4, L'\0');
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.hInstance = Application::Instance().Module();
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(options.filterIndex);
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpfnHook = &DialogHook;
    ofn.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_ENABLEHOOK;
    if (options.hideReadOnly) ofn.Flags |= OFN_HIDEREADONLY;
    if (options.resizable) ofn.Flags |= OFN_ENABLESIZING;
    if (options.fileMustExist) ofn.Flags |= OFN_FILEMUSTEXIST;
    if (!GetOpenFileNameW(&ofn)) return false;
    const std::wstring chosen = file.data();
    const std::optional<std::string> ansi = AnsiPathOf(chosen);
    if (!ansi) {
        const std::wstring text = L"\"" + chosen +
                                  L"\" cannot be added: its name has characters that this program cannot pass on, "
                                  L"and it has no short name.";
        MessageBoxW(owner, text.c_str(), Widen(Application::Instance().Title()).c_str(), MB_OK | MB_ICONWARNING);
        return false;
    }
    path = *ansi;
    return true;
}

}  // namespace orvik
