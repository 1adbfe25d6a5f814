#pragma once

#include <cstdint>

// Incremental SHA-256 (FIPS 180-2): add a message in pieces of any size, then take its 32-byte
// digest, after which the object starts a new message.
class CSHA {
  public:
    static constexpr int DIGEST_SIZE = 32;

    CSHA();

    // Appends len (at least 1) bytes to the message.
    void AddData(const void* data, std::int32_t len);
    // Writes the digest of the message to out (32 bytes) and starts a new message. The message
    // must not be empty.
    void FinalDigest(std::uint8_t* out);

  private:
    static constexpr int BLOCK_SIZE = 64;
    static constexpr int LENGTH_POS = 56;

    void Reset();
    void Transform();
    std::int32_t FillLevel() const;

    std::uint32_t m_H[8];
    std::uint32_t m_iCountLo;
    std::uint32_t m_iCountHi;
    std::uint8_t m_Block[BLOCK_SIZE];
    bool m_bDataAdded;
};
