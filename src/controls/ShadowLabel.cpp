#include "controls/ShadowLabel.h"

#include <algorithm>

namespace orvik {

IntRect ShadowRect(const IntRect& r, ShadowPosition pos, int s) {
    int dx = 0, dy = 0;
    switch (pos) {
    case ShadowPosition::LeftTop: dx = -s; dy = -s; break;
    case ShadowPosition::LeftBottom: dx = -s; dy = s; break;
    case ShadowPosition::RightBottom: dx = s; dy = s; break;
    case ShadowPosition::RightTop: dx = s; dy = -s; break;
    }
    return IntRect{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

IntRect UnionOf(const IntRect& a, const IntRect& b) {
    return IntRect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                   std::max(a.bottom, b.bottom)};
}

IntRect TextRect(int width, int height) { return IntRect{1, 0, width - 1, height}; }

LabelBounds AutoSizeBounds(const LabelBounds& current, IntRect measured, TextAlignment alignment) {
    measured.left -= 1;
    measured.right += 1;
    LabelBounds b = current;
    if (alignment == TextAlignment::Right) b.left += current.width - measured.right;
    b.width = measured.right;
    b.height = measured.bottom;
    return b;
}

int LayoutShift(TextLayout layout, int controlHeight, int measuredBottom) {
    switch (layout) {
    case TextLayout::Center: return (controlHeight - measuredBottom) / 2;
    case TextLayout::Bottom: return controlHeight - measuredBottom;
    case TextLayout::Top: break;
    }
    return 0;
}

}  // namespace orvik
