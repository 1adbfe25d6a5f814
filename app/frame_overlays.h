#pragma once

#include <vector>

#include "view/kvx_demo_view.h"

// Several overlays drawn over the frame in the order they were added, each
// only while it is on. The scene pass takes the first replacement one of them
// asks for.
class FrameOverlays : public FrameOverlay {
  public:
    // Adds an overlay, off, drawn over those added before it.
    void Add(FrameOverlay& overlay);
    void Show(const FrameOverlay& overlay, bool on);
    bool IsOn(const FrameOverlay& overlay) const;
    bool AnyOn() const;

    SceneReplacement ReplaceScene(CKVX_DemoView& view) override;
    void Draw(CKVX_DemoView& view) override;

  private:
    struct Entry {
        FrameOverlay* overlay;
        bool on;
    };
    std::vector<Entry> m_entries;
};
