#include "app/kept_picture.h"

#include <GL/glew.h>

#include "measure/plain_pixels.h"

namespace {

bool SamePlace(const WindowRect& a, const WindowRect& b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

}  // namespace

void KeptPicture::Draw(const WindowRect& place, const std::string& contents,
                       const std::function<void()>& draw) {
    if (m_pixels.width > 0 && SamePlace(place, m_place) && contents == m_contents) {
        PlainPixels().Draw(m_pixels, place.x, place.y);
        return;
    }
    draw();
    m_pixels = RgbImage(place.width, place.height);
    glPushAttrib(GL_PIXEL_MODE_BIT);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(place.x, place.y, place.width, place.height, GL_RGB, GL_UNSIGNED_BYTE,
                 m_pixels.rgb.data());
    glPopClientAttrib();
    glPopAttrib();
    m_place = place;
    m_contents = contents;
}
