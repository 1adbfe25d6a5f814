// The view's start-up: contexts, extensions, cameras, timer, depth target,
// GPU programs, scene, initial modes, mode line.

#include <exception>

#include "platform/message_box.h"
#include "platform/nv_program_layer.h"
#include "scene/scene.h"
#include "view/gpu_programs.h"
#include "view/kvx_demo_view.h"
#include "view/unshadowed_program.h"

namespace {

constexpr int SHADOW_MAP_SIZE = 1500;
constexpr const char* DEPTH_TARGET_MODE = "rgba depth=24 textureRECT=depth";

}  // namespace

CKVX_DemoView::CKVX_DemoView(ViewHost& host) : m_host(host) {}

CKVX_DemoView::~CKVX_DemoView() {
    if (m_bSoundAvailable)
        ShutdownSound(m_sound);
}

int CKVX_DemoView::OnCreate() {
    // 1. The window's rendering context and HUD font.
    if (!m_glContext.Create(m_host.GlWindow())) {
        ShowMessageBox("Error setting up OpenGL.");
        return -1;
    }
    // 2. Extensions.
    if (glewInit() != GLEW_OK) {
        ShowMessageBox("error: couldn't initialize OpenGL extensions.");
        return -1;
    }
    InstallNvProgramLayer();
    if (!CheckExtensions())
        return -1;

    // 3. Cameras at their start-up placements.
    const float aspect =
        static_cast<float>(m_glContext.m_iWidth) / static_cast<float>(m_glContext.m_iHeight);
    m_eyeCamera.SetPerspective(60.0f, aspect, 1.0f, 350.0f);
    m_eyeCamera.SetView(m_fEyeElevation, m_fEyeAzimuth, -m_fEyeDistance);
    m_iShadowMapWidth = SHADOW_MAP_SIZE;
    m_iShadowMapHeight = SHADOW_MAP_SIZE;
    m_lightCamera.SetPerspective(60.0f, 1.0f, 500.0f, 2000.0f);
    m_lightCamera.SetView(m_fLightElevation, m_fLightAzimuth, -m_fLightDistance);
    m_startUpPlacement = Placement();

    // 4. The frame timer.
    m_host.SetTimer(FRAME_TIMER_ID, FRAME_TIMER_MS);

    // 5. The depth target, its depth texture and the depth-pass programs.
    if (!CreateDepthTarget()) {
        ShowMessageBox("Couldn't create pbuffer");
        return -1;
    }
    m_pDepthTarget->BeginCapture(nullptr);
    SetUpDepthTargetState();
    m_pDepthTarget->EndCapture();

    // 6. The scene programs and the scene, in the window's context.
    LoadScenePrograms();
    // A container that cannot be decrypted ends the start-up; the loader has
    // removed its scratch files and released the data folder by then.
    try {
        LoadSceneAssets();
        m_depthCasters = SceneDepthCasters();
        m_terrainChunkBoxes = TerrainChunkBoxes();
    } catch (const std::exception& e) {
        ShowMessageBox(e.what());
        return -1;
    }
    glShadeModel(GL_SMOOTH);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glEnable(NV_VERTEX_PROGRAM_TARGET);
    glEnable(NV_FRAGMENT_PROGRAM_TARGET);

    // 7. Initial modes, sound and the mode line.
    m_iShadowMode = SHADOW_KVX;
    m_iNavigationMode = NAV_EYE;
    m_uCurrentFragmentProgram = m_uSceneFragmentProgramHQ;
    m_bSoundAvailable = InitSound(m_sound);
    if (m_bSoundAvailable) {
        m_bSoundOn = true;
    } else {
        ShowMessageBox("Sound is not supported.");
    }
    UpdateHudText();
    m_bCreated = true;
    return 0;
}

bool CKVX_DemoView::CreateDepthTarget() {
    m_pDepthTarget = std::make_unique<PbufferTarget>(DEPTH_TARGET_MODE);
    return m_pDepthTarget->Create(m_iShadowMapWidth, m_iShadowMapHeight, false, true);
}

// State of the target's context: the rectangle depth texture with depth
// comparison, depth test, polygon offset values, no colour buffer and the
// depth-pass programs.
void CKVX_DemoView::SetUpDepthTargetState() {
    glGenTextures(1, &m_uDepthTexture);
    glBindTexture(GL_TEXTURE_RECTANGLE_NV, m_uDepthTexture);
    glTexParameteri(GL_TEXTURE_RECTANGLE_NV, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_RECTANGLE_NV, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_RECTANGLE_NV, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_RECTANGLE_NV, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_RECTANGLE_NV, GL_TEXTURE_COMPARE_MODE_ARB,
                    GL_COMPARE_R_TO_TEXTURE_ARB);
    glTexParameteri(GL_TEXTURE_RECTANGLE_NV, GL_DEPTH_TEXTURE_MODE_ARB, GL_LUMINANCE);
    glTexParameteri(GL_TEXTURE_RECTANGLE_NV, GL_TEXTURE_COMPARE_FUNC_ARB, GL_LEQUAL);
    glCopyTexImage2D(GL_TEXTURE_RECTANGLE_NV, 0, GL_DEPTH_COMPONENT24_ARB, 0, 0, m_iShadowMapWidth,
                     m_iShadowMapHeight, 0);

    glEnable(GL_DEPTH_TEST);
    glPolygonOffset(4.0f, 1.1f);
    // Nothing looks at the depth pass's colour: the pass writes and clears depth
    // only, and the target may render it straight into the depth texture.
    glDrawBuffer(GL_NONE);
    glReadBuffer(GL_NONE);

    m_uDepthVertexProgram = m_glContext.LoadVertexProgram(g_strDepthVertexProgram);
    m_uDepthFragmentProgram = m_glContext.LoadFragmentProgram(g_strDepthFragmentProgram);
    glEnable(NV_VERTEX_PROGRAM_TARGET);
    glEnable(NV_FRAGMENT_PROGRAM_TARGET);
}

void CKVX_DemoView::LoadScenePrograms() {
    m_uSceneVertexProgram = m_glContext.LoadVertexProgram(g_strSceneVertexProgram);
    m_uSceneFragmentProgram = m_glContext.LoadFragmentProgram(g_strSceneFragmentProgram);
    m_uSceneFragmentProgramHQ = m_glContext.LoadFragmentProgram(g_strSceneFragmentProgramHQ);
    m_uUnshadowedFragmentProgram =
        m_glContext.LoadFragmentProgram(WithoutShadowLookup(g_strSceneFragmentProgram));
    m_bDrawEverything = DrawEverythingAsked();
}
