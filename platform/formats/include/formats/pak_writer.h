// Writes a PACK archive: header, the stored files' data, then the directory.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace formats {

class PakWriter {
  public:
    // Adds a file; names longer than 55 characters are refused (false).
    bool Add(const std::string& name, std::vector<std::uint8_t> data);
    std::size_t Count() const { return m_files.size(); }
    std::vector<std::uint8_t> Build() const;
    // Writes the archive to `path` through a temporary file beside it; false on failure.
    bool WriteFile(const std::string& path) const;

  private:
    struct File {
        std::string name;
        std::vector<std::uint8_t> data;
    };
    std::vector<File> m_files;
};

} // namespace formats
