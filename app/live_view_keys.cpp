#include "app/live_view_keys.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "measure/colour_ramp.h"

namespace {

constexpr int MARGIN = 10;  // from the view's edges
constexpr int INSET_MAX = 300;
constexpr int PAD = 4;         // inside a panel
constexpr int LINE = 16;       // from a line of text's top to the next's
constexpr int CHAR_WIDTH = 8;  // the widest characters of the HUD's font
// From a line's top to the middle of its digits.
constexpr int TEXT_MIDDLE = 8;
constexpr int SWATCH = 10;
constexpr int SWATCH_GAP = 6;

constexpr const char* CAPTION[] = {"texels", "per pixel"};
constexpr int CAPTION_LINES = 2;
constexpr int BAR_WIDTH = 14;
constexpr int BAR_MIN = 40;
constexpr int BAR_MAX = 240;
constexpr int LABEL_GAP = 4;       // between a value and the bar
constexpr int LABEL_SPACING = 13;  // rows between two values' middles at least
// The ramp's octaves from 1/8 to 8 texels per pixel, as powers of two, and their values, most
// wanted first: the ends, one texel per pixel, then inwards.
struct Octave {
    int power;
    const char* text;
};
constexpr Octave OCTAVES[] = {{-3, "1/8"}, {3, "8"},    {0, "1"}, {-1, "1/2"},
                              {1, "2"},    {-2, "1/4"}, {2, "4"}};
constexpr int RAMP_OCTAVES = 6;

int TextWidth(std::size_t characters) {
    return CHAR_WIDTH * static_cast<int>(characters);
}

// The legend on a panel just above the picture, as wide as its longest line needs and at least
// as the picture: the mode, then a swatch and a name for each outline.
void PlaceLegend(InsetLayout& inset, int w, int h, const std::string& mode,
                 const std::vector<OutlineKey>& outlines) {
    int width = std::max(inset.picture.width, 2 * PAD + TextWidth(mode.size()));
    for (const OutlineKey& o : outlines)
        width = std::max(width, 2 * PAD + SWATCH + SWATCH_GAP + TextWidth(o.what.size()));
    const int height = 2 * PAD + LINE * static_cast<int>(1 + outlines.size());
    const WindowRect panel{w - MARGIN - width, inset.picture.y + inset.picture.height, width,
                           height};
    if (panel.x < 0 || panel.y + panel.height > h)
        return;
    inset.panel = panel;
    const int top = h - (panel.y + panel.height) + PAD;
    inset.texts.push_back({panel.x + PAD, top, mode});
    for (std::size_t i = 0; i < outlines.size(); ++i) {
        const int lineTop = top + LINE * static_cast<int>(i + 1);
        const int swatchY = h - lineTop - LINE + (LINE - SWATCH) / 2;
        inset.swatches.push_back({{panel.x + PAD, swatchY, SWATCH, SWATCH}, outlines[i].colour});
        inset.texts.push_back({panel.x + PAD + SWATCH + SWATCH_GAP, lineTop, outlines[i].what});
    }
}

// The values beside the bar, each level with its octave's row, as many as keep their distance.
void PlaceValues(HeatKeyLayout& key, int h) {
    std::vector<int> rows;
    for (const Octave& o : OCTAVES) {
        const int row =
            key.bar.y + (o.power + RAMP_OCTAVES / 2) * (key.bar.height - 1) / RAMP_OCTAVES;
        const bool room = std::all_of(rows.begin(), rows.end(), [row](int taken) {
            return std::abs(taken - row) >= LABEL_SPACING;
        });
        if (!room)
            continue;
        rows.push_back(row);
        key.texts.push_back({key.panel.x + PAD, h - 1 - row - TEXT_MIDDLE, o.text});
    }
}

}  // namespace

InsetLayout PlaceInset(int w, int h, int mapSize, const std::string& mode,
                       const std::vector<OutlineKey>& outlines) {
    InsetLayout inset;
    const int room = std::min(w, h) * 2 / 5;
    const int side = std::max(1, std::min(INSET_MAX, room));
    inset.step = (mapSize + side - 1) / side;
    const int size = mapSize / inset.step;
    inset.picture = {w - size - MARGIN, MARGIN, size, size};
    PlaceLegend(inset, w, h, mode, outlines);
    return inset;
}

int AboveInset(const InsetLayout& inset) {
    const WindowRect& top = inset.panel.width > 0 ? inset.panel : inset.picture;
    return top.y + top.height + MARGIN;
}

HeatKeyLayout PlaceHeatKey(int w, int h, int reservedBottom) {
    HeatKeyLayout key;
    const int top = h - MARGIN;
    const int room = top - std::max(reservedBottom, MARGIN);
    const int above = PAD + CAPTION_LINES * LINE + LINE / 2;  // the caption and half a value
    const int below = LINE / 2 + PAD;
    const int barHeight = std::min(BAR_MAX, room - above - below);
    int width = 2 * PAD + TextWidth(3) + LABEL_GAP + BAR_WIDTH;
    for (const char* line : CAPTION)
        width = std::max(width, 2 * PAD + TextWidth(std::string(line).size()));
    if (barHeight < BAR_MIN || width + MARGIN > w)
        return key;
    const int height = above + barHeight + below;
    key.panel = {w - MARGIN - width, top - height, width, height};
    key.bar = {key.panel.x + width - PAD - BAR_WIDTH, key.panel.y + below, BAR_WIDTH, barHeight};
    for (int i = 0; i < CAPTION_LINES; ++i)
        key.texts.push_back({key.panel.x + PAD, h - top + PAD + LINE * i, CAPTION[i]});
    PlaceValues(key, h);
    return key;
}

RgbImage HeatKeyBar(int width, int height) {
    RgbImage bar(width, height);
    for (int y = 0; y < height; ++y) {
        const float power =
            height > 1 ? RAMP_OCTAVES * static_cast<float>(y) / (height - 1) - RAMP_OCTAVES / 2.0f
                       : 0.0f;
        const Rgb colour = DensityColour(std::exp2(power));
        for (int x = 0; x < width; ++x)
            bar.Set(x, y, colour);
    }
    return bar;
}
