// The real program, run from outside under the test display.

#include <IL/il.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/run_program.h"

namespace {

using testing::HasSubstr;
using testing::Not;

ProgramRun RunDemo(const std::vector<std::string>& args, const std::vector<std::string>& env = {}) {
    return RunProgram(KVX_DEMO, args, KVX_SOURCE_DIR, env);
}

TEST(DemoProgram, RendersFramesAndSavesTheLastOne) {
    const std::string shot = testing::TempDir() + "kvx-demo-shot.png";
    std::remove(shot.c_str());
    const ProgramRun run =
        RunDemo({"--frames", "5", "--screenshot", shot, "--size", "320x240", "--batch"});
    ASSERT_EQ(run.exitCode, 0) << run.err;

    ilInit();
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    ASSERT_EQ(ilLoad(IL_PNG, shot.c_str()), IL_TRUE);
    EXPECT_EQ(ilGetInteger(IL_IMAGE_WIDTH), 320);
    EXPECT_EQ(ilGetInteger(IL_IMAGE_HEIGHT), 240);
    ilDeleteImages(1, &image);
    std::remove(shot.c_str());
}

// Every mode renders without raising an OpenGL error.
TEST(DemoProgram, EveryModeRuns) {
    for (const char* mode : {"kvx-hq", "kvx", "ssm"}) {
        const ProgramRun run = RunDemo(
            {"--frames", "3", "--mode", mode, "--size", "160x120", "--batch", "--check-gl"});
        EXPECT_EQ(run.exitCode, 0) << mode << ": " << run.err;
    }
}

// Programs started together from the same folder load their assets in turn,
// each from its own decrypted files.
TEST(DemoProgram, TwoProgramsStartedTogetherBothLoadTheScene) {
    const std::vector<std::string> args = {"--frames", "2", "--size", "160x120", "--batch"};
    StartedProgram first(KVX_DEMO, args, KVX_SOURCE_DIR);
    StartedProgram second(KVX_DEMO, args, KVX_SOURCE_DIR);
    for (StartedProgram* program : {&first, &second}) {
        const ProgramRun run = program->Wait(120);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_THAT(run.err, Not(HasSubstr("Scene error")));
    }
}

// Whether the program shows a message box: a second window with the caption "KVX Demo" beside
// its main window, as xdotool lists them.
bool ShowsMessageBox(int pid) {
    const std::string windows = RunProgram("/usr/bin/xdotool",
                                           {"search", "--onlyvisible", "--pid", std::to_string(pid),
                                            "--name", "^KVX Demo$"},
                                           KVX_SOURCE_DIR)
                                    .out;
    return std::count(windows.begin(), windows.end(), '\n') >= 2;
}

// A program waiting for its message box to be answered holds nothing that another program
// started from the same folder needs.
TEST(DemoProgram, AMessageBoxDoesNotHoldUpAnotherProgram) {
    StartedProgram waiting(KVX_DEMO, {"--size", "160x120"}, KVX_SOURCE_DIR,
                           {"SDL_AUDIODRIVER=no-such-driver"});
    for (int tries = 0; tries < 600 && !ShowsMessageBox(waiting.Pid()); ++tries)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    ASSERT_TRUE(ShowsMessageBox(waiting.Pid())) << "no message box was shown";

    StartedProgram other(KVX_DEMO, {"--frames", "2", "--size", "160x120", "--batch"},
                         KVX_SOURCE_DIR);
    const ProgramRun run = other.Wait(120);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(ShowsMessageBox(waiting.Pid())) << "the box was closed meanwhile";
    waiting.Signal(SIGTERM);
    EXPECT_EQ(waiting.Wait(30).signal, SIGTERM);
}

TEST(DemoProgram, WithoutDisplayItSaysSoAndFails) {
    const ProgramRun run = RunDemo({"--frames", "2"}, {"DISPLAY="});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "Error setting up OpenGL.\n");
}

// Mesa hides extensions on request; without ARB_shadow and the ARB fragment
// programs the layer cannot offer NV_fragment_program either.
TEST(DemoProgram, MissingExtensionsAreListedAndEndTheProgram) {
    const ProgramRun run =
        RunDemo({"--frames", "2", "--batch"},
                {"MESA_EXTENSION_OVERRIDE=-GL_ARB_shadow -GL_ARB_fragment_program"});
    EXPECT_EQ(run.exitCode, 255);
    EXPECT_EQ(run.err,
              "This demo cannot be executed! The following extension(s) are required:\n\n"
              "- ARB_shadow\n- NV_fragment_program\n\n");
}

// RGB rows of a PNG file, bottom row first; empty when it cannot be read.
std::vector<unsigned char> LoadRgb(const std::string& path, int& width, int& height) {
    ilInit();
    ilOriginFunc(IL_ORIGIN_LOWER_LEFT);
    ilEnable(IL_ORIGIN_SET);
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    std::vector<unsigned char> rgb;
    if (ilLoad(IL_PNG, path.c_str()) == IL_TRUE) {
        width = ilGetInteger(IL_IMAGE_WIDTH);
        height = ilGetInteger(IL_IMAGE_HEIGHT);
        rgb.resize(static_cast<size_t>(width) * height * 3);
        ilCopyPixels(0, 0, 0, width, height, 1, IL_RGB, IL_UNSIGNED_BYTE, rgb.data());
    }
    ilDeleteImages(1, &image);
    return rgb;
}

// The start-up view in each mode at the default size, with the depth map handed
// over each of the three ways: rendered into a texture of the target's own and
// copied by the driver (the default), rendered straight into the depth texture,
// and copied from the pbuffer. Below the HUD (whose frame rate differs from run
// to run) the first two are the same picture, as the driver's copy moves the
// depth values unchanged. The pbuffer copy matches but for a handful of pixels:
// it rounds depth values by up to two units of the 24-bit depth on its way into
// the texture, which flips a filtered lookup that sits right at a depth
// equality.
TEST(DemoProgram, EveryWayOfHandingOverTheDepthMapShowsTheSamePicture) {
    constexpr int HUD_ROWS = 40;
    const char* const ways[3][2] = {{"KVX_DEPTH_COPY=", "KVX_DEPTH_DIRECT="},
                                    {"KVX_DEPTH_COPY=", "KVX_DEPTH_DIRECT=1"},
                                    {"KVX_DEPTH_COPY=1", "KVX_DEPTH_DIRECT="}};
    for (const char* mode : {"kvx-hq", "kvx", "ssm"}) {
        std::vector<unsigned char> pictures[3];
        int width = 0, height = 0;
        for (int way = 0; way < 3; ++way) {
            const std::string shot =
                testing::TempDir() + "kvx-demo-path-" + mode + std::to_string(way) + ".png";
            const ProgramRun run =
                RunDemo({"--frames", "4", "--mode", mode, "--screenshot", shot, "--batch"},
                        {ways[way][0], ways[way][1]});
            ASSERT_EQ(run.exitCode, 0) << run.err;
            pictures[way] = LoadRgb(shot, width, height);
            std::remove(shot.c_str());
            ASSERT_EQ(pictures[way].size(), 800u * 600u * 3u) << mode;
        }
        int differing[3] = {};
        for (int y = 0; y < height - HUD_ROWS; ++y) {
            for (int x = 0; x < width; ++x) {
                const size_t i = (static_cast<size_t>(y) * width + x) * 3;
                for (int way = 1; way < 3; ++way) {
                    differing[way] +=
                        !std::equal(&pictures[0][i], &pictures[0][i] + 3, &pictures[way][i]);
                }
            }
        }
        EXPECT_EQ(differing[1], 0) << mode << ": rendered straight into the texture";
        EXPECT_LE(differing[2], width * height / 10000) << mode << ": copied from the pbuffer";
    }
}

// Usage errors end with status 2 before anything starts; help and version
// are printed on standard output.
TEST(DemoProgram, CommandLineOutcomes) {
    const struct {
        std::vector<std::string> args;
        int exitCode;
        std::string out;  // the start of standard output
        std::string err;  // the whole of standard error
    } cases[] = {
        {{"--frames", "many"},
         2,
         "",
         "kvx-demo: --frames: 'many' is not a whole number of frames from 1\n"
         "Try 'kvx-demo --help' for more information.\n"},
        {{"--mode=fast", "--batch"},
         2,
         "",
         "kvx-demo: --mode: 'fast' is not one of kvx-hq, kvx, ssm, lispsm, csm, csm-stable\n"
         "Try 'kvx-demo --help' for more information.\n"},
        {{"--batch", "--", "--frames=5"},
         2,
         "",
         "kvx-demo: The following arguments were not expected: --frames=5 --\n"
         "Try 'kvx-demo --help' for more information.\n"},
        {{"--help"}, 0, "Usage: kvx-demo [options]\n\nReal-time shadows", ""},
        {{"--version"}, 0, std::string("kvx-demo ") + KVX_VERSION + "\n", ""},
        {{"--frames=5", "--batch", "--size=160x120"}, 0, "", ""},
    };
    for (const auto& c : cases) {
        const ProgramRun run = RunDemo(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.args[0] << ": " << run.err;
        EXPECT_EQ(run.out.substr(0, c.out.size()), c.out) << c.args[0];
        EXPECT_EQ(run.err, c.err) << c.args[0];
    }
}

}  // namespace
