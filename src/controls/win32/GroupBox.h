// A group box that paints its inside in its parent's colour: the form leaves
// the area of its child windows to them, and a plain group box draws only its
// frame and caption.
#pragma once
#include "app/win32/Window.h"

namespace orvik {

class GroupBox : public SubclassedControl {
public:
    explicit GroupBox(HBRUSH background) : background_(background) {}  // not owned

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    HBRUSH background_;
};

}  // namespace orvik
