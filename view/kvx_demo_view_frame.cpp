// The frame loop: size changes, paints and timer ticks.

#include <algorithm>

#include "platform/tick_count.h"
#include "scene/scene.h"
#include "view/kvx_demo_view.h"

void CKVX_DemoView::OnSize(int cx, int cy) {
    // A main window smaller than its menu bar gives the view less than no height.
    cx = std::max(cx, 0);
    cy = std::max(cy, 0);
    m_glContext.m_iWidth = cx;
    m_glContext.m_iHeight = cy;
    glViewport(0, 0, cx, cy);
    // A minimised window has no area: keep the last aspect ratio then.
    if (cx > 0 && cy > 0) {
        m_eyeCamera.SetPerspective(60.0f, static_cast<float>(cx) / static_cast<float>(cy), 1.0f,
                                   380.0f);
    }
}

void CKVX_DemoView::OnPaint() {
    if (!m_bCreated)
        return;
    m_stageClock = Stopwatch();
    m_glContext.MakeCurrent();
    const uint32_t t0 = GetTickCount();
    if (m_pOverlay != nullptr)
        m_sceneReplacement = m_pOverlay->ReplaceScene(*this);
    if (m_iComparedMode == NO_COMPARED_MODE) {
        RenderFrame();
    } else {
        const ShadowSetup setup = FrameSetup(CurrentParametrisation());
        const GLuint program = setup.cascaded ? CascadeProgramFor(m_uCurrentFragmentProgram)
                                              : m_uCurrentFragmentProgram;
        RenderSetup(setup, program);
    }
    m_sceneReplacement = SceneReplacement();
    if (m_pOverlay != nullptr)
        m_pOverlay->Draw(*this);
    if (!m_bFiguresPaused)
        AdvanceFigures();
    const uint32_t elapsed = GetTickCount() - t0;

    glColor3f(1.0f, 1.0f, 1.0f);
    m_glContext.Print(10, 5, "%s", m_szHud);
    unsigned fps = 0;
    if (m_frameRate.Measure(elapsed, fps))
        m_glContext.Print(10, 25, "Fps: %d", fps);
    EndStage(&FrameTimings::hudMs);
    m_host.SwapBuffers();
}

void CKVX_DemoView::EndStage(double FrameTimings::*stage) {
    if (m_bFinishStages)
        glFinish();
    m_lastTimings.*stage = m_stageClock.ElapsedMs();
    m_stageClock = Stopwatch();
}

void CKVX_DemoView::OnTimer(unsigned) {
    OnPaint();
    if (m_bSoundOn)
        CheckSoundZones(m_sound, m_eyeCamera.m_position);
}
