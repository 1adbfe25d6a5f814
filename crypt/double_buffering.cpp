#include "crypt/double_buffering.h"

#include <cstring>
#include <stdexcept>

#include "crypt/crypt_errors.h"

namespace {

void Copy(std::uint8_t* dst, const std::uint8_t* src, std::int32_t len) {
    std::memcpy(dst, src, static_cast<std::size_t>(len));
}

}  // namespace

CDoubleBuffering::CDoubleBuffering(std::ifstream& file, std::uint8_t* buffer, std::int32_t iSize,
                                   std::int32_t iDataLen)
    : CDoubleBuffering(file, file.is_open(), buffer, iSize, iDataLen) {}

CDoubleBuffering::CDoubleBuffering(std::istream& file, std::uint8_t* buffer, std::int32_t iSize,
                                   std::int32_t iDataLen)
    : CDoubleBuffering(file, file.rdbuf() != nullptr, buffer, iSize, iDataLen) {}

CDoubleBuffering::CDoubleBuffering(std::istream& file, bool open, std::uint8_t* buffer,
                                   std::int32_t iSize, std::int32_t iDataLen)
    : m_pFile(&file), m_iSize(iSize), m_iHalf(iSize / 2), m_iDataLen(iDataLen), m_pBuffer(buffer) {
    if (iSize % 2 != 0) {
        throw std::runtime_error(crypt_error::BUFFER_SIZE_ODD);
    }
    if (!open || file.bad()) {
        throw std::runtime_error(crypt_error::BUFFER_FILE_STATE);
    }
    if (iDataLen < 1 || iDataLen > m_iHalf) {
        throw std::runtime_error(crypt_error::BUFFER_CONSTRUCTION);
    }
    m_iEnd = Read(0);
}

// Reads up to half a buffer into the buffer at offset at. A read error (not the end of the file)
// is raised rather than taken for the end, so a damaged input never passes for a short file.
std::int32_t CDoubleBuffering::Read(std::int32_t at) {
    m_pFile->read(reinterpret_cast<char*>(m_pBuffer + at), m_iHalf);
    if (m_pFile->bad()) {
        throw std::runtime_error(crypt_error::BUFFER_FILE_STATE);
    }
    return static_cast<std::int32_t>(m_pFile->gcount());
}

std::int32_t CDoubleBuffering::GetData(std::uint8_t* dst, std::int32_t iDataLen) {
    const std::int32_t len = iDataLen == -1 ? m_iDataLen : iDataLen;
    if (len < 1 || len > m_iHalf) {
        throw std::runtime_error(crypt_error::BUFFER_DATA_LENGTH);
    }
    if (m_bFinished) {
        return 0;
    }
    const std::int32_t end = m_iPos + len;
    if (end < m_iEnd) {
        Copy(dst, m_pBuffer + m_iPos, len);
        m_iPos = end;
        return len;
    }
    if (m_pFile->eof()) {
        return DeliverTail(dst);
    }
    return m_bSecondHalf == 0 ? DeliverFromFirstHalf(dst, len) : DeliverAcrossWrap(dst, len);
}

// The file has ended and every byte of it is in the buffer: hand over what is left.
std::int32_t CDoubleBuffering::DeliverTail(std::uint8_t* dst) {
    const std::int32_t count = m_iEnd - m_iPos;
    Copy(dst, m_pBuffer + m_iPos, count);
    m_bFinished = true;
    return count;
}

// The valid data lies in the first half: refill the second half, then deliver.
std::int32_t CDoubleBuffering::DeliverFromFirstHalf(std::uint8_t* dst, std::int32_t len) {
    m_iEnd += Read(m_iEnd);
    const std::int32_t end = m_iPos + len;
    if (end > m_iEnd) {
        return DeliverTail(dst);
    }
    Copy(dst, m_pBuffer + m_iPos, len);
    m_iPos = end;
    m_bSecondHalf = 1;
    return len;
}

// The valid data runs to the end of the buffer: refill the first half, whose bytes have all
// been delivered, and deliver a chunk that wraps from the end of the buffer to its start.
std::int32_t CDoubleBuffering::DeliverAcrossWrap(std::uint8_t* dst, std::int32_t len) {
    m_iEnd = Read(0);
    const std::int32_t wrapped = (m_iPos + len) % m_iSize;
    const std::int32_t before = m_iSize - m_iPos;
    Copy(dst, m_pBuffer + m_iPos, before);
    if (wrapped <= m_iEnd) {
        Copy(dst + before, m_pBuffer, len - before);
        m_iPos = wrapped;
        m_bSecondHalf = 0;
        return len;
    }
    Copy(dst + before, m_pBuffer, m_iEnd);
    m_bFinished = true;
    return before + m_iEnd;
}
