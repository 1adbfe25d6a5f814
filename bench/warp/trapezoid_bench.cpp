// Cost of fitting the trapezoid once per frame.

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "warp/trapezoid_fit.h"

namespace {

struct Cameras {
    Camera eye;
    Camera light;
    float eyeDistance;
};

Cameras Place(float eyeElevation, float eyeAzimuth, float eyeDistance, float lightElevation,
              float lightAzimuth, float lightDistance) {
    Cameras c;
    c.eye.SetPerspective(60, 4.0f / 3.0f, 1, 380);
    c.eye.SetView(eyeElevation, eyeAzimuth, eyeDistance);
    c.light.SetPerspective(60, 1, 500, 2000);
    c.light.SetView(lightElevation, lightAzimuth, lightDistance);
    c.eyeDistance = eyeDistance;
    return c;
}

void BM_ComputeTrapezoidMatrix_StartUpView(benchmark::State& state) {
    const Cameras c = Place(20, -135, 160, 90, -135, 1200);
    gmtl::Matrix44f out;
    for (auto _ : state) {
        ComputeTrapezoidMatrix(out, c.eye, c.light, c.eyeDistance, 80, 1024);
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(BM_ComputeTrapezoidMatrix_StartUpView);

// A fixed set of placements anywhere the navigation allows; reports the mean
// number of focus search steps per call.
void BM_ComputeTrapezoidMatrix_RandomViews(benchmark::State& state) {
    std::mt19937 rng(42);
    std::uniform_real_distribution<float> eyeElevation(5, 175), azimuth(-180, 180),
        eyeDistance(10, 200), lightElevation(25, 155), lightDistance(800, 2000);
    std::vector<Cameras> views;
    for (int i = 0; i < 256; ++i) {
        views.push_back(Place(eyeElevation(rng), azimuth(rng), eyeDistance(rng),
                              lightElevation(rng), azimuth(rng), lightDistance(rng)));
    }
    size_t next = 0;
    double steps = 0;
    for (auto _ : state) {
        const Cameras& c = views[next++ % views.size()];
        const TrapezoidSearch s = SearchTrapezoid(c.eye, c.light, c.eyeDistance, 80, 1024);
        steps += s.steps;
        benchmark::DoNotOptimize(s.n);
    }
    state.counters["steps_per_call"] =
        benchmark::Counter(steps, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_ComputeTrapezoidMatrix_RandomViews);

}  // namespace
