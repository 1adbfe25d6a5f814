#include "gfx/program_error_report.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

// Three lines and a last one without a line feed.
const std::string PROGRAM =
    "!!VP1.0\n"
    "DP4 o[HPOS].x, c[0], v[OPOS];\n"
    "BAD R0;\n"
    "END";

struct LineCase {
    const char* name;
    int position;
    const char* line;
};

void PrintTo(const LineCase& c, std::ostream* out) {
    *out << c.name << " at " << c.position;
}

int Find(const char* token) {
    return static_cast<int>(PROGRAM.find(token));
}

class ProgramErrorLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(ProgramErrorLine, ShowsTheLineHoldingThePosition) {
    const LineCase& c = GetParam();
    EXPECT_EQ(ProgramErrorReport("vertex", PROGRAM, c.position),
              "OpenGL Error: Load of NV vertex program failed on position " +
                  std::to_string(c.position) + ":" + c.line);
}

INSTANTIATE_TEST_SUITE_P(
    Positions, ProgramErrorLine,
    ::testing::Values(LineCase{"FirstCharacter", 0, "!!VP1.0"},
                      LineCase{"InFirstLine", 4, "!!VP1.0"},
                      LineCase{"OnLineFeedShowsTheNextLine", 7, "DP4 o[HPOS].x, c[0], v[OPOS];"},
                      LineCase{"MiddleOfLine", Find("c[0]"), "DP4 o[HPOS].x, c[0], v[OPOS];"},
                      LineCase{"StartOfLine", Find("BAD"), "BAD R0;"},
                      LineCase{"LastLineWithoutLineFeed", Find("ND"), "END"},
                      LineCase{"AtEndOfText", static_cast<int>(PROGRAM.size()), "END"},
                      LineCase{"BeyondEndOfText", 100000, "END"},
                      LineCase{"NegativeMeansFirstLine", -5, "!!VP1.0"}),
    [](const ::testing::TestParamInfo<LineCase>& info) { return info.param.name; });

TEST(ProgramErrorReport, NamesTheFragmentKind) {
    EXPECT_EQ(ProgramErrorReport("fragment", "!!FP1.0\nTEX R0;\nEND\n", 8),
              "OpenGL Error: Load of NV fragment program failed on position 8:TEX R0;");
}

TEST(ProgramErrorReport, EdgesOfTheText) {
    // A line feed at the very start, the end of a text that ends in a line feed, no text.
    EXPECT_EQ(ProgramErrorReport("vertex", "\nMOV R0, R1;", 0),
              "OpenGL Error: Load of NV vertex program failed on position 0:MOV R0, R1;");
    EXPECT_EQ(ProgramErrorReport("vertex", "!!VP1.0\n", 8),
              "OpenGL Error: Load of NV vertex program failed on position 8:");
    EXPECT_EQ(ProgramErrorReport("vertex", "", 3),
              "OpenGL Error: Load of NV vertex program failed on position 3:");
}

}  // namespace
