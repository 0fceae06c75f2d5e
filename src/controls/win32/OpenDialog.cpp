#include "controls/win32/OpenDialog.h"

#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>

#include <vector>

#include "app/win32/Application.h"
#include "app/win32/LateBound.h"
#include "app/win32/WideText.h"
#include "controls/FileFilter.h"

namespace orvik {

namespace {
constexpr UINT_PTR kCheckSubclass = 1;

// The "File name" field: an edit inside the dialog's name box (or the edit
// of the older layout).
HWND NameField(HWND dialog) {
    HWND box = GetDlgItem(dialog, cmb13);
    if (!box) return GetDlgItem(dialog, edt1);
    if (HWND edit = FindWindowExA(box, nullptr, "Edit", nullptr)) return edit;
    HWND inner = FindWindowExA(box, nullptr, "ComboBox", nullptr);
    return inner ? FindWindowExA(inner, nullptr, "Edit", nullptr) : box;
}

bool IsAbsolute(const wchar_t* name) {
    return (name[0] != L'\0' && name[1] == L':') || name[0] == L'\\' || name[0] == L'/';
}

// The dialog's own OK: the name typed is checked before the dialog acts on
// it, and a name too long for a path is refused in place.
LRESULT CALLBACK CheckNameProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (msg == WM_COMMAND && LOWORD(wParam) == IDOK) {
        HWND field = NameField(dialog);
        const WideText typed = field ? TextOf(field) : WideText(1, L'\0');
        size_t length = wcslen(typed.data());
        if (length > 0 && !IsAbsolute(typed.data())) {
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

std::optional<std::string> AnsiPathOf(const wchar_t* path) {
    if (std::optional<std::string> plain = Narrow(path)) return plain;
    const DWORD n = GetShortPathNameW(path, nullptr, 0);
    if (n == 0) return std::nullopt;
    WideText shortPath(n + 1, L'\0');
    if (GetShortPathNameW(path, shortPath.data(), n) == 0) return std::nullopt;
    return Narrow(shortPath.data());
}

bool RunOpenDialog(HWND owner, const OpenDialogOptions& options, std::string& path) {
    const WideText filter = Widen(PlatformFilter(options.filter));
    std::vector<wchar_t> file(MAX_PATH * 4, L'\0');
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.hInstance = Application::Instance().Module();
    ofn.lpstrFilter = filter.data();
    ofn.nFilterIndex = static_cast<DWORD>(options.filterIndex);
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpfnHook = &DialogHook;
    ofn.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_ENABLEHOOK;
    if (options.hideReadOnly) ofn.Flags |= OFN_HIDEREADONLY;
    if (options.resizable) ofn.Flags |= OFN_ENABLESIZING;
    if (options.fileMustExist) ofn.Flags |= OFN_FILEMUSTEXIST;
    // comdlg32 loads with the first dialog, not with the program.
    static const auto getOpenFileName = LateBound<decltype(GetOpenFileNameW)>("comdlg32.dll", "GetOpenFileNameW");
    if (!getOpenFileName || !getOpenFileName(&ofn)) return false;
    const std::optional<std::string> ansi = AnsiPathOf(file.data());
    if (!ansi) {
        const wchar_t* const reason =
            L"\" cannot be added: its name has characters that this program cannot pass on, and it has no short name.";
        WideText text(1, L'"');
        text.insert(text.end(), file.data(), file.data() + wcslen(file.data()));
        text.insert(text.end(), reason, reason + wcslen(reason) + 1);
        MessageBoxW(owner, text.data(), Widen(Application::Instance().Title()).data(), MB_OK | MB_ICONWARNING);
        return false;
    }
    path = *ansi;
    return true;
}

}  // namespace orvik
