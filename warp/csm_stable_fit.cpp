#include "warp/csm_stable_fit.h"

#include <algorithm>
#include <cmath>

#include "warp/cascades.h"

namespace {

// The tile's width moves in steps of 2^(1/8), about 9%: a sphere whose
// outline grows or shrinks a little as the eye moves keeps its texel grid.
constexpr float WIDTH_STEPS_PER_OCTAVE = 8.0f;
// The sphere must stay this share of its depth in front of the light's eye
// plane, or its outline in the light's plane is unbounded.
constexpr float MIN_DEPTH_MARGIN = 0.05f;

// The view direction in world coordinates: the view matrix's third row, negated.
gmtl::Vec3f Forward(const Camera& eye) {
    const gmtl::Matrix44f& v = eye.m_matView;
    gmtl::Vec3f f(-v(2, 0), -v(2, 1), -v(2, 2));
    gmtl::normalize(f);
    return f;
}

gmtl::Vec3f LightView(const Camera& light, const gmtl::Vec3f& p) {
    const gmtl::Vec4f q = light.m_matView * gmtl::Vec4f(p[0], p[1], p[2], 1.0f);
    return gmtl::Vec3f(q[0], q[1], q[2]);
}

// The centre of the sphere's outline in the light's plane.
gmtl::Vec2f OutlineCentre(const SliceSphere& sphere, const Camera& light) {
    const gmtl::Vec3f c = sphere.centre;
    const gmtl::Vec4f q =
        light.m_matProjection * light.m_matView * gmtl::Vec4f(c[0], c[1], c[2], 1);
    return gmtl::Vec2f(q[0] / q[3], q[1] / q[3]);
}

float RoundUpToStep(float width) {
    return std::exp2(std::ceil(std::log2(width) * WIDTH_STEPS_PER_OCTAVE) / WIDTH_STEPS_PER_OCTAVE);
}

}  // namespace

SliceSphere SliceBoundingSphere(const Camera& eye, float zNear, float zFar) {
    const float sx = std::max(std::fabs(eye.m_fLeft), std::fabs(eye.m_fRight)) / eye.m_fNear;
    const float sy = std::max(std::fabs(eye.m_fBottom), std::fabs(eye.m_fTop)) / eye.m_fNear;
    const float k2 = sx * sx + sy * sy;
    const float depth = std::min(zFar, 0.5f * (zNear + zFar) * (1.0f + k2));
    const float toNear = std::hypot(depth - zNear, zNear * std::sqrt(k2));
    const float toFar = std::hypot(zFar - depth, zFar * std::sqrt(k2));
    return {eye.m_position + Forward(eye) * depth, std::max(toNear, toFar)};
}

// A point of the sphere at light-view depth Z and offset X from the light's
// axis lands at p X / Z in the light's plane; over the sphere this differs
// from the centre's p Xc / Zc by at most p r sqrt(1 + (Xc / Zc)^2) / (Zc - r).
float StableTileHalfWidth(const SliceSphere& sphere, const Camera& light, int tileTexels) {
    const gmtl::Vec3f c = LightView(light, sphere.centre);
    const float depth = -c[2];
    const float r = sphere.radius;
    if (!(depth - r > MIN_DEPTH_MARGIN * depth))
        return 0.0f;
    const float px = 2.0f * light.m_fNear / (light.m_fRight - light.m_fLeft);
    const float py = 2.0f * light.m_fNear / (light.m_fTop - light.m_fBottom);
    const float hx = px * r * std::hypot(1.0f, c[0] / depth) / (depth - r);
    const float hy = py * r * std::hypot(1.0f, c[1] / depth) / (depth - r);
    const float snapMargin = 1.0f + 2.0f / static_cast<float>(tileTexels);
    return RoundUpToStep(std::max(hx, hy) * snapMargin);
}

gmtl::Matrix33f StableSliceCrop(const Camera& eye, float zNear, float zFar, const Camera& light,
                                int tileTexels) {
    const SliceSphere sphere = SliceBoundingSphere(eye, zNear, zFar);
    const float h = StableTileHalfWidth(sphere, light, tileTexels);
    if (h == 0.0f)
        return SliceCrop(EyeSlice(eye, zNear, zFar), light);
    const float texel = 2.0f * h / static_cast<float>(tileTexels);
    const gmtl::Vec2f centre = OutlineCentre(sphere, light);
    gmtl::Matrix33f m;
    for (unsigned k = 0; k < 2; ++k) {
        const float snapped = std::round(centre[k] / texel) * texel;
        m(k, k) = 1.0f / h;
        m(k, 2) = -snapped / h;
    }
    m.setState(gmtl::Matrix33f::FULL);
    return m;
}
