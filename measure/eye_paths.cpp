#include "measure/eye_paths.h"

Camera EyeOnPath(const Camera& start, const EyePath& path, int frame) {
    const float amount = path.step * static_cast<float>(frame);
    gmtl::Matrix44f step;
    if (path.kind == EYE_TURN)
        gmtl::setRot(step, gmtl::AxisAnglef(amount * gmtl::Math::DEG_TO_RAD, 0.0f, 1.0f, 0.0f));
    else
        gmtl::setTrans(step, gmtl::Vec3f(0.0f, 0.0f, amount));
    Camera eye = start;
    eye.SetViewMatrix(step * start.m_matView);
    return eye;
}
