#include "measure/sweep_csv.h"

#include <cmath>
#include <cstdio>

namespace {

std::string Field(double v) {
    if (!std::isfinite(v))
        return "";
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", v);
    return text;
}

// The flip share of the mode named after the map along one eye path; empty
// when the path did not measure it.
std::string Flips(const PathStability& path, const MapFigures& map) {
    for (const ModeStability& mode : path.modes) {
        std::string key = mode.mode;
        for (char& c : key)
            c = c == '-' ? '_' : c;
        if (key == map.key)
            return Field(mode.flipShare);
    }
    return "";
}

}  // namespace

std::string SweepCsvHeader(bool flips) {
    return std::string(
               "gamma_deg,light_elevation_deg,eye_elevation_deg,parametrisation,p10,p50,"
               "p90,coverage,fewer_than_kvx") +
           (flips ? ",flips_turn,flips_move" : "") + "\n";
}

std::string SweepCsvRows(const SweepView& view, float eyeElevation, const MeasureReport& report) {
    std::string rows;
    for (const MapFigures& m : report.maps) {
        rows += Field(view.gamma) + "," + Field(view.lightElevation) + "," + Field(eyeElevation) +
                "," + m.key + "," + Field(m.texels.p10) + "," + Field(m.texels.p50) + "," +
                Field(m.texels.p90) + "," + Field(m.coverage) + "," +
                (m.key == "kvx" ? "" : Field(m.fewerThanKvx));
        // A view that shows no scene has no points to flip.
        for (const PathStability& path : report.stability)
            rows += "," + (m.texels.pixels > 0 ? Flips(path, m) : std::string());
        rows += "\n";
    }
    return rows;
}
