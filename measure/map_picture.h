#pragma once

#include <string>
#include <vector>

#include "math/camera.h"
#include "measure/rgb_image.h"
#include "warp/shadow_setup.h"

// The greys of the farthest and the nearest drawn depth.
constexpr float DEPTH_PICTURE_DARKEST = 60.0f;
constexpr float DEPTH_PICTURE_BRIGHTEST = 255.0f;

// A depth map as a grey picture: texels where nothing was drawn (depth 1)
// are black; the drawn depths are stretched over the grey range, nearer to
// the light brighter.
RgbImage DepthMapPicture(const std::vector<float>& depth, int width, int height);

// The depth map of a square map `mapSize` texels a side as --dump-shadowmap
// draws it, from every `step`-th texel in both directions: each part's slice
// of the eye frustum outlined in yellow, and in red either the given
// trapezoid (for the standard map, the one KVX would fit) or, when it is
// empty, the edge of each part (the whole map, or the cascades' tiles).
// One outline of such a picture, in map coordinates (-1 to 1 across it), and
// its width in the picture's pixels.
struct MapOutline {
    std::vector<Point2D> points;
    Rgb colour;
    int thickness;
};
// The outlines OutlinedMapPicture draws over a picture `size` pixels a side
// of every `step`-th texel, in drawing order.
std::vector<MapOutline> MapPictureOutlines(int size, int step, const Camera& eye,
                                           const Camera& light, const ShadowSetup& setup,
                                           const std::vector<Point2D>& trapezoid);

RgbImage OutlinedMapPicture(const std::vector<float>& depth, int mapSize, int step,
                            const Camera& eye, const Camera& light, const ShadowSetup& setup,
                            const std::vector<Point2D>& trapezoid);

// What one colour of MapPictureOutlines marks, for a legend.
struct OutlineKey {
    Rgb colour;
    std::string what;
};
// The legend of the outlines over the depth map of the parametrisation shown;
// trapezoidGiven as for MapPictureOutlines (the standard map, with the
// trapezoid KVX would fit).
std::vector<OutlineKey> MapPictureLegend(Parametrisation shown, bool trapezoidGiven);
