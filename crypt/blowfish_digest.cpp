#include <cstdio>
#include <cstring>

#include "crypt/blowfish.h"
#include "crypt/sha.h"

namespace {

constexpr char CIPHER_NAME[] = "BLOWFISH";
constexpr int NAME_LENGTH = 8;

}  // namespace

// The key text is "BLOWFISH", the 56 expanded key bytes and the mode and padding digits. All 66
// bytes are hashed even when the key holds a zero byte, so that the digest always covers the
// mode and padding and a container opened with the wrong ones is refused.
void CBlowfish::GetKeyDigest(std::uint8_t* out) {
    RequireInit();
    char text[NAME_LENGTH + KEY_LENGTH + 4] = {};
    std::memcpy(text, CIPHER_NAME, NAME_LENGTH);
    std::memcpy(text + NAME_LENGTH, m_pKey.get(), KEY_LENGTH);
    const int digits = std::snprintf(text + NAME_LENGTH + KEY_LENGTH, 4, "%d%d",
                                     static_cast<int>(m_iMode), static_cast<int>(m_iPadding));
    CSHA sha;
    sha.AddData(text, NAME_LENGTH + KEY_LENGTH + digits);
    sha.FinalDigest(out);
}
