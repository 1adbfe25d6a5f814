// Reads any text as a view file. A refused text must say why and leave the view as it was; an
// accepted one must hold values the window can show, and the file the writer makes of it must
// read back as the same view.
#include <cstdlib>
#include <string>

#include "app/view_file.h"

namespace {

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

bool Within(const OrbitOption& orbit, const OrbitLimits& limits) {
    return orbit.set && orbit.elevation >= limits.elevationMin &&
           orbit.elevation <= limits.elevationMax && orbit.distance >= limits.distanceMin &&
           orbit.distance <= limits.distanceMax && orbit.azimuth >= -MAX_ORBIT_AZIMUTH &&
           orbit.azimuth <= MAX_ORBIT_AZIMUTH;
}

bool FramesWithin(const FigurePoseSet& figures) {
    for (const FigurePose& pose : figures) {
        if (pose.frameA < 0 || pose.frameA > MAX_FIGURE_FRAME || pose.frameB < 0 ||
            pose.frameB > MAX_FIGURE_FRAME)
            return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    SavedView view;
    const std::string untouched = ViewFileText(view);
    const std::string problem = ParseViewFile(text, view);
    if (!problem.empty()) {
        Require(problem.find('\n') == std::string::npos);
        Require(ViewFileText(view) == untouched);
        return 0;
    }
    Require(Within(view.eye, EYE_LIMITS) && Within(view.light, LIGHT_LIMITS));
    Require(FramesWithin(view.figures));
    const std::string written = ViewFileText(view);
    SavedView again;
    Require(ParseViewFile(written, again).empty());
    Require(ViewFileText(again) == written);
    return 0;
}
