#pragma once

#include <cstdint>
#include <vector>

#include "warp/plane_geometry.h"

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
};

// An RGB picture, rows from the bottom as OpenGL and the PNG writer take them.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;  // three bytes a pixel

    RgbImage(int w, int h) : width(w), height(h), rgb(static_cast<size_t>(w) * h * 3, 0) {}
    void Set(int x, int y, Rgb c);
    Rgb Get(int x, int y) const;
};

// Draws the closed outline through the points, given in map coordinates
// (-1 to 1 across the picture), as a line `thickness` pixels wide. Parts
// outside the picture are left out.
void DrawMapOutline(RgbImage& image, const std::vector<Point2D>& points, Rgb colour, int thickness);
