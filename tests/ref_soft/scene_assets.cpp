#include "scene_assets.h"

#include "formats/write.h"

namespace refsoft_test {

namespace {

formats::Palette TestPalette() {
    formats::Palette p{};
    for (int i = 0; i < 256; ++i) {
        const Rgb c = PaletteColour(i);
        p[i * 3] = static_cast<std::uint8_t>(c.r);
        p[i * 3 + 1] = static_cast<std::uint8_t>(c.g);
        p[i * 3 + 2] = static_cast<std::uint8_t>(c.b);
    }
    return p;
}

std::vector<std::uint8_t> SolidPcx(int width, int height, int index) {
    formats::Pcx pcx;
    pcx.width = width;
    pcx.height = height;
    pcx.pixels.assign(static_cast<std::size_t>(width) * height, static_cast<std::uint8_t>(index));
    pcx.palette = TestPalette();
    return formats::WritePcx(pcx);
}

std::vector<std::uint8_t> SolidWal(const std::string& name, int index) {
    formats::Wal wal;
    wal.name = name;
    wal.width = 16;
    wal.height = 16;
    for (int level = 0; level < 4; ++level)
        wal.mips[level].assign(static_cast<std::size_t>((16 >> level) * (16 >> level)),
                               static_cast<std::uint8_t>(index));
    return formats::WriteWal(wal);
}

// Adds a quad face with its edges; corners in order around the face.
void AddQuad(formats::Bsp& bsp, const formats::Vec3 (&corners)[4], const formats::Vec3& normal,
             int texInfo, std::int32_t lightOffset, int style) {
    formats::BspPlane plane;
    plane.normal = normal;
    plane.dist = normal[0] * corners[0][0] + normal[1] * corners[0][1] + normal[2] * corners[0][2];
    plane.type = 3;
    bsp.planes.push_back(plane);
    const auto base = static_cast<std::uint16_t>(bsp.vertices.size());
    for (const formats::Vec3& c : corners)
        bsp.vertices.push_back(c);
    formats::BspFace face;
    face.plane = static_cast<std::uint16_t>(bsp.planes.size() - 1);
    face.side = 0;
    face.firstEdge = static_cast<std::int32_t>(bsp.surfEdges.size());
    face.numEdges = 4;
    face.texInfo = static_cast<std::int16_t>(texInfo);
    face.styles[0] = static_cast<std::uint8_t>(style);
    face.lightOffset = lightOffset;
    for (int k = 0; k < 4; ++k) {
        formats::BspEdge edge;
        edge.v[0] = static_cast<std::uint16_t>(base + k);
        edge.v[1] = static_cast<std::uint16_t>(base + (k + 1) % 4);
        bsp.edges.push_back(edge);
        bsp.surfEdges.push_back(static_cast<std::int32_t>(bsp.edges.size() - 1));
    }
    bsp.faces.push_back(face);
}

formats::BspTexInfo TexInfo(const float s[4], const float t[4], std::uint32_t flags,
                            const std::string& texture) {
    formats::BspTexInfo info;
    for (int k = 0; k < 4; ++k) {
        info.vecs[0][k] = s[k];
        info.vecs[1][k] = t[k];
    }
    info.flags = flags;
    info.texture = texture;
    return info;
}

} // namespace

Rgb PaletteColour(int index) {
    static const Rgb kNamed[] = {{0, 0, 0},       {200, 40, 40},  {40, 200, 40},  {40, 40, 200},
                                 {200, 200, 40},  {200, 40, 200}, {40, 200, 200}, {160, 100, 40},
                                 {240, 240, 240}, {250, 250, 0},  {0, 250, 120},  {255, 0, 0},
                                 {0, 255, 0},     {0, 0, 255},    {255, 255, 0},  {0, 255, 255},
                                 {255, 0, 255}};
    if (index >= 0 && index < static_cast<int>(std::size(kNamed)))
        return kNamed[index];
    return {index, index, index};
}

formats::Bsp BoxRoom(const RoomOptions& options) {
    formats::Bsp bsp;
    bsp.entityText = "{\n\"classname\" \"worldspawn\"\n}\n{\n\"classname\" \"info_player_start\"\n"
                     "\"origin\" \"0 0 -22\"\n\"angle\" \"0\"\n}\n";
    const float h = kHalf;
    // Texture axes per wall: s and t run across the wall in texels.
    const float sY[4] = {0, 1, 0, 0}, sX[4] = {1, 0, 0, 0};
    const float tZ[4] = {0, 0, -1, 0}, tY[4] = {0, -1, 0, 0};
    struct Wall {
        formats::Vec3 corners[4];
        formats::Vec3 normal;
        const float* s;
        const float* t;
    };
    const Wall walls[6] = {
        {{{h, -h, -h}, {h, h, -h}, {h, h, h}, {h, -h, h}}, {-1, 0, 0}, sY, tZ},
        {{{-h, -h, -h}, {-h, -h, h}, {-h, h, h}, {-h, h, -h}}, {1, 0, 0}, sY, tZ},
        {{{-h, h, -h}, {-h, h, h}, {h, h, h}, {h, h, -h}}, {0, -1, 0}, sX, tZ},
        {{{-h, -h, -h}, {h, -h, -h}, {h, -h, h}, {-h, -h, h}}, {0, 1, 0}, sX, tZ},
        {{{-h, -h, h}, {h, -h, h}, {h, h, h}, {-h, h, h}}, {0, 0, -1}, sX, tY},
        {{{-h, -h, -h}, {-h, h, -h}, {h, h, -h}, {h, -h, -h}}, {0, 0, 1}, sX, tY},
    };
    // Light maps: 17 x 17 samples per wall (256 texels across, one sample per 16).
    const std::size_t perWall = 17 * 17 * 3;
    for (int w = 0; w < 6; ++w) {
        std::uint32_t flags = 0;
        std::string texture = "test/wall" + std::to_string(w);
        if (w == 0) {
            flags = options.frontFlags;
            if (options.missingFront)
                texture = "test/nosuchtexture";
        }
        if (w == 4 && options.skyCeiling)
            flags |= formats::SURF_SKY;
        bsp.texInfo.push_back(TexInfo(walls[w].s, walls[w].t, flags, texture));
        const std::uint8_t sample = w == 0 ? options.frontLight : options.light;
        const auto offset = static_cast<std::int32_t>(bsp.lighting.size());
        bsp.lighting.insert(bsp.lighting.end(), perWall, sample);
        AddQuad(bsp, walls[w].corners, walls[w].normal, w, offset, w == 0 ? options.frontStyle : 0);
    }
    // The inline model's square, unlit.
    bsp.texInfo.push_back(TexInfo(sY, tZ, 0, "test/inline"));
    const formats::Vec3 square[4] = {
        {100, -16, -16}, {100, 16, -16}, {100, 16, 16}, {100, -16, 16}};
    AddQuad(bsp, square, {-1, 0, 0}, 6, -1, 0);

    formats::BspLeaf leaf;
    leaf.contents = 0;
    leaf.cluster = -1;
    bsp.leaves.push_back(leaf);
    formats::BspModel world;
    world.mins = {-h, -h, -h};
    world.maxs = {h, h, h};
    world.headNode = -1;
    world.firstFace = 0;
    world.numFaces = 6;
    formats::BspModel inlineModel = world;
    inlineModel.mins = {100, -16, -16};
    inlineModel.maxs = {100, 16, 16};
    inlineModel.firstFace = kInlineFace;
    inlineModel.numFaces = 1;
    bsp.models = {world, inlineModel};
    return bsp;
}

std::vector<std::uint8_t> CubeModel() {
    formats::Md2 md2;
    md2.skinWidth = 8;
    md2.skinHeight = 8;
    md2.numVertices = 8;
    md2.skins = {"models/cube/skin.pcx"};
    md2.st = {{0, 0}, {7, 0}, {7, 7}, {0, 7}};
    formats::Md2Frame frame;
    frame.scale = {16.0f / 255.0f, 16.0f / 255.0f, 16.0f / 255.0f};
    frame.translate = {-8, -8, -8};
    frame.name = "frame1";
    for (int i = 0; i < 8; ++i) {
        formats::Md2Vertex v;
        v.v[0] = (i & 1) ? 255 : 0;
        v.v[1] = (i & 2) ? 255 : 0;
        v.v[2] = (i & 4) ? 255 : 0;
        frame.vertices.push_back(v);
    }
    md2.frames = {frame};
    // Two triangles on each of the six sides, corners clockwise seen from outside as the
    // game lists them.
    const int quads[6][4] = {{1, 3, 2, 0}, {6, 7, 5, 4}, {4, 5, 1, 0},
                             {3, 7, 6, 2}, {2, 6, 4, 0}, {5, 7, 3, 1}};
    for (const auto& q : quads) {
        formats::Md2Triangle a, b;
        a.vertex[0] = static_cast<std::uint16_t>(q[0]);
        a.vertex[1] = static_cast<std::uint16_t>(q[1]);
        a.vertex[2] = static_cast<std::uint16_t>(q[2]);
        b.vertex[0] = static_cast<std::uint16_t>(q[0]);
        b.vertex[1] = static_cast<std::uint16_t>(q[2]);
        b.vertex[2] = static_cast<std::uint16_t>(q[3]);
        a.st[0] = 0, a.st[1] = 1, a.st[2] = 2;
        b.st[0] = 0, b.st[1] = 2, b.st[2] = 3;
        md2.triangles.push_back(a);
        md2.triangles.push_back(b);
    }
    return formats::WriteMd2(md2);
}

Files SceneFiles(const RoomOptions& options, bool withConchars) {
    Files files;
    files["pics/colormap.pcx"] = SolidPcx(16, 16, 0);
    for (int w = 0; w < 6; ++w)
        files["textures/test/wall" + std::to_string(w) + ".wal"] =
            SolidWal("test/wall" + std::to_string(w), kWallIndex[w]);
    files["textures/test/inline.wal"] = SolidWal("test/inline", kInlineIndex);
    files["maps/room.bsp"] = formats::WriteBsp(BoxRoom(options));
    files["models/cube/tris.md2"] = CubeModel();
    files["models/cube/skin.pcx"] = SolidPcx(8, 8, kModelIndex);
    static const char* const kSides[6] = {"rt", "bk", "lf", "ft", "up", "dn"};
    for (int i = 0; i < 6; ++i)
        files[std::string("env/testsky") + kSides[i] + ".pcx"] = SolidPcx(8, 8, kSkyIndex[i]);
    if (withConchars) {
        // Every glyph cell transparent except that of 'A', which is solid.
        formats::Pcx font;
        font.width = 128;
        font.height = 128;
        font.pixels.assign(128 * 128, 255);
        const int gx = ('A' & 15) * 8, gy = ('A' >> 4) * 8;
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                font.pixels[(gy + y) * 128 + gx + x] = kGlyphIndex;
        font.palette = TestPalette();
        files["pics/conchars.pcx"] = formats::WritePcx(font);
    }
    return files;
}

} // namespace refsoft_test
