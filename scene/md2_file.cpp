// Reading of MD2 files: the header, the texture coordinates, the triangles and
// the frames, each checked against the file before it is read.

#include "scene/md2_file.h"

#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>

namespace {

int32_t ReadInt32(const uint8_t* p) {
    const uint32_t u = static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                       static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
    int32_t value = 0;
    std::memcpy(&value, &u, sizeof value);
    return value;
}

int16_t ReadInt16(const uint8_t* p) {
    const uint16_t u = static_cast<uint16_t>(p[0] | p[1] << 8);
    int16_t value = 0;
    std::memcpy(&value, &u, sizeof value);
    return value;
}

float ReadFloat(const uint8_t* p) {
    const int32_t bits = ReadInt32(p);
    float value = 0.0f;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

Md2Header ReadHeader(const uint8_t* p) {
    int32_t fields[17];
    for (int i = 0; i < 17; ++i)
        fields[i] = ReadInt32(p + 4 * i);
    Md2Header h{};
    static_assert(sizeof h == sizeof fields, "the header is 17 int32");
    std::memcpy(&h, fields, sizeof h);
    return h;
}

// Fails with a reason when the header does not describe a file of size bytes.
class HeaderCheck {
  public:
    HeaderCheck(const Md2Header& h, int64_t size, std::string& error)
        : m_h(h), m_size(size), m_error(error) {}

    bool Run() {
        return Counts() &&
               Section("skin names", m_h.m_iSkinCount, m_h.m_iSkinOffset,
                       Md2File::SKIN_NAME_SIZE) &&
               Section("texture coordinates", m_h.m_iTexCoordCount, m_h.m_iTexCoordOffset, 4) &&
               Section("triangles", m_h.m_iTriangleCount, m_h.m_iTriangleOffset, 12) &&
               FrameSize() &&
               Section("frames", m_h.m_iFrameCount, m_h.m_iFrameOffset, m_h.m_iFrameSize) &&
               SkinSize();
    }

  private:
    bool Fail(const std::string& reason) {
        m_error = reason;
        return false;
    }

    bool Counts() {
        const std::pair<const char*, int32_t> counts[] = {
            {"skin", m_h.m_iSkinCount},
            {"vertex", m_h.m_iVertexCount},
            {"texture coordinate", m_h.m_iTexCoordCount},
            {"triangle", m_h.m_iTriangleCount},
            {"frame", m_h.m_iFrameCount}};
        for (const auto& [what, count] : counts) {
            if (count < 0)
                return Fail(std::string("the ") + what + " count " + std::to_string(count) +
                            " is negative");
        }
        if (m_h.m_iFrameCount == 0)
            return Fail("the file has no frames");
        return true;
    }

    bool Section(const char* what, int32_t count, int32_t offset, int64_t elementSize) {
        if (count == 0)
            return true;
        const int64_t end = static_cast<int64_t>(offset) + count * elementSize;
        if (offset < 0 || end > m_size)
            return Fail(std::string("the ") + what + " at offset " + std::to_string(offset) +
                        " reach past the end of the file (" + std::to_string(m_size) + " bytes)");
        return true;
    }

    bool FrameSize() {
        const int64_t needed =
            Md2File::FRAME_HEADER_SIZE + 4 * static_cast<int64_t>(m_h.m_iVertexCount);
        if (m_h.m_iFrameSize < needed)
            return Fail("the frame size " + std::to_string(m_h.m_iFrameSize) +
                        " is too small for " + std::to_string(m_h.m_iVertexCount) + " vertices");
        return true;
    }

    bool SkinSize() {
        if (m_h.m_iTexCoordCount > 0 && (m_h.m_iSkinWidth <= 0 || m_h.m_iSkinHeight <= 0))
            return Fail("the skin size " + std::to_string(m_h.m_iSkinWidth) + " x " +
                        std::to_string(m_h.m_iSkinHeight) + " is not positive");
        return true;
    }

    const Md2Header& m_h;
    int64_t m_size;
    std::string& m_error;
};

void ReadSkinNames(const uint8_t* bytes, Md2File& file) {
    const Md2Header& h = file.m_header;
    file.m_skins.resize(h.m_iSkinCount);
    for (int32_t i = 0; i < h.m_iSkinCount; ++i)
        std::memcpy(file.m_skins[i].data(), bytes + h.m_iSkinOffset + i * Md2File::SKIN_NAME_SIZE,
                    Md2File::SKIN_NAME_SIZE);
}

void ReadInt16s(const uint8_t* p, int64_t count, std::vector<int16_t>& out) {
    out.resize(count);
    for (int64_t i = 0; i < count; ++i)
        out[i] = ReadInt16(p + 2 * i);
}

// Every triangle's indices must lie within the vertex and texture-coordinate
// tables.
bool CheckTriangles(const Md2File& file, std::string& error) {
    const Md2Header& h = file.m_header;
    for (int32_t t = 0; t < h.m_iTriangleCount; ++t) {
        for (int k = 0; k < 6; ++k) {
            const int index = file.m_triangles[6 * t + k];
            const bool vertex = k < 3;
            const int32_t limit = vertex ? h.m_iVertexCount : h.m_iTexCoordCount;
            if (index < 0 || index >= limit) {
                error = "triangle " + std::to_string(t) + " uses " +
                        (vertex ? "vertex " : "texture coordinate ") + std::to_string(index) +
                        ", but the file has " + std::to_string(limit);
                return false;
            }
        }
    }
    return true;
}

// Decodes one frame record: scale, translate, name, then per vertex three
// coordinate bytes and an unused normal index.
bool ReadFrame(const uint8_t* p, int32_t index, int32_t vertexCount, Md2FileFrame& frame,
               std::string& error) {
    const char* name = reinterpret_cast<const char*>(p + 24);
    const void* nul = std::memchr(name, '\0', Md2File::FRAME_NAME_SIZE);
    if (nul == nullptr) {
        error = "the name of frame " + std::to_string(index) + " is not NUL-terminated";
        return false;
    }
    frame.m_szName.assign(name, static_cast<const char*>(nul));
    float scale[3];
    float translate[3];
    for (int a = 0; a < 3; ++a) {
        scale[a] = ReadFloat(p + 4 * a);
        translate[a] = ReadFloat(p + 12 + 4 * a);
    }
    frame.m_pPositions.resize(3 * static_cast<size_t>(vertexCount));
    const uint8_t* v = p + Md2File::FRAME_HEADER_SIZE;
    for (int32_t j = 0; j < vertexCount; ++j, v += 4) {
        const float x = v[0] * scale[0] + translate[0];
        const float y = v[1] * scale[1] + translate[1];
        const float z = v[2] * scale[2] + translate[2];
        if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(z)) {
            error =
                "frame " + std::to_string(index) + " has a position that is not a finite number";
            return false;
        }
        frame.m_pPositions[3 * j] = x;
        frame.m_pPositions[3 * j + 1] = z;
        frame.m_pPositions[3 * j + 2] = -y;
    }
    return true;
}

bool ReadFrames(const uint8_t* bytes, Md2File& file, std::string& error) {
    const Md2Header& h = file.m_header;
    file.m_frames.resize(h.m_iFrameCount);
    for (int32_t i = 0; i < h.m_iFrameCount; ++i) {
        const uint8_t* p = bytes + h.m_iFrameOffset + static_cast<int64_t>(i) * h.m_iFrameSize;
        if (!ReadFrame(p, i, h.m_iVertexCount, file.m_frames[i], error))
            return false;
    }
    return true;
}

bool ParseBody(const std::vector<uint8_t>& bytes, Md2File& file, std::string& error) {
    if (bytes.size() < static_cast<size_t>(Md2File::HEADER_SIZE)) {
        error =
            "the file is shorter than its " + std::to_string(Md2File::HEADER_SIZE) + "-byte header";
        return false;
    }
    file.m_header = ReadHeader(bytes.data());
    const Md2Header& h = file.m_header;
    if (!HeaderCheck(h, static_cast<int64_t>(bytes.size()), error).Run())
        return false;
    ReadSkinNames(bytes.data(), file);
    ReadInt16s(bytes.data() + h.m_iTexCoordOffset, 2 * int64_t{h.m_iTexCoordCount},
               file.m_texCoords);
    ReadInt16s(bytes.data() + h.m_iTriangleOffset, 6 * int64_t{h.m_iTriangleCount},
               file.m_triangles);
    return CheckTriangles(file, error) && ReadFrames(bytes.data(), file, error);
}

}  // namespace

bool ParseMd2File(const std::vector<uint8_t>& bytes, Md2File& file, std::string& error) {
    FreeMd2File(file);
    if (ParseBody(bytes, file, error))
        return true;
    FreeMd2File(file);
    return false;
}

bool ReadMd2File(const std::string& path, Md2File& file, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        FreeMd2File(file);
        error = "cannot open the file";
        return false;
    }
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                     std::istreambuf_iterator<char>());
    return ParseMd2File(bytes, file, error);
}

void FreeMd2File(Md2File& file) {
    file = Md2File{};
}
