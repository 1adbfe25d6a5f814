#include "measure/texel_density.h"

#include <cmath>
#include <limits>

namespace {

struct Difference {
    float ds = 0.0f;
    float dt = 0.0f;
    bool found = false;
};

// The lookup difference from (x, y) to its neighbour (x + dx, y + dy), taken
// per pixel of movement in the positive direction.
bool Towards(const PixelGrid<TexelLookup>& g, int x, int y, int dx, int dy, Difference& out) {
    const int nx = x + dx;
    const int ny = y + dy;
    if (nx < 0 || ny < 0 || nx >= g.width || ny >= g.height || !g.at(nx, ny).visible)
        return false;
    const float sign = static_cast<float>(dx + dy);
    out.ds = (g.at(nx, ny).s - g.at(x, y).s) * sign;
    out.dt = (g.at(nx, ny).t - g.at(x, y).t) * sign;
    out.found = true;
    return true;
}

// The nearer of the two one-sided differences along one axis.
Difference AxisDifference(const PixelGrid<TexelLookup>& g, int x, int y, int dx, int dy) {
    Difference forward, backward;
    const bool f = Towards(g, x, y, dx, dy, forward);
    const bool b = Towards(g, x, y, -dx, -dy, backward);
    if (f && b) {
        const float lf = forward.ds * forward.ds + forward.dt * forward.dt;
        const float lb = backward.ds * backward.ds + backward.dt * backward.dt;
        return lf <= lb ? forward : backward;
    }
    return f ? forward : backward;
}

}  // namespace

PixelGrid<float> TexelsPerPixel(const PixelGrid<TexelLookup>& lookups) {
    PixelGrid<float> density(lookups.width, lookups.height,
                             std::numeric_limits<float>::quiet_NaN());
    for (int y = 0; y < lookups.height; ++y) {
        for (int x = 0; x < lookups.width; ++x) {
            if (!lookups.at(x, y).visible)
                continue;
            const Difference dx = AxisDifference(lookups, x, y, 1, 0);
            const Difference dy = AxisDifference(lookups, x, y, 0, 1);
            if (!dx.found || !dy.found)
                continue;
            const float determinant = dx.ds * dy.dt - dy.ds * dx.dt;
            density.at(x, y) = std::sqrt(std::fabs(determinant));
        }
    }
    return density;
}
