// The grid of a sweep, how shards split it, where each view puts the light
// and the eye, and the CSV rows.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "measure/sweep_csv.h"
#include "measure/sweep_grid.h"
#include "tests/support/start_up_cameras.h"

namespace {

TEST(SweepGrid, ReadsRangesAndElevationsAndRefusesTheRest) {
    SweepGrid grid;
    ASSERT_TRUE(ParseSweepGrid("0:180:10/30,50,70", grid));
    std::vector<SweepView> views = SweepViews(grid);
    ASSERT_EQ(views.size(), 57u);
    EXPECT_EQ(views[0].gamma, 0.0f);
    EXPECT_EQ(views[18].gamma, 180.0f);
    EXPECT_EQ(views[19].lightElevation, 50.0f);
    EXPECT_EQ(views[19].gamma, 0.0f);

    // A step that does not reach TO stops below it; FROM = TO is one view.
    ASSERT_TRUE(ParseSweepGrid("5:20:10/90", grid));
    views = SweepViews(grid);
    ASSERT_EQ(views.size(), 2u);
    EXPECT_EQ(views[1].gamma, 15.0f);
    ASSERT_TRUE(ParseSweepGrid("0.1:0.1:1/45", grid));
    EXPECT_EQ(SweepViews(grid).size(), 1u);

    for (const char* bad :
         {"", "0:180:10", "0:180/30", "0:180:0/30", "0:180:-5/30", "-1:10:1/30", "0:181:10/30",
          "20:10:5/30", "0:180:10/", "0:180:10/0", "0:180:10/91", "0:180:10/30,,50",
          "0:180:10/30/50", "0:180:x/30", "0:180:10/nan", "0:180:0.001/30,40,50,60,70,80"}) {
        SweepGrid kept;
        EXPECT_FALSE(ParseSweepGrid(bad, kept)) << bad;
        EXPECT_EQ(SweepViews(kept).size(), 57u) << bad;
    }
}

// N shards together measure every view once, whatever N; a shard takes
// every N-th view from its own index on.
TEST(Shard, ShardsPartitionTheViews) {
    for (int count = 1; count <= 8; ++count) {
        std::vector<int> measured(57, 0);
        for (int index = 0; index < count; ++index) {
            for (size_t view = 0; view < measured.size(); ++view) {
                if (InShard(view, {index, count})) {
                    EXPECT_EQ(static_cast<int>(view) % count, index);
                    ++measured[view];
                }
            }
        }
        for (size_t view = 0; view < measured.size(); ++view)
            EXPECT_EQ(measured[view], 1) << "view " << view << " of " << count << " shards";
    }
    Shard shard;
    ASSERT_TRUE(ParseShard("3/4", shard));
    EXPECT_EQ(shard.index, 3);
    EXPECT_EQ(shard.count, 4);
    for (const char* bad : {"4/4", "0/0", "-1/4", "1/", "/4", "1/4/2", "a/4", "1 /4", "0/100001"}) {
        Shard kept;
        EXPECT_FALSE(ParseShard(bad, kept)) << bad;
        EXPECT_EQ(kept.count, 1) << bad;
    }
}

float Degrees(const gmtl::Vec3f& a, const gmtl::Vec3f& b) {
    gmtl::Vec3f u = a, v = b;
    gmtl::normalize(u);
    gmtl::normalize(v);
    return std::acos(std::fmax(-1.0f, std::fmin(1.0f, gmtl::dot(u, v)))) * 57.29578f;
}

// From the start-up eye, looking 20 degrees down, the light alone reaches
// gamma from about e + 20 to 180 - |e - 20| at elevation e; beyond, the view
// turns. Either way the view ends at gamma from the light.
TEST(SweepPlacement, ViewEndsAtGammaFromTheLight) {
    Camera eye, light;
    PlaceStartUpCameras(eye, light);
    gmtl::Vec3f forward = eye.m_position * -1.0f;
    gmtl::normalize(forward);
    const struct {
        float gamma, elevation;
        bool viewKept;
    } cases[] = {{0, 30, false},  {40, 30, false}, {60, 30, true},
                 {90, 30, true},  {160, 30, true}, {180, 30, false},
                 {100, 70, true}, {60, 70, false}, {150, 70, false}};
    for (const auto& c : cases) {
        const SweepPlacement p =
            PlaceForGamma(light, c.elevation, eye.m_position, forward, c.gamma);
        Camera placed = light;
        placed.SetView(c.elevation, p.lightAzimuth, 1200);
        EXPECT_NEAR(Degrees(p.viewDirection, placed.m_position - eye.m_position), c.gamma, 0.05f)
            << c.gamma << " at " << c.elevation;
        EXPECT_EQ(Degrees(p.viewDirection, forward) < 0.05f, c.viewKept)
            << c.gamma << " at " << c.elevation;
        // The view matrix looks along the direction from the eye, upright.
        const gmtl::Matrix44f view = LookAlong(eye.m_position, p.viewDirection);
        const gmtl::Vec4f ahead = view * gmtl::Vec4f(eye.m_position[0] + p.viewDirection[0],
                                                     eye.m_position[1] + p.viewDirection[1],
                                                     eye.m_position[2] + p.viewDirection[2], 1.0f);
        EXPECT_NEAR(ahead[0], 0.0f, 1e-3f);
        EXPECT_NEAR(ahead[1], 0.0f, 1e-3f);
        EXPECT_NEAR(ahead[2], -1.0f, 1e-3f);
    }
}

TEST(SweepCsv, HeaderAndOneRowPerMap) {
    EXPECT_EQ(SweepCsvHeader(false),
              "gamma_deg,light_elevation_deg,eye_elevation_deg,parametrisation,p10,p50,p90,"
              "coverage,fewer_than_kvx\n");
    EXPECT_EQ(SweepCsvHeader(true),
              "gamma_deg,light_elevation_deg,eye_elevation_deg,parametrisation,p10,p50,p90,"
              "coverage,fewer_than_kvx,flips_turn,flips_move\n");
    MeasureReport r;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    r.maps = {{"kvx", "KVX", {0.5, 1.5, 4, 1000}, 0.75f, 0.0},
              {"csm_stable", "CSM stable", {nan, nan, nan, 0}, 0.25f, nan}};
    EXPECT_EQ(SweepCsvRows({40, 30}, -20, r),
              "40,30,-20,kvx,0.5,1.5,4,0.75,\n"
              "40,30,-20,csm_stable,,,,0.25,\n");
    r.stability = {
        {"turn", "", "", 0.1f, {{"kvx", 0, 0, 0.002, 2, 0}, {"csm-stable", 0, 0, 0, 2, 0}}},
        {"move", "", "", 0.25f, {{"kvx", 0, 0, 0.001, 2, 0}}}};
    EXPECT_EQ(SweepCsvRows({40, 30}, -20, r),
              "40,30,-20,kvx,0.5,1.5,4,0.75,,0.002,0.001\n"
              "40,30,-20,csm_stable,,,,0.25,,,\n");
}

}  // namespace
