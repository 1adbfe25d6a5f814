#include "tests/measure/plane_lookups.h"

#include "measure/map_coverage.h"
#include "tests/support/pixel_ray.h"

PixelGrid<TexelLookup> PlaneLookups(const Camera& eye, const Camera& light,
                                    const gmtl::Matrix44f& nt, int width, int height, int mapSize) {
    const gmtl::Matrix44f inverse = InverseViewProjection(eye);
    const gmtl::Matrix44f l = light.m_matProjection * light.m_matView;
    PixelGrid<TexelLookup> grid(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const PixelRay ray = RayThroughPixel(inverse, x, y, width, height);
            const gmtl::Vec3f& a = ray.nearPoint;
            const gmtl::Vec3f& b = ray.farPoint;
            if ((a[1] > 0.0f) == (b[1] > 0.0f))
                continue;
            const float t = a[1] / (a[1] - b[1]);
            const gmtl::Vec3f ground = a + (b - a) * t;
            const gmtl::Vec4f c = l * gmtl::Vec4f(ground[0], ground[1], ground[2], 1.0f);
            const MapPoint m = WarpMapPoint(nt, Point2D(c[0] / c[3], c[1] / c[3]));
            TexelLookup& lookup = grid.at(x, y);
            lookup.s = (m[0] / m[2] + 1.0f) * 0.5f * mapSize;
            lookup.t = (m[1] / m[2] + 1.0f) * 0.5f * mapSize;
            lookup.visible = true;
        }
    }
    return grid;
}

double OverheadTexelsPerPixel(float eyeHeight, float lightHeight, int windowHeight, int mapSize) {
    return static_cast<double>(mapSize) * eyeHeight /
           (static_cast<double>(windowHeight) * lightHeight);
}
