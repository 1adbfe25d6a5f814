// The five GPU programs of the shadow technique, in the NV_vertex_program 1.0
// and NV_fragment_program 1.0 languages: a vertex and a fragment program for
// the light's depth pass, a vertex program for the eye's scene pass, and two
// scene fragment programs that differ only in how they filter the shadow test.
//
// Vertex program constant registers, one matrix row per register:
//   c[0..3]   world matrix M (tracked modelview)
//   c[4..7]   tracked projection: P_L * C_L (depth pass), P_E * C_E (scene pass)
//   c[8..11]  depth pass: N_T; scene pass: P_L * C_L
//   c[12..15] scene pass: inverse transpose of M
//   c[16..19] scene pass: N_T
//   c[20..23] scene pass: S, clip coordinates to shadow-map texels
//   c[24]     scene pass: light position (x, y, z, 1)
#pragma once

extern const char* const g_strDepthVertexProgram;
extern const char* const g_strDepthFragmentProgram;
extern const char* const g_strSceneVertexProgram;
extern const char* const g_strSceneFragmentProgram;
extern const char* const g_strSceneFragmentProgramHQ;
