#include "warp/light_plane.h"

#include <algorithm>

namespace {

constexpr float MIN_W = 1e-6f;
constexpr float MIN_EXTENT = 1e-12f;

}  // namespace

gmtl::Matrix44f LightMatrix(const Camera& light) {
    return light.m_matProjection * light.m_matView;
}

bool ProjectCorners(const gmtl::Matrix44f& l, const Camera& camera, Point2D out[8]) {
    for (int i = 0; i < 8; ++i) {
        const gmtl::Vec4f q = l * camera.m_worldCorners[i];
        if (!(q[3] > MIN_W))
            return false;
        out[i] = Point2D(q[0] / q[3], q[1] / q[3]);
    }
    return true;
}

gmtl::Matrix33f BoxToSquare(const Point2D* points, int count) {
    Point2D low = points[0];
    Point2D high = points[0];
    for (int i = 1; i < count; ++i) {
        for (unsigned k = 0; k < 2; ++k) {
            low[k] = std::min(low[k], points[i][k]);
            high[k] = std::max(high[k], points[i][k]);
        }
    }
    gmtl::Matrix33f m;
    const Point2D size = high - low;
    if (!(size[0] > MIN_EXTENT && size[1] > MIN_EXTENT))
        return m;
    for (unsigned k = 0; k < 2; ++k) {
        m(k, k) = 2.0f / size[k];
        m(k, 2) = -(high[k] + low[k]) / size[k];
    }
    m.setState(gmtl::Matrix33f::FULL);
    return m;
}
