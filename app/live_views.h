#pragma once

#include <memory>
#include <string>

#include "app/kept_picture.h"
#include "app/live_heat_colours.h"
#include "app/live_map_inset.h"
#include "app/live_view_keys.h"
#include "measure/view_capture.h"
#include "view/frame_timings.h"
#include "view/kvx_demo_view.h"

// The top-left corner of the window behind the lines of text: this many
// columns from the left and rows from the top.
struct BehindText {
    int columns, rows;
};

// The View menu's live views of the shadow map, drawn over each frame: the
// depth map in the bottom-right corner with the eye frustum and the map's
// parts outlined (as --dump-shadowmap draws them) under a legend naming the
// mode and the outlines, the scene coloured by texels per pixel (as
// --heatmap) with the colour key at the right edge, and a line with the median texels per
// pixel and the map coverage, refreshed a few times a second. Each costs
// extra rendering and reading back, so the window hands it to the view only
// while one of them is on.
class LiveViews : public FrameOverlay {
  public:
    enum View { MAP_INSET, HEAT_COLOURS, READOUT, VIEW_COUNT };

    void Show(View shown, bool on);
    bool IsOn(View shown) const { return m_bOn[shown]; }
    bool AnyOn() const { return m_bOn[MAP_INSET] || m_bOn[HEAT_COLOURS] || m_bOn[READOUT]; }

    // With the heat colours on, the scene pass writes the map lookups that
    // the GPU colours (for a map of one part; the cascades' are coloured
    // from a capture on the CPU).
    SceneReplacement ReplaceScene(CKVX_DemoView& view) override;
    void Draw(CKVX_DemoView& view) override;

  private:
    // A capture through the view's passes, made again when the view's size
    // changed; null when this OpenGL cannot capture.
    struct CaptureSlot {
        std::unique_ptr<ViewCapture> capture;
        int width = 0;
        int height = 0;
    };
    ViewCapture* Capture(CKVX_DemoView& view, CaptureSlot& slot);
    void DrawHeatFromCapture(CKVX_DemoView& view, const ShadowSetup& setup, const BehindText& text);
    void DrawInset(CKVX_DemoView& view, const ShadowSetup& setup, const InsetLayout& inset,
                   const std::vector<Point2D>& trapezoid);
    void UpdateReadout(CKVX_DemoView& view, const ShadowSetup& setup);
    void DrawHeatKey(GLContext& context, const HeatKeyLayout& key);
    void DrawLegend(GLContext& context, const InsetLayout& inset);
    bool StartReadout(CKVX_DemoView& view, const ShadowSetup& setup);

    bool m_bOn[VIEW_COUNT] = {};
    LiveHeatColours m_heat;
    LiveMapInset m_inset;
    KeptPicture m_heatKey;
    KeptPicture m_legend;
    bool m_bHeatOnGpu = false;  // in the frame being drawn
    CaptureSlot m_heatCapture;
    CaptureSlot m_readoutCapture;  // of a reduced picture
    std::string m_readout;
    // Of the view whose lookups are being read back for the readout.
    const char* m_readoutLabel = "";
    double m_readoutCoverage = 0.0;
    Stopwatch m_sinceReadout;
};
