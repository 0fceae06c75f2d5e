#include "shell/win32/MediaListBox.h"

#include <vector>

namespace orvik {

int MediaListBox::Count() const { return static_cast<int>(SendMessageA(hwnd_, LB_GETCOUNT, 0, 0)); }

std::string MediaListBox::Entry(int index) const {
    const LRESULT len = SendMessageA(hwnd_, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (len == LB_ERR) return {};
    std::vector<char> text(static_cast<size_t>(len) + 1, '\0');
    SendMessageA(hwnd_, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    return std::string(text.data());
}

int MediaListBox::SelectedIndex() const { return static_cast<int>(SendMessageA(hwnd_, LB_GETCURSEL, 0, 0)); }

void MediaListBox::SetSelectedIndex(int index) { SendMessageA(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(index), 0); }

void MediaListBox::Append(const std::string& entry) {
    SendMessageA(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
}

void MediaListBox::Delete(int index) { SendMessageA(hwnd_, LB_DELETESTRING, static_cast<WPARAM>(index), 0); }

void MediaListBox::ReplaceAll(const std::vector<std::string>& entries) {
    SendMessageA(hwnd_, WM_SETREDRAW, FALSE, 0);
    SendMessageA(hwnd_, LB_RESETCONTENT, 0, 0);
    for (const std::string& e : entries) Append(e);
    SendMessageA(hwnd_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

LRESULT MediaListBox::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CHAR && OnKeyPress && OnKeyPress(static_cast<char>(wParam))) return 0;
    return Default(msg, wParam, lParam);
}

}  // namespace orvik
