#pragma once

#include <cstdint>

inline constexpr int BLOWFISH_P_WORDS = 18;
inline constexpr int BLOWFISH_S_BOXES = 4;
inline constexpr int BLOWFISH_S_WORDS = 256;

// The standard initial P-array and S-boxes that every key schedule starts from.
extern const std::uint32_t BLOWFISH_INIT_P[BLOWFISH_P_WORDS];
extern const std::uint32_t BLOWFISH_INIT_S[BLOWFISH_S_BOXES][BLOWFISH_S_WORDS];
