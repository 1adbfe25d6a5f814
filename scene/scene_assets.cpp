// Start-up loading of the scene: every image and MD2 model is decrypted from
// its container in the data folder (./data/ unless chosen otherwise) into a scratch file, read from
// there and deleted again. A container error stops the loading and leaves as an exception after the
// scratch files have been removed; an asset that decrypts but cannot be used is reported on
// standard error and left out of the scene, or for an image, the surface it covers is drawn plain.

#include <GL/glew.h>
#include <IL/il.h>

#include <cstdio>
#include <string>

#include "crypt/blowfish.h"
#include "crypt/file_crypt.h"
#include "crypt/scratch_files.h"
#include "platform/data_folder.h"
#include "scene/scene.h"
#include "scene/scene_image.h"
#include "scene/scene_objects.h"
#include "scene/scene_texture.h"

namespace {

constexpr char CONTAINER_KEY[] = "r&e&v&o";
constexpr int CONTAINER_MODE = CBlowfish::MODE_ECB;
constexpr int CONTAINER_PADDING = 0;

constexpr int HEIGHT_IMAGE = 1;
constexpr int TERRAIN_IMAGE = 2;
// The terrain is cut into 32 x 32 chunks of about 4 x 4 quads each: small
// enough that little of the terrain near a caster keeps a lookup it does not
// need.
constexpr int TERRAIN_CHUNKS_PER_SIDE = 32;

// A static model and the containers of its material images, in material order.
struct StaticModelAsset {
    StaticModel* model;
    const char* name;
    int containers[SCRATCH_FILE_COUNT];
    int count;
};

const StaticModelAsset STATIC_MODEL_ASSETS[] = {
    {&g_staticModelS1, "S1", {19, 20}, 2},
    {&g_staticModelS2, "S2", {21}, 1},
    {&g_staticModelS3, "S3", {22, 23, 24}, 3},
    {&g_staticModelS4, "S4", {25}, 1},
};

// An MD2 model and the containers of its model file and its skin image.
struct Md2Asset {
    Md2ModelId model;
    int modelContainer;
    int skinContainer;
};

constexpr Md2Asset MD2_ASSETS[] = {
    {F4A, 3, 4},   {F4B, 5, 6},   {F3A, 7, 8},   {F3B, 9, 10},  {F1A, 11, 12},
    {F1B, 13, 14}, {F2A, 15, 16}, {F2B, 17, 18}, {F5A, 26, 27}, {F5B, 28, 29},
};

std::string ContainerPath(int container) {
    char name[16];
    std::snprintf(name, sizeof name, "T%03d.dat", container);
    return DataFile(name);
}

void ReportUnusable(int container, const std::string& reason, const char* consequence) {
    std::fprintf(stderr, "Scene error: %s: %s; %s.\n", ContainerPath(container).c_str(),
                 reason.c_str(), consequence);
}

// Says which container a message means where it names the scratch file the
// container was decrypted to: the scratch file is gone by the time anyone
// reads the message.
std::string NameContainers(std::string message, const int* containers, int count) {
    for (int scratch = 0; scratch < count; ++scratch) {
        const std::string scratchPath = SCRATCH_FILES[scratch];
        for (size_t at = message.find(scratchPath); at != std::string::npos;
             at = message.find(scratchPath, at)) {
            message.replace(at, scratchPath.size(), ContainerPath(containers[scratch]));
        }
    }
    return message;
}

void Decrypt(ScratchFiles& scratch, FileCrypt& cipher, int container, int index) {
    scratch.Decrypt(cipher, ContainerPath(container), index);
}

// The height image must be 8-bit RGB: the builder reads 3 bytes per pixel.
void LoadTerrainGeometry(FileCrypt& cipher) {
    SceneImage image;
    ScratchFiles scratch;
    Decrypt(scratch, cipher, HEIGHT_IMAGE, 0);
    const bool loaded = image.Load(SCRATCH_FILES[0]);
    scratch.Remove();
    g_terrainMesh = TerrainMesh();
    std::string problem = "not an 8-bit RGB JPEG image";
    if (loaded && image.IsRgb8())
        problem = TerrainSizeProblem(image.Width(), image.Height());
    else if (!image.RefusedSize().empty())
        problem = "the image is " + image.RefusedSize();
    if (!problem.empty()) {
        ReportUnusable(HEIGHT_IMAGE, problem, "the terrain is not drawn");
        return;
    }
    g_terrainMesh.m_iIndexCount =
        BuildTerrainMesh(g_terrainMesh.m_pVertices, g_terrainMesh.m_pIndices, image.Data(),
                         image.Width(), image.Height(), -160.0f, 0.0f, 160.0f, 2.5f, 0.2f, 2.5f);
    g_terrainMesh.m_chunks =
        SplitTerrainStrip(g_terrainMesh.m_pVertices, g_terrainMesh.m_pIndices.data(),
                          g_terrainMesh.m_iIndexCount, TERRAIN_CHUNKS_PER_SIDE);
}

// Rows of the colour image need not be 4-byte aligned. A colour image that
// cannot be used leaves the terrain plain, still lit and shadowed.
void LoadTerrainTexture(FileCrypt& cipher) {
    SceneImage image;
    ScratchFiles scratch;
    Decrypt(scratch, cipher, TERRAIN_IMAGE, 0);
    const bool loaded = image.Load(SCRATCH_FILES[0]);
    scratch.Remove();
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    std::string problem;
    if (!loaded) {
        CreatePlainTexture(&g_terrainMesh.m_uTexture);
        problem = image.RefusedSize().empty() ? "not a JPEG image"
                                              : "the image is " + image.RefusedSize();
    } else if (const std::string fault = CreateSceneTexture(&g_terrainMesh.m_uTexture);
               !fault.empty()) {
        problem = "the image " + fault;
    }
    if (!problem.empty())
        ReportUnusable(TERRAIN_IMAGE, problem, "the terrain has no texture");
}

void LoadStaticModel(FileCrypt& cipher, const StaticModelAsset& asset) {
    ScratchFiles scratch;
    for (int m = 0; m < asset.count; ++m)
        Decrypt(scratch, cipher, asset.containers[m], m);
    std::string error;
    const bool built = asset.model->Build(error);
    scratch.Remove();
    if (!error.empty())
        std::fprintf(stderr, "Scene error: static model %s: %s; %s.\n", asset.name,
                     NameContainers(error, asset.containers, asset.count).c_str(),
                     built ? "drawn without that texture" : "the model is not drawn");
}

void LoadMd2Model(FileCrypt& cipher, const Md2Asset& asset) {
    ScratchFiles scratch;
    Decrypt(scratch, cipher, asset.modelContainer, 0);
    Decrypt(scratch, cipher, asset.skinContainer, 1);
    std::string error;
    const int containers[] = {asset.modelContainer, asset.skinContainer};
    const bool loaded = g_md2Models[asset.model].Load(SCRATCH_FILES[0], SCRATCH_FILES[1], error);
    scratch.Remove();
    if (!error.empty())
        ReportUnusable(asset.modelContainer, NameContainers(error, containers, 2),
                       loaded ? "drawn without its skin" : "the model is not drawn");
}

void LoadAll(FileCrypt& cipher) {
    LoadTerrainGeometry(cipher);
    LoadTerrainTexture(cipher);
    for (const StaticModelAsset& asset : STATIC_MODEL_ASSETS)
        LoadStaticModel(cipher, asset);
    for (const Md2Asset& asset : MD2_ASSETS)
        LoadMd2Model(cipher, asset);
}

}  // namespace

void LoadSceneAssets() {
    glClearColor(0.95f, 0.95f, 1.0f, 0.0f);
    CBlowfish cipher;
    cipher.Initialize(CONTAINER_KEY, sizeof CONTAINER_KEY - 1, BlowfishBlock{0, 0}, CONTAINER_MODE,
                      CONTAINER_PADDING);
    ilInit();
    LoadAll(cipher);
}
