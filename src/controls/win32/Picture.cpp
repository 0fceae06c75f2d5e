#include "controls/win32/Picture.h"

namespace orvik {

void Picture::Paint(HDC dc) {
    if (!bitmap_) return;
    const SIZE s = BitmapSize(bitmap_.Get());
    if (stretch_) {
        MemoryDC src(dc);
        SelectGuard sel(src, bitmap_.Get());
        SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, bounds_.left, bounds_.top, Width(), Height(), src, 0, 0, s.cx, s.cy, SRCCOPY);
        return;
    }
    // Clipped to the control's bounds, as a picture never draws outside itself.
    const int w = s.cx < Width() ? s.cx : Width(), h = s.cy < Height() ? s.cy : Height();
    DrawBitmapPart(dc, bitmap_.Get(), bounds_.left, bounds_.top, 0, 0, w, h, transparent_);
}

}  // namespace orvik
