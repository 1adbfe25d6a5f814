#include "measure/float_target.h"

FloatTarget::~FloatTarget() {
    if (m_uFramebuffer != 0)
        glDeleteFramebuffers(1, &m_uFramebuffer);
    if (m_uColour != 0)
        glDeleteRenderbuffers(1, &m_uColour);
    if (m_uDepth != 0)
        glDeleteRenderbuffers(1, &m_uDepth);
}

bool FloatTarget::Create(int width, int height) {
    if (!GLEW_ARB_framebuffer_object || !GLEW_ARB_texture_float)
        return false;
    m_iWidth = width;
    m_iHeight = height;
    glGenRenderbuffers(1, &m_uColour);
    glBindRenderbuffer(GL_RENDERBUFFER, m_uColour);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA32F, width, height);
    glGenRenderbuffers(1, &m_uDepth);
    glBindRenderbuffer(GL_RENDERBUFFER, m_uDepth);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, width, height);
    glBindRenderbuffer(GL_RENDERBUFFER, 0);

    glGenFramebuffers(1, &m_uFramebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, m_uFramebuffer);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, m_uColour);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, m_uDepth);
    const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    return complete;
}

void FloatTarget::Bind() const {
    glBindFramebuffer(GL_FRAMEBUFFER, m_uFramebuffer);
    glDrawBuffer(GL_COLOR_ATTACHMENT0);
    glReadBuffer(GL_COLOR_ATTACHMENT0);
}

void FloatTarget::Unbind() const {
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDrawBuffer(GL_BACK);
    glReadBuffer(GL_BACK);
}

std::vector<float> FloatTarget::ReadColour() const {
    std::vector<float> rgba(static_cast<size_t>(m_iWidth) * m_iHeight * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(0, 0, m_iWidth, m_iHeight, GL_RGBA, GL_FLOAT, rgba.data());
    return rgba;
}

std::vector<float> FloatTarget::ReadDepth() const {
    std::vector<float> depth(static_cast<size_t>(m_iWidth) * m_iHeight);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(0, 0, m_iWidth, m_iHeight, GL_DEPTH_COMPONENT, GL_FLOAT, depth.data());
    return depth;
}
