#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/bake/bake_types.h"

namespace bake {

// A triangle of a static model before indexing: corner positions, normals and texture
// coordinates (t measured from the texture image's top row), and the face run it belongs to.
struct SoupTriangle {
    std::array<Vec3, 3> position;
    std::array<Vec3, 3> normal;
    std::array<Vec2, 3> texCoord;
    int run = 0;
};

// A static model's constant tables: positions, normals and texture coordinates each indexed on
// their own, faces grouped by run in run order.
struct StaticTables {
    struct Face {
        std::array<std::int16_t, 3> vertex;
        std::array<std::int16_t, 3> normal;
        std::array<std::int16_t, 3> texCoord;
    };
    std::vector<Vec3> positions;
    std::vector<Vec3> normals;
    std::vector<Vec2> texCoords;
    std::vector<Face> faces;
    std::vector<int> runFaceCounts;
};

// The largest table an int16 face index can address.
constexpr std::size_t MAX_TABLE_SIZE = 32768;

// Indexes the triangles: equal values share one table entry; faces keep their order within a
// run. Raises std::runtime_error when a table would need an index of 32768 or more, or when a
// triangle's run is outside 0 .. runCount-1.
StaticTables BuildStaticTables(const std::vector<SoupTriangle>& triangles, int runCount);

// One named model for the generated source: `name` is the suffix of g_staticModel<name>.
struct NamedTables {
    std::string name;
    StaticTables tables;
};

// The C++ source that defines g_staticModel<name> for each model with its tables; material m
// reads its texture from the scratch file SCRATCH_FILES[m].
std::string StaticModelSource(const std::vector<NamedTables>& models);

}  // namespace bake
