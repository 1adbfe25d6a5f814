#include "tools/bake/md2_file.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "tools/bake/byte_io.h"

namespace bake {

namespace {

constexpr std::int32_t MD2_IDENT = 844121161;  // "IDP2"
constexpr std::int32_t MD2_VERSION = 8;
constexpr std::size_t HEADER_SIZE = 68;
constexpr std::size_t SKIN_NAME_SIZE = 64;
constexpr std::size_t FRAME_NAME_SIZE = 16;
constexpr std::size_t FRAME_HEADER_SIZE = 40;
constexpr std::size_t TEX_COORD_SIZE = 4;
constexpr std::size_t TRIANGLE_SIZE = 12;

struct Layout {
    std::int32_t frameSize, skins, texCoords, triangles, frames, end;
};

Layout PlanLayout(const Md2Mesh& mesh) {
    Layout layout{};
    layout.frameSize = static_cast<std::int32_t>(FRAME_HEADER_SIZE + 4 * mesh.VertexCount());
    layout.skins = HEADER_SIZE;
    layout.texCoords = layout.skins + static_cast<std::int32_t>(SKIN_NAME_SIZE * mesh.skins.size());
    layout.triangles =
        layout.texCoords + static_cast<std::int32_t>(TEX_COORD_SIZE * mesh.texCoords.size());
    layout.frames =
        layout.triangles + static_cast<std::int32_t>(TRIANGLE_SIZE * mesh.triangles.size());
    layout.end = layout.frames + layout.frameSize * static_cast<std::int32_t>(mesh.frames.size());
    return layout;
}

void CheckWritable(const Md2Mesh& mesh) {
    const std::size_t vertices = mesh.VertexCount();
    if (mesh.frames.empty() || vertices == 0 || vertices > MD2_MAX_VERTICES) {
        throw std::runtime_error("MD2: a model needs frames with 1 to 2048 vertices");
    }
    for (const Md2Frame& frame : mesh.frames) {
        if (frame.positions.size() != vertices || frame.normalIndices.size() != vertices) {
            throw std::runtime_error("MD2: frame " + frame.name + " has another vertex count");
        }
        if (frame.name.size() >= FRAME_NAME_SIZE) {
            throw std::runtime_error("MD2: frame name " + frame.name + " is too long");
        }
    }
    for (const Md2Triangle& triangle : mesh.triangles) {
        for (int c = 0; c < 3; ++c) {
            if (triangle.vertex[c] >= vertices || triangle.texCoord[c] >= mesh.texCoords.size()) {
                throw std::runtime_error("MD2: a triangle index is out of range");
            }
        }
    }
}

void WriteHeader(ByteWriter& out, const Md2Mesh& mesh, const Layout& layout) {
    const auto count = [](std::size_t n) { return static_cast<std::int32_t>(n); };
    for (std::int32_t value :
         {MD2_IDENT, MD2_VERSION, mesh.skinWidth, mesh.skinHeight, layout.frameSize,
          count(mesh.skins.size()), count(mesh.VertexCount()), count(mesh.texCoords.size()),
          count(mesh.triangles.size()), 0, count(mesh.frames.size()), layout.skins,
          layout.texCoords, layout.triangles, layout.frames, layout.end, layout.end}) {
        out.I32(value);
    }
}

void WriteFrame(ByteWriter& out, const Md2Frame& frame) {
    Vec3 low = frame.positions[0];
    Vec3 high = frame.positions[0];
    for (const Vec3& p : frame.positions) {
        for (int a = 0; a < 3; ++a) {
            low[a] = std::min(low[a], p[a]);
            high[a] = std::max(high[a], p[a]);
        }
    }
    Vec3 scale{};
    for (int a = 0; a < 3; ++a) {
        scale[a] = high[a] > low[a] ? (high[a] - low[a]) / 255.0f : 1.0f;
        out.F32(scale[a]);
    }
    for (int a = 0; a < 3; ++a) {
        out.F32(low[a]);
    }
    out.Text(frame.name, FRAME_NAME_SIZE);
    for (std::size_t v = 0; v < frame.positions.size(); ++v) {
        for (int a = 0; a < 3; ++a) {
            const float step = std::round((frame.positions[v][a] - low[a]) / scale[a]);
            out.U8(static_cast<std::uint8_t>(std::clamp(step, 0.0f, 255.0f)));
        }
        out.U8(frame.normalIndices[v]);
    }
}

// The counts and offsets of a header, checked against the file's size.
struct Header {
    std::int32_t skinWidth, skinHeight, frameSize, skins, vertices, texCoords, triangles, frames;
    std::int32_t skinOffset, texCoordOffset, triangleOffset, frameOffset;
};

Header ReadHeader(const ByteReader& in) {
    in.Check(0, HEADER_SIZE, "the header");
    const auto at = [&](int field) { return in.I32(4 * static_cast<std::size_t>(field)); };
    Header h{at(2), at(3),  at(4),  at(5),  at(6),  at(7),
             at(8), at(10), at(11), at(12), at(13), at(14)};
    if (at(0) != MD2_IDENT || at(1) != MD2_VERSION) {
        throw std::runtime_error("not an MD2 file");
    }
    for (std::int32_t value : {h.skins, h.vertices, h.texCoords, h.triangles, h.frames,
                               h.skinOffset, h.texCoordOffset, h.triangleOffset, h.frameOffset}) {
        if (value < 0) {
            throw std::runtime_error("negative count or offset in the header");
        }
    }
    if (h.frameSize != static_cast<std::int32_t>(FRAME_HEADER_SIZE) + 4 * h.vertices) {
        throw std::runtime_error("frame size does not match the vertex count");
    }
    if (h.skinWidth <= 0 || h.skinHeight <= 0) {
        throw std::runtime_error("skin size is not positive");
    }
    return h;
}

Md2Frame ReadFrame(const ByteReader& in, std::size_t offset, std::size_t vertices) {
    in.Check(offset, FRAME_HEADER_SIZE + 4 * vertices, "a frame");
    Md2Frame frame;
    frame.name = in.Text(offset + 24, FRAME_NAME_SIZE);
    for (std::size_t v = 0; v < vertices; ++v) {
        const std::size_t at = offset + FRAME_HEADER_SIZE + 4 * v;
        Vec3 p{};
        for (std::size_t a = 0; a < 3; ++a) {
            p[a] = static_cast<float>(in.U8(at + a)) * in.F32(offset + 4 * a) +
                   in.F32(offset + 12 + 4 * a);
        }
        frame.positions.push_back(p);
        frame.normalIndices.push_back(in.U8(at + 3));
    }
    return frame;
}

void ReadTriangles(const ByteReader& in, const Header& h, Md2Mesh& mesh) {
    in.Check(h.triangleOffset, TRIANGLE_SIZE * h.triangles, "the triangles");
    for (std::int32_t i = 0; i < h.triangles; ++i) {
        const std::size_t at = h.triangleOffset + TRIANGLE_SIZE * i;
        Md2Triangle t{};
        for (std::size_t c = 0; c < 3; ++c) {
            t.vertex[c] = in.U16(at + 2 * c);
            t.texCoord[c] = in.U16(at + 6 + 2 * c);
            if (t.vertex[c] >= h.vertices || t.texCoord[c] >= h.texCoords) {
                throw std::runtime_error("a triangle index is out of range");
            }
        }
        mesh.triangles.push_back(t);
    }
}

}  // namespace

std::vector<std::uint8_t> WriteMd2(const Md2Mesh& mesh) {
    CheckWritable(mesh);
    const Layout layout = PlanLayout(mesh);
    ByteWriter out;
    WriteHeader(out, mesh, layout);
    for (const std::string& skin : mesh.skins) {
        out.Text(skin.substr(0, SKIN_NAME_SIZE - 1), SKIN_NAME_SIZE);
    }
    for (const auto& st : mesh.texCoords) {
        out.I16(st[0]);
        out.I16(st[1]);
    }
    for (const Md2Triangle& t : mesh.triangles) {
        for (std::uint16_t v : t.vertex) {
            out.U16(v);
        }
        for (std::uint16_t c : t.texCoord) {
            out.U16(c);
        }
    }
    for (const Md2Frame& frame : mesh.frames) {
        WriteFrame(out, frame);
    }
    return out.Take();
}

Md2Mesh ReadMd2(const std::vector<std::uint8_t>& bytes) {
    const ByteReader in(bytes);
    const Header h = ReadHeader(in);
    Md2Mesh mesh;
    mesh.skinWidth = h.skinWidth;
    mesh.skinHeight = h.skinHeight;
    for (std::int32_t i = 0; i < h.skins; ++i) {
        mesh.skins.push_back(in.Text(h.skinOffset + SKIN_NAME_SIZE * i, SKIN_NAME_SIZE));
    }
    in.Check(h.texCoordOffset, TEX_COORD_SIZE * h.texCoords, "the texture coordinates");
    for (std::int32_t i = 0; i < h.texCoords; ++i) {
        const std::size_t at = h.texCoordOffset + TEX_COORD_SIZE * i;
        mesh.texCoords.push_back({in.I16(at), in.I16(at + 2)});
    }
    ReadTriangles(in, h, mesh);
    for (std::int32_t i = 0; i < h.frames; ++i) {
        mesh.frames.push_back(
            ReadFrame(in, h.frameOffset + static_cast<std::size_t>(h.frameSize) * i, h.vertices));
    }
    return mesh;
}

}  // namespace bake
