#include "tools/bake/mesh_import.h"

#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <algorithm>
#include <assimp/Importer.hpp>
#include <stdexcept>

namespace bake {

namespace {

Vec3 ToVec3(const aiVector3D& v) {
    return {v.x, v.y, v.z};
}

SourceMaterial ReadMaterial(const aiMaterial& material) {
    SourceMaterial out{};
    aiString name;
    if (material.Get(AI_MATKEY_NAME, name) == AI_SUCCESS) {
        out.name = name.C_Str();
    }
    aiString texture;
    if (material.GetTexture(aiTextureType_DIFFUSE, 0, &texture) == AI_SUCCESS) {
        out.texture = texture.C_Str();
    }
    aiColor3D colour(0.7f, 0.7f, 0.7f);
    material.Get(AI_MATKEY_COLOR_DIFFUSE, colour);
    const auto channel = [](float c) {
        return static_cast<unsigned char>(std::clamp(c, 0.0f, 1.0f) * 255.0f + 0.5f);
    };
    out.colour = {channel(colour.r), channel(colour.g), channel(colour.b)};
    return out;
}

void AddMeshTriangles(const aiMesh& mesh, std::vector<SourceTriangle>& triangles) {
    for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
        const aiFace& face = mesh.mFaces[f];
        if (face.mNumIndices != 3) {
            continue;
        }
        SourceTriangle t{};
        t.material = mesh.mMaterialIndex;
        for (int c = 0; c < 3; ++c) {
            const unsigned v = face.mIndices[c];
            t.position[c] = ToVec3(mesh.mVertices[v]);
            t.normal[c] = ToVec3(mesh.mNormals[v]);
            if (mesh.HasTextureCoords(0)) {
                t.texCoord[c] = {mesh.mTextureCoords[0][v].x, 1.0f - mesh.mTextureCoords[0][v].y};
            }
        }
        triangles.push_back(t);
    }
}

}  // namespace

SourceMesh ImportMesh(const std::string& path) {
    Assimp::Importer importer;
    importer.SetPropertyInteger(AI_CONFIG_PP_SBP_REMOVE,
                                aiPrimitiveType_POINT | aiPrimitiveType_LINE);
    const aiScene* scene = importer.ReadFile(
        path, aiProcess_Triangulate | aiProcess_PreTransformVertices | aiProcess_SortByPType |
                  aiProcess_GenSmoothNormals | aiProcess_JoinIdenticalVertices);
    if (scene == nullptr) {
        throw std::runtime_error("cannot read model " + path + ": " + importer.GetErrorString());
    }
    SourceMesh out;
    for (unsigned m = 0; m < scene->mNumMaterials; ++m) {
        out.materials.push_back(ReadMaterial(*scene->mMaterials[m]));
    }
    for (unsigned m = 0; m < scene->mNumMeshes; ++m) {
        AddMeshTriangles(*scene->mMeshes[m], out.triangles);
    }
    return out;
}

}  // namespace bake
