#include "crypt/sha.h"

#include <cstring>
#include <stdexcept>

#include "crypt/crypt_errors.h"
#include "crypt/sha_transform.h"

namespace {

void StoreBigEndian(std::uint8_t* out, std::uint32_t word) {
    out[0] = static_cast<std::uint8_t>(word >> 24);
    out[1] = static_cast<std::uint8_t>(word >> 16);
    out[2] = static_cast<std::uint8_t>(word >> 8);
    out[3] = static_cast<std::uint8_t>(word);
}

}  // namespace

CSHA::CSHA() {
    Reset();
}

void CSHA::Reset() {
    std::memcpy(m_H, SHA256_INITIAL_HASH, sizeof(m_H));
    m_iCountLo = 0;
    m_iCountHi = 0;
    std::memset(m_Block, 0, sizeof(m_Block));
    m_bDataAdded = false;
}

std::int32_t CSHA::FillLevel() const {
    return static_cast<std::int32_t>((m_iCountLo / 8) % BLOCK_SIZE);
}

void CSHA::Transform() {
    Sha256Compress(m_H, m_Block);
}

void CSHA::AddData(const void* data, std::int32_t len) {
    if (len < 1) {
        throw std::runtime_error(crypt_error::SHA_DATA_LENGTH);
    }
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    const std::int32_t fill = FillLevel();
    const std::uint32_t bits = static_cast<std::uint32_t>(len) << 3;
    m_iCountLo += bits;
    if (m_iCountLo < bits) {
        ++m_iCountHi;
    }
    m_iCountHi += static_cast<std::uint32_t>(len) >> 29;
    m_bDataAdded = true;

    if (fill != 0) {
        const std::int32_t room = BLOCK_SIZE - fill;
        if (len < room) {
            std::memcpy(m_Block + fill, bytes, static_cast<std::size_t>(len));
            return;
        }
        std::memcpy(m_Block + fill, bytes, static_cast<std::size_t>(room));
        Transform();
        bytes += room;
        len -= room;
    }
    for (; len >= BLOCK_SIZE; bytes += BLOCK_SIZE, len -= BLOCK_SIZE) {
        std::memcpy(m_Block, bytes, BLOCK_SIZE);
        Transform();
    }
    std::memcpy(m_Block, bytes, static_cast<std::size_t>(len));
}

void CSHA::FinalDigest(std::uint8_t* out) {
    if (!m_bDataAdded) {
        throw std::runtime_error(crypt_error::SHA_NO_DATA);
    }
    const std::int32_t fill = FillLevel();
    m_Block[fill] = 0x80;
    if (fill < LENGTH_POS) {
        std::memset(m_Block + fill + 1, 0, static_cast<std::size_t>(LENGTH_POS - fill - 1));
    } else {
        std::memset(m_Block + fill + 1, 0, static_cast<std::size_t>(BLOCK_SIZE - fill - 1));
        Transform();
        std::memset(m_Block, 0, LENGTH_POS);
    }
    StoreBigEndian(m_Block + LENGTH_POS, m_iCountHi);
    StoreBigEndian(m_Block + LENGTH_POS + 4, m_iCountLo);
    Transform();
    for (int i = 0; i < 8; ++i) {
        StoreBigEndian(out + 4 * i, m_H[i]);
    }
    Reset();
}
