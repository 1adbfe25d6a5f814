#pragma once

#include <cstdint>
#include <ext/stdio_filebuf.h>
#include <istream>
#include <string>

#include "crypt/size_limited_buffer.h"

// A container opened for reading by the program's loaders. The file is checked before a byte is
// read: what is not a regular file (a FIFO that would block forever, a device that never ends, a
// directory) is refused with a message that says so. A link to a regular file is followed. The
// stream ends at the size the file had when it was opened, whatever is added to it meanwhile.
class ContainerInput {
  public:
    // Raises "FileCrypt ERROR: ..." naming the container when it cannot be used.
    explicit ContainerInput(const std::string& name);
    ContainerInput(const ContainerInput&) = delete;
    ContainerInput& operator=(const ContainerInput&) = delete;

    std::istream& Stream() { return m_stream; }
    // The file's size when it was opened.
    std::int64_t Size() const { return m_iSize; }
    // True once the stream has ended before Size() bytes: the file was cut while it was read.
    bool Shrank() const { return m_limited.EndedShort(); }

  private:
    std::int64_t m_iSize = 0;
    __gnu_cxx::stdio_filebuf<char> m_buffer;
    SizeLimitedBuffer m_limited;
    std::istream m_stream;
};
