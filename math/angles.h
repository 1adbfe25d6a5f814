#pragma once

namespace gmtl {
namespace Math {

// Angles cross the program's interfaces in degrees. These single-precision
// factors convert them; the half-angle factor serves the field of view.
constexpr float DEG_TO_RAD = 0.017453292f;       // pi / 180
constexpr float HALF_DEG_TO_RAD = 0.008726646f;  // pi / 360
constexpr float TWICE_RAD_TO_DEG = 114.59155f;   // 360 / pi

}  // namespace Math
}  // namespace gmtl
