#pragma once

#include "math/gmtl.h"

// A perspective camera orbiting the world origin and looking at it. It holds
// its projection and view matrices, the eight corners of its view frustum in
// camera and world space, the frustum extents and its world position.
//
// Corner order: 0 to 3 on the near plane, 4 to 7 on the far plane, each four
// as left-bottom, right-bottom, right-top, left-top.
class Camera {
  public:
    Camera();

    // Projection from near-plane extents and plane distances.
    void SetFrustum(float left, float right, float bottom, float top, float fNear, float fFar);
    // Symmetric projection from a vertical field of view in degrees and an
    // aspect ratio (width / height). Keeps the current view.
    void SetPerspective(float fovyDegrees, float aspect, float fNear, float fFar);
    // Places the camera on its orbit: elevation and azimuth in degrees,
    // distance from the origin. Ends the process when no projection was set.
    void SetView(float elevationDegrees, float azimuthDegrees, float distance);
    // Places the camera by its view matrix (world to camera, rotation and
    // translation only), off its orbit: the eye turning in place or moving
    // along its view. Needs a projection, as SetView.
    void SetViewMatrix(const gmtl::Matrix44f& view);

    gmtl::Matrix44f m_matView;
    gmtl::Matrix44f m_matProjection;
    gmtl::Vec4f m_eyeCorners[8];
    gmtl::Vec4f m_worldCorners[8];
    float m_fLeft = 0.0f;
    float m_fRight = 0.0f;
    float m_fBottom = 0.0f;
    float m_fTop = 0.0f;
    float m_fNear = 0.0f;
    float m_fFar = 0.0f;
    float m_fFovY = 0.0f;
    gmtl::Vec3f m_position;
    gmtl::Vec3f m_direction;
    gmtl::Vec3f m_up;
    gmtl::Vec3f m_spare[2];
    bool m_bProjectionSet = false;

  private:
    void ComputeProjection();
    void ComputeWorldCorners();
};
