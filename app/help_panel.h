#pragma once

#include "view/kvx_demo_view.h"

// The keys-and-mouse help on a dark box over the frame (F1).
class HelpPanel : public FrameOverlay {
  public:
    void Draw(CKVX_DemoView& view) override;
};
