#include "warp/cascades.h"

#include <cmath>

#include "warp/light_plane.h"

std::vector<float> PracticalSplits(float zNear, float zFar, int count, float lambda) {
    std::vector<float> splits{zNear};
    for (int i = 1; i < count; ++i) {
        const float f = static_cast<float>(i) / static_cast<float>(count);
        const float logarithmic = zNear * std::pow(zFar / zNear, f);
        const float uniform = zNear + (zFar - zNear) * f;
        splits.push_back(lambda * logarithmic + (1.0f - lambda) * uniform);
    }
    splits.push_back(zFar);
    return splits;
}

gmtl::Matrix33f AtlasTile(int index, int perSide) {
    const float scale = 1.0f / static_cast<float>(perSide);
    gmtl::Matrix33f m;
    m(0, 0) = m(1, 1) = scale;
    m(0, 2) = -1.0f + scale * static_cast<float>(2 * (index % perSide) + 1);
    m(1, 2) = -1.0f + scale * static_cast<float>(2 * (index / perSide) + 1);
    m.setState(gmtl::Matrix33f::FULL);
    return m;
}

Camera EyeSlice(const Camera& eye, float zNear, float zFar) {
    Camera slice = eye;
    const float k = zNear / eye.m_fNear;
    slice.SetFrustum(eye.m_fLeft * k, eye.m_fRight * k, eye.m_fBottom * k, eye.m_fTop * k, zNear,
                     zFar);
    return slice;
}

gmtl::Matrix33f SliceCrop(const Camera& slice, const Camera& light) {
    Point2D corners[8];
    if (!ProjectCorners(LightMatrix(light), slice, corners))
        return gmtl::Matrix33f();
    return BoxToSquare(corners, 8);
}

gmtl::Vec4f CascadeTexelScale(const gmtl::Matrix44f& nt, int mapSize) {
    const float h = 0.5f * static_cast<float>(mapSize);
    return gmtl::Vec4f(nt(0, 0), nt(1, 1), h * (1.0f + nt(0, 3) - nt(0, 0)),
                       h * (1.0f + nt(1, 3) - nt(1, 1)));
}

gmtl::Vec4f EyeDepthPlane(const Camera& eye, const gmtl::Vec3f& light) {
    const gmtl::Vec4f* c = eye.m_worldCorners;
    const gmtl::Vec4f axis = (c[4] + c[6]) * 0.5f - (c[0] + c[2]) * 0.5f;
    gmtl::Vec3f forward(axis[0], axis[1], axis[2]);
    gmtl::normalize(forward);
    return gmtl::Vec4f(-forward[0], -forward[1], -forward[2],
                       gmtl::dot(forward, light - eye.m_position));
}
