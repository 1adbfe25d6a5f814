#pragma once

#include "view/kvx_demo_view.h"

// The line "--eye E,A,D --light E,A,D" with where the cameras are this frame,
// on a dark box at the bottom left of the view (View > Eye and Light
// Position).
class PlacementReadout : public FrameOverlay {
  public:
    void Draw(CKVX_DemoView& view) override;
};
