#include "shell/win32/MediaListBox.h"

#include <vector>

namespace orvik {

// The list's own messages go straight to the list box's procedure. Through
// the subclass chain every message costs two window-property look-ups, which
// under Wine are round trips to its server: filling or reading 10,000
// entries that way took seconds instead of milliseconds. The subclass
// handles none of these messages.
LRESULT MediaListBox::List(UINT msg, WPARAM wParam, LPARAM lParam) const {
    if (!hwnd_) return LB_ERR;
    if (!listProc_) listProc_ = reinterpret_cast<WNDPROC>(GetClassLongPtrA(hwnd_, GCLP_WNDPROC));
    if (!listProc_) return SendMessageA(hwnd_, msg, wParam, lParam);
    return CallWindowProcA(listProc_, hwnd_, msg, wParam, lParam);
}

int MediaListBox::Count() const {
    const LRESULT count = List(LB_GETCOUNT, 0, 0);
    return count == LB_ERR ? 0 : static_cast<int>(count);
}

std::string MediaListBox::Entry(int index) const {
    const LRESULT len = List(LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (len == LB_ERR) return {};
    std::vector<char> text(static_cast<size_t>(len) + 1, '\0');
    List(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    return std::string(text.data());
}

int MediaListBox::SelectedIndex() const { return static_cast<int>(List(LB_GETCURSEL, 0, 0)); }

void MediaListBox::SetSelectedIndex(int index) { List(LB_SETCURSEL, static_cast<WPARAM>(index), 0); }

void MediaListBox::Append(const std::string& entry) {
    List(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
}

void MediaListBox::Delete(int index) { List(LB_DELETESTRING, static_cast<WPARAM>(index), 0); }

void MediaListBox::ReplaceAll(const std::vector<std::string>& entries) { Fill(entries, true); }

void MediaListBox::AppendAll(const std::vector<std::string>& entries) { Fill(entries, false); }

void MediaListBox::Fill(const std::vector<std::string>& entries, bool replace) {
    if (!hwnd_) return;
    // Entries appended below the last visible row change only the scroll
    // bar: the rows on show are not drawn again.
    bool shownChange = replace;
    if (!replace) {
        RECT client{};
        GetClientRect(hwnd_, &client);
        const LRESULT rowHeight = List(LB_GETITEMHEIGHT, 0, 0);
        const LRESULT rows = rowHeight > 0 ? (client.bottom + rowHeight - 1) / rowHeight : 0;
        shownChange = Count() < List(LB_GETTOPINDEX, 0, 0) + rows;
    }
    // Drawn once, after the last entry; the storage for all of them reserved
    // up front instead of grown entry by entry.
    SendMessageA(hwnd_, WM_SETREDRAW, FALSE, 0);
    if (replace) List(LB_RESETCONTENT, 0, 0);
    size_t text = 0;
    for (const std::string& e : entries) text += e.size() + 1;
    List(LB_INITSTORAGE, static_cast<WPARAM>(entries.size()), static_cast<LPARAM>(text));
    for (const std::string& e : entries) Append(e);
    SendMessageA(hwnd_, WM_SETREDRAW, TRUE, 0);
    if (shownChange) InvalidateRect(hwnd_, nullptr, TRUE);
}

LRESULT MediaListBox::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CHAR && onKeyPress && onKeyPress(static_cast<char>(wParam))) return 0;
    return Default(msg, wParam, lParam);
}

}  // namespace orvik
