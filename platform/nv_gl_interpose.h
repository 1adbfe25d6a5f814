// The layer's definitions of glGetIntegerv, glGetError and glBindTexture
// (see nv_gl_interpose.cpp).
#pragma once

namespace nvlayer {

// Whether the driver's definitions behind the interposed functions were
// found; the layer is not installed without them.
bool CoreInterposersReady();

}  // namespace nvlayer
