// kvx-bake: makes the program's assets from files installed by Debian packages. Stages the 35
// plain assets with a pack manifest and the credits in a folder, and writes the static models'
// tables as a C++ source.

#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "platform/standard_streams.h"
#include "tools/bake/bake_steps.h"

namespace {

constexpr int CONTAINER_COUNT = 35;

const char* USAGE =
    "usage: kvx-bake STAGING_DIR STATIC_MODELS_CPP\n"
    "Bakes the scene's images, MD2 models and sounds into STAGING_DIR (one file per\n"
    "container, manifest.txt for kvx-pack build, CREDITS.txt) and writes the static\n"
    "models' tables to STATIC_MODELS_CPP.\n";

void Bake(const std::string& dir, const std::string& source) {
    std::filesystem::create_directories(dir);
    std::filesystem::create_directories(std::filesystem::path(source).parent_path());
    const bake::SourceDirs sources;
    bake::BakeOutput out(dir);
    const std::vector<bake::GroundPad> figurePads = bake::BakeFigures(sources, out);
    bake::StaticModelsBaked models = bake::BakeStaticModels(sources, out);
    // Figures last: where pads overlap, the figures' feet keep their exact ground level.
    std::vector<bake::GroundPad> pads = models.pads;
    pads.insert(pads.end(), figurePads.begin(), figurePads.end());
    bake::BakeTerrain(pads, out);
    bake::BakeSounds(sources, out);
    bake::WriteTextFile(dir + "/manifest.txt", out.Manifest(CONTAINER_COUNT));
    bake::WriteTextFile(dir + "/CREDITS.txt", bake::CreditsText(out.Credits()));
    bake::WriteTextFile(source, bake::StaticModelSource(models.tables));
}

}  // namespace

int main(int argc, char** argv) {
    OpenMissingStandardStreams();
    if (argc != 3) {
        std::fputs(USAGE, stderr);
        return 2;
    }
    try {
        Bake(argv[1], argv[2]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kvx-bake: %s\n", e.what());
        // A write that failed is no missing source: the hint would only mislead then.
        if (std::string(e.what()).rfind("cannot write", 0) != 0)
            std::fputs(
                "kvx-bake needs the packages assimp-testmodels and ufoai-sound "
                "(make deps installs them).\n",
                stderr);
        return 1;
    }
    return 0;
}
