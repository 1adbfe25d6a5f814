#pragma once

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

// A fresh directory under the system's temporary folder, removed with everything in it when the
// object goes.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string Path(const std::string& name) const { return (m_path / name).string(); }

  private:
    std::filesystem::path m_path;
};

using Bytes = std::vector<std::uint8_t>;

Bytes FromHex(const std::string& hex);
std::string ToHex(const Bytes& bytes);
Bytes TestPattern(std::size_t size, unsigned seed = 1);
void WriteBytes(const std::string& path, const Bytes& bytes);
Bytes ReadBytes(const std::string& path);

// The message of the runtime error that call raises, or "no error".
template <typename Call>
std::string ErrorOf(Call call) {
    try {
        call();
    } catch (const std::runtime_error& error) {
        return error.what();
    }
    return "no error";
}
