// The matrix and transform arguments of glTrackMatrixNV, as the ARB writer
// names them.
#pragma once

#include <GL/glew.h>

#include <optional>

#include "platform/arb_vertex_writer.h"

namespace nvlayer {

// Decodes matrix (GL_NONE, GL_MODELVIEW, GL_PROJECTION, GL_TEXTURE,
// GL_TEXTUREi, GL_MODELVIEW_PROJECTION_NV, GL_MATRIXi_NV or GL_MATRIXi_ARB)
// and transform; GL_TEXTURE means the texture matrix of activeUnit.
// Nothing for an enum the tracking does not accept.
std::optional<nvprog::MatrixTrack> DecodeTrack(GLenum matrix, GLenum transform, int activeUnit);

}  // namespace nvlayer
