#pragma once

#include <cstdint>

#include "tools/bake/height_field.h"
#include "tools/bake/image.h"

namespace bake {

// The terrain's colour image, `size` pixels square, stretched once over the whole terrain:
// sand low down, grass on gentle ground, dry grass high up, rock on steep slopes, with fine
// noise for texture. Row 0 is the terrain's far edge at z = -160, because the terrain's texture
// coordinate t runs from 1 at its first height row (z = 160) down to 0 at its last.
Image TerrainColours(const HeightField& field, int size, std::uint32_t seed);

}  // namespace bake
