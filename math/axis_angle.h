#pragma once

#include "math/vec.h"

namespace gmtl {

// A rotation: an angle in radians about a unit axis.
template <typename T>
class AxisAngle {
  public:
    AxisAngle() : mAngle(T(0)), mAxis(T(1), T(0), T(0)) {}
    AxisAngle(T radians, T x, T y, T z) : mAngle(radians), mAxis(x, y, z) {}
    AxisAngle(T radians, const Vec<T, 3>& axis) : mAngle(radians), mAxis(axis) {}

    T getAngle() const { return mAngle; }
    const Vec<T, 3>& getAxis() const { return mAxis; }

  private:
    T mAngle;
    Vec<T, 3> mAxis;
};

using AxisAnglef = AxisAngle<float>;

}  // namespace gmtl
