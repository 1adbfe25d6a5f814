#pragma once

#include <algorithm>
#include <vector>

// A rectangle of texels of a map: columns x0 to x1 - 1, rows y0 to y1 - 1. It
// is empty when either range is.
struct TexelRect {
    int x0 = 0;
    int y0 = 0;
    int x1 = 0;
    int y1 = 0;

    int Width() const { return x1 - x0; }
    int Height() const { return y1 - y0; }
    bool IsEmpty() const { return x1 <= x0 || y1 <= y0; }
    bool operator==(const TexelRect& other) const {
        return x0 == other.x0 && y0 == other.y0 && x1 == other.x1 && y1 == other.y1;
    }
};

// Every texel of a width x height map.
inline TexelRect WholeMap(int width, int height) {
    return {0, 0, width, height};
}

// The smallest rectangle holding both; an empty one adds nothing.
inline TexelRect Union(const TexelRect& a, const TexelRect& b) {
    if (a.IsEmpty())
        return b;
    if (b.IsEmpty())
        return a;
    return {std::min(a.x0, b.x0), std::min(a.y0, b.y0), std::max(a.x1, b.x1), std::max(a.y1, b.y1)};
}

// The texels in both; empty when they share none.
inline TexelRect Intersection(const TexelRect& a, const TexelRect& b) {
    const TexelRect both{std::max(a.x0, b.x0), std::max(a.y0, b.y0), std::min(a.x1, b.x1),
                         std::min(a.y1, b.y1)};
    return both.IsEmpty() ? TexelRect() : both;
}

// The i-th rectangle of the answer holds the i-th of a and of b; the longer
// list's remaining rectangles follow as they are.
inline std::vector<TexelRect> PairwiseUnion(const std::vector<TexelRect>& a,
                                            const std::vector<TexelRect>& b) {
    std::vector<TexelRect> both(std::max(a.size(), b.size()));
    for (size_t i = 0; i < both.size(); ++i)
        both[i] = Union(i < a.size() ? a[i] : TexelRect(), i < b.size() ? b[i] : TexelRect());
    return both;
}
