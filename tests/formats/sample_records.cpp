#include "sample_records.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace formats_test {

using namespace formats;

Bsp MakeBsp() {
    Bsp b;
    b.entityText = "{\n\"classname\" \"worldspawn\"\n\"sky\" \"unit1_\"\n}\n"
                   "{\n\"classname\" \"info_player_start\"\n\"origin\" \"-32 16 24\"\n}\n";
    b.entities.clear();
    std::string unused;
    ParseBspEntities(b.entityText, b.entities, unused);
    b.planes = {{{0, 0, 1}, 0, 2}};
    b.vertices = {{0, 0, 0}, {64, 0, 0}, {64, 64, 0}, {0, 64, 0}};
    b.edges = {{{0, 0}}, {{0, 1}}, {{1, 2}}, {{2, 3}}, {{3, 0}}};
    b.surfEdges = {1, 2, 3, 4, -1};
    BspTexInfo t;
    t.vecs[0][0] = 1;
    t.vecs[1][1] = 1;
    t.texture = "sample/floor";
    t.flags = 0;
    b.texInfo = {t};
    BspFace f;
    f.plane = 0;
    f.firstEdge = 0;
    f.numEdges = 4;
    f.texInfo = 0;
    f.styles[0] = 0;
    f.styles[1] = 5;
    f.lightOffset = 0;
    b.faces = {f};
    // 64 texels a side: 5 x 5 samples, two styles, RGB.
    b.lighting.resize(5 * 5 * 3 * 2);
    for (std::size_t i = 0; i < b.lighting.size(); ++i) {
        b.lighting[i] = static_cast<std::uint8_t>(i * 7);
    }
    b.leafFaces = {0};
    b.leafBrushes = {0};
    BspLeaf solid;
    solid.contents = CONTENTS_SOLID;
    solid.cluster = -1;
    BspLeaf open;
    open.contents = 0;
    open.cluster = 0;
    open.numLeafFaces = 1;
    open.numLeafBrushes = 1;
    open.maxs[0] = open.maxs[1] = 64;
    b.leaves = {solid, open};
    BspNode n;
    n.plane = 0;
    n.children[0] = -2; // leaf 1, above the floor
    n.children[1] = -1; // leaf 0, below
    n.maxs[0] = n.maxs[1] = 64;
    n.numFaces = 1;
    b.nodes = {n};
    BspModel world;
    world.maxs = {64, 64, 0};
    world.numFaces = 1;
    BspModel inlineModel = world;
    b.models = {world, inlineModel};
    // One cluster that sees itself: count, offsets of its visible and audible rows, rows.
    b.visibility = {1, 0, 0, 0, 12, 0, 0, 0, 13, 0, 0, 0, 0x01, 0x01};
    b.brushes = std::vector<std::uint8_t>(12, 1);
    b.brushSides = std::vector<std::uint8_t>(4, 2);
    b.areas = std::vector<std::uint8_t>(8, 0);
    return b;
}

Md2 MakeMd2() {
    Md2 m;
    m.skinWidth = 32;
    m.skinHeight = 16;
    m.numVertices = 3;
    m.skins = {"models/sample/skin.pcx", "models/sample/pain.pcx"};
    m.st = {{0, 0}, {31, 0}, {0, 15}};
    Md2Triangle t;
    t.vertex[0] = 0;
    t.vertex[1] = 1;
    t.vertex[2] = 2;
    t.st[0] = 0;
    t.st[1] = 1;
    t.st[2] = 2;
    m.triangles = {t};
    for (int i = 0; i < 2; ++i) {
        Md2Frame f;
        f.name = "stand0" + std::to_string(i + 1);
        f.scale = {0.5f, 0.5f, 1.0f};
        f.translate = {-16.0f, -8.0f, -24.0f + static_cast<float>(i)};
        f.vertices = {{{0, 0, 0}, 1}, {{255, 0, 10}, 2}, {{0, 255, 20}, 3}};
        m.frames.push_back(f);
    }
    // One fan of the three vertices, then the end mark.
    m.glCommands = {-3, 0, 0, 0, 0, 0, 1, 0, 0, 2, 0};
    return m;
}

Pcx MakePcx(int width, int height) {
    Pcx p;
    p.width = width;
    p.height = height;
    p.pixels.resize(static_cast<std::size_t>(width * height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            // Runs on the left, values that need a run byte (>= 0xC0) on the right.
            p.pixels[static_cast<std::size_t>(y * width + x)] =
                static_cast<std::uint8_t>(x < width / 2 ? 7 : 0xC0 + x + y);
        }
    }
    for (std::size_t i = 0; i < p.palette.size(); ++i) {
        p.palette[i] = static_cast<std::uint8_t>(i / 3);
    }
    return p;
}

Wal MakeWal() {
    Wal w;
    w.name = "sample/floor";
    w.width = 16;
    w.height = 8;
    for (std::size_t level = 0; level < 4; ++level) {
        const std::size_t size = (16u >> level) * (8u >> level);
        for (std::size_t i = 0; i < size; ++i) {
            w.mips[level].push_back(static_cast<std::uint8_t>(level * 40 + i));
        }
    }
    w.animName = "sample/floor2";
    w.flags = SURF_WARP | SURF_TRANS33;
    w.contents = CONTENTS_WATER;
    w.value = 150;
    return w;
}

void PutU32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) {
        bytes.at(at + i) = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

std::uint32_t GetU32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        v |= static_cast<std::uint32_t>(bytes.at(at + i)) << (8 * i);
    }
    return v;
}

std::vector<std::filesystem::path> CorpusFiles(const std::string& ext) {
    std::vector<std::filesystem::path> out;
    const std::filesystem::path dir = std::filesystem::path(CINERAD_CORPUS_DIR) / "assets" / ext;
    std::error_code ec;
    if (!std::filesystem::is_directory(dir, ec)) {
        return out;
    }
    for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
        if (entry.path().extension() == "." + ext) {
            out.push_back(entry.path());
        }
    }
    std::sort(out.begin(), out.end());
    return out;
}

std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>((std::istreambuf_iterator<char>(in)), {});
}

} // namespace formats_test
