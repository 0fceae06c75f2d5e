// A transparent one-line label of the encoder dialogs that sizes itself to
// its caption.
#pragma once
#include <string>

#include "app/win32/Gdi.h"
#include "app/win32/GraphicControl.h"

namespace orvik {

class TextLabel : public GraphicControl {
public:
    void Place(int left, int top, const std::string& caption, HFONT font);  // font not owned
    const std::string& Caption() const { return caption_; }
    void Paint(HDC dc) override;
    long AccessibleRole() const override;
    std::string AccessibleName() const override { return caption_; }

private:
    std::string caption_;
    HFONT font_ = nullptr;
};

}  // namespace orvik
