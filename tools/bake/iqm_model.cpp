#include "tools/bake/iqm_model.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "tools/bake/byte_io.h"

namespace bake {

namespace {

constexpr std::size_t HEADER_SIZE = 124;
constexpr std::uint32_t POSITION = 0, TEXCOORD = 1, BLENDINDEXES = 4, BLENDWEIGHTS = 5;
constexpr std::uint32_t UBYTE = 1, FLOAT = 7;

// Column-major 4x4 affine matrix.
using Mat4 = std::array<float, 16>;

Mat4 Multiply(const Mat4& a, const Mat4& b) {
    Mat4 r{};
    for (int c = 0; c < 4; ++c) {
        for (int row = 0; row < 4; ++row) {
            for (int k = 0; k < 4; ++k) {
                r[c * 4 + row] += a[k * 4 + row] * b[c * 4 + k];
            }
        }
    }
    return r;
}

// Translate * rotate(unit quaternion) * scale.
Mat4 PoseMatrix(const std::array<float, 10>& p) {
    float x = p[3], y = p[4], z = p[5], w = p[6];
    const float n = std::sqrt(x * x + y * y + z * z + w * w);
    x /= n, y /= n, z /= n, w /= n;
    const Mat4 r = {1 - 2 * (y * y + z * z),
                    2 * (x * y + z * w),
                    2 * (x * z - y * w),
                    0,
                    2 * (x * y - z * w),
                    1 - 2 * (x * x + z * z),
                    2 * (y * z + x * w),
                    0,
                    2 * (x * z + y * w),
                    2 * (y * z - x * w),
                    1 - 2 * (x * x + y * y),
                    0,
                    p[0],
                    p[1],
                    p[2],
                    1};
    Mat4 m = r;
    for (int c = 0; c < 3; ++c) {
        for (int row = 0; row < 3; ++row) {
            m[c * 4 + row] *= p[7 + c];
        }
    }
    return m;
}

// Inverse of an affine matrix whose upper 3x3 is invertible.
Mat4 InvertAffine(const Mat4& m) {
    const float a = m[0], b = m[4], c = m[8], d = m[1], e = m[5], f = m[9], g = m[2], h = m[6],
                i = m[10];
    const float det = a * (e * i - f * h) - b * (d * i - f * g) + c * (d * h - e * g);
    Mat4 r{};
    r[0] = (e * i - f * h) / det, r[4] = (c * h - b * i) / det, r[8] = (b * f - c * e) / det;
    r[1] = (f * g - d * i) / det, r[5] = (a * i - c * g) / det, r[9] = (c * d - a * f) / det;
    r[2] = (d * h - e * g) / det, r[6] = (b * g - a * h) / det, r[10] = (a * e - b * d) / det;
    for (int row = 0; row < 3; ++row) {
        r[12 + row] = -(r[row] * m[12] + r[4 + row] * m[13] + r[8 + row] * m[14]);
    }
    r[15] = 1;
    return r;
}

Vec3 Transform(const Mat4& m, const Vec3& p) {
    return {m[0] * p[0] + m[4] * p[1] + m[8] * p[2] + m[12],
            m[1] * p[0] + m[5] * p[1] + m[9] * p[2] + m[13],
            m[2] * p[0] + m[6] * p[1] + m[10] * p[2] + m[14]};
}

struct Header {
    std::uint32_t text, textOffset, meshes, meshOffset, arrays, vertices, arrayOffset, triangles,
        triangleOffset, joints, jointOffset, poses, poseOffset, anims, animOffset, frames, channels,
        frameOffset;
};

Header ReadHeader(const ByteReader& in) {
    in.Check(0, HEADER_SIZE, "the header");
    if (in.Text(0, 16) != "INTERQUAKEMODEL" || in.U32(16) != 2) {
        throw std::runtime_error("not an IQM file of version 2");
    }
    const auto at = [&](std::size_t offset) { return in.U32(offset); };
    return {at(28), at(32), at(36), at(40), at(44), at(48), at(52), at(56), at(60),
            at(68), at(72), at(76), at(80), at(84), at(88), at(92), at(96), at(100)};
}

std::string TextAt(const ByteReader& in, const Header& h, std::uint32_t offset) {
    if (offset >= h.text) {
        throw std::runtime_error("a name lies outside the text block");
    }
    return in.Text(h.textOffset + offset, h.text - offset);
}

template <typename T, std::size_t N>
std::vector<std::array<T, N>> ReadArray(const ByteReader& in, std::size_t offset, std::size_t count,
                                        std::uint32_t format) {
    const std::size_t size = format == FLOAT ? 4 : 1;
    in.Check(offset, count * N * size, "a vertex array");
    std::vector<std::array<T, N>> values(count);
    for (std::size_t v = 0; v < count; ++v) {
        for (std::size_t k = 0; k < N; ++k) {
            const std::size_t at = offset + (v * N + k) * size;
            values[v][k] = format == FLOAT ? static_cast<T>(in.F32(at)) : static_cast<T>(in.U8(at));
        }
    }
    return values;
}

void ReadVertexArrays(const ByteReader& in, const Header& h, IqmModel& model) {
    for (std::uint32_t i = 0; i < h.arrays; ++i) {
        const std::size_t at = h.arrayOffset + 20 * std::size_t{i};
        const std::uint32_t type = in.U32(at), format = in.U32(at + 8), size = in.U32(at + 12);
        const std::uint32_t offset = in.U32(at + 16);
        if (type == POSITION && format == FLOAT && size == 3) {
            model.positions = ReadArray<float, 3>(in, offset, h.vertices, format);
        } else if (type == TEXCOORD && format == FLOAT && size == 2) {
            model.texCoords = ReadArray<float, 2>(in, offset, h.vertices, format);
        } else if (type == BLENDINDEXES && format == UBYTE && size == 4) {
            model.blendIndices = ReadArray<std::uint8_t, 4>(in, offset, h.vertices, format);
        } else if (type == BLENDWEIGHTS && format == UBYTE && size == 4) {
            model.blendWeights = ReadArray<std::uint8_t, 4>(in, offset, h.vertices, format);
        }
    }
    if (model.positions.empty() || model.texCoords.empty() || model.blendIndices.empty() ||
        model.blendWeights.empty()) {
        throw std::runtime_error("IQM file lacks positions, texture coordinates or skinning");
    }
}

void ReadMeshesAndTriangles(const ByteReader& in, const Header& h, IqmModel& model) {
    for (std::uint32_t i = 0; i < h.meshes; ++i) {
        const std::size_t at = h.meshOffset + 24 * std::size_t{i};
        IqmModel::Mesh mesh{TextAt(in, h, in.U32(at)),
                            TextAt(in, h, in.U32(at + 4)),
                            in.U32(at + 8),
                            in.U32(at + 12),
                            in.U32(at + 16),
                            in.U32(at + 20)};
        if (std::size_t{mesh.firstVertex} + mesh.vertexCount > h.vertices ||
            std::size_t{mesh.firstTriangle} + mesh.triangleCount > h.triangles) {
            throw std::runtime_error("IQM mesh " + mesh.name + " exceeds its arrays");
        }
        model.meshes.push_back(mesh);
    }
    for (std::uint32_t i = 0; i < h.triangles; ++i) {
        const std::size_t at = h.triangleOffset + 12 * std::size_t{i};
        const std::array<std::uint32_t, 3> t{in.U32(at), in.U32(at + 4), in.U32(at + 8)};
        for (std::uint32_t v : t) {
            if (v >= h.vertices) {
                throw std::runtime_error("IQM triangle index out of range");
            }
        }
        model.triangles.push_back(t);
    }
}

void ReadJoints(const ByteReader& in, const Header& h, IqmModel& model) {
    for (std::uint32_t i = 0; i < h.joints; ++i) {
        const std::size_t at = h.jointOffset + 48 * std::size_t{i};
        IqmModel::Joint joint{in.I32(at + 4), {}};
        if (joint.parent >= static_cast<std::int32_t>(i)) {
            throw std::runtime_error("IQM joint before its parent");
        }
        for (std::size_t k = 0; k < 10; ++k) {
            joint.pose[k] = in.F32(at + 8 + 4 * k);
        }
        model.joints.push_back(joint);
    }
    for (const auto& indices : model.blendIndices) {
        for (std::uint8_t j : indices) {
            if (j >= h.joints) {
                throw std::runtime_error("IQM blend index out of range");
            }
        }
    }
}

void ReadFrames(const ByteReader& in, const Header& h, IqmModel& model) {
    if (h.poses != h.joints) {
        throw std::runtime_error("IQM poses do not match the joints");
    }
    std::size_t channel = h.frameOffset;
    in.Check(h.frameOffset, 2 * std::size_t{h.frames} * h.channels, "the frames");
    for (std::uint32_t f = 0; f < h.frames; ++f) {
        for (std::uint32_t p = 0; p < h.poses; ++p) {
            const std::size_t at = h.poseOffset + 88 * std::size_t{p};
            const std::uint32_t mask = in.U32(at + 4);
            std::array<float, 10> pose{};
            for (std::size_t k = 0; k < 10; ++k) {
                pose[k] = in.F32(at + 8 + 4 * k);
                if (mask & (1u << k)) {
                    pose[k] += in.U16(channel) * in.F32(at + 48 + 4 * k);
                    channel += 2;
                }
            }
            model.framePoses.push_back(pose);
        }
    }
    for (std::uint32_t i = 0; i < h.anims; ++i) {
        const std::size_t at = h.animOffset + 20 * std::size_t{i};
        IqmModel::Animation a{TextAt(in, h, in.U32(at)), in.U32(at + 4), in.U32(at + 8)};
        if (std::size_t{a.firstFrame} + a.frameCount > h.frames || a.frameCount == 0) {
            throw std::runtime_error("IQM animation " + a.name + " exceeds the frames");
        }
        model.animations.push_back(a);
    }
}

}  // namespace

IqmModel ReadIqm(const std::vector<std::uint8_t>& bytes) {
    const ByteReader in(bytes);
    const Header h = ReadHeader(in);
    IqmModel model;
    ReadVertexArrays(in, h, model);
    ReadMeshesAndTriangles(in, h, model);
    ReadJoints(in, h, model);
    ReadFrames(in, h, model);
    return model;
}

std::vector<Vec3> PoseAt(const IqmModel& model, std::uint32_t frame) {
    const std::size_t joints = model.joints.size();
    std::vector<Mat4> base(joints), inverse(joints), skin(joints);
    for (std::size_t j = 0; j < joints; ++j) {
        const Mat4 local = PoseMatrix(model.joints[j].pose);
        const std::int32_t parent = model.joints[j].parent;
        base[j] = parent >= 0 ? Multiply(base[parent], local) : local;
        inverse[j] = InvertAffine(base[j]);
        const Mat4 posed = PoseMatrix(model.framePoses.at(frame * joints + j));
        skin[j] = parent >= 0 ? Multiply(skin[parent], posed) : posed;
    }
    for (std::size_t j = 0; j < joints; ++j) {
        skin[j] = Multiply(skin[j], inverse[j]);
    }
    std::vector<Vec3> out(model.positions.size());
    for (std::size_t v = 0; v < out.size(); ++v) {
        Vec3 sum{};
        for (int k = 0; k < 4; ++k) {
            const float w = model.blendWeights[v][k] / 255.0f;
            const Vec3 p = Transform(skin[model.blendIndices[v][k]], model.positions[v]);
            for (int a = 0; a < 3; ++a) {
                sum[a] += w * p[a];
            }
        }
        out[v] = sum;
    }
    return out;
}

Md2Mesh IqmToMd2(const IqmModel& model, std::size_t keyFrames, const std::string& name,
                 int skinWidth, int skinHeight) {
    if (model.positions.size() > MD2_MAX_VERTICES) {
        throw std::runtime_error("IQM model has more vertices than MD2 holds");
    }
    Md2Mesh out;
    out.skinWidth = skinWidth;
    out.skinHeight = skinHeight;
    for (const Vec2& uv : model.texCoords) {
        out.texCoords.push_back({static_cast<std::int16_t>(std::lround(uv[0] * skinWidth)),
                                 static_cast<std::int16_t>(std::lround(uv[1] * skinHeight))});
    }
    for (const auto& t : model.triangles) {
        // IQM winds its triangles as MD2 does: the loader's face normals point outwards.
        const std::array<std::uint16_t, 3> corners{static_cast<std::uint16_t>(t[0]),
                                                   static_cast<std::uint16_t>(t[1]),
                                                   static_cast<std::uint16_t>(t[2])};
        out.triangles.push_back({corners, corners});
    }
    const IqmModel::Animation& a = model.animations.at(0);
    for (std::size_t k = 0; k < keyFrames; ++k) {
        const auto frame = static_cast<std::uint32_t>(a.firstFrame + k * a.frameCount / keyFrames);
        char frameName[32];
        std::snprintf(frameName, sizeof(frameName), "%s%02zu", name.c_str(), k + 1);
        out.frames.push_back({frameName, PoseAt(model, frame),
                              std::vector<std::uint8_t>(model.positions.size(), 0)});
    }
    return out;
}

}  // namespace bake
