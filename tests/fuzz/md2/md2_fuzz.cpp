// Feeds arbitrary files to the MD2 reader. A file it accepts must hold exactly what its header
// announces, with every triangle index inside its tables; such a file is then built into a model,
// whose cycle must blend every triangle of the first animation's key frames.
#include <cstdlib>
#include <string>
#include <vector>

#include "scene/md2_file.h"
#include "scene/md2_model.h"
#include "tests/fuzz/fuzz_files.h"

namespace {

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void CheckFile(const Md2File& file) {
    const Md2Header& h = file.m_header;
    Require(file.m_skins.size() == static_cast<std::size_t>(h.m_iSkinCount));
    Require(file.m_texCoords.size() == 2 * static_cast<std::size_t>(h.m_iTexCoordCount));
    Require(file.m_triangles.size() == 6 * static_cast<std::size_t>(h.m_iTriangleCount));
    Require(file.m_frames.size() == static_cast<std::size_t>(h.m_iFrameCount));
    for (std::size_t i = 0; i < file.m_triangles.size(); ++i) {
        const int32_t limit = i % 6 < 3 ? h.m_iVertexCount : h.m_iTexCoordCount;
        Require(file.m_triangles[i] >= 0 && file.m_triangles[i] < limit);
    }
    for (const Md2FileFrame& frame : file.m_frames) {
        Require(frame.m_szName.size() < Md2File::FRAME_NAME_SIZE);
        Require(frame.m_pPositions.size() == 3 * static_cast<std::size_t>(h.m_iVertexCount));
    }
}

void CheckModel(const Md2Model& model, const Md2File& file) {
    Require(model.m_iFrameCount == file.m_header.m_iFrameCount);
    Require(model.m_ppKeyFrames.size() == file.m_frames.size());
    for (const auto& animation : model.m_ppAnimations) {
        Require(animation->m_iStart >= 0 && animation->m_iStart < model.m_iFrameCount);
        Require(animation->m_iEnd > 0 && animation->m_iEnd <= model.m_iFrameCount);
    }
    const int cycle = model.m_ppAnimations.front()->m_iEnd * Md2Model::STEPS_PER_KEY_FRAME;
    Require(model.CycleLength() == cycle);
    Require(model.m_iFrameFloats == 24 * file.m_header.m_iTriangleCount);
    Require(model.FrameBytes() ==
            static_cast<std::size_t>(cycle) * model.m_iFrameFloats * sizeof(float));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Md2File file;
    std::string error;
    if (!ParseMd2File(std::vector<std::uint8_t>(data, data + size), file, error)) {
        Require(!error.empty() && file.m_frames.empty() && file.m_triangles.empty());
        return 0;
    }
    CheckFile(file);

    const std::string path = FuzzPath("model.md2");
    WriteFuzzFile(path, data, size);
    Md2Model model;
    if (!model.LoadGeometry(path.c_str(), error)) {
        Require(!error.empty() && model.CycleLength() == 0 && model.m_ppKeyFrames.empty());
        return 0;
    }
    CheckModel(model, file);
    return 0;
}
