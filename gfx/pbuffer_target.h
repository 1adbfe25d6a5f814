#pragma once

#include <string>
#include <utility>
#include <vector>

#include "gfx/glx_handles.h"
#include "gfx/pbuffer_render_texture.h"

class XErrorTrap;
struct TextureCopy;

// Off-screen render target with a rendering context of its own, described by a
// short mode string such as "rgba depth=24 textureRECT=depth".
//
// The mode string becomes two attribute lists in the vocabulary of the WGL
// pixel-format, pbuffer and render-texture extensions (constants in
// gfx/wgl_constants.h); Create translates them to a GLX 1.3 fbconfig and pbuffer.
//
// Binding the depth buffer as a texture: X has no render-to-texture for
// pbuffers, so the target does it with a framebuffer object in its own context.
// The first BindTexture of the depth buffer copies it into the texture object
// bound on the active unit of the current context (rectangle or 2D, as the mode
// asked; a texture image of another size or kind is replaced by one of the
// buffer's size); from then on captures render depth straight into that
// texture, and BindTexture only lets the current context wait, on the GPU, for
// the capture to finish (bound to another texture, it hands that one the last
// capture's depth and renders into it from then on). ReleaseTexture marks the
// end of the reader's use, which the next capture waits for. This needs
// framebuffer objects and sync objects, a context of the target's own, and a
// target context that draws no colour (glDrawBuffer(GL_NONE) there), since the
// texture holds depth only. Otherwise,
// or with KVX_DEPTH_COPY set, every BindTexture copies the buffer, in the
// target's context, into the texture, and the current context waits on a fence
// where sync objects exist; colour buffers are always bound that way. Either
// way the texture shows the buffer as the last capture left it. Where the
// captures render into a texture of the target's own and name where they
// draw (SetDrawnArea), each needs to clear only what the last one named
// (ClearLastDrawn), and the hand-over copies only the two captures' areas.
//
// Create must run with the context to share with current; the target uses that
// context's X display for all its calls. Destroy the target before closing the
// display.
class PbufferTarget {
  public:
    explicit PbufferTarget(const char* mode);
    ~PbufferTarget();
    PbufferTarget(const PbufferTarget&) = delete;
    PbufferTarget& operator=(const PbufferTarget&) = delete;

    // Creates the pbuffer and, unless shareContext, a context for it that shares
    // display lists and textures with the current one when shareObjects. False at
    // the first failing step, with nothing left allocated; no message.
    bool Create(int width, int height, bool shareContext, bool shareObjects);

    // Makes the target's context current on its pbuffer. With another target that
    // is capturing, takes over what that one would have returned to, so ending
    // this capture goes straight back to the context that was current before.
    void BeginCapture(PbufferTarget* other);
    // Makes the context remembered by BeginCapture current again.
    void EndCapture();

    // buffer: WGL_DEPTH_COMPONENT_NV, WGL_FRONT_LEFT_ARB, WGL_BACK_LEFT_ARB or
    // WGL_AUXi_ARB. False, with nothing changed, when the mode did not ask for a
    // texture format for that buffer or when no texture is bound.
    bool BindTexture(int buffer);
    bool ReleaseTexture(int buffer);
    // During a capture that cleared the whole depth buffer: the capture leaves
    // depth other than the clear value only inside the rectangles of drawn, so
    // the hand-over may copy less. Every capture that says so must clear to the
    // same depth; naming the same objects in the same order each time copies
    // least.
    void SetDrawnArea(std::vector<TexelRect> drawn) {
        m_renderTexture.SetDrawnArea(std::move(drawn));
    }
    // At the start of such a capture: clears, to the clear depth, what the last
    // capture named, where the captures render into the target's own texture
    // and the driver clears parts of textures, and returns true (the rest still
    // holds that depth). False, having done nothing, when the whole buffer needs
    // clearing.
    bool ClearLastDrawn() { return m_renderTexture.ClearLastDrawn(); }

    // Appends to both lists the attributes the mode string asks for.
    void ParseMode(const char* mode, std::vector<int>& pixelFormatAttribs,
                   std::vector<int>& pbufferAttribs);
    // Value after the first '=': 1 when there is none, else the leading decimal
    // integer (0 when it has no digits, clamped to the int range).
    static int GetIntegerValue(const std::string& token);
    // Text after the first '=', or "" when the token has none.
    static std::string GetStringValue(const std::string& token);

    const std::vector<int>& PixelFormatAttribs() const { return m_pixelFormatAttribs; }
    const std::vector<int>& PbufferAttribs() const { return m_pbufferAttribs; }
    int Width() const { return m_iWidth; }
    int Height() const { return m_iHeight; }
    int Components() const { return m_iComponents; }
    int BitsPerComponent() const { return m_iBitsPerComponent; }
    bool IsTexture() const { return m_bIsTexture; }
    bool IsCapturing() const { return m_bCapturing; }
    GLXPbuffer Pbuffer() const { return m_hPbuffer; }
    GLXContext Context() const { return m_hRC; }
    // True once captures render depth into the bound texture, or into one of the
    // target's own that is copied into it as each capture ends.
    bool RendersIntoTexture() const { return m_renderTexture.Texture() != 0; }
    // True when they render into the target's own texture and copy it.
    bool CopiesOwnTexture() const { return m_renderTexture.CopiesOwnTexture(); }

  private:
    void AppendTextureAttribs(const std::string& token, bool floatFlag, bool atiFloatFlag,
                              std::vector<int>& pixelFormatAttribs,
                              std::vector<int>& pbufferAttribs);
    void AppendColourSizes(std::vector<int>& pixelFormatAttribs) const;
    bool CreateWithConfig(Display* display, GLXContext current, GLXFBConfig config, int width,
                          int height);
    bool CreateBuffer(Display* display, GLXContext current, GLXFBConfig config, int width,
                      int height);
    bool ClearsWithoutError(GLXContext current, XErrorTrap& trap);
    void CopyIntoTexture(const TextureCopy& copy, unsigned int texture) const;
    void RenderDepthInto(const TextureCopy& copy, unsigned int texture);
    void Release();

    Display* m_hDC = nullptr;        // X display the pbuffer and its context live on
    GLXContext m_hRC = nullptr;      // context that renders into the pbuffer
    GLXPbuffer m_hPbuffer = 0;       // the pbuffer, also the drawable made current
    GLXContext m_hPrevRC = nullptr;  // context current before BeginCapture
    GLXDrawable m_hPrevDC = 0;       // draw drawable current before BeginCapture
    GLXDrawable m_hPrevReadDC = 0;   // read drawable current before BeginCapture
    std::vector<int> m_pixelFormatAttribs;
    std::vector<int> m_pbufferAttribs;
    bool m_bIsTexture = false;
    int m_iWidth = 0;
    int m_iHeight = 0;
    int m_iComponents = 0;
    int m_iBitsPerComponent = 0;
    bool m_bShareContext = false;
    bool m_bShareObjects = false;
    bool m_bCapturing = false;
    bool m_bCanRenderIntoTexture = false;  // decided at creation
    PbufferRenderTexture m_renderTexture;  // the depth texture captures render into
};
