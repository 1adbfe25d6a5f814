#pragma once

#include <cstdint>
#include <string>

// Abstract cipher of the asset containers. A container is the 32-byte key digest followed by the
// asset's bytes, padded to whole blocks and encrypted with EncryptBuffer.
class FileCrypt {
  public:
    static constexpr int DIGEST_SIZE = 32;

    FileCrypt() = default;
    FileCrypt(const FileCrypt&) = delete;
    FileCrypt& operator=(const FileCrypt&) = delete;
    virtual ~FileCrypt() = default;

    // Writes the 32-byte SHA-256 digest of the key text (cipher name, key, mode and padding).
    virtual void GetKeyDigest(std::uint8_t* out) = 0;
    // Encrypt or decrypt len bytes (a non-zero multiple of the block size) in the current mode.
    virtual void EncryptBuffer(const std::uint8_t* in, std::uint8_t* out, std::uint32_t len) = 0;
    virtual void DecryptBuffer(const std::uint8_t* in, std::uint8_t* out, std::uint32_t len) = 0;
    // Whole-file operations: in -> container out, and container in -> padded asset out.
    virtual void EncryptFile(const std::string& in, const std::string& out) = 0;
    virtual void DecryptFile(const std::string& in, const std::string& out) = 0;
    // Reloads the chaining register from the initialisation vector.
    virtual void ResetChain() = 0;

    // Pads the final chunk buf[0, len) to a whole number of blocks with the fill bytes of the
    // padding code and returns the padded length; buf has room for len + block size - 1 bytes.
    std::int32_t PadBuffer(std::uint8_t* buf, std::int32_t len) const;

  protected:
    void RequireInit() const;

    bool m_bInit = false;
    std::int32_t m_iBlockSize = 0;
    std::int32_t m_iKeyLength = 0;
    std::int32_t m_iMode = 0;
    std::int32_t m_iPadding = 0;
};

// DecryptFile for the program's loaders: a body cut short of a whole block is reported as a
// truncated container under the container's name instead of the cipher's bare block-size error.
// Every other error passes unchanged.
void DecryptContainer(FileCrypt& cipher, const std::string& container, const std::string& out);
