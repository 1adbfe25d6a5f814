#include "gfx/pbuffer_render_texture.h"

#include <GL/glew.h>
#include <GL/glx.h>

#include <cstdlib>
#include <cstring>
#include <initializer_list>

namespace {

// A fence in the current context replacing an older one.
void Refence(GLsync& fence) {
    if (fence != nullptr)
        glDeleteSync(fence);
    fence = glFenceSync(GL_SYNC_GPU_COMMANDS_COMPLETE, 0);
}

// The current context's commands wait for the fence on the GPU; the fence is
// used up.
void WaitAndDelete(GLsync& fence) {
    if (fence == nullptr)
        return;
    glWaitSync(fence, 0, GL_TIMEOUT_IGNORED);
    glDeleteSync(fence);
    fence = nullptr;
}

}  // namespace

PbufferRenderTexture::~PbufferRenderTexture() {
    Forget();
}

bool PbufferRenderTexture::CopyForced() {
    const char* forced = std::getenv(FORCE_COPY_VARIABLE);
    return forced != nullptr && forced[0] != '\0' && std::strcmp(forced, "0") != 0;
}

bool PbufferRenderTexture::Available() {
    if (CopyForced())
        return false;
    // Sync objects come with every driver that has framebuffer objects here;
    // without them the hand-over would need a glFinish.
    return (GLEW_VERSION_3_0 || GLEW_ARB_framebuffer_object) && GLEW_ARB_sync;
}

bool PbufferRenderTexture::Attach(unsigned int target, unsigned int texture) {
    if (m_uFramebuffer == 0)
        glGenFramebuffers(1, &m_uFramebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, m_uFramebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, target, texture, 0);
    glDrawBuffer(GL_NONE);
    glReadBuffer(GL_NONE);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glDeleteFramebuffers(1, &m_uFramebuffer);
        m_uFramebuffer = 0;
        m_uTexture = 0;
        return false;
    }
    m_uTexture = texture;
    return true;
}

void PbufferRenderTexture::FenceRendered() {
    Refence(m_rendered);
}

void PbufferRenderTexture::WaitRendered() {
    WaitAndDelete(m_rendered);
}

void PbufferRenderTexture::FenceReleased() {
    Refence(m_released);
}

void PbufferRenderTexture::WaitReleased() {
    WaitAndDelete(m_released);
}

void PbufferRenderTexture::Forget() {
    if (glXGetCurrentContext() != nullptr) {
        for (GLsync* fence : {&m_rendered, &m_released}) {
            if (*fence != nullptr)
                glDeleteSync(*fence);
        }
    }
    m_rendered = nullptr;
    m_released = nullptr;
    m_uFramebuffer = 0;
    m_uTexture = 0;
}
