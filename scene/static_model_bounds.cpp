#include "scene/static_model.h"

gmtl::AABoxf StaticModel::Bounds() const {
    gmtl::AABoxf box;
    if (m_uList == 0)
        return box;
    for (int32_t i = 0; i < m_iVertexCount; ++i) {
        const float* v = m_pVertices[i];
        gmtl::extendVolume(box, gmtl::Vec3f(v[0], v[1], v[2]));
    }
    return box;
}
