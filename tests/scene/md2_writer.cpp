#include "tests/scene/md2_writer.h"

#include <algorithm>
#include <cstring>
#include <fstream>

namespace {

constexpr int HEADER_SIZE = 68;
constexpr int SKIN_NAME_SIZE = 64;

void Put(std::vector<uint8_t>& out, const void* data, size_t size) {
    const auto* p = static_cast<const uint8_t*>(data);
    out.insert(out.end(), p, p + size);
}

void PutInt32(std::vector<uint8_t>& out, int32_t value) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(static_cast<uint32_t>(value) >> (8 * i)));
}

void PutInt16(std::vector<uint8_t>& out, int16_t value) {
    out.push_back(static_cast<uint8_t>(value & 0xFF));
    out.push_back(static_cast<uint8_t>(static_cast<uint16_t>(value) >> 8));
}

void PutFloat(std::vector<uint8_t>& out, float value) {
    int32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    PutInt32(out, bits);
}

void PutFrame(std::vector<uint8_t>& out, const Md2FixtureFrame& frame) {
    for (float s : frame.scale)
        PutFloat(out, s);
    for (float t : frame.translate)
        PutFloat(out, t);
    char name[16] = {};
    std::memcpy(name, frame.name.data(), std::min<size_t>(frame.name.size(), sizeof name));
    Put(out, name, sizeof name);
    for (const auto& v : frame.vertices) {
        Put(out, v.data(), 3);
        out.push_back(0);  // normal index, unused
    }
}

}  // namespace

std::vector<uint8_t> Md2Fixture::Bytes() const {
    const int32_t vertexCount =
        frames.empty() ? 0 : static_cast<int32_t>(frames.front().vertices.size());
    const int32_t frameSize = 40 + 4 * vertexCount;
    const int32_t skinOffset = HEADER_SIZE;
    const int32_t texCoordOffset = skinOffset + SKIN_NAME_SIZE;
    const int32_t triangleOffset = texCoordOffset + 4 * static_cast<int32_t>(texCoords.size());
    const int32_t frameOffset = triangleOffset + 12 * static_cast<int32_t>(triangles.size());
    const int32_t end = frameOffset + frameSize * static_cast<int32_t>(frames.size());
    const int32_t header[17] = {0x32504449,
                                8,
                                skinWidth,
                                skinHeight,
                                frameSize,
                                1,
                                vertexCount,
                                static_cast<int32_t>(texCoords.size()),
                                static_cast<int32_t>(triangles.size()),
                                0,
                                static_cast<int32_t>(frames.size()),
                                skinOffset,
                                texCoordOffset,
                                triangleOffset,
                                frameOffset,
                                end,
                                end};
    std::vector<uint8_t> out;
    for (int32_t field : header)
        PutInt32(out, field);
    char skin[SKIN_NAME_SIZE] = "skin.pcx";
    Put(out, skin, sizeof skin);
    for (const auto& st : texCoords)
        for (int16_t v : st)
            PutInt16(out, v);
    for (const auto& t : triangles)
        for (int16_t v : t)
            PutInt16(out, v);
    for (const auto& frame : frames)
        PutFrame(out, frame);
    return out;
}

int32_t HeaderField(const std::vector<uint8_t>& bytes, Md2HeaderField field) {
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value |= static_cast<uint32_t>(bytes[4 * field + i]) << (8 * i);
    return static_cast<int32_t>(value);
}

void SetHeaderField(std::vector<uint8_t>& bytes, Md2HeaderField field, int32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[4 * field + i] = static_cast<uint8_t>(static_cast<uint32_t>(value) >> (8 * i));
}

std::vector<std::string> FrameNames(const std::string& base, int first, int last) {
    std::vector<std::string> names;
    for (int n = first; n <= last; ++n)
        names.push_back(base + (n < 10 && first > 0 ? "0" : "") + std::to_string(n));
    return names;
}

Md2Fixture MovingTriangle(const std::vector<std::string>& names) {
    Md2Fixture model;
    model.texCoords = {{0, 0}, {32, 0}, {0, 16}};
    model.triangles = {{0, 1, 2, 0, 1, 2}};
    for (size_t k = 0; k < names.size(); ++k) {
        Md2FixtureFrame frame;
        frame.name = names[k];
        for (int j = 0; j < 3; ++j) {
            const auto b = [&](size_t v) { return static_cast<uint8_t>(v); };
            frame.vertices.push_back({b(k + j), b(2 * k), b(3 * k + j)});
        }
        model.frames.push_back(frame);
    }
    return model;
}

Md2Fixture StandRunModel() {
    std::vector<std::string> names = FrameNames("stand", 1, 40);
    const std::vector<std::string> run = FrameNames("run", 1, 6);
    names.insert(names.end(), run.begin(), run.end());
    return MovingTriangle(names);
}

void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}
