// Menu commands, the mode line and the extension check.

#include <cstdio>
#include <string>

#include "platform/message_box.h"
#include "view/command_ids.h"
#include "view/kvx_demo_view.h"

void CKVX_DemoView::OnShadowKVX() {
    CheckShadowItem(ID_SHADOW_KVX);
    m_iShadowMode = SHADOW_KVX;
    m_uCurrentFragmentProgram = m_uSceneFragmentProgram;
    m_iComparedMode = NO_COMPARED_MODE;
    UpdateHudText();
}

void CKVX_DemoView::OnShadowKVXHighQuality() {
    CheckShadowItem(ID_SHADOW_KVX_HIGH_QUALITY);
    m_iShadowMode = SHADOW_KVX;
    m_uCurrentFragmentProgram = m_uSceneFragmentProgramHQ;
    m_iComparedMode = NO_COMPARED_MODE;
    UpdateHudText();
}

void CKVX_DemoView::OnShadowSSM() {
    CheckShadowItem(ID_SHADOW_SSM);
    m_iShadowMode = SHADOW_SSM;
    m_uCurrentFragmentProgram = m_uSceneFragmentProgram;
    m_iComparedMode = NO_COMPARED_MODE;
    UpdateHudText();
}

void CKVX_DemoView::OnNavigationEye() {
    m_host.CheckMenuItem(ID_NAVIGATION_EYE, true);
    m_host.CheckMenuItem(ID_NAVIGATION_LIGHT, false);
    m_iNavigationMode = NAV_EYE;
    UpdateHudText();
}

void CKVX_DemoView::OnNavigationLight() {
    m_host.CheckMenuItem(ID_NAVIGATION_EYE, false);
    m_host.CheckMenuItem(ID_NAVIGATION_LIGHT, true);
    m_iNavigationMode = NAV_LIGHT;
    UpdateHudText();
}

// The sound commands do nothing at all when there is no sound.
void CKVX_DemoView::OnSoundOn() {
    if (!m_bSoundAvailable)
        return;
    m_host.CheckMenuItem(ID_SOUND_ON, true);
    m_host.CheckMenuItem(ID_SOUND_OFF, false);
    m_bSoundOn = true;
    SetSoundPaused(false);
}

void CKVX_DemoView::OnSoundOff() {
    if (!m_bSoundAvailable)
        return;
    m_host.CheckMenuItem(ID_SOUND_ON, false);
    m_host.CheckMenuItem(ID_SOUND_OFF, true);
    m_bSoundOn = false;
    SetSoundPaused(true);
}

void CKVX_DemoView::SetFiguresPaused(bool paused) {
    m_host.CheckMenuItem(ID_VIEW_PAUSE_FIGURES, paused);
    m_bFiguresPaused = paused;
}

// The check mark moves to the chosen shadow mode, item by item in menu id
// order; the View menu's LiSPSM or CSM item, when checked, loses its mark.
void CKVX_DemoView::CheckShadowItem(unsigned chosen) {
    for (unsigned id : {ID_SHADOW_KVX, ID_SHADOW_KVX_HIGH_QUALITY, ID_SHADOW_SSM}) {
        m_host.CheckMenuItem(id, id == chosen);
    }
    if (m_iComparedMode != NO_COMPARED_MODE)
        CheckComparedItems(NO_COMPARED_MODE);
}

void CKVX_DemoView::CheckComparedItems(int parametrisation) {
    m_host.CheckMenuItem(ID_VIEW_LISPSM, parametrisation == PARAM_LISPSM);
    m_host.CheckMenuItem(ID_VIEW_CSM, parametrisation == PARAM_CSM);
    m_host.CheckMenuItem(ID_VIEW_CSM_STABLE, parametrisation == PARAM_CSM_STABLE);
}

const char* CKVX_DemoView::ModeLabel() const {
    if (m_iComparedMode != NO_COMPARED_MODE)
        return ParametrisationLabel(CurrentParametrisation());
    if (m_iShadowMode != 0)
        return "SSM";
    if (m_uCurrentFragmentProgram == m_uSceneFragmentProgramHQ)
        return "KVX High Quality";
    if (m_uCurrentFragmentProgram == m_uSceneFragmentProgram)
        return "KVX";
    return "";
}

void CKVX_DemoView::UpdateHudText() {
    const char* mode = ModeLabel();
    const char* navigation = "";
    if (m_iNavigationMode == NAV_EYE) {
        navigation = "Eye";
    } else if (m_iNavigationMode == NAV_LIGHT) {
        navigation = "Light";
    }
    std::snprintf(m_szHud, sizeof m_szHud, "Mode: %s, Navigation: %s", mode, navigation);
}

bool CKVX_DemoView::CheckExtensions() {
    const struct {
        bool present;
        const char* line;
    } required[] = {
        {GLEW_ARB_multitexture != 0, "- ARB_multitexture\n"},
        {GLEW_ARB_shadow != 0, "- ARB_shadow\n"},
        {GLEW_NV_texture_rectangle != 0, "- NV_texture_rectangle\n"},
        {GLEW_NV_vertex_program != 0, "- NV_vertex_program\n"},
        {GLEW_NV_fragment_program != 0, "- NV_fragment_program\n"},
    };
    std::string missing;
    for (const auto& extension : required) {
        if (!extension.present)
            missing += extension.line;
    }
    if (missing.empty())
        return true;
    ShowMessageBox("This demo cannot be executed! The following extension(s) are required:\n\n" +
                   missing);
    m_host.PostQuit(-1);
    return false;
}
