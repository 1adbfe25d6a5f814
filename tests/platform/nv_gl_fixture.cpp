#include "tests/platform/nv_gl_fixture.h"

#include <GL/glx.h>

#include <vector>

#include "platform/nv_program_layer.h"

struct NvGlTest::Glx {
    Display* display = nullptr;
    GLXFBConfig config = nullptr;
    GLXPbuffer pbuffer = 0;
    GLXContext main = nullptr;
    std::vector<GLXContext> extra;
};

namespace {

// A single-buffered config that also serves pbuffers, whose colour buffer is
// as deep as its visual (a deeper one fails in the X server's image put).
GLXFBConfig ChooseConfig(Display* display) {
    const int attributes[] = {GLX_DRAWABLE_TYPE,
                              GLX_PBUFFER_BIT | GLX_WINDOW_BIT,
                              GLX_RENDER_TYPE,
                              GLX_RGBA_BIT,
                              GLX_RED_SIZE,
                              8,
                              GLX_DEPTH_SIZE,
                              24,
                              GLX_DOUBLEBUFFER,
                              False,
                              None};
    int count = 0;
    GLXFBConfig* configs = glXChooseFBConfig(display, DefaultScreen(display), attributes, &count);
    GLXFBConfig chosen = nullptr;
    for (int i = 0; i < count && chosen == nullptr; ++i) {
        XVisualInfo* visual = glXGetVisualFromFBConfig(display, configs[i]);
        int bufferSize = 0;
        glXGetFBConfigAttrib(display, configs[i], GLX_BUFFER_SIZE, &bufferSize);
        if (visual != nullptr && bufferSize == visual->depth)
            chosen = configs[i];
        XFree(visual);
    }
    if (configs != nullptr)
        XFree(configs);
    return chosen;
}

// One connection for the whole test program: when the last connection
// closes the X server resets, and a test opening the display during the
// reset would find none.
Display* SharedDisplay() {
    static Display* const display = XOpenDisplay(nullptr);
    return display;
}

}  // namespace

NvGlTest::NvGlTest() : m_glx(std::make_unique<Glx>()) {}

NvGlTest::~NvGlTest() = default;

void NvGlTest::SetUp() {
    Glx& x = *m_glx;
    x.display = SharedDisplay();
    if (x.display == nullptr)
        GTEST_SKIP() << "no X display";
    x.config = ChooseConfig(x.display);
    ASSERT_NE(x.config, nullptr);
    const int size[] = {GLX_PBUFFER_WIDTH, SIZE, GLX_PBUFFER_HEIGHT, SIZE, None};
    x.pbuffer = glXCreatePbuffer(x.display, x.config, size);
    x.main = glXCreateNewContext(x.display, x.config, GLX_RGBA_TYPE, nullptr, True);
    ASSERT_NE(x.main, nullptr);
    MakeCurrent(x.main);
    ASSERT_EQ(glewInit(), GLEW_OK);
    ASSERT_TRUE(InstallNvProgramLayer());
    glViewport(0, 0, SIZE, SIZE);
}

void NvGlTest::TearDown() {
    Glx& x = *m_glx;
    if (x.display == nullptr)
        return;
    glXMakeContextCurrent(x.display, None, None, nullptr);
    for (GLXContext c : x.extra)
        glXDestroyContext(x.display, c);
    if (x.main != nullptr)
        glXDestroyContext(x.display, x.main);
    if (x.pbuffer != 0)
        glXDestroyPbuffer(x.display, x.pbuffer);
}

GlxContext NvGlTest::MainContext() const {
    return m_glx->main;
}

GlxContext NvGlTest::CreateContext(GlxContext share) {
    Glx& x = *m_glx;
    GLXContext context = glXCreateNewContext(x.display, x.config, GLX_RGBA_TYPE, share, True);
    EXPECT_NE(context, nullptr);
    if (context != nullptr)
        x.extra.push_back(context);
    return context;
}

void NvGlTest::MakeCurrent(GlxContext context) {
    ASSERT_TRUE(glXMakeContextCurrent(m_glx->display, m_glx->pbuffer, m_glx->pbuffer, context));
}

GLuint NvGlTest::Load(GLenum target, const std::string& text) {
    const GLint position = ErrorPositionOfLoad(target, text);
    EXPECT_EQ(position, -1) << text;
    GLuint id = 0;
    glGetIntegerv(target == GL_VERTEX_PROGRAM_NV ? GL_VERTEX_PROGRAM_BINDING_NV
                                                 : GL_FRAGMENT_PROGRAM_BINDING_NV,
                  reinterpret_cast<GLint*>(&id));
    return position == -1 ? id : 0;
}

GLint NvGlTest::ErrorPositionOfLoad(GLenum target, const std::string& text) {
    GLuint id = 0;
    glGenProgramsNV(1, &id);
    glBindProgramNV(target, id);
    glLoadProgramNV(target, id, static_cast<GLsizei>(text.size()),
                    reinterpret_cast<const GLubyte*>(text.data()));
    GLint position = -2;
    glGetIntegerv(GL_PROGRAM_ERROR_POSITION_NV, &position);
    return position;
}

std::array<float, 4> NvGlTest::ReadColor(int x, int y) {
    std::array<float, 4> rgba{};
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_FLOAT, rgba.data());
    return rgba;
}

float NvGlTest::ReadDepth(int x, int y) {
    float depth = -1.0f;
    glReadPixels(x, y, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    return depth;
}

void NvGlTest::DrawFullViewportQuad() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glBegin(GL_QUADS);
    glVertex2f(-1.0f, -1.0f);
    glVertex2f(1.0f, -1.0f);
    glVertex2f(1.0f, 1.0f);
    glVertex2f(-1.0f, 1.0f);
    glEnd();
}
