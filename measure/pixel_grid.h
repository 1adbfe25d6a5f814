#pragma once

#include <cstddef>
#include <vector>

// One value per window pixel, rows from the bottom as OpenGL reads them.
template <typename T>
struct PixelGrid {
    int width = 0;
    int height = 0;
    std::vector<T> values;

    PixelGrid() = default;
    PixelGrid(int w, int h, const T& fill = T())
        : width(w), height(h), values(static_cast<size_t>(w) * h, fill) {}

    T& at(int x, int y) { return values[static_cast<size_t>(y) * width + x]; }
    const T& at(int x, int y) const { return values[static_cast<size_t>(y) * width + x]; }
};

// Where a pixel's shadow-map lookup lands, in texels, and whether the pixel
// shows the scene at all.
struct TexelLookup {
    float s = 0.0f;
    float t = 0.0f;
    bool visible = false;
};
