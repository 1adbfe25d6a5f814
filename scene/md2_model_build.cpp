// The GL-free part of an MD2 model: key frames, vertex normals and the cycle
// of interpolated frames, and the draw cursor.

#include <array>
#include <cmath>
#include <new>

#include "scene/md2_model.h"

namespace {

// A file's counts can ask for far more memory than the file's own size: every key frame holds
// every triangle, and every frame of the cycle every corner of every triangle. Loading stops with
// an error where the key frames or the cycle would need more than this; the program's largest
// model needs 43 MiB for its cycle. Ten models from damaged files could otherwise hold gigabytes.
constexpr uint64_t MAX_FRAME_BYTES = uint64_t{64} << 20;

bool FitsFrameLimit(const char* what, uint64_t bytes, std::string& error) {
    if (bytes <= MAX_FRAME_BYTES)
        return true;
    error = std::string("the ") + what + " would need " + std::to_string(bytes >> 20) +
            " MiB, more than the " + std::to_string(MAX_FRAME_BYTES >> 20) + " MiB allowed";
    return false;
}

// Positions (x, y, z, 1), normals and the triangles of every key frame; the reader has checked
// that the counts are not negative.
uint64_t KeyFrameBytes(const Md2Header& h) {
    const uint64_t perFrame = 7 * sizeof(float) * static_cast<uint64_t>(h.m_iVertexCount) +
                              6 * sizeof(int32_t) * static_cast<uint64_t>(h.m_iTriangleCount);
    return static_cast<uint64_t>(h.m_iFrameCount) * perFrame;
}

// Frames of 24 floats per triangle, STEPS_PER_KEY_FRAME for each key frame up to the animation's
// end.
uint64_t CycleBytes(const Md2Animation& animation, const Md2Header& h) {
    return static_cast<uint64_t>(animation.m_iEnd) * Md2Model::STEPS_PER_KEY_FRAME * 24 *
           sizeof(float) * static_cast<uint64_t>(h.m_iTriangleCount);
}

}  // namespace

bool Md2Model::LoadGeometry(const char* modelFile, std::string& error) {
    *this = Md2Model();
    Md2File file;
    if (!ReadMd2File(modelFile, file, error))
        return false;
    if (!FitsFrameLimit("key frames", KeyFrameBytes(file.m_header), error))
        return false;
    try {
        BuildKeyFrames(file);
        if (m_iAnimationCount == 0) {
            *this = Md2Model();
            error = "no frame name gives an animation";
            return false;
        }
        const uint64_t cycleBytes = CycleBytes(*m_ppAnimations[m_iCurrentAnimation], file.m_header);
        if (!FitsFrameLimit("interpolated frames", cycleBytes, error)) {
            *this = Md2Model();
            return false;
        }
        ComputeVertexNormals();
        m_iStepsPerKeyFrame = STEPS_PER_KEY_FRAME;
        BuildInterpolatedFrames();
    } catch (const std::bad_alloc&) {
        *this = Md2Model();
        error = "not enough memory for the interpolated frames";
        return false;
    }
    return true;
}

void Md2Model::BuildKeyFrames(const Md2File& file) {
    const Md2Header& h = file.m_header;
    m_iFrameCount = h.m_iFrameCount;
    m_ppKeyFrames.clear();
    BuildAnimations(file);
    for (int32_t i = 0; i < m_iFrameCount; ++i) {
        auto key = std::make_unique<Md2KeyFrame>();
        key->m_iVertexCount = h.m_iVertexCount;
        key->m_iTriangleCount = h.m_iTriangleCount;
        key->m_iTexCoordCount = h.m_iTexCoordCount;
        const std::vector<float>& positions = file.m_frames[i].m_pPositions;
        key->m_pPositions.reserve(4 * static_cast<size_t>(h.m_iVertexCount));
        for (int32_t j = 0; j < h.m_iVertexCount; ++j) {
            key->m_pPositions.insert(key->m_pPositions.end(), &positions[3 * j],
                                     &positions[3 * j] + 3);
            key->m_pPositions.push_back(1.0f);
        }
        if (i == 0) {
            for (int32_t c = 0; c < h.m_iTexCoordCount; ++c) {
                key->m_pTexCoords.push_back(static_cast<float>(file.m_texCoords[2 * c]) /
                                            static_cast<float>(h.m_iSkinWidth));
                key->m_pTexCoords.push_back(static_cast<float>(file.m_texCoords[2 * c + 1]) /
                                            static_cast<float>(h.m_iSkinHeight));
            }
        }
        key->m_pTriangles.assign(file.m_triangles.begin(), file.m_triangles.end());
        m_ppKeyFrames.push_back(std::move(key));
    }
    m_iInterpolationStep = 0;
}

namespace {

using Vec3 = std::array<float, 3>;

Vec3 Position(const Md2KeyFrame& key, int32_t v) {
    return {key.m_pPositions[4 * v], key.m_pPositions[4 * v + 1], key.m_pPositions[4 * v + 2]};
}

Vec3 Sub(const Vec3& a, const Vec3& b) {
    return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}

Vec3 Cross(const Vec3& a, const Vec3& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

// The face vector (p0 - p2) x (p2 - p1): its length is twice the triangle's area.
Vec3 FaceVector(const Md2KeyFrame& key, const int32_t* corners) {
    const Vec3 p0 = Position(key, corners[0]);
    const Vec3 p1 = Position(key, corners[1]);
    const Vec3 p2 = Position(key, corners[2]);
    return Cross(Sub(p0, p2), Sub(p2, p1));
}

// Mean of the face vectors of the triangles around each vertex (a triangle
// counts once even if it names the vertex twice), normalised. A vertex that no
// triangle uses, or whose face vectors cancel out, keeps a zero normal.
void ComputeKeyFrameNormals(Md2KeyFrame& key) {
    std::vector<float> sum(3 * static_cast<size_t>(key.m_iVertexCount), 0.0f);
    std::vector<int32_t> count(key.m_iVertexCount, 0);
    for (int32_t t = 0; t < key.m_iTriangleCount; ++t) {
        const int32_t* corners = &key.m_pTriangles[6 * t];
        const Vec3 f = FaceVector(key, corners);
        for (int k = 0; k < 3; ++k) {
            const int32_t v = corners[k];
            if ((k > 0 && v == corners[0]) || (k == 2 && v == corners[1]))
                continue;
            for (int a = 0; a < 3; ++a)
                sum[3 * v + a] += f[a];
            ++count[v];
        }
    }
    key.m_pNormals.assign(3 * static_cast<size_t>(key.m_iVertexCount), 0.0f);
    for (int32_t v = 0; v < key.m_iVertexCount; ++v) {
        if (count[v] == 0)
            continue;
        Vec3 n{};
        for (int a = 0; a < 3; ++a)
            n[a] = sum[3 * v + a] / static_cast<float>(count[v]);
        const float length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
        if (length > 0.0f && std::isfinite(length)) {
            for (int a = 0; a < 3; ++a)
                key.m_pNormals[3 * v + a] = n[a] / length;
        }
    }
}

// One interpolated frame into out: every triangle's corners blended from key
// frame cur toward key frame next by t.
void BlendFrame(const Md2KeyFrame& cur, const Md2KeyFrame& next, const Md2KeyFrame& first, float t,
                float* out) {
    for (int32_t tri = 0; tri < cur.m_iTriangleCount; ++tri) {
        for (int k = 0; k < 3; ++k, out += 8) {
            const int32_t v = cur.m_pTriangles[6 * tri + k];
            const int32_t c = cur.m_pTriangles[6 * tri + 3 + k];
            out[0] = first.m_pTexCoords[2 * c];
            out[1] = first.m_pTexCoords[2 * c + 1];
            for (int a = 0; a < 3; ++a) {
                const float n0 = cur.m_pNormals[3 * v + a];
                out[2 + a] = n0 + (next.m_pNormals[3 * v + a] - n0) * t;
                const float p0 = cur.m_pPositions[4 * v + a];
                out[5 + a] = p0 + (next.m_pPositions[4 * v + a] - p0) * t;
            }
        }
    }
}

}  // namespace

void Md2Model::ComputeVertexNormals() {
    for (auto& key : m_ppKeyFrames)
        ComputeKeyFrameNormals(*key);
}

// Frame 10 k + j of the cycle is key frame k blended toward the next key frame
// by j / 10; the last key frame blends back toward the animation's start, so
// the cycle loops without a seam.
void Md2Model::BuildInterpolatedFrames() {
    const Md2Animation& animation = *m_ppAnimations[m_iCurrentAnimation];
    const int32_t s = m_iStepsPerKeyFrame;
    const int32_t frames = animation.m_iEnd * s;
    const size_t frameFloats =
        m_ppKeyFrames.empty() ? 0 : 24 * static_cast<size_t>(m_ppKeyFrames[0]->m_iTriangleCount);
    m_frameMemory = FrameMemory(frameFloats * static_cast<size_t>(frames));
    m_ppFrames.reserve(frames);
    for (int32_t f = 0; f < frames; ++f) {
        const int32_t cur = m_iCurrentFrame;
        int32_t next = (cur + 1) % animation.m_iEnd;
        if (next == 0)
            next = animation.m_iStart;
        const float t = static_cast<float>(m_iInterpolationStep) / static_cast<float>(s);
        if (m_iInterpolationStep == s) {
            m_iCurrentFrame = next;
            m_iInterpolationStep = 0;
        }
        ++m_iInterpolationStep;
        const Md2KeyFrame& key = *m_ppKeyFrames[cur];
        float* frame = m_frameMemory.Data() + frameFloats * static_cast<size_t>(f);
        BlendFrame(key, *m_ppKeyFrames[next], *m_ppKeyFrames[0], t, frame);
        ExtendCycleBounds(frame, frameFloats);
        m_ppFrames.push_back(frame);
        m_iTriangleCount = key.m_iTriangleCount;
        m_iFrameFloats = 24 * key.m_iTriangleCount;
    }
    m_iCurrentFrame = 0;
}

// Each vertex of a frame is s, t, nx, ny, nz, x, y, z.
void Md2Model::ExtendCycleBounds(const float* frame, size_t frameFloats) {
    for (size_t i = 0; i < frameFloats; i += 8)
        gmtl::extendVolume(m_cycleBounds, gmtl::Vec3f(frame[i + 5], frame[i + 6], frame[i + 7]));
}

gmtl::AABoxf Md2Model::Bounds() const {
    return IsDrawable() ? m_cycleBounds : gmtl::AABoxf();
}

bool Md2Model::IsDrawable() const {
    return !m_ppFrames.empty() && m_iSkinCount > 0;
}

int Md2Model::CycleLength() const {
    return static_cast<int>(m_ppFrames.size());
}

int Md2Model::AdvanceFrame() {
    const int shown = m_iCurrentFrame;
    ++m_iCurrentFrame;
    if (m_iCurrentFrame > CycleLength() - 1)
        m_iCurrentFrame = 0;
    return shown;
}

size_t Md2Model::FrameBytes() const {
    return m_ppFrames.size() * static_cast<size_t>(m_iFrameFloats) * sizeof(float);
}
