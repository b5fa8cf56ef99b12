// The pak writer's archives open in the program's own pak reader.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "formats/pak_writer.h"
#include "orrery/cqpakfile.h"

namespace {

TEST(PakWriter, ArchiveOpensInThePakReader) {
    formats::PakWriter pak;
    ASSERT_TRUE(pak.Add("maps/sample1.bsp", {1, 2, 3, 4, 5}));
    ASSERT_TRUE(pak.Add("pics/colormap.pcx", {9}));
    ASSERT_TRUE(pak.Add("empty.txt", {}));
    EXPECT_FALSE(pak.Add(std::string(56, 'x'), {1}));
    EXPECT_FALSE(pak.Add("", {1}));
    EXPECT_EQ(pak.Count(), 3u);

    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() /
        ("formats_pak_" + std::to_string(static_cast<long>(::getpid())));
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "test.pak").string();
    ASSERT_TRUE(pak.WriteFile(path));
    EXPECT_FALSE(std::filesystem::exists(path + ".part"));

    CQPakFile reader(path.c_str());
    ASSERT_TRUE(reader.IsOpen());
    EXPECT_EQ(reader.GetFileCount(), 3);
    void* buffer = nullptr;
    ASSERT_EQ(reader.LoadFile("MAPS/sample1.BSP", &buffer), 5);
    EXPECT_EQ(static_cast<unsigned char*>(buffer)[4], 5);
    reader.FreeFile(buffer);
    buffer = nullptr;
    EXPECT_EQ(reader.LoadFile("empty.txt", &buffer), 0);
    reader.FreeFile(buffer);
    reader.Close();

    EXPECT_FALSE(pak.WriteFile((dir / "no such folder" / "x.pak").string()));
    std::filesystem::remove_all(dir);
}

} // namespace
