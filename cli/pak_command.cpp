#include "pak_command.h"

#include "orrery/cqpakfile.h"

#include <cstring>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>

const char* const kPakUsage =
    "usage: tresk-cli pak list ARCHIVE\n"
    "       tresk-cli pak extract ARCHIVE NAME [OUT]\n"
    "  list     one line per stored file: name, offset, length (tab-separated)\n"
    "  extract  writes the stored file NAME (letter case ignored) to OUT,\n"
    "           by default to its file name in the current folder; OUT - is\n"
    "           standard output\n";

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

int Usage() {
    std::cerr << kPakUsage;
    return kExitUsage;
}

bool OpenArchive(CQPakFile& pak, const char* path) {
    if (pak.Open(path))
        return true;
    std::cerr << "tresk-cli pak: cannot read '" << path << "' as a pak archive\n";
    return false;
}

int ListArchive(const char* path) {
    CQPakFile pak;
    if (!OpenArchive(pak, path))
        return kExitFailed;
    for (int i = 0; i < pak.GetFileCount(); ++i) {
        const dpackfile_t* entry = pak.GetFileAt(i);
        std::cout << entry->name << '\t' << entry->filepos << '\t' << entry->filelen << '\n';
    }
    return std::cout.flush() ? kExitOk : kExitFailed;
}

// The stored file's own name without its folders.
std::string DefaultOutput(const char* storedName) {
    const char* slash = std::strrchr(storedName, '/');
    return slash ? slash + 1 : storedName;
}

int ExtractFile(const char* path, const char* name, const char* out) {
    CQPakFile pak;
    if (!OpenArchive(pak, path))
        return kExitFailed;
    const dpackfile_t* entry = pak.GetFile(name);
    if (!entry) {
        std::cerr << "tresk-cli pak: '" << name << "' is not in " << path << '\n';
        return kExitFailed;
    }
    const std::string target = out ? out : DefaultOutput(entry->name);
    if (target.empty()) {
        std::cerr << "tresk-cli pak: '" << entry->name << "' has no file name; give OUT\n";
        return kExitFailed;
    }

    void* buffer = nullptr;
    const int length = pak.LoadFile(entry->name, &buffer);
    if (length < 0) {
        std::cerr << "tresk-cli pak: cannot read '" << entry->name << "' from " << path
                  << " (the archive is damaged)\n";
        return kExitFailed;
    }
    const std::unique_ptr<void, void (*)(void*)> data(buffer, &CQPakFile::FreeFile);

    if (target == "-") {
        std::cout.write(static_cast<const char*>(buffer), length);
        return std::cout.flush() ? kExitOk : kExitFailed;
    }
    std::ofstream file(target, std::ios::binary | std::ios::trunc);
    file.write(static_cast<const char*>(buffer), length);
    file.close();
    if (!file) {
        std::cerr << "tresk-cli pak: cannot write '" << target << "'\n";
        return kExitFailed;
    }
    return kExitOk;
}

} // namespace

int RunPakCommand(int argc, char** argv) {
    if (argc < 2)
        return Usage();
    const std::string verb = argv[1];
    if (verb == "list" && argc == 3)
        return ListArchive(argv[2]);
    if (verb == "extract" && (argc == 4 || argc == 5))
        return ExtractFile(argv[2], argv[3], argc == 5 ? argv[4] : nullptr);
    return Usage();
}
