#pragma once

#include "app/kept_picture.h"
#include "view/kvx_demo_view.h"

// The keys-and-mouse help on a dark box over the frame (F1). The box is
// opaque and its text changes only with the window's size, so it is drawn
// once a size and kept as pixels: a thousand glyphs a frame would slow the
// frame that shows it.
class HelpPanel : public FrameOverlay {
  public:
    void Draw(CKVX_DemoView& view) override;

  private:
    KeptPicture m_picture;
};
