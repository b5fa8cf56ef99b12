// The process-wide pak map and the host's file services.

#include "orrery/cqrefapiimport.h"

#include "binary_file.h"
#include "orrery/cqpakfile.h"
#include "pak_map.h"

#include <map>
#include <memory>
#include <string_view>

namespace {

// Archive path text to its reader, ordered by the path bytes (case-sensitive),
// which is the order in which FS_LoadFile asks the archives.
using PakMap = std::map<std::string, std::unique_ptr<CQPakFile>>;

PakMap& Paks() {
    static PakMap paks;
    return paks;
}

// A name the renderer asks for stays inside the game's folders: an absolute path or one that
// steps up a directory would read any file of the machine through the base directory.
bool SafeGameName(const char* name) {
    if (name[0] == '\0' || name[0] == '/' || name[0] == '\\')
        return false;
    const std::string_view text(name);
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find_first_of("/\\", start);
        if (end == std::string_view::npos)
            end = text.size();
        if (text.substr(start, end - start) == "..")
            return false;
        start = end + 1;
    }
    return true;
}

} // namespace

void orrery::KeepPakMapAlive() {
    Paks();
}

int CQRefApiImport::AddPakFile(const char* path) {
    if (!path)
        return 1;
    PakMap& paks = Paks();
    if (paks.find(path) == paks.end())
        paks.emplace(path, std::make_unique<CQPakFile>(path));
    return 1;
}

int CQRefApiImport::AddPakFiles(const std::vector<std::string>& paths) {
    RemovePakFiles();
    for (const std::string& path : paths)
        AddPakFile(path.c_str());
    return 1;
}

int CQRefApiImport::RemovePakFile(const char* path) {
    if (!path)
        return 0;
    return Paks().erase(path) ? 1 : 0;
}

int CQRefApiImport::RemovePakFiles() {
    Paks().clear();
    return 1;
}

int CQRefApiImport::GetPakFileCount() {
    return static_cast<int>(Paks().size());
}

const CQPakFile* CQRefApiImport::FindPakFile(const char* path) {
    if (!path)
        return nullptr;
    const PakMap& paks = Paks();
    const auto found = paks.find(path);
    return found == paks.end() ? nullptr : found->second.get();
}

int CQRefApiImport::FS_LoadFile(const char* name, void** buffer) {
    if (buffer)
        *buffer = nullptr;
    if (!name || !SafeGameName(name))
        return -1;
    for (const auto& [path, pak] : Paks()) {
        const int length = pak->LoadFile(name, buffer);
        if (length != -1)
            return length;
    }

    const std::string fullPath = m_strBaseDir + name;
    orrery::BinaryFile file;
    if (!file.Open(fullPath.c_str()) || file.Size() > 0x7fffffff)
        return -1;
    const int length = static_cast<int>(file.Size());
    if (!buffer)
        return length;
    unsigned char* data = orrery::AllocFileBuffer(static_cast<std::size_t>(length));
    if (!data)
        return -1;
    if (!file.ReadAt(0, data, static_cast<std::size_t>(length))) {
        orrery::FreeFileBuffer(data);
        return -1;
    }
    *buffer = data;
    return length;
}

void CQRefApiImport::FS_FreeFile(void* buffer) {
    CQPakFile::FreeFile(buffer);
}
