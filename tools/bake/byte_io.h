#pragma once

#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

namespace bake {

// Appends little-endian values to a byte vector.
class ByteWriter {
  public:
    void U8(std::uint8_t value) { m_bytes.push_back(value); }
    void I16(std::int16_t value) { U16(static_cast<std::uint16_t>(value)); }
    void U16(std::uint16_t value) {
        U8(static_cast<std::uint8_t>(value & 0xff));
        U8(static_cast<std::uint8_t>(value >> 8));
    }
    void I32(std::int32_t value) {
        const auto bits = static_cast<std::uint32_t>(value);
        U16(static_cast<std::uint16_t>(bits & 0xffff));
        U16(static_cast<std::uint16_t>(bits >> 16));
    }
    void F32(float value) {
        std::uint32_t bits = 0;
        std::memcpy(&bits, &value, sizeof(bits));
        I32(static_cast<std::int32_t>(bits));
    }
    // Writes the text into a zero-filled field of the given width.
    void Text(const std::string& text, std::size_t width) {
        for (std::size_t i = 0; i < width; ++i) {
            U8(i < text.size() ? static_cast<std::uint8_t>(text[i]) : 0);
        }
    }
    std::size_t Size() const { return m_bytes.size(); }
    std::vector<std::uint8_t> Take() { return std::move(m_bytes); }

  private:
    std::vector<std::uint8_t> m_bytes;
};

// Reads little-endian values at checked offsets of a byte vector.
class ByteReader {
  public:
    explicit ByteReader(const std::vector<std::uint8_t>& bytes) : m_bytes(bytes) {}

    void Check(std::size_t offset, std::size_t length, const char* what) const {
        if (offset > m_bytes.size() || length > m_bytes.size() - offset) {
            throw std::runtime_error(std::string(what) + " lies outside the file");
        }
    }
    std::uint8_t U8(std::size_t offset) const {
        Check(offset, 1, "a byte");
        return m_bytes[offset];
    }
    std::uint16_t U16(std::size_t offset) const {
        return static_cast<std::uint16_t>(U8(offset) | (U8(offset + 1) << 8));
    }
    std::int16_t I16(std::size_t offset) const { return static_cast<std::int16_t>(U16(offset)); }
    std::int32_t I32(std::size_t offset) const {
        return static_cast<std::int32_t>(U16(offset) | (std::uint32_t{U16(offset + 2)} << 16));
    }
    std::uint32_t U32(std::size_t offset) const { return static_cast<std::uint32_t>(I32(offset)); }
    float F32(std::size_t offset) const {
        const std::uint32_t bits = U32(offset);
        float value = 0.0f;
        std::memcpy(&value, &bits, sizeof(value));
        return value;
    }
    // A zero-terminated text inside a field of the given width.
    std::string Text(std::size_t offset, std::size_t width) const {
        Check(offset, width, "a name");
        const char* start = reinterpret_cast<const char*>(m_bytes.data() + offset);
        const void* end = std::memchr(start, 0, width);
        if (end == nullptr) {
            throw std::runtime_error("a name is not terminated within its field");
        }
        return std::string(start, static_cast<const char*>(end));
    }
    std::size_t Size() const { return m_bytes.size(); }

  private:
    const std::vector<std::uint8_t>& m_bytes;
};

}  // namespace bake
