#include "tests/gfx/pbuffer_glx_fixture.h"

#include <GL/glew.h>
#include <GL/glx.h>

#include <chrono>
#include <thread>

namespace {

constexpr int kWindowSize = 64;
constexpr int kConnectAttempts = 200;
constexpr std::chrono::milliseconds kConnectPause(25);

int ConfigAttrib(Display* display, GLXFBConfig config, int attribute) {
    int value = 0;
    glXGetFBConfigAttrib(display, config, attribute, &value);
    return value;
}

}  // namespace

Display* GlxWindowTest::s_display = nullptr;

void GlxWindowTest::SetUpTestSuite() {
    for (int attempt = 0; attempt < kConnectAttempts && s_display == nullptr; ++attempt) {
        s_display = XOpenDisplay(nullptr);
        if (s_display == nullptr) {
            std::this_thread::sleep_for(kConnectPause);
        }
    }
}

void GlxWindowTest::TearDownTestSuite() {
    if (s_display != nullptr) {
        XCloseDisplay(s_display);
        s_display = nullptr;
    }
}

void GlxWindowTest::SetUp() {
    m_display = s_display;
    ASSERT_NE(m_display, nullptr) << "no X display; run the GL tests under xvfb-run";
    const GLXFBConfig config = ChooseConfig(
        true, [](int bufferSize, int visualDepth) { return bufferSize == visualDepth; });
    ASSERT_NE(config, nullptr);
    ASSERT_TRUE(OpenWindow(config, m_main));
    m_context = m_main.context;
    m_window = m_main.glxWindow;
    MakeWindowCurrent();
    ASSERT_TRUE(WindowIsCurrent());
    ASSERT_EQ(glewInit(), static_cast<GLenum>(GLEW_OK));
}

void GlxWindowTest::TearDown() {
    if (m_display == nullptr) {
        return;
    }
    ReleaseCurrent();
    CloseWindow(m_mismatched);
    CloseWindow(m_main);
    XSync(m_display, False);
}

void GlxWindowTest::MakeWindowCurrent() {
    glXMakeContextCurrent(m_display, m_window, m_window, m_context);
}

void GlxWindowTest::ReleaseCurrent() {
    glXMakeContextCurrent(m_display, None, None, nullptr);
}

bool GlxWindowTest::WindowIsCurrent() const {
    return IsCurrent(m_context, m_window);
}

bool GlxWindowTest::IsCurrent(GLXContext context, GLXDrawable drawable) {
    return glXGetCurrentContext() == context && glXGetCurrentDrawable() == drawable &&
           glXGetCurrentReadDrawable() == drawable;
}

GLXContext GlxWindowTest::CurrentContext() {
    return glXGetCurrentContext();
}

int GlxWindowTest::DrawableWidth(GLXDrawable drawable) const {
    unsigned int width = 0;
    glXQueryDrawable(m_display, drawable, GLX_WIDTH, &width);
    return static_cast<int>(width);
}

bool GlxWindowTest::MakeMismatchedWindowCurrent() {
    const GLXFBConfig config = ChooseConfig(
        false, [](int bufferSize, int visualDepth) { return bufferSize > visualDepth; });
    if (config == nullptr || !OpenWindow(config, m_mismatched)) {
        return false;
    }
    return glXMakeContextCurrent(m_display, m_mismatched.glxWindow, m_mismatched.glxWindow,
                                 m_mismatched.context);
}

// A window config with 8-bit colour, depth and stencil that also serves pbuffers,
// the first that accept lets through.
GLXFBConfig GlxWindowTest::ChooseConfig(bool doubleBuffered, const ConfigFilter& accept) const {
    const int attribs[] = {GLX_DRAWABLE_TYPE,
                           GLX_WINDOW_BIT | GLX_PBUFFER_BIT,
                           GLX_RENDER_TYPE,
                           GLX_RGBA_BIT,
                           GLX_DOUBLEBUFFER,
                           doubleBuffered ? True : False,
                           GLX_RED_SIZE,
                           8,
                           GLX_DEPTH_SIZE,
                           24,
                           GLX_STENCIL_SIZE,
                           8,
                           None};
    int count = 0;
    GLXFBConfig* configs = glXChooseFBConfig(m_display, DefaultScreen(m_display), attribs, &count);
    GLXFBConfig chosen = nullptr;
    for (int i = 0; i < count && chosen == nullptr; ++i) {
        XVisualInfo* visual = glXGetVisualFromFBConfig(m_display, configs[i]);
        if (visual != nullptr &&
            accept(ConfigAttrib(m_display, configs[i], GLX_BUFFER_SIZE), visual->depth)) {
            chosen = configs[i];
        }
        XFree(visual);
    }
    XFree(configs);
    return chosen;
}

bool GlxWindowTest::OpenWindow(GLXFBConfig config, TestWindow& window) {
    XVisualInfo* visual = glXGetVisualFromFBConfig(m_display, config);
    if (visual == nullptr) {
        return false;
    }
    const Window root = RootWindow(m_display, visual->screen);
    window.colormap = XCreateColormap(m_display, root, visual->visual, AllocNone);
    XSetWindowAttributes attributes{};
    attributes.colormap = window.colormap;
    window.xWindow =
        XCreateWindow(m_display, root, 0, 0, kWindowSize, kWindowSize, 0, visual->depth,
                      InputOutput, visual->visual, CWColormap, &attributes);
    XFree(visual);
    window.glxWindow = glXCreateWindow(m_display, config, window.xWindow, nullptr);
    window.context = glXCreateNewContext(m_display, config, GLX_RGBA_TYPE, nullptr, True);
    return window.context != nullptr;
}

void GlxWindowTest::CloseWindow(TestWindow& window) {
    if (window.context != nullptr) {
        glXDestroyContext(m_display, window.context);
    }
    if (window.glxWindow != None) {
        glXDestroyWindow(m_display, window.glxWindow);
    }
    if (window.xWindow != None) {
        XDestroyWindow(m_display, window.xWindow);
    }
    if (window.colormap != None) {
        XFreeColormap(m_display, window.colormap);
    }
    window = TestWindow();
}
