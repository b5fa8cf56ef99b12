// Little-endian reads confined to a span: every read is checked against the end first.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "formats/types.h"

namespace formats::detail {

class ByteReader {
  public:
    explicit ByteReader(Bytes bytes) : m_bytes(bytes) {}

    std::size_t Size() const { return m_bytes.size(); }
    // True when [offset, offset + length) lies inside the bytes.
    bool Has(std::size_t offset, std::size_t length) const {
        return offset <= m_bytes.size() && length <= m_bytes.size() - offset;
    }
    // The callers check the range with Has first; these never read outside it.
    std::uint8_t U8(std::size_t at) const { return at < m_bytes.size() ? m_bytes[at] : 0; }
    std::uint16_t U16(std::size_t at) const {
        return static_cast<std::uint16_t>(U8(at) | U8(at + 1) << 8);
    }
    std::int16_t I16(std::size_t at) const { return static_cast<std::int16_t>(U16(at)); }
    std::uint32_t U32(std::size_t at) const {
        return static_cast<std::uint32_t>(U8(at)) | static_cast<std::uint32_t>(U8(at + 1)) << 8 |
               static_cast<std::uint32_t>(U8(at + 2)) << 16 |
               static_cast<std::uint32_t>(U8(at + 3)) << 24;
    }
    std::int32_t I32(std::size_t at) const { return static_cast<std::int32_t>(U32(at)); }
    float F32(std::size_t at) const {
        const std::uint32_t bits = U32(at);
        float f;
        std::memcpy(&f, &bits, sizeof f);
        return f;
    }
    // A NUL-padded name slot of `length` bytes (no terminator needed when full).
    std::string Name(std::size_t at, std::size_t length) const {
        std::string s;
        for (std::size_t i = 0; i < length && at + i < m_bytes.size(); ++i) {
            const auto c = static_cast<char>(m_bytes[at + i]);
            if (c == '\0') {
                break;
            }
            s.push_back(c);
        }
        return s;
    }
    const std::uint8_t* Data(std::size_t at) const { return m_bytes.data() + at; }

  private:
    Bytes m_bytes;
};

// Little-endian appends for the writers.
class ByteWriter {
  public:
    std::vector<std::uint8_t>& Out() { return m_out; }
    std::size_t Size() const { return m_out.size(); }
    void U8(std::uint8_t v) { m_out.push_back(v); }
    void U16(std::uint16_t v) {
        U8(static_cast<std::uint8_t>(v));
        U8(static_cast<std::uint8_t>(v >> 8));
    }
    void I16(std::int16_t v) { U16(static_cast<std::uint16_t>(v)); }
    void U32(std::uint32_t v) {
        for (int i = 0; i < 4; ++i) {
            U8(static_cast<std::uint8_t>(v >> (8 * i)));
        }
    }
    void I32(std::int32_t v) { U32(static_cast<std::uint32_t>(v)); }
    void F32(float f) {
        std::uint32_t bits;
        std::memcpy(&bits, &f, sizeof bits);
        U32(bits);
    }
    void Name(const std::string& s, std::size_t length) {
        for (std::size_t i = 0; i < length; ++i) {
            U8(i < s.size() && i + 1 < length ? static_cast<std::uint8_t>(s[i]) : 0);
        }
    }
    void Raw(const std::uint8_t* p, std::size_t n) { m_out.insert(m_out.end(), p, p + n); }
    void PatchU32(std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) {
            m_out[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
        }
    }

  private:
    std::vector<std::uint8_t> m_out;
};

} // namespace formats::detail
