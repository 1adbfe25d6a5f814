// Buffer encryption and decryption in the three block modes. The chaining register carries over
// from one call to the next, so a message may be processed in pieces of whole blocks.
#include <stdexcept>

#include "crypt/blowfish.h"
#include "crypt/crypt_errors.h"

namespace {

BlowfishBlock BytesToBlock(const std::uint8_t* p) {
    return {(std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
                std::uint32_t{p[3]},
            (std::uint32_t{p[4]} << 24) | (std::uint32_t{p[5]} << 16) | (std::uint32_t{p[6]} << 8) |
                std::uint32_t{p[7]}};
}

void BlockToBytes(const BlowfishBlock& block, std::uint8_t* p) {
    for (int word = 0; word < 2; ++word) {
        const std::uint32_t w = block[word];
        p[4 * word] = static_cast<std::uint8_t>(w >> 24);
        p[4 * word + 1] = static_cast<std::uint8_t>(w >> 16);
        p[4 * word + 2] = static_cast<std::uint8_t>(w >> 8);
        p[4 * word + 3] = static_cast<std::uint8_t>(w);
    }
}

BlowfishBlock Xor(const BlowfishBlock& a, const BlowfishBlock& b) {
    return {a[0] ^ b[0], a[1] ^ b[1]};
}

}  // namespace

void CBlowfish::RequireWholeBlocks(std::uint32_t len) const {
    RequireInit();
    if (len == 0 || len % BLOCK_SIZE != 0) {
        throw std::runtime_error(crypt_error::ILLEGAL_BLOCK_SIZE);
    }
}

// Every input block is read before its output block is written, so in and out may coincide.
void CBlowfish::EncryptBuffer(const std::uint8_t* in, std::uint8_t* out, std::uint32_t len) {
    RequireWholeBlocks(len);
    BlowfishBlock chain = m_Chain;
    for (std::uint32_t i = 0; i < len; i += BLOCK_SIZE) {
        BlowfishBlock block = BytesToBlock(in + i);
        if (m_iMode == MODE_ECB) {
            EncipherBlock(block);
        } else if (m_iMode == MODE_CBC) {
            block = Xor(block, chain);
            EncipherBlock(block);
            chain = block;
        } else {
            EncipherBlock(chain);
            block = Xor(block, chain);
            chain = block;
        }
        BlockToBytes(block, out + i);
    }
    m_Chain = chain;
}

void CBlowfish::DecryptBuffer(const std::uint8_t* in, std::uint8_t* out, std::uint32_t len) {
    RequireWholeBlocks(len);
    BlowfishBlock chain = m_Chain;
    for (std::uint32_t i = 0; i < len; i += BLOCK_SIZE) {
        const BlowfishBlock input = BytesToBlock(in + i);
        BlowfishBlock block = input;
        if (m_iMode == MODE_ECB) {
            DecipherBlock(block);
        } else if (m_iMode == MODE_CBC) {
            DecipherBlock(block);
            block = Xor(block, chain);
        } else {
            EncipherBlock(chain);
            block = Xor(block, chain);
        }
        chain = input;
        BlockToBytes(block, out + i);
    }
    m_Chain = chain;
}
