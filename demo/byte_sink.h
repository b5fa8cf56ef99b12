// Where a saved demo goes: a file or memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

class ByteSink {
  public:
    virtual ~ByteSink() = default;
    virtual void Write(const uint8_t* data, size_t size) = 0;
    void WriteU32(uint32_t v) {
        uint8_t b[4] = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8),
                        static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 24)};
        Write(b, 4);
    }
};

class VectorSink : public ByteSink {
  public:
    void Write(const uint8_t* data, size_t size) override {
        bytes.insert(bytes.end(), data, data + size);
    }
    std::vector<uint8_t> bytes;
};

// Buffered writing to an open file; the first failure is kept and later writes are skipped.
class FileSink : public ByteSink {
  public:
    explicit FileSink(std::FILE* file) : file_(file) {}
    void Write(const uint8_t* data, size_t size) override;
    bool Failed() const { return failed_; }

  private:
    std::FILE* file_;
    bool failed_ = false;
};
