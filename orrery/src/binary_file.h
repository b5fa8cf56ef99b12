// A file opened for binary reading, closed on destruction.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace orrery {

class BinaryFile {
  public:
    BinaryFile() = default;
    ~BinaryFile();
    BinaryFile(const BinaryFile&) = delete;
    BinaryFile& operator=(const BinaryFile&) = delete;

    // Opens path with "rb". Fails for a null path and for anything that is not a
    // regular file (a directory opens with fopen on this platform but has no
    // meaningful length).
    bool Open(const char* path);
    // Length in bytes of the open file, taken when it was opened.
    std::int64_t Size() const { return m_nSize; }
    // Reads exactly count bytes at offset; false on a seek error or short read.
    bool ReadAt(std::int64_t offset, void* target, std::size_t count);

  private:
    std::FILE* m_pStream = nullptr;
    std::int64_t m_nSize = 0;
};

// Buffers handed to the renderer and to callers of LoadFile: length bytes of
// data followed by one NUL byte. Null when there is no memory.
unsigned char* AllocFileBuffer(std::size_t length);
void FreeFileBuffer(void* buffer);

} // namespace orrery
