#include "tools/bake/md2_edit.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <map>
#include <stdexcept>

namespace bake {

namespace {

std::string BaseName(const std::string& frameName) {
    std::size_t end = frameName.size();
    while (end > 0 && std::isdigit(static_cast<unsigned char>(frameName[end - 1]))) {
        --end;
    }
    return frameName.substr(0, end);
}

std::pair<float, float> HeightRange(const Md2Frame& frame) {
    const auto [low, high] =
        std::minmax_element(frame.positions.begin(), frame.positions.end(),
                            [](const Vec3& a, const Vec3& b) { return a[2] < b[2]; });
    return {(*low)[2], (*high)[2]};
}

// The sub-mesh of the chosen triangles with compacted vertex and texture-coordinate tables.
Md2Mesh SubMesh(const Md2Mesh& mesh, const std::vector<bool>& chosen) {
    Md2Mesh part;
    part.skinWidth = mesh.skinWidth;
    part.skinHeight = mesh.skinHeight;
    part.skins = mesh.skins;
    std::map<std::uint16_t, std::uint16_t> vertexMap;
    std::map<std::uint16_t, std::uint16_t> texMap;
    const auto remap = [](std::map<std::uint16_t, std::uint16_t>& map, std::uint16_t index) {
        return map.emplace(index, static_cast<std::uint16_t>(map.size())).first->second;
    };
    for (std::size_t i = 0; i < mesh.triangles.size(); ++i) {
        if (!chosen[i]) {
            continue;
        }
        Md2Triangle t{};
        for (int c = 0; c < 3; ++c) {
            t.vertex[c] = remap(vertexMap, mesh.triangles[i].vertex[c]);
            t.texCoord[c] = remap(texMap, mesh.triangles[i].texCoord[c]);
        }
        part.triangles.push_back(t);
    }
    part.texCoords.resize(texMap.size());
    for (const auto& [from, to] : texMap) {
        part.texCoords[to] = mesh.texCoords[from];
    }
    for (const Md2Frame& frame : mesh.frames) {
        Md2Frame out{frame.name, std::vector<Vec3>(vertexMap.size()),
                     std::vector<std::uint8_t>(vertexMap.size())};
        for (const auto& [from, to] : vertexMap) {
            out.positions[to] = frame.positions[from];
            out.normalIndices[to] = frame.normalIndices[from];
        }
        part.frames.push_back(std::move(out));
    }
    return part;
}

}  // namespace

Md2Mesh KeepAnimation(const Md2Mesh& mesh, const std::string& animation, const std::string& rename,
                      std::size_t maxFrames) {
    Md2Mesh out = mesh;
    out.frames.clear();
    for (const Md2Frame& frame : mesh.frames) {
        if (BaseName(frame.name) == animation && out.frames.size() < maxFrames) {
            char name[32];
            std::snprintf(name, sizeof(name), "%s%02zu", rename.c_str(), out.frames.size() + 1);
            out.frames.push_back({name, frame.positions, frame.normalIndices});
        }
    }
    if (out.frames.empty()) {
        throw std::runtime_error("MD2: no frames of animation " + animation);
    }
    return out;
}

void StandOnOrigin(Md2Mesh& mesh, float height) {
    const auto [low, high] = HeightRange(mesh.frames.at(0));
    const float scale = height / (high - low);
    Vec3 centre{};
    for (const Vec3& p : mesh.frames[0].positions) {
        centre[0] += p[0] / static_cast<float>(mesh.VertexCount());
        centre[1] += p[1] / static_cast<float>(mesh.VertexCount());
    }
    float lowest = low;
    for (const Md2Frame& frame : mesh.frames) {
        lowest = std::min(lowest, HeightRange(frame).first);
    }
    centre[2] = lowest;
    for (Md2Frame& frame : mesh.frames) {
        for (Vec3& p : frame.positions) {
            for (int a = 0; a < 3; ++a) {
                p[a] = (p[a] - centre[a]) * scale;
            }
        }
    }
}

std::pair<Md2Mesh, Md2Mesh> SplitTriangles(const Md2Mesh& mesh, const std::vector<bool>& chosen) {
    std::vector<bool> others(chosen.size());
    std::transform(chosen.begin(), chosen.end(), others.begin(), [](bool b) { return !b; });
    return {SubMesh(mesh, chosen), SubMesh(mesh, others)};
}

std::pair<Md2Mesh, Md2Mesh> SplitAtHeight(const Md2Mesh& mesh, float fraction) {
    const Md2Frame& first = mesh.frames.at(0);
    const auto [low, high] = HeightRange(first);
    const float cut = low + fraction * (high - low);
    std::vector<bool> below(mesh.triangles.size());
    for (std::size_t i = 0; i < mesh.triangles.size(); ++i) {
        float z = 0.0f;
        for (std::uint16_t v : mesh.triangles[i].vertex) {
            z += first.positions[v][2] / 3.0f;
        }
        below[i] = z < cut;
    }
    return SplitTriangles(mesh, below);
}

}  // namespace bake
