// The shadow label's geometry: where the shadow copy goes, how the automatic
// size follows the measured text, and how the vertical layout moves it.
#pragma once
#include "app/Geometry.h"

namespace orvik {

enum class ShadowPosition { LeftTop, LeftBottom, RightBottom, RightTop };
enum class TextAlignment { Left, Right, Center };
enum class TextLayout { Top, Center, Bottom };

struct LabelBounds {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const LabelBounds& o) const {
        return left == o.left && top == o.top && width == o.width && height == o.height;
    }
};

// The rectangle the shadow copy is drawn into: r shifted by size towards pos.
IntRect ShadowRect(const IntRect& r, ShadowPosition pos, int size);
IntRect UnionOf(const IntRect& a, const IntRect& b);

// The rectangle the text is laid out in: the client rectangle (with the
// label's zero margins) inset by one pixel left and right.
IntRect TextRect(int width, int height);

// New bounds after measuring: `measured` is the text's measured rectangle in
// control coordinates, already united with its shadow copy. It is widened by
// one pixel on each side; width and height are its right and bottom edges.
// A right-aligned label keeps its right edge.
LabelBounds AutoSizeBounds(const LabelBounds& current, IntRect measured, TextAlignment alignment);

// How far tlCenter and tlBottom move the text down for a measured bottom.
int LayoutShift(TextLayout layout, int controlHeight, int measuredBottom);

}  // namespace orvik
