#include "measure/map_picture_shaders.h"

#include <cstdio>

#include "measure/map_picture.h"

const char* const g_strDepthRangeVertexShader =
    "#version 130\n"
    "uniform sampler2DRect depth;\n"
    "uniform int step;\n"
    "out float drawn;\n"
    "void main() {\n"
    "    ivec2 texel = ivec2(gl_Vertex.xy) * step;\n"
    "    drawn = texelFetch(depth, texel).r;\n"
    "    gl_Position = drawn < 1.0 ? vec4(0.0, 0.0, 0.0, 1.0) : vec4(2.0, 2.0, 0.0, 1.0);\n"
    "}\n";

const char* const g_strDepthRangeFragmentShader =
    "#version 130\n"
    "in float drawn;\n"
    "void main() {\n"
    "    gl_FragColor = vec4(drawn, -drawn, 0.0, 1.0);\n"
    "}\n";

std::string DepthPictureShader() {
    char greys[96];
    std::snprintf(greys, sizeof greys,
                  "const float DARKEST = %.1f;\nconst float BRIGHTEST = %.1f;\n",
                  DEPTH_PICTURE_DARKEST, DEPTH_PICTURE_BRIGHTEST);
    return std::string("#version 130\n") + greys +
           "uniform sampler2DRect depth;\n"
           "uniform sampler2D range;\n"
           "uniform int step;\n"
           "uniform ivec2 origin;\n"
           "void main() {\n"
           "    float d = texelFetch(depth, (ivec2(gl_FragCoord.xy) - origin) * step).r;\n"
           "    vec2 r = texelFetch(range, ivec2(0), 0).rg;\n"
           "    float nearest = r.x;\n"
           "    float farthest = -r.y;\n"
           "    float span = farthest > nearest ? farthest - nearest : 1.0;\n"
           "    float grey = (DARKEST + (farthest - d) / span * (BRIGHTEST - DARKEST)) / 255.0;\n"
           "    gl_FragColor = vec4(vec3(d < 1.0 ? grey : 0.0), 1.0);\n"
           "}\n";
}

const char* const g_strPlainColourShader =
    "#version 130\n"
    "uniform vec3 colour;\n"
    "void main() {\n"
    "    gl_FragColor = vec4(colour, 1.0);\n"
    "}\n";
