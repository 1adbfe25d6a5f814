#pragma once

#include <cstdint>
#include <istream>
#include <ostream>
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

    // The two halves of DecryptFile for callers that open the files themselves: reads the
    // container's 32-byte header and raises the "cannot be Correctly Decrypted" error (naming
    // name) unless it is this key's digest; then decrypts the rest of input into output.
    void CheckKeyDigest(std::istream& input, const std::string& name);
    void DecryptBody(std::istream& input, std::ostream& output);

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

// Refuses to work in place, raising the "same File" error when in and out name one file: writing
// the output would destroy the input as it is being read.
void RequireDistinctFiles(const std::string& in, const std::string& out);
