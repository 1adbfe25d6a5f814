// Creation of the depth target's pbuffer and context, context switching around
// rendering into it, and binding its depth buffer as a texture: rendered into
// the texture directly, or copied into it.

#include "gfx/pbuffer_target.h"

#include <GL/glew.h>
#include <GL/glx.h>

#include <algorithm>
#include <utility>

#include "gfx/pbuffer_glx_attribs.h"
#include "gfx/pbuffer_texture_copy.h"
#include "gfx/wgl_constants.h"
#include "gfx/x_error_trap.h"

namespace {

int ConfigAttrib(Display* display, GLXFBConfig config, int attribute) {
    int value = 0;
    glXGetFBConfigAttrib(display, config, attribute, &value);
    return value;
}

// Software GLX copies the rendered image into a server-side pixmap of the config's
// visual depth; a colour buffer of another size (RGBA8 on a depth-24 visual) is
// refused there at the first flush.
bool VisualMatchesBuffer(Display* display, GLXFBConfig config) {
    XVisualInfo* visual = glXGetVisualFromFBConfig(display, config);
    if (visual == nullptr) {
        return false;
    }
    const bool matches = visual->depth == ConfigAttrib(display, config, GLX_BUFFER_SIZE);
    XFree(visual);
    return matches;
}

// Lower is better: configs the X server takes first, then those with exactly the
// depth bits asked for. GLX ranks deeper depth buffers first, but polygon offset
// units scale with the depth resolution, so a 32-bit buffer where 24 bits were
// asked for would shrink the depth pass's offset.
int ConfigRank(Display* display, GLXFBConfig config, int depthBits) {
    const bool exactDepth = ConfigAttrib(display, config, GLX_DEPTH_SIZE) == depthBits;
    return (VisualMatchesBuffer(display, config) ? 0 : 2) + (exactDepth ? 0 : 1);
}

// Configs to try for the pbuffer, best first, on the current context's screen: the
// current context's own when sameAsCurrent, else those matching the attributes.
std::vector<GLXFBConfig> CandidateConfigs(Display* display, GLXContext current, bool sameAsCurrent,
                                          const std::vector<int>& wglPixelFormatAttribs) {
    int screen = 0;
    int id = 0;
    if (glXQueryContext(display, current, GLX_SCREEN, &screen) != Success ||
        glXQueryContext(display, current, GLX_FBCONFIG_ID, &id) != Success) {
        return {};
    }
    const std::vector<int> attribs = sameAsCurrent ? std::vector<int>{GLX_FBCONFIG_ID, id, None}
                                                   : GlxConfigAttribs(wglPixelFormatAttribs);
    int count = 0;
    GLXFBConfig* configs = glXChooseFBConfig(display, screen, attribs.data(), &count);
    std::vector<std::pair<int, GLXFBConfig>> ranked;
    const int depthBits = WglAttribValue(wglPixelFormatAttribs, WGL_DEPTH_BITS_ARB, 0);
    for (int i = 0; i < count; ++i) {
        ranked.emplace_back(ConfigRank(display, configs[i], depthBits), configs[i]);
    }
    if (configs != nullptr) {
        XFree(configs);
    }
    std::stable_sort(ranked.begin(), ranked.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<GLXFBConfig> result;
    for (const auto& entry : ranked) {
        result.push_back(entry.second);
    }
    return result;
}

bool HasGlx13(Display* display) {
    int major = 0;
    int minor = 0;
    return glXQueryVersion(display, &major, &minor) && (major > 1 || minor >= 3);
}

// The copy runs in the target's context; the current context may use the texture
// only once the copy has completed. A fence lets the GPU wait for it without
// stalling the CPU; without sync objects, the context switch's flush has to do.
GLsync FenceAfterCopy() {
    return GLEW_ARB_sync ? glFenceSync(GL_SYNC_GPU_COMMANDS_COMPLETE, 0) : nullptr;
}

void WaitForCopy(GLsync copied) {
    if (copied != nullptr) {
        glWaitSync(copied, 0, GL_TIMEOUT_IGNORED);
        glDeleteSync(copied);
    }
}

int QueryDrawable(Display* display, GLXDrawable drawable, int attribute) {
    unsigned int value = 0;
    glXQueryDrawable(display, drawable, attribute, &value);
    return static_cast<int>(value);
}

}  // namespace

PbufferTarget::~PbufferTarget() {
    Release();
}

bool PbufferTarget::Create(int width, int height, bool shareContext, bool shareObjects) {
    Release();
    m_iWidth = width;
    m_iHeight = height;
    m_bShareContext = shareContext;
    m_bShareObjects = shareObjects;
    Display* display = glXGetCurrentDisplay();
    GLXContext current = glXGetCurrentContext();
    if (display == nullptr || current == nullptr || width <= 0 || height <= 0 ||
        !HasGlx13(display)) {
        return false;
    }
    for (GLXFBConfig config :
         CandidateConfigs(display, current, shareContext, m_pixelFormatAttribs)) {
        if (CreateWithConfig(display, current, config, width, height)) {
            return true;
        }
    }
    return false;
}

bool PbufferTarget::CreateWithConfig(Display* display, GLXContext current, GLXFBConfig config,
                                     int width, int height) {
    XErrorTrap trap(display);
    if (CreateBuffer(display, current, config, width, height) && !trap.Failed() &&
        ClearsWithoutError(current, trap)) {
        return true;
    }
    Release();
    return false;
}

bool PbufferTarget::CreateBuffer(Display* display, GLXContext current, GLXFBConfig config,
                                 int width, int height) {
    m_hDC = display;
    const std::vector<int> attribs = GlxPbufferAttribs(
        m_pbufferAttribs, width, height, ConfigAttrib(display, config, GLX_MAX_PBUFFER_WIDTH),
        ConfigAttrib(display, config, GLX_MAX_PBUFFER_HEIGHT));
    m_hPbuffer = glXCreatePbuffer(display, config, attribs.data());
    if (m_hPbuffer == None) {
        return false;
    }
    // A context shares objects only with one of the same directness.
    m_hRC = m_bShareContext
                ? current
                : glXCreateNewContext(display, config, GlxRenderType(m_pixelFormatAttribs),
                                      m_bShareObjects ? current : nullptr,
                                      glXIsDirect(display, current));
    if (m_hRC == nullptr) {
        return false;
    }
    m_bIsTexture = AsksForTexture(m_pbufferAttribs);
    // A shared context would keep the framebuffer object bound for the window.
    m_bCanRenderIntoTexture =
        !m_bShareContext && m_bShareObjects && m_bIsTexture && PbufferRenderTexture::Available();
    m_iWidth = QueryDrawable(display, m_hPbuffer, GLX_WIDTH);
    m_iHeight = QueryDrawable(display, m_hPbuffer, GLX_HEIGHT);
    return true;
}

// Some configs are accepted at creation and refused by the X server only when the
// first image reaches it; one clear at creation finds out while errors are trapped.
bool PbufferTarget::ClearsWithoutError(GLXContext current, XErrorTrap& trap) {
    const GLXDrawable draw = glXGetCurrentDrawable();
    const GLXDrawable read = glXGetCurrentReadDrawable();
    if (!glXMakeContextCurrent(m_hDC, m_hPbuffer, m_hPbuffer, m_hRC)) {
        return false;
    }
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    glFinish();
    glXMakeContextCurrent(m_hDC, draw, read, current);
    return !trap.Failed();
}

void PbufferTarget::Release() {
    EndCapture();
    m_renderTexture.Forget();
    m_bCanRenderIntoTexture = false;
    if (m_hRC != nullptr && !m_bShareContext) {
        glXDestroyContext(m_hDC, m_hRC);
    }
    if (m_hPbuffer != None) {
        glXDestroyPbuffer(m_hDC, m_hPbuffer);
    }
    m_hRC = nullptr;
    m_hPbuffer = None;
    m_hDC = nullptr;
    m_bIsTexture = false;
}

void PbufferTarget::BeginCapture(PbufferTarget* other) {
    if (other == this || m_hPbuffer == None) {
        return;
    }
    if (other != nullptr && other->m_bCapturing) {
        // Already capturing (other began on top of this target): keep what this
        // target returns to, or it could never get back to the window.
        if (!m_bCapturing) {
            m_hPrevRC = other->m_hPrevRC;
            m_hPrevDC = other->m_hPrevDC;
            m_hPrevReadDC = other->m_hPrevReadDC;
        }
        other->m_hPrevRC = nullptr;
        other->m_hPrevDC = None;
        other->m_hPrevReadDC = None;
        other->m_bCapturing = false;
    } else if (!m_bCapturing) {
        m_hPrevRC = glXGetCurrentContext();
        m_hPrevDC = glXGetCurrentDrawable();
        m_hPrevReadDC = glXGetCurrentReadDrawable();
    }
    glXMakeContextCurrent(m_hDC, m_hPbuffer, m_hPbuffer, m_hRC);
    m_bCapturing = true;
    m_renderTexture.WaitReleased();
}

void PbufferTarget::EndCapture() {
    if (!m_bCapturing) {
        return;
    }
    if (RendersIntoTexture()) {
        m_renderTexture.FenceRendered();
    }
    glXMakeContextCurrent(m_hDC, m_hPrevDC, m_hPrevReadDC, m_hPrevRC);
    m_hPrevRC = nullptr;
    m_hPrevDC = None;
    m_hPrevReadDC = None;
    m_bCapturing = false;
}

bool PbufferTarget::BindTexture(int buffer) {
    TextureCopy copy;
    if (!m_bIsTexture ||
        !DescribeTextureCopy(m_pbufferAttribs, m_iBitsPerComponent, buffer, copy)) {
        return false;
    }
    GLint texture = 0;
    glGetIntegerv(copy.binding, &texture);
    if (texture == 0) {
        return false;
    }
    const GLXContext context = glXGetCurrentContext();
    const GLXDrawable draw = glXGetCurrentDrawable();
    const GLXDrawable read = glXGetCurrentReadDrawable();
    if (copy.depth && static_cast<unsigned int>(texture) == m_renderTexture.Texture()) {
        // The captures render into this very texture: nothing to copy.
        if (context != m_hRC) {
            m_renderTexture.WaitRendered();
            glBindTexture(copy.target, texture);
        }
        return true;
    }
    if (context == m_hRC && read == m_hPbuffer) {
        CopyIntoTexture(copy, texture);
        RenderDepthInto(copy, texture);
        return true;
    }
    // Without shared objects the texture name means nothing in the target's context.
    if (context != m_hRC && !m_bShareObjects) {
        return false;
    }
    glXMakeContextCurrent(m_hDC, m_hPbuffer, m_hPbuffer, m_hRC);
    CopyIntoTexture(copy, texture);
    RenderDepthInto(copy, texture);
    const GLsync copied = FenceAfterCopy();
    glXMakeContextCurrent(m_hDC, draw, read, context);
    WaitForCopy(copied);
    // Binding again is what makes another context's change of the image visible here.
    glBindTexture(copy.target, texture);
    return true;
}

bool PbufferTarget::ReleaseTexture(int buffer) {
    TextureCopy copy;
    if (!m_bIsTexture ||
        !DescribeTextureCopy(m_pbufferAttribs, m_iBitsPerComponent, buffer, copy)) {
        return false;
    }
    // The next capture overwrites the texture only once the reader is done with it.
    if (copy.depth && RendersIntoTexture() && glXGetCurrentContext() != m_hRC) {
        m_renderTexture.FenceReleased();
    }
    return true;
}

// In the target's context, after the depth buffer was copied into texture:
// later captures render into the texture itself, when they may.
void PbufferTarget::RenderDepthInto(const TextureCopy& copy, unsigned int texture) {
    if (!copy.depth || !m_bCanRenderIntoTexture) {
        return;
    }
    if (!RendersIntoTexture()) {
        // The texture takes depth only: a context that draws colour keeps its buffer.
        GLint drawBuffer = GL_NONE;
        glGetIntegerv(GL_DRAW_BUFFER, &drawBuffer);
        if (drawBuffer != GL_NONE) {
            return;
        }
    }
    if (!m_renderTexture.Attach(copy.target, copy.binding, texture)) {
        m_bCanRenderIntoTexture = false;
    }
}

void PbufferTarget::CopyIntoTexture(const TextureCopy& copy, unsigned int texture) const {
    GLint previousTexture = 0;
    glGetIntegerv(copy.binding, &previousTexture);
    GLint previousReadBuffer = GL_NONE;
    GLint previousReadFramebuffer = 0;
    if (!copy.depth) {
        // Colour is read from the pbuffer, never from the depth-only framebuffer object.
        if (RendersIntoTexture()) {
            glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &previousReadFramebuffer);
            glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
        }
        glGetIntegerv(GL_READ_BUFFER, &previousReadBuffer);
        glReadBuffer(copy.readBuffer);
    }
    glBindTexture(copy.target, texture);
    GLint width = 0;
    GLint height = 0;
    GLint depthSize = 0;
    glGetTexLevelParameteriv(copy.target, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(copy.target, 0, GL_TEXTURE_HEIGHT, &height);
    glGetTexLevelParameteriv(copy.target, 0, GL_TEXTURE_DEPTH_SIZE, &depthSize);
    // The texture's image becomes the buffer: same size and kind of content.
    if (width == m_iWidth && height == m_iHeight && (depthSize > 0) == copy.depth) {
        glCopyTexSubImage2D(copy.target, 0, 0, 0, 0, 0, m_iWidth, m_iHeight);
    } else {
        glCopyTexImage2D(copy.target, 0, copy.internalFormat, 0, 0, m_iWidth, m_iHeight, 0);
    }
    glBindTexture(copy.target, previousTexture);
    if (!copy.depth) {
        glReadBuffer(previousReadBuffer);
        if (RendersIntoTexture()) {
            glBindFramebuffer(GL_READ_FRAMEBUFFER, previousReadFramebuffer);
        }
    }
}
