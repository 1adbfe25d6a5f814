#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "tools/bake/bake_steps.h"
#include "tools/bake/image.h"
#include "tools/bake/iqm_model.h"
#include "tools/bake/md2_edit.h"
#include "tools/bake/placement.h"

namespace bake {

namespace {

constexpr float FIGURE_HEIGHT = 25.0f;   // world units
constexpr float SPLIT_FRACTION = 0.45f;  // legs below, body and head above
constexpr int SKIN_QUALITY = 92;
constexpr float PAD_MARGIN = 3.0f;
constexpr int IQM_SKIN_SIDE = 512;
constexpr std::size_t IQM_KEY_FRAMES = 20;

// A figure made of one MD2 character cut into its lower and upper part.
struct Md2Figure {
    const char* figure;  // "F1" .. "F5"
    int firstContainer;  // part a's model; its skin, part b's model and skin follow
    const char* model;   // under the assimp model folder
    const char* skin;
    const char* animation;
    const char* note;
};

const Md2Figure FIGURES[] = {
    {"F4", 3, "MD2/faerie.md2", "MD2/faerie2.bmp", "stand", "MD2/faerie-source.txt"},
    {"F1", 11, "MD2/sydney.md2", "MD2/sydney.bmp", "stand", "MD2/sidney-source.txt"},
    {"F2", 15, "MD2/faerie.md2", "MD2/faerie2.bmp", "stand", "MD2/faerie-source.txt"},
    {"F5", 26, "MD2/sydney.md2", "MD2/sydney.bmp", "stand", "MD2/sidney-source.txt"},
};

float FootprintRadius(const Md2Mesh& mesh) {
    float radius = 0.0f;
    for (const Vec3& p : mesh.frames[0].positions) {
        radius = std::max(radius, std::hypot(p[0], p[1]));
    }
    return radius;
}

void StagePart(const Md2Mesh& part, int container, const Image& skin, BakeOutput& out) {
    WriteBinaryFile(out.Stage(container, "md2"), WriteMd2(part));
    SaveJpeg(skin, out.Stage(container + 1, "jpg"), SKIN_QUALITY);
}

void Credit(const Md2Figure& f, const SourceDirs& dirs, BakeOutput& out) {
    const std::string model = dirs.assimpModels + "/" + f.model;
    const std::string use = std::string("figure ") + f.figure + ", parts a and b";
    const std::string note = OriginNote(dirs.assimpModels + "/" + f.note);
    out.AddCredit({ContainerName(f.firstContainer) + ", " + ContainerName(f.firstContainer + 2),
                   use + ": models", model, "assimp-testmodels",
                   PackageLicence("assimp-testmodels", std::string("test/models/") + f.model),
                   note});
    out.AddCredit({ContainerName(f.firstContainer + 1) + ", " + ContainerName(f.firstContainer + 3),
                   use + ": skins", dirs.assimpModels + "/" + f.skin, "assimp-testmodels",
                   PackageLicence("assimp-testmodels", std::string("test/models/") + f.skin),
                   note});
}

GroundPad PadUnder(const Placement& placement, const Md2Mesh& mesh) {
    return {placement.translate[0], placement.translate[2],
            FootprintRadius(mesh) * placement.scale[0] + PAD_MARGIN, placement.translate[1]};
}

GroundPad BakeFigure(const Md2Figure& f, const SourceDirs& dirs, BakeOutput& out) {
    const Placement placement = PlacementsOf(f.figure).at(0);
    Md2Mesh mesh = ReadMd2(ReadBinaryFile(dirs.assimpModels + "/" + f.model));
    mesh = KeepAnimation(mesh, f.animation, f.animation, 40);
    StandOnOrigin(mesh, FIGURE_HEIGHT / placement.scale[0]);
    const auto [lower, upper] = SplitAtHeight(mesh, SPLIT_FRACTION);
    const Image skin = LoadImageRgb(dirs.assimpModels + "/" + f.skin);
    StagePart(lower, f.firstContainer, skin, out);
    StagePart(upper, f.firstContainer + 2, skin, out);
    Credit(f, dirs, out);
    return PadUnder(placement, mesh);
}

void CreditIqm(const SourceDirs& dirs, BakeOutput& out) {
    const std::vector<std::pair<std::string, std::string>> files = {
        {"T007, T009", "IQM/mrfixit.iqm"}, {"T008", "IQM/Body.jpg"}, {"T010", "IQM/Head.jpg"}};
    for (const auto& [containers, file] : files) {
        out.AddCredit({containers, "figure F3, body (a) and head (b), sampled into key frames",
                       dirs.assimpModels + "/" + file, "assimp-testmodels",
                       PackageLicence("assimp-testmodels", "test/models/" + file), ""});
    }
}

// Figure F3: the skinned IQM character, its body mesh as part a and its head as part b, each
// with its own skin. Both skins are brought to one size, the MD2 skin size of both parts.
GroundPad BakeIqmFigure(const SourceDirs& dirs, BakeOutput& out) {
    const Placement placement = PlacementsOf("F3").at(0);
    const IqmModel model = ReadIqm(ReadBinaryFile(dirs.assimpModels + "/IQM/mrfixit.iqm"));
    const Image body = ShrinkTo(LoadImageRgb(dirs.assimpModels + "/IQM/Body.jpg"), IQM_SKIN_SIDE);
    const Image head = ShrinkTo(LoadImageRgb(dirs.assimpModels + "/IQM/Head.jpg"), IQM_SKIN_SIDE);
    if (body.width != head.width || body.height != head.height) {
        throw std::runtime_error("IQM skins differ in size");
    }
    Md2Mesh mesh = IqmToMd2(model, IQM_KEY_FRAMES, "idle", body.width, body.height);
    StandOnOrigin(mesh, FIGURE_HEIGHT / placement.scale[0]);
    const IqmModel::Mesh& bodyMesh = model.meshes.at(0);
    std::vector<bool> inBody(mesh.triangles.size());
    for (std::size_t t = 0; t < inBody.size(); ++t) {
        inBody[t] =
            t >= bodyMesh.firstTriangle && t < bodyMesh.firstTriangle + bodyMesh.triangleCount;
    }
    const auto [bodyPart, headPart] = SplitTriangles(mesh, inBody);
    StagePart(bodyPart, 7, body, out);
    StagePart(headPart, 9, head, out);
    CreditIqm(dirs, out);
    return PadUnder(placement, mesh);
}

}  // namespace

std::vector<GroundPad> BakeFigures(const SourceDirs& dirs, BakeOutput& out) {
    std::vector<GroundPad> pads = {BakeIqmFigure(dirs, out)};
    for (const Md2Figure& f : FIGURES) {
        pads.push_back(BakeFigure(f, dirs, out));
    }
    return pads;
}

}  // namespace bake
