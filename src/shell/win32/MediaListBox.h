// The media list held by a standard list box (single selection,
// unsorted, item height 13), with its key-press hook.
#pragma once
#include <windows.h>

#include <functional>

#include "app/win32/Window.h"
#include "controls/MediaList.h"

namespace orvik {

class MediaListBox : public MediaList, public SubclassedControl {
public:
    int Count() const override;
    std::string Entry(int index) const override;
    int SelectedIndex() const override;
    void SetSelectedIndex(int index) override;
    void Append(const std::string& entry) override;
    void Delete(int index) override;
    void ReplaceAll(const std::vector<std::string>& entries) override;
    void AppendAll(const std::vector<std::string>& entries) override;

    // onKeyPress sees each typed character first; true consumes it.
    std::function<bool(char)> onKeyPress;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    // Sends a list box message to the list box itself, past the subclass.
    LRESULT List(UINT msg, WPARAM wParam, LPARAM lParam) const;
    void Fill(const std::vector<std::string>& entries, bool replace);
    mutable WNDPROC listProc_ = nullptr;
};

}  // namespace orvik
