#include "measure/measure_report.h"

#include <cmath>
#include <cstdio>

namespace {

std::string Format(const char* format, double a, double b = 0.0, double c = 0.0, double d = 0.0) {
    char text[160];
    std::snprintf(text, sizeof text, format, a, b, c, d);
    return text;
}

// A JSON number, or null for NaN and infinities.
std::string Number(double v) {
    if (!std::isfinite(v))
        return "null";
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", v);
    return text;
}

std::string PlacementJson(const OrbitPlacement& p) {
    return "{\"elevation\": " + Number(p.elevation) + ", \"azimuth\": " + Number(p.azimuth) +
           ", \"distance\": " + Number(p.distance) + "}";
}

std::string MapJson(const MapFigures& m) {
    return "{\"texels_per_pixel\": {\"p10\": " + Number(m.texels.p10) +
           ", \"p50\": " + Number(m.texels.p50) + ", \"p90\": " + Number(m.texels.p90) +
           "}, \"pixels\": " + std::to_string(m.texels.pixels) +
           ", \"coverage\": " + Number(m.coverage) + "}";
}

// The maps by key, how often KVX gives fewer texels than SSM, and how often
// each other map gives fewer than KVX.
std::string DensityJson(const MeasureReport& r) {
    std::string json;
    std::string fewer;
    for (const MapFigures& m : r.maps) {
        json += ", \"" + m.key + "\": " + MapJson(m);
        if (m.key != "kvx")
            fewer += (fewer.empty() ? "\"" : ", \"") + m.key + "\": " + Number(m.fewerThanKvx);
    }
    return json + ", \"kvx_fewer_texels_share\": " + Number(r.kvxFewerShare) +
           ", \"fewer_texels_than_kvx\": {" + fewer + "}" +
           ", \"kvx_fallback\": " + (r.kvxFallsBack ? "true" : "false");
}

// A mode's member name: "csm-stable" is "csm_stable", as in the maps;
// "kvx-hq" keeps its name.
std::string ModeJsonKey(const std::string& mode) {
    return mode == "csm-stable" ? "csm_stable" : mode;
}

std::string StabilityJson(const ModeStability& s) {
    return "\"" + ModeJsonKey(s.mode) + "\": {\"mean_change\": " + Number(s.meanChange) +
           ", \"worst_frame_mean\": " + Number(s.worstPairMean) +
           ", \"flip_share\": " + Number(s.flipShare) + ", \"pairs\": " + std::to_string(s.pairs) +
           ", \"outside_tile\": " + std::to_string(s.outsideTile) + "}";
}

std::string PathJson(const PathStability& p) {
    std::string json = "\"" + p.path + "\": {\"step\": " + Number(p.step);
    for (const ModeStability& s : p.modes)
        json += ", " + StabilityJson(s);
    return json + "}";
}

std::string PathText(const PathStability& p, int frames) {
    std::string text = "\nShadow change along " + std::to_string(frames) + " frames, " + p.what +
                       Format(" (%.2f", p.step) + p.unit + " a frame)\n";
    text += "Mode              mean change  worst frame  flipped\n";
    for (const ModeStability& s : p.modes) {
        char line[128];
        std::snprintf(line, sizeof line, "%-17s %11.5f  %11.5f  %6.3f%%\n", s.mode.c_str(),
                      s.meanChange, s.worstPairMean, 100.0 * s.flipShare);
        text += line;
    }
    return text;
}

// "name" padded to the column of the figures, then the ratio.
std::string Ratio(const std::string& name, double ratio) {
    char line[80];
    std::snprintf(line, sizeof line, "%-19s%7.2f\n", name.c_str(), ratio);
    return line;
}

std::string MapLine(const MapFigures& m) {
    char name[32];
    std::snprintf(name, sizeof name, "%-16s", m.label.c_str());
    return name +
           Format(" %8.3f %8.3f %8.3f %9.1f%%", m.texels.p10, m.texels.p50, m.texels.p90,
                  100.0 * m.coverage) +
           "  " + std::to_string(m.texels.pixels) + "\n";
}

}  // namespace

std::string ReportText(const MeasureReport& r) {
    std::string text = "Window " + std::to_string(r.width) + "x" + std::to_string(r.height) +
                       ", shadow map " + std::to_string(r.mapSize) + "x" +
                       std::to_string(r.mapSize) + "\n";
    text += Format("Eye elevation %.1f, azimuth %.1f, distance %.1f\n", r.eye.elevation,
                   r.eye.azimuth, r.eye.distance);
    text += Format("Light elevation %.1f, azimuth %.1f, distance %.1f\n", r.light.elevation,
                   r.light.azimuth, r.light.distance);
    if (r.hasDensity) {
        text += "\nTexels per pixel     p10      p50      p90  coverage  pixels\n";
        for (const MapFigures& m : r.maps)
            text += MapLine(m);
        const MapFigures& ssm = r.maps.front();
        for (const MapFigures& m : r.maps) {
            if (m.key != ssm.key)
                text += Ratio(m.label + " / SSM median", m.texels.p50 / ssm.texels.p50);
        }
        text +=
            Format("Pixels where KVX has fewer texels than SSM: %.1f%%\n", 100.0 * r.kvxFewerShare);
        if (r.kvxFallsBack)
            text += "KVX fell back to the standard map: no trapezoid fits this view\n";
        for (const MapFigures& m : r.maps) {
            if (m.key != "kvx" && m.key != ssm.key)
                text += "Pixels where " + m.label +
                        " has fewer texels than KVX:" + Format(" %.1f%%\n", 100.0 * m.fewerThanKvx);
        }
    }
    for (const PathStability& p : r.stability)
        text += PathText(p, r.stabilityFrames);
    return text;
}

std::string ReportJson(const MeasureReport& r) {
    std::string json = "{\"window\": {\"width\": " + std::to_string(r.width) +
                       ", \"height\": " + std::to_string(r.height) +
                       "}, \"map_size\": " + std::to_string(r.mapSize) +
                       ", \"eye\": " + PlacementJson(r.eye) +
                       ", \"light\": " + PlacementJson(r.light);
    if (r.hasDensity)
        json += DensityJson(r);
    if (r.stabilityFrames > 0) {
        json += ", \"stability\": {\"frames\": " + std::to_string(r.stabilityFrames);
        for (const PathStability& p : r.stability)
            json += ", " + PathJson(p);
        json += "}";
    }
    return json + "}\n";
}
