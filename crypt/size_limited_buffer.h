#pragma once

#include <cstdint>
#include <streambuf>

// Reads from source at most size bytes: a file that grows while it is read gives no more than
// the size the checks saw when it was opened.
class SizeLimitedBuffer : public std::streambuf {
  public:
    SizeLimitedBuffer(std::streambuf& source, std::int64_t size) : m_source(source), m_left(size) {}

    // True once source has ended before size bytes: a file cut while it was being read.
    bool EndedShort() const { return m_endedShort; }

  protected:
    int_type underflow() override;

  private:
    std::streambuf& m_source;
    std::int64_t m_left;
    bool m_endedShort = false;
    char m_chunk[4096];
};
