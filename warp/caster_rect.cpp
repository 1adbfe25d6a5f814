#include "warp/caster_rect.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Texels added on every side: covers the rasteriser's sample positions and
// the difference between this product of matrices and the vertex program's.
constexpr float MARGIN_TEXELS = 4.0f;

// The range of texels [floor(low), ceil(high)) along an axis of size texels,
// with low and high in normalised device coordinates.
void TexelRange(float low, float high, int size, int& first, int& end) {
    const float scale = 0.5f * static_cast<float>(size);
    const float top = static_cast<float>(size);
    first =
        static_cast<int>(std::floor(std::clamp((low + 1.0f) * scale - MARGIN_TEXELS, 0.0f, top)));
    end = static_cast<int>(std::ceil(std::clamp((high + 1.0f) * scale + MARGIN_TEXELS, 0.0f, top)));
}

}  // namespace

TexelRect MapRectOfBox(const gmtl::Matrix44f& toClip, const gmtl::AABoxf& box, int width,
                       int height) {
    if (box.isEmpty())
        return {};
    constexpr float INF = std::numeric_limits<float>::infinity();
    float low[2] = {INF, INF};
    float high[2] = {-INF, -INF};
    for (unsigned corner = 0; corner < 8; ++corner) {
        gmtl::Vec4f point(1.0f, 1.0f, 1.0f, 1.0f);
        for (unsigned axis = 0; axis < 3; ++axis)
            point[axis] = (corner >> axis) & 1 ? box.getMax()[axis] : box.getMin()[axis];
        const gmtl::Vec4f clip = toClip * point;
        if (!(clip[3] > 0.0f))
            return WholeMap(width, height);
        for (unsigned axis = 0; axis < 2; ++axis) {
            const float ndc = clip[axis] / clip[3];
            if (!std::isfinite(ndc))
                return WholeMap(width, height);
            low[axis] = std::min(low[axis], ndc);
            high[axis] = std::max(high[axis], ndc);
        }
    }
    TexelRect rect;
    TexelRange(low[0], high[0], width, rect.x0, rect.x1);
    TexelRange(low[1], high[1], height, rect.y0, rect.y1);
    return rect;
}
