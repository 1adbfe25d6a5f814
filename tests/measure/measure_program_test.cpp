// The measuring options of the real program, run from outside on the real
// scene in a small window.

#include <IL/il.h>
#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <regex>

#include "tests/support/run_program.h"

namespace {

using testing::HasSubstr;

ProgramRun RunDemo(const std::vector<std::string>& args) {
    return RunProgram(KVX_DEMO, args, KVX_SOURCE_DIR);
}

// The number after the first match of `key` in the text, or NaN.
double NumberAfter(const std::string& text, const std::string& key) {
    const size_t at = text.find(key);
    if (at == std::string::npos)
        return std::nan("");
    return std::strtod(text.c_str() + at + key.size(), nullptr);
}

// True when Python's JSON reader accepts the text as one document.
bool IsJson(const std::string& text) {
    const std::string path = testing::TempDir() + "kvx-measure.json";
    std::ofstream(path) << text;
    const ProgramRun check = RunProgram(
        "/usr/bin/python3", {"-c", "import json, sys; json.load(open(sys.argv[1]))", path}, ".");
    std::remove(path.c_str());
    return check.exitCode == 0;
}

TEST(MeasureProgram, ReportsEveryMapAsJson) {
    const ProgramRun run = RunDemo({"--measure", "--json", "--size", "320x240", "--batch"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(IsJson(run.out)) << run.out;
    EXPECT_THAT(run.out, HasSubstr("\"window\": {\"width\": 320, \"height\": 240}"));
    EXPECT_THAT(run.out,
                HasSubstr("\"eye\": {\"elevation\": 20, \"azimuth\": -135, \"distance\": 160}"));

    const std::string ssm = run.out.substr(run.out.find("\"ssm\""));
    const std::string kvx = run.out.substr(run.out.find("\"kvx\""));
    const std::string lispsm = run.out.substr(run.out.find("\"lispsm\""));
    const std::string csm = run.out.substr(run.out.find("\"csm\""));
    const std::string stable = run.out.substr(run.out.find("\"csm_stable\""));
    for (const std::string* map : {&ssm, &kvx, &lispsm, &csm, &stable}) {
        const double p10 = NumberAfter(*map, "\"p10\": ");
        const double p50 = NumberAfter(*map, "\"p50\": ");
        const double p90 = NumberAfter(*map, "\"p90\": ");
        EXPECT_GT(p10, 0.0);
        EXPECT_LE(p10, p50);
        EXPECT_LE(p50, p90);
        EXPECT_LT(p90, 1000.0);
        const double coverage = NumberAfter(*map, "\"coverage\": ");
        EXPECT_GT(coverage, 0.0);
        EXPECT_LE(coverage, 1.0);
        EXPECT_GT(NumberAfter(*map, "\"pixels\": "), 320 * 240 / 2);
    }
    // At the start-up view the warped map gives the median pixel several
    // times the texels of the standard one, and hardly any pixel fewer.
    EXPECT_GT(NumberAfter(kvx, "\"p50\": "), 3.0 * NumberAfter(ssm, "\"p50\": "));
    EXPECT_THAT(run.out, HasSubstr("\"kvx_fallback\": false"));
    const double fewer = NumberAfter(run.out, "\"kvx_fewer_texels_share\": ");
    EXPECT_GE(fewer, 0.0);
    EXPECT_LT(fewer, 0.05);
    // The other two also give the median pixel more than the standard map.
    EXPECT_GT(NumberAfter(lispsm, "\"p50\": "), 2.0 * NumberAfter(ssm, "\"p50\": "));
    EXPECT_GT(NumberAfter(csm, "\"p50\": "), 2.0 * NumberAfter(ssm, "\"p50\": "));
    // The stable cascades pay for their stillness in texels: between the
    // standard map and the tight cascades.
    EXPECT_GT(NumberAfter(stable, "\"p50\": "), NumberAfter(ssm, "\"p50\": "));
    EXPECT_LT(NumberAfter(stable, "\"p50\": "), NumberAfter(csm, "\"p50\": "));
    const std::string others = run.out.substr(run.out.find("\"fewer_texels_than_kvx\": "));
    EXPECT_GT(NumberAfter(others, "\"ssm\": "), 0.95);
}

// The light behind the eye shining along its view: the warps lose their
// direction, yet every map is measured.
TEST(MeasureProgram, LightAlongTheViewStillMeasuresEveryMap) {
    const ProgramRun run = RunDemo({"--measure", "--json", "--eye", "30,-135,160", "--light",
                                    "30,-135,1200", "--size", "160x120", "--batch"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_THAT(run.out, testing::Not(HasSubstr("null"))) << run.out;
    EXPECT_THAT(run.out, HasSubstr("\"kvx_fallback\": true"));
    for (const char* key : {"\"ssm\"", "\"kvx\"", "\"lispsm\"", "\"csm\""}) {
        const std::string map = run.out.substr(run.out.find(key));
        EXPECT_GT(NumberAfter(map, "\"p50\": "), 0.0) << key;
    }
}

// Just off the view's direction the fit works again and the table has no
// fall-back line.
TEST(MeasureProgram, TheTableSaysWhenKvxFallsBackToTheStandardMap) {
    const std::string line = "KVX fell back to the standard map: no trapezoid fits this view\n";
    const struct {
        const char* light;
        bool fallsBack;
    } cases[] = {{"30,-135,1200", true}, {"30.001,-135,1200", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.light);
        const ProgramRun run = RunDemo({"--measure", "--eye", "30,-135,160", "--light", c.light,
                                        "--size", "160x120", "--batch"});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.out.find(line) != std::string::npos, c.fallsBack) << run.out;
    }
}

// From under the terrain the eye sees the ground from below or nothing at
// all: every run that reads its pixels says so and fails, printing no
// figures. At 10 above the middle the ground is higher; at 1.7 the eye is
// below the lowest ground there is.
TEST(MeasureProgram, AnEyeUnderTheTerrainMeasuresNothing) {
    const std::string heatmap = testing::TempDir() + "kvx-no-scene.png";
    std::remove(heatmap.c_str());
    const std::vector<std::vector<std::string>> runs = {
        {"--measure", "--eye", "90,0,10"},
        {"--measure", "--json", "--eye", "5,0,20"},
        {"--stability", "3", "--eye", "5,0,20"},
        {"--heatmap", heatmap, "--eye", "90,0,10"},
    };
    for (std::vector<std::string> args : runs) {
        SCOPED_TRACE(args[0]);
        args.insert(args.end(), {"--size", "160x120", "--batch"});
        const ProgramRun run = RunDemo(args);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err,
                  "Nothing to measure: the eye sees no part of the scene from where it "
                  "is (under the terrain, or looking away from it).\n");
    }
    EXPECT_FALSE(std::ifstream(heatmap).good());
}

// A saved view gives a measuring run its placements, as --eye and --light
// would; --eye given with it takes the place of the file's eye.
TEST(MeasureProgram, AViewFileGivesTheRunItsPlacements) {
    const std::string view = testing::TempDir() + "kvx-measure.kvxview";
    std::ofstream(view) << "kvx-view 1\neye 15,-120,140\nlight 60,-100,1200\nshadow-mode ssm\n"
                           "compared-mode csm\ninset off\nheat-colours off\nreadout off\n"
                           "paused on\nfigure-1 0,0\nfigure-2 0,0\nfigure-3 0,0\nfigure-4 0,0\n"
                           "figure-5 0,0\n";
    const auto measure = [](std::vector<std::string> args) {
        args.insert(args.end(), {"--measure", "--json", "--size", "160x120", "--batch"});
        const ProgramRun run = RunDemo(args);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        return run.out;
    };
    const std::string fromFile = measure({"--view", view});
    EXPECT_EQ(fromFile, measure({"--eye", "15,-120,140", "--light", "60,-100,1200"}));
    EXPECT_NE(fromFile, measure({}));
    EXPECT_EQ(measure({view, "--eye", "20,-135,160"}),
              measure({"--eye", "20,-135,160", "--light", "60,-100,1200"}));
    std::remove(view.c_str());
}

TEST(MeasureProgram, StabilityAtAnotherPlacementAsText) {
    const ProgramRun run =
        RunDemo({"--stability", "3", "--eye", "10,-100,80", "--light", "60,-45,1000", "--mode",
                 "ssm", "--size", "160x120", "--batch"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_THAT(run.out, HasSubstr("Eye elevation 10.0, azimuth -100.0, distance 80.0\n"));
    EXPECT_THAT(run.out, HasSubstr("Light elevation 60.0, azimuth -45.0, distance 1000.0\n"));
    EXPECT_THAT(run.out, HasSubstr("Shadow change along 3 frames"));
    // The figures hold still while measuring, so the standard map's shadows
    // do not change at all.
    EXPECT_TRUE(std::regex_search(run.out, std::regex("\nssm +0\\.00000 +0\\.00000 +0\\.000%\n")))
        << run.out;
    EXPECT_THAT(run.out, HasSubstr("\nkvx-hq "));
}

// A run whose standard error is a terminal, as from a shell; standard output
// goes to a file, as when it is piped on.
struct TerminalRun {
    int exitCode = -1;
    std::string out;
    std::string terminal;  // what the terminal was sent
};

TerminalRun RunOnTerminal(const std::vector<std::string>& args) {
    TerminalRun run;
    const std::string outPath = testing::TempDir() + "kvx-terminal-out.txt";
    int master = -1, slave = -1;
    if (openpty(&master, &slave, nullptr, nullptr, nullptr) != 0)
        return run;
    std::vector<char*> argv{const_cast<char*>(KVX_DEMO)};
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        const int in = open("/dev/null", O_RDONLY);
        const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (in < 0 || out < 0 || chdir(KVX_SOURCE_DIR) != 0)
            _exit(127);
        dup2(in, STDIN_FILENO);
        dup2(out, STDOUT_FILENO);
        dup2(slave, STDERR_FILENO);
        close(master);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        execv(KVX_DEMO, argv.data());
        _exit(127);
    }
    close(slave);
    char buffer[4096];
    for (ssize_t n; (n = read(master, buffer, sizeof buffer)) > 0;)
        run.terminal.append(buffer, static_cast<size_t>(n));
    close(master);
    int status = 0;
    waitpid(pid, &status, 0);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream file(outPath);
    run.out.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    std::remove(outPath.c_str());
    return run;
}

// The text with every number as '#': what is left is the report's form.
std::string Form(const std::string& text) {
    return std::regex_replace(text, std::regex("-?[0-9]+(\\.[0-9]+)?(e[-+]?[0-9]+)?"), "#");
}

// On a terminal a stability run keeps a progress line on standard error,
// rewritten in place and ended once every frame is done; piped, standard
// error stays empty, and standard output has the same report either way.
TEST(MeasureProgram, ProgressIsShownOnATerminalOnly) {
    const std::vector<std::string> args = {"--stability", "20", "--size", "160x120", "--batch"};
    const TerminalRun terminal = RunOnTerminal(args);
    ASSERT_EQ(terminal.exitCode, 0) << terminal.terminal;
    EXPECT_TRUE(std::regex_search(
        terminal.terminal,
        std::regex("\rstability, (turn|move), [a-z-]+: [0-9]+ frames done, [0-9]+ left")))
        << terminal.terminal;
    // The terminal turns the line's end into a carriage return and a line feed.
    EXPECT_THAT(terminal.terminal, HasSubstr(": 240 frames done, 0 left, about 0 s left"));
    EXPECT_EQ(terminal.terminal.substr(terminal.terminal.size() - 2), "\r\n");

    const ProgramRun piped = RunProgram(KVX_DEMO, args, KVX_SOURCE_DIR, {"SDL_AUDIODRIVER=dummy"});
    ASSERT_EQ(piped.exitCode, 0) << piped.err;
    EXPECT_EQ(piped.err, "");
    EXPECT_THAT(piped.out, HasSubstr("Shadow change along 20 frames"));
    EXPECT_EQ(Form(piped.out), Form(terminal.out));
}

std::vector<std::string> Lines(const std::string& path) {
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// A sweep split over two processes gives, header aside, the rows of the
// whole sweep in one process.
TEST(MeasureProgram, TwoShardsGiveTheRowsOfOneSweep) {
    const std::string dir = testing::TempDir();
    const std::vector<std::string> common = {"--sweep-grid", "60:120:30/40,60", "--size",
                                             "160x120",      "--batch",         "--sweep"};
    std::vector<std::string> shards;
    for (const char* shard : {"", "0/2", "1/2"}) {
        const std::string file = dir + "kvx-sweep" + (*shard ? shard[0] : 'a') + ".csv";
        std::vector<std::string> args = common;
        args.push_back(file);
        if (*shard) {
            args.push_back("--shard");
            args.push_back(shard);
        }
        const ProgramRun run = RunDemo(args);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.out, "");
        shards.push_back(file);
    }
    std::vector<std::string> whole = Lines(shards[0]);
    ASSERT_EQ(whole.size(), 1u + 6u * 5u);
    EXPECT_EQ(whole[0],
              "gamma_deg,light_elevation_deg,eye_elevation_deg,parametrisation,p10,p50,p90,"
              "coverage,fewer_than_kvx");
    std::vector<std::string> joined;
    for (size_t i = 1; i < shards.size(); ++i) {
        const std::vector<std::string> part = Lines(shards[i]);
        ASSERT_FALSE(part.empty());
        EXPECT_EQ(part[0], whole[0]);
        joined.insert(joined.end(), part.begin() + 1, part.end());
    }
    whole.erase(whole.begin());
    std::sort(whole.begin(), whole.end());
    std::sort(joined.begin(), joined.end());
    EXPECT_EQ(joined, whole);
    for (const std::string& file : shards)
        std::remove(file.c_str());
}

struct ImageSize {
    int width = 0, height = 0;
};

ImageSize PngSize(const std::string& path) {
    ilInit();
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    ImageSize size;
    if (ilLoad(IL_PNG, path.c_str()) == IL_TRUE)
        size = {ilGetInteger(IL_IMAGE_WIDTH), ilGetInteger(IL_IMAGE_HEIGHT)};
    ilDeleteImages(1, &image);
    return size;
}

TEST(MeasureProgram, WritesTheShadowMapAndTheHeatmap) {
    for (const char* mode : {"ssm", "kvx", "lispsm", "csm"}) {
        const std::string map = testing::TempDir() + "kvx-map-" + mode + ".png";
        const std::string heat = testing::TempDir() + "kvx-heat-" + mode + ".png";
        std::remove(map.c_str());
        std::remove(heat.c_str());
        const ProgramRun run = RunDemo({"--dump-shadowmap", map, "--heatmap", heat, "--mode", mode,
                                        "--size", "200x150", "--batch"});
        ASSERT_EQ(run.exitCode, 0) << mode << ": " << run.err;
        EXPECT_EQ(run.out, "");
        const ImageSize m = PngSize(map);
        EXPECT_EQ(m.width, 1500) << mode;
        EXPECT_EQ(m.height, 1500) << mode;
        const ImageSize h = PngSize(heat);
        EXPECT_EQ(h.width, 200) << mode;
        EXPECT_EQ(h.height, 150) << mode;
        std::remove(map.c_str());
        std::remove(heat.c_str());
    }
}

// A write that fails part-way (a full disk, here /dev/full) fails the run like a path that
// cannot be opened; neither passes for a saved picture.
TEST(MeasureProgram, AnImageThatCannotBeWrittenFails) {
    const struct {
        std::vector<std::string> args;
        std::string err;
    } cases[] = {
        {{"--heatmap", "/nonexistent-dir/heat.png"},
         "cannot write the image '/nonexistent-dir/heat.png'\n"},
        {{"--heatmap", "/dev/full"}, "cannot write the image '/dev/full'\n"},
        {{"--dump-shadowmap", "/dev/full"}, "cannot write the image '/dev/full'\n"},
        {{"--frames", "2", "--screenshot", "/dev/full"},
         "cannot write the screenshot '/dev/full'\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[1]);
        std::vector<std::string> args = c.args;
        args.insert(args.end(), {"--size", "64x48", "--batch"});
        const ProgramRun run = RunDemo(args);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err, c.err);
    }
}

}  // namespace
