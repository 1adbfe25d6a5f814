#include "measure/measure_report.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <limits>

namespace {

using testing::HasSubstr;
using testing::Not;

MeasureReport Sample() {
    MeasureReport r;
    r.width = 800;
    r.height = 600;
    r.mapSize = 1500;
    r.eye = {20, -135, 160};
    r.light = {90, -135, 1200};
    r.hasDensity = true;
    r.maps = {{"ssm", "SSM", {0.1, 0.25, 0.5, 1000}, 0.125f, 0.97},
              {"kvx", "KVX", {0.5, 1.5, 4, 1000}, 0.75f, 0.0},
              {"csm", "CSM", {0.25, 1.25, 2, 1000}, 0.5f, 0.625}};
    r.kvxFewerShare = 0.02;
    r.stabilityFrames = 3;
    r.stability = {{"turn",
                    "the eye turning in place",
                    " degrees",
                    0.1f,
                    {{"ssm", 0, 0, 0, 2, 0}, {"kvx", 0.01, 0.02, 0.005, 2, 0}}},
                   {"move",
                    "the eye moving along its view",
                    "",
                    0.25f,
                    {{"csm-stable", 0.001, 0.002, 0.0005, 2, 7}}}};
    return r;
}

TEST(ReportJson, OneObjectWithEveryFigure) {
    const std::string json = ReportJson(Sample());
    EXPECT_EQ(json,
              "{\"window\": {\"width\": 800, \"height\": 600}, \"map_size\": 1500, "
              "\"eye\": {\"elevation\": 20, \"azimuth\": -135, \"distance\": 160}, "
              "\"light\": {\"elevation\": 90, \"azimuth\": -135, \"distance\": 1200}, "
              "\"ssm\": {\"texels_per_pixel\": {\"p10\": 0.1, \"p50\": 0.25, \"p90\": 0.5}, "
              "\"pixels\": 1000, \"coverage\": 0.125}, "
              "\"kvx\": {\"texels_per_pixel\": {\"p10\": 0.5, \"p50\": 1.5, \"p90\": 4}, "
              "\"pixels\": 1000, \"coverage\": 0.75}, "
              "\"csm\": {\"texels_per_pixel\": {\"p10\": 0.25, \"p50\": 1.25, \"p90\": 2}, "
              "\"pixels\": 1000, \"coverage\": 0.5}, \"kvx_fewer_texels_share\": 0.02, "
              "\"fewer_texels_than_kvx\": {\"ssm\": 0.97, \"csm\": 0.625}, "
              "\"kvx_fallback\": false, "
              "\"stability\": {\"frames\": 3, \"turn\": {\"step\": 0.1, "
              "\"ssm\": {\"mean_change\": 0, \"worst_frame_mean\": 0, \"flip_share\": 0, "
              "\"pairs\": 2, \"outside_tile\": 0}, "
              "\"kvx\": {\"mean_change\": 0.01, \"worst_frame_mean\": 0.02, "
              "\"flip_share\": 0.005, \"pairs\": 2, \"outside_tile\": 0}}, "
              "\"move\": {\"step\": 0.25, "
              "\"csm_stable\": {\"mean_change\": 0.001, \"worst_frame_mean\": 0.002, "
              "\"flip_share\": 0.0005, \"pairs\": 2, \"outside_tile\": 7}}}}\n");
}

TEST(ReportJson, FiguresThatAreNotNumbersAreNull) {
    MeasureReport r = Sample();
    r.maps[0].texels.p50 = std::numeric_limits<double>::quiet_NaN();
    r.maps[1].coverage = std::numeric_limits<float>::infinity();
    r.stabilityFrames = 0;
    const std::string json = ReportJson(r);
    EXPECT_THAT(json, HasSubstr("\"p50\": null"));
    EXPECT_THAT(json, HasSubstr("\"coverage\": null"));
    EXPECT_THAT(json, Not(HasSubstr("stability")));
    EXPECT_THAT(json, Not(HasSubstr("nan")));
    EXPECT_THAT(json, Not(HasSubstr("inf")));
}

TEST(ReportText, ATableOfTheMapsAndTheModes) {
    const std::string text = ReportText(Sample());
    EXPECT_THAT(text, HasSubstr("SSM                 0.100    0.250    0.500      12.5%  1000\n"));
    EXPECT_THAT(text, HasSubstr("KVX                 0.500    1.500    4.000      75.0%  1000\n"));
    EXPECT_THAT(text, HasSubstr("KVX / SSM median      6.00\n"));
    EXPECT_THAT(text, HasSubstr("CSM                 0.250    1.250    2.000      50.0%  1000\n"));
    EXPECT_THAT(text, HasSubstr("CSM / SSM median      5.00\n"));
    EXPECT_THAT(text, HasSubstr("Pixels where KVX has fewer texels than SSM: 2.0%\n"));
    EXPECT_THAT(text, HasSubstr("Pixels where CSM has fewer texels than KVX: 62.5%\n"));
    EXPECT_THAT(text, HasSubstr("Shadow change along 3 frames, the eye turning in place "
                                "(0.10 degrees a frame)\n"));
    EXPECT_THAT(text, HasSubstr("kvx                   0.01000      0.02000   0.500%\n"));
    EXPECT_THAT(text, HasSubstr("the eye moving along its view (0.25 a frame)\n"
                                "Mode              mean change  worst frame  flipped\n"
                                "csm-stable            0.00100      0.00200   0.050%\n"));
}

// A view for which no trapezoid fits leaves KVX with the standard map: both
// reports say so, the table in a line of its own only then.
TEST(Report, SaysWhenKvxFellBackToTheStandardMap) {
    MeasureReport r = Sample();
    const std::string line = "KVX fell back to the standard map: no trapezoid fits this view\n";
    EXPECT_THAT(ReportText(r), Not(HasSubstr(line)));
    r.kvxFallsBack = true;
    EXPECT_THAT(ReportText(r), HasSubstr("than SSM: 2.0%\n" + line));
    EXPECT_THAT(ReportJson(r), HasSubstr("\"kvx_fallback\": true"));
}

}  // namespace
