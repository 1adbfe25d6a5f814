// The figures' poses as data: read and set through the models' cycle frames.

#include "scene/scene.h"
#include "scene/scene_objects.h"

static_assert(MD2_MODEL_COUNT == 2 * FIGURE_COUNT, "each figure is drawn from two models");

namespace {

// The frame numbers a model can show: its cycle's, or the one frame 0 of a
// model without a cycle.
bool FitsCycle(const Md2Model& model, int frame) {
    return frame >= 0 && (frame < model.CycleLength() || frame == 0);
}

}  // namespace

FigurePoseSet FigurePoses() {
    FigurePoseSet poses;
    for (int f = 0; f < FIGURE_COUNT; ++f) {
        poses[f].frameA = g_md2Models[2 * f].m_iCurrentFrame;
        poses[f].frameB = g_md2Models[2 * f + 1].m_iCurrentFrame;
    }
    return poses;
}

bool SetFigurePoses(const FigurePoseSet& poses) {
    for (int f = 0; f < FIGURE_COUNT; ++f) {
        if (!FitsCycle(g_md2Models[2 * f], poses[f].frameA) ||
            !FitsCycle(g_md2Models[2 * f + 1], poses[f].frameB))
            return false;
    }
    for (int f = 0; f < FIGURE_COUNT; ++f) {
        g_md2Models[2 * f].m_iCurrentFrame = poses[f].frameA;
        g_md2Models[2 * f + 1].m_iCurrentFrame = poses[f].frameB;
    }
    return true;
}
