#include "demo_container.h"

#include "demo_block.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

FileBytes FileBytes::Copy(const uint8_t* bytes, size_t size) {
    std::shared_ptr<uint8_t[]> copy = std::make_shared_for_overwrite<uint8_t[]>(size);
    if (size > 0) {
        std::memcpy(copy.get(), bytes, size);
    }
    return {std::shared_ptr<const uint8_t>(copy, copy.get()), size};
}

ContainerResult ReadDemoContainer(const FileBytes& file) {
    ContainerResult result;
    const uint8_t* data = file.data.get();
    const size_t size = file.size;
    size_t pos = 0;
    DemoBlock* last = nullptr;
    while (size - pos >= 4) {
        uint32_t length = static_cast<uint32_t>(data[pos]) | data[pos + 1] << 8 |
                          data[pos + 2] << 16 | static_cast<uint32_t>(data[pos + 3]) << 24;
        pos += 4;
        bool firstBlock = last == nullptr;
        if (!firstBlock && length == kEndOfDemo) {
            break;
        }
        if (!firstBlock && length == 0) {
            continue;
        }
        uint32_t present = size - pos < length ? static_cast<uint32_t>(size - pos) : length;
        auto* block = new DemoBlock;
        block->SetRawBytes(std::shared_ptr<const uint8_t>(file.data, data + pos), present);
        pos += present;
        ++result.blockCount;
        block->previous = last;
        if (last != nullptr) {
            last->next = block;
        } else {
            result.first = block;
        }
        last = block;
        if (present < length) {
            result.truncatedBlock = result.blockCount;
            result.announced = length;
            result.present = present;
            break;
        }
    }
    return result;
}

namespace {

std::shared_ptr<uint8_t> FileBuffer(size_t bytes) {
    std::shared_ptr<uint8_t[]> heap = std::make_shared_for_overwrite<uint8_t[]>(bytes);
    return std::shared_ptr<uint8_t>(heap, heap.get());
}

} // namespace

bool ReadWholeFile(const std::string& path, FileBytes& file, std::string* error) {
    auto fail = [&](const char* what) {
        if (error != nullptr) {
            *error = std::string(what) + " \"" + path + "\": " + std::strerror(errno) + ".";
        }
        return false;
    };
    std::FILE* stream = std::fopen(path.c_str(), "rb");
    if (stream == nullptr) {
        return fail("Cannot open");
    }
    struct stat info {};
    if (::fstat(::fileno(stream), &info) != 0 || S_ISDIR(info.st_mode)) {
        int saved = S_ISDIR(info.st_mode) ? EISDIR : errno;
        std::fclose(stream);
        errno = saved;
        return fail("Cannot open");
    }
    std::vector<uint8_t> tail;
    size_t expected = info.st_size > 0 ? static_cast<size_t>(info.st_size) : 0;
    std::shared_ptr<uint8_t> buffer = FileBuffer(expected);
    size_t got = expected > 0 ? std::fread(buffer.get(), 1, expected, stream) : 0;
    // The size a file claims is a hint, not a promise: read whatever else is there.
    uint8_t step[65536];
    for (size_t n; got == expected && (n = std::fread(step, 1, sizeof step, stream)) > 0;) {
        tail.insert(tail.end(), step, step + n);
    }
    bool failed = std::ferror(stream) != 0;
    std::fclose(stream);
    if (failed) {
        return fail("Cannot read");
    }
    if (tail.empty()) {
        file = {std::move(buffer), got};
    } else {
        std::vector<uint8_t> whole(buffer.get(), buffer.get() + got);
        whole.insert(whole.end(), tail.begin(), tail.end());
        file = FileBytes::Copy(whole.data(), whole.size());
    }
    return true;
}
