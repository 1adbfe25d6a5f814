#include "tools/bake/soup_edit.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace bake {

namespace {

template <typename Fn>
void ForEachCorner(std::vector<SoupTriangle>& triangles, Fn fn) {
    for (SoupTriangle& t : triangles) {
        for (int c = 0; c < 3; ++c) {
            fn(t.position[c], t.normal[c]);
        }
    }
}

Vec3 FaceNormal(const SoupTriangle& t) {
    Vec3 a{}, b{};
    for (int k = 0; k < 3; ++k) {
        a[k] = t.position[1][k] - t.position[0][k];
        b[k] = t.position[2][k] - t.position[0][k];
    }
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

}  // namespace

Bounds BoundsOf(const std::vector<SoupTriangle>& triangles) {
    constexpr float BIG = std::numeric_limits<float>::max();
    Bounds b{{BIG, BIG, BIG}, {-BIG, -BIG, -BIG}};
    for (const SoupTriangle& t : triangles) {
        for (const Vec3& p : t.position) {
            for (int k = 0; k < 3; ++k) {
                b.low[k] = std::min(b.low[k], p[k]);
                b.high[k] = std::max(b.high[k], p[k]);
            }
        }
    }
    return b;
}

void TurnYUpToZUp(std::vector<SoupTriangle>& triangles) {
    const auto turn = [](Vec3& v) { v = {v[0], -v[2], v[1]}; };
    ForEachCorner(triangles, [&](Vec3& p, Vec3& n) {
        turn(p);
        turn(n);
    });
}

void FitToGround(std::vector<SoupTriangle>& triangles, int up, float size, float bury) {
    const Bounds b = BoundsOf(triangles);
    float across = 0.0f;
    for (int k = 0; k < 3; ++k) {
        if (k != up) {
            across = std::max(across, b.high[k] - b.low[k]);
        }
    }
    const float scale = size / across;
    Vec3 origin{};
    for (int k = 0; k < 3; ++k) {
        origin[k] = k == up ? b.low[k] + bury * (b.high[k] - b.low[k]) : (b.low[k] + b.high[k]) / 2;
    }
    ForEachCorner(triangles, [&](Vec3& p, Vec3&) {
        for (int k = 0; k < 3; ++k) {
            p[k] = (p[k] - origin[k]) * scale;
        }
    });
}

void ProjectTexCoords(std::vector<SoupTriangle>& triangles, float tiles) {
    for (SoupTriangle& t : triangles) {
        const Vec3 n = FaceNormal(t);
        int facing = 0;
        for (int k = 1; k < 3; ++k) {
            if (std::abs(n[k]) > std::abs(n[facing])) {
                facing = k;
            }
        }
        const int u = (facing + 1) % 3;
        const int v = (facing + 2) % 3;
        for (int c = 0; c < 3; ++c) {
            t.texCoord[c] = {t.position[c][u] * tiles, t.position[c][v] * tiles};
        }
    }
}

}  // namespace bake
