// A drop-down combo box of the dialogs: it shows its text from the start
// when it is not being edited and when it takes the focus, reports a picked
// entry once its own notification is over, and can filter what is typed
// into it. With keysBrowse, an entry picked with the mouse is reported at
// once, one reached with the arrow keys only when the list closes on it or
// on Enter, so that the keys can browse the list.
#pragma once
#include <windows.h>

#include <functional>

#include "app/win32/Window.h"

namespace orvik {

class ComboBox : public SubclassedControl {
public:
    void Attach(HWND combo);

    // The entry picked from the list, by index; runs after the combo box has
    // finished its notification (its drop-down list may still be closing).
    std::function<void(int index)> onPick;
    // Each typed character; set it to 0 to discard it.
    std::function<void(char& key)> onKeyPress;
    // The arrow keys browse the entries: a pick by keys waits (see above).
    bool keysBrowse = false;

    // Selects the entry with exactly this text when there is one (which shows
    // it and raises no pick), else sets the text.
    void ShowText(const char* text);
    // Shows the text from its first character: without a selection when
    // the box does not have the focus; with the focus, a selection of the
    // whole text stays (else the user is editing it, and nothing changes).
    void ShowFromStart();

    bool Reflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // An entry reached by keys waits to be reported.
    bool PickPending() const { return keyedFrom_ != kNoPick; }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    // The edit field inside the combo box, where typing happens.
    class Field : public SubclassedControl {
    public:
        explicit Field(ComboBox& owner) : owner_(owner) {}

    protected:
        LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

    private:
        ComboBox& owner_;
    };
    static constexpr LRESULT kNoPick = -2;
    // Reports the entry shown now; a keyed pick waits no longer.
    void Commit();
    // Back to the entry shown before the keys moved on from it.
    void Revert();

    Field field_{*this};
    bool dropped_ = false;       // the list is open
    bool keying_ = false;        // a key is being handled: a selection change is the keys'
    LRESULT keyedFrom_ = kNoPick;  // the selection before a keyed pick, while one waits
};

}  // namespace orvik
