#include "warp/trapezoid_to_square.h"

namespace {

using Row = gmtl::Vec3f;

// r applied to (t.x, t.y, 1).
float Apply(const Row& r, const Point2D& t) {
    return r[0] * t[0] + r[1] * t[1] + r[2];
}

// Where the line through p1, p2 meets the line through p3, p4.
Point2D Apex(const Point2D& p1, const Point2D& p2, const Point2D& p3, const Point2D& p4) {
    const float den = (p1[0] - p2[0]) * (p3[1] - p4[1]) - (p3[0] - p4[0]) * (p1[1] - p2[1]);
    const float c1 = p1[0] * p2[1] - p1[1] * p2[0];
    const float c2 = p3[0] * p4[1] - p4[0] * p3[1];
    return Point2D(((p3[0] - p4[0]) * c1 - (p1[0] - p2[0]) * c2) / den,
                   ((p3[1] - p4[1]) * c1 - (p1[1] - p2[1]) * c2) / den);
}

}  // namespace

gmtl::Matrix33f ComputeTrapezoidToSquare(const Point2D& t0, const Point2D& t1, const Point2D& t2,
                                         const Point2D& t3) {
    // Move the apex of the side lines to the origin and turn the top edge
    // onto the x axis.
    const Point2D half = (t2 - t3) * 0.5f;
    const float a = half[0], b = half[1];
    const Point2D u = Apex(t0, t3, t1, t2);
    Row r0(a, b, -(a * u[0] + b * u[1]));
    Row r1(b, -a, a * u[1] - b * u[0]);
    Row r2(0.0f, 0.0f, 1.0f);

    // Shear the middle of the top edge onto the y axis.
    const float s = -(Apply(r0, t2) + Apply(r0, t3)) / (Apply(r1, t2) + Apply(r1, t3));
    r0 = r0 + r1 * s;

    // Scale so that t2 goes to (1, 1).
    const float sx = 1.0f / Apply(r0, t2);
    const float sy = 1.0f / Apply(r1, t2);
    r0 = r0 * sx;
    r1 = r1 * sy;

    // Perspective: (x, y, 1) to (x, y + 1, y).
    r2 = r1;
    r1 = r1 + Row(0.0f, 0.0f, 1.0f);

    // Centre in y, then scale y so that t0 goes to y = -1.
    auto y = [&](const Point2D& t) { return Apply(r1, t) / Apply(r2, t); };
    const float m = -0.5f * (y(t0) + y(t2));
    r1 = r1 + r2 * m;
    const float k = -Apply(r2, t0) / Apply(r1, t0);
    r1 = r1 * k;

    gmtl::Matrix33f n;
    const Row rows[3] = {r0, r1, r2};
    for (unsigned i = 0; i < 3; ++i) {
        for (unsigned j = 0; j < 3; ++j)
            n(i, j) = rows[i][j];
    }
    n.setState(gmtl::Matrix33f::FULL);
    return n;
}

gmtl::Matrix44f TrapezoidMatrix44(const gmtl::Matrix33f& n) {
    gmtl::Matrix44f out;
    const unsigned rows[3] = {0, 1, 3};
    const unsigned cols[3] = {0, 1, 3};
    for (unsigned i = 0; i < 3; ++i) {
        for (unsigned j = 0; j < 3; ++j)
            out(rows[i], cols[j]) = n(i, j);
    }
    out(2, 2) = 1.0f;
    out.setState(gmtl::Matrix44f::FULL);
    return out;
}
