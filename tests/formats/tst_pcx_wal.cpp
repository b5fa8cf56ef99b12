// The picture and texture readers: round trips, broken headers and data with their texts,
// and the corpus pictures and textures.
#include <gtest/gtest.h>

#include "formats/pcx.h"
#include "formats/wal.h"
#include "formats/write.h"
#include "sample_records.h"

namespace {

using namespace formats;
using formats_test::MakePcx;
using formats_test::MakeWal;
using formats_test::PutU32;

std::string PcxError(const std::vector<std::uint8_t>& bytes) {
    Pcx p;
    std::string error;
    EXPECT_FALSE(ReadPcx(bytes, p, error));
    return error;
}

std::string WalError(const std::vector<std::uint8_t>& bytes) {
    Wal w;
    std::string error;
    EXPECT_FALSE(ReadWal(bytes, w, error));
    return error;
}

TEST(PcxReader, WrittenPicturesReadBackEqual) {
    for (auto [w, h] : {std::pair{5, 3}, std::pair{1, 1}, std::pair{200, 2}, std::pair{64, 64}}) {
        const Pcx original = MakePcx(w, h);
        Pcx read;
        std::string error;
        ASSERT_TRUE(ReadPcx(WritePcx(original), read, error)) << error;
        EXPECT_EQ(read.width, w);
        EXPECT_EQ(read.height, h);
        EXPECT_EQ(read.pixels, original.pixels);
        EXPECT_EQ(read.palette, original.palette);
    }
}

TEST(PcxReader, RunsMayCrossScanLines) {
    // 2 x 2, bytes per line 2, one run of four 9s.
    std::vector<std::uint8_t> bytes = WritePcx(MakePcx(2, 2));
    std::vector<std::uint8_t> data = {0xC4, 9};
    bytes.erase(bytes.begin() + 128, bytes.end() - 769);
    bytes.insert(bytes.begin() + 128, data.begin(), data.end());
    Pcx p;
    std::string error;
    ASSERT_TRUE(ReadPcx(bytes, p, error)) << error;
    EXPECT_EQ(p.pixels, (std::vector<std::uint8_t>{9, 9, 9, 9}));
}

TEST(PcxReader, RefusesBrokenPictures) {
    const std::vector<std::uint8_t> good = WritePcx(MakePcx(5, 3));
    EXPECT_EQ(PcxError({good.begin(), good.begin() + 800}),
              "picture: the file is too short for a header and palette (800 bytes)");
    std::vector<std::uint8_t> bytes = good;
    bytes[3] = 4;
    EXPECT_EQ(PcxError(bytes), "picture: not an 8-bit run-length PCX picture");
    bytes = good;
    bytes[8] = 0; // xmax 0 .. with xmin 2
    bytes[4] = 2;
    EXPECT_EQ(PcxError(bytes), "picture: size -1 x 3 is out of range");
    bytes = good;
    bytes[9] = 0x20; // xmax 8196
    EXPECT_EQ(PcxError(bytes), "picture: size 8197 x 3 is out of range");
    bytes = good;
    bytes[65] = 3;
    EXPECT_EQ(PcxError(bytes), "picture: 3 colour planes, only 1 is read");
    bytes = good;
    bytes[66] = 4;
    EXPECT_EQ(PcxError(bytes), "picture: 4 bytes per line hold no row of 5 pixels");
    bytes = good;
    bytes.erase(bytes.begin() + 128 + 11, bytes.end() - 769); // 9 bytes a row
    EXPECT_EQ(PcxError(bytes), "picture: the pixel data ends in row 1 of 3");
    bytes = good;
    bytes.erase(bytes.begin() + 129, bytes.end() - 769); // a run byte without its value
    bytes[128] = 0xC2;
    EXPECT_EQ(PcxError(bytes), "picture: the pixel data ends in row 0 of 3");
}

TEST(WalReader, WrittenTextureReadsBackEqual) {
    const Wal original = MakeWal();
    Wal read;
    std::string error;
    ASSERT_TRUE(ReadWal(WriteWal(original), read, error)) << error;
    EXPECT_EQ(read.name, "sample/floor");
    EXPECT_EQ(read.width, 16u);
    EXPECT_EQ(read.height, 8u);
    EXPECT_EQ(read.mips, original.mips);
    EXPECT_EQ(read.mips[3].size(), 2u);
    EXPECT_EQ(read.animName, "sample/floor2");
    EXPECT_EQ(read.flags, SURF_WARP | SURF_TRANS33);
    EXPECT_EQ(read.contents, static_cast<std::uint32_t>(CONTENTS_WATER));
    EXPECT_EQ(read.value, 150);
}

TEST(WalReader, RefusesBrokenTextures) {
    const std::vector<std::uint8_t> good = WriteWal(MakeWal());
    EXPECT_EQ(WalError({good.begin(), good.begin() + 99}),
              "texture: the file is too short for a header (99 bytes)");
    std::vector<std::uint8_t> bytes = good;
    PutU32(bytes, 32, 0);
    EXPECT_EQ(WalError(bytes), "texture: size 0 x 8 is out of range");
    bytes = good;
    PutU32(bytes, 36, 0xFFFFFFFFu);
    EXPECT_EQ(WalError(bytes), "texture: size 16 x 4294967295 is out of range");
    bytes = good;
    PutU32(bytes, 48, static_cast<std::uint32_t>(good.size()) - 7);
    EXPECT_EQ(WalError(bytes), "texture: mip level 2 lies outside the file");
    bytes = good;
    PutU32(bytes, 40, 0xFFFFFFF0u);
    EXPECT_EQ(WalError(bytes), "texture: mip level 0 lies outside the file");
    bytes = good;
    bytes.pop_back();
    EXPECT_EQ(WalError(bytes), "texture: mip level 3 lies outside the file");
}

TEST(PcxWalReaders, ReadTheCorpusFiles) {
    const auto pictures = formats_test::CorpusFiles("pcx");
    const auto textures = formats_test::CorpusFiles("wal");
    if (pictures.empty() && textures.empty()) {
        GTEST_SKIP() << "no pictures or textures in the corpus folder " << CINERAD_CORPUS_DIR;
    }
    for (const auto& path : pictures) {
        SCOPED_TRACE(path.filename().string());
        Pcx p;
        std::string error;
        ASSERT_TRUE(ReadPcx(formats_test::ReadFileBytes(path), p, error)) << error;
        Pcx again;
        ASSERT_TRUE(ReadPcx(WritePcx(p), again, error)) << error;
        EXPECT_EQ(again.pixels, p.pixels);
        if (path.filename().string().find("colormap") != std::string::npos) {
            EXPECT_EQ(p.width, 256);
            EXPECT_EQ(p.height, 320);
        }
    }
    for (const auto& path : textures) {
        SCOPED_TRACE(path.filename().string());
        Wal w;
        std::string error;
        ASSERT_TRUE(ReadWal(formats_test::ReadFileBytes(path), w, error)) << error;
        EXPECT_EQ(w.mips[0].size(), static_cast<std::size_t>(w.width) * w.height);
    }
}

} // namespace
