#include "app/frame_overlays.h"

#include <algorithm>

void FrameOverlays::Add(FrameOverlay& overlay) {
    m_entries.push_back({&overlay, false});
}

void FrameOverlays::Show(const FrameOverlay& overlay, bool on) {
    for (Entry& entry : m_entries) {
        if (entry.overlay == &overlay)
            entry.on = on;
    }
}

bool FrameOverlays::IsOn(const FrameOverlay& overlay) const {
    return std::any_of(m_entries.begin(), m_entries.end(), [&overlay](const Entry& entry) {
        return entry.overlay == &overlay && entry.on;
    });
}

bool FrameOverlays::AnyOn() const {
    return std::any_of(m_entries.begin(), m_entries.end(),
                       [](const Entry& entry) { return entry.on; });
}

// Every overlay that is on is asked, so each knows what this frame draws.
SceneReplacement FrameOverlays::ReplaceScene(CKVX_DemoView& view) {
    SceneReplacement chosen;
    for (const Entry& entry : m_entries) {
        if (!entry.on)
            continue;
        const SceneReplacement asked = entry.overlay->ReplaceScene(view);
        if (chosen.program == 0)
            chosen = asked;
    }
    return chosen;
}

void FrameOverlays::Draw(CKVX_DemoView& view) {
    for (const Entry& entry : m_entries) {
        if (entry.on)
            entry.overlay->Draw(view);
    }
}
