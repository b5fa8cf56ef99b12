// The demo file container: blocks as a 4-byte little-endian length and that many payload
// bytes, until a length of 0xFFFFFFFF or the end of the file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

class DemoBlock;

constexpr uint32_t kEndOfDemo = 0xFFFFFFFF;

// Where the container is read from.
class ByteSource {
  public:
    virtual ~ByteSource() = default;
    // Reads up to size bytes; returns how many were read (0 at the end).
    virtual size_t Read(uint8_t* data, size_t size) = 0;
};

class MemorySource : public ByteSource {
  public:
    MemorySource(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    size_t Read(uint8_t* data, size_t size) override;

  private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

class FileSource : public ByteSource {
  public:
    explicit FileSource(std::FILE* file) : file_(file) {}
    size_t Read(uint8_t* data, size_t size) override;

  private:
    std::FILE* file_;
};

struct ContainerResult {
    DemoBlock* first = nullptr; // the chain of undecoded blocks; null when nothing was read
    uint32_t blockCount = 0;
    // Set when the file ends inside a block: its number, the bytes announced and read.
    uint32_t truncatedBlock = 0;
    uint32_t announced = 0;
    uint32_t present = 0;
};

// Reads every block. The first block always exists (its length is taken as it stands); after
// it, a length of 0 is skipped and 0xFFFFFFFF ends the demo. A block cut short by the end of
// the file keeps the bytes that are there.
ContainerResult ReadDemoContainer(ByteSource& in);
