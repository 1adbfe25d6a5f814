#include "measure/plain_pixels.h"

#include "platform/nv_program_layer.h"

namespace {

void Restore(GLenum cap, bool on) {
    if (on) {
        glEnable(cap);
    } else {
        glDisable(cap);
    }
}

void Switch(GLenum cap, bool& was, bool on) {
    was = glIsEnabled(cap) == GL_TRUE;
    Restore(cap, on);
}

}  // namespace

PlainPixels::PlainPixels() {
    Switch(NV_FRAGMENT_PROGRAM_TARGET, m_fragmentProgram, false);
    Switch(GL_DEPTH_TEST, m_depthTest, false);
    glActiveTextureARB(GL_TEXTURE1_ARB);
    Switch(GL_TEXTURE_RECTANGLE_NV, m_rectangle, false);
    glActiveTextureARB(GL_TEXTURE0_ARB);
    Switch(GL_TEXTURE_2D, m_texture2d, false);
}

PlainPixels::~PlainPixels() {
    Restore(GL_TEXTURE_2D, m_texture2d);
    glActiveTextureARB(GL_TEXTURE1_ARB);
    Restore(GL_TEXTURE_RECTANGLE_NV, m_rectangle);
    glActiveTextureARB(GL_TEXTURE0_ARB);
    Restore(GL_DEPTH_TEST, m_depthTest);
    Restore(NV_FRAGMENT_PROGRAM_TARGET, m_fragmentProgram);
}

void PlainPixels::Draw(const RgbImage& image, int x, int y) const {
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glWindowPos2i(x, y);
    glDrawPixels(image.width, image.height, GL_RGB, GL_UNSIGNED_BYTE, image.rgb.data());
    glPopClientAttrib();
}
