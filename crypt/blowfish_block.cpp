// The 16-round Feistel network, written out round by round. Each line is one round followed by
// the swap of the halves, which alternates the roles of l and r from line to line.
#include "crypt/blowfish.h"

void CBlowfish::EncipherBlock(BlowfishBlock& block) const {
    std::uint32_t l = block[0] ^ m_P[0];
    std::uint32_t r = block[1];
    r ^= F(l) ^ m_P[1];
    l ^= F(r) ^ m_P[2];
    r ^= F(l) ^ m_P[3];
    l ^= F(r) ^ m_P[4];
    r ^= F(l) ^ m_P[5];
    l ^= F(r) ^ m_P[6];
    r ^= F(l) ^ m_P[7];
    l ^= F(r) ^ m_P[8];
    r ^= F(l) ^ m_P[9];
    l ^= F(r) ^ m_P[10];
    r ^= F(l) ^ m_P[11];
    l ^= F(r) ^ m_P[12];
    r ^= F(l) ^ m_P[13];
    l ^= F(r) ^ m_P[14];
    r ^= F(l) ^ m_P[15];
    l ^= F(r) ^ m_P[16];
    block[0] = r ^ m_P[17];
    block[1] = l;
}

void CBlowfish::DecipherBlock(BlowfishBlock& block) const {
    std::uint32_t l = block[0] ^ m_P[17];
    std::uint32_t r = block[1];
    r ^= F(l) ^ m_P[16];
    l ^= F(r) ^ m_P[15];
    r ^= F(l) ^ m_P[14];
    l ^= F(r) ^ m_P[13];
    r ^= F(l) ^ m_P[12];
    l ^= F(r) ^ m_P[11];
    r ^= F(l) ^ m_P[10];
    l ^= F(r) ^ m_P[9];
    r ^= F(l) ^ m_P[8];
    l ^= F(r) ^ m_P[7];
    r ^= F(l) ^ m_P[6];
    l ^= F(r) ^ m_P[5];
    r ^= F(l) ^ m_P[4];
    l ^= F(r) ^ m_P[3];
    r ^= F(l) ^ m_P[2];
    l ^= F(r) ^ m_P[1];
    block[0] = r ^ m_P[0];
    block[1] = l;
}
