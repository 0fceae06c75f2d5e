// A flat button of the encoder dialogs with a caption or a glyph.
#pragma once
#include <windows.h>

#include <string>

#include "app/win32/Gdi.h"
#include "controls/win32/FlatButton.h"

namespace orvik {

// A flat button that shows a centred caption or glyph (the glyph's
// bottom-left colour is transparent); the face moves one pixel while down.
class SpeedButton : public FlatButton {
public:
    void SetCaption(const std::string& caption) { caption_ = caption; Invalidate(); }
    const std::string& Caption() const { return caption_; }
    void SetGlyph(Bitmap glyph) { glyph_ = std::move(glyph); Invalidate(); }
    void SetFont(HFONT font) { font_ = font; Invalidate(); }  // not owned
    void Paint(HDC dc) override;
    // Named by its caption; a glyph button by the name it is given.
    std::string AccessibleName() const override { return caption_.empty() ? FlatButton::AccessibleName() : caption_; }

private:
    std::string caption_;
    Bitmap glyph_;
    HFONT font_ = nullptr;
};

}  // namespace orvik
