// Writes the generated source of the fixture model as g_staticModelS1, for the table tests.

#include <cstdio>
#include <fstream>

#include "tests/bake/fixture_tables.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: bake_fixture_tables OUTPUT_CPP\n", stderr);
        return 2;
    }
    std::ofstream(argv[1]) << bake::StaticModelSource(
        {{"S1", bake::BuildStaticTables(bake::FixtureTriangles(), 2)}});
    return 0;
}
