#include <algorithm>
#include <cmath>
#include <map>

#include "tools/bake/bake_steps.h"
#include "tools/bake/image.h"
#include "tools/bake/mesh_import.h"
#include "tools/bake/placement.h"
#include "tools/bake/soup_edit.h"

namespace bake {

namespace {

constexpr int TEXTURE_SIDE = 512;
constexpr int TEXTURE_QUALITY = 90;
constexpr float PAD_MARGIN = 3.0f;
constexpr int Z_UP = 2;
constexpr int Y_UP = 1;

// One material's texture: a file under the assimp model folder, or a plain colour.
struct RunTexture {
    std::string file;
    Rgb colour;
};

struct StaticModelBake {
    std::string name;    // "S1" .. "S4"
    int firstContainer;  // container of material 0's texture; the others follow
    std::string mesh;    // under the assimp model folder
    std::string use;
    std::string note;  // origin of the mesh beyond the package's own statement
    std::vector<SoupTriangle> triangles;
    std::vector<RunTexture> textures;  // one per run, in run order
};

std::vector<SoupTriangle> ToSoup(const SourceMesh& mesh, const std::map<std::string, int>& runs) {
    std::vector<SoupTriangle> soup;
    for (const SourceTriangle& t : mesh.triangles) {
        const auto run = runs.find(mesh.materials.at(t.material).name);
        if (runs.empty() || run != runs.end()) {
            soup.push_back({t.position, t.normal, t.texCoord, runs.empty() ? 0 : run->second});
        }
    }
    return soup;
}

// The rock mesh with rock texture on its sides and dry grass on the faces that look up.
StaticModelBake Boulder(const SourceDirs& dirs) {
    StaticModelBake bake{"S1", 19, "3DS/fels.3ds", "S1, boulders with grass on top", "", {}, {}};
    bake.triangles = ToSoup(ImportMesh(dirs.assimpModels + "/" + bake.mesh), {});
    TurnYUpToZUp(bake.triangles);  // lies on its long side
    Roughen(bake.triangles, 0.25f, 11u);
    SmoothNormals(bake.triangles);
    FitToGround(bake.triangles, Z_UP, 0.35f, 0.12f);
    ProjectTexCoords(bake.triangles, 6.0f);
    for (SoupTriangle& t : bake.triangles) {
        const float up = t.normal[0][2] + t.normal[1][2] + t.normal[2][2];
        t.run = up > 3 * 0.6f ? 1 : 0;
    }
    bake.textures = {{"OBJ/wal67ar_small.jpg", {}}, {"IRRMesh/brownground_1-1.jpg", {}}};
    return bake;
}

StaticModelBake Jeep(const SourceDirs& dirs) {
    StaticModelBake bake{"S2",
                         21,
                         "MS3D/jeep1.ms3d",
                         "S2, a jeep",
                         OriginNote(dirs.assimpModels + "/MS3D/jeep1.readme.txt"),
                         {},
                         {}};
    bake.triangles = ToSoup(ImportMesh(dirs.assimpModels + "/" + bake.mesh), {});
    FitToGround(bake.triangles, Y_UP, 0.17f, 0.0f);
    bake.textures = {{"MS3D/jeep1.jpg", {}}};
    return bake;
}

StaticModelBake Truck(const SourceDirs& dirs) {
    StaticModelBake bake{"S3",
                         22,
                         "glTF/CesiumMilkTruck/CesiumMilkTruck.gltf",
                         "S3, a milk truck",
                         "the Cesium Milk Truck of the glTF sample models, by Cesium",
                         {},
                         {}};
    const SourceMesh mesh = ImportMesh(dirs.assimpModels + "/" + bake.mesh);
    bake.triangles = ToSoup(mesh, {{"Effect-truck", 0},
                                   {"Effect-wheels", 1},
                                   {"Effect-glass", 2},
                                   {"Effect-window_trim", 2}});
    TurnYUpToZUp(bake.triangles);
    FitToGround(bake.triangles, Z_UP, 0.4f, 0.0f);
    const std::string atlas = "glTF/CesiumMilkTruck/CesiumMilkTruck.png";
    bake.textures = {{atlas, {}}, {atlas, {}}, {"", {38, 44, 52}}};
    return bake;
}

// The rock mesh standing upright: a tall standing stone.
StaticModelBake StandingStone(const SourceDirs& dirs) {
    StaticModelBake bake{"S4", 25, "3DS/fels.3ds", "S4, a standing stone", "", {}, {}};
    bake.triangles = ToSoup(ImportMesh(dirs.assimpModels + "/" + bake.mesh), {});
    Roughen(bake.triangles, 0.2f, 5u);
    SmoothNormals(bake.triangles);
    FitToGround(bake.triangles, Z_UP, 0.12f, 0.1f);
    ProjectTexCoords(bake.triangles, 12.0f);
    bake.textures = {{"OBJ/wal67ar_small.jpg", {}}};
    return bake;
}

Image TextureImage(const RunTexture& texture, const SourceDirs& dirs) {
    if (texture.file.empty()) {
        Image plain(8, 8);
        for (std::size_t i = 0; i < plain.rgb.size(); ++i) {
            plain.rgb[i] = texture.colour[i % 3];
        }
        return plain;
    }
    return ShrinkTo(LoadImageRgb(dirs.assimpModels + "/" + texture.file), TEXTURE_SIDE);
}

void StageTextures(const StaticModelBake& bake, const SourceDirs& dirs, BakeOutput& out) {
    for (std::size_t m = 0; m < bake.textures.size(); ++m) {
        const int container = bake.firstContainer + static_cast<int>(m);
        const RunTexture& texture = bake.textures[m];
        SaveJpeg(TextureImage(texture, dirs), out.Stage(container, "jpg"), TEXTURE_QUALITY);
        const std::string use = bake.use + ": texture of material " + std::to_string(m);
        if (texture.file.empty()) {
            out.AddCredit({ContainerName(container),
                           use,
                           "a plain colour made by kvx-bake",
                           "",
                           {"made for this program", ""},
                           ""});
        } else {
            out.AddCredit({ContainerName(container), use, dirs.assimpModels + "/" + texture.file,
                           "assimp-testmodels",
                           PackageLicence("assimp-testmodels", "test/models/" + texture.file), ""});
        }
    }
    out.AddCredit({"compiled in", bake.use + ": geometry", dirs.assimpModels + "/" + bake.mesh,
                   "assimp-testmodels",
                   PackageLicence("assimp-testmodels", "test/models/" + bake.mesh), bake.note});
}

// The pads under every placement of the model: level with the model's ground plane, wide
// enough for its footprint.
void AddPads(const StaticModelBake& bake, std::vector<GroundPad>& pads) {
    for (const Placement& placement : PlacementsOf(bake.name)) {
        float radius = 0.0f;
        for (const SoupTriangle& t : bake.triangles) {
            for (const Vec3& p : t.position) {
                const Vec3 w = PlacePoint(placement, p);
                radius = std::max(radius, std::hypot(w[0] - placement.translate[0],
                                                     w[2] - placement.translate[2]));
            }
        }
        pads.push_back({placement.translate[0], placement.translate[2], radius + PAD_MARGIN,
                        placement.translate[1]});
    }
}

}  // namespace

StaticModelsBaked BakeStaticModels(const SourceDirs& dirs, BakeOutput& out) {
    StaticModelsBaked baked;
    for (const StaticModelBake& bake :
         {Boulder(dirs), Jeep(dirs), Truck(dirs), StandingStone(dirs)}) {
        StageTextures(bake, dirs, out);
        AddPads(bake, baked.pads);
        baked.tables.push_back(
            {bake.name, BuildStaticTables(bake.triangles, static_cast<int>(bake.textures.size()))});
    }
    return baked;
}

}  // namespace bake
