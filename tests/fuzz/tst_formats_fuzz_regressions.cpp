// The asset readers' fuzz entry over valid files and every byte of them changed: each run
// must simply come back (the sanitizers catch an out-of-range read).
#include "formats_fuzz_entry.h"

#include <gtest/gtest.h>

#include <vector>

#include "formats/write.h"

namespace {

using namespace formats;

// A small map with a node, two leaves and one lit face; enough that byte flips reach every
// table.
std::vector<std::uint8_t> SmallMap() {
    Bsp b;
    b.entityText = "{ \"classname\" \"worldspawn\" }";
    b.planes = {{{0, 0, 1}, 0, 2}};
    b.vertices = {{0, 0, 0}, {32, 0, 0}, {32, 32, 0}};
    b.edges = {{{0, 0}}, {{0, 1}}, {{1, 2}}, {{2, 0}}};
    b.surfEdges = {1, 2, 3};
    BspTexInfo t;
    t.vecs[0][0] = 1;
    t.vecs[1][1] = 1;
    t.texture = "x";
    b.texInfo = {t};
    BspFace f;
    f.numEdges = 3;
    f.lightOffset = 0;
    b.faces = {f};
    b.lighting.assign(3 * 3 * 3, 200);
    b.leafFaces = {0};
    BspLeaf solid;
    solid.contents = CONTENTS_SOLID;
    BspLeaf open;
    open.cluster = 0;
    open.numLeafFaces = 1;
    b.leaves = {solid, open};
    BspNode n;
    n.children[0] = -2;
    n.children[1] = -1;
    n.numFaces = 1;
    b.nodes = {n};
    BspModel world;
    world.numFaces = 1;
    b.models = {world};
    b.visibility = {1, 0, 0, 0, 12, 0, 0, 0, 12, 0, 0, 0, 0x01};
    return WriteBsp(b);
}

std::vector<std::uint8_t> SmallModel() {
    Md2 m;
    m.skinWidth = m.skinHeight = 8;
    m.numVertices = 3;
    m.skins = {"s.pcx"};
    m.st = {{0, 0}, {7, 0}, {0, 7}};
    Md2Triangle t;
    t.vertex[1] = 1;
    t.vertex[2] = 2;
    t.st[1] = 1;
    t.st[2] = 2;
    m.triangles = {t};
    Md2Frame fr;
    fr.vertices.resize(3);
    m.frames = {fr};
    m.glCommands = {3, 0, 0, 0, 0, 0, 1, 0, 0, 2, 0};
    return WriteMd2(m);
}

std::vector<std::uint8_t> SmallPicture() {
    Pcx p;
    p.width = 3;
    p.height = 2;
    p.pixels = {1, 1, 0xC5, 2, 2, 2};
    return WritePcx(p);
}

std::vector<std::uint8_t> SmallTexture() {
    Wal w;
    w.width = w.height = 8;
    for (std::size_t level = 0; level < 4; ++level) {
        w.mips[level].assign((8u >> level) * (8u >> level), 3);
    }
    return WriteWal(w);
}

TEST(FormatsFuzzRegressions, EveryByteChangedOfEachFormat) {
    for (const std::vector<std::uint8_t>& good :
         {SmallMap(), SmallModel(), SmallPicture(), SmallTexture()}) {
        ReadArbitraryAssetBytes(good.data(), good.size());
        for (std::size_t i = 0; i < good.size(); ++i) {
            for (std::uint8_t value : {std::uint8_t{0x00}, std::uint8_t{0xFF}, std::uint8_t{0x80},
                                       static_cast<std::uint8_t>(good[i] + 1)}) {
                std::vector<std::uint8_t> bytes = good;
                bytes[i] = value;
                ReadArbitraryAssetBytes(bytes.data(), bytes.size());
            }
            ReadArbitraryAssetBytes(good.data(), i);
        }
    }
}

} // namespace
