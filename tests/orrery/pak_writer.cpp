#include "pak_writer.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace orrery_test {

namespace {

void PutInt32(std::string& out, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<char>((bits >> shift) & 0xff));
}

} // namespace

std::string BuildPak(const PakLayout& layout) {
    std::string body;
    std::string directory;
    for (const PakEntry& entry : layout.entries) {
        std::string name = entry.name.substr(0, 56);
        name.resize(56, '\0');
        directory += name;
        PutInt32(directory, static_cast<std::int32_t>(12 + body.size()));
        PutInt32(directory, static_cast<std::int32_t>(entry.data.size()));
        body += entry.data;
    }
    std::string out = layout.magic.substr(0, 4);
    out.resize(4, '\0');
    PutInt32(out, layout.overrideDirOffset ? layout.dirOffset
                                           : static_cast<std::int32_t>(12 + body.size()));
    PutInt32(out, layout.overrideDirLength ? layout.dirLength
                                           : static_cast<std::int32_t>(directory.size()));
    return out + body + directory + layout.trailer;
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WritePak(const std::filesystem::path& path, const std::vector<PakEntry>& entries) {
    PakLayout layout;
    layout.entries = entries;
    WriteFile(path, BuildPak(layout));
}

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "orrery-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder");
    m_path = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

} // namespace orrery_test
