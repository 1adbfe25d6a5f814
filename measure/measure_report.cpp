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

std::string StabilityJson(const ModeStability& s) {
    return "\"" + s.mode + "\": {\"mean_change\": " + Number(s.meanChange) +
           ", \"worst_frame_mean\": " + Number(s.worstPairMean) +
           ", \"flip_share\": " + Number(s.flipShare) + ", \"pairs\": " + std::to_string(s.pairs) +
           "}";
}

std::string MapLine(const char* name, const MapFigures& m) {
    return std::string(name) +
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
        text += MapLine("SSM             ", r.ssm);
        text += MapLine("KVX             ", r.kvx);
        text += Format("KVX / SSM median  %8.2f\n", r.kvx.texels.p50 / r.ssm.texels.p50);
        text +=
            Format("Pixels where KVX has fewer texels than SSM: %.1f%%\n", 100.0 * r.kvxFewerShare);
    }
    if (r.stabilityFrames > 0) {
        text += "\nShadow change along " + std::to_string(r.stabilityFrames) + " frames" +
                Format(" (%.2f degrees of eye azimuth a frame)\n", r.stepDegrees);
        text += "Mode              mean change  worst frame  flipped\n";
        for (const ModeStability& s : r.stability) {
            char line[128];
            std::snprintf(line, sizeof line, "%-17s %11.5f  %11.5f  %6.3f%%\n", s.mode.c_str(),
                          s.meanChange, s.worstPairMean, 100.0 * s.flipShare);
            text += line;
        }
    }
    return text;
}

std::string ReportJson(const MeasureReport& r) {
    std::string json = "{\"window\": {\"width\": " + std::to_string(r.width) +
                       ", \"height\": " + std::to_string(r.height) +
                       "}, \"map_size\": " + std::to_string(r.mapSize) +
                       ", \"eye\": " + PlacementJson(r.eye) +
                       ", \"light\": " + PlacementJson(r.light);
    if (r.hasDensity)
        json += ", \"ssm\": " + MapJson(r.ssm) + ", \"kvx\": " + MapJson(r.kvx) +
                ", \"kvx_fewer_texels_share\": " + Number(r.kvxFewerShare);
    if (r.stabilityFrames > 0) {
        json += ", \"stability\": {\"frames\": " + std::to_string(r.stabilityFrames) +
                ", \"step_degrees\": " + Number(r.stepDegrees);
        for (const ModeStability& s : r.stability)
            json += ", " + StabilityJson(s);
        json += "}";
    }
    return json + "}\n";
}
