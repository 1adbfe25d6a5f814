// A GLX context on a 64 x 64 pbuffer of the display, with GLEW initialised
// and the NV program layer installed, plus the loader's sequence of NV calls
// and read-back helpers. Tests skip when there is no display.
#pragma once

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>

// A GLX context, without the X headers (their macros clash with gtest's).
using GlxContext = struct __GLXcontextRec*;

class NvGlTest : public ::testing::Test {
  public:
    static constexpr int SIZE = 64;

  protected:
    NvGlTest();
    ~NvGlTest() override;
    void SetUp() override;
    void TearDown() override;

    // The fixture's context, current when a test starts.
    GlxContext MainContext() const;
    // Another context on the same pbuffer, sharing objects with share (or
    // with nothing); destroyed with the fixture.
    GlxContext CreateContext(GlxContext share);
    void MakeCurrent(GlxContext context);

    // glGenProgramsNV, glBindProgramNV, glLoadProgramNV, then the error
    // position query: returns the id, or 0 after a failed load.
    GLuint Load(GLenum target, const std::string& text);
    GLint ErrorPositionOfLoad(GLenum target, const std::string& text);

    std::array<float, 4> ReadColor(int x, int y);
    float ReadDepth(int x, int y);
    // A quad over the whole viewport, at depth 0, with identity matrices.
    void DrawFullViewportQuad();

  private:
    struct Glx;
    std::unique_ptr<Glx> m_glx;
};

// The colour channels read back from an 8-bit framebuffer.
constexpr float COLOR_TOLERANCE = 1.5f / 255.0f;
