#include "demo_container.h"

#include "demo_block.h"

#include <algorithm>
#include <cstring>
#include <vector>

size_t MemorySource::Read(uint8_t* data, size_t size) {
    size_t n = std::min(size, size_ - pos_);
    if (n > 0) {
        std::memcpy(data, data_ + pos_, n);
    }
    pos_ += n;
    return n;
}

size_t FileSource::Read(uint8_t* data, size_t size) {
    return std::fread(data, 1, size, file_);
}

namespace {

// Reads exactly size bytes unless the source ends first; returns the count read.
size_t ReadFully(ByteSource& in, uint8_t* data, size_t size) {
    size_t total = 0;
    while (total < size) {
        size_t n = in.Read(data + total, size - total);
        if (n == 0) {
            break;
        }
        total += n;
    }
    return total;
}

constexpr size_t kStep = 1 << 20;

// Reads a payload of an announced length without trusting the length for the allocation:
// a huge length in a damaged file costs no more memory than the bytes really there.
std::vector<uint8_t> ReadLargePayload(ByteSource& in, uint32_t length) {
    std::vector<uint8_t> bytes;
    while (bytes.size() < length) {
        size_t want = std::min<size_t>(kStep, length - bytes.size());
        size_t at = bytes.size();
        bytes.resize(at + want);
        size_t got = ReadFully(in, bytes.data() + at, want);
        if (got < want) {
            bytes.resize(at + got);
            break;
        }
    }
    return bytes;
}

} // namespace

ContainerResult ReadDemoContainer(ByteSource& in) {
    ContainerResult result;
    DemoBlock* last = nullptr;
    bool firstBlock = true;
    for (;;) {
        uint8_t lengthBytes[4];
        if (ReadFully(in, lengthBytes, 4) < 4) {
            break;
        }
        uint32_t length = static_cast<uint32_t>(lengthBytes[0]) | lengthBytes[1] << 8 |
                          lengthBytes[2] << 16 | static_cast<uint32_t>(lengthBytes[3]) << 24;
        if (!firstBlock && length == kEndOfDemo) {
            break;
        }
        if (!firstBlock && length == 0) {
            continue;
        }
        auto* block = new DemoBlock;
        ++result.blockCount;
        uint32_t present = length;
        if (length <= kStep) {
            auto bytes = std::make_unique_for_overwrite<uint8_t[]>(length);
            present = static_cast<uint32_t>(ReadFully(in, bytes.get(), length));
            block->SetRawBytes(std::move(bytes), present);
        } else {
            std::vector<uint8_t> payload = ReadLargePayload(in, length);
            present = static_cast<uint32_t>(payload.size());
            block->SetRawBytes(std::move(payload));
        }
        if (present < length) {
            result.truncatedBlock = result.blockCount;
            result.announced = length;
            result.present = present;
        }
        block->previous = last;
        if (last != nullptr) {
            last->next = block;
        } else {
            result.first = block;
        }
        last = block;
        firstBlock = false;
        if (result.truncatedBlock != 0) {
            break;
        }
    }
    return result;
}
