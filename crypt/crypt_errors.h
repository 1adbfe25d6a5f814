#pragma once

#include <stdexcept>
#include <string>

// Message texts of the errors raised by the container code. Callers and tools show them as they
// are, so the texts are part of the interface.
namespace crypt_error {

inline constexpr const char* NO_KEY_DATA = "FileCrypt ERROR: No Key DataSpecified!";
inline constexpr const char* KEY_LENGTH = "FileCrypt ERROR: Key Data Length should be > 0!";
inline constexpr const char* ILLEGAL_MODE = "FileCrypt ERROR: Illegal Operation Mode!";
inline constexpr const char* ILLEGAL_PADDING = "FileCrypt ERROR: Illegal Padding Mode!";
inline constexpr const char* NOT_INITIALIZED =
    "FileCrypt ERROR: Encryption/Decryption Object not Initialized!";
inline constexpr const char* ILLEGAL_BLOCK_SIZE = "Illegal Block Size!";
inline constexpr const char* SHA_DATA_LENGTH =
    "FileCrypt ERROR: in CSHA::AddData(), Data Length should be > 0!";
inline constexpr const char* SHA_NO_DATA =
    "FileCrypt ERROR: in CSHA::FinalDigest(), No data Added before call!";
inline constexpr const char* BUFFER_SIZE_ODD = "CDoubleBuffering: m_iSize should be Even Number!";
inline constexpr const char* BUFFER_FILE_STATE =
    "CDoubleBuffering: Referenced File not Opened or in Bad State!";
inline constexpr const char* BUFFER_CONSTRUCTION = "CDoubleBuffering: Illegal Construction Data!";
inline constexpr const char* BUFFER_DATA_LENGTH = "CDoubleBuffering::GetData(): Illegal iDataLen!";

// "FileCrypt ERROR: <prefix><file name><suffix>", for the errors that name a file.
inline std::runtime_error FileError(const char* prefix, const std::string& name,
                                    const char* suffix = "!") {
    return std::runtime_error(std::string("FileCrypt ERROR: ") + prefix + name + suffix);
}

}  // namespace crypt_error
