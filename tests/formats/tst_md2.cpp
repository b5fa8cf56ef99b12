// The model reader: round trip, each broken count, offset and index with its text, and the
// corpus models.
#include <gtest/gtest.h>

#include "formats/md2.h"
#include "formats/write.h"
#include "sample_records.h"

namespace {

using namespace formats;
using formats_test::GetU32;
using formats_test::MakeMd2;
using formats_test::PutU32;

std::string ErrorOf(const std::vector<std::uint8_t>& bytes) {
    Md2 m;
    std::string error;
    EXPECT_FALSE(ReadMd2(bytes, m, error));
    return error;
}

TEST(Md2Reader, WrittenModelReadsBackEqual) {
    const Md2 original = MakeMd2();
    Md2 read;
    std::string error;
    ASSERT_TRUE(ReadMd2(WriteMd2(original), read, error)) << error;
    EXPECT_EQ(read.skinWidth, 32);
    EXPECT_EQ(read.skinHeight, 16);
    EXPECT_EQ(read.numVertices, 3);
    EXPECT_EQ(read.skins, original.skins);
    ASSERT_EQ(read.st.size(), 3u);
    EXPECT_EQ(read.st[1].s, 31);
    ASSERT_EQ(read.triangles.size(), 1u);
    EXPECT_EQ(read.triangles[0].vertex[2], 2);
    ASSERT_EQ(read.frames.size(), 2u);
    EXPECT_EQ(read.frames[1].name, "stand02");
    EXPECT_EQ(read.frames[1].translate[2], -23.0f);
    EXPECT_EQ(read.frames[0].vertices[1].v[0], 255);
    EXPECT_EQ(read.frames[0].vertices[2].normalIndex, 3);
    EXPECT_EQ(read.frames[0].Position(1), (Vec3{111.5f, -8.0f, -14.0f}));
    EXPECT_EQ(read.glCommands, original.glCommands);
    EXPECT_EQ(WriteMd2(read), WriteMd2(original));
}

TEST(Md2Reader, RefusesBrokenHeaders) {
    const std::vector<std::uint8_t> good = WriteMd2(MakeMd2());
    EXPECT_EQ(ErrorOf({good.begin(), good.begin() + 60}),
              "model: the file is too short for a header (60 bytes)");
    struct Case {
        std::size_t field; // header word
        std::uint32_t value;
        const char* error;
    };
    const Case cases[] = {
        {0, 0x31504449u, "model: not a model file (no IDP2 mark)"},
        {1, 7, "model: version 7, only version 8 is read"},
        {5, 33, "model: 33 skins, at most 32 are read"},
        {6, 0, "model: 0 vertices, at most 2048 are read"},
        {6, 0x80000000u, "model: -2147483648 vertices, at most 2048 are read"},
        {8, 5000, "model: 5000 triangles, at most 4096 are read"},
        {10, 513, "model: 513 frames, at most 512 are read"},
        {2, 0, "model: skin size 0 x 16 is out of range"},
        {4, 51, "model: frame size 51 is less than the 52 its vertices need"},
        {11, 0xFFFFFF00u, "model: the skin names lie outside the file"},
        {12, 4000, "model: the skin coordinates lie outside the file"},
        {13, 4000, "model: the triangles lie outside the file"},
        {14, 68 + 128 + 12 + 12 + 60, "model: the frames lie outside the file"},
        {15, 4000, "model: the GL commands lie outside the file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.error);
        std::vector<std::uint8_t> bytes = good;
        PutU32(bytes, 4 * c.field, c.value);
        EXPECT_EQ(ErrorOf(bytes), c.error);
    }
}

TEST(Md2Reader, RefusesIndicesOutsideTheirTables) {
    Md2 m = MakeMd2();
    m.triangles[0].vertex[1] = 3;
    EXPECT_EQ(ErrorOf(WriteMd2(m)), "model: triangle 0 names vertex 3 of 3");
    m = MakeMd2();
    m.triangles[0].st[2] = 9;
    EXPECT_EQ(ErrorOf(WriteMd2(m)), "model: triangle 0 names skin coordinate 9 of 3");
    m = MakeMd2();
    m.glCommands[9] = 3;
    EXPECT_EQ(ErrorOf(WriteMd2(m)), "model: a GL command names vertex 3 of 3");
    m = MakeMd2();
    m.glCommands[0] = 4;
    EXPECT_EQ(ErrorOf(WriteMd2(m)), "model: a GL command at 0 runs past the 11 command words");
    m = MakeMd2();
    m.glCommands.pop_back();
    EXPECT_EQ(ErrorOf(WriteMd2(m)), "model: the GL commands have no end mark");
    m = MakeMd2();
    m.frames[1].scale[0] = std::numeric_limits<float>::infinity();
    EXPECT_EQ(ErrorOf(WriteMd2(m)), "model: frame 1's scale or offset is no number");
}

TEST(Md2Reader, EveryTruncationIsRefusedWithoutHarm) {
    const std::vector<std::uint8_t> good = WriteMd2(MakeMd2());
    for (std::size_t n = 0; n < good.size(); ++n) {
        Md2 m;
        std::string error;
        EXPECT_FALSE(ReadMd2(std::span(good.data(), n), m, error)) << n;
    }
}

TEST(Md2Reader, ReadsTheCorpusModels) {
    const auto files = formats_test::CorpusFiles("md2");
    if (files.empty()) {
        GTEST_SKIP() << "no models in the corpus folder " << CINERAD_CORPUS_DIR;
    }
    for (const auto& path : files) {
        SCOPED_TRACE(path.filename().string());
        const std::vector<std::uint8_t> bytes = formats_test::ReadFileBytes(path);
        Md2 m;
        std::string error;
        ASSERT_TRUE(ReadMd2(bytes, m, error)) << error;
        EXPECT_EQ(m.frames.size(), GetU32(bytes, 40));
        EXPECT_FALSE(m.triangles.empty());
        Md2 again;
        ASSERT_TRUE(ReadMd2(WriteMd2(m), again, error)) << error;
        EXPECT_EQ(again.frames.back().vertices.size(), m.frames.back().vertices.size());
    }
}

} // namespace
