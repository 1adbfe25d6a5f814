#include "tools/trapezoid/trapezoid_report.h"

#include <cmath>
#include <cstdio>
#include <vector>

#include "warp/trapezoid_to_square.h"

namespace {

// The figures are printed with 9 significant digits, enough to give a float
// back exactly.
std::string Figure(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", v);
    return text;
}

std::string JsonNumber(double v) {
    return std::isfinite(v) ? Figure(v) : "null";
}

std::string TextPoint(const Point2D& p) {
    return "(" + Figure(p[0]) + ", " + Figure(p[1]) + ")";
}

std::string JsonPoint(const Point2D& p) {
    return "[" + JsonNumber(p[0]) + ", " + JsonNumber(p[1]) + "]";
}

std::string TextPoints(const char* name, const std::vector<Point2D>& points) {
    std::string text = std::string(name) + " (" + std::to_string(points.size()) + "):";
    for (const Point2D& p : points)
        text += " " + TextPoint(p);
    return text + "\n";
}

std::string JsonPoints(const std::vector<Point2D>& points) {
    std::string json;
    for (const Point2D& p : points)
        json += (json.empty() ? "" : ", ") + JsonPoint(p);
    return "[" + json + "]";
}

std::vector<Point2D> Corners(const Trapezoid& trapezoid) {
    return {trapezoid.t[0], trapezoid.t[1], trapezoid.t[2], trapezoid.t[3]};
}

std::string JsonPlacement(const OrbitOption& orbit) {
    return "\"elevation\": " + JsonNumber(orbit.elevation) +
           ", \"azimuth\": " + JsonNumber(orbit.azimuth) +
           ", \"distance\": " + JsonNumber(orbit.distance);
}

}  // namespace

std::string ReportText(const TrapezoidOptions& o, const TrapezoidSearch& s) {
    std::string text = "eye: elevation " + Figure(o.eye.elevation) + ", azimuth " +
                       Figure(o.eye.azimuth) + ", distance " + Figure(o.eye.distance) +
                       ", aspect " + Figure(o.aspect) + ", far " + Figure(o.eyeFar) + "\n";
    text += "light: elevation " + Figure(o.light.elevation) + ", azimuth " +
            Figure(o.light.azimuth) + ", distance " + Figure(o.light.distance) + "\n";
    text += TextPoints("frustum hull", s.frustumHull);
    text += TextPoints("focus hull", s.focusHull);
    text += "centre line: " + TextPoint(s.centre.P0()) + " -> " + TextPoint(s.centre.P1()) + "\n";
    text += "trapezoid:";
    for (int i = 0; i < 4; ++i)
        text += " t" + std::to_string(i) + " " + TextPoint(s.trapezoid.t[i]);
    text += "\nsearch steps: " + std::to_string(s.steps) + "\n";
    text += "focus percent: " + Figure(s.percent) + "\n";
    if (s.degenerate)
        text += "degenerate view: N_T is the identity\n";
    text += "N_T:";
    for (float v : TrapezoidMatrix44(s.n).mData)
        text += " " + Figure(v);
    return text + "\n";
}

std::string ReportJson(const TrapezoidOptions& o, const TrapezoidSearch& s) {
    std::string nt;
    for (float v : TrapezoidMatrix44(s.n).mData)
        nt += (nt.empty() ? "" : ", ") + JsonNumber(v);
    return "{\"eye\": {" + JsonPlacement(o.eye) + ", \"aspect\": " + JsonNumber(o.aspect) +
           ", \"far\": " + JsonNumber(o.eyeFar) + "}, \"light\": {" + JsonPlacement(o.light) +
           "}, \"frustum_hull\": " + JsonPoints(s.frustumHull) +
           ", \"focus_hull\": " + JsonPoints(s.focusHull) +
           ", \"centre_line\": " + JsonPoints({s.centre.P0(), s.centre.P1()}) +
           ", \"trapezoid\": " + JsonPoints(Corners(s.trapezoid)) +
           ", \"search_steps\": " + std::to_string(s.steps) +
           ", \"focus_percent\": " + JsonNumber(s.percent) +
           ", \"degenerate\": " + (s.degenerate ? "true" : "false") + ", \"N_T\": [" + nt + "]}\n";
}
