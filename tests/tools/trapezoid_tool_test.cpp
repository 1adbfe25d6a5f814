#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

#include "tools/trapezoid/trapezoid_options.h"

namespace {

struct ToolRun {
    int status;
    std::string output;  // standard output and standard error together
};

ToolRun RunTool(const std::string& args) {
    const std::string command = std::string(KVX_TRAPEZOID_TOOL) + " " + args + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    std::string output;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        output.append(buffer, n);
    const int status = pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

TEST(TrapezoidTool, StartUpViewReport) {
    const ToolRun run = RunTool("");
    EXPECT_EQ(run.status, 0);
    using testing::HasSubstr;
    EXPECT_THAT(run.output, HasSubstr("frustum hull (6):"));
    EXPECT_THAT(run.output, HasSubstr("focus hull (6):"));
    EXPECT_THAT(run.output, HasSubstr("\nsearch steps: 2\n"));
    EXPECT_THAT(run.output, HasSubstr("\nfocus percent: 79.9023438\n"));
    EXPECT_THAT(run.output, testing::ContainsRegex("\nN_T:( [-0-9.e+]+){16}\n"));
}

// A placement is given whole as kvx-demo takes it, or one figure at a time.
TEST(TrapezoidTool, ArgumentsChangeThePlacement) {
    for (const char* args : {"--eye-elevation 45 --light-azimuth 10 --aspect 16:9",
                             "--eye 45,-135,160 --light=90,10,1200 --aspect=16:9"}) {
        const ToolRun run = RunTool(args);
        EXPECT_EQ(run.status, 0) << args;
        EXPECT_THAT(run.output, testing::HasSubstr("eye: elevation 45, azimuth -135, distance "
                                                   "160, aspect 1.77777779"))
            << args;
        EXPECT_THAT(run.output, testing::HasSubstr("light: elevation 90, azimuth 10, distance "
                                                   "1200\n"))
            << args;
    }
}

TEST(TrapezoidTool, JsonHoldsTheSameFigures) {
    const std::string args = "--eye 45,-100,120 --light 60,10,1500";
    const ToolRun text = RunTool(args);
    ASSERT_EQ(text.status, 0) << text.output;
    const std::string line = "\nfocus percent: ";
    const size_t at = text.output.find(line) + line.size();
    const std::string percent = text.output.substr(at, text.output.find('\n', at) - at);
    // Python reads the JSON and prints back a few of its figures.
    const ToolRun json =
        RunTool(args +
                " --json | python3 -c 'import json, sys; r = json.load(sys.stdin); "
                "print(r[\"eye\"][\"elevation\"], r[\"light\"][\"distance\"], "
                "len(r[\"trapezoid\"]), len(r[\"N_T\"]), r[\"search_steps\"] >= 1, "
                "r[\"focus_percent\"] == float(sys.argv[1]))' " +
                percent);
    EXPECT_EQ(json.status, 0) << json.output;
    EXPECT_EQ(json.output, "45 1500 4 16 True True\n");
}

TEST(TrapezoidTool, HelpVersionAndBadArguments) {
    const struct {
        const char* args;
        int status;
        const char* output;  // a part of what the tool prints
    } cases[] = {
        {"--help", 0, "Usage: kvx-trapezoid [options]\n\nFits the warped shadow map's"},
        {"--help", 0, "  --eye E,A,D             eye at elevation E"},
        {"--version", 0, "kvx-trapezoid 1."},
        {"--eye-distance -5", 2,
         "kvx-trapezoid: --eye-distance: -5 is out of range (must be greater than 0)\n"
         "Try 'kvx-trapezoid --help' for more information.\n"},
        {"-- --eye 20,0,100", 2, "The following arguments were not expected"},
    };
    for (const auto& c : cases) {
        const ToolRun run = RunTool(c.args);
        EXPECT_EQ(run.status, c.status) << c.args;
        EXPECT_THAT(run.output, testing::HasSubstr(c.output)) << c.args;
    }
}

TEST(TrapezoidOptions, RejectsWhatIsNotAValidPlacement) {
    struct Case {
        std::vector<std::string> args;
        const char* error;
    } cases[] = {
        {{"--bogus"}, "The following argument was not expected: --bogus"},
        {{"--eye-azimuth"}, "--eye-azimuth: 1 required DEG missing"},
        {{"--eye-azimuth", "ten"}, "--eye-azimuth: 'ten' is not a number"},
        {{"--eye-azimuth", "12abc"}, "--eye-azimuth: '12abc' is not a number"},
        {{"--eye-azimuth", "nan"}, "--eye-azimuth: 'nan' is not a number"},
        {{"--eye-azimuth", "1e99"}, "--eye-azimuth: '1e99' is not a number"},
        {{"--aspect", "4:0"}, "--aspect: '4:0' is not a number"},
        {{"--aspect", "1e30:1e-30"}, "--aspect: '1e30:1e-30' is not a number"},
        {{"--aspect", "0"}, "--aspect: 0 is out of range (must be greater than 0)"},
        {{"--eye-far", "1"},
         "--eye-far: 1 is out of range (must be greater than the near distance 1)"},
        {{"--light-distance", "0"}, "--light-distance: 0 is out of range (must be greater than 0)"},
        {{"--light", "90,0,500"},
         "--light: '90,0,500' is not ELEVATION,AZIMUTH,DISTANCE with elevation 25 to 155 and "
         "distance 800 to 2000"},
        {{"--eye", "20,0,100", "--eye-distance", "50"}, "--eye excludes --eye-distance"},
    };
    for (const Case& c : cases) {
        TrapezoidOptions options;
        const CommandLineOutcome outcome = ParseTrapezoidOptions(c.args, options);
        EXPECT_EQ(outcome.action, CommandLineOutcome::USAGE_ERROR) << c.error;
        EXPECT_EQ(outcome.text, c.error);
    }
}

TEST(TrapezoidOptions, AcceptsRatiosAndNegativeAngles) {
    TrapezoidOptions options;
    ASSERT_EQ(ParseTrapezoidOptions(
                  {"--aspect", "3/2", "--light-elevation", "-30", "--eye-far", "500"}, options)
                  .action,
              CommandLineOutcome::RUN);
    EXPECT_FLOAT_EQ(options.aspect, 1.5f);
    EXPECT_FLOAT_EQ(options.light.elevation, -30.0f);
    EXPECT_FLOAT_EQ(options.eyeFar, 500.0f);
    EXPECT_FLOAT_EQ(options.eye.distance, 160.0f);
}

}  // namespace
