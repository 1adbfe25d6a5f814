#include "app/live_heat_colours.h"

#include <string>

#include "gfx/glsl_program.h"
#include "measure/density_shaders.h"

LiveHeatColours::~LiveHeatColours() {
    DeleteTarget();
    for (GLuint program : {m_uLookupProgram, m_uColourProgram}) {
        if (program != 0)
            glDeleteProgram(program);
    }
}

SceneReplacement LiveHeatColours::Replacement(int w, int h) {
    if (m_bFailed || w <= 0 || h <= 0)
        return {};
    if (m_uColourProgram == 0 && !CreatePrograms()) {
        m_bFailed = true;
        return {};
    }
    if ((w != m_iWidth || h != m_iHeight) && !CreateTarget(w, h)) {
        m_bFailed = true;
        return {};
    }
    // Cleared to w = 0: no figure.
    return {m_uLookupProgram, {0.0f, 0.0f, 0.0f, 0.0f}, m_uFramebuffer};
}

// The texture bound before is bound again afterwards: the HUD text that
// follows is drawn with whatever texture the scene left bound. The scene pass
// drew into the target's depth buffer, so the window's is cleared for the
// text, whose bitmaps are depth-tested.
void LiveHeatColours::Draw() const {
    glClear(GL_DEPTH_BUFFER_BIT);
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    glUseProgram(m_uColourProgram);
    glBindTexture(GL_TEXTURE_2D, m_uLookups);
    glRectf(-1.0f, -1.0f, 1.0f, 1.0f);
    glUseProgram(0);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(bound));
}

bool LiveHeatColours::CreatePrograms() {
    if (!GLEW_ARB_framebuffer_object || !GLEW_ARB_texture_float)
        return false;
    std::string error;
    m_uLookupProgram = LinkGlslProgram("", g_strLookupShader, error);
    m_uColourProgram = LinkGlslProgram(g_strWindowRectangleShader, HeatColourShader(), error);
    if (m_uLookupProgram == 0 || m_uColourProgram == 0)
        return false;
    glUseProgram(m_uColourProgram);
    glUniform1i(glGetUniformLocation(m_uColourProgram, "lookups"), 0);
    glUseProgram(0);
    return true;
}

bool LiveHeatColours::CreateTarget(int w, int h) {
    DeleteTarget();
    glGenTextures(1, &m_uLookups);
    glBindTexture(GL_TEXTURE_2D, m_uLookups);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA32F, w, h, 0, GL_RGBA, GL_FLOAT, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glGenRenderbuffers(1, &m_uDepth);
    glBindRenderbuffer(GL_RENDERBUFFER, m_uDepth);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, w, h);
    glBindRenderbuffer(GL_RENDERBUFFER, 0);
    glGenFramebuffers(1, &m_uFramebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, m_uFramebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, m_uLookups, 0);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, m_uDepth);
    const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    m_iWidth = w;
    m_iHeight = h;
    return complete;
}

void LiveHeatColours::DeleteTarget() {
    if (m_uFramebuffer != 0)
        glDeleteFramebuffers(1, &m_uFramebuffer);
    if (m_uLookups != 0)
        glDeleteTextures(1, &m_uLookups);
    if (m_uDepth != 0)
        glDeleteRenderbuffers(1, &m_uDepth);
    m_uFramebuffer = m_uLookups = m_uDepth = 0;
    m_iWidth = m_iHeight = 0;
}
