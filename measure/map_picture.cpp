#include "measure/map_picture.h"

#include <algorithm>
#include <cmath>

#include "measure/map_coverage.h"

namespace {

constexpr Rgb FRUSTUM_COLOUR = {255, 200, 0};
constexpr Rgb TRAPEZOID_COLOUR = {230, 40, 40};
// Widths at full size. The frustum's outline is drawn wider and first, so
// that the trapezoid stays visible where the two coincide.
constexpr int FRUSTUM_THICKNESS = 9;
constexpr int TRAPEZOID_THICKNESS = 3;

// A width at full size for a picture of every step-th texel.
int Thickness(int fullSize, int step) {
    return std::max(1, (fullSize + step - 1) / step);
}

std::vector<float> EveryStep(const std::vector<float>& depth, int mapSize, int step, int size) {
    std::vector<float> picked(static_cast<size_t>(size) * size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x)
            picked[static_cast<size_t>(y) * size + x] =
                depth[static_cast<size_t>(y * step) * mapSize + x * step];
    }
    return picked;
}

// Each part's square, drawn just inside its edge.
std::vector<std::vector<Point2D>> PartEdges(const ShadowSetup& setup, float inset) {
    std::vector<std::vector<Point2D>> edges;
    for (const MapPart& p : setup.parts) {
        const float l = p.left + inset, r = p.right - inset;
        const float b = p.bottom + inset, t = p.top - inset;
        edges.push_back({Point2D(l, b), Point2D(r, b), Point2D(r, t), Point2D(l, t)});
    }
    return edges;
}

}  // namespace

RgbImage DepthMapPicture(const std::vector<float>& depth, int width, int height) {
    float nearest = 1.0f, farthest = 0.0f;
    for (float d : depth) {
        if (d < 1.0f) {
            nearest = std::min(nearest, d);
            farthest = std::max(farthest, d);
        }
    }
    const float span = farthest > nearest ? farthest - nearest : 1.0f;
    RgbImage image(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const float d = depth[static_cast<size_t>(y) * width + x];
            if (!(d < 1.0f))
                continue;
            const float f = (farthest - d) / span;
            const auto grey = static_cast<uint8_t>(std::lround(
                DEPTH_PICTURE_DARKEST + f * (DEPTH_PICTURE_BRIGHTEST - DEPTH_PICTURE_DARKEST)));
            image.Set(x, y, {grey, grey, grey});
        }
    }
    return image;
}

std::vector<MapOutline> MapPictureOutlines(int size, int step, const Camera& eye,
                                           const Camera& light, const ShadowSetup& setup,
                                           const std::vector<Point2D>& trapezoid) {
    std::vector<MapOutline> outlines;
    for (const std::vector<Point2D>& outline : SetupFrustumOutlines(eye, light, setup))
        outlines.push_back({outline, FRUSTUM_COLOUR, Thickness(FRUSTUM_THICKNESS, step)});
    const int edge = Thickness(TRAPEZOID_THICKNESS, step);
    const std::vector<std::vector<Point2D>> edges =
        trapezoid.empty() ? PartEdges(setup, 2.0f * edge / static_cast<float>(size))
                          : std::vector<std::vector<Point2D>>{trapezoid};
    for (const std::vector<Point2D>& e : edges)
        outlines.push_back({e, TRAPEZOID_COLOUR, edge});
    return outlines;
}

RgbImage OutlinedMapPicture(const std::vector<float>& depth, int mapSize, int step,
                            const Camera& eye, const Camera& light, const ShadowSetup& setup,
                            const std::vector<Point2D>& trapezoid) {
    const int size = mapSize / step;
    RgbImage image = DepthMapPicture(EveryStep(depth, mapSize, step, size), size, size);
    for (const MapOutline& outline : MapPictureOutlines(size, step, eye, light, setup, trapezoid))
        DrawMapOutline(image, outline.points, outline.colour, outline.thickness);
    return image;
}

std::vector<OutlineKey> MapPictureLegend(Parametrisation shown, bool trapezoidGiven) {
    const bool cascaded = shown == PARAM_CSM || shown == PARAM_CSM_STABLE;
    const char* red = "the map's edge";
    if (trapezoidGiven) {
        red = "KVX's trapezoid";
    } else if (cascaded) {
        red = "the cascades' tiles";
    } else if (shown == PARAM_KVX) {
        red = "the trapezoid (map's edge)";
    }
    return {{FRUSTUM_COLOUR, cascaded ? "the eye frustum's slices" : "the eye frustum"},
            {TRAPEZOID_COLOUR, red}};
}
