#include "tools/bake/bake_output.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

namespace bake {

std::string ContainerName(int number) {
    char name[16];
    std::snprintf(name, sizeof(name), "T%03d", number);
    return name;
}

std::string BakeOutput::Stage(int number, const std::string& extension) {
    const std::string file = ContainerName(number) + "." + extension;
    m_staged[number] = file;
    return m_dir + "/" + file;
}

std::string BakeOutput::Manifest(int containerCount) const {
    std::ostringstream out;
    out << "# Plain assets in container order, made by kvx-bake\n";
    for (int n = 1; n <= containerCount; ++n) {
        const auto it = m_staged.find(n);
        if (it == m_staged.end()) {
            throw std::runtime_error("nothing baked for container " + ContainerName(n));
        }
        out << it->second << "\n";
    }
    return out.str();
}

LicenceInfo PackageLicence(const std::string& package, const std::string& upstreamPath) {
    std::ifstream file("/usr/share/doc/" + package + "/copyright");
    std::ostringstream text;
    text << file.rdbuf();
    return LookUpLicence(text.str(), upstreamPath);
}

std::string OriginNote(const std::string& notePath) {
    const std::vector<unsigned char> bytes = ReadBinaryFile(notePath);
    const std::string text(bytes.begin(), bytes.end());
    const std::size_t start = text.find_first_not_of("\r\n");
    const std::string first = start == std::string::npos
                                  ? ""
                                  : text.substr(start, text.find_first_of("\r\n", start) - start);
    return first + "; terms in " + notePath;
}

void WriteTextFile(const std::string& path, const std::string& text) {
    WriteBinaryFile(path, std::vector<unsigned char>(text.begin(), text.end()));
}

// The write is checked through the close (a full disk shows there for a small file); a regular
// file left part-written is removed, so no baked file is ever cut short.
void WriteBinaryFile(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) {
        std::error_code ignored;
        if (std::filesystem::is_regular_file(std::filesystem::symlink_status(path, ignored)))
            std::filesystem::remove(path, ignored);
        throw std::runtime_error("cannot write " + path);
    }
}

std::vector<unsigned char> ReadBinaryFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        throw std::runtime_error("cannot read " + path);
    }
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(file),
                                      std::istreambuf_iterator<char>());
}

}  // namespace bake
