#pragma once

#include <string>

// Fragment programs for the scene pass that write a measured value instead
// of the shaded colour. They read the inputs the scene vertex program
// writes, so the values are those the shaded pass computes.

// The shadow-map lookup coordinates (x, y, z, w) as interpolated: the texel
// looked up is (x / w, y / w).
extern const char* const g_strLookupCaptureProgram;
// The eye-to-light vector: the light position minus the world position.
extern const char* const g_strLightVectorCaptureProgram;

// A scene fragment program whose last steps (the shadow term floored at the
// diffuse colour, times the lit colour) are replaced by writing the shadow
// term itself, 0 (shadowed) to 1 (lit). Empty when the program does not end
// that way.
std::string ShadowTermProgram(const std::string& sceneProgram);
