// One frame in two passes: the light's depth pass into the depth target, with
// x and y warped by N_T, then the eye's scene pass, which looks each
// fragment's light-space position up in that depth map.

#include "gfx/wgl_constants.h"
#include "platform/nv_program_layer.h"
#include "scene/scene.h"
#include "view/kvx_demo_view.h"
#include "warp/caster_rect.h"
#include "warp/trapezoid_fit.h"

namespace {

constexpr float FOCUS_PERCENT = 80.0f;
constexpr int SEARCH_RESOLUTION = 1024;

// Loads P * C into the selected matrix.
void LoadProduct(const gmtl::Matrix44f& projection, const gmtl::Matrix44f& view) {
    glLoadMatrixf(projection.getData());
    glMultMatrixf(view.getData());
}

// For each caster in draw order, the texels of a width x height depth map that
// it can reach under lightClip (N_T P_L C_L).
std::vector<TexelRect> CastersArea(const std::vector<CasterBounds>& casters,
                                   const gmtl::Matrix44f& lightClip, int width, int height) {
    std::vector<TexelRect> area;
    for (const CasterBounds& caster : casters)
        area.push_back(MapRectOfBox(lightClip * caster.world, caster.box, width, height));
    return area;
}

// The scene pass drawn with a replacement's program over its clear colour
// while this lives; the state as before afterwards.
class ReplacedScene {
  public:
    explicit ReplacedScene(const SceneReplacement& replacement)
        : m_program(replacement.program), m_framebuffer(replacement.framebuffer) {
        if (m_program == 0)
            return;
        glGetFloatv(GL_COLOR_CLEAR_VALUE, m_clear);
        const GLfloat* c = replacement.clear;
        glClearColor(c[0], c[1], c[2], c[3]);
        glUseProgram(m_program);
        if (m_framebuffer != 0) {
            glBindFramebuffer(GL_FRAMEBUFFER, m_framebuffer);
            glDrawBuffer(GL_COLOR_ATTACHMENT0);
        }
    }
    ~ReplacedScene() {
        if (m_program == 0)
            return;
        if (m_framebuffer != 0) {
            glBindFramebuffer(GL_FRAMEBUFFER, 0);
            glDrawBuffer(GL_BACK);
        }
        glUseProgram(0);
        glClearColor(m_clear[0], m_clear[1], m_clear[2], m_clear[3]);
    }
    ReplacedScene(const ReplacedScene&) = delete;
    ReplacedScene& operator=(const ReplacedScene&) = delete;

  private:
    GLuint m_program;
    GLuint m_framebuffer;
    GLfloat m_clear[4] = {};
};

}  // namespace

void CKVX_DemoView::RenderFrame() {
    const gmtl::Matrix44f nt = FrameWarp();
    EndStage(&FrameTimings::fitMs);
    RenderPasses(nt);
}

gmtl::Matrix44f CKVX_DemoView::FrameWarp() const {
    gmtl::Matrix44f nt;
    if (m_iShadowMode == SHADOW_KVX) {
        ComputeTrapezoidMatrix(nt, m_eyeCamera, m_lightCamera, -m_fEyeDistance, FOCUS_PERCENT,
                               SEARCH_RESOLUTION);
    }
    return nt;
}

void CKVX_DemoView::RenderPasses(const gmtl::Matrix44f& nt) {
    DepthPass(nt, true);
    glDisable(GL_POLYGON_OFFSET_FILL);
    ScenePass(nt, true);
}

// The scene without the terrain, seen from the light, into the depth target.
// Tracked: c[0] the world matrix, c[4] P_L * C_L, c[8] N_T. A pass over the
// whole map tells the target where the casters can be, so that it hands over
// only that part.
void CKVX_DemoView::DepthPass(const gmtl::Matrix44f& nt, bool wholeMap) {
    m_pDepthTarget->BeginCapture(nullptr);
    glBindProgramNV(GL_VERTEX_PROGRAM_NV, m_uDepthVertexProgram);
    glBindProgramNV(GL_FRAGMENT_PROGRAM_NV, m_uDepthFragmentProgram);
    if (wholeMap)
        ClearDepthMap();
    else
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_POLYGON_OFFSET_FILL);
    glDisable(GL_TEXTURE_RECTANGLE_NV);
    glViewport(0, 0, m_iShadowMapWidth, m_iShadowMapHeight);

    glMatrixMode(NV_MATRIX0);
    glLoadMatrixf(nt.getData());
    glTrackMatrixNV(GL_VERTEX_PROGRAM_NV, 8, GL_MATRIX0_NV, GL_IDENTITY_NV);
    glMatrixMode(GL_PROJECTION);
    LoadProduct(m_lightCamera.m_matProjection, m_lightCamera.m_matView);
    glTrackMatrixNV(GL_VERTEX_PROGRAM_NV, 4, GL_PROJECTION, GL_IDENTITY_NV);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTrackMatrixNV(GL_VERTEX_PROGRAM_NV, 0, GL_MODELVIEW, GL_IDENTITY_NV);

    DrawSceneDepth();
    if (wholeMap) {
        const gmtl::Matrix44f lightClip =
            nt * m_lightCamera.m_matProjection * m_lightCamera.m_matView;
        m_casterRects =
            CastersArea(m_depthCasters, lightClip, m_iShadowMapWidth, m_iShadowMapHeight);
        m_mapClip = lightClip;
        m_pDepthTarget->SetDrawnArea(m_casterRects);
    }
    EndStage(&FrameTimings::depthPassMs);
    m_pDepthTarget->EndCapture();
}

// Clears the depth target: only where the last pass over the whole map left
// depth, where the target can, the rest holding the clear value still.
void CKVX_DemoView::ClearDepthMap() {
    if (!m_pDepthTarget->ClearLastDrawn())
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

// The whole scene seen from the eye, with the depth map on texture unit 1.
// Tracked: c[0] the world matrix, c[4] P_E * C_E, c[8] P_L * C_L, c[12] the
// world matrix's inverse transpose, c[16] N_T, c[20] S (clip to texels);
// c[24] the light position.
void CKVX_DemoView::ScenePass(const gmtl::Matrix44f& nt, bool spareLookups) {
    glBindProgramNV(GL_VERTEX_PROGRAM_NV, m_uSceneVertexProgram);
    glBindProgramNV(GL_FRAGMENT_PROGRAM_NV, m_uCurrentFragmentProgram);

    glActiveTextureARB(GL_TEXTURE1_ARB);
    glEnable(GL_TEXTURE_RECTANGLE_NV);
    glBindTexture(GL_TEXTURE_RECTANGLE_NV, m_uDepthTexture);
    m_pDepthTarget->BindTexture(WGL_DEPTH_COMPONENT_NV);
    EndStage(&FrameTimings::handOverMs);

    glMatrixMode(NV_MATRIX0);
    LoadProduct(m_lightCamera.m_matProjection, m_lightCamera.m_matView);
    glTrackMatrixNV(GL_VERTEX_PROGRAM_NV, 8, GL_MATRIX0_NV, GL_IDENTITY_NV);
    glMatrixMode(NV_MATRIX1);
    glLoadMatrixf(nt.getData());
    glTrackMatrixNV(GL_VERTEX_PROGRAM_NV, 16, GL_MATRIX1_NV, GL_IDENTITY_NV);
    glMatrixMode(NV_MATRIX2);
    glLoadIdentity();
    const float w = static_cast<float>(m_iShadowMapWidth);
    const float h = static_cast<float>(m_iShadowMapHeight);
    glTranslatef(w * 0.5f, h * 0.5f, 0.5f);
    glScalef(w * 0.5f, h * 0.5f, 0.5f);
    glTrackMatrixNV(GL_VERTEX_PROGRAM_NV, 20, GL_MATRIX2_NV, GL_IDENTITY_NV);

    const ReplacedScene replaced(m_sceneReplacement);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glViewport(0, 0, m_glContext.m_iWidth, m_glContext.m_iHeight);
    glMatrixMode(GL_PROJECTION);
    LoadProduct(m_eyeCamera.m_matProjection, m_eyeCamera.m_matView);
    glTrackMatrixNV(GL_VERTEX_PROGRAM_NV, 4, GL_PROJECTION, GL_IDENTITY_NV);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTrackMatrixNV(GL_VERTEX_PROGRAM_NV, 0, GL_MODELVIEW, GL_IDENTITY_NV);
    glTrackMatrixNV(GL_VERTEX_PROGRAM_NV, 12, GL_MODELVIEW, GL_INVERSE_TRANSPOSE_NV);
    const gmtl::Vec3f& light = m_lightCamera.m_position;
    glProgramParameter4fNV(GL_VERTEX_PROGRAM_NV, 24, light[0], light[1], light[2], 1.0f);

    glActiveTextureARB(GL_TEXTURE0_ARB);
    DrawScene(spareLookups);
    m_pDepthTarget->ReleaseTexture(WGL_DEPTH_COMPONENT_NV);
    EndStage(&FrameTimings::scenePassMs);
}
