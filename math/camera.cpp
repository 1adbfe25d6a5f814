#include "math/camera.h"

#include <cmath>
#include <cstdlib>
#include <iostream>

Camera::Camera() : m_direction(0.0f, 0.0f, -1.0f), m_up(0.0f, 1.0f, 0.0f) {}

void Camera::SetFrustum(float left, float right, float bottom, float top, float fNear, float fFar) {
    const float k = 1.0f / fNear;
    const float s = k * fFar;
    const float xs[4] = {left, right, right, left};
    const float ys[4] = {bottom, bottom, top, top};
    for (int i = 0; i < 4; ++i) {
        m_eyeCorners[i] = gmtl::Vec4f(xs[i], ys[i], -fNear, 1.0f);
        m_eyeCorners[i + 4] = gmtl::Vec4f(s * xs[i], s * ys[i], -fFar, 1.0f);
    }
    m_bProjectionSet = true;
    ComputeWorldCorners();
    m_fLeft = left;
    m_fRight = right;
    m_fBottom = bottom;
    m_fTop = top;
    m_fNear = fNear;
    m_fFar = fFar;
    m_fFovY = std::atan2(k * top, 1.0f) * gmtl::Math::TWICE_RAD_TO_DEG;
    ComputeProjection();
}

void Camera::SetPerspective(float fovyDegrees, float aspect, float fNear, float fFar) {
    const float top = fNear * std::tan(fovyDegrees * gmtl::Math::HALF_DEG_TO_RAD);
    SetFrustum((-top) * aspect, top * aspect, -top, top, fNear, fFar);
}

void Camera::SetView(float elevationDegrees, float azimuthDegrees, float distance) {
    if (!m_bProjectionSet) {
        std::cerr << "Camera error: The projection has to be specified first." << std::endl;
        std::exit(-1);
    }
    const float e = elevationDegrees * gmtl::Math::DEG_TO_RAD;
    const float a = azimuthDegrees * gmtl::Math::DEG_TO_RAD;

    gmtl::Matrix44f translation;
    gmtl::setTrans(translation, gmtl::Vec3f(0.0f, 0.0f, -distance));
    gmtl::Matrix44f elevation;
    gmtl::setRot(elevation, gmtl::AxisAnglef(e, 1.0f, 0.0f, 0.0f));
    gmtl::Matrix44f azimuth;
    gmtl::setRot(azimuth, gmtl::AxisAnglef(a, 0.0f, 1.0f, 0.0f));
    m_matView = translation * elevation * azimuth;

    ComputeWorldCorners();
    m_position = gmtl::Vec3f(-distance * std::sin(a) * std::cos(e), distance * std::sin(e),
                             distance * std::cos(e) * std::cos(a));
}

void Camera::SetViewMatrix(const gmtl::Matrix44f& view) {
    m_matView = view;
    ComputeWorldCorners();
    gmtl::Matrix44f inverse = view;
    gmtl::invert(inverse);
    const gmtl::Vec4f origin = inverse * gmtl::Vec4f(0.0f, 0.0f, 0.0f, 1.0f);
    m_position = gmtl::Vec3f(origin[0], origin[1], origin[2]);
}

// The OpenGL frustum matrix of the stored extents.
void Camera::ComputeProjection() {
    const float l = m_fLeft, r = m_fRight, b = m_fBottom, t = m_fTop;
    const float n = m_fNear, f = m_fFar;
    gmtl::Matrix44f& p = m_matProjection;
    for (int i = 0; i < 16; ++i)
        p[i] = 0.0f;
    p(0, 0) = 2.0f * n / (r - l);
    p(1, 1) = 2.0f * n / (t - b);
    p(0, 2) = (r + l) / (r - l);
    p(1, 2) = (t + b) / (t - b);
    p(2, 2) = -(f + n) / (f - n);
    p(2, 3) = -2.0f * f * n / (f - n);
    p(3, 2) = -1.0f;
    p.setState(gmtl::Matrix44f::FULL);
}

void Camera::ComputeWorldCorners() {
    gmtl::Matrix44f inverse = m_matView;
    gmtl::invert(inverse);
    for (int i = 0; i < 8; ++i)
        gmtl::xform(m_worldCorners[i], inverse, m_eyeCorners[i]);
}
