#include "binary_file.h"

#include <new>
#include <sys/stat.h>

namespace orrery {

BinaryFile::~BinaryFile() {
    if (m_pStream)
        std::fclose(m_pStream);
}

bool BinaryFile::Open(const char* path) {
    if (m_pStream || !path)
        return false;
    m_pStream = std::fopen(path, "rb");
    if (!m_pStream)
        return false;
    struct stat info {};
    if (fstat(fileno(m_pStream), &info) != 0 || !S_ISREG(info.st_mode)) {
        std::fclose(m_pStream);
        m_pStream = nullptr;
        return false;
    }
    m_nSize = static_cast<std::int64_t>(info.st_size);
    return true;
}

bool BinaryFile::ReadAt(std::int64_t offset, void* target, std::size_t count) {
    if (!m_pStream || offset < 0)
        return false;
    if (fseeko(m_pStream, static_cast<off_t>(offset), SEEK_SET) != 0)
        return false;
    return count == 0 || std::fread(target, 1, count, m_pStream) == count;
}

unsigned char* AllocFileBuffer(std::size_t length) {
    auto* buffer = new (std::nothrow) unsigned char[length + 1];
    if (buffer)
        buffer[length] = 0;
    return buffer;
}

void FreeFileBuffer(void* buffer) {
    delete[] static_cast<unsigned char*>(buffer);
}

} // namespace orrery
