#pragma once

// The GL sync handle, declared as <GL/glew.h> declares it, so that this header
// (and the target's) need not pull GL in before other GL headers.
typedef struct __GLsync* GLsync;

// Lets the depth target's own context render depth straight into a texture
// that it shares with the reading context: a framebuffer object, made in the
// target's context (framebuffer objects are not shared), whose only attachment
// is that texture's depth image. No colour is written and nothing is copied.
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

    PbufferRenderTexture() = default;
    ~PbufferRenderTexture();
    PbufferRenderTexture(const PbufferRenderTexture&) = delete;
    PbufferRenderTexture& operator=(const PbufferRenderTexture&) = delete;

    // True when the current context offers framebuffer objects and the copy
    // path is not forced.
    static bool Available();

    // In the target's context: makes texture (target GL_TEXTURE_RECTANGLE_ARB or
    // GL_TEXTURE_2D, with a depth image of the buffer's size) the depth buffer
    // that rendering goes to from now on. False, with the context's own buffer
    // bound again, when the driver cannot render into it.
    bool Attach(unsigned int target, unsigned int texture);
    // The texture rendering goes to; 0 while the context renders into its own
    // buffer.
    unsigned int Texture() const { return m_uTexture; }

    // In the target's context, when a capture ends.
    void FenceRendered();
    // In the reading context, before it samples the texture.
    void WaitRendered();
    // In the reading context, after its last use of the texture.
    void FenceReleased();
    // In the target's context, before a capture renders.
    void WaitReleased();

    // Forgets the framebuffer object without GL calls: it goes with the target's
    // context. Fences are deleted when a context is current.
    void Forget();

  private:
    unsigned int m_uFramebuffer = 0;
    unsigned int m_uTexture = 0;
    GLsync m_rendered = nullptr;
    GLsync m_released = nullptr;
};
