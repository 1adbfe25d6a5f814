#pragma once

#include <array>

namespace bake {

using Vec2 = std::array<float, 2>;
using Vec3 = std::array<float, 3>;

// An 8-bit RGB colour.
using Rgb = std::array<unsigned char, 3>;

}  // namespace bake
