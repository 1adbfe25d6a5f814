#pragma once

#include <filesystem>

// For a seed writer run as "writer SEED_DIR": SEED_DIR/fuzzer, created. Ends the process with a
// usage line when the arguments are not one folder.
std::filesystem::path SeedFolder(int argc, char** argv, const char* fuzzer);
