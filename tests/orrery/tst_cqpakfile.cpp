#include "orrery/cqpakfile.h"

#include "pak_writer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

using orrery_test::BuildPak;
using orrery_test::PakEntry;
using orrery_test::PakLayout;
using orrery_test::TempDir;
using orrery_test::WriteFile;
using orrery_test::WritePak;

namespace {

// Loads name and returns its bytes; "<missing>" when LoadFile fails.
std::string Load(const CQPakFile& pak, const char* name) {
    void* buffer = nullptr;
    const int length = pak.LoadFile(name, &buffer);
    if (length < 0)
        return "<missing>";
    EXPECT_NE(buffer, nullptr);
    std::string bytes(static_cast<const char*>(buffer), static_cast<std::size_t>(length));
    CQPakFile::FreeFile(buffer);
    return bytes;
}

void PatchInt32(std::string& bytes, std::size_t offset, std::int32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] =
            static_cast<char>((static_cast<std::uint32_t>(value) >> (8 * i)) & 0xff);
}

// Offset of entry index's filepos field in an archive written by BuildPak.
std::size_t FilePosField(const std::string& bytes, int index) {
    const auto dirOffset = static_cast<unsigned char>(bytes[4]) |
                           static_cast<unsigned char>(bytes[5]) << 8 |
                           static_cast<unsigned char>(bytes[6]) << 16;
    return static_cast<std::size_t>(dirOffset) + 64 * static_cast<std::size_t>(index) + 56;
}

class CQPakFileTest : public ::testing::Test {
  protected:
    TempDir dir;
    std::string path = dir.File("pak0.pak");
    const std::vector<PakEntry> entries = {
        {"maps/base1.bsp", "map bytes"},
        {"players/male/tris.md2", "model"},
        {"pics/colormap.pcx", std::string("\0\1\2\3", 4)},
    };
    void SetUp() override { WritePak(path, entries); }
};

TEST_F(CQPakFileTest, OpenReadsTheDirectoryAndLoadsEachFileWhole) {
    CQPakFile pak;
    EXPECT_EQ(pak.IsOpen(), 0);
    ASSERT_EQ(pak.Open(path.c_str()), 1);
    EXPECT_EQ(pak.IsOpen(), 1);
    EXPECT_STREQ(pak.GetPath(), path.c_str());
    ASSERT_EQ(pak.GetFileCount(), 3);
    EXPECT_STREQ(pak.GetFileAt(1)->name, "players/male/tris.md2");
    EXPECT_EQ(pak.GetFileAt(1)->filepos, 12 + 9);
    EXPECT_EQ(pak.GetFileAt(1)->filelen, 5);
    EXPECT_EQ(pak.GetFileAt(3), nullptr);
    EXPECT_EQ(pak.GetFileAt(-1), nullptr);
    for (const PakEntry& entry : entries)
        EXPECT_EQ(Load(pak, entry.name.c_str()), entry.data) << entry.name;

    // The buffer carries a NUL after the data, and a null buffer asks for the length.
    void* buffer = nullptr;
    ASSERT_EQ(pak.LoadFile("maps/base1.bsp", &buffer), 9);
    EXPECT_EQ(static_cast<const char*>(buffer)[9], '\0');
    CQPakFile::FreeFile(buffer);
    EXPECT_EQ(pak.LoadFile("maps/base1.bsp", nullptr), 9);
}

TEST_F(CQPakFileTest, ConstructorWithPathOpens) {
    const CQPakFile pak(path.c_str());
    EXPECT_EQ(pak.IsOpen(), 1);
    const CQPakFile missing(dir.File("none.pak").c_str());
    EXPECT_EQ(missing.IsOpen(), 0);
}

TEST_F(CQPakFileTest, LookupIgnoresLetterCaseOnlyAndMatchesWholeNames) {
    const CQPakFile pak(path.c_str());
    const dpackfile_t* entry = pak.GetFile("MAPS/Base1.BSP");
    ASSERT_NE(entry, nullptr);
    EXPECT_STREQ(entry->name, "maps/base1.bsp");
    EXPECT_EQ(Load(pak, "MAPS/Base1.BSP"), "map bytes");
    EXPECT_EQ(pak.GetFile("maps\\base1.bsp"), nullptr);
    EXPECT_EQ(pak.GetFile("maps/base1"), nullptr);
    EXPECT_EQ(pak.GetFile("maps/base1.bsp2"), nullptr);
    EXPECT_EQ(pak.GetFile("/maps/base1.bsp"), nullptr);
    EXPECT_EQ(pak.GetFile(""), nullptr);
    EXPECT_EQ(pak.GetFile(nullptr), nullptr);
    EXPECT_EQ(Load(pak, "maps\\base1.bsp"), "<missing>");
}

TEST_F(CQPakFileTest, FirstOfDuplicateNamesWins) {
    WritePak(path, {{"pics/a.pcx", "first"}, {"PICS/A.PCX", "second"}, {"pics/a.pcx", "third"}});
    const CQPakFile pak(path.c_str());
    EXPECT_EQ(pak.GetFile("Pics/A.pcx"), pak.GetFileAt(0));
    EXPECT_EQ(Load(pak, "PICS/A.PCX"), "first");
}

TEST_F(CQPakFileTest, OpenOnAnOpenReaderIsRefusedAndKeepsTheArchive) {
    const std::string other = dir.File("other.pak");
    WritePak(other, {{"other.txt", "x"}});
    CQPakFile pak(path.c_str());
    EXPECT_EQ(pak.Open(other.c_str()), 0);
    EXPECT_STREQ(pak.GetPath(), path.c_str());
    EXPECT_EQ(pak.GetFileCount(), 3);
    EXPECT_EQ(pak.GetFile("other.txt"), nullptr);
    EXPECT_EQ(Load(pak, "pics/colormap.pcx"), std::string("\0\1\2\3", 4));
}

TEST_F(CQPakFileTest, CloseForgetsEverythingAndAllowsReuse) {
    CQPakFile pak(path.c_str());
    pak.Close();
    EXPECT_EQ(pak.IsOpen(), 0);
    EXPECT_EQ(pak.GetFileCount(), 0);
    EXPECT_EQ(pak.GetPath(), nullptr);
    EXPECT_EQ(pak.GetFile("maps/base1.bsp"), nullptr);
    EXPECT_EQ(Load(pak, "maps/base1.bsp"), "<missing>");
    pak.Close(); // harmless when closed

    const std::string other = dir.File("other.pak");
    WritePak(other, {{"other.txt", "x"}});
    ASSERT_EQ(pak.Open(other.c_str()), 1);
    EXPECT_EQ(Load(pak, "other.txt"), "x");
}

TEST_F(CQPakFileTest, EveryLoadRereadsTheArchive) {
    const CQPakFile pak(path.c_str());
    // Same layout, new bytes: the reader serves what the file holds now.
    WritePak(path, {{"maps/base1.bsp", "MAP BYTES"},
                    {"players/male/tris.md2", "MODEL"},
                    {"pics/colormap.pcx", "abcd"}});
    EXPECT_EQ(Load(pak, "maps/base1.bsp"), "MAP BYTES");

    std::filesystem::remove(path);
    void* buffer = &buffer;
    EXPECT_EQ(pak.LoadFile("maps/base1.bsp", &buffer), -1);
    EXPECT_EQ(buffer, &buffer) << "a failed load leaves the out-pointer's target alone";
}

TEST_F(CQPakFileTest, AMissingNameLeavesTheBufferAlone) {
    const CQPakFile pak(path.c_str());
    void* buffer = &buffer;
    EXPECT_EQ(pak.LoadFile("maps/base2.bsp", &buffer), -1);
    EXPECT_EQ(buffer, &buffer);
}

TEST_F(CQPakFileTest, AnEmptyStoredFileLoadsAsAValidBuffer) {
    WritePak(path, {{"empty.txt", ""}, {"next.txt", "n"}});
    const CQPakFile pak(path.c_str());
    void* buffer = nullptr;
    EXPECT_EQ(pak.LoadFile("empty.txt", &buffer), 0);
    EXPECT_NE(buffer, nullptr);
    CQPakFile::FreeFile(buffer);
    CQPakFile::FreeFile(nullptr);
}

TEST_F(CQPakFileTest, TrailingPartOfAnEntryIsIgnored) {
    PakLayout layout;
    layout.entries = {{"a.txt", "a"}, {"b.txt", "b"}};
    layout.overrideDirLength = true;
    layout.dirLength = 130;
    layout.trailer = "zz";
    WriteFile(path, BuildPak(layout));
    const CQPakFile pak(path.c_str());
    ASSERT_EQ(pak.IsOpen(), 1);
    EXPECT_EQ(pak.GetFileCount(), 2);
    EXPECT_EQ(Load(pak, "b.txt"), "b");
}

TEST_F(CQPakFileTest, AtMost4095EntriesAreAccepted) {
    std::vector<PakEntry> many(4095);
    for (std::size_t i = 0; i < many.size(); ++i)
        many[i].name = "f" + std::to_string(i);
    WritePak(path, many);
    {
        const CQPakFile pak(path.c_str());
        ASSERT_EQ(pak.IsOpen(), 1);
        EXPECT_EQ(pak.GetFileCount(), 4095);
        EXPECT_NE(pak.GetFile("F4094"), nullptr);
    }
    many.push_back({"f4095", ""});
    WritePak(path, many);
    const CQPakFile pak(path.c_str());
    EXPECT_EQ(pak.IsOpen(), 0);
    EXPECT_EQ(pak.GetFileCount(), 0);
}

TEST_F(CQPakFileTest, DirectoryLengthIsTakenAsUnsigned) {
    // Read as signed, -1 would give 0 entries and -64 would give -1; as unsigned
    // both are far over the limit.
    for (const std::int32_t length : {-1, -64}) {
        PakLayout layout;
        layout.entries = {{"a.txt", "a"}};
        layout.overrideDirLength = true;
        layout.dirLength = length;
        WriteFile(path, BuildPak(layout));
        EXPECT_EQ(CQPakFile(path.c_str()).IsOpen(), 0) << length;
    }
}

TEST_F(CQPakFileTest, UnusualMagicIsAcceptedWhenTheDirectoryMakesSense) {
    PakLayout layout;
    layout.entries = {{"a.txt", "a"}};
    layout.magic = "KCAP";
    WriteFile(path, BuildPak(layout));
    const CQPakFile pak(path.c_str());
    EXPECT_EQ(pak.IsOpen(), 1);
    EXPECT_EQ(Load(pak, "a.txt"), "a");
}

TEST_F(CQPakFileTest, ArchivesThatCannotBeReadSafelyAreRefused) {
    struct Case {
        const char* what;
        std::string bytes;
    };
    std::vector<Case> cases;
    PakLayout layout;
    layout.entries = {{"a.txt", "a"}, {"b.txt", "b"}};
    const std::string good = BuildPak(layout);

    cases.push_back({"shorter than the header", good.substr(0, 11)});
    cases.push_back({"directory cut short", good.substr(0, good.size() - 1)});
    PakLayout beyond = layout;
    beyond.overrideDirOffset = true;
    beyond.dirOffset = 1 << 20;
    cases.push_back({"directory beyond the end", BuildPak(beyond)});
    PakLayout negative = layout;
    negative.overrideDirOffset = true;
    negative.dirOffset = -128;
    cases.push_back({"negative directory offset", BuildPak(negative)});
    PakLayout unterminated;
    unterminated.entries = {{"a.txt", "a"}, {std::string(56, 'n'), "b"}};
    cases.push_back({"name without terminator", BuildPak(unterminated)});

    for (const Case& c : cases) {
        WriteFile(path, c.bytes);
        CQPakFile pak;
        EXPECT_EQ(pak.Open(path.c_str()), 0) << c.what;
        EXPECT_EQ(pak.IsOpen(), 0) << c.what;
        EXPECT_EQ(pak.GetPath(), nullptr) << "a failed open keeps nothing: " << c.what;
        // A failed open leaves the reader reusable.
        WriteFile(path, good);
        EXPECT_EQ(pak.Open(path.c_str()), 1) << c.what;
    }

    // A 56-byte name is fine when the name itself is shorter.
    PakLayout longest;
    longest.entries = {{std::string(55, 'n'), "x"}};
    WriteFile(path, BuildPak(longest));
    EXPECT_EQ(Load(CQPakFile(path.c_str()), std::string(55, 'N').c_str()), "x");

    EXPECT_EQ(CQPakFile(dir.Path().c_str()).IsOpen(), 0) << "a folder is not an archive";
    EXPECT_EQ(CQPakFile(nullptr).IsOpen(), 0);
}

TEST_F(CQPakFileTest, PathsLongerThan260CharactersAreRefused) {
    // Pad the folder part with slashes so the file itself stays where it is.
    std::string longPath = dir.Path().string() + "/";
    longPath.resize(260 - std::strlen("pak0.pak"), '/');
    ASSERT_EQ(longPath.size() + 8, 260u);
    EXPECT_EQ(CQPakFile((longPath + "pak0.pak").c_str()).IsOpen(), 1) << "260 is allowed";
    EXPECT_EQ(CQPakFile((longPath + "/pak0.pak").c_str()).IsOpen(), 0);
}

TEST_F(CQPakFileTest, StoredFilesBeyondTheArchiveAreNotLoaded) {
    PakLayout layout;
    layout.entries = {{"a.txt", "aaaa"}, {"b.txt", "bbbb"}, {"c.txt", "cccc"}};
    std::string bytes = BuildPak(layout);
    PatchInt32(bytes, FilePosField(bytes, 0), static_cast<std::int32_t>(bytes.size()) - 2);
    PatchInt32(bytes, FilePosField(bytes, 1) + 4, -4); // negative length
    PatchInt32(bytes, FilePosField(bytes, 2), -1);     // negative position
    WriteFile(path, bytes);
    const CQPakFile pak(path.c_str());
    ASSERT_EQ(pak.IsOpen(), 1);
    for (const char* name : {"a.txt", "b.txt", "c.txt"}) {
        void* buffer = &buffer;
        EXPECT_EQ(pak.LoadFile(name, &buffer), -1) << name;
        EXPECT_EQ(pak.LoadFile(name, nullptr), -1) << name;
        EXPECT_EQ(buffer, &buffer) << name;
    }

    // An archive cut short after opening: the tail entry is now beyond its end.
    WritePak(path, {{"a.txt", "aaaa"}, {"b.txt", "bbbb"}});
    CQPakFile reopened(path.c_str());
    const std::string whole = orrery_test::ReadFile(path);
    WriteFile(path, whole.substr(0, 12 + 6));
    EXPECT_EQ(Load(reopened, "b.txt"), "<missing>");
}

TEST(CQPakFileCorpus, RealArchivesOpenAndEveryEntryLoads) {
    const std::filesystem::path folder = std::filesystem::path(CINERAD_CORPUS_DIR) / "assets/pak";
    if (!std::filesystem::is_directory(folder))
        GTEST_SKIP() << "no corpus archives in " << folder;
    int archives = 0;
    for (const auto& item : std::filesystem::directory_iterator(folder)) {
        if (item.path().extension() != ".pak")
            continue;
        ++archives;
        const CQPakFile pak(item.path().c_str());
        ASSERT_EQ(pak.IsOpen(), 1) << item.path();
        ASSERT_GT(pak.GetFileCount(), 0) << item.path();
        for (int i = 0; i < pak.GetFileCount(); ++i) {
            const dpackfile_t* entry = pak.GetFileAt(i);
            void* buffer = nullptr;
            EXPECT_EQ(pak.LoadFile(entry->name, &buffer), entry->filelen) << entry->name;
            CQPakFile::FreeFile(buffer);
        }
    }
    EXPECT_GT(archives, 0);
}

} // namespace
