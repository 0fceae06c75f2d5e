// A drop-down combo box of the dialogs: it shows its text from the start
// when it is not being edited and when it takes the focus, reports a picked
// entry once its own notification is over, and can filter what is typed
// into it.
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

    // Selects the entry with exactly this text when there is one (which shows
    // it and raises no pick), else sets the text.
    void ShowText(const char* text);
    // Shows the text from its first character: without a selection when
    // the box does not have the focus; with the focus, a selection of the
    // whole text stays (else the user is editing it, and nothing changes).
    void ShowFromStart();

    bool Reflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

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
    Field field_{*this};
};

}  // namespace orvik
