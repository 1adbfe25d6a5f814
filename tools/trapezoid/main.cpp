// kvx-trapezoid: prints every stage of the trapezoid fit for given eye and
// light placements.

#include <cstdio>
#include <string>
#include <vector>

#include "math/camera.h"
#include "platform/standard_streams.h"
#include "tools/trapezoid/trapezoid_options.h"
#include "warp/trapezoid_fit.h"
#include "warp/trapezoid_to_square.h"

namespace {

// The demo's cameras: the eye sees 60 degrees from 1 to its far plane, the
// light 60 degrees over a square from 500 to 2000.
constexpr float FIELD_OF_VIEW = 60.0f;
constexpr float EYE_NEAR = 1.0f;
constexpr float LIGHT_NEAR = 500.0f;
constexpr float LIGHT_FAR = 2000.0f;
constexpr float FOCUS_PERCENT = 80.0f;
constexpr int SEARCH_RESOLUTION = 1024;

void PrintPoints(const char* name, const std::vector<Point2D>& points) {
    std::printf("%s (%zu):", name, points.size());
    for (const Point2D& p : points)
        std::printf(" (%.9g, %.9g)", p[0], p[1]);
    std::printf("\n");
}

void PrintReport(const TrapezoidOptions& o, const TrapezoidSearch& s) {
    std::printf("eye: elevation %.9g, azimuth %.9g, distance %.9g, aspect %.9g, far %.9g\n",
                o.eyeElevation, o.eyeAzimuth, o.eyeDistance, o.aspect, o.eyeFar);
    std::printf("light: elevation %.9g, azimuth %.9g, distance %.9g\n", o.lightElevation,
                o.lightAzimuth, o.lightDistance);
    PrintPoints("frustum hull", s.frustumHull);
    PrintPoints("focus hull", s.focusHull);
    std::printf("centre line: (%.9g, %.9g) -> (%.9g, %.9g)\n", s.centre.P0()[0], s.centre.P0()[1],
                s.centre.P1()[0], s.centre.P1()[1]);
    std::printf("trapezoid:");
    for (int i = 0; i < 4; ++i) {
        std::printf(" t%d (%.9g, %.9g)", i, s.trapezoid.t[i][0], s.trapezoid.t[i][1]);
    }
    std::printf("\nsearch steps: %d\n", s.steps);
    std::printf("focus percent: %.9g\n", s.percent);
    if (s.degenerate)
        std::printf("degenerate view: N_T is the identity\n");
    const gmtl::Matrix44f nt = TrapezoidMatrix44(s.n);
    std::printf("N_T:");
    for (float v : nt.mData)
        std::printf(" %.9g", v);
    std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
    OpenMissingStandardStreams();
    TrapezoidOptions options;
    std::string error;
    if (!ParseTrapezoidOptions(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
        std::fprintf(stderr, "kvx-trapezoid: %s\nTry 'kvx-trapezoid --help'.\n", error.c_str());
        return 2;
    }
    if (options.help) {
        std::fputs(TRAPEZOID_USAGE, stdout);
        return 0;
    }
    Camera eye;
    eye.SetPerspective(FIELD_OF_VIEW, options.aspect, EYE_NEAR, options.eyeFar);
    eye.SetView(options.eyeElevation, options.eyeAzimuth, options.eyeDistance);
    Camera light;
    light.SetPerspective(FIELD_OF_VIEW, 1.0f, LIGHT_NEAR, LIGHT_FAR);
    light.SetView(options.lightElevation, options.lightAzimuth, options.lightDistance);

    const TrapezoidSearch search =
        SearchTrapezoid(eye, light, options.eyeDistance, FOCUS_PERCENT, SEARCH_RESOLUTION);
    PrintReport(options, search);
    return StatusAfterStandardOutput("kvx-trapezoid", 0);
}
