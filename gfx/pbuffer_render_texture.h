#pragma once

#include <vector>

#include "math/texel_rect.h"

// The GL sync handle, declared as <GL/glew.h> declares it, so that this header
// (and the target's) need not pull GL in before other GL headers.
typedef struct __GLsync* GLsync;

// Lets the depth target's own context render depth into a texture that it
// shares with the reading context, through a framebuffer object made in the
// target's context (framebuffer objects are not shared) whose only attachment
// is a depth image. No colour is written.
//
// Where the driver copies images between textures (ARB_copy_image), the
// captures render into a depth texture of the target's own and each capture
// ends with one copy of it into the shared texture, inside the driver. The
// shared texture is then never a render target, which matters on drivers that
// track writes across contexts: Mesa's llvmpipe takes a texture as still being
// written while any context's framebuffer, or any frame of it not yet recycled,
// renders into it (which after the first capture is always), and then flushes
// and waits for all the reader's queued work whenever the reader changes a
// texture binding: at every object of the scene pass, at every glyph of the
// HUD. Elsewhere the captures render straight into the shared texture.
//
// A capture may name the only parts of the texture where it leaves depth other
// than the clear value; the copy then covers those and the parts the last
// capture named, since everything else holds the clear value on both sides,
// and the next capture clears only the parts this one named.
//
// Hand-over between the two contexts goes through fences, so that the GPU
// rather than the CPU waits: one after each capture (the reader waits on it
// before sampling), one after the reader's last use (the next capture waits on
// it before overwriting).
class PbufferRenderTexture {
  public:
    // Environment variable that, set to anything but "" or "0", keeps every
    // target on the copy path: a diagnostic for comparing the two.
    static constexpr const char* FORCE_COPY_VARIABLE = "KVX_DEPTH_COPY";
    static bool CopyForced();
    // Environment variable that, set likewise, makes the captures render
    // straight into the shared texture even where a texture of the target's own
    // could be copied: a diagnostic for comparing the two.
    static constexpr const char* FORCE_DIRECT_VARIABLE = "KVX_DEPTH_DIRECT";
    static bool DirectForced();

    PbufferRenderTexture() = default;
    ~PbufferRenderTexture();
    PbufferRenderTexture(const PbufferRenderTexture&) = delete;
    PbufferRenderTexture& operator=(const PbufferRenderTexture&) = delete;

    // True when the current context offers framebuffer objects and the copy
    // path is not forced.
    static bool Available();

    // In the target's context: makes texture (target GL_TEXTURE_RECTANGLE_ARB or
    // GL_TEXTURE_2D, with a depth image of the buffer's size; binding is the
    // query for the texture bound to target) receive the depth that rendering
    // produces from now on, by rendering into a texture of the target's own of
    // the same size and format or into texture itself. The binding of target is
    // left as it was. False, with the context's own buffer bound again, when the
    // driver cannot render into it.
    bool Attach(unsigned int target, unsigned int binding, unsigned int texture);
    // The texture that receives the depth; 0 while the context renders into its
    // own buffer.
    unsigned int Texture() const { return m_uTexture; }
    // True when the captures render into a texture of the target's own, copied
    // into Texture() at the end of each capture.
    bool CopiesOwnTexture() const { return m_uOwnTexture != 0; }

    // During a capture that cleared the whole buffer (to the same depth as every
    // other capture that calls this): the capture leaves depth other than the
    // clear value only inside the rectangles of drawn. Without it a capture is
    // taken to leave it anywhere. The copy takes the i-th rectangle together
    // with the last capture's i-th, so a caller that names the same objects in
    // the same order every time copies each object's old and new place at once.
    void SetDrawnArea(std::vector<TexelRect> drawn) { m_drawn = std::move(drawn); }
    // In the target's context, at the start of a capture: clears the target's
    // own texture, to the context's clear depth, where the last capture named
    // its drawn area, and returns true, the rest of it holding that depth
    // still. False, having done nothing, when the whole buffer needs clearing:
    // no texture of the target's own, no partial clears in the driver, or a
    // last capture that named nothing.
    bool ClearLastDrawn();
    // In the target's context, when a capture ends: hands the depth to the
    // shared texture and sets the fence the reader waits on.
    void FenceRendered();
    // In the reading context, before it samples the texture.
    void WaitRendered();
    // In the reading context, after its last use of the texture.
    void FenceReleased();
    // In the target's context, before a capture renders.
    void WaitReleased();

    // Forgets the framebuffer object without GL calls: it goes with the target's
    // context. Fences and the target's own texture, which outlive it, are
    // deleted when a context is current.
    void Forget();

  private:
    // Makes m_uOwnTexture a texture of the size and format of texture, keeping
    // the one there is when it fits. False when the driver cannot copy between
    // the two, or is not to.
    bool MakeOwnTexture(unsigned int target, unsigned int binding, unsigned int texture);
    void CopyDrawnArea();
    void DeleteOwnTexture();

    unsigned int m_uFramebuffer = 0;
    unsigned int m_uTexture = 0;
    unsigned int m_uOwnTexture = 0;  // rendered into, then copied; 0 when none
    unsigned int m_uTarget = 0;      // texture target of both textures
    int m_iWidth = 0;
    int m_iHeight = 0;
    int m_iFormat = 0;  // internal format of both textures
    // Where the capture in progress, and the last one, may have left depth other
    // than the clear value; the whole texture when not known.
    std::vector<TexelRect> m_drawn;
    std::vector<TexelRect> m_lastDrawn;
    GLsync m_rendered = nullptr;
    GLsync m_released = nullptr;
};
