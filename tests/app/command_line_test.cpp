#include "app/command_line.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

// Parses args, expecting the program to run; the reason of a refusal is the
// failure's message.
::testing::AssertionResult Runs(const std::vector<std::string>& args, RunOptions& o) {
    const CommandLineOutcome outcome = ParseRunOptions(args, o);
    if (outcome.action == CommandLineOutcome::RUN)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << outcome.text;
}

TEST(RunOptions, NoArgumentsIsTheInteractiveDemo) {
    RunOptions o;
    ASSERT_TRUE(Runs({}, o));
    EXPECT_EQ(o.frames, 0);
    EXPECT_TRUE(o.screenshot.empty());
    EXPECT_TRUE(o.mode.empty());
    EXPECT_FALSE(o.batch);
    EXPECT_FALSE(o.bench);
    EXPECT_EQ(o.width, 800);
    EXPECT_EQ(o.height, 600);
    EXPECT_TRUE(o.dataDir.empty());
}

TEST(RunOptions, AcceptedOptions) {
    // A value follows its option as the next argument or after '='; an
    // option given twice keeps its last value.
    for (const std::vector<std::string>& args : {
             std::vector<std::string>{"--frames", "12", "--screenshot", "a.png", "--mode", "ssm",
                                      "--size", "640x480", "--batch", "--bench", "--check-gl",
                                      "--data", "/opt/kvx data"},
             {"--frames=12", "--screenshot=a.png", "--mode=ssm", "--size=640x480", "--batch",
              "--bench", "--check-gl", "--data=/opt/kvx data"},
             {"--frames", "3", "--mode", "kvx", "--frames=12", "--screenshot", "a.png", "--mode",
              "ssm", "--size", "640x480", "--batch", "--bench", "--check-gl", "--data",
              "/opt/kvx data"},
         }) {
        RunOptions o;
        ASSERT_TRUE(Runs(args, o)) << args[0];
        EXPECT_EQ(o.frames, 12);
        EXPECT_EQ(o.screenshot, "a.png");
        EXPECT_EQ(o.mode, "ssm");
        EXPECT_EQ(o.width, 640);
        EXPECT_EQ(o.height, 480);
        EXPECT_TRUE(o.batch);
        EXPECT_TRUE(o.bench);
        EXPECT_TRUE(o.checkGl);
        EXPECT_EQ(o.dataDir, "/opt/kvx data");
    }

    RunOptions shot;
    ASSERT_TRUE(Runs({"--screenshot", "b.png"}, shot));
    EXPECT_EQ(shot.frames, 30);  // a screenshot alone waits 30 frames

    RunOptions scripted;
    ASSERT_TRUE(Runs({"--bench", "--json"}, scripted));
    EXPECT_TRUE(scripted.bench);
    EXPECT_TRUE(scripted.json);
    EXPECT_FALSE(scripted.Measuring());
}

TEST(RunOptions, HelpAndVersionAreShownInsteadOfRunning) {
    RunOptions o;
    const CommandLineOutcome help = ParseRunOptions({"--frames", "3", "--help"}, o);
    EXPECT_EQ(help.action, CommandLineOutcome::SHOW_HELP);
    EXPECT_EQ(help.text.rfind("Usage: kvx-demo [options] [FILE.kvxview]\n\nReal-time shadows", 0),
              0u)
        << help.text;
    for (const char* option : {"--frames N", "--eye E,A,D", "--view FILE", "--data DIR",
                               "--version", "Measuring (", "--heatmap FILE", "KVX_DEPTH_COPY=1"})
        EXPECT_NE(help.text.find(option), std::string::npos) << option;
    EXPECT_EQ(ParseRunOptions({"-h"}, o).action, CommandLineOutcome::SHOW_HELP);

    const CommandLineOutcome version = ParseRunOptions({"--version"}, o);
    EXPECT_EQ(version.action, CommandLineOutcome::SHOW_VERSION);
    EXPECT_THAT(version.text, ::testing::MatchesRegex("kvx-demo [0-9]+\\.[0-9]+\\.[0-9]+\n"));
}

TEST(RunOptions, PlacementsAndMeasuringRuns) {
    RunOptions o;
    EXPECT_FALSE(o.Measuring());
    ASSERT_TRUE(Runs({"--eye", "5,-200.5,10", "--light", "155,30,2000", "--measure", "--stability",
                      "200", "--json", "--dump-shadowmap", "m.png", "--heatmap", "h.png"},
                     o));
    EXPECT_TRUE(o.eye.set);
    EXPECT_EQ(o.eye.elevation, 5.0f);
    EXPECT_EQ(o.eye.azimuth, -200.5f);
    EXPECT_EQ(o.eye.distance, 10.0f);
    EXPECT_TRUE(o.light.set);
    EXPECT_EQ(o.light.elevation, 155.0f);
    EXPECT_EQ(o.light.azimuth, 30.0f);
    EXPECT_EQ(o.light.distance, 2000.0f);
    EXPECT_TRUE(o.measure);
    EXPECT_EQ(o.stability, 200);
    EXPECT_TRUE(o.json);
    EXPECT_EQ(o.dumpShadowMap, "m.png");
    EXPECT_EQ(o.heatmap, "h.png");
    EXPECT_TRUE(o.Measuring());
    EXPECT_EQ(o.frames, 0);  // measuring never starts the frame loop

    // Each measuring option alone asks for a measuring run; placements alone
    // go with the ordinary frame loop.
    for (const std::vector<std::string>& args : {std::vector<std::string>{"--measure"},
                                                 {"--stability", "2"},
                                                 {"--heatmap", "h.png"},
                                                 {"--dump-shadowmap", "m.png"}}) {
        RunOptions one;
        ASSERT_TRUE(Runs(args, one));
        EXPECT_TRUE(one.Measuring()) << args[0];
    }
    RunOptions sweep;
    ASSERT_TRUE(Runs(
        {"--sweep", "s.csv", "--sweep-grid", "10:30:10/45", "--shard", "1/3", "--stability", "4"},
        sweep));
    EXPECT_TRUE(sweep.Measuring());
    EXPECT_EQ(sweep.sweep, "s.csv");
    EXPECT_EQ(SweepViews(sweep.sweepGrid).size(), 3u);
    EXPECT_EQ(sweep.shard.index, 1);
    EXPECT_EQ(sweep.shard.count, 3);
    RunOptions placed;
    ASSERT_TRUE(Runs({"--eye", "30,0,50", "--frames", "2"}, placed));
    EXPECT_FALSE(placed.Measuring());
    EXPECT_FALSE(placed.light.set);
}

// A view file is named with --view or alone (after "--" too, for a name
// beginning with a dash); it goes with the frame loop and the measuring runs.
TEST(RunOptions, AViewFileToOpenAtStartUp) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{"--view", "-v.kvxview"},
                                                 {"--view=-v.kvxview"},
                                                 {"--", "-v.kvxview"}}) {
        RunOptions o;
        ASSERT_TRUE(Runs(args, o)) << args[0];
        EXPECT_EQ(o.viewFile, "-v.kvxview");
        EXPECT_FALSE(o.view.has_value());  // read by the program, not the parser
    }
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"s.kvxview", "--measure"},
          {"--view", "s.kvxview", "--eye", "30,0,50", "--mode", "ssm", "--frames", "3"},
          {"--stability", "20", "s.kvxview"}}) {
        RunOptions o;
        ASSERT_TRUE(Runs(args, o)) << args[0];
        EXPECT_EQ(o.viewFile, "s.kvxview");
    }
}

TEST(RunOptions, RejectedOptions) {
    struct Case {
        std::vector<std::string> args;
        const char* error;
    } cases[] = {
        {{"--fullscreen"}, "The following argument was not expected: --fullscreen"},
        {{"--", "a.kvxview", "--batch"}, "The following arguments were not expected: --batch --"},
        {{"a.kvxview", "b.kvxview"}, "The following argument was not expected: b.kvxview"},
        {{"--view", "a.kvxview", "b.kvxview"},
         "--view and a view file named alone do not go together: name one"},
        {{"--view", ""}, "--view needs a file name"},
        {{"--frames"}, "--frames: 1 required N missing"},
        {{"--frames", "0"}, "--frames: '0' is not a whole number of frames from 1"},
        {{"--frames=0"}, "--frames: '0' is not a whole number of frames from 1"},
        {{"--batch=maybe"}, "Could not convert: --batch = maybe"},
        {{"--frames", "-3"}, "--frames: '-3' is not a whole number of frames from 1"},
        {{"--frames", "3x"}, "--frames: '3x' is not a whole number of frames from 1"},
        {{"--frames", "99999999999"},
         "--frames: '99999999999' is not a whole number of frames from 1"},
        {{"--mode", "fast"},
         "--mode: 'fast' is not one of kvx-hq, kvx, ssm, lispsm, csm, csm-stable"},
        {{"--size", "800"}, "--size: '800' is not WIDTHxHEIGHT with each from 16 to 8192"},
        {{"--size", "8x600"}, "--size: '8x600' is not WIDTHxHEIGHT with each from 16 to 8192"},
        {{"--size", "800x600x2"},
         "--size: '800x600x2' is not WIDTHxHEIGHT with each from 16 to 8192"},
        {{"--screenshot", ""}, "--screenshot needs a file name"},
        {{"--data", ""}, "--data needs a folder name"},
        {{"--eye", "20,-135"},
         "--eye: '20,-135' is not ELEVATION,AZIMUTH,DISTANCE with elevation 5 to 175 and "
         "distance 10 to 200"},
        {{"--eye", "4,0,100"},
         "--eye: '4,0,100' is not ELEVATION,AZIMUTH,DISTANCE with elevation 5 to 175 and "
         "distance 10 to 200"},
        {{"--eye", "20,nan,100"},
         "--eye: '20,nan,100' is not ELEVATION,AZIMUTH,DISTANCE with elevation 5 to 175 and "
         "distance 10 to 200"},
        {{"--eye", "20,0,100,5"},
         "--eye: '20,0,100,5' is not ELEVATION,AZIMUTH,DISTANCE with elevation 5 to 175 and "
         "distance 10 to 200"},
        {{"--light", "90,0,500"},
         "--light: '90,0,500' is not ELEVATION,AZIMUTH,DISTANCE with elevation 25 to 155 and "
         "distance 800 to 2000"},
        {{"--light", "90, 0,1200"},
         "--light: '90, 0,1200' is not ELEVATION,AZIMUTH,DISTANCE with elevation 25 to 155 and "
         "distance 800 to 2000"},
        {{"--stability", "1"}, "--stability: '1' is not a whole number of frames from 2 to 100000"},
        {{"--stability"}, "--stability: 1 required N missing"},
        // A refused argument cannot break the one-line message or reach the terminal.
        {{"--mode", "ssm\n\x1b[2J"},
         "--mode: 'ssm\\x0a\\x1b[2J' is not one of kvx-hq, kvx, ssm, lispsm, csm, csm-stable"},
        {{"--bogus\r"}, "The following argument was not expected: --bogus\\x0d"},
        {{"--heatmap", ""}, "--heatmap needs a file name"},
        {{"--dump-shadowmap", ""}, "--dump-shadowmap needs a file name"},
        {{"--json"}, "--json needs --measure, --stability or --bench"},
        {{"--json", "--heatmap", "h.png"}, "--json needs --measure, --stability or --bench"},
        {{"--measure", "--frames", "3"},
         "measuring options run instead of the frame loop: leave out --frames, --screenshot and "
         "--bench"},
        {{"--heatmap", "h.png", "--screenshot", "s.png"},
         "measuring options run instead of the frame loop: leave out --frames, --screenshot and "
         "--bench"},
        {{"--sweep-grid", "0:90:10/30"}, "--sweep-grid and --shard need --sweep"},
        {{"--shard", "0/2"}, "--sweep-grid and --shard need --sweep"},
        {{"--sweep", "s.csv", "--measure"},
         "--sweep writes its own figures: leave out --measure, --json, --dump-shadowmap and "
         "--heatmap"},
        {{"--sweep", "s.csv", "--shard", "2/2"},
         "--shard: '2/2' is not K/N with 0 <= K < N <= 100000"},
        {{"--sweep", "s.csv", "--sweep-grid", "0:190:10/30"},
         "--sweep-grid: '0:190:10/30' is not FROM:TO:STEP/E1,E2,... with 0 <= FROM <= TO <= 180, "
         "STEP above 0, elevations from 1 to 90 and at most 100000 views"},
        {{"--sweep", "s.csv", "--frames", "3"},
         "measuring options run instead of the frame loop: leave out --frames, --screenshot and "
         "--bench"},
        {{"--stability", "5", "--bench"},
         "measuring options run instead of the frame loop: leave out --frames, --screenshot and "
         "--bench"},
    };
    for (const Case& c : cases) {
        RunOptions o;
        const CommandLineOutcome outcome = ParseRunOptions(c.args, o);
        EXPECT_EQ(outcome.action, CommandLineOutcome::USAGE_ERROR) << c.error;
        EXPECT_EQ(outcome.text, c.error);
    }
}

}  // namespace
