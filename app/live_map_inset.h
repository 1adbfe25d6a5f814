#pragma once

#include <GL/glew.h>

#include <vector>

#include "measure/map_picture.h"

// The View menu's map inset drawn by the GPU from the depth texture the frame
// was drawn with: the greys of --dump-shadowmap from every step-th texel
// (the drawn depths' range found by blending on the GPU too) and its
// outlines as lines. Nothing is read back.
class LiveMapInset {
  public:
    LiveMapInset() = default;
    ~LiveMapInset();
    LiveMapInset(const LiveMapInset&) = delete;
    LiveMapInset& operator=(const LiveMapInset&) = delete;

    // The picture of every step-th texel of the rectangle depth texture,
    // size pixels a side, its lower-left corner at window pixel (x, y) of a
    // window w x h. False, with nothing drawn, when this OpenGL cannot.
    struct Place {
        int x, y, size, step;
        int windowWidth, windowHeight;
    };
    bool Draw(GLuint depthTexture, const Place& place, const std::vector<MapOutline>& outlines);

  private:
    bool Create();
    void FindRange(const Place& place);
    void DrawPicture(const Place& place) const;
    void DrawOutlines(const Place& place, const std::vector<MapOutline>& outlines) const;

    GLuint m_uRangeProgram = 0;
    GLuint m_uPictureProgram = 0;
    GLuint m_uOutlineProgram = 0;
    GLuint m_uRange = 0;  // 1 x 1: nearest and minus the farthest drawn depth
    GLuint m_uRangeFramebuffer = 0;
    std::vector<float> m_points;  // each texel picked, as (column, row) of the picture
    int m_iPointsSize = 0;
    bool m_bFailed = false;
};
