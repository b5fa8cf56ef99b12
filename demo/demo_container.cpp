#include "demo_container.h"

#include "demo_block.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

ContainerResult ReadDemoContainer(std::shared_ptr<const std::vector<uint8_t>> file) {
    ContainerResult result;
    const uint8_t* data = file->data();
    const size_t size = file->size();
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
        block->SetRawBytes(std::shared_ptr<const uint8_t>(file, data + pos), present);
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

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes, std::string* error) {
    auto fail = [&](const char* what) {
        if (error != nullptr) {
            *error = std::string(what) + " \"" + path + "\": " + std::strerror(errno) + ".";
        }
        return false;
    };
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return fail("Cannot open");
    }
    struct stat info {};
    if (::fstat(::fileno(file), &info) == 0 && S_ISDIR(info.st_mode)) {
        std::fclose(file);
        errno = EISDIR;
        return fail("Cannot open");
    }
    bytes.clear();
    if (info.st_size > 0) {
        bytes.reserve(static_cast<size_t>(info.st_size));
    }
    // Read in steps: the size a file claims is a hint, not a promise.
    constexpr size_t kStep = 1 << 20;
    for (;;) {
        size_t at = bytes.size();
        bytes.resize(at + kStep);
        size_t got = std::fread(bytes.data() + at, 1, kStep, file);
        bytes.resize(at + got);
        if (got < kStep) {
            break;
        }
    }
    bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) {
        return fail("Cannot read");
    }
    return true;
}
