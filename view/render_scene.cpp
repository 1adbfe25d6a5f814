// The geometry of the eye's pass. Unless switched off for comparison, the
// objects are drawn nearest first with the static models' back faces culled,
// then the terrain, whose chunks out of every caster's reach in the depth map
// are drawn without the shadow lookup: there it would compare against the
// cleared depth and give "lit", so the picture is the same.

#include <cstdlib>
#include <cstring>

#include "platform/nv_program_layer.h"
#include "scene/draw_order.h"
#include "view/kvx_demo_view.h"
#include "warp/shadow_reach.h"

bool CKVX_DemoView::DrawEverythingAsked() {
    const char* value = std::getenv(DRAW_EVERYTHING_VARIABLE);
    return value != nullptr && value[0] != '\0' && std::strcmp(value, "0") != 0;
}

void CKVX_DemoView::DrawScene(bool spareLookups) {
    if (m_bDrawEverything) {
        DrawSceneTextured();
        return;
    }
    DrawObjectsInOrder(NearestFirst(m_depthCasters, m_eyeCamera.m_position));
    const std::vector<bool> reached = TerrainInShadowReach(spareLookups);
    DrawTerrainChunks(reached, true);
    glBindProgramNV(GL_FRAGMENT_PROGRAM_NV, m_uUnshadowedFragmentProgram);
    DrawTerrainChunks(reached, false);
    glBindProgramNV(GL_FRAGMENT_PROGRAM_NV, m_uCurrentFragmentProgram);
}

// Every chunk keeps its lookup unless the frame may spare it: a single map
// over the whole scene, looked up by one of the two shadow programs (not a
// measuring run's own program, nor a replacement of the scene's colours).
std::vector<bool> CKVX_DemoView::TerrainInShadowReach(bool spareLookups) const {
    const bool shadowProgram = m_uCurrentFragmentProgram == m_uSceneFragmentProgram ||
                               m_uCurrentFragmentProgram == m_uSceneFragmentProgramHQ;
    if (!spareLookups || !shadowProgram || m_sceneReplacement.program != 0)
        return std::vector<bool>(m_terrainChunkBoxes.size(), true);
    return BoxesInShadowReach(m_mapClip, m_lightCamera.m_matProjection * m_lightCamera.m_matView,
                              m_terrainChunkBoxes, m_casterRects, m_iShadowMapWidth,
                              m_iShadowMapHeight);
}
