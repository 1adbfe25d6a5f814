// Static models: material textures and one display list per model, compiled
// from the constant tables.

#include "scene/static_model.h"

#include <string>

#include "scene/scene_image.h"
#include "scene/scene_texture.h"
#include "scene/static_model_check.h"

namespace {

void AddProblem(std::string& problems, const std::string& problem) {
    problems += problems.empty() ? "" : ", ";
    problems += problem;
}

// A material whose image cannot be read or used gets a plain texture and is
// drawn in one plain colour; the image and its fault are named in problems.
void LoadMaterialTexture(StaticMaterial& material, std::string& problems) {
    const std::string file = material.m_szTextureFile;
    SceneImage image;
    if (!image.Load(file.c_str())) {
        CreatePlainTexture(&material.m_uTexture);
        AddProblem(problems, image.RefusedSize().empty()
                                 ? "cannot read the texture image " + file
                                 : "the texture image " + file + " is " + image.RefusedSize());
        return;
    }
    const std::string problem = CreateSceneTexture(&material.m_uTexture);
    if (!problem.empty())
        AddProblem(problems, "the texture image " + file + " " + problem);
}

void SendCorner(const StaticModel& model, const StaticFace& face, int c) {
    glMultiTexCoord2fvARB(GL_TEXTURE0_ARB, model.m_pTexCoords[face.m_texCoord[c]]);
    glNormal3fv(model.m_pNormals[face.m_normal[c]]);
    glVertex3fv(model.m_pVertices[face.m_vertex[c]]);
}

}  // namespace

bool StaticModel::Build(std::string& error) {
    if (!CheckStaticModel(*this, error))
        return false;
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (int32_t m = 0; m < m_iMaterialCount; ++m)
        LoadMaterialTexture(m_pMaterials[m], error);

    m_uList = glGenLists(1);
    glNewList(m_uList, GL_COMPILE);
    glEnable(GL_TEXTURE_2D);
    const std::vector<FaceRange> runs = FaceRuns(*this);
    for (int32_t m = 0; m < m_iMaterialCount; ++m) {
        glBindTexture(GL_TEXTURE_2D, m_pMaterials[m].m_uTexture);
        glBegin(GL_TRIANGLES);
        for (int32_t f = runs[m].m_iFirst; f < runs[m].m_iFirst + runs[m].m_iCount; ++f) {
            for (int c = 0; c < 3; ++c)
                SendCorner(*this, m_pFaces[f], c);
        }
        glEnd();
    }
    glEndList();
    return true;
}

void StaticModel::Draw() const {
    if (m_uList != 0)
        glCallList(m_uList);
}
