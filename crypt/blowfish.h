#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "crypt/blowfish_tables.h"
#include "crypt/file_crypt.h"

// A 64-bit block as its (left, right) pair of 32-bit words.
using BlowfishBlock = std::array<std::uint32_t, 2>;

// Blowfish with 16 rounds in ECB (mode 0), CBC (mode 1) or CFB with 64-bit feedback (mode 2).
// Blocks are big-endian in the byte stream on every host. The key is first expanded to 56 bytes
// by repetition, so it equals standard Blowfish whenever the key length divides 56.
class CBlowfish : public FileCrypt {
  public:
    static constexpr int MODE_ECB = 0;
    static constexpr int MODE_CBC = 1;
    static constexpr int MODE_CFB = 2;

    CBlowfish();

    // Sets key, initialisation vector, mode (0 to 2) and padding code (0 to 2), and reloads the
    // chaining register. May be called again; the key schedule is skipped when the expanded key
    // is unchanged. A failing call leaves the object as it was.
    void Initialize(const void* keyData, std::int32_t keyLen, const BlowfishBlock& iv,
                    std::int32_t mode, std::int32_t padding);

    void GetKeyDigest(std::uint8_t* out) override;
    void EncryptBuffer(const std::uint8_t* in, std::uint8_t* out, std::uint32_t len) override;
    void DecryptBuffer(const std::uint8_t* in, std::uint8_t* out, std::uint32_t len) override;
    void EncryptFile(const std::string& in, const std::string& out) override;
    void DecryptFile(const std::string& in, const std::string& out) override;
    void ResetChain() override;

    // One block through the cipher with the current key schedule; no checks.
    void EncipherBlock(BlowfishBlock& block) const;
    void DecipherBlock(BlowfishBlock& block) const;

  private:
    static constexpr int KEY_LENGTH = 56;
    static constexpr int BLOCK_SIZE = 8;

    void RunKeySchedule(const std::uint8_t* expandedKey);
    void RequireWholeBlocks(std::uint32_t len) const;
    std::uint32_t F(std::uint32_t x) const;

    std::unique_ptr<std::uint8_t[]> m_pKey;
    BlowfishBlock m_IV;
    BlowfishBlock m_Chain;
    std::uint32_t m_P[BLOWFISH_P_WORDS] = {};
    std::uint32_t m_S[BLOWFISH_S_BOXES][BLOWFISH_S_WORDS] = {};
};

inline std::uint32_t CBlowfish::F(std::uint32_t x) const {
    return ((m_S[0][x >> 24] + m_S[1][(x >> 16) & 0xFF]) ^ m_S[2][(x >> 8) & 0xFF]) +
           m_S[3][x & 0xFF];
}
