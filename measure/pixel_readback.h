#pragma once

#include <GL/glew.h>

#include <vector>

// Reads the colour (four floats) and the depth of every pixel of the bound
// read framebuffer into a pixel buffer object, so that the frame which asks
// for them need not wait for the GPU: Start queues the reads and returns,
// Finish, called in a later frame when the GPU has long copied them, hands
// them over (called after a Start). The buffer is made once and kept for reads of the same size.
// Needs pixel buffer objects (OpenGL 2.1) and the context current.
class PixelReadback {
  public:
    PixelReadback() = default;
    ~PixelReadback();
    PixelReadback(const PixelReadback&) = delete;
    PixelReadback& operator=(const PixelReadback&) = delete;

    static bool Available() { return GLEW_VERSION_2_1 || GLEW_ARB_pixel_buffer_object; }

    // Queues the reads of width x height pixels from the lower-left corner.
    void Start(int width, int height);
    // The values Start queued, rows from the bottom, as glReadPixels gives them;
    // waits for the GPU if it has not drawn them yet. False, with nothing
    // read, when the buffer could not be mapped.
    bool Finish(std::vector<float>& rgba, std::vector<float>& depth);

  private:
    GLuint m_uBuffer = 0;
    size_t m_pixels = 0;
};
