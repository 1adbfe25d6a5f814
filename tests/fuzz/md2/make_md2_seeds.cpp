// Writes the seed corpus of the MD2 fuzz target into SEED_DIR/md2: small well-formed models of
// one, two and several animations, with and without texture coordinates, and one whose sections
// share bytes.
#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/fuzz/seed_folder.h"
#include "tests/scene/md2_writer.h"

namespace {

// Two animations of two vertices and no triangles or texture coordinates.
Md2Fixture BareModel() {
    Md2Fixture model;
    for (const char* name : {"idle1", "idle2", "jump1", "jump2"}) {
        Md2FixtureFrame frame;
        frame.name = name;
        frame.scale = {0.5f, 0.25f, 2.0f};
        frame.vertices = {{1, 2, 3}, {200, 100, 50}};
        model.frames.push_back(frame);
    }
    return model;
}

// The triangle's texture coordinates read from the bytes of its triangle table.
std::vector<uint8_t> OverlappingSections() {
    std::vector<uint8_t> bytes = MovingTriangle({"a01", "a02"}).Bytes();
    SetHeaderField(bytes, MD2_TEX_COORD_OFFSET, HeaderField(bytes, MD2_TRIANGLE_OFFSET));
    return bytes;
}

}  // namespace

int main(int argc, char** argv) {
    const std::filesystem::path dir = SeedFolder(argc, argv, "md2");
    const auto write = [&dir](const char* name, const std::vector<uint8_t>& bytes) {
        WriteFileBytes((dir / name).string(), bytes);
    };
    write("one-frame", MovingTriangle({"pose"}).Bytes());
    write("wave", MovingTriangle({"wave01", "wave02", "wave03"}).Bytes());
    write("stand-run", StandRunModel().Bytes());
    write("bare", BareModel().Bytes());
    write("overlapping", OverlappingSections());
    return EXIT_SUCCESS;
}
