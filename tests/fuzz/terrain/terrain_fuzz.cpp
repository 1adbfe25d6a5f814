// Builds terrains from height images of arbitrary size (up to 512 x 512) and content, with
// arbitrary spacing and height scale, and checks the mesh: every vertex of the image, texture
// coordinates from 0 to 1, positions on the grid, normals of unit length or zero, and a strip
// whose drawn indices all name vertices and which crosses every row of cells.
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "scene/terrain_mesh.h"

namespace {

constexpr int MAX_SIDE = 512;
constexpr int FLOATS_PER_VERTEX = 8;

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// Bytes 0-1 and 2-3: width and height (0 to 512); bytes 4, 5, 6: column spacing, height scale and
// row spacing as signed eighths; the rest: the RGB rows, repeated to fill the image.
struct Input {
    int width = 0;
    int height = 0;
    float dx = 0.0f;
    float heightScale = 0.0f;
    float dz = 0.0f;
    std::vector<std::uint8_t> pixels;
};

float Eighths(std::uint8_t byte) {
    return static_cast<float>(static_cast<std::int8_t>(byte)) / 8.0f;
}

bool Parse(const std::uint8_t* data, std::size_t size, Input& input) {
    if (size < 7) {
        return false;
    }
    input.width = (data[0] | data[1] << 8) % (MAX_SIDE + 1);
    input.height = (data[2] | data[3] << 8) % (MAX_SIDE + 1);
    input.dx = Eighths(data[4]);
    input.heightScale = Eighths(data[5]);
    input.dz = Eighths(data[6]);
    input.pixels.assign(3 * static_cast<std::size_t>(input.width) * input.height, 0);
    const std::size_t rest = size - 7;
    for (std::size_t i = 0; rest > 0 && i < input.pixels.size(); ++i) {
        input.pixels[i] = data[7 + i % rest];
    }
    return true;
}

void CheckVertices(const std::vector<float>& vertices, const Input& in) {
    const float x0 = 10.0f, y0 = -5.0f, z0 = 3.0f;
    Require(vertices.size() == static_cast<std::size_t>(in.width) * in.height * FLOATS_PER_VERTEX);
    for (int k = 0; k < in.height; ++k) {
        for (int i = 0; i < in.width; ++i) {
            const std::size_t n = static_cast<std::size_t>(k) * in.width + i;
            const float* v = &vertices[n * FLOATS_PER_VERTEX];
            Require(v[0] >= 0.0f && v[0] <= 1.0f && v[1] >= 0.0f && v[1] <= 1.0f);
            const float length = std::sqrt(v[2] * v[2] + v[3] * v[3] + v[4] * v[4]);
            Require(length == 0.0f || std::fabs(length - 1.0f) < 1e-3f);
            Require(v[5] == x0 + in.dx * static_cast<float>(i));
            Require(v[6] == y0 + in.heightScale * static_cast<float>(in.pixels[3 * n]));
            Require(v[7] == z0 - in.dz * static_cast<float>(k));
        }
    }
}

// Each band of cells adds two indices per column it crosses and one to turn into the next band.
void CheckStrip(const std::vector<std::uint32_t>& indices, int count, const Input& in) {
    const std::size_t vertexCount = static_cast<std::size_t>(in.width) * in.height;
    Require(count >= 0 && static_cast<std::size_t>(count) <= indices.size());
    Require(indices.size() - static_cast<std::size_t>(count) == (in.height % 2 == 0 ? 1u : 0u));
    for (int j = 0; j < count; ++j) {
        Require(indices[j] < vertexCount);
    }
    std::vector<bool> rowSeen(in.height, false);
    for (int j = 0; j < count; ++j) {
        rowSeen[indices[j] / in.width] = true;
    }
    for (bool seen : rowSeen) {
        Require(seen);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input input;
    if (!Parse(data, size, input)) {
        return 0;
    }
    std::vector<float> vertices{1.0f};
    std::vector<std::uint32_t> indices{7};
    const int count =
        BuildTerrainMesh(vertices, indices, input.pixels.data(), input.width, input.height, 10.0f,
                         -5.0f, 3.0f, input.dx, input.heightScale, input.dz);
    if (input.width < 2 || input.height < 2) {
        Require(count == 0 && vertices.empty() && indices.empty());
        return 0;
    }
    CheckVertices(vertices, input);
    CheckStrip(indices, count, input);
    return 0;
}
