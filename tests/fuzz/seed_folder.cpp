#include "tests/fuzz/seed_folder.h"

#include <cstdlib>
#include <iostream>

std::filesystem::path SeedFolder(int argc, char** argv, const char* fuzzer) {
    if (argc != 2) {
        std::cerr << "usage: " << argv[0] << " SEED_DIR\n";
        std::exit(EXIT_FAILURE);
    }
    const std::filesystem::path folder = std::filesystem::path(argv[1]) / fuzzer;
    std::filesystem::create_directories(folder);
    return folder;
}
