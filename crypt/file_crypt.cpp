#include "crypt/file_crypt.h"

#include <cstring>
#include <stdexcept>

#include "crypt/crypt_errors.h"

namespace {

constexpr std::uint8_t SPACE = 0x20;

}  // namespace

void FileCrypt::RequireInit() const {
    if (!m_bInit) {
        throw std::runtime_error(crypt_error::NOT_INITIALIZED);
    }
}

std::int32_t FileCrypt::PadBuffer(std::uint8_t* buf, std::int32_t len) const {
    RequireInit();
    const std::int32_t rest = len % m_iBlockSize;
    if (rest == 0) {
        return len;
    }
    const std::int32_t fill = m_iBlockSize - rest;
    std::uint8_t value = 0;
    if (m_iPadding == 1) {
        value = SPACE;
    } else if (m_iPadding == 2) {
        value = static_cast<std::uint8_t>(fill);
    }
    std::memset(buf + len, value, static_cast<std::size_t>(fill));
    return len + fill;
}
