// Which receivers of the scene pass can be in a caster's shadow, so that the
// others can be drawn without the shadow lookup and look the same.

#include "warp/shadow_reach.h"

#include <algorithm>

#include "warp/caster_rect.h"

namespace {

// The light's depth of a point beyond this (in normalised device
// coordinates) keeps the lookup: close to the far plane, where the GPU's
// rounding could put the compared depth above the cleared 1.
constexpr float DEPTH_LIMIT = 0.999f;

// Every corner of box in front of the light and inside its far plane.
bool WithinLightDepth(const gmtl::Matrix44f& lightClip, const gmtl::AABoxf& box) {
    for (unsigned corner = 0; corner < 8; ++corner) {
        gmtl::Vec4f point(1.0f, 1.0f, 1.0f, 1.0f);
        for (unsigned axis = 0; axis < 3; ++axis)
            point[axis] = (corner >> axis) & 1 ? box.getMax()[axis] : box.getMin()[axis];
        const gmtl::Vec4f clip = lightClip * point;
        if (!(clip[3] > 0.0f) || !(clip[2] <= DEPTH_LIMIT * clip[3]))
            return false;
    }
    return true;
}

TexelRect Widened(const TexelRect& rect, int texels) {
    return {rect.x0 - texels, rect.y0 - texels, rect.x1 + texels, rect.y1 + texels};
}

// Whether a receiver's texels touch any caster's widened rectangle.
bool TouchesCaster(const TexelRect& footprint, const std::vector<TexelRect>& casterRects) {
    return std::any_of(casterRects.begin(), casterRects.end(), [&](const TexelRect& caster) {
        return !caster.IsEmpty() &&
               !Intersection(footprint, Widened(caster, LOOKUP_REACH_TEXELS)).IsEmpty();
    });
}

bool InShadowReach(const gmtl::Matrix44f& mapClip, const gmtl::Matrix44f& lightClip,
                   const gmtl::AABoxf& box, const std::vector<TexelRect>& casterRects, int width,
                   int height) {
    if (box.isEmpty())
        return false;
    if (!WithinLightDepth(lightClip, box))
        return true;
    const TexelRect footprint = MapRectOfBox(mapClip, box, width, height);
    return footprint.IsEmpty() || TouchesCaster(footprint, casterRects);
}

}  // namespace

std::vector<bool> BoxesInShadowReach(const gmtl::Matrix44f& mapClip,
                                     const gmtl::Matrix44f& lightClip,
                                     const std::vector<gmtl::AABoxf>& boxes,
                                     const std::vector<TexelRect>& casterRects, int width,
                                     int height) {
    std::vector<bool> kept;
    for (const gmtl::AABoxf& box : boxes)
        kept.push_back(InShadowReach(mapClip, lightClip, box, casterRects, width, height));
    return kept;
}
