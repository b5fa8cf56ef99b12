// The demo file container: blocks as a 4-byte little-endian length and that many payload
// bytes, until a length of 0xFFFFFFFF or the end of the file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class DemoBlock;

constexpr uint32_t kEndOfDemo = 0xFFFFFFFF;

struct ContainerResult {
    DemoBlock* first = nullptr; // the chain of undecoded blocks; null when nothing was read
    uint32_t blockCount = 0;
    // Set when the file ends inside a block: its number, the bytes announced and present.
    uint32_t truncatedBlock = 0;
    uint32_t announced = 0;
    uint32_t present = 0;
};

// The bytes of a whole file, shared by the blocks read from it until they are decoded.
struct FileBytes {
    std::shared_ptr<const uint8_t> data;
    size_t size = 0;

    // A copy of bytes in memory.
    static FileBytes Copy(const uint8_t* bytes, size_t size);
};

// Cuts a whole file into blocks. The first block always exists (its length is taken as it
// stands); after it, a length of 0 is skipped and 0xFFFFFFFF ends the demo. A block cut short
// by the end of the file keeps the bytes that are there. The blocks share the file's buffer
// until they are decoded.
ContainerResult ReadDemoContainer(const FileBytes& file);

// Reads a whole file; false with *error set when it cannot be read.
bool ReadWholeFile(const std::string& path, FileBytes& file, std::string* error);
