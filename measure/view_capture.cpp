#include "measure/view_capture.h"

#include "measure/capture_programs.h"
#include "view/cascade_programs.h"
#include "view/gpu_programs.h"

ViewCapture::~ViewCapture() {
    for (const Program* p :
         {&m_lookupProgram, &m_lightVectorProgram, &m_shadowProgram, &m_shadowProgramHQ}) {
        for (GLuint id : {p->single, p->cascaded}) {
            if (id != 0)
                glDeleteProgramsNV(1, &id);
        }
    }
}

bool ViewCapture::Create(std::string& error) {
    GLContext& context = m_view.m_glContext;
    m_lookupProgram = Load(g_strLookupCaptureProgram);
    m_lightVectorProgram = Load(g_strLightVectorCaptureProgram);
    const std::string term = ShadowTermProgram(g_strSceneFragmentProgram);
    const std::string termHQ = ShadowTermProgram(g_strSceneFragmentProgramHQ);
    if (term.empty() || termHQ.empty()) {
        error = "the scene's fragment programs do not end in the shading that measuring replaces";
        return false;
    }
    m_shadowProgram = Load(term);
    m_shadowProgramHQ = Load(termHQ);
    if (!m_target.Create(context.m_iWidth, context.m_iHeight)) {
        error = "measuring needs float render targets, which this OpenGL does not offer";
        return false;
    }
    return true;
}

ViewCapture::Program ViewCapture::Load(const std::string& text) {
    GLContext& context = m_view.m_glContext;
    return {context.LoadFragmentProgram(text),
            context.LoadFragmentProgram(CascadeLookupProgram(text))};
}

ViewCapture::Frame ViewCapture::Render(const ShadowSetup& setup, const Program& program) {
    m_target.Bind();
    m_view.RenderSetup(setup, setup.cascaded ? program.cascaded : program.single);
    Frame frame{m_target.ReadColour(), m_target.ReadDepth()};
    m_target.Unbind();
    return frame;
}

PixelGrid<TexelLookup> ViewCapture::Lookups(const gmtl::Matrix44f& nt) {
    return Lookups(SingleMapSetup(nt, m_view.m_eyeCamera));
}

PixelGrid<TexelLookup> ViewCapture::Lookups(const ShadowSetup& setup) {
    return LookupGrid(Render(setup, m_lookupProgram));
}

void ViewCapture::StartLookups(const ShadowSetup& setup) {
    m_target.Bind();
    m_view.RenderScenePass(setup,
                           setup.cascaded ? m_lookupProgram.cascaded : m_lookupProgram.single);
    m_target.Unbind();
    m_lookupsStep = LookupsStep::DRAWN;
}

bool ViewCapture::ContinueLookups(PixelGrid<TexelLookup>& lookups) {
    if (m_lookupsStep == LookupsStep::DRAWN) {
        m_target.Bind();
        m_readback.Start(m_target.Width(), m_target.Height());
        m_target.Unbind();
        m_lookupsStep = LookupsStep::READING;
        return false;
    }
    if (m_lookupsStep == LookupsStep::NONE)
        return false;
    m_lookupsStep = LookupsStep::NONE;
    Frame frame;
    if (!m_readback.Finish(frame.rgba, frame.depth))
        return false;
    lookups = LookupGrid(frame);
    return true;
}

PixelGrid<TexelLookup> ViewCapture::LookupGrid(const Frame& frame) const {
    PixelGrid<TexelLookup> grid(m_target.Width(), m_target.Height());
    for (size_t i = 0; i < grid.values.size(); ++i) {
        const float* v = &frame.rgba[4 * i];
        TexelLookup& l = grid.values[i];
        l.visible = frame.depth[i] < 1.0f && v[3] != 0.0f;
        if (l.visible) {
            l.s = v[0] / v[3];
            l.t = v[1] / v[3];
        }
    }
    return grid;
}

PixelGrid<float> ViewCapture::ShadowTerm(const ShadowSetup& setup, bool fiveLookups) {
    const Frame frame = Render(setup, fiveLookups ? m_shadowProgramHQ : m_shadowProgram);
    PixelGrid<float> grid(m_target.Width(), m_target.Height());
    for (size_t i = 0; i < grid.values.size(); ++i)
        grid.values[i] = frame.rgba[4 * i];
    return grid;
}

PixelGrid<SurfacePoint> ViewCapture::SurfacePoints(const gmtl::Matrix44f& nt) {
    const Frame frame = Render(SingleMapSetup(nt, m_view.m_eyeCamera), m_lightVectorProgram);
    const gmtl::Vec3f& light = m_view.m_lightCamera.m_position;
    PixelGrid<SurfacePoint> grid(m_target.Width(), m_target.Height());
    for (size_t i = 0; i < grid.values.size(); ++i) {
        const float* v = &frame.rgba[4 * i];
        SurfacePoint& p = grid.values[i];
        p.visible = frame.depth[i] < 1.0f;
        p.position = gmtl::Vec3f(light[0] - v[0], light[1] - v[1], light[2] - v[2]);
    }
    return grid;
}

std::vector<float> ViewCapture::DepthMap() const {
    const int w = m_view.m_iShadowMapWidth;
    const int h = m_view.m_iShadowMapHeight;
    std::vector<float> depth(static_cast<size_t>(w) * h);
    glBindTexture(GL_TEXTURE_RECTANGLE_NV, m_view.m_uDepthTexture);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glGetTexImage(GL_TEXTURE_RECTANGLE_NV, 0, GL_DEPTH_COMPONENT, GL_FLOAT, depth.data());
    return depth;
}
