#include "gfx/gl_context.h"

#include <FL/x.H>
#include <GL/glx.h>

#include "gfx/gl_context_fltk.h"

namespace {

constexpr const char* HUD_FONT_FACE = "Arial";
constexpr int HUD_FONT_HEIGHT = 12;

// Window modes in order of preference: the full format, the same without an accumulation
// buffer, and FLTK's plain double-buffered format with depth.
constexpr int FULL_MODE = FL_RGB8 | FL_DOUBLE | FL_DEPTH | FL_STENCIL | FL_ACCUM;
constexpr int WINDOW_MODES[] = {FULL_MODE, FULL_MODE & ~FL_ACCUM, FL_RGB | FL_DOUBLE | FL_DEPTH};

// The X visual of the window, which stands for its pixel format.
int WindowVisualId(Display* display, Window window) {
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display, window, &attributes) == 0 || attributes.visual == nullptr) {
        return 0;
    }
    return static_cast<int>(XVisualIDFromVisual(attributes.visual));
}

}  // namespace

bool GLContext::Create(Fl_Gl_Window* window) {
    if (m_bContextReady || window == nullptr) {
        return false;
    }
    if (!SetupPixelFormat(window) || !window->shown()) {
        return false;
    }
    window->make_current();
    GLXContext context = glXGetCurrentContext();
    if (context == nullptr || glXGetCurrentDrawable() != fl_xid(window)) {
        return false;
    }
    m_hRC = context;
    m_hDC.display = glXGetCurrentDisplay();
    m_hDC.drawable = glXGetCurrentDrawable();
    m_iPixelFormat = WindowVisualId(m_hDC.display, m_hDC.drawable);
    m_iWidth = window->w();
    m_iHeight = window->h();
    BuildFont(HUD_FONT_FACE, HUD_FONT_HEIGHT);
    m_bContextReady = true;
    return true;
}

bool GLContext::SetupPixelFormat(Fl_Gl_Window* window) {
    for (int mode : WINDOW_MODES) {
        if (Fl_Gl_Window::can_do(mode)) {
            window->mode(mode);
            return true;
        }
    }
    return false;
}

void GLContext::MakeCurrent() {
    if (m_bContextReady) {
        glXMakeCurrent(m_hDC.display, m_hDC.drawable, m_hRC);
    }
}
