#pragma once

#include "math/camera.h"
#include "math/gmtl.h"

// Where the eye ray through the centre of a window pixel meets the near and
// the far plane of the eye's view volume.
struct PixelRay {
    gmtl::Vec3f nearPoint, farPoint;
};

// inverseViewProjection is the inverse of the eye's projection times view
// matrix; (px, py) is a pixel of a width x height window, py from the bottom.
inline PixelRay RayThroughPixel(const gmtl::Matrix44f& inverseViewProjection, int px, int py,
                                int width, int height) {
    const float x = (px + 0.5f) / width * 2.0f - 1.0f;
    const float y = (py + 0.5f) / height * 2.0f - 1.0f;
    auto unproject = [&](float z) {
        const gmtl::Vec4f p = inverseViewProjection * gmtl::Vec4f(x, y, z, 1.0f);
        return gmtl::Vec3f(p[0] / p[3], p[1] / p[3], p[2] / p[3]);
    };
    return {unproject(-1.0f), unproject(1.0f)};
}

inline gmtl::Matrix44f InverseViewProjection(const Camera& eye) {
    gmtl::Matrix44f inverse = eye.m_matProjection * eye.m_matView;
    gmtl::invert(inverse);
    return inverse;
}
