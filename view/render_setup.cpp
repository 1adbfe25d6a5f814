// The frames of the parametrisations that are compared with KVX: the same
// two passes, driven by what a parametrisation hands them. A cascaded setup
// draws each cascade into its tile of the depth target, kept there by the
// scissor rectangle, and looks pixels up through the cascaded program.

#include <cstring>

#include "platform/nv_program_layer.h"
#include "view/cascade_programs.h"
#include "view/command_ids.h"
#include "view/gpu_programs.h"
#include "view/kvx_demo_view.h"
#include "warp/cascades.h"
#include "warp/lispsm.h"

namespace {

// Beyond every eye depth: the last cascade's split is never reached.
constexpr float NO_SPLIT = 1e30f;

void SetNamed(GLuint program, const char* name, const gmtl::Vec4f& v) {
    glProgramNamedParameter4fNV(program, static_cast<GLsizei>(std::strlen(name)),
                                reinterpret_cast<const GLubyte*>(name), v[0], v[1], v[2], v[3]);
}

// The tile's pixels in a map of size texels a side: [-1, 1] onto [0, size].
int Texel(float mapCoordinate, int size) {
    return static_cast<int>((mapCoordinate + 1.0f) * 0.5f * static_cast<float>(size) + 0.5f);
}

}  // namespace

void CKVX_DemoView::SetComparedMode(int parametrisation) {
    CheckComparedItems(parametrisation);
    m_iComparedMode = parametrisation;
    UpdateHudText();
}

Parametrisation CKVX_DemoView::CurrentParametrisation() const {
    if (m_iComparedMode != NO_COMPARED_MODE)
        return static_cast<Parametrisation>(m_iComparedMode);
    return m_iShadowMode == SHADOW_SSM ? PARAM_SSM : PARAM_KVX;
}

ShadowSetup CKVX_DemoView::FrameSetup(Parametrisation p) {
    switch (p) {
        case PARAM_LISPSM:
            return SingleMapSetup(ComputeLispsmMatrix(m_eyeCamera, m_lightCamera), m_eyeCamera);
        case PARAM_CSM:
            return CascadeSetup(m_eyeCamera, m_lightCamera);
        case PARAM_CSM_STABLE:
            return StableCascadeSetup(m_eyeCamera, m_lightCamera, m_iShadowMapWidth);
        default: {
            const int mode = m_iShadowMode;
            m_iShadowMode = p == PARAM_SSM ? SHADOW_SSM : SHADOW_KVX;
            const gmtl::Matrix44f nt = FrameWarp();
            m_iShadowMode = mode;
            return SingleMapSetup(nt, m_eyeCamera);
        }
    }
}

GLuint CKVX_DemoView::CascadeProgramFor(GLuint sceneProgram) {
    const bool hq = sceneProgram == m_uSceneFragmentProgramHQ;
    GLuint& program = hq ? m_uCascadeFragmentProgramHQ : m_uCascadeFragmentProgram;
    if (program == 0) {
        program = m_glContext.LoadFragmentProgram(
            CascadeLookupProgram(hq ? g_strSceneFragmentProgramHQ : g_strSceneFragmentProgram));
    }
    return program;
}

void CKVX_DemoView::RenderSetup(const ShadowSetup& setup, GLuint fragmentProgram) {
    if (!setup.cascaded) {
        const GLuint shaded = m_uCurrentFragmentProgram;
        m_uCurrentFragmentProgram = fragmentProgram;
        RenderPasses(setup.parts.front().nt);
        m_uCurrentFragmentProgram = shaded;
        return;
    }
    for (const MapPart& part : setup.parts) {
        ClipDepthTarget(&part);
        DepthPass(part.nt, false);
    }
    ClipDepthTarget(nullptr);
    RenderScenePass(setup, fragmentProgram);
}

void CKVX_DemoView::RenderScenePass(const ShadowSetup& setup, GLuint fragmentProgram) {
    const GLuint shaded = m_uCurrentFragmentProgram;
    m_uCurrentFragmentProgram = fragmentProgram;
    glDisable(GL_POLYGON_OFFSET_FILL);
    if (setup.cascaded) {
        SetCascadeParameters(setup, fragmentProgram);
        ScenePass(gmtl::Matrix44f(), false);
    } else {
        ScenePass(setup.parts.front().nt, false);
    }
    m_uCurrentFragmentProgram = shaded;
}

// The scissor rectangle of the depth target's context: the part's tile, or
// none. The depth pass's clear and drawing stay inside it.
void CKVX_DemoView::ClipDepthTarget(const MapPart* part) {
    m_pDepthTarget->BeginCapture(nullptr);
    if (part == nullptr) {
        glDisable(GL_SCISSOR_TEST);
    } else {
        const int x0 = Texel(part->left, m_iShadowMapWidth);
        const int y0 = Texel(part->bottom, m_iShadowMapHeight);
        glEnable(GL_SCISSOR_TEST);
        glScissor(x0, y0, Texel(part->right, m_iShadowMapWidth) - x0,
                  Texel(part->top, m_iShadowMapHeight) - y0);
    }
    m_pDepthTarget->EndCapture();
}

void CKVX_DemoView::SetCascadeParameters(const ShadowSetup& setup, GLuint program) {
    SetNamed(program, CASCADE_EYE_DEPTH, setup.eyeDepthPlane);
    gmtl::Vec4f splits(NO_SPLIT, NO_SPLIT, NO_SPLIT, NO_SPLIT);
    for (size_t i = 0; i + 1 < setup.parts.size() && i < 4; ++i)
        splits[static_cast<unsigned>(i)] = setup.parts[i].zFar;
    SetNamed(program, CASCADE_SPLITS, splits);
    for (size_t i = 0; i < setup.parts.size() && i < 4; ++i)
        SetNamed(program, CASCADE_SCALE[i],
                 CascadeTexelScale(setup.parts[i].nt, m_iShadowMapWidth));
}
