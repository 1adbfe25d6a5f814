#include "crypt/blowfish.h"

#include <cstring>
#include <stdexcept>

#include "crypt/crypt_errors.h"

CBlowfish::CBlowfish() : m_IV{0, 0}, m_Chain{0, 0} {
    m_iBlockSize = BLOCK_SIZE;
    m_iKeyLength = KEY_LENGTH;
}

void CBlowfish::Initialize(const void* keyData, std::int32_t keyLen, const BlowfishBlock& iv,
                           std::int32_t mode, std::int32_t padding) {
    if (keyData == nullptr) {
        throw std::runtime_error(crypt_error::NO_KEY_DATA);
    }
    if (keyLen < 1) {
        throw std::runtime_error(crypt_error::KEY_LENGTH);
    }
    if (mode < MODE_ECB || mode > MODE_CFB) {
        throw std::runtime_error(crypt_error::ILLEGAL_MODE);
    }
    if (padding < 0 || padding > 2) {
        throw std::runtime_error(crypt_error::ILLEGAL_PADDING);
    }
    m_iPadding = padding;
    m_iMode = mode;
    m_IV = iv;
    m_Chain = iv;

    // A shorter key is repeated to fill the 56 bytes; bytes past the 56th are ignored.
    const auto* key = static_cast<const std::uint8_t*>(keyData);
    std::uint8_t expanded[KEY_LENGTH];
    for (int i = 0; i < KEY_LENGTH; ++i) {
        expanded[i] = key[i % keyLen];
    }
    if (m_bInit && std::memcmp(expanded, m_pKey.get(), KEY_LENGTH) == 0) {
        return;
    }
    RunKeySchedule(expanded);
}

// The published Blowfish schedule over the 56 expanded key bytes.
void CBlowfish::RunKeySchedule(const std::uint8_t* expandedKey) {
    if (!m_pKey) {
        m_pKey = std::make_unique<std::uint8_t[]>(KEY_LENGTH);
    }
    std::memcpy(m_pKey.get(), expandedKey, KEY_LENGTH);
    std::memcpy(m_P, BLOWFISH_INIT_P, sizeof(m_P));
    std::memcpy(m_S, BLOWFISH_INIT_S, sizeof(m_S));

    int k = 0;
    for (std::uint32_t& p : m_P) {
        std::uint32_t word = 0;
        for (int i = 0; i < 4; ++i, k = (k + 1) % KEY_LENGTH) {
            word = (word << 8) | expandedKey[k];
        }
        p ^= word;
    }

    BlowfishBlock block{0, 0};
    for (int i = 0; i < BLOWFISH_P_WORDS; i += 2) {
        EncipherBlock(block);
        m_P[i] = block[0];
        m_P[i + 1] = block[1];
    }
    for (auto& box : m_S) {
        for (int i = 0; i < BLOWFISH_S_WORDS; i += 2) {
            EncipherBlock(block);
            box[i] = block[0];
            box[i + 1] = block[1];
        }
    }
    m_bInit = true;
}

void CBlowfish::ResetChain() {
    RequireInit();
    m_Chain = m_IV;
}

void CBlowfish::EncryptFile(const std::string& in, const std::string& out) {
    FileCrypt::EncryptFile(in, out);
}

void CBlowfish::DecryptFile(const std::string& in, const std::string& out) {
    FileCrypt::DecryptFile(in, out);
}
