#pragma once

#include "measure/rgb_image.h"

// Pictures drawn straight into the window's draw buffer. While an object lives, the enables
// that would change such pixels (the fragment program, depth testing, texturing) are off; they
// are as they were afterwards.
class PlainPixels {
  public:
    PlainPixels();
    ~PlainPixels();
    PlainPixels(const PlainPixels&) = delete;
    PlainPixels& operator=(const PlainPixels&) = delete;

    // The picture with its lower-left corner at window pixel (x, y).
    void Draw(const RgbImage& image, int x, int y) const;

  private:
    bool m_fragmentProgram = false;
    bool m_depthTest = false;
    bool m_rectangle = false;
    bool m_texture2d = false;
};
