#pragma once

#include <string>

// A scene fragment program without its shadow lookup: the same lines up to
// the lit and textured colour, which it writes as it is. Where the lookup
// would give 1 (lit) everywhere, the colours are those of the full program.
// A text without the line that ends the lit colour comes back unchanged.
std::string WithoutShadowLookup(const std::string& sceneFragmentProgram);
