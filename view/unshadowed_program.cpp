#include "view/unshadowed_program.h"

namespace {

// The line after which a scene fragment program holds the lit, textured
// colour in R0; what follows only looks the shadow up and applies it.
constexpr char LIT_COLOUR_LINE[] = "MUL R0, R0, R2;\n";

}  // namespace

std::string WithoutShadowLookup(const std::string& sceneFragmentProgram) {
    const size_t at = sceneFragmentProgram.find(LIT_COLOUR_LINE);
    if (at == std::string::npos)
        return sceneFragmentProgram;
    return sceneFragmentProgram.substr(0, at + sizeof LIT_COLOUR_LINE - 1) +
           "MOV o[COLR], R0;\nEND\n";
}
