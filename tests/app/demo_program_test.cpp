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

// The pixels that differ between two RGB pictures of width x height below
// the top hudRows rows.
int DifferingBelowHud(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b,
                      int width, int height, int hudRows) {
    int differing = 0;
    for (int y = 0; y < height - hudRows; ++y) {
        for (int x = 0; x < width; ++x) {
            const size_t i = (static_cast<size_t>(y) * width + x) * 3;
            differing += !std::equal(&a[i], &a[i] + 3, &b[i]);
        }
    }
    return differing;
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
        EXPECT_EQ(DifferingBelowHud(pictures[0], pictures[1], width, height, HUD_ROWS), 0)
            << mode << ": rendered straight into the texture";
        EXPECT_LE(DifferingBelowHud(pictures[0], pictures[2], width, height, HUD_ROWS),
                  width * height / 10000)
            << mode << ": copied from the pbuffer";
    }
}

// The scene pass drawn for speed (nearest objects first, the static models'
// back faces culled, the terrain last and without the shadow lookup where no
// caster can reach) against the same pass drawn as first written, switched by
// KVX_DRAW_EVERYTHING: below the HUD the pictures are the same pixel for
// pixel in every mode, with the light overhead, lowered or orbited (which
// moves the casters' rectangles over other chunks of the terrain). Frames
// that switch modes are covered by starting in each mode after the first
// frame's map: every frame draws its map afresh.
TEST(DemoProgram, DrawingForSpeedKeepsThePicture) {
    // The frame rate's descenders reach the 41st row.
    constexpr int HUD_ROWS = 48;
    const std::vector<std::vector<std::string>> views = {
        {}, {"--light", "30,-135,1200"}, {"--light", "60,40,900"}, {"--eye", "12,60,90"}};
    for (const char* mode : {"kvx-hq", "kvx", "ssm", "lispsm", "csm"}) {
        for (const std::vector<std::string>& view : views) {
            std::vector<unsigned char> pictures[2];
            int width = 0, height = 0;
            for (int fast = 0; fast < 2; ++fast) {
                const std::string shot =
                    testing::TempDir() + "kvx-demo-fast-" + mode + std::to_string(fast) + ".png";
                std::vector<std::string> args = {"--frames",     "4",  "--mode", mode,
                                                 "--screenshot", shot, "--batch"};
                args.insert(args.end(), view.begin(), view.end());
                const ProgramRun run =
                    RunDemo(args, {fast ? "KVX_DRAW_EVERYTHING=" : "KVX_DRAW_EVERYTHING=1"});
                ASSERT_EQ(run.exitCode, 0) << run.err;
                pictures[fast] = LoadRgb(shot, width, height);
                std::remove(shot.c_str());
                ASSERT_EQ(pictures[fast].size(), 800u * 600u * 3u) << mode;
            }
            EXPECT_EQ(DifferingBelowHud(pictures[0], pictures[1], width, height, HUD_ROWS), 0)
                << mode << (view.empty() ? "" : " " + view[0] + " " + view[1]);
        }
    }
}

// A run's picture: the last of a few frames, or a measuring run's file.
std::vector<unsigned char> RunForPicture(const std::vector<std::string>& args,
                                         const std::vector<std::string>& env,
                                         const std::string& name, int& width, int& height) {
    const std::string file = testing::TempDir() + name;
    std::vector<std::string> all = args;
    all.insert(all.end(), {file, "--batch"});
    const ProgramRun run = RunDemo(all, env);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    std::vector<unsigned char> rgb = LoadRgb(file, width, height);
    std::remove(file.c_str());
    return rgb;
}

// The heat colours of the live view, computed on the GPU from the scene
// pass's map lookups, against --heatmap's CPU reference at the start-up view,
// whose first frame shows the figures in the pose the measuring run holds.
// Below the three lines of text (faded pale in the live view) and left of the
// colour key at the right edge, at least 99% of the scene's pixels are within
// one 8-bit step of the reference in every channel (the GPU's division may
// round a last bit otherwise), and the sky is the reference's grey.
TEST(DemoProgram, LiveHeatColoursMatchTheMeasuringRun) {
    constexpr int TEXT_ROWS = 75;
    constexpr int KEY_COLUMNS = 90;
    constexpr unsigned char NO_FIGURE = 40;
    int width = 0, height = 0, heatWidth = 0, heatHeight = 0;
    const std::vector<unsigned char> live = RunForPicture(
        {"--frames", "1", "--screenshot"}, {"KVX_LIVE_VIEWS=h"}, "live-heat.png", width, height);
    const std::vector<unsigned char> reference =
        RunForPicture({"--heatmap"}, {}, "heatmap.png", heatWidth, heatHeight);
    ASSERT_EQ(live.size(), 800u * 600u * 3u);
    ASSERT_EQ(reference.size(), live.size());
    int scene = 0, within = 0, sky = 0;
    for (int y = 0; y < height - TEXT_ROWS; ++y) {
        for (int x = 0; x < width - KEY_COLUMNS; ++x) {
            const unsigned char* r = &reference[(static_cast<size_t>(y) * width + x) * 3];
            const unsigned char* l = &live[(static_cast<size_t>(y) * width + x) * 3];
            if (r[0] == NO_FIGURE && r[1] == NO_FIGURE && r[2] == NO_FIGURE) {
                sky += std::equal(r, r + 3, l);
                continue;
            }
            int step = 0;
            for (int c = 0; c < 3; ++c)
                step = std::max(step, std::abs(int(r[c]) - int(l[c])));
            ++scene;
            within += step <= 1;
        }
    }
    ASSERT_GT(scene, width * height / 2);
    const double share = double(within) / scene;
    std::printf("heat colours within one step: %.4f of %d scene pixels\n", share, scene);
    EXPECT_GE(share, 0.99);
    EXPECT_GT(sky, 0);
}

// The live map inset, drawn by the GPU from the depth texture, shows
// --dump-shadowmap's picture at every seventh texel (a 1500-texel map in the
// 214-pixel inset of an 800 x 600 window): black where nothing was drawn, grey
// where something was, the greys stretched over the inset's own texels from
// 60 for the farthest to 255 for the nearest (the dump stretches them over
// all its texels). Only pixels grey in both pictures count: the outlines are
// drawn at another size in each.
TEST(DemoProgram, LiveMapInsetShowsTheDumpedDepthMap) {
    constexpr int STEP = 7, SIDE = 1500 / STEP, MARGIN = 10;
    int width = 0, height = 0, mapWidth = 0, mapHeight = 0;
    const std::vector<unsigned char> live = RunForPicture(
        {"--frames", "1", "--screenshot"}, {"KVX_LIVE_VIEWS=m"}, "live-inset.png", width, height);
    const std::vector<unsigned char> map =
        RunForPicture({"--dump-shadowmap"}, {}, "map.png", mapWidth, mapHeight);
    ASSERT_EQ(live.size(), 800u * 600u * 3u);
    ASSERT_EQ(map.size(), 1500u * 1500u * 3u);
    const auto grey = [](const unsigned char* p) { return p[0] == p[1] && p[1] == p[2]; };
    int compared = 0, drawn = 0, same = 0, darkest = 255, brightest = 0;
    for (int row = 0; row < SIDE; ++row) {
        for (int column = 0; column < SIDE; ++column) {
            const unsigned char* l =
                &live[(static_cast<size_t>(MARGIN + row) * width + width - MARGIN - SIDE + column) *
                      3];
            const unsigned char* m =
                &map[(static_cast<size_t>(row * STEP) * 1500 + column * STEP) * 3];
            if (!grey(l) || !grey(m))
                continue;
            ++compared;
            same += (l[0] == 0) == (m[0] == 0);
            if (l[0] > 0) {
                ++drawn;
                darkest = std::min(darkest, int(l[0]));
                brightest = std::max(brightest, int(l[0]));
            }
        }
    }
    EXPECT_GT(compared, SIDE * SIDE / 2);
    EXPECT_EQ(same, compared);
    EXPECT_GT(drawn, 50);
    EXPECT_NEAR(darkest, 60, 1);
    EXPECT_EQ(brightest, 255);
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
        {{"--batch", "--", "a.kvxview", "--frames=5"},
         2,
         "",
         "kvx-demo: The following arguments were not expected: --frames=5 --\n"
         "Try 'kvx-demo --help' for more information.\n"},
        {{"--help"}, 0, "Usage: kvx-demo [options] [FILE.kvxview]\n\nReal-time shadows", ""},
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
