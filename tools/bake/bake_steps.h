#pragma once

#include <vector>

#include "tools/bake/bake_output.h"
#include "tools/bake/height_field.h"
#include "tools/bake/static_tables.h"

namespace bake {

// Each step stages its containers in `out`, credits its sources, and returns what later steps
// need. The figures and static models report the ground pads their placements stand on.

std::vector<GroundPad> BakeFigures(const SourceDirs& dirs, BakeOutput& out);

struct StaticModelsBaked {
    std::vector<NamedTables> tables;  // S1 .. S4
    std::vector<GroundPad> pads;
};
StaticModelsBaked BakeStaticModels(const SourceDirs& dirs, BakeOutput& out);

// Stages the height image (T001) and colour image (T002) shaped around the pads.
void BakeTerrain(const std::vector<GroundPad>& pads, BakeOutput& out);

void BakeSounds(const SourceDirs& dirs, BakeOutput& out);

}  // namespace bake
