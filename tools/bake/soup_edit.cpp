#include "tools/bake/soup_edit.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>

#include "tools/bake/noise.h"

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

Vec3 Centre(const std::vector<SoupTriangle>& triangles) {
    const Bounds b = BoundsOf(triangles);
    return {(b.low[0] + b.high[0]) / 2, (b.low[1] + b.high[1]) / 2, (b.low[2] + b.high[2]) / 2};
}

float Length(const Vec3& v) {
    return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
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

void Roughen(std::vector<SoupTriangle>& triangles, float lumps, std::uint32_t seed) {
    const Vec3 centre = Centre(triangles);
    float mean = 0.0f;
    for (const SoupTriangle& t : triangles) {
        for (const Vec3& p : t.position) {
            mean += Length({p[0] - centre[0], p[1] - centre[1], p[2] - centre[2]}) /
                    static_cast<float>(3 * triangles.size());
        }
    }
    ForEachCorner(triangles, [&](Vec3& p, Vec3&) {
        const Vec3 d{p[0] - centre[0], p[1] - centre[1], p[2] - centre[2]};
        const float r = Length(d);
        if (r == 0.0f) {
            return;
        }
        const float noise =
            ValueNoise3(2.5f * d[0] / r + 7, 2.5f * d[1] / r + 7, 2.5f * d[2] / r + 7, seed);
        const float radius = (0.5f * (r + mean)) * (1.0f + lumps * noise);
        for (int k = 0; k < 3; ++k) {
            p[k] = centre[k] + d[k] / r * radius;
        }
    });
}

void SmoothNormals(std::vector<SoupTriangle>& triangles) {
    std::map<Vec3, Vec3> sums;
    for (const SoupTriangle& t : triangles) {
        const Vec3 n = FaceNormal(t);  // its length is twice the area
        for (const Vec3& p : t.position) {
            Vec3& sum = sums[p];
            for (int k = 0; k < 3; ++k) {
                sum[k] += n[k];
            }
        }
    }
    ForEachCorner(triangles, [&](Vec3& p, Vec3& n) {
        const Vec3& sum = sums[p];
        const float length = Length(sum);
        n = length > 0.0f ? Vec3{sum[0] / length, sum[1] / length, sum[2] / length} : n;
    });
}

}  // namespace bake
