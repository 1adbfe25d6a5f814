#pragma once

#include <map>
#include <string>
#include <vector>

#include "tools/bake/credits.h"

namespace bake {

// Where the baker's sources are installed.
struct SourceDirs {
    std::string assimpModels = "/usr/share/assimp/models";
    std::string ufoaiSounds = "/usr/share/games/ufoai/base/0snd.pk3";
};

// The staging folder the baker fills: one plain file per container, plus the credits.
class BakeOutput {
  public:
    explicit BakeOutput(std::string dir) : m_dir(std::move(dir)) {}

    // The staged file of container `number` (1 .. 35), e.g. "<dir>/T004.jpg".
    std::string Stage(int number, const std::string& extension);
    void AddCredit(Credit credit) { m_credits.push_back(std::move(credit)); }

    // The pack manifest listing the 35 staged files in container order. Raises
    // std::runtime_error when a container has not been staged.
    std::string Manifest(int containerCount) const;
    const std::vector<Credit>& Credits() const { return m_credits; }
    const std::string& Dir() const { return m_dir; }

  private:
    std::string m_dir;
    std::map<int, std::string> m_staged;  // container number -> file name in m_dir
    std::vector<Credit> m_credits;
};

// "T004" for 4.
std::string ContainerName(int number);

// The licence of an upstream file according to a package's copyright file.
LicenceInfo PackageLicence(const std::string& package, const std::string& upstreamPath);

// The first line of an origin note shipped beside a source file, with the note's path for the
// full terms. Raises std::runtime_error when the note is missing.
std::string OriginNote(const std::string& notePath);

// Writes text to a file; raises std::runtime_error on failure.
void WriteTextFile(const std::string& path, const std::string& text);
void WriteBinaryFile(const std::string& path, const std::vector<unsigned char>& bytes);
std::vector<unsigned char> ReadBinaryFile(const std::string& path);

}  // namespace bake
