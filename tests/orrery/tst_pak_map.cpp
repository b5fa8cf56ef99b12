#include "orrery/cqpakfile.h"
#include "orrery/cqrefapiimport.h"

#include "pak_writer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

using orrery_test::TempDir;
using orrery_test::WriteFile;
using orrery_test::WritePak;

namespace {

// Every case starts and ends with no live host and an empty pak map: the map is
// one per process.
class PakMapTest : public ::testing::Test {
  protected:
    TempDir dir;
    void SetUp() override {
        ASSERT_EQ(CQRefApiImport::GetInstanceCount(), 0);
        CQRefApiImport::RemovePakFiles();
    }
    void TearDown() override { CQRefApiImport::RemovePakFiles(); }

    std::string MakePak(const std::string& relative, const std::string& name,
                        const std::string& data) {
        const std::filesystem::path path = dir.Path() / relative;
        std::filesystem::create_directories(path.parent_path());
        WritePak(path, {{name, data}});
        return path.string();
    }
};

// Loads name through the host and returns its bytes, or "<missing>".
std::string Load(CQRefApiImport& host, const char* name) {
    void* buffer = &buffer;
    const int length = host.FS_LoadFile(name, &buffer);
    if (length < 0) {
        EXPECT_EQ(buffer, nullptr);
        return "<missing>";
    }
    std::string bytes(static_cast<const char*>(buffer), static_cast<std::size_t>(length));
    host.FS_FreeFile(buffer);
    return bytes;
}

TEST_F(PakMapTest, AddingTheSamePathTwiceKeepsOneEntryButLetterCaseCounts) {
    const std::string path = MakePak("pak0.pak", "a.txt", "a");
    EXPECT_EQ(CQRefApiImport::AddPakFile(path.c_str()), 1);
    const CQPakFile* first = CQRefApiImport::FindPakFile(path.c_str());
    EXPECT_EQ(CQRefApiImport::AddPakFile(path.c_str()), 1);
    EXPECT_EQ(CQRefApiImport::GetPakFileCount(), 1);
    EXPECT_EQ(CQRefApiImport::FindPakFile(path.c_str()), first) << "the first reader is kept";

    const std::string upper = (dir.Path() / "PAK0.PAK").string();
    EXPECT_EQ(CQRefApiImport::AddPakFile(upper.c_str()), 1);
    EXPECT_EQ(CQRefApiImport::GetPakFileCount(), 2);
}

TEST_F(PakMapTest, AnArchiveThatFailsToOpenIsListedButNeverFindsAFile) {
    const std::string missing = (dir.Path() / "missing.pak").string();
    EXPECT_EQ(CQRefApiImport::AddPakFile(missing.c_str()), 1);
    ASSERT_NE(CQRefApiImport::FindPakFile(missing.c_str()), nullptr);
    EXPECT_EQ(CQRefApiImport::FindPakFile(missing.c_str())->IsOpen(), 0);
    CQRefApiImport host;
    EXPECT_EQ(Load(host, "a.txt"), "<missing>");
}

TEST_F(PakMapTest, RemovingTakesExactPathsOnly) {
    const std::string path = MakePak("pak0.pak", "a.txt", "a");
    CQRefApiImport::AddPakFile(path.c_str());
    EXPECT_EQ(CQRefApiImport::RemovePakFile((dir.Path() / "PAK0.pak").c_str()), 0);
    EXPECT_EQ(CQRefApiImport::RemovePakFile("elsewhere.pak"), 0);
    EXPECT_EQ(CQRefApiImport::GetPakFileCount(), 1);
    EXPECT_EQ(CQRefApiImport::RemovePakFile(path.c_str()), 1);
    EXPECT_EQ(CQRefApiImport::GetPakFileCount(), 0);
    EXPECT_EQ(CQRefApiImport::RemovePakFile(path.c_str()), 0);
}

TEST_F(PakMapTest, AddPakFilesReplacesTheWholeMap) {
    const std::string a = MakePak("a.pak", "a.txt", "a");
    const std::string b = MakePak("b.pak", "b.txt", "b");
    CQRefApiImport::AddPakFiles({a});
    EXPECT_EQ(CQRefApiImport::AddPakFiles({b, b}), 1);
    EXPECT_EQ(CQRefApiImport::GetPakFileCount(), 1);
    EXPECT_EQ(CQRefApiImport::FindPakFile(a.c_str()), nullptr);
    CQRefApiImport host;
    EXPECT_EQ(Load(host, "a.txt"), "<missing>");
    EXPECT_EQ(Load(host, "B.TXT"), "b");
    EXPECT_EQ(CQRefApiImport::RemovePakFiles(), 1);
    EXPECT_EQ(CQRefApiImport::GetPakFileCount(), 0);
}

TEST_F(PakMapTest, ArchivesAreAskedInByteOrderOfTheirPaths) {
    // Added lower-case first; the upper-case drive-style path still sorts first.
    const std::string lower = MakePak("c/quake2/baseq2/pak0.pak", "pics/conchars.pcx", "game");
    const std::string upper = MakePak("C/cinerad.pak", "pics/conchars.pcx", "editor");
    const std::string onlyLower = MakePak("c/quake2/baseq2/pak1.pak", "maps/base1.bsp", "map");
    CQRefApiImport::AddPakFiles({lower, onlyLower, upper});
    CQRefApiImport host;
    EXPECT_EQ(Load(host, "pics/conchars.pcx"), "editor");
    EXPECT_EQ(Load(host, "maps/base1.bsp"), "map");

    CQRefApiImport::RemovePakFile(upper.c_str());
    EXPECT_EQ(Load(host, "pics/conchars.pcx"), "game");
}

TEST_F(PakMapTest, FilesNoArchiveHoldsComeFromTheBaseDirectory) {
    std::filesystem::create_directories(dir.Path() / "baseq2/maps");
    WriteFile(dir.Path() / "baseq2/maps/base1.bsp", "loose map");
    WriteFile(dir.Path() / "baseq2/empty.cfg", "");
    WriteFile(dir.Path() / "baseq2.txt", "joined");
    const std::string pak = MakePak("pak0.pak", "maps/base1.bsp", "packed map");

    CQRefApiImport host;
    host.SetBaseDirectory((dir.Path().string() + "//baseq2//").c_str());
    EXPECT_EQ(Load(host, "maps/base1.bsp"), "loose map");
    EXPECT_EQ(Load(host, "empty.cfg"), "");
    EXPECT_EQ(Load(host, "maps/base2.bsp"), "<missing>");
    EXPECT_EQ(Load(host, "maps"), "<missing>") << "a folder is not a file";
    EXPECT_EQ(host.FS_LoadFile("maps/base1.bsp", nullptr), 9);

    CQRefApiImport::AddPakFile(pak.c_str());
    EXPECT_EQ(Load(host, "maps/base1.bsp"), "packed map") << "archives come first";

    // No separator is put between the base directory and the name.
    host.SetBaseDirectory((dir.Path() / "base").c_str());
    EXPECT_EQ(Load(host, "q2.txt"), "joined");
    EXPECT_EQ(Load(host, nullptr), "<missing>");
}

TEST_F(PakMapTest, NamesThatLeaveTheGameFoldersAreRefused) {
    std::filesystem::create_directories(dir.Path() / "baseq2");
    WriteFile(dir.Path() / "secret.txt", "outside");
    WriteFile(dir.Path() / "baseq2/a..b.txt", "dots in a name");
    CQRefApiImport host;
    host.SetBaseDirectory((dir.Path().string() + "/baseq2/").c_str());
    EXPECT_EQ(Load(host, "../secret.txt"), "<missing>");
    EXPECT_EQ(Load(host, "maps/../../secret.txt"), "<missing>");
    EXPECT_EQ(Load(host, "maps\\..\\..\\secret.txt"), "<missing>");
    EXPECT_EQ(Load(host, (dir.Path() / "secret.txt").c_str()), "<missing>");
    EXPECT_EQ(Load(host, ""), "<missing>");
    EXPECT_EQ(Load(host, "a..b.txt"), "dots in a name");
}

TEST_F(PakMapTest, TheLastHostToGoEmptiesTheMap) {
    auto first = std::make_unique<CQRefApiImport>();
    auto second = std::make_unique<CQRefApiImport>();
    CQRefApiImport::AddPakFiles({MakePak("a.pak", "a.txt", "a"), MakePak("b.pak", "b.txt", "b")});
    first.reset();
    EXPECT_EQ(CQRefApiImport::GetPakFileCount(), 2);
    second.reset();
    EXPECT_EQ(CQRefApiImport::GetPakFileCount(), 0);
}

TEST_F(PakMapTest, HostsComeAndGoWhileArchivesAreReloaded) {
    // Documents opening and closing while the pak list is replaced: the kind of
    // sequence the sanitizer build checks for leaks and stale readers.
    const std::string a = MakePak("a.pak", "a.txt", "a");
    const std::string b = MakePak("b.pak", "b.txt", "b");
    for (int round = 0; round < 3; ++round) {
        auto host = std::make_unique<CQRefApiImport>();
        CQRefApiImport::AddPakFiles({a, b});
        InitializeImports(host.get());
        const refimport_t& table = *CQRefApiImport::GetImport();
        void* buffer = nullptr;
        ASSERT_EQ(table.FS_LoadFile("a.txt", &buffer), 1);
        CQRefApiImport::AddPakFiles({b}); // reload while a buffer is out
        EXPECT_EQ(static_cast<const char*>(buffer)[0], 'a');
        table.FS_FreeFile(buffer);
        EXPECT_EQ(Load(*host, "a.txt"), "<missing>");
        UninitalizeImports();
        host.reset();
        EXPECT_EQ(CQRefApiImport::GetPakFileCount(), 0);
        EXPECT_EQ(table.Cmd_Argc(), -1);
    }
}

} // namespace
