// The functions the NV program layer installs into GLEW's entry points.
#pragma once

namespace nvlayer {

// Whether GLEW's pointers are the layer's (a later glewInit resets them).
bool EntryPointsInstalled();
// glGenProgramsNV, glBindProgramNV, glLoadProgramNV, glDeleteProgramsNV,
// glIsProgramNV and the ARB program functions that must know NV programs.
void InstallProgramEntryPoints();
// glTrackMatrixNV, glGetTrackMatrixivNV, glProgramParameter*NV,
// glProgramNamedParameter4f[v]NV and glProgramLocalParameter4f[v]ARB.
void InstallParameterEntryPoints();

}  // namespace nvlayer
