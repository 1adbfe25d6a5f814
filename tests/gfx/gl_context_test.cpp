#include "gfx/gl_context.h"

#include <FL/Fl.H>
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "gfx/gl_context_fltk.h"
#include "platform/message_box.h"
#include "tests/gfx/gl_context_test_glx.h"

namespace {

constexpr int CLIENT_WIDTH = 640;
constexpr int CLIENT_HEIGHT = 480;

// A GL window that draws nothing by itself: the tests draw and read back.
class TestWindow : public Fl_Gl_Window {
  public:
    TestWindow() : Fl_Gl_Window(CLIENT_WIDTH, CLIENT_HEIGHT, "KVX Demo") {}
    void draw() override {}
};

std::array<float, 4> RasterPosition() {
    std::array<float, 4> position{};
    glGetFloatv(GL_CURRENT_RASTER_POSITION, position.data());
    return position;
}

class GLContextTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SetMessageBoxBatchMode(true);
        m_window.show();
        Fl::check();
        ASSERT_TRUE(m_context.Create(&m_window));
        m_context.m_iWidth = CLIENT_WIDTH;
        m_context.m_iHeight = CLIENT_HEIGHT;
        glViewport(0, 0, CLIENT_WIDTH, CLIENT_HEIGHT);
    }

    // Clears the back buffer to black, runs draw in white and counts the lit pixels.
    template <typename Draw>
    int LitPixelsAfter(Draw draw) {
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        glColor3f(1.0f, 1.0f, 1.0f);
        draw();
        glFinish();
        std::vector<unsigned char> pixels(CLIENT_WIDTH * CLIENT_HEIGHT);
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, CLIENT_WIDTH, CLIENT_HEIGHT, GL_RED, GL_UNSIGNED_BYTE, pixels.data());
        int lit = 0;
        for (unsigned char value : pixels) {
            lit += value > 127 ? 1 : 0;
        }
        return lit;
    }

    TestWindow m_window;
    GLContext m_context;
};

TEST_F(GLContextTest, CreatesADoubleBufferedContextWithDepthAndStencil) {
    EXPECT_TRUE(m_context.m_bContextReady);
    EXPECT_EQ(CurrentGlxContext(), static_cast<void*>(m_context.m_hRC));
    EXPECT_EQ(m_context.m_hDC.drawable, WindowDrawable(m_window));
    EXPECT_NE(m_context.m_iPixelFormat, 0);
    GLboolean doubleBuffer = GL_FALSE;
    GLint depthBits = 0;
    GLint stencilBits = 0;
    GLint redBits = 0;
    glGetBooleanv(GL_DOUBLEBUFFER, &doubleBuffer);
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    glGetIntegerv(GL_STENCIL_BITS, &stencilBits);
    glGetIntegerv(GL_RED_BITS, &redBits);
    EXPECT_TRUE(doubleBuffer);
    EXPECT_GE(depthBits, 24);
    EXPECT_GE(stencilBits, 8);
    EXPECT_EQ(redBits, 8);
}

TEST_F(GLContextTest, CreatesOnlyOnce) {
    __GLXcontextRec* const first = m_context.m_hRC;
    EXPECT_FALSE(m_context.Create(&m_window));
    EXPECT_EQ(m_context.m_hRC, first);
    EXPECT_TRUE(m_context.m_bContextReady);
}

TEST_F(GLContextTest, CreateNeedsAShownWindow) {
    TestWindow hidden;
    GLContext context;
    EXPECT_FALSE(context.Create(&hidden));
    EXPECT_FALSE(context.Create(nullptr));
    EXPECT_FALSE(context.m_bContextReady);
}

TEST_F(GLContextTest, MakeCurrentRestoresTheWindowContext) {
    ReleaseCurrentContext(m_context.m_hDC.display);
    GLContext notCreated;
    notCreated.MakeCurrent();
    EXPECT_EQ(CurrentGlxContext(), nullptr);
    m_context.MakeCurrent();
    EXPECT_EQ(CurrentGlxContext(), static_cast<void*>(m_context.m_hRC));
    EXPECT_EQ(CurrentGlxDrawable(), WindowDrawable(m_window));
}

struct TextPositionCase {
    int x;
    int y;
    float windowX;
    float windowY;
};

TEST_F(GLContextTest, TextPositionCountsFromTheTopLeft) {
    // A 12-pixel font on a client area 480 pixels high.
    const TextPositionCase cases[] = {{10, 5, 9.0f, 462.0f},
                                      {10, 25, 9.0f, 442.0f},
                                      {0, 0, -1.0f, 467.0f},
                                      {300, 467, 299.0f, 0.0f}};
    for (const TextPositionCase& c : cases) {
        m_context.SetTextPosition(c.x, c.y);
        const std::array<float, 4> position = RasterPosition();
        EXPECT_EQ(position[0], c.windowX) << c.x << "," << c.y;
        EXPECT_EQ(position[1], c.windowY) << c.x << "," << c.y;
        GLboolean valid = GL_FALSE;
        glGetBooleanv(GL_CURRENT_RASTER_POSITION_VALID, &valid);
        EXPECT_TRUE(valid);
    }
}

TEST_F(GLContextTest, TextPositionLeavesMatricesAndViewportAlone) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-2.0, 3.0, -4.0, 5.0, 1.0, 7.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(1.0f, 2.0f, 3.0f);
    glMatrixMode(GL_TEXTURE);
    std::array<float, 16> projection{};
    std::array<float, 16> modelview{};
    glGetFloatv(GL_PROJECTION_MATRIX, projection.data());
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview.data());

    m_context.SetTextPosition(10, 5);

    std::array<float, 16> projectionAfter{};
    std::array<float, 16> modelviewAfter{};
    std::array<GLint, 4> viewport{};
    GLint matrixMode = 0;
    glGetFloatv(GL_PROJECTION_MATRIX, projectionAfter.data());
    glGetFloatv(GL_MODELVIEW_MATRIX, modelviewAfter.data());
    glGetIntegerv(GL_VIEWPORT, viewport.data());
    glGetIntegerv(GL_MATRIX_MODE, &matrixMode);
    EXPECT_EQ(projectionAfter, projection);
    EXPECT_EQ(modelviewAfter, modelview);
    EXPECT_EQ(viewport, (std::array<GLint, 4>{0, 0, CLIENT_WIDTH, CLIENT_HEIGHT}));
    EXPECT_EQ(matrixMode, GL_TEXTURE);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(GLContextTest, FontIsABlockOf256ListsWithTheLastEmpty) {
    EXPECT_TRUE(m_context.m_bFontReady);
    EXPECT_EQ(m_context.m_iGlyphCount, 256);
    EXPECT_EQ(m_context.m_iFontHeight, 12);
    ASSERT_NE(m_context.m_uFontBase, 0u);
    EXPECT_TRUE(glIsList(m_context.m_uFontBase));
    EXPECT_TRUE(glIsList(m_context.m_uFontBase + 255));

    EXPECT_GT(LitPixelsAfter([&] { m_context.Print(10, 5, "A"); }), 0);
    EXPECT_EQ(LitPixelsAfter([&] { m_context.Print(10, 5, "\xff"); }), 0);
    EXPECT_EQ(RasterPosition()[0], 9.0f);  // code 255 does not even advance
}

TEST_F(GLContextTest, PrintDrawsBelowTheTextPosition) {
    // With y = 5 the baseline lies 18 pixels below the top edge; a capital stands on it.
    glEnable(GL_SCISSOR_TEST);
    glScissor(9, CLIENT_HEIGHT - 18, 20, 12);
    const int inside = LitPixelsAfter([&] { m_context.Print(10, 5, "H"); });
    glDisable(GL_SCISSOR_TEST);
    const int everywhere = LitPixelsAfter([&] { m_context.Print(10, 5, "H"); });
    EXPECT_GT(everywhere, 0);
    EXPECT_EQ(inside, everywhere);
}

TEST_F(GLContextTest, PrintAdvancesPerCharacterAndCutsAt255) {
    m_context.Print(10, 5, "%c", 'A');
    const float advance = RasterPosition()[0] - 9.0f;
    ASSERT_GT(advance, 0.0f);
    m_context.Print(10, 5, "%s%d", "A", 7);
    const float twoCharacters = RasterPosition()[0] - 9.0f;
    m_context.Print(10, 5, "7A");
    EXPECT_EQ(RasterPosition()[0] - 9.0f, twoCharacters);

    const std::string longText(1000, 'A');
    m_context.Print(10, 5, "%s", longText.c_str());
    EXPECT_EQ(RasterPosition()[0] - 9.0f, 255.0f * advance);
}

// Text laid out by its width ends where Print leaves the pen, with glyphs of
// several widths and codes that draw nothing.
TEST_F(GLContextTest, TextWidthIsHowFarPrintMovesThePen) {
    for (const char* text :
         {"", "i", "W", "Keys and mouse: 5% a notch", "--eye 20,-135,160", "\x01\xff"}) {
        m_context.Print(10, 5, "%s", text);
        EXPECT_EQ(m_context.TextWidth(text), RasterPosition()[0] - 9.0f) << text;
    }
    EXPECT_GT(m_context.TextWidth("WWW"), m_context.TextWidth("iii"));
}

TEST_F(GLContextTest, PrintDrawsNothingWithoutFontOrFormat) {
    glRasterPos2i(0, 0);
    const std::array<float, 4> before = RasterPosition();
    m_context.Print(10, 5, nullptr);
    GLContext notCreated;
    notCreated.Print(10, 5, "A");
    EXPECT_EQ(RasterPosition(), before);
}

}  // namespace
