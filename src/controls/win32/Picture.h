// A picture: a bitmap drawn at the control's top-left corner (or stretched
// to its bounds), optionally leaving out the bottom-left pixel's colour.
#pragma once
#include "app/win32/Gdi.h"
#include "app/win32/GraphicControl.h"

namespace orvik {

class Picture : public GraphicControl {
public:
    void SetBitmap(Bitmap bitmap) { bitmap_ = std::move(bitmap); Invalidate(); }
    void SetStretch(bool stretch) { stretch_ = stretch; }
    void SetTransparent(bool transparent) { transparent_ = transparent; }
    HBITMAP BitmapHandle() const { return bitmap_.Get(); }
    void Paint(HDC dc) override;

private:
    Bitmap bitmap_;
    bool stretch_ = false;
    bool transparent_ = false;
};

}  // namespace orvik
