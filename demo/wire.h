// Bounds-checked reading and growable writing of the game's little-endian wire format.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

// Reads wire values from a byte range. A read past the end returns 0 and sets the sticky
// `overflow` flag; the cursor never moves past the end, so callers check once per message.
class WireReader {
  public:
    WireReader(const uint8_t* data, size_t size, size_t pos = 0)
        : data_(data), size_(size), pos_(pos > size ? size : pos) {}

    size_t Position() const { return pos_; }
    size_t Size() const { return size_; }
    size_t Remaining() const { return size_ - pos_; }
    bool Overflow() const { return overflow_; }
    bool AtEnd() const { return pos_ >= size_; }

    uint8_t Byte() {
        if (pos_ >= size_) {
            overflow_ = true;
            return 0;
        }
        return data_[pos_++];
    }
    int8_t Char() { return static_cast<int8_t>(Byte()); }
    uint16_t Word() {
        if (size_ - pos_ < 2) {
            return Fail<uint16_t>();
        }
        uint16_t v = static_cast<uint16_t>(data_[pos_] | (data_[pos_ + 1] << 8));
        pos_ += 2;
        return v;
    }
    int16_t Short() { return static_cast<int16_t>(Word()); }
    uint32_t Dword() {
        if (size_ - pos_ < 4) {
            return Fail<uint32_t>();
        }
        uint32_t v = static_cast<uint32_t>(data_[pos_]) |
                     static_cast<uint32_t>(data_[pos_ + 1]) << 8 |
                     static_cast<uint32_t>(data_[pos_ + 2]) << 16 |
                     static_cast<uint32_t>(data_[pos_ + 3]) << 24;
        pos_ += 4;
        return v;
    }
    int32_t Long() { return static_cast<int32_t>(Dword()); }

    // A NUL-terminated string; at most maxChars characters are kept, the cursor moves past
    // the whole string. A string without its NUL before the end is an overflow.
    std::string String(size_t maxChars) {
        const uint8_t* start = data_ + pos_;
        const void* nul = std::memchr(start, 0, size_ - pos_);
        if (nul == nullptr) {
            pos_ = size_;
            overflow_ = true;
            return {};
        }
        size_t len = static_cast<size_t>(static_cast<const uint8_t*>(nul) - start);
        pos_ += len + 1;
        return std::string(reinterpret_cast<const char*>(start), len < maxChars ? len : maxChars);
    }

    void Position3(int16_t out[3]) {
        for (int i = 0; i < 3; ++i) {
            out[i] = Short();
        }
    }

    void Skip(size_t n) {
        if (n > size_ - pos_) {
            pos_ = size_;
            overflow_ = true;
        } else {
            pos_ += n;
        }
    }

    // Copies n bytes (zero-filled past the end, which also sets overflow).
    void Bytes(uint8_t* out, size_t n) {
        size_t have = n <= size_ - pos_ ? n : size_ - pos_;
        std::memcpy(out, data_ + pos_, have);
        pos_ += have;
        if (have < n) {
            std::memset(out + have, 0, n - have);
            overflow_ = true;
        }
    }

  private:
    template <class T> T Fail() {
        pos_ = size_;
        overflow_ = true;
        return 0;
    }

    const uint8_t* data_;
    size_t size_;
    size_t pos_;
    bool overflow_ = false;
};

// Appends wire values to a growable byte buffer.
class WireWriter {
  public:
    static constexpr size_t kMaxWireChars = 2047;

    explicit WireWriter(std::vector<uint8_t>& out) : out_(out) {}

    size_t Size() const { return out_.size(); }
    void Byte(uint32_t v) { out_.push_back(static_cast<uint8_t>(v)); }
    void Word(uint32_t v) {
        uint8_t b[2] = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8)};
        out_.insert(out_.end(), b, b + 2);
    }
    void Dword(uint32_t v) {
        uint8_t b[4] = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8),
                        static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 24)};
        out_.insert(out_.end(), b, b + 4);
    }
    // Writes a text and its NUL. The game reads at most 2047 characters of a string and would
    // take the rest for further messages, so longer texts are cut; an embedded NUL ends the text.
    void String(const char* s) {
        size_t len = std::strlen(s);
        if (len > kMaxWireChars) {
            len = kMaxWireChars;
        }
        out_.insert(out_.end(), s, s + len);
        out_.push_back(0);
    }
    void String(const std::string& s) { String(s.c_str()); }
    void Position3(const int16_t v[3]) {
        for (int i = 0; i < 3; ++i) {
            Word(static_cast<uint16_t>(v[i]));
        }
    }
    void Bytes(const uint8_t* data, size_t n) { out_.insert(out_.end(), data, data + n); }
    // Overwrites a 16-bit value written earlier at offset.
    void PatchWord(size_t offset, uint32_t v) {
        out_[offset] = static_cast<uint8_t>(v);
        out_[offset + 1] = static_cast<uint8_t>(v >> 8);
    }

  private:
    std::vector<uint8_t>& out_;
};
