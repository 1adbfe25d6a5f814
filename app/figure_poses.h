#pragma once

#include <cstdint>

#include "scene/scene_objects.h"

// The animated figures' poses at one moment. Every draw of the scene moves
// the figures on; restoring their poses before an extra capture keeps them
// still while a measurement runs, and keeps their pace while the live views
// render frames of their own.
class FigurePoses {
  public:
    FigurePoses() {
        for (int i = 0; i < MD2_MODEL_COUNT; ++i)
            m_frames[i] = g_md2Models[i].m_iCurrentFrame;
    }
    void Restore() const {
        for (int i = 0; i < MD2_MODEL_COUNT; ++i)
            g_md2Models[i].m_iCurrentFrame = m_frames[i];
    }

  private:
    int32_t m_frames[MD2_MODEL_COUNT];
};
