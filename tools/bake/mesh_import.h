#pragma once

#include <array>
#include <string>
#include <vector>

#include "tools/bake/bake_types.h"

namespace bake {

// A triangle read from a model file, in the file's axes after its node transforms, with the
// texture coordinate t measured from the texture image's top row.
struct SourceTriangle {
    std::array<Vec3, 3> position;
    std::array<Vec3, 3> normal;
    std::array<Vec2, 3> texCoord;
    unsigned material = 0;
};

struct SourceMaterial {
    std::string name;
    std::string texture;  // diffuse texture file named by the model, "" when it has none
    Rgb colour;           // diffuse colour
};

struct SourceMesh {
    std::vector<SourceTriangle> triangles;
    std::vector<SourceMaterial> materials;
};

// Reads every triangle of a model file through assimp, with smooth normals where the file has
// none. Raises std::runtime_error when assimp cannot read the file.
SourceMesh ImportMesh(const std::string& path);

}  // namespace bake
