#include "tests/bake/fixture_tables.h"

namespace bake {

std::vector<SoupTriangle> FixtureTriangles() {
    const Vec3 a{0.1f, 0.0f, -2.5e7f};
    const Vec3 b{1.0f / 3.0f, 1e-5f, 2.0f};
    const Vec3 c{-7.0f, 0.7f, 123456.789f};
    const Vec3 d{3.0f, 3.0f, 3.0f};
    const Vec3 up{0.0f, 0.0f, 1.0f};
    const Vec3 side{0.6f, 0.8f, 0.0f};
    const Vec2 s0{0.0f, 0.0f};
    const Vec2 s1{1.0f, 0.25f};
    return {
        {{a, b, c}, {up, up, side}, {s0, s1, s1}, 1},
        {{a, c, d}, {side, up, up}, {s1, s0, s0}, 0},
        {{d, b, a}, {up, side, side}, {s0, s0, s1}, 1},
    };
}

}  // namespace bake
