#pragma once

#include <GL/glew.h>

#include <vector>

// An off-screen target in the current context: four float channels and a
// depth buffer, for reading back per-pixel values that a colour buffer of
// eight bits a channel would round or clamp.
class FloatTarget {
  public:
    FloatTarget() = default;
    ~FloatTarget();
    FloatTarget(const FloatTarget&) = delete;
    FloatTarget& operator=(const FloatTarget&) = delete;

    // False when the context cannot render to float colour.
    bool Create(int width, int height);
    // Draws go to the target until Unbind.
    void Bind() const;
    void Unbind() const;
    // The four channels of every pixel, rows from the bottom.
    std::vector<float> ReadColour() const;
    // The depth of every pixel, rows from the bottom; 1 where nothing was drawn.
    std::vector<float> ReadDepth() const;

    int Width() const { return m_iWidth; }
    int Height() const { return m_iHeight; }

  private:
    GLuint m_uFramebuffer = 0;
    GLuint m_uColour = 0;
    GLuint m_uDepth = 0;
    int m_iWidth = 0;
    int m_iHeight = 0;
};
