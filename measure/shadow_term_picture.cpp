#include "measure/shadow_term_picture.h"

#include <algorithm>
#include <cmath>

#include "measure/colour_ramp.h"

RgbImage ShadowTermPicture(const PixelGrid<float>& term, const PixelGrid<uint8_t>& shown) {
    RgbImage image(term.width, term.height);
    for (int y = 0; y < term.height; ++y) {
        for (int x = 0; x < term.width; ++x) {
            if (!shown.at(x, y)) {
                image.Set(x, y, NO_FIGURE_COLOUR);
                continue;
            }
            const float lit = std::clamp(term.at(x, y), 0.0f, 1.0f);
            const auto grey = static_cast<uint8_t>(std::lround(lit * 255.0f));
            image.Set(x, y, {grey, grey, grey});
        }
    }
    return image;
}
