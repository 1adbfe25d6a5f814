#include "measure/pixel_readback.h"

namespace {

constexpr size_t COLOUR_BYTES = 4 * sizeof(float);
constexpr size_t DEPTH_BYTES = sizeof(float);

}  // namespace

PixelReadback::~PixelReadback() {
    if (m_uBuffer != 0)
        glDeleteBuffers(1, &m_uBuffer);
}

void PixelReadback::Start(int width, int height) {
    const size_t pixels = static_cast<size_t>(width) * height;
    if (m_uBuffer == 0)
        glGenBuffers(1, &m_uBuffer);
    glBindBuffer(GL_PIXEL_PACK_BUFFER, m_uBuffer);
    if (pixels != m_pixels) {
        glBufferData(GL_PIXEL_PACK_BUFFER, pixels * (COLOUR_BYTES + DEPTH_BYTES), nullptr,
                     GL_STREAM_READ);
        m_pixels = pixels;
    }
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    // With a pack buffer bound, the last argument is an offset into it.
    glReadPixels(0, 0, width, height, GL_RGBA, GL_FLOAT, nullptr);
    glReadPixels(0, 0, width, height, GL_DEPTH_COMPONENT, GL_FLOAT,
                 reinterpret_cast<void*>(pixels * COLOUR_BYTES));
    glBindBuffer(GL_PIXEL_PACK_BUFFER, 0);
}

bool PixelReadback::Finish(std::vector<float>& rgba, std::vector<float>& depth) {
    glBindBuffer(GL_PIXEL_PACK_BUFFER, m_uBuffer);
    const float* values =
        static_cast<const float*>(glMapBuffer(GL_PIXEL_PACK_BUFFER, GL_READ_ONLY));
    if (values != nullptr) {
        rgba.assign(values, values + m_pixels * 4);
        depth.assign(values + m_pixels * 4, values + m_pixels * 5);
        glUnmapBuffer(GL_PIXEL_PACK_BUFFER);
    }
    glBindBuffer(GL_PIXEL_PACK_BUFFER, 0);
    return values != nullptr;
}
