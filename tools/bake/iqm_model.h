#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/bake/bake_types.h"
#include "tools/bake/md2_file.h"

namespace bake {

// A skinned model in the IQM format (version 2): meshes over one vertex pool, a joint
// hierarchy, and animation frames of packed joint channels.
struct IqmModel {
    struct Mesh {
        std::string name;
        std::string material;
        std::uint32_t firstVertex, vertexCount, firstTriangle, triangleCount;
    };
    struct Joint {
        std::int32_t parent;
        std::array<float, 10> pose;  // translate xyz, rotate xyzw, scale xyz
    };
    struct Animation {
        std::string name;
        std::uint32_t firstFrame, frameCount;
    };
    std::vector<Mesh> meshes;
    std::vector<Vec3> positions;
    std::vector<Vec2> texCoords;
    std::vector<std::array<std::uint8_t, 4>> blendIndices;
    std::vector<std::array<std::uint8_t, 4>> blendWeights;
    std::vector<std::array<std::uint32_t, 3>> triangles;
    std::vector<Joint> joints;
    std::vector<std::array<float, 10>> framePoses;  // frame-major: frame * joints + joint
    std::vector<Animation> animations;
};

// Decodes an IQM file, checking every offset against its size. Raises std::runtime_error for
// a file it cannot use (another version, missing skinning arrays, bad indices).
IqmModel ReadIqm(const std::vector<std::uint8_t>& bytes);

// The model's vertex positions at one animation frame, skinned by the blend weights.
std::vector<Vec3> PoseAt(const IqmModel& model, std::uint32_t frame);

// The whole model as an MD2 mesh, triangles in file order, with `keyFrames` frames sampled evenly
// over animation 0 and named `name`01, `name`02, ... Texture coordinates are scaled to the given
// skin size. Raises std::runtime_error for a model with more vertices than MD2 holds.
Md2Mesh IqmToMd2(const IqmModel& model, std::size_t keyFrames, const std::string& name,
                 int skinWidth, int skinHeight);

}  // namespace bake
