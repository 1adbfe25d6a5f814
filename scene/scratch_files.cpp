#include "scene/scratch_files.h"

#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>

void RemoveScratchFile(const char* path) {
    std::error_code error;
    std::filesystem::remove(path, error);
    if (error)
        throw std::runtime_error(std::string("Cannot remove file ") + path + ": " +
                                 error.message());
}

void DeleteScratchFiles() {
    for (const char* path : SCRATCH_FILES) {
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
    }
}
