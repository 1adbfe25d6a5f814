// NV_vertex_program and NV_fragment_program on drivers that only offer
// ARB_vertex_program and ARB_fragment_program (Mesa among them).
//
// InstallNvProgramLayer(), called after glewInit() with a context current,
// puts the layer's functions into GLEW's NV entry points and sets GLEW's
// NV_vertex_program, NV_vertex_program1_1 and NV_fragment_program flags, so
// code written for the NV extensions calls them unchanged. On a driver with
// the real extensions it changes nothing. Call it again after any later
// glewInit(), which resets GLEW's pointers and flags.
//
// What the layer does:
// - glLoadProgramNV parses and validates the NV text and loads an equivalent
//   ARB program; glGetIntegerv(GL_PROGRAM_ERROR_POSITION_NV) then gives -1,
//   or the byte position in the NV text of the token it rejected.
// - Matrix tracking (glTrackMatrixNV) is per context; a tracked register
//   reads state.matrix.* in the ARB program, so matrix changes reach the
//   program with no work per draw. Untracked registers are ARB environment
//   parameters (glProgramParameter4fNV).
// - Program objects are shared by contexts that share objects (as GLX
//   reports the sharing, GLX_SHARE_CONTEXT_EXT). A program is translated
//   again only when a context binds it with tracking (or, for fragment
//   programs, depth-compared textures) it has not been bound with before;
//   later binds and frames only look the translation up.
// - Texture lookups on a unit whose texture has depth comparison
//   (GL_COMPARE_R_TO_TEXTURE on a depth texture) compare depths, as on NV
//   drivers. The comparison is read when the fragment program is bound and
//   when a texture is bound with glBindTexture while it is bound; a
//   comparison mode changed on an already bound texture, or a texture bound
//   from inside a display list, takes effect at the next bind.
//
// Not provided: vertex state programs (GL_VERTEX_STATE_PROGRAM_NV,
// glExecuteProgramNV), tracking of GL_COLOR and of texture matrices past
// unit 7, the glGet* functions other than glGetTrackMatrixivNV, and the
// glVertexAttrib*NV family. Fragment instructions without an ARB equivalent
// (DDX, DDY, TXD, the pack and unpack instructions) are rejected at load
// with their position; the H and X precisions are computed at full
// precision, and H registers do not alias R registers.
//
// How the layer answers core queries: the program defines glGetIntegerv,
// glGetError and glBindTexture itself (nv_gl_interpose.cpp); they answer
// the NV error position, the NV program bindings and the layer's own GL
// errors, and pass everything else to the driver. They act on the calls
// the program makes itself, not on calls from inside shared libraries.
//
// Callers' core GL calls: glEnable, glDisable, glIsEnabled and glMatrixMode
// go to the driver, which knows the ARB enum values only where they differ
// from the NV ones. Use NV_FRAGMENT_PROGRAM_TARGET for the fragment program
// enable and NV_MATRIX0 ... NV_MATRIX7 for the tracking matrices in
// glMatrixMode; they are the NV values on a driver with the extensions and
// the ARB values under the layer. GL_VERTEX_PROGRAM_NV and
// GL_TEXTURE_RECTANGLE_NV equal their ARB values and can be used as they
// are. The NV entry points accept both spellings.
#pragma once

#include <GL/glew.h>

// Installs the layer when the driver lacks the NV program extensions and has
// at least one of the ARB ones. NV_vertex_program is offered where
// ARB_vertex_program is, NV_fragment_program where ARB_fragment_program is.
// Returns whether the layer is installed.
bool InstallNvProgramLayer();

GLenum NvFragmentProgramTarget();
GLenum NvProgramMatrix(int index);

#define NV_VERTEX_PROGRAM_TARGET GL_VERTEX_PROGRAM_NV
#define NV_FRAGMENT_PROGRAM_TARGET NvFragmentProgramTarget()
#define NV_MATRIX0 NvProgramMatrix(0)
#define NV_MATRIX1 NvProgramMatrix(1)
#define NV_MATRIX2 NvProgramMatrix(2)
#define NV_MATRIX3 NvProgramMatrix(3)
#define NV_MATRIX4 NvProgramMatrix(4)
#define NV_MATRIX5 NvProgramMatrix(5)
#define NV_MATRIX6 NvProgramMatrix(6)
#define NV_MATRIX7 NvProgramMatrix(7)
