// Terrain geometry from a height image: vertices, smooth normals of the
// interior and one triangle strip snaking through the rows.

#include "scene/terrain_mesh.h"

#include <array>
#include <cmath>
#include <cstddef>

namespace {

constexpr int FLOATS_PER_VERTEX = 8;
constexpr int POSITION = 5;  // offset of x, y, z within a vertex
constexpr int NORMAL = 2;    // offset of nx, ny, nz
// The mesh keeps 8 floats and about 2 strip indices per pixel: at most 256 MiB of them, like the
// figures' frames (a large height image would otherwise ask for gigabytes, and the floats and
// indices must stay within int and uint32 ranges anyway).
constexpr int64_t MESH_BYTES_PER_VERTEX = FLOATS_PER_VERTEX * 4 + 2 * 4;
constexpr int64_t MAX_VERTICES = (int64_t{256} << 20) / MESH_BYTES_PER_VERTEX;

using Vec3 = std::array<float, 3>;

void BuildVertices(std::vector<float>& vertices, const uint8_t* pixels, int w, int h, float x0,
                   float y0, float z0, float dx, float heightScale, float dz) {
    vertices.assign(static_cast<size_t>(w) * h * FLOATS_PER_VERTEX, 0.0f);
    for (int k = 0; k < h; ++k) {
        for (int i = 0; i < w; ++i) {
            const size_t n = static_cast<size_t>(k) * w + i;
            float* v = &vertices[n * FLOATS_PER_VERTEX];
            v[0] = static_cast<float>(i) / static_cast<float>(w - 1);
            v[1] = 1.0f - static_cast<float>(k) / static_cast<float>(h - 1);
            v[POSITION] = x0 + dx * static_cast<float>(i);
            v[POSITION + 1] = y0 + heightScale * static_cast<float>(pixels[3 * n]);
            v[POSITION + 2] = z0 - dz * static_cast<float>(k);
        }
    }
}

Vec3 EdgeTo(const std::vector<float>& vertices, size_t from, size_t to) {
    const float* p = &vertices[from * FLOATS_PER_VERTEX + POSITION];
    const float* q = &vertices[to * FLOATS_PER_VERTEX + POSITION];
    return {q[0] - p[0], q[1] - p[1], q[2] - p[2]};
}

Vec3 Cross(const Vec3& a, const Vec3& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

// Interior vertices get the normalised mean of the four cross products of the
// edges to their right, lower, left and upper neighbours; border vertices keep
// a zero normal.
void BuildNormals(std::vector<float>& vertices, int w, int h) {
    for (int k = 1; k < h - 1; ++k) {
        for (int i = 1; i < w - 1; ++i) {
            const size_t p = static_cast<size_t>(k) * w + i;
            const Vec3 a = EdgeTo(vertices, p, p + 1);
            const Vec3 b = EdgeTo(vertices, p, p + w);
            const Vec3 c = EdgeTo(vertices, p, p - 1);
            const Vec3 d = EdgeTo(vertices, p, p - w);
            const Vec3 ab = Cross(a, b), bc = Cross(b, c), cd = Cross(c, d), da = Cross(d, a);
            Vec3 n{};
            for (int j = 0; j < 3; ++j)
                n[j] = 0.25f * (ab[j] + bc[j] + cd[j] + da[j]);
            const float length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
            if (length == 0.0f)
                continue;
            float* out = &vertices[p * FLOATS_PER_VERTEX + NORMAL];
            for (int j = 0; j < 3; ++j)
                out[j] = n[j] / length;
        }
    }
}

// Left to right through even bands, right to left through odd ones; each band
// ends with the index that turns the strip into the next band.
int BuildStrip(std::vector<uint32_t>& indices, int w, int h) {
    indices.clear();
    const auto at = [w](int row, int column) {
        return static_cast<uint32_t>(static_cast<int64_t>(row) * w + column);
    };
    for (int o = 0; o < h - 1; ++o) {
        if (o % 2 == 0) {
            for (int i = 0; i < w; ++i) {
                indices.push_back(at(o, i));
                indices.push_back(at(o + 1, i));
            }
            indices.push_back(at(o + 3, -1));
        } else {
            for (int v = 2; v <= w - 1; ++v) {
                indices.push_back(at(o + 1, -v));
                indices.push_back(at(o + 2, -v));
            }
            indices.push_back(at(o, 0));
        }
    }
    // With an even height the last band runs left to right, and its turning
    // index lies beyond the last row: it stays in the array but is not drawn.
    if (h % 2 == 1) {
        indices.push_back(at(h - 1, 0));
        return static_cast<int>(indices.size());
    }
    return static_cast<int>(indices.size()) - 1;
}

}  // namespace

std::string TerrainSizeProblem(int width, int height) {
    const std::string size =
        "the image is " + std::to_string(width) + " x " + std::to_string(height) + " pixels";
    if (width < 2 || height < 2)
        return size + ", less than the 2 x 2 a terrain needs";
    if (static_cast<int64_t>(width) * height > MAX_VERTICES)
        return size + ", more than the " + std::to_string(MAX_VERTICES) +
               " pixels a terrain can hold";
    return "";
}

int BuildTerrainMesh(std::vector<float>& vertices, std::vector<uint32_t>& indices,
                     const uint8_t* pixels, int width, int height, float x0, float y0, float z0,
                     float dx, float heightScale, float dz) {
    vertices.clear();
    indices.clear();
    if (!TerrainSizeProblem(width, height).empty())
        return 0;
    BuildVertices(vertices, pixels, width, height, x0, y0, z0, dx, heightScale, dz);
    BuildNormals(vertices, width, height);
    return BuildStrip(indices, width, height);
}
