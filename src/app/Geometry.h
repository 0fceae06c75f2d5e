// Points and rectangles in pixels, for the portable models. The Win32 side
// converts them to RECT and POINT in one place (app/win32/Gdi.h).
#pragma once

namespace orvik {

struct IntPoint {
    int x = 0, y = 0;
    bool operator==(const IntPoint& o) const { return x == o.x && y == o.y; }
};

struct IntRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Contains(IntPoint p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    bool operator==(const IntRect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

// A rectangle by left, top, width and height, as the layouts give them.
constexpr IntRect At(int left, int top, int width = 0, int height = 0) {
    return IntRect{left, top, left + width, top + height};
}
// The same within a frame whose top-left is `origin` (a group box's place).
constexpr IntRect At(IntPoint origin, int left, int top, int width = 0, int height = 0) {
    return At(origin.x + left, origin.y + top, width, height);
}

}  // namespace orvik
