#pragma once

#include <memory>
#include <string>

#include "app/live_heat_colours.h"
#include "measure/view_capture.h"
#include "view/frame_timings.h"
#include "view/kvx_demo_view.h"

// The View menu's live views of the shadow map, drawn over each frame: the
// depth map in the bottom-right corner with the eye frustum and the map's
// parts outlined (as --dump-shadowmap draws them), the scene coloured by
// texels per pixel (as --heatmap), and a line with the median texels per
// pixel and the map coverage, refreshed a few times a second. Each costs
// extra rendering and reading back, so the window hands it to the view only
// while one of them is on.
class LiveViews : public FrameOverlay {
  public:
    enum View { MAP_INSET, HEAT_COLOURS, READOUT, VIEW_COUNT };

    void Show(View shown, bool on) { m_bOn[shown] = on; }
    bool IsOn(View shown) const { return m_bOn[shown]; }
    bool AnyOn() const { return m_bOn[MAP_INSET] || m_bOn[HEAT_COLOURS] || m_bOn[READOUT]; }

    // With the heat colours on, the scene pass writes the map lookups that
    // the GPU colours (for a map of one part; the cascades' are coloured
    // from a capture on the CPU).
    SceneReplacement ReplaceScene(CKVX_DemoView& view) override;
    void Draw(CKVX_DemoView& view) override;

  private:
    // The capture through the view's passes, made again when the window's
    // size changed; null when this OpenGL cannot capture.
    ViewCapture* Capture(CKVX_DemoView& view);
    void DrawInset(CKVX_DemoView& view, const ShadowSetup& setup);
    void UpdateReadout(CKVX_DemoView& view, const ShadowSetup& setup,
                       const PixelGrid<float>& density);

    bool m_bOn[VIEW_COUNT] = {};
    LiveHeatColours m_heat;
    bool m_bHeatOnGpu = false;  // in the frame being drawn
    std::unique_ptr<ViewCapture> m_capture;
    int m_iCaptureWidth = 0;
    int m_iCaptureHeight = 0;
    std::string m_readout;
    Stopwatch m_sinceReadout;
};
