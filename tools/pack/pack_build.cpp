#include "tools/pack/pack_build.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "tools/pack/replaced_output.h"

namespace {

constexpr std::size_t MAX_CONTAINERS = 999;

std::string Trim(const std::string& line) {
    const char* space = " \t\r";
    const std::size_t first = line.find_first_not_of(space);
    if (first == std::string::npos) {
        return "";
    }
    return line.substr(first, line.find_last_not_of(space) - first + 1);
}

std::string ContainerName(std::size_t index) {
    char name[32];
    std::snprintf(name, sizeof(name), "T%03zu.dat", index + 1);
    return name;
}

}  // namespace

std::vector<std::string> ReadManifest(const std::string& manifest) {
    std::ifstream file(manifest);
    if (!file) {
        throw std::runtime_error("cannot read manifest " + manifest + ": " + std::strerror(errno));
    }
    const std::filesystem::path base = std::filesystem::path(manifest).parent_path();
    std::vector<std::string> files;
    for (std::string line; std::getline(file, line);) {
        const std::string entry = Trim(line);
        if (!entry.empty() && entry[0] != '#') {
            files.push_back((base / entry).string());
        }
    }
    if (files.empty()) {
        throw std::runtime_error("manifest " + manifest + " lists no files");
    }
    if (files.size() > MAX_CONTAINERS) {
        throw std::runtime_error("manifest " + manifest + " lists more than 999 files");
    }
    return files;
}

void PackFiles(FileCrypt& cipher, const std::vector<std::string>& files, const std::string& dir) {
    std::filesystem::create_directories(dir);
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::string container = (std::filesystem::path(dir) / ContainerName(i)).string();
        WriteReplacing(container,
                       [&](const std::string& out) { cipher.EncryptFile(files[i], out); });
    }
}
