// Writes small PACK archives for the tests, including deliberately broken ones.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace orrery_test {

struct PakEntry {
    std::string name; // up to 56 bytes; exactly 56 leaves no terminator
    std::string data;
};

// Layout of an archive: the header, then every entry's data, then the directory.
// The overrides let a test break one field at a time.
struct PakLayout {
    std::vector<PakEntry> entries;
    std::string magic = "PACK";
    // Written instead of the true directory offset/length when set.
    bool overrideDirOffset = false;
    std::int32_t dirOffset = 0;
    bool overrideDirLength = false;
    std::int32_t dirLength = 0;
    // Bytes appended after the directory.
    std::string trailer;
};

// Writes the archive and returns its bytes.
std::string BuildPak(const PakLayout& layout);
void WriteFile(const std::filesystem::path& path, const std::string& bytes);
std::string ReadFile(const std::filesystem::path& path);
// Writes an archive holding entries.
void WritePak(const std::filesystem::path& path, const std::vector<PakEntry>& entries);

// A fresh folder under the system's temporary folder, removed with its content.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& Path() const { return m_path; }
    std::string File(const std::string& name) const { return (m_path / name).string(); }

  private:
    std::filesystem::path m_path;
};

} // namespace orrery_test
