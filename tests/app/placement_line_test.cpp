// The eye and light position line: what it prints, and that the program's
// own --eye and --light take it back.

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "app/command_line.h"
#include "app/orbit_option.h"

namespace {

TEST(PlacementLine, PrintsTheStartUpPlacementsAsTheReadmeGivesThem) {
    EXPECT_EQ(PlacementLine({{20.0f, -135.0f, 160.0f}, {90.0f, -135.0f, 1200.0f}}),
              "--eye 20,-135,160 --light 90,-135,1200");
}

TEST(PlacementLine, BringsTheAzimuthIntoOneTurnAndRoundsToHundredths) {
    const struct {
        OrbitPlace place;
        const char* text;
    } cases[] = {
        {{20.0f, 200.0f, 160.0f}, "20,-160,160"},
        {{20.0f, -540.0f, 160.0f}, "20,180,160"},
        {{20.0f, 180.0f, 160.0f}, "20,180,160"},
        {{20.0f, 720.45f, 160.0f}, "20,0.45,160"},
        {{20.0f, -0.001f, 160.0f}, "20,0,160"},  // never "-0"
        {{20.0f, 3600.0f * 40.0f + 12.5f, 160.0f}, "20,12.5,160"},
        {{23.456f, -131.85f, 159.994f}, "23.46,-131.85,159.99"},
        {{175.0f, -180.004f, 200.0f}, "175,180,200"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(OrbitText(c.place), c.text) << c.place.azimuth;
}

// Wherever a drag leaves the cameras, the line pasted on the command line
// places them there again: within the options' ranges and a hundredth of a
// degree or unit of where they were, the azimuth the same direction.
TEST(PlacementLine, TheCommandLineTakesItBack) {
    std::mt19937 random(23);
    const auto within = [&random](float low, float high) {
        return std::uniform_real_distribution<float>(low, high)(random);
    };
    for (int i = 0; i < 1000; ++i) {
        const CameraPlacement placement{
            {within(EYE_LIMITS.elevationMin, EYE_LIMITS.elevationMax), within(-1e5f, 1e5f),
             within(EYE_LIMITS.distanceMin, EYE_LIMITS.distanceMax)},
            {within(LIGHT_LIMITS.elevationMin, LIGHT_LIMITS.elevationMax), within(-1e5f, 1e5f),
             within(LIGHT_LIMITS.distanceMin, LIGHT_LIMITS.distanceMax)}};
        const std::string line = PlacementLine(placement);
        std::vector<std::string> args;
        for (std::size_t at = 0, space = 0; space != std::string::npos; at = space + 1) {
            space = line.find(' ', at);
            args.push_back(line.substr(at, space - at));
        }
        RunOptions o;
        ASSERT_EQ(ParseRunOptions(args, o).action, CommandLineOutcome::RUN) << line;
        const std::pair<OrbitPlace, OrbitOption> both[] = {{placement.eye, o.eye},
                                                           {placement.light, o.light}};
        for (const auto& [placed, read] : both) {
            EXPECT_NEAR(read.elevation, placed.elevation, 0.006f) << line;
            EXPECT_NEAR(read.distance, placed.distance, 0.006f) << line;
            const float turn = std::remainder(read.azimuth - placed.azimuth, 360.0f);
            EXPECT_NEAR(turn, 0.0f, 0.02f) << line;
        }
    }
}

}  // namespace
