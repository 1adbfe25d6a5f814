#pragma once

#include <string>
#include <vector>

#include "measure/map_picture.h"
#include "measure/rgb_image.h"

// Where the live views' keys go in a view w x h: the colour key of the heat colours at the
// right edge, and the map inset in the bottom-right corner with its legend above it. Window
// pixels throughout; no drawing here.

// A rectangle of window pixels, x from the left and y from the bottom as OpenGL counts them.
struct WindowRect {
    int x = 0, y = 0, width = 0, height = 0;
};

// A line of text whose top-left corner is x pixels from the left and top pixels from the top of
// the view, as the HUD's lines are placed.
struct KeyText {
    int x = 0, top = 0;
    std::string text;
};

// A swatch of an outline's colour beside a line of the legend.
struct KeySwatch {
    WindowRect place;
    Rgb colour;
};

// The inset's depth-map picture, every step-th texel of a map mapSize texels a side, and its
// legend: the mode's name, then a line for each outline colour, on a pale panel over the
// picture. The legend is left out (panel width 0) where the view has no room above the picture.
struct InsetLayout {
    WindowRect picture;
    int step = 1;
    WindowRect panel;
    std::vector<KeyText> texts;
    std::vector<KeySwatch> swatches;
};
InsetLayout PlaceInset(int w, int h, int mapSize, const std::string& mode,
                       const std::vector<OutlineKey>& outlines);

// The heat colours' key: on a pale panel at the right edge, a caption, the colour ramp as a
// bar (1/8 texels per pixel at its foot, 8 at its head) and the texels per pixel at the ramp's
// octaves, as many as have room beside it. It stays above window row reservedBottom (the inset
// and its legend, when shown). Left out (panel width 0) where the view has no room for it.
struct HeatKeyLayout {
    WindowRect panel;
    WindowRect bar;
    std::vector<KeyText> texts;
};
HeatKeyLayout PlaceHeatKey(int w, int h, int reservedBottom);

// The key's bar, width x height: each row in the ramp's colour for its texels per pixel.
RgbImage HeatKeyBar(int width, int height);

// The lowest window row a key may use above the inset and its legend.
int AboveInset(const InsetLayout& inset);
