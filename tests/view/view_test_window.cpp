#include "tests/view/view_test_window.h"

#include <FL/Fl.H>

#include <cstdlib>

#include "platform/display_connection.h"
#include "platform/message_box.h"

ViewTestWindow::ViewTestWindow(int w, int h) : Fl_Gl_Window(w, h, "view test"), view(*this) {}

bool ViewTestWindow::Start() {
    // Messages go to standard error, so a test never waits for a click, and
    // there is no audio device: these tests are about pictures and input.
    SetMessageBoxBatchMode(true);
    setenv("SDL_AUDIODRIVER", "none", 1);
    if (!OpenDisplayConnection())
        return false;
    show();
    Fl::check();
    if (view.OnCreate() != 0)
        return false;
    make_current();
    view.OnSize(w(), h());
    return true;
}

std::vector<unsigned char> ViewTestWindow::RenderAndRead() {
    make_current();
    view.RenderFrame();
    return Read();
}

std::vector<unsigned char> ViewTestWindow::Read() {
    make_current();
    std::vector<unsigned char> pixels(static_cast<size_t>(w()) * h() * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, w(), h(), GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

std::vector<float> ViewTestWindow::ReadDepthMap() {
    make_current();
    const int w = view.m_iShadowMapWidth;
    const int h = view.m_iShadowMapHeight;
    std::vector<float> depth(static_cast<size_t>(w) * h);
    glBindTexture(GL_TEXTURE_RECTANGLE_NV, view.m_uDepthTexture);
    glGetTexImage(GL_TEXTURE_RECTANGLE_NV, 0, GL_DEPTH_COMPONENT, GL_FLOAT, depth.data());
    return depth;
}
