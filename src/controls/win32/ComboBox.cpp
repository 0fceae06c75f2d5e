#include "controls/win32/ComboBox.h"

namespace orvik {

namespace {
// Posted to the combo box itself: a pick to report once the notification
// that announced it is over.
constexpr UINT kPicked = WM_APP + 1;
}  // namespace

void ComboBox::Attach(HWND combo) {
    SubclassedControl::Attach(combo);
    if (HWND field = GetWindow(combo, GW_CHILD)) field_.Attach(field);
}

void ComboBox::ShowText(const char* text) {
    const LRESULT found = SendMessageA(hwnd_, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
    if (found != CB_ERR)
        SendMessageA(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(found), 0);
    else
        SetWindowTextA(hwnd_, text);
    ShowFromStart();
}

// With the focus, the combo box selects the whole text (on taking the focus,
// and on showing an entry), with the caret after the last character, so a
// text wider than the field shows its end ("ame MP3 Encoder"). The same
// selection made from the end towards the start puts the caret, and so the
// view, at the first character.
void ComboBox::ShowFromStart() {
    HWND focus = GetFocus(), field = field_.Handle();
    if (focus != hwnd_ && !IsChild(hwnd_, focus)) {
        SendMessageA(hwnd_, CB_SETEDITSEL, 0, MAKELPARAM(0, 0));
        return;
    }
    if (!field || focus != field) return;
    DWORD start = 0, end = 0;
    SendMessageA(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const auto length = static_cast<DWORD>(GetWindowTextLengthA(field));
    if (length == 0 || start != 0 || end != length) return;
    if (SendMessageA(field, EM_GETFIRSTVISIBLELINE, 0, 0) == 0) return;  // the start shows already
    SendMessageA(field, EM_SETSEL, length, 0);
    SendMessageA(field, EM_SCROLLCARET, 0, 0);
}

bool ComboBox::Reflected(UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
    if (msg != WM_COMMAND) return false;
    switch (HIWORD(wParam)) {
    case CBN_SELCHANGE:
        if (onPick) PostMessageA(hwnd_, kPicked, 0, 0);
        break;
    case CBN_KILLFOCUS:
        ShowFromStart();
        break;
    default:
        return false;
    }
    result = 0;
    return true;
}

LRESULT ComboBox::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kPicked) {
        if (onPick) onPick(static_cast<int>(SendMessageA(hwnd_, CB_GETCURSEL, 0, 0)));
        return 0;
    }
    if (msg == WM_SETFOCUS) {
        const LRESULT result = Default(msg, wParam, lParam);
        ShowFromStart();
        return result;
    }
    return Default(msg, wParam, lParam);
}

LRESULT ComboBox::Field::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CHAR && owner_.onKeyPress) {
        char key = static_cast<char>(wParam);
        owner_.onKeyPress(key);
        if (key == 0) return 0;
        wParam = static_cast<unsigned char>(key);
    }
    return Default(msg, wParam, lParam);
}

}  // namespace orvik
