#include "tests/fuzz/fuzz_files.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

std::string FuzzPath(const char* name) {
    static const std::filesystem::path dir = [] {
        auto path =
            std::filesystem::temp_directory_path() / ("kvx-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path);
        return path;
    }();
    return (dir / name).string();
}

void WriteFuzzFile(const std::string& path, const std::uint8_t* data, std::size_t size) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

std::string ReadFuzzFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}
