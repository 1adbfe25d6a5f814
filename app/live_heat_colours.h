#pragma once

#include <GL/glew.h>

#include "view/kvx_demo_view.h"

// The live heat colours drawn by the GPU in two passes: the frame's scene
// pass writes each pixel's shadow-map lookup into a float texture of the
// window's size instead of shading it, then one pass over the window turns
// the lookups into texels per pixel and colours exactly as --heatmap does on
// the CPU, with nothing read back.
class LiveHeatColours {
  public:
    LiveHeatColours() = default;
    ~LiveHeatColours();
    LiveHeatColours(const LiveHeatColours&) = delete;
    LiveHeatColours& operator=(const LiveHeatColours&) = delete;

    // What the scene pass of a window w x h draws instead; program 0 when
    // this OpenGL cannot (then nothing is tried again).
    SceneReplacement Replacement(int w, int h);
    // The colours over the whole window, from the last replaced scene pass.
    // Expects depth testing off.
    void Draw() const;

  private:
    bool CreatePrograms();
    bool CreateTarget(int w, int h);
    void DeleteTarget();

    GLuint m_uLookupProgram = 0;
    GLuint m_uColourProgram = 0;
    GLuint m_uFramebuffer = 0;
    GLuint m_uLookups = 0;  // the float texture
    GLuint m_uDepth = 0;
    int m_iWidth = 0;
    int m_iHeight = 0;
    bool m_bFailed = false;
};
