#pragma once

#include <cstdint>
#include <fstream>
#include <istream>

// Reads a file in chunks through a caller's buffer used as a ring of two halves: while one half
// is being delivered, the other is refilled with the next half-buffer of the file.
class CDoubleBuffering {
  public:
    // Binds to an open binary input stream and reads the first half-buffer. iSize is the (even)
    // size of buffer; iDataLen the chunk length GetData delivers when asked for -1.
    CDoubleBuffering(std::ifstream& file, std::uint8_t* buffer, std::int32_t iSize,
                     std::int32_t iDataLen);
    // The same for any input stream, such as one over a file descriptor the caller has checked.
    CDoubleBuffering(std::istream& file, std::uint8_t* buffer, std::int32_t iSize,
                     std::int32_t iDataLen);

    // Copies the next iDataLen bytes (or the default chunk length for -1) to dst and returns the
    // count: the full request while the file lasts, then the remaining bytes once, then 0.
    std::int32_t GetData(std::uint8_t* dst, std::int32_t iDataLen);

  private:
    CDoubleBuffering(std::istream& file, bool open, std::uint8_t* buffer, std::int32_t iSize,
                     std::int32_t iDataLen);
    std::int32_t Read(std::int32_t at);
    std::int32_t DeliverTail(std::uint8_t* dst);
    std::int32_t DeliverFromFirstHalf(std::uint8_t* dst, std::int32_t len);
    std::int32_t DeliverAcrossWrap(std::uint8_t* dst, std::int32_t len);

    std::istream* m_pFile;
    std::int32_t m_iSize;
    std::int32_t m_iHalf;
    std::int32_t m_iDataLen;
    std::int32_t m_iPos = 0;
    std::int32_t m_iEnd = 0;
    std::int32_t m_bSecondHalf = 0;
    std::uint8_t* m_pBuffer;
    bool m_bFinished = false;
};
