// kvx-trapezoid: prints every stage of the trapezoid fit for given eye and
// light placements.

#include <cstdio>
#include <string>
#include <vector>

#include "math/camera.h"
#include "platform/standard_streams.h"
#include "tools/trapezoid/trapezoid_options.h"
#include "tools/trapezoid/trapezoid_report.h"
#include "warp/trapezoid_fit.h"

namespace {

// The demo's cameras: the eye sees 60 degrees from 1 to its far plane, the
// light 60 degrees over a square from 500 to 2000.
constexpr float FIELD_OF_VIEW = 60.0f;
constexpr float EYE_NEAR = 1.0f;
constexpr float LIGHT_NEAR = 500.0f;
constexpr float LIGHT_FAR = 2000.0f;
constexpr float FOCUS_PERCENT = 80.0f;
constexpr int SEARCH_RESOLUTION = 1024;

TrapezoidSearch Fit(const TrapezoidOptions& o) {
    Camera eye;
    eye.SetPerspective(FIELD_OF_VIEW, o.aspect, EYE_NEAR, o.eyeFar);
    eye.SetView(o.eye.elevation, o.eye.azimuth, o.eye.distance);
    Camera light;
    light.SetPerspective(FIELD_OF_VIEW, 1.0f, LIGHT_NEAR, LIGHT_FAR);
    light.SetView(o.light.elevation, o.light.azimuth, o.light.distance);
    return SearchTrapezoid(eye, light, o.eye.distance, FOCUS_PERCENT, SEARCH_RESOLUTION);
}

}  // namespace

int main(int argc, char** argv) {
    OpenMissingStandardStreams();
    TrapezoidOptions options;
    const CommandLineOutcome command =
        ParseTrapezoidOptions(std::vector<std::string>(argv + 1, argv + argc), options);
    if (command.action != CommandLineOutcome::RUN)
        return StatusAfterStandardOutput("kvx-trapezoid",
                                         ReportCommandLine("kvx-trapezoid", command));
    const TrapezoidSearch search = Fit(options);
    const std::string report =
        options.json ? ReportJson(options, search) : ReportText(options, search);
    std::fputs(report.c_str(), stdout);
    return StatusAfterStandardOutput("kvx-trapezoid", 0);
}
