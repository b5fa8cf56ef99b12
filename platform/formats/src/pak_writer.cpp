#include "formats/pak_writer.h"

#include <cstdio>
#include <filesystem>

#include "byte_reader.h"

namespace formats {

using detail::ByteWriter;

bool PakWriter::Add(const std::string& name, std::vector<std::uint8_t> data) {
    if (name.empty() || name.size() > 55) {
        return false;
    }
    m_files.push_back({name, std::move(data)});
    return true;
}

std::vector<std::uint8_t> PakWriter::Build() const {
    ByteWriter w;
    w.U32(0x4b434150u); // "PACK"
    w.U32(0);
    w.U32(static_cast<std::uint32_t>(64 * m_files.size()));
    std::vector<std::size_t> positions;
    for (const File& f : m_files) {
        positions.push_back(w.Size());
        w.Raw(f.data.data(), f.data.size());
    }
    w.PatchU32(4, static_cast<std::uint32_t>(w.Size()));
    for (std::size_t i = 0; i < m_files.size(); ++i) {
        w.Name(m_files[i].name, 56);
        w.U32(static_cast<std::uint32_t>(positions[i]));
        w.U32(static_cast<std::uint32_t>(m_files[i].data.size()));
    }
    return std::move(w.Out());
}

bool PakWriter::WriteFile(const std::string& path) const {
    const std::vector<std::uint8_t> bytes = Build();
    const std::string temp = path + ".part";
    std::FILE* f = std::fopen(temp.c_str(), "wb");
    if (!f) {
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    const bool closed = std::fclose(f) == 0;
    std::error_code ec;
    if (!written || !closed) {
        std::filesystem::remove(temp, ec);
        return false;
    }
    std::filesystem::rename(temp, path, ec);
    if (ec) {
        std::filesystem::remove(temp, ec);
        return false;
    }
    return true;
}

} // namespace formats
