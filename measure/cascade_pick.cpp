#include "measure/cascade_pick.h"

size_t PickedPart(const ShadowSetup& setup, const gmtl::Vec3f& light, const gmtl::Vec3f& point) {
    const gmtl::Vec4f& plane = setup.eyeDepthPlane;
    const gmtl::Vec3f v = light - point;
    const float depth = plane[0] * v[0] + plane[1] * v[1] + plane[2] * v[2] + plane[3];
    size_t i = 0;
    while (i + 1 < setup.parts.size() && depth >= setup.parts[i].zFar)
        ++i;
    return i;
}

bool LooksUpInsideItsPart(const ShadowSetup& setup, const gmtl::Matrix44f& lightMatrix,
                          const gmtl::Vec3f& light, const gmtl::Vec3f& point) {
    const MapPart& part = setup.parts[PickedPart(setup, light, point)];
    const gmtl::Vec4f q = part.nt * (lightMatrix * gmtl::Vec4f(point[0], point[1], point[2], 1.0f));
    if (!(q[3] > 0.0f))
        return false;
    const float x = q[0] / q[3];
    const float y = q[1] / q[3];
    return x >= part.left && x <= part.right && y >= part.bottom && y <= part.top;
}
