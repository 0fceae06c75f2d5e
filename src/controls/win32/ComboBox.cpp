#include "controls/win32/ComboBox.h"

#include <string>

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

void ComboBox::Commit() {
    keyedFrom_ = kNoPick;
    if (onPick) PostMessageA(hwnd_, kPicked, 0, 0);
}

void ComboBox::Revert() {
    const LRESULT from = keyedFrom_;
    keyedFrom_ = kNoPick;
    if (from >= 0) SendMessageA(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(from), 0);
}

bool ComboBox::Reflected(UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
    if (msg != WM_COMMAND) return false;
    switch (HIWORD(wParam)) {
    case CBN_SELCHANGE:
        if (!keying_ || !keysBrowse) {
            Commit();
        } else if (onPick && keyedFrom_ == kNoPick) {
            // The entry before the first step, from the text it showed.
            const std::string shown = WindowText(hwnd_);
            keyedFrom_ = SendMessageA(hwnd_, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                      reinterpret_cast<LPARAM>(shown.c_str()));
            if (keyedFrom_ == kNoPick) keyedFrom_ = CB_ERR;
        }
        break;
    case CBN_DROPDOWN:
        dropped_ = true;
        break;
    case CBN_SELENDCANCEL:
        // Escape on the open list. (With the list closed, the box may say
        // so of a step by the keys too: that is no cancel.)
        if (dropped_ && PickPending()) Revert();
        break;
    case CBN_CLOSEUP:
        // The list closed on an entry (Enter, F4, Alt+Up or a click).
        dropped_ = false;
        if (PickPending()) Commit();
        break;
    case CBN_KILLFOCUS:
        // Left without Enter: the entry in effect shows again.
        if (PickPending()) Revert();
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
    if (msg == WM_KEYDOWN) {
        keying_ = true;
        const LRESULT result = Default(msg, wParam, lParam);
        keying_ = false;
        return result;
    }
    if (msg == WM_SETFOCUS) {
        const LRESULT result = Default(msg, wParam, lParam);
        ShowFromStart();
        return result;
    }
    return Default(msg, wParam, lParam);
}

LRESULT ComboBox::Field::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_GETDLGCODE && owner_.PickPending()) {
        // Enter takes the entry the keys reached, not the dialog's button.
        return Default(msg, wParam, lParam) | DLGC_WANTMESSAGE;
    }
    if (msg == WM_KEYDOWN && wParam == VK_RETURN && owner_.PickPending() &&
        !SendMessageA(owner_.Handle(), CB_GETDROPPEDSTATE, 0, 0)) {
        owner_.Commit();
        return 0;
    }
    if (msg == WM_KEYDOWN) {
        owner_.keying_ = true;
        const LRESULT result = Default(msg, wParam, lParam);
        owner_.keying_ = false;
        return result;
    }
    if (msg == WM_CHAR && owner_.onKeyPress) {
        char key = static_cast<char>(wParam);
        owner_.onKeyPress(key);
        if (key == 0) return 0;
        wParam = static_cast<unsigned char>(key);
    }
    return Default(msg, wParam, lParam);
}

}  // namespace orvik
