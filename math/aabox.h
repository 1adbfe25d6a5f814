#pragma once

#include <algorithm>

#include "math/vec.h"

namespace gmtl {

// An axis-aligned box, or the empty box that holds no point. Extending the
// empty box by a point makes the box of that point alone.
template <typename T>
class AABox {
  public:
    AABox() : mEmpty(true) {}
    AABox(const Vec<T, 3>& min, const Vec<T, 3>& max) : mMin(min), mMax(max), mEmpty(false) {}

    const Vec<T, 3>& getMin() const { return mMin; }
    const Vec<T, 3>& getMax() const { return mMax; }
    bool isEmpty() const { return mEmpty; }

    Vec<T, 3> mMin;
    Vec<T, 3> mMax;
    bool mEmpty;
};

using AABoxf = AABox<float>;

// Grows container just enough to hold the point.
template <typename T>
void extendVolume(AABox<T>& container, const Vec<T, 3>& point) {
    if (container.mEmpty) {
        container = AABox<T>(point, point);
        return;
    }
    for (unsigned i = 0; i < 3; ++i) {
        container.mMin[i] = std::min(container.mMin[i], point[i]);
        container.mMax[i] = std::max(container.mMax[i], point[i]);
    }
}

// Grows container just enough to hold box; an empty box adds nothing.
template <typename T>
void extendVolume(AABox<T>& container, const AABox<T>& box) {
    if (box.mEmpty)
        return;
    extendVolume(container, box.mMin);
    extendVolume(container, box.mMax);
}

}  // namespace gmtl
