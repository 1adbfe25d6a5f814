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

TEST(TrapezoidTool, ArgumentsChangeThePlacement) {
    const ToolRun run = RunTool("--eye-elevation 45 --light-azimuth 10 --aspect 16:9");
    EXPECT_EQ(run.status, 0);
    EXPECT_THAT(run.output, testing::HasSubstr("eye: elevation 45, azimuth -135, distance 160, "
                                               "aspect 1.77777779"));
    EXPECT_THAT(run.output, testing::HasSubstr("light: elevation 90, azimuth 10"));
}

TEST(TrapezoidTool, HelpAndBadArguments) {
    const ToolRun help = RunTool("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_THAT(help.output, testing::HasSubstr("Usage: kvx-trapezoid"));

    const ToolRun bad = RunTool("--eye-distance -5");
    EXPECT_EQ(bad.status, 2);
    EXPECT_THAT(bad.output, testing::HasSubstr("--eye-distance: -5 is out of range"));
    EXPECT_THAT(bad.output, testing::HasSubstr("Try 'kvx-trapezoid --help'"));
}

TEST(TrapezoidOptions, RejectsWhatIsNotAValidPlacement) {
    struct Case {
        std::vector<std::string> args;
        const char* error;
    } cases[] = {
        {{"--bogus"}, "unknown argument '--bogus'"},
        {{"--eye-azimuth"}, "--eye-azimuth needs a value"},
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
    };
    for (const Case& c : cases) {
        TrapezoidOptions options;
        std::string error;
        EXPECT_FALSE(ParseTrapezoidOptions(c.args, options, error)) << c.error;
        EXPECT_EQ(error, c.error);
    }
}

TEST(TrapezoidOptions, AcceptsRatiosAndNegativeAngles) {
    TrapezoidOptions options;
    std::string error;
    ASSERT_TRUE(ParseTrapezoidOptions(
        {"--aspect", "3/2", "--light-elevation", "-30", "--eye-far", "500"}, options, error));
    EXPECT_FLOAT_EQ(options.aspect, 1.5f);
    EXPECT_FLOAT_EQ(options.lightElevation, -30.0f);
    EXPECT_FLOAT_EQ(options.eyeFar, 500.0f);
    EXPECT_FLOAT_EQ(options.eyeDistance, 160.0f);
}

}  // namespace
