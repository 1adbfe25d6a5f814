// Checks of the static models' constant tables, and their face runs.

#include "scene/static_model_check.h"

std::vector<FaceRange> FaceRuns(const StaticModel& model) {
    std::vector<FaceRange> runs;
    int32_t first = 0;
    for (int32_t m = 0; m < model.m_iMaterialCount; ++m) {
        runs.push_back({first, model.m_pRuns[m].m_iFaceCount});
        first += model.m_pRuns[m].m_iFaceCount;
    }
    return runs;
}

namespace {

bool Fail(std::string& error, const std::string& reason) {
    error = reason;
    return false;
}

bool CheckMaterials(const StaticModel& model, std::string& error) {
    if (model.m_iMaterialCount < 0)
        return Fail(error, "the material count is negative");
    if (model.m_iMaterialCount > 0 && (model.m_pMaterials == nullptr || model.m_pRuns == nullptr))
        return Fail(error, "the material or run table is missing");
    int64_t faces = 0;
    for (int32_t m = 0; m < model.m_iMaterialCount; ++m) {
        if (model.m_pMaterials[m].m_szTextureFile == nullptr)
            return Fail(error, "material " + std::to_string(m) + " names no image file");
        if (model.m_pRuns[m].m_iFaceCount < 0)
            return Fail(error, "run " + std::to_string(m) + " has a negative face count");
        faces += model.m_pRuns[m].m_iFaceCount;
    }
    if (faces != model.m_iFaceCount)
        return Fail(error, "the runs cover " + std::to_string(faces) +
                               " faces, but the model has " + std::to_string(model.m_iFaceCount));
    return true;
}

bool CheckTables(const StaticModel& model, std::string& error) {
    const std::pair<const void*, int32_t> tables[] = {{model.m_pFaces, model.m_iFaceCount},
                                                      {model.m_pVertices, model.m_iVertexCount},
                                                      {model.m_pNormals, model.m_iNormalCount},
                                                      {model.m_pTexCoords, model.m_iTexCoordCount}};
    for (const auto& [table, count] : tables) {
        if (count < 0 || (count > 0 && table == nullptr))
            return Fail(error, "a table is missing or has a negative size");
    }
    return true;
}

bool CheckIndices(const char* what, const int16_t* indices, int32_t limit, int32_t face,
                  std::string& error) {
    for (int c = 0; c < 3; ++c) {
        if (indices[c] < 0 || indices[c] >= limit)
            return Fail(error, "face " + std::to_string(face) + " uses " + what + " " +
                                   std::to_string(indices[c]) + ", but the table has " +
                                   std::to_string(limit));
    }
    return true;
}

bool CheckFaces(const StaticModel& model, std::string& error) {
    for (int32_t f = 0; f < model.m_iFaceCount; ++f) {
        const StaticFace& face = model.m_pFaces[f];
        if (!CheckIndices("vertex", face.m_vertex, model.m_iVertexCount, f, error) ||
            !CheckIndices("normal", face.m_normal, model.m_iNormalCount, f, error) ||
            !CheckIndices("texture coordinate", face.m_texCoord, model.m_iTexCoordCount, f, error))
            return false;
    }
    return true;
}

}  // namespace

bool CheckStaticModel(const StaticModel& model, std::string& error) {
    return CheckTables(model, error) && CheckMaterials(model, error) && CheckFaces(model, error);
}
