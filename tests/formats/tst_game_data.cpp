// The generated game data: the archives open in the program's pak reader, every file reads
// through the format readers, and the sample's map, models and skins fit the sample demo.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "formats/bsp.h"
#include "formats/md2.h"
#include "formats/pcx.h"
#include "formats/wal.h"
#include "fx/game_demo_builder.h"
#include "orrery/cqpakfile.h"
#include "sample_options.h"

namespace {

using namespace formats;

std::vector<std::uint8_t> Load(const CQPakFile& pak, const std::string& name) {
    void* buffer = nullptr;
    const int length = pak.LoadFile(name.c_str(), &buffer);
    if (length < 0) {
        ADD_FAILURE() << name << " is not in the archive";
        return {};
    }
    const auto* p = static_cast<const std::uint8_t*>(buffer);
    std::vector<std::uint8_t> bytes(p, p + length);
    pak.FreeFile(buffer);
    return bytes;
}

template <class T, class Read>
T ReadFromPak(const CQPakFile& pak, const std::string& name, Read read) {
    T value;
    std::string error;
    EXPECT_TRUE(read(Load(pak, name), value, error)) << name << ": " << error;
    return value;
}

Bsp Map(const CQPakFile& pak, const std::string& n) {
    return ReadFromPak<Bsp>(pak, n, ReadBsp);
}
Md2 Model(const CQPakFile& pak, const std::string& n) {
    return ReadFromPak<Md2>(pak, n, ReadMd2);
}
Pcx Picture(const CQPakFile& pak, const std::string& n) {
    return ReadFromPak<Pcx>(pak, n, ReadPcx);
}
Wal Texture(const CQPakFile& pak, const std::string& n) {
    return ReadFromPak<Wal>(pak, n, ReadWal);
}

// What the sample demo shows, frame by frame.
struct Shown {
    std::map<int, std::string> configStrings;
    std::map<int, int> lastFrame; // model index -> highest frame
    std::vector<Vec3> playerOrigins;
};

const Shown& SampleShown() {
    static const Shown shown = [] {
        Shown s;
        fx::GameDemoBuilder builder(SampleDemoOptions());
        builder.OnFrame([&](const fx::FrameSnapshot& snap) {
            for (const fx::EntityValues& e : *snap.entities) {
                s.lastFrame[e.modelindex] =
                    std::max(s.lastFrame[e.modelindex], static_cast<int>(e.frame));
                if (e.number >= 1 && e.number <= SampleDemoOptions().players) {
                    s.playerOrigins.push_back(
                        {e.origin.x / 8.0f, e.origin.y / 8.0f, e.origin.z / 8.0f});
                }
            }
        });
        builder.Generate([](const fx::Bytes&) {});
        s.configStrings = builder.ConfigStrings();
        return s;
    }();
    return shown;
}

TEST(GameData, SampleMapFitsTheSampleDemo) {
    CQPakFile pak(CINERAD_SAMPLE_PAK);
    ASSERT_TRUE(pak.IsOpen()) << CINERAD_SAMPLE_PAK;
    const Shown& shown = SampleShown();
    const std::string mapName = shown.configStrings.at(32 + 1);
    EXPECT_EQ(mapName, "maps/sample1.bsp");
    const Bsp bsp = Map(pak, mapName);
    ASSERT_FALSE(bsp.models.empty());

    // Every player stands inside the room, with its box (16 across, 24 below the origin).
    const BspModel& world = bsp.models[0];
    ASSERT_FALSE(shown.playerOrigins.empty());
    for (const Vec3& o : shown.playerOrigins) {
        ASSERT_GE(o[0] - 16, world.mins[0]);
        ASSERT_LE(o[0] + 16, world.maxs[0]);
        ASSERT_GE(o[1] - 16, world.mins[1]);
        ASSERT_LE(o[1] + 16, world.maxs[1]);
        ASSERT_GE(o[2] - 24, world.mins[2]);
        ASSERT_LE(o[2] + 32, world.maxs[2]);
    }
    // The inline models the demo names, the sky it names, a start point.
    for (const auto& [index, name] : shown.configStrings) {
        if (index > 33 && index < 32 + 256 && !name.empty() && name[0] == '*') {
            const BspModel* m = bsp.InlineModel(name);
            ASSERT_NE(m, nullptr) << name;
            EXPECT_GT(m->numFaces, 0) << name;
        }
    }
    ASSERT_NE(bsp.FindEntity("worldspawn"), nullptr);
    EXPECT_EQ(*bsp.FindEntity("worldspawn")->Get("sky"), shown.configStrings.at(2));
    ASSERT_NE(bsp.FindEntity("info_player_start"), nullptr);
    EXPECT_TRUE(bsp.FindEntity("info_player_start")->GetVec3("origin").has_value());

    // Lit faces, sky and water, and a texture in the archive for every texinfo.
    int lit = 0;
    int sky = 0;
    int water = 0;
    for (const BspFace& f : bsp.faces) {
        const BspTexInfo& t = bsp.texInfo[static_cast<std::size_t>(f.texInfo)];
        lit += f.lightOffset >= 0 ? 1 : 0;
        sky += (t.flags & SURF_SKY) ? 1 : 0;
        water += (t.flags & SURF_WARP) ? 1 : 0;
    }
    EXPECT_GT(lit, 100);
    EXPECT_GT(sky, 0);
    EXPECT_GT(water, 0);
    std::set<std::string> textures;
    for (const BspTexInfo& t : bsp.texInfo) {
        textures.insert(t.texture);
    }
    EXPECT_GE(textures.size(), 4u);
    for (const std::string& t : textures) {
        const Wal w = Texture(pak, "textures/" + t + ".wal");
        EXPECT_EQ(w.name, t);
    }
    for (const char* face : {"rt", "bk", "lf", "ft", "up", "dn"}) {
        EXPECT_EQ(Picture(pak, "env/" + shown.configStrings.at(2) + face + ".pcx").width, 256);
    }
}

TEST(GameData, SampleModelsAndSkinsAreThereForEveryPrecachedName) {
    CQPakFile pak(CINERAD_SAMPLE_PAK);
    ASSERT_TRUE(pak.IsOpen()) << CINERAD_SAMPLE_PAK;
    const Shown& shown = SampleShown();
    std::set<std::string> playerFolders;
    for (const auto& [index, value] : shown.configStrings) {
        if (index >= 1312 && index < 1312 + 256 && value.find('\\') != std::string::npos) {
            const std::string skin = value.substr(value.find('\\') + 1);
            playerFolders.insert(skin.substr(0, skin.find('/')));
            Picture(pak, "players/" + skin + ".pcx");
        }
    }
    ASSERT_FALSE(playerFolders.empty());
    int models = 0;
    for (int i = 32 + 2; i < 32 + 256; ++i) {
        const auto it = shown.configStrings.find(i);
        if (it == shown.configStrings.end() || it->second.empty() || it->second[0] == '*') {
            continue;
        }
        std::vector<std::string> paths;
        if (it->second[0] == '#') {
            for (const std::string& folder : playerFolders) {
                paths.push_back("players/" + folder + "/" + it->second.substr(1));
            }
        } else {
            paths.push_back(it->second);
        }
        for (const std::string& path : paths) {
            SCOPED_TRACE(path);
            const Md2 m = Model(pak, path);
            ASSERT_FALSE(m.frames.empty());
            const auto frame = shown.lastFrame.find(i - 32);
            if (frame != shown.lastFrame.end()) {
                EXPECT_GT(static_cast<int>(m.frames.size()), frame->second);
            }
            ASSERT_EQ(m.skins.size(), 1u);
            const Pcx skin = Picture(pak, m.skins[0]);
            EXPECT_EQ(skin.width, m.skinWidth);
            EXPECT_EQ(skin.height, m.skinHeight);
            ++models;
        }
    }
    EXPECT_GT(models, 20);
    for (const std::string& folder : playerFolders) {
        EXPECT_GE(Model(pak, "players/" + folder + "/tris.md2").frames.size(), 198u);
    }
}

TEST(GameData, SamplePaletteAndConsoleFont) {
    CQPakFile pak(CINERAD_SAMPLE_PAK);
    ASSERT_TRUE(pak.IsOpen()) << CINERAD_SAMPLE_PAK;
    const Pcx colormap = Picture(pak, "pics/colormap.pcx");
    EXPECT_EQ(colormap.width, 256);
    EXPECT_EQ(colormap.height, 320);
    // Light level 32 leaves a colour as it is; the translucency of a colour over itself is
    // that colour again.
    for (int c : {1, 17, 100, 200, 254}) {
        EXPECT_EQ(colormap.pixels[static_cast<std::size_t>(32 * 256 + c)], c);
        EXPECT_EQ(colormap.pixels[static_cast<std::size_t>((64 + c) * 256 + c)], c);
    }
    const Pcx font = Picture(pak, "pics/conchars.pcx");
    EXPECT_EQ(font.width, 128);
    EXPECT_EQ(font.height, 128);
    EXPECT_EQ(font.palette, colormap.palette);
    // 'A' (row 4, column 1) has ink; the space (row 2, column 0) is transparent.
    int ink = 0;
    int space = 0;
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            ink += font.pixels[static_cast<std::size_t>((32 + y) * 128 + 8 + x)] != 255 ? 1 : 0;
            space += font.pixels[static_cast<std::size_t>((16 + y) * 128 + x)] != 255 ? 1 : 0;
        }
    }
    EXPECT_GT(ink, 10);
    EXPECT_EQ(space, 0);
}

TEST(GameData, EditorArchiveHoldsTenDistinctMarkerSkins) {
    CQPakFile pak(CINERAD_PAK);
    ASSERT_TRUE(pak.IsOpen()) << CINERAD_PAK;
    EXPECT_EQ(pak.GetFileCount(), 10);
    std::set<std::vector<std::uint8_t>> seen;
    for (int n = 1; n <= 10; ++n) {
        const Pcx skin = Picture(pak, "skins/skin" + std::to_string(n) + ".pcx");
        EXPECT_TRUE(seen.insert(skin.pixels).second) << "skin" << n << " repeats another";
    }
}

} // namespace
