#include "measure/sweep_grid.h"

#include <cmath>
#include <cstdlib>

namespace {

constexpr float MAX_GAMMA = 180.0f;
constexpr int MAX_SHARDS = 100000;
// Below this, two directions count as parallel.
constexpr float PARALLEL = 1e-6f;
constexpr float RAD_TO_DEG = 57.295780f;

gmtl::Vec3f Cross(const gmtl::Vec3f& a, const gmtl::Vec3f& b) {
    return gmtl::Vec3f(a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2],
                       a[0] * b[1] - a[1] * b[0]);
}

// A number and nothing else.
bool ParseFloat(const std::string& text, float& value) {
    if (text.empty())
        return false;
    char* end = nullptr;
    const float v = std::strtof(text.c_str(), &end);
    if (*end != '\0' || !std::isfinite(v))
        return false;
    value = v;
    return true;
}

bool ParseWhole(const std::string& text, int low, int high, int& value) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos ||
        text.size() > 9)
        return false;
    const int v = std::atoi(text.c_str());
    if (v < low || v > high)
        return false;
    value = v;
    return true;
}

// The pieces of text between the separators.
std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> pieces;
    size_t start = 0;
    for (size_t at = text.find(separator); at != std::string::npos;
         at = text.find(separator, start)) {
        pieces.push_back(text.substr(start, at - start));
        start = at + 1;
    }
    pieces.push_back(text.substr(start));
    return pieces;
}

size_t GammaCount(const SweepGrid& g) {
    return static_cast<size_t>(std::floor((g.gammaTo - g.gammaFrom) / g.gammaStep + 1e-4f)) + 1;
}

bool ParseElevations(const std::string& text, std::vector<float>& elevations) {
    for (const std::string& piece : Split(text, ',')) {
        float e = 0.0f;
        if (!ParseFloat(piece, e) || e < 1.0f || e > 90.0f)
            return false;
        elevations.push_back(e);
    }
    return true;
}

}  // namespace

bool ParseSweepGrid(const std::string& text, SweepGrid& grid) {
    const std::vector<std::string> halves = Split(text, '/');
    if (halves.size() != 2)
        return false;
    const std::vector<std::string> range = Split(halves[0], ':');
    SweepGrid g;
    g.lightElevations.clear();
    if (range.size() != 3 || !ParseFloat(range[0], g.gammaFrom) ||
        !ParseFloat(range[1], g.gammaTo) || !ParseFloat(range[2], g.gammaStep) ||
        !ParseElevations(halves[1], g.lightElevations))
        return false;
    if (g.gammaFrom < 0.0f || g.gammaTo > MAX_GAMMA || g.gammaFrom > g.gammaTo ||
        !(g.gammaStep > 0.0f))
        return false;
    if (static_cast<double>(GammaCount(g)) * static_cast<double>(g.lightElevations.size()) >
        static_cast<double>(MAX_SWEEP_VIEWS))
        return false;
    grid = g;
    return true;
}

std::vector<SweepView> SweepViews(const SweepGrid& grid) {
    std::vector<SweepView> views;
    const size_t count = GammaCount(grid);
    for (float elevation : grid.lightElevations) {
        for (size_t i = 0; i < count; ++i)
            views.push_back({grid.gammaFrom + grid.gammaStep * static_cast<float>(i), elevation});
    }
    return views;
}

bool ParseShard(const std::string& text, Shard& shard) {
    const std::vector<std::string> parts = Split(text, '/');
    Shard s;
    if (parts.size() != 2 || !ParseWhole(parts[1], 1, MAX_SHARDS, s.count) ||
        !ParseWhole(parts[0], 0, s.count - 1, s.index))
        return false;
    shard = s;
    return true;
}

bool InShard(size_t view, const Shard& shard) {
    return view % static_cast<size_t>(shard.count) == static_cast<size_t>(shard.index);
}

gmtl::Vec3f DirectionAtGamma(const gmtl::Vec3f& forward, const gmtl::Vec3f& towardsLight,
                             float gammaDegrees) {
    gmtl::Vec3f l = towardsLight;
    gmtl::normalize(l);
    gmtl::Vec3f across = forward - l * gmtl::dot(forward, l);
    if (gmtl::length(across) < PARALLEL)
        across = std::fabs(l[1]) < 0.9f ? gmtl::Vec3f(0, 1, 0) - l * l[1]
                                        : gmtl::Vec3f(1, 0, 0) - l * l[0];
    gmtl::normalize(across);
    const float g = gammaDegrees * gmtl::Math::DEG_TO_RAD;
    return l * std::cos(g) + across * std::sin(g);
}

namespace {

constexpr int AZIMUTH_SAMPLES = 720;
constexpr int AZIMUTH_REFINEMENTS = 40;

// The angle in degrees between the view and the direction towards the light
// at an azimuth.
float GammaAt(Camera& light, float elevation, float distance, float azimuth, const gmtl::Vec3f& eye,
              const gmtl::Vec3f& forward) {
    light.SetView(elevation, azimuth, distance);
    gmtl::Vec3f towards = light.m_position - eye;
    gmtl::normalize(towards);
    gmtl::Vec3f f = forward;
    gmtl::normalize(f);
    return std::acos(std::fmax(-1.0f, std::fmin(1.0f, gmtl::dot(f, towards)))) * RAD_TO_DEG;
}

}  // namespace

SweepPlacement PlaceForGamma(Camera light, float lightElevation, const gmtl::Vec3f& eyePosition,
                             const gmtl::Vec3f& forward, float gammaDegrees) {
    const float distance = gmtl::length(light.m_position);
    const auto miss = [&](float azimuth) {
        return std::fabs(GammaAt(light, lightElevation, distance, azimuth, eyePosition, forward) -
                         gammaDegrees);
    };
    const float step = 360.0f / AZIMUTH_SAMPLES;
    float best = -180.0f;
    for (int i = 1; i < AZIMUTH_SAMPLES; ++i) {
        const float azimuth = -180.0f + step * static_cast<float>(i);
        if (miss(azimuth) < miss(best))
            best = azimuth;
    }
    // The miss is smooth near its least: halve the bracket around the sample.
    float low = best - step, high = best + step;
    for (int i = 0; i < AZIMUTH_REFINEMENTS; ++i) {
        const float a = low + (high - low) / 3.0f, b = high - (high - low) / 3.0f;
        if (miss(a) < miss(b))
            high = b;
        else
            low = a;
    }
    SweepPlacement placement;
    placement.lightAzimuth = 0.5f * (low + high);
    light.SetView(lightElevation, placement.lightAzimuth, distance);
    placement.viewDirection =
        DirectionAtGamma(forward, light.m_position - eyePosition, gammaDegrees);
    return placement;
}

gmtl::Matrix44f LookAlong(const gmtl::Vec3f& position, const gmtl::Vec3f& direction) {
    gmtl::Vec3f back = direction * -1.0f;
    gmtl::normalize(back);
    const gmtl::Vec3f up =
        std::fabs(back[1]) < 1.0f - PARALLEL ? gmtl::Vec3f(0, 1, 0) : gmtl::Vec3f(1, 0, 0);
    gmtl::Vec3f side = Cross(up, back);
    gmtl::normalize(side);
    const gmtl::Vec3f top = Cross(back, side);
    gmtl::Matrix44f m;
    const gmtl::Vec3f* rows[3] = {&side, &top, &back};
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c)
            m(r, c) = (*rows[r])[static_cast<unsigned>(c)];
        m(r, 3) = -gmtl::dot(*rows[r], position);
    }
    m.setState(gmtl::Matrix44f::AFFINE);
    return m;
}

float ElevationDegrees(const gmtl::Vec3f& direction) {
    gmtl::Vec3f d = direction;
    gmtl::normalize(d);
    return std::asin(std::fmax(-1.0f, std::fmin(1.0f, d[1]))) * RAD_TO_DEG;
}
