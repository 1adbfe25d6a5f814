#include "measure/readout_line.h"

#include <cstdio>

#include "measure/percentiles.h"
#include "measure/texel_density.h"

std::string ReadoutLine(const char* label, const PixelGrid<TexelLookup>& lookups, int reduction,
                        double coverage) {
    const double p50 = SummariseDensity(TexelsPerPixel(lookups)).p50 / reduction;
    char line[160];
    std::snprintf(line, sizeof line, "%s: texels per pixel p50 %.2f, map coverage %.1f%%", label,
                  p50, 100.0 * coverage);
    return line;
}
