#include "measure/capture_programs.h"

#include <gtest/gtest.h>

#include "view/gpu_programs.h"

namespace {

size_t Count(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

// The shadow term programs are the scene's own, with only the shading after
// the term left out, so their lookups and filtering are the scene's.
TEST(ShadowTermProgram, KeepsTheScenesLookupsAndWritesTheTerm) {
    struct Case {
        const char* program;
        size_t lookups;
    } cases[] = {{g_strSceneFragmentProgram, 1}, {g_strSceneFragmentProgramHQ, 5}};
    for (const Case& c : cases) {
        const std::string scene = c.program;
        const std::string term = ShadowTermProgram(scene);
        ASSERT_FALSE(term.empty());
        EXPECT_EQ(Count(term, "TEX1, RECT;"), c.lookups);
        EXPECT_EQ(term.substr(term.size() - 22), "\nMOV o[COLR], R1;\nEND\n");
        EXPECT_EQ(scene.compare(0, term.size() - 21, term, 0, term.size() - 21), 0);
    }
    EXPECT_EQ(ShadowTermProgram("!!FP1.0\nMOV o[COLR], f[COL0];\nEND\n"), "");
    EXPECT_EQ(ShadowTermProgram(""), "");
}

}  // namespace
