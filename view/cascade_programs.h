#pragma once

#include <string>

// The cascaded lookup for the scene's fragment programs. The scene vertex
// program runs with N_T the identity, so f[TEX1] holds the texel coordinates
// of an unwarped map; a prologue picks the cascade by the pixel's eye depth
// and carries those coordinates onto the cascade's tile, and the rest of the
// program reads them instead of f[TEX1].
//
// Named parameters of the cascaded programs, set per frame:
//   CASCADE_EYE_DEPTH  (x, y, z, d): dot((x, y, z), f[TEX3]) + d is the eye depth
//   CASCADE_SPLITS     far eye depth of cascades 0, 1 and 2 (w unused)
//   CASCADE_SCALE0..3  (k_s, k_t, o_s, o_t): s' = k_s * s + o_s * w, t' likewise
extern const char* const CASCADE_EYE_DEPTH;
extern const char* const CASCADE_SPLITS;
extern const char* const CASCADE_SCALE[4];

// The program with the cascade prologue after its header and its reads of
// f[TEX1] taken from the prologue's result. Empty when the text does not
// start with the NV fragment program header.
std::string CascadeLookupProgram(const std::string& program);
