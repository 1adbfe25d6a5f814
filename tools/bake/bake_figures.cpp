#include <algorithm>
#include <cmath>

#include "tools/bake/bake_steps.h"
#include "tools/bake/image.h"
#include "tools/bake/md2_edit.h"
#include "tools/bake/placement.h"

namespace bake {

namespace {

constexpr float FIGURE_HEIGHT = 25.0f;   // world units
constexpr float SPLIT_FRACTION = 0.45f;  // legs below, body and head above
constexpr int SKIN_QUALITY = 92;
constexpr float PAD_MARGIN = 3.0f;

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
    {"F3", 7, "MD2/sydney.md2", "MD2/sydney.bmp", "stand", "MD2/sidney-source.txt"},
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
    return {placement.translate[0], placement.translate[2],
            FootprintRadius(mesh) * placement.scale[0] + PAD_MARGIN, placement.translate[1]};
}

}  // namespace

std::vector<GroundPad> BakeFigures(const SourceDirs& dirs, BakeOutput& out) {
    std::vector<GroundPad> pads;
    for (const Md2Figure& f : FIGURES) {
        pads.push_back(BakeFigure(f, dirs, out));
    }
    return pads;
}

}  // namespace bake
