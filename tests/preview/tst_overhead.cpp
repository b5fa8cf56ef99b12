// The overhead view without widgets: the floor outline of a map, the markers of a frame
// against the reference decoder's reading of a real recording, and the view mapping's zoom,
// pan, tracking and hit test.
#include "preview/overhead_map.h"
#include "preview/overhead_scene.h"
#include "preview/overhead_transform.h"

#include "demo/tresk_doc.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

namespace fs = std::filesystem;

namespace {

// A map of two floor squares side by side (sharing one edge), a wall standing on the first
// one's west edge, and a sky square above: only the floors' six outer edges are outline.
formats::Bsp TwoRooms() {
    formats::Bsp bsp;
    bsp.planes = {{{0, 0, 1}, 0, 2}, {{1, 0, 0}, 0, 0}, {{0, 0, -1}, -128, 2}};
    bsp.texInfo.resize(2);
    bsp.texInfo[1].flags = formats::SURF_SKY;
    bsp.vertices = {{0, 0, 0},  {64, 0, 0},  {64, 64, 0}, {0, 64, 0},   {128, 0, 0},  {128, 64, 0},
                    {0, 0, 64}, {0, 64, 64}, {0, 0, 128}, {64, 0, 128}, {64, 64, 128}};
    bsp.edges = {{{0, 0}}, {{0, 1}}, {{1, 2}}, {{2, 3}}, {{3, 0}}, {{1, 4}},  {{4, 5}},
                 {{5, 2}}, {{0, 6}}, {{6, 7}}, {{7, 3}}, {{8, 9}}, {{9, 10}}, {{10, 8}}};
    // Floor 1: edges 1..4; floor 2: 5, 6, 7 and edge 2 walked backwards; the wall: 4, 8, 9,
    // 10 (its foot is floor 1's west edge); the sky: 11..13.
    bsp.surfEdges = {1, 2, 3, 4, 5, 6, 7, -2, -4, 8, 9, 10, 11, 12, 13};
    auto face = [](uint16_t plane, int32_t first, int16_t count, int16_t tex) {
        formats::BspFace f;
        f.plane = plane;
        f.firstEdge = first;
        f.numEdges = count;
        f.texInfo = tex;
        return f;
    };
    bsp.faces = {face(0, 0, 4, 0), face(0, 4, 4, 0), face(1, 8, 4, 0), face(2, 12, 3, 1)};
    formats::BspModel world;
    world.numFaces = 4;
    bsp.models = {world};
    return bsp;
}

TEST(OverheadMap, TheOutlineIsTheFloorsBorderWithoutWallsSkyOrSeams) {
    const std::vector<OverheadSegment> outline = FloorOutline(TwoRooms());
    ASSERT_EQ(outline.size(), 6u);
    for (const OverheadSegment& s : outline) {
        EXPECT_EQ(s.z, 0.0f);
        // The seam between the floors (x = 64 from y 0 to 64) is no border.
        EXPECT_FALSE(s.x0 == 64 && s.x1 == 64) << s.y0 << " " << s.y1;
    }
    const OverheadBounds b = BoundsOf(outline);
    EXPECT_EQ(b.minX, 0);
    EXPECT_EQ(b.maxX, 128);
    EXPECT_EQ(b.maxY, 64);

    // A face seen from its back is a ceiling, not a floor.
    formats::Bsp flipped = TwoRooms();
    flipped.faces[0].side = 1;
    flipped.faces[1].side = 1;
    EXPECT_TRUE(FloorOutline(flipped).empty());
    EXPECT_TRUE(FloorOutline(formats::Bsp{}).empty());
}

TEST(OverheadMap, AMapIsReadOnlyUnderItsOwnName) {
    CTreskDoc doc;
    std::string error;
    formats::Bsp bsp;
    EXPECT_FALSE(LoadDemoMap(doc, bsp, error));
    EXPECT_EQ(error, "The demo names no map.");
    doc.modelTable.Set(0, "maps/../../etc/passwd.bsp");
    EXPECT_FALSE(LoadDemoMap(doc, bsp, error));
    EXPECT_EQ(error, "\"maps/../../etc/passwd.bsp\" is not a map.");
    doc.modelTable.Set(0, "models/items/quad/tris.md2");
    EXPECT_FALSE(LoadDemoMap(doc, bsp, error));
    doc.modelTable.Set(0, "maps/nowhere.bsp");
    EXPECT_FALSE(LoadDemoMap(doc, bsp, error));
    EXPECT_EQ(error, "The map maps/nowhere.bsp is in none of the pak files.");
}

TEST(OverheadMap, EveryCorpusMapHasAnOutlineInsideItsWorld) {
    const fs::path dir = fs::path(CINERAD_CORPUS_DIR) / "assets";
    if (!fs::exists(dir)) {
        GTEST_SKIP() << "no corpus assets at " << dir;
    }
    int maps = 0;
    for (const auto& entry : fs::recursive_directory_iterator(dir)) {
        if (entry.path().extension() != ".bsp") {
            continue;
        }
        std::ifstream in(entry.path(), std::ios::binary);
        const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
        formats::Bsp bsp;
        std::string error;
        ASSERT_TRUE(formats::ReadBsp(bytes, bsp, error)) << entry.path() << ": " << error;
        const std::vector<OverheadSegment> outline = FloorOutline(bsp);
        EXPECT_GT(outline.size(), 10u) << entry.path();
        const OverheadBounds b = BoundsOf(outline);
        const formats::BspModel& world = bsp.models.front();
        EXPECT_GE(b.minX, world.mins[0] - 1) << entry.path();
        EXPECT_LE(b.maxX, world.maxs[0] + 1) << entry.path();
        EXPECT_GE(b.minY, world.mins[1] - 1) << entry.path();
        EXPECT_LE(b.maxY, world.maxs[1] + 1) << entry.path();
        ++maps;
    }
    if (maps == 0) {
        GTEST_SKIP() << "no map in the corpus";
    }
}

std::string Output(const std::string& command) {
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        size_t n = 0;
        while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) {
            out.append(buffer, n);
        }
        pclose(pipe);
    }
    return out;
}

TEST(OverheadScene, MarkersStandWhereTheGameShowsTheFramesEntities) {
    const fs::path demo =
        fs::path(CINERAD_CORPUS_DIR) / "demos" / "packetflinger_libq2_testduel.dm2";
    const fs::path tool = fs::path(CINERAD_CORPUS_DIR) / ".." / "tools" / "q2ref.py";
    if (!fs::exists(demo) || !fs::exists(tool) || std::system("python3 -c '' 2>/dev/null") != 0) {
        GTEST_SKIP() << "the duel recording or the reference decoder is missing";
    }
    std::ifstream in(demo, std::ios::binary);
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
    CTreskDoc doc;
    doc.LoadFromBytes(bytes.data(), bytes.size());
    doc.DecodeAll();
    for (const uint32_t block : {300u, 900u}) {
        SCOPED_TRACE(block);
        // The reference decoder's entities of that block's frame, "number x y" per line.
        const std::string listed =
            Output("python3 '" + tool.string() + "' states '" + demo.string() +
                   "' | python3 -c 'import sys, json\n"
                   "for line in sys.stdin:\n"
                   "    r = json.loads(line)\n"
                   "    if r.get(\"block\", -1) + 1 == " +
                   std::to_string(block) +
                   ":\n"
                   "        print(\"player\", r[\"ps\"][\"origin\"][0] / 8, "
                   "r[\"ps\"][\"origin\"][1] / 8)\n"
                   "        for n, e in r[\"ents\"].items(): print(n, e[\"origin\"][0], "
                   "e[\"origin\"][1])\n"
                   "        break'");
        std::map<std::string, std::pair<double, double>> want;
        std::istringstream lines(listed);
        std::string number;
        double x = 0;
        double y = 0;
        while (lines >> number >> x >> y) {
            want[number] = {x, y};
        }
        ASSERT_GT(want.size(), 2u) << listed;
        const OverheadFrame frame = OverheadFrameAt(doc, block);
        ASSERT_TRUE(frame.valid);
        EXPECT_NEAR(frame.playerX, want["player"].first, 0.125);
        EXPECT_NEAR(frame.playerY, want["player"].second, 0.125);
        want.erase("player");
        ASSERT_EQ(frame.entities.size(), want.size());
        for (const OverheadMarker& m : frame.entities) {
            const auto it = want.find(std::to_string(m.number));
            ASSERT_NE(it, want.end()) << m.number;
            EXPECT_NEAR(m.x, it->second.first, 0.125) << m.number;
            EXPECT_NEAR(m.y, it->second.second, 0.125) << m.number;
        }
    }
    // The trail of a player follows its markers block by block.
    const std::vector<OverheadPoint> trail = EntityTrail(doc, 2, 300, 10);
    ASSERT_FALSE(trail.empty());
    const OverheadFrame at300 = OverheadFrameAt(doc, 300);
    const OverheadMarker* start = FindMarker(at300, 2);
    ASSERT_NE(start, nullptr);
    EXPECT_EQ(trail.front().x, start->x);
    EXPECT_EQ(trail.front().y, start->y);
    EXPECT_FALSE(OverheadFrameAt(doc, 0).valid);
    EXPECT_FALSE(OverheadFrameAt(doc, doc.blockCount + 1).valid);
    EXPECT_TRUE(EntityTrail(doc, 2, doc.blockCount + 1, 5).empty());
}

TEST(OverheadTransform, ZoomKeepsThePointUnderTheMousePanFollowsItAndClicksFindMarkers) {
    OverheadTransform view;
    view.SetViewport(400, 300);
    OverheadBounds bounds;
    bounds.Add(-100, -50);
    bounds.Add(300, 250);
    view.Fit(bounds);
    double sx = 0;
    double sy = 0;
    for (const auto& [x, y] : {std::pair{-100.0, -50.0}, std::pair{300.0, 250.0}}) {
        view.ToScreen(x, y, sx, sy);
        EXPECT_TRUE(sx >= 0 && sx <= 400 && sy >= 0 && sy <= 300) << sx << " " << sy;
    }
    view.ToScreen(0, 100, sx, sy);
    double up = 0;
    view.ToScreen(0, 200, up, up);
    EXPECT_LT(up, sy); // north is up

    // The world point under the mouse stays there through a zoom.
    double wx = 0;
    double wy = 0;
    view.ToWorld(50, 70, wx, wy);
    view.ZoomAt(2.5, 50, 70);
    view.ToScreen(wx, wy, sx, sy);
    EXPECT_NEAR(sx, 50, 1e-9);
    EXPECT_NEAR(sy, 70, 1e-9);
    const double scale = view.Scale();
    view.ZoomAt(-1, 0, 0); // nonsense changes nothing
    view.ZoomAt(std::nan(""), 0, 0);
    EXPECT_EQ(view.Scale(), scale);
    for (int k = 0; k < 40; ++k) {
        view.Zoom(2);
    }
    EXPECT_EQ(view.Scale(), OverheadTransform::kMaxScale);

    // Dragging by 30, 20 pixels moves the map with the mouse.
    view.ToScreen(10, 10, sx, sy);
    view.PanBy(30, 20);
    double after = 0;
    double afterY = 0;
    view.ToScreen(10, 10, after, afterY);
    EXPECT_NEAR(after - sx, 30, 1e-9);
    EXPECT_NEAR(afterY - sy, 20, 1e-9);

    // Tracking puts the entity in the middle; a click finds the nearest marker in reach.
    view.Zoom(1.0 / 16);
    OverheadFrame frame;
    frame.valid = true;
    frame.entities = {{5, 100, 100, 0, 0, 1}, {6, 104, 100, 0, 0, 1}, {7, -200, 0, 0, 0, 1}};
    view.CenterOn(frame.entities[0].x, frame.entities[0].y);
    view.ToScreen(100, 100, sx, sy);
    EXPECT_NEAR(sx, 200, 1e-9);
    EXPECT_NEAR(sy, 150, 1e-9);
    EXPECT_EQ(EntityAt(view, frame, 200, 150, 6), 5);
    double sx6 = 0;
    double sy6 = 0;
    view.ToScreen(104, 100, sx6, sy6);
    EXPECT_EQ(EntityAt(view, frame, sx6 + 1, sy6, 6), 6);
    EXPECT_EQ(EntityAt(view, frame, 5, 5, 6), 0);
}

} // namespace
