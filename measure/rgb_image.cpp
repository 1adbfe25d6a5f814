#include "measure/rgb_image.h"

#include <algorithm>
#include <cmath>

namespace {

// A square brush of the given width centred on pixel (x, y).
void Stamp(RgbImage& image, int x, int y, Rgb colour, int thickness) {
    const int lo = -(thickness - 1) / 2;
    for (int dy = lo; dy < lo + thickness; ++dy) {
        for (int dx = lo; dx < lo + thickness; ++dx)
            image.Set(x + dx, y + dy, colour);
    }
}

Point2D ToPixels(const RgbImage& image, const Point2D& p) {
    return Point2D((p[0] + 1.0f) * 0.5f * image.width - 0.5f,
                   (p[1] + 1.0f) * 0.5f * image.height - 0.5f);
}

// Cuts the segment a-b to the rectangle lo..hi in both axes (Liang-Barsky);
// false when nothing of it is inside.
bool ClipSegment(Point2D& a, Point2D& b, float lo, const Point2D& hi) {
    float t0 = 0.0f, t1 = 1.0f;
    const Point2D d = b - a;
    for (int axis = 0; axis < 2; ++axis) {
        const float p[2] = {-d[axis], d[axis]};
        const float q[2] = {a[axis] - lo, hi[axis] - a[axis]};
        for (int k = 0; k < 2; ++k) {
            if (p[k] == 0.0f) {
                if (q[k] < 0.0f)
                    return false;
                continue;
            }
            const float r = q[k] / p[k];
            if (p[k] < 0.0f)
                t0 = std::max(t0, r);
            else
                t1 = std::min(t1, r);
        }
    }
    if (t0 > t1)
        return false;
    const Point2D start = a;
    a = start + d * t0;
    b = start + d * t1;
    return true;
}

void DrawSegment(RgbImage& image, const Point2D& from, const Point2D& to, Rgb colour,
                 int thickness) {
    Point2D a = ToPixels(image, from);
    Point2D b = ToPixels(image, to);
    const float margin = static_cast<float>(thickness);
    const Point2D hi(image.width + margin, image.height + margin);
    if (!ClipSegment(a, b, -margin, hi))
        return;
    const float length = std::max(std::fabs(b[0] - a[0]), std::fabs(b[1] - a[1]));
    const int steps = static_cast<int>(std::ceil(length));
    for (int i = 0; i <= steps; ++i) {
        const float t = steps > 0 ? static_cast<float>(i) / steps : 0.0f;
        const Point2D p = a + (b - a) * t;
        Stamp(image, static_cast<int>(std::lround(p[0])), static_cast<int>(std::lround(p[1])),
              colour, thickness);
    }
}

}  // namespace

void RgbImage::Set(int x, int y, Rgb c) {
    if (x < 0 || y < 0 || x >= width || y >= height)
        return;
    uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
    p[0] = c.r;
    p[1] = c.g;
    p[2] = c.b;
}

Rgb RgbImage::Get(int x, int y) const {
    const uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
    return {p[0], p[1], p[2]};
}

void DrawMapOutline(RgbImage& image, const std::vector<Point2D>& points, Rgb colour,
                    int thickness) {
    for (size_t i = 0; i < points.size(); ++i)
        DrawSegment(image, points[i], points[(i + 1) % points.size()], colour, thickness);
}
