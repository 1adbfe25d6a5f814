#include "crypt/sha_transform.h"

#include <cstddef>
#include <utility>

const std::uint32_t SHA256_INITIAL_HASH[8] = {0x6A09E667, 0xBB67AE85, 0x3C6EF372, 0xA54FF53A,
                                              0x510E527F, 0x9B05688C, 0x1F83D9AB, 0x5BE0CD19};

namespace {

constexpr std::uint32_t K[64] = {
    0x428A2F98, 0x71374491, 0xB5C0FBCF, 0xE9B5DBA5, 0x3956C25B, 0x59F111F1, 0x923F82A4, 0xAB1C5ED5,
    0xD807AA98, 0x12835B01, 0x243185BE, 0x550C7DC3, 0x72BE5D74, 0x80DEB1FE, 0x9BDC06A7, 0xC19BF174,
    0xE49B69C1, 0xEFBE4786, 0x0FC19DC6, 0x240CA1CC, 0x2DE92C6F, 0x4A7484AA, 0x5CB0A9DC, 0x76F988DA,
    0x983E5152, 0xA831C66D, 0xB00327C8, 0xBF597FC7, 0xC6E00BF3, 0xD5A79147, 0x06CA6351, 0x14292967,
    0x27B70A85, 0x2E1B2138, 0x4D2C6DFC, 0x53380D13, 0x650A7354, 0x766A0ABB, 0x81C2C92E, 0x92722C85,
    0xA2BFE8A1, 0xA81A664B, 0xC24B8B70, 0xC76C51A3, 0xD192E819, 0xD6990624, 0xF40E3585, 0x106AA070,
    0x19A4C116, 0x1E376C08, 0x2748774C, 0x34B0BCB5, 0x391C0CB3, 0x4ED8AA4A, 0x5B9CCA4F, 0x682E6FF3,
    0x748F82EE, 0x78A5636F, 0x84C87814, 0x8CC70208, 0x90BEFFFA, 0xA4506CEB, 0xBEF9A3F7, 0xC67178F2};

constexpr std::uint32_t Rotr(std::uint32_t x, int n) {
    return (x >> n) | (x << (32 - n));
}
constexpr std::uint32_t Ch(std::uint32_t x, std::uint32_t y, std::uint32_t z) {
    return (x & y) ^ (~x & z);
}
constexpr std::uint32_t Maj(std::uint32_t x, std::uint32_t y, std::uint32_t z) {
    return (x & y) ^ (x & z) ^ (y & z);
}
constexpr std::uint32_t BigSigma0(std::uint32_t x) {
    return Rotr(x, 2) ^ Rotr(x, 13) ^ Rotr(x, 22);
}
constexpr std::uint32_t BigSigma1(std::uint32_t x) {
    return Rotr(x, 6) ^ Rotr(x, 11) ^ Rotr(x, 25);
}
constexpr std::uint32_t SmallSigma0(std::uint32_t x) {
    return Rotr(x, 7) ^ Rotr(x, 18) ^ (x >> 3);
}
constexpr std::uint32_t SmallSigma1(std::uint32_t x) {
    return Rotr(x, 17) ^ Rotr(x, 19) ^ (x >> 10);
}

std::uint32_t LoadBigEndian(const std::uint8_t* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
           std::uint32_t{p[3]};
}

// Message schedule word T (16 to 63) from the four earlier words it depends on.
template <std::size_t T>
inline void Expand(std::uint32_t* w) {
    w[T] = SmallSigma1(w[T - 2]) + w[T - 7] + SmallSigma0(w[T - 15]) + w[T - 16];
}

// Round T. Instead of moving the eight working variables down one place per round, the round
// reads them at indices rotated by T, which the compiler resolves since T is a constant.
template <std::size_t T>
inline void Round(std::uint32_t* v, const std::uint32_t* w) {
    std::uint32_t& a = v[(64 - T) % 8];
    std::uint32_t& b = v[(65 - T) % 8];
    std::uint32_t& c = v[(66 - T) % 8];
    std::uint32_t& d = v[(67 - T) % 8];
    std::uint32_t& e = v[(68 - T) % 8];
    std::uint32_t& f = v[(69 - T) % 8];
    std::uint32_t& g = v[(70 - T) % 8];
    std::uint32_t& h = v[(71 - T) % 8];
    const std::uint32_t t1 = h + BigSigma1(e) + Ch(e, f, g) + K[T] + w[T];
    const std::uint32_t t2 = BigSigma0(a) + Maj(a, b, c);
    d += t1;
    h = t1 + t2;
}

// Both sequences are unrolled at compile time: no loop runs over the 48 schedule words or the
// 64 rounds.
template <std::size_t... T>
inline void ExpandAll(std::uint32_t* w, std::index_sequence<T...>) {
    (Expand<T + 16>(w), ...);
}

template <std::size_t... T>
inline void RoundAll(std::uint32_t* v, const std::uint32_t* w, std::index_sequence<T...>) {
    (Round<T>(v, w), ...);
}

}  // namespace

void Sha256Compress(std::uint32_t* h, const std::uint8_t* block) {
    std::uint32_t w[64];
    for (int i = 0; i < 16; ++i) {
        w[i] = LoadBigEndian(block + 4 * i);
    }
    ExpandAll(w, std::make_index_sequence<48>());
    std::uint32_t v[8];
    for (int i = 0; i < 8; ++i) {
        v[i] = h[i];
    }
    RoundAll(v, w, std::make_index_sequence<64>());
    for (int i = 0; i < 8; ++i) {
        h[i] += v[i];
    }
}
