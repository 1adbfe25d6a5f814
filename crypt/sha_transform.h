#pragma once

#include <cstdint>

// The SHA-256 initial hash values H0 to H7.
extern const std::uint32_t SHA256_INITIAL_HASH[8];

// The SHA-256 compression function: folds one 64-byte block into the chaining values h.
void Sha256Compress(std::uint32_t* h, const std::uint8_t* block);
