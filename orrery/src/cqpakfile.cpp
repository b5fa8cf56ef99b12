#include "orrery/cqpakfile.h"

#include "binary_file.h"

#include <cstdint>
#include <cstring>

namespace {

constexpr int kHeaderSize = 12;
constexpr int kEntrySize = static_cast<int>(sizeof(dpackfile_t));

std::int32_t ReadLittleInt32(const unsigned char* bytes) {
    const std::uint32_t value = std::uint32_t(bytes[0]) | std::uint32_t(bytes[1]) << 8 |
                                std::uint32_t(bytes[2]) << 16 | std::uint32_t(bytes[3]) << 24;
    return static_cast<std::int32_t>(value);
}

unsigned char LowerAscii(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

// Whole-string comparison ignoring ASCII letter case only, whatever the locale.
bool EqualsIgnoringAsciiCase(const char* a, const char* b) {
    for (;; ++a, ++b) {
        const unsigned char ca = LowerAscii(static_cast<unsigned char>(*a));
        const unsigned char cb = LowerAscii(static_cast<unsigned char>(*b));
        if (ca != cb)
            return false;
        if (ca == 0)
            return true;
    }
}

} // namespace

CQPakFile::CQPakFile() = default;

CQPakFile::CQPakFile(const char* path) {
    Open(path);
}

CQPakFile::~CQPakFile() {
    Close();
}

int CQPakFile::Open(const char* path) {
    if (m_pPath || m_pFiles)
        return 0;
    if (!path || std::strlen(path) > kMaxPath)
        return 0;

    orrery::BinaryFile file;
    if (!file.Open(path))
        return 0;

    unsigned char header[kHeaderSize];
    if (!file.ReadAt(0, header, sizeof header))
        return 0;
    // The four identifying bytes at the start are not checked: an archive is
    // accepted when its directory fields make sense.
    const std::int64_t dirOffset = ReadLittleInt32(header + 4);
    const std::uint32_t dirLength = static_cast<std::uint32_t>(ReadLittleInt32(header + 8));

    // The length is taken as unsigned, so a negative one gives a huge count and
    // is refused; a trailing partial entry is dropped.
    const std::uint32_t count = dirLength / kEntrySize;
    if (count >= static_cast<std::uint32_t>(kMaxEntries))
        return 0;
    const std::int64_t dirBytes = static_cast<std::int64_t>(count) * kEntrySize;
    if (dirOffset < 0 || dirOffset + dirBytes > file.Size())
        return 0;

    auto files = std::make_unique<dpackfile_t[]>(count);
    unsigned char* raw = reinterpret_cast<unsigned char*>(files.get());
    if (!file.ReadAt(dirOffset, raw, static_cast<std::size_t>(dirBytes)))
        return 0;
    for (std::uint32_t i = 0; i < count; ++i) {
        dpackfile_t& entry = files[i];
        if (!std::memchr(entry.name, 0, sizeof entry.name))
            return 0;
        // Stored little-endian; decode explicitly so the reader does not depend
        // on the machine's byte order.
        const unsigned char* fields = raw + i * kEntrySize + sizeof entry.name;
        entry.filepos = ReadLittleInt32(fields);
        entry.filelen = ReadLittleInt32(fields + 4);
    }

    m_pPath = std::make_unique<char[]>(kMaxPath + 1);
    std::strcpy(m_pPath.get(), path);
    m_nFileCount = static_cast<int>(count);
    m_pFiles = std::move(files);
    return 1;
}

void CQPakFile::Close() {
    m_pFiles.reset();
    m_pPath.reset();
    m_nFileCount = 0;
}

const dpackfile_t* CQPakFile::GetFileAt(int index) const {
    if (!m_pFiles || index < 0 || index >= m_nFileCount)
        return nullptr;
    return &m_pFiles[index];
}

const dpackfile_t* CQPakFile::GetFile(const char* name) const {
    if (!m_pFiles || !name)
        return nullptr;
    for (int i = 0; i < m_nFileCount; ++i) {
        if (EqualsIgnoringAsciiCase(m_pFiles[i].name, name))
            return &m_pFiles[i];
    }
    return nullptr;
}

int CQPakFile::LoadFile(const char* name, void** buffer) const {
    const dpackfile_t* entry = GetFile(name);
    if (!entry)
        return -1;

    orrery::BinaryFile file;
    if (!file.Open(m_pPath.get()))
        return -1;
    // The archive is reopened on every load, so check the entry against the
    // file as it is now.
    const std::int64_t pos = entry->filepos;
    const std::int64_t len = entry->filelen;
    if (pos < 0 || len < 0 || pos + len > file.Size())
        return -1;
    if (!buffer)
        return entry->filelen;

    unsigned char* data = orrery::AllocFileBuffer(static_cast<std::size_t>(len));
    if (!data)
        return -1;
    if (!file.ReadAt(pos, data, static_cast<std::size_t>(len))) {
        orrery::FreeFileBuffer(data);
        return -1;
    }
    *buffer = data;
    return entry->filelen;
}

void CQPakFile::FreeFile(void* buffer) {
    orrery::FreeFileBuffer(buffer);
}
