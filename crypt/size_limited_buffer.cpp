#include "crypt/size_limited_buffer.h"

#include <algorithm>

SizeLimitedBuffer::int_type SizeLimitedBuffer::underflow() {
    if (gptr() < egptr())
        return traits_type::to_int_type(*gptr());
    const std::streamsize wanted =
        static_cast<std::streamsize>(std::min<std::int64_t>(sizeof m_chunk, m_left));
    const std::streamsize got = wanted > 0 ? m_source.sgetn(m_chunk, wanted) : 0;
    if (got <= 0) {
        m_endedShort = m_left > 0;
        return traits_type::eof();
    }
    m_left -= got;
    setg(m_chunk, m_chunk, m_chunk + got);
    return traits_type::to_int_type(*gptr());
}
