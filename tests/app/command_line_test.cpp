#include "app/command_line.h"

#include <gtest/gtest.h>

namespace {

TEST(RunOptions, NoArgumentsIsTheInteractiveDemo) {
    RunOptions o;
    std::string error;
    ASSERT_TRUE(ParseRunOptions({}, o, error));
    EXPECT_EQ(o.frames, 0);
    EXPECT_TRUE(o.screenshot.empty());
    EXPECT_TRUE(o.mode.empty());
    EXPECT_FALSE(o.batch);
    EXPECT_FALSE(o.bench);
    EXPECT_EQ(o.width, 800);
    EXPECT_EQ(o.height, 600);
}

TEST(RunOptions, AcceptedOptions) {
    RunOptions o;
    std::string error;
    ASSERT_TRUE(ParseRunOptions({"--frames", "12", "--screenshot", "a.png", "--mode", "ssm",
                                 "--size", "640x480", "--batch", "--bench"},
                                o, error))
        << error;
    EXPECT_EQ(o.frames, 12);
    EXPECT_EQ(o.screenshot, "a.png");
    EXPECT_EQ(o.mode, "ssm");
    EXPECT_EQ(o.width, 640);
    EXPECT_EQ(o.height, 480);
    EXPECT_TRUE(o.batch);
    EXPECT_TRUE(o.bench);

    RunOptions shot;
    ASSERT_TRUE(ParseRunOptions({"--screenshot", "b.png"}, shot, error));
    EXPECT_EQ(shot.frames, 30);  // a screenshot alone waits 30 frames
}

TEST(RunOptions, RejectedOptions) {
    struct Case {
        std::vector<std::string> args;
        const char* error;
    } cases[] = {
        {{"--fullscreen"}, "unknown argument '--fullscreen'"},
        {{"--frames"}, "--frames needs a value"},
        {{"--frames", "0"}, "--frames: '0' is not a whole number of frames from 1"},
        {{"--frames", "-3"}, "--frames: '-3' is not a whole number of frames from 1"},
        {{"--frames", "3x"}, "--frames: '3x' is not a whole number of frames from 1"},
        {{"--frames", "99999999999"},
         "--frames: '99999999999' is not a whole number of frames from 1"},
        {{"--mode", "fast"}, "--mode: 'fast' is not one of kvx-hq, kvx, ssm"},
        {{"--size", "800"}, "--size: '800' is not WIDTHxHEIGHT with each from 16 to 8192"},
        {{"--size", "8x600"}, "--size: '8x600' is not WIDTHxHEIGHT with each from 16 to 8192"},
        {{"--size", "800x600x2"},
         "--size: '800x600x2' is not WIDTHxHEIGHT with each from 16 to 8192"},
        {{"--screenshot", ""}, "--screenshot needs a file name"},
    };
    for (const Case& c : cases) {
        RunOptions o;
        std::string error;
        EXPECT_FALSE(ParseRunOptions(c.args, o, error)) << c.error;
        EXPECT_EQ(error, c.error);
    }
}

}  // namespace
