#include "gfx/pbuffer_render_texture.h"

#include <GL/glew.h>
#include <GL/glx.h>

#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <utility>

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

namespace {

// Set to anything but "" or "0".
bool SwitchSet(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr && value[0] != '\0' && std::strcmp(value, "0") != 0;
}

}  // namespace

bool PbufferRenderTexture::CopyForced() {
    return SwitchSet(FORCE_COPY_VARIABLE);
}

bool PbufferRenderTexture::DirectForced() {
    return SwitchSet(FORCE_DIRECT_VARIABLE);
}

bool PbufferRenderTexture::Available() {
    if (CopyForced())
        return false;
    // Sync objects come with every driver that has framebuffer objects here;
    // without them the hand-over would need a glFinish.
    return (GLEW_VERSION_3_0 || GLEW_ARB_framebuffer_object) && GLEW_ARB_sync;
}

bool PbufferRenderTexture::Attach(unsigned int target, unsigned int binding, unsigned int texture) {
    if (m_uFramebuffer == 0)
        glGenFramebuffers(1, &m_uFramebuffer);
    const GLuint rendered = MakeOwnTexture(target, binding, texture) ? m_uOwnTexture : texture;
    glBindFramebuffer(GL_FRAMEBUFFER, m_uFramebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, target, rendered, 0);
    glDrawBuffer(GL_NONE);
    glReadBuffer(GL_NONE);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glDeleteFramebuffers(1, &m_uFramebuffer);
        m_uFramebuffer = 0;
        m_uTexture = 0;
        DeleteOwnTexture();
        return false;
    }
    m_uTexture = texture;
    return true;
}

bool PbufferRenderTexture::MakeOwnTexture(unsigned int target, unsigned int binding,
                                          unsigned int texture) {
    if (DirectForced() || !(GLEW_VERSION_4_3 || GLEW_ARB_copy_image)) {
        DeleteOwnTexture();
        return false;
    }
    GLint previous = 0;
    glGetIntegerv(binding, &previous);
    glBindTexture(target, texture);
    GLint width = 0;
    GLint height = 0;
    GLint format = 0;
    glGetTexLevelParameteriv(target, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(target, 0, GL_TEXTURE_HEIGHT, &height);
    glGetTexLevelParameteriv(target, 0, GL_TEXTURE_INTERNAL_FORMAT, &format);
    if (m_uOwnTexture == 0 || target != m_uTarget || width != m_iWidth || height != m_iHeight ||
        format != m_iFormat) {
        DeleteOwnTexture();
        glGenTextures(1, &m_uOwnTexture);
        glBindTexture(target, m_uOwnTexture);
        glTexImage2D(target, 0, format, width, height, 0, GL_DEPTH_COMPONENT, GL_UNSIGNED_INT,
                     nullptr);
        glTexParameteri(target, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(target, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        m_uTarget = target;
        m_iWidth = width;
        m_iHeight = height;
        m_iFormat = format;
    }
    m_drawn = {WholeMap(width, height)};
    m_lastDrawn = m_drawn;
    glBindTexture(target, static_cast<GLuint>(previous));
    return true;
}

void PbufferRenderTexture::DeleteOwnTexture() {
    if (m_uOwnTexture != 0)
        glDeleteTextures(1, &m_uOwnTexture);
    m_uOwnTexture = 0;
}

void PbufferRenderTexture::FenceRendered() {
    if (m_uOwnTexture != 0 && m_uTexture != 0) {
        // Vertices still buffered by glBegin/glEnd are drawn first: the copy does
        // not flush them itself in every driver.
        glFlush();
        CopyDrawnArea();
    }
    m_lastDrawn = std::move(m_drawn);
    m_drawn = {WholeMap(m_iWidth, m_iHeight)};
    Refence(m_rendered);
}

bool PbufferRenderTexture::ClearLastDrawn() {
    const TexelRect whole = WholeMap(m_iWidth, m_iHeight);
    const bool wholeDrawn = m_lastDrawn.size() == 1 && m_lastDrawn.front() == whole;
    if (m_uOwnTexture == 0 || wholeDrawn || !(GLEW_VERSION_4_4 || GLEW_ARB_clear_texture))
        return false;
    GLfloat depth = 1.0f;
    glGetFloatv(GL_DEPTH_CLEAR_VALUE, &depth);
    for (const TexelRect& rect : m_lastDrawn) {
        const TexelRect cleared = Intersection(rect, whole);
        if (cleared.IsEmpty())
            continue;
        glClearTexSubImage(m_uOwnTexture, 0, cleared.x0, cleared.y0, 0, cleared.Width(),
                           cleared.Height(), 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    }
    return true;
}

void PbufferRenderTexture::CopyDrawnArea() {
    const TexelRect whole = WholeMap(m_iWidth, m_iHeight);
    for (const TexelRect& rect : PairwiseUnion(m_drawn, m_lastDrawn)) {
        const TexelRect copied = Intersection(rect, whole);
        if (copied.IsEmpty())
            continue;
        glCopyImageSubData(m_uOwnTexture, m_uTarget, 0, copied.x0, copied.y0, 0, m_uTexture,
                           m_uTarget, 0, copied.x0, copied.y0, 0, copied.Width(), copied.Height(),
                           1);
    }
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
        DeleteOwnTexture();
    }
    m_rendered = nullptr;
    m_released = nullptr;
    m_uFramebuffer = 0;
    m_uTexture = 0;
    m_uOwnTexture = 0;
}
