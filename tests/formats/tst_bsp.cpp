// The map reader: a written map reads back equal; each kind of broken reference is refused
// with its own text; the real maps of the corpus read.
#include <gtest/gtest.h>

#include "formats/bsp.h"
#include "formats/write.h"
#include "sample_records.h"

namespace {

using namespace formats;
using formats_test::GetU32;
using formats_test::MakeBsp;
using formats_test::PutU32;

std::vector<std::uint8_t> Written() {
    return WriteBsp(MakeBsp());
}

std::size_t LumpOffset(const std::vector<std::uint8_t>& bytes, int lump) {
    return GetU32(bytes, 8 + 8 * static_cast<std::size_t>(lump));
}

std::string ErrorOf(const std::vector<std::uint8_t>& bytes) {
    Bsp bsp;
    std::string error;
    EXPECT_FALSE(ReadBsp(bytes, bsp, error));
    return error;
}

TEST(BspReader, WrittenMapReadsBackEqual) {
    const Bsp original = MakeBsp();
    Bsp read;
    std::string error;
    ASSERT_TRUE(ReadBsp(WriteBsp(original), read, error)) << error;
    EXPECT_EQ(read.entityText, original.entityText);
    ASSERT_EQ(read.planes.size(), 1u);
    EXPECT_EQ(read.planes[0].normal, original.planes[0].normal);
    EXPECT_EQ(read.planes[0].type, 2);
    EXPECT_EQ(read.vertices, original.vertices);
    ASSERT_EQ(read.texInfo.size(), 1u);
    EXPECT_EQ(read.texInfo[0].texture, "sample/floor");
    EXPECT_EQ(read.texInfo[0].vecs[1][1], 1.0f);
    EXPECT_EQ(read.texInfo[0].nextTexInfo, -1);
    ASSERT_EQ(read.faces.size(), 1u);
    EXPECT_EQ(read.faces[0].numEdges, 4);
    EXPECT_EQ(read.faces[0].styles[1], 5);
    EXPECT_EQ(read.faces[0].styles[2], 255);
    EXPECT_EQ(read.lighting, original.lighting);
    EXPECT_EQ(read.leaves.size(), 2u);
    EXPECT_EQ(read.leaves[1].cluster, 0);
    EXPECT_EQ(read.leafFaces, original.leafFaces);
    EXPECT_EQ(read.surfEdges, original.surfEdges);
    EXPECT_EQ(read.nodes[0].children[0], -2);
    EXPECT_EQ(read.models.size(), 2u);
    EXPECT_EQ(read.models[1].maxs, (Vec3{64, 64, 0}));
    EXPECT_EQ(read.visibility, original.visibility);
    EXPECT_EQ(read.brushes, original.brushes);
    EXPECT_EQ(read.brushSides, original.brushSides);
    EXPECT_EQ(read.areas, original.areas);
    EXPECT_EQ(WriteBsp(read), WriteBsp(original));
}

TEST(BspReader, HelpersWalkTheMap) {
    Bsp bsp;
    std::string error;
    ASSERT_TRUE(ReadBsp(Written(), bsp, error)) << error;
    const std::vector<Vec3> corners = bsp.FaceVertices(bsp.faces[0]);
    ASSERT_EQ(corners.size(), 4u);
    EXPECT_EQ(corners[0], (Vec3{0, 0, 0}));
    EXPECT_EQ(corners[2], (Vec3{64, 64, 0}));
    int w = 0;
    int h = 0;
    ASSERT_TRUE(FaceLightmapSize(bsp, bsp.faces[0], w, h));
    EXPECT_EQ(w, 5);
    EXPECT_EQ(h, 5);
    EXPECT_EQ(bsp.InlineModel("*1"), &bsp.models[1]);
    EXPECT_EQ(bsp.InlineModel("*0"), nullptr);
    EXPECT_EQ(bsp.InlineModel("*2"), nullptr);
    EXPECT_EQ(bsp.InlineModel("*1x"), nullptr);
    EXPECT_EQ(bsp.InlineModel("*99999999999"), nullptr);
    const BspEntity* start = bsp.FindEntity("info_player_start");
    ASSERT_NE(start, nullptr);
    EXPECT_EQ(start->GetVec3("origin"), (Vec3{-32, 16, 24}));
    EXPECT_FALSE(start->GetVec3("angle").has_value());
    EXPECT_EQ(*bsp.FindEntity("worldspawn")->Get("sky"), "unit1_");
    EXPECT_EQ(bsp.ClusterCount(), 1);
    EXPECT_EQ(ClusterVisibility(bsp, 0), std::vector<std::uint8_t>{0x01});
    EXPECT_EQ(ClusterVisibility(bsp, -1), std::vector<std::uint8_t>{0xFF});
    EXPECT_EQ(ClusterVisibility(bsp, 7), std::vector<std::uint8_t>{0xFF});
}

TEST(BspReader, ZeroRunsOfTheVisibilityAreExpanded) {
    Bsp bsp = MakeBsp();
    // 20 clusters: 3 bytes a row; cluster 0's row is 0x81, then a run of two zero bytes.
    bsp.visibility.assign(4 + 20 * 8, 0);
    bsp.visibility[0] = 20;
    const std::uint8_t row = static_cast<std::uint8_t>(bsp.visibility.size());
    for (std::size_t c = 0; c < 20; ++c) {
        bsp.visibility[4 + 8 * c] = row;
        bsp.visibility[8 + 8 * c] = row;
    }
    bsp.visibility.insert(bsp.visibility.end(), {0x81, 0x00, 0x02});
    Bsp read;
    std::string error;
    ASSERT_TRUE(ReadBsp(WriteBsp(bsp), read, error)) << error;
    EXPECT_EQ(ClusterVisibility(read, 3), (std::vector<std::uint8_t>{0x81, 0, 0}));
}

TEST(BspReader, RefusesBrokenHeaders) {
    std::vector<std::uint8_t> bytes = Written();
    EXPECT_EQ(ErrorOf({bytes.begin(), bytes.begin() + 100}),
              "map: the file is too short for a header (100 bytes)");
    std::vector<std::uint8_t> magic = bytes;
    magic[0] = 'X';
    EXPECT_EQ(ErrorOf(magic), "map: not a map file (no IBSP mark)");
    std::vector<std::uint8_t> version = bytes;
    PutU32(version, 4, 29);
    EXPECT_EQ(ErrorOf(version), "map: version 29, only version 38 is read");
    std::vector<std::uint8_t> outside = bytes;
    PutU32(outside, 8 + 8 * LUMP_FACES + 4, static_cast<std::uint32_t>(bytes.size()));
    EXPECT_EQ(ErrorOf(outside), "map: the faces lump lies outside the file");
    std::vector<std::uint8_t> negative = bytes;
    PutU32(negative, 8 + 8 * LUMP_PLANES, 0xFFFFFFF0u);
    EXPECT_EQ(ErrorOf(negative), "map: the planes lump lies outside the file");
    std::vector<std::uint8_t> ragged = bytes;
    PutU32(ragged, 8 + 8 * LUMP_NODES + 4, 27);
    EXPECT_EQ(ErrorOf(ragged), "map: the nodes lump's length 27 is not a multiple of 28");
}

TEST(BspReader, RefusesReferencesOutsideTheirTables) {
    const std::vector<std::uint8_t> good = Written();
    struct Case {
        int lump;
        std::size_t field; // byte offset inside the lump
        std::uint32_t value;
        const char* error;
    };
    const Case cases[] = {
        {LUMP_EDGES, 4 * 2 + 2, 4, "map: edge 2 names vertex 4 of 4"},
        {LUMP_SURFEDGES, 4, 0xFFFFFFFBu, "map: surf edge 1 names edge 5 of 5"},
        {LUMP_SURFEDGES, 4, 0x80000000u, "map: surf edge 1 names edge 2147483648 of 5"},
        {LUMP_TEXINFO, 72, 1, "map: texinfo 0 names next texinfo 1 of 1"},
        {LUMP_TEXINFO, 0, 0x7FC00000u, "map: texinfo 0 has a texture axis that is no number"},
        {LUMP_FACES, 0, 1, "map: face 0 names plane 1 of 1"},
        {LUMP_FACES, 4, 2, "map: face 0 has edges 2..5 outside the 5 surf edges"},
        {LUMP_FACES, 8, 0x00000002u, "map: face 0 has edges 0..1 outside the 5 surf edges"},
        {LUMP_FACES, 10 - 2, 0x00070004u, "map: face 0 names texinfo 7 of 1"},
        {LUMP_FACES, 16, 200, "map: face 0 has light offset 200 outside the 150 light bytes"},
        {LUMP_FACES, 16, 80, "map: face 0's light map runs past the 150 light bytes"},
        {LUMP_LEAFFACES, 0, 0x00000003u, "map: leaf face 0 names face 3 of 1"},
        {LUMP_LEAFS, 28 + 20, 0x00010001u, "map: leaf 1 has leaf faces outside the 1 leaf faces"},
        {LUMP_LEAFS, 28 + 24, 0x00010001u,
         "map: leaf 1 has leaf brushes outside the 1 leaf brushes"},
        {LUMP_LEAFS, 28 + 4, 0x00000001u, "map: leaf 1 names cluster 1 of 1"},
        {LUMP_VISIBILITY, 4, 14, "map: cluster 0's visibility lies outside its lump"},
        {LUMP_VISIBILITY, 0, 2, "map: the visibility data names 2 clusters it has no room for"},
        {LUMP_NODES, 0, 3, "map: node 0 names plane 3 of 1"},
        {LUMP_NODES, 4, 0xFFFFFFFDu, "map: node 0 names leaf 2 of 2"},
        {LUMP_NODES, 8, 0, "map: node 0 names child node 0 before itself"},
        {LUMP_NODES, 8, 1, "map: node 0 names child node 1 of 1"},
        {LUMP_NODES, 24, 0x00010001u, "map: node 0 has faces outside the 1 faces"},
        {LUMP_MODELS, 48 + 36, 1, "map: model 1 names head node 1 outside the 1 nodes"},
        {LUMP_MODELS, 48 + 44, 2, "map: model 1 has faces outside the 1 faces"},
        {LUMP_MODELS, 40, 0xFFFFFFFFu, "map: model 0 has faces outside the 1 faces"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.error);
        std::vector<std::uint8_t> bytes = good;
        PutU32(bytes, LumpOffset(bytes, c.lump) + c.field, c.value);
        EXPECT_EQ(ErrorOf(bytes), c.error);
    }
}

TEST(BspReader, RefusesAMapWithoutWorldModel) {
    Bsp bsp = MakeBsp();
    bsp.models.clear();
    EXPECT_EQ(ErrorOf(WriteBsp(bsp)), "map: there is no world model");
}

TEST(BspReader, RefusesAFaceTooLargeForALightMap) {
    Bsp bsp = MakeBsp();
    bsp.texInfo[0].vecs[0][0] = 8; // 512 texels across
    EXPECT_EQ(ErrorOf(WriteBsp(bsp)), "map: face 0 is too large for a light map");
    bsp.texInfo[0].flags = SURF_SKY; // unlit: no light map to fit
    Bsp read;
    std::string error;
    EXPECT_TRUE(ReadBsp(WriteBsp(bsp), read, error)) << error;
}

TEST(BspReader, EveryTruncationIsRefusedWithoutHarm) {
    const std::vector<std::uint8_t> good = Written();
    for (std::size_t n = 0; n < good.size(); n += 3) {
        Bsp bsp;
        std::string error;
        EXPECT_FALSE(ReadBsp(std::span(good.data(), n), bsp, error)) << n;
        EXPECT_FALSE(error.empty());
    }
}

TEST(BspEntities, ParsesQuotedAndBareTokensAndComments) {
    std::vector<BspEntity> out;
    std::string error;
    ASSERT_TRUE(ParseBspEntities("// map\n{ \"classname\" \"light\" light 300 }\n{\n}", out, error))
        << error;
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0].ClassName(), "light");
    EXPECT_EQ(*out[0].Get("light"), "300");
    EXPECT_EQ(out[1].ClassName(), "");
    EXPECT_EQ(out[1].Get("classname"), nullptr);
}

TEST(BspEntities, RefusesMalformedText) {
    const std::pair<const char*, const char*> cases[] = {
        {"\"classname\" \"x\"", "entities: expected { before entity 0"},
        {"{ \"a\" \"b\" } \"{\"", "entities: expected { before entity 1"},
        {"{ \"a\" \"b\"", "entities: entity 0 has no closing }"},
        {"{ \"a\" \"b", "entities: a quoted text runs to the end in entity 0"},
        {"{ \"a\" }", "entities: key \"a\" of entity 0 has no value"},
        {"{ \"a\" \"b\" { }", "entities: entity 0 opens another {"},
    };
    for (const auto& [text, expected] : cases) {
        std::vector<BspEntity> out;
        std::string error;
        EXPECT_FALSE(ParseBspEntities(text, out, error)) << text;
        EXPECT_EQ(error, expected);
    }
    Bsp bsp = MakeBsp();
    bsp.entityText = "{ \"classname\"";
    EXPECT_EQ(ErrorOf(WriteBsp(bsp)), "map: entities: entity 0 has no closing }");
}

TEST(BspReader, ReadsTheCorpusMaps) {
    const auto files = formats_test::CorpusFiles("bsp");
    if (files.empty()) {
        GTEST_SKIP() << "no maps in the corpus folder " << CINERAD_CORPUS_DIR;
    }
    for (const auto& path : files) {
        SCOPED_TRACE(path.filename().string());
        Bsp bsp;
        std::string error;
        ASSERT_TRUE(ReadBsp(formats_test::ReadFileBytes(path), bsp, error)) << error;
        EXPECT_FALSE(bsp.faces.empty());
        EXPECT_NE(bsp.FindEntity("worldspawn"), nullptr);
        // What the reader keeps writes out and reads back the same.
        Bsp again;
        ASSERT_TRUE(ReadBsp(WriteBsp(bsp), again, error)) << error;
        EXPECT_EQ(again.faces.size(), bsp.faces.size());
        EXPECT_EQ(again.lighting, bsp.lighting);
    }
}

} // namespace
