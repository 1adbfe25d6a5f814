#include "measure/density_shaders.h"

#include <cstdio>

#include "measure/colour_ramp.h"

const char* const g_strLookupShader =
    "#version 120\n"
    "void main() {\n"
    "    gl_FragColor = gl_TexCoord[1];\n"
    "}\n";

const char* const g_strWindowRectangleShader =
    "#version 130\n"
    "void main() {\n"
    "    gl_Position = gl_Vertex;\n"
    "}\n";

namespace {

// Texels per pixel at pixel p, or a negative value where there is none.
const char* const TEXELS_PER_PIXEL =
    "uniform sampler2D lookups;\n"
    "bool Visible(ivec2 p) {\n"
    "    ivec2 size = textureSize(lookups, 0);\n"
    "    return p.x >= 0 && p.y >= 0 && p.x < size.x && p.y < size.y &&\n"
    "           texelFetch(lookups, p, 0).w != 0.0;\n"
    "}\n"
    "vec2 Texel(ivec2 p) {\n"
    "    vec4 l = texelFetch(lookups, p, 0);\n"
    "    return vec2(l.x / l.w, l.y / l.w);\n"
    "}\n"
    "// The difference towards the nearer visible neighbour along axis, per\n"
    "// pixel of movement in the positive direction; found false without one.\n"
    "vec2 AxisDifference(ivec2 p, ivec2 axis, out bool found) {\n"
    "    bool f = Visible(p + axis);\n"
    "    bool b = Visible(p - axis);\n"
    "    found = f || b;\n"
    "    vec2 here = Texel(p);\n"
    "    vec2 forward = f ? Texel(p + axis) - here : vec2(0.0);\n"
    "    vec2 backward = b ? -(Texel(p - axis) - here) : vec2(0.0);\n"
    "    if (f && b)\n"
    "        return dot(forward, forward) <= dot(backward, backward) ? forward : backward;\n"
    "    return f ? forward : backward;\n"
    "}\n"
    "float TexelsPerPixel(ivec2 p) {\n"
    "    if (!Visible(p))\n"
    "        return -1.0;\n"
    "    bool foundX, foundY;\n"
    "    vec2 x = AxisDifference(p, ivec2(1, 0), foundX);\n"
    "    vec2 y = AxisDifference(p, ivec2(0, 1), foundY);\n"
    "    if (!foundX || !foundY)\n"
    "        return -1.0;\n"
    "    return sqrt(abs(x.x * y.y - y.x * x.y));\n"
    "}\n";

}  // namespace

std::string HeatColourShader() {
    char noFigure[64];
    std::snprintf(noFigure, sizeof noFigure, "vec3(%d.0, %d.0, %d.0) / 255.0", NO_FIGURE_COLOUR.r,
                  NO_FIGURE_COLOUR.g, NO_FIGURE_COLOUR.b);
    return std::string("#version 130\n") + TEXELS_PER_PIXEL + DensityColourGlsl() +
           "void main() {\n"
           "    float d = TexelsPerPixel(ivec2(gl_FragCoord.xy));\n"
           "    gl_FragColor = vec4(d < 0.0 ? " +
           noFigure + " : DensityColour(d), 1.0);\n}\n";
}
