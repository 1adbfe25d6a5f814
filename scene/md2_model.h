#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "math/aabox.h"
#include "scene/frame_memory.h"
#include "scene/md2_file.h"

// One key frame of an MD2 model, in the scene's frame (y up).
struct Md2KeyFrame {
    int32_t m_iVertexCount = 0;
    int32_t m_iTriangleCount = 0;
    int32_t m_iTexCoordCount = 0;
    std::vector<float> m_pPositions;    // x, y, z, 1 per vertex
    std::vector<float> m_pNormals;      // smooth vertex normal, x, y, z per vertex
    std::vector<float> m_pTexCoords;    // s, t per coordinate; key frame 0 only
    std::vector<int32_t> m_pTriangles;  // 3 vertex then 3 texture-coordinate indices each
};

// A run of consecutive key frames whose names share a base name.
struct Md2Animation {
    char m_szName[256];
    int32_t m_iStart;  // first key frame the cycle returns to
    int32_t m_iEnd;    // key frame one past the run's last
};

struct Md2Skin {
    std::string m_szFile;
    unsigned int m_uTexture = 0;  // GL texture name
};

// An animated model read from an MD2 file with one skin image. Loading
// expands the first animation into a cycle of interpolated frames, each a
// ready-to-draw interleaved array (s, t, nx, ny, nz, x, y, z per vertex,
// three vertices per triangle); a draw shows the current frame, and only
// AdvanceFrame moves the cycle on, so every pass of a rendered frame shows
// the same pose.
// A model that failed to load stays empty and draws nothing.
class Md2Model {
  public:
    static constexpr int STEPS_PER_KEY_FRAME = 10;

    // Reads the model file and the skin image and builds the cycle; needs a
    // current GL context for the skin. A model file that cannot be used gives
    // false with the reason in error and leaves the model empty. A skin image
    // that cannot be read gives a plain skin of one mid-grey texel: true, with
    // the image named in error.
    bool Load(const char* modelFile, const char* skinFile, std::string& error);
    // Draws the current frame of the cycle.
    void Draw();

    // The part of Load that needs no GL: everything but the skin.
    bool LoadGeometry(const char* modelFile, std::string& error);
    // True once geometry and skin are loaded.
    bool IsDrawable() const;
    // Moves the cycle on by one frame, wrapping at its end; returns the frame
    // shown until then.
    int AdvanceFrame();
    int CycleLength() const;
    // Bytes held by the interpolated frames.
    size_t FrameBytes() const;
    // A box holding every vertex of every frame of the cycle; empty while the
    // model is not drawable.
    gmtl::AABoxf Bounds() const;

    int32_t m_iFrameCount = 0;
    int32_t m_iSkinCount = 0;
    int32_t m_iAnimationCount = 0;
    int32_t m_iCurrentAnimation = 0;
    int32_t m_iCurrentFrame = 0;
    std::vector<std::unique_ptr<Md2Skin>> m_ppSkins;
    std::vector<std::unique_ptr<Md2KeyFrame>> m_ppKeyFrames;
    std::vector<std::unique_ptr<Md2Animation>> m_ppAnimations;
    int32_t m_iInterpolationStep = 0;
    int32_t m_iStepsPerKeyFrame = 0;
    std::vector<float*> m_ppFrames;  // into m_frameMemory
    int32_t m_iFrameFloats = 0;
    int32_t m_iTriangleCount = 0;

  private:
    FrameMemory m_frameMemory;
    gmtl::AABoxf m_cycleBounds;

    void BuildKeyFrames(const Md2File& file);
    void BuildAnimations(const Md2File& file);
    void ComputeVertexNormals();
    void BuildInterpolatedFrames();
    void ExtendCycleBounds(const float* frame, size_t frameFloats);
    void LoadSkin(const char* skinFile, std::string& error);
};

// Splits a frame name into its base name and frame number: the number is the
// text from the first digit that lies within the last two characters, so
// "stand01" gives ("stand", 1) and "pain101" gives ("pain1", 1); a name without
// such a digit keeps its whole text and gives 0.
void SplitFrameName(const std::string& name, std::string& base, int& number);
