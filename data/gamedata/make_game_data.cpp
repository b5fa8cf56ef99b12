// Writes the game data the editor ships: share/sample.pak, fitted to the sample demo (its map
// with rooms around the players' paths, lit faces, textures, inline models and sky; the
// palette, console font, models and skins its precache names), and cinerad.pak, the editor's
// own archive with the marker skins. Every file is read back through the format readers
// before it is stored.
//
// Usage: make-game-data SAMPLE.pak CINERAD.pak

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <exception>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "arena_map.h"
#include "art.h"
#include "font.h"
#include "formats/pak_writer.h"
#include "formats/write.h"
#include "fx/game_demo_builder.h"
#include "models.h"
#include "palette.h"
#include "sample_options.h"

namespace {

using namespace gamedata;

constexpr int CS_SKY = 2;
constexpr int CS_MODELS = 32;
constexpr int CS_IMAGES = 544;
constexpr int CS_PLAYERSKINS = 1312;
constexpr int kMaxClients = 256;
constexpr int kPlayerFrames = 198; // the game's player models carry this many frames

// What the sample demo shows that the data must fit.
struct DemoFacts {
    double lo[3] = {1e9, 1e9, 1e9};
    double hi[3] = {-1e9, -1e9, -1e9};
    std::vector<std::array<float, 3>> firstPositions;
    std::map<int, int> lastFrame; // model index -> highest frame shown
    int lastPlayerFrame = 0;
    int lastGunFrame = 0;
    std::map<int, std::string> configStrings;
    std::set<std::string> playerSkins; // "male/grunt"
    std::vector<fx::BrushModelPlacement> brushModels;
    std::string sky;
};

// Player skins: those of the opening and those a later configstring sets (a player joining),
// found as configstring messages in the blocks.
void ScanSkins(const fx::Bytes& block, std::set<std::string>& skins) {
    for (std::size_t i = 0; i + 3 < block.size(); ++i) {
        const int index = block[i + 1] | block[i + 2] << 8;
        if (block[i] != 13 || index < CS_PLAYERSKINS || index >= CS_PLAYERSKINS + kMaxClients) {
            continue;
        }
        std::string text;
        for (std::size_t k = i + 3; k < block.size() && block[k] != 0; ++k) {
            text.push_back(static_cast<char>(block[k]));
        }
        const std::size_t sep = text.find('\\');
        if (sep != std::string::npos && text.find('/', sep) != std::string::npos) {
            skins.insert(text.substr(sep + 1));
        }
    }
}

DemoFacts StudyDemo() {
    DemoFacts facts;
    const fx::GameDemoOptions options = SampleDemoOptions();
    fx::GameDemoBuilder builder(options);
    builder.OnFrame([&](const fx::FrameSnapshot& snap) {
        for (const fx::EntityValues& e : *snap.entities) {
            facts.lastFrame[e.modelindex] =
                std::max(facts.lastFrame[e.modelindex], static_cast<int>(e.frame));
            if (e.number < 1 || e.number > options.players) {
                continue;
            }
            facts.lastPlayerFrame = std::max(facts.lastPlayerFrame, static_cast<int>(e.frame));
            const double origin[3] = {e.origin.x / 8.0, e.origin.y / 8.0, e.origin.z / 8.0};
            for (std::size_t k = 0; k < 3; ++k) {
                const double v = origin[k];
                facts.lo[k] = std::min(facts.lo[k], v);
                facts.hi[k] = std::max(facts.hi[k], v);
            }
            if (snap.frameIndex == 0) {
                facts.firstPositions.push_back({static_cast<float>(origin[0]),
                                                static_cast<float>(origin[1]),
                                                static_cast<float>(origin[2])});
            }
        }
        facts.lastGunFrame = std::max(facts.lastGunFrame, static_cast<int>(snap.player->gunframe));
    });
    builder.Generate([&](const fx::Bytes& block) { ScanSkins(block, facts.playerSkins); });
    facts.configStrings = builder.ConfigStrings();
    facts.brushModels = builder.BrushModels();
    facts.sky = facts.configStrings.count(CS_SKY) ? facts.configStrings.at(CS_SKY) : "unit1_";
    return facts;
}

// The room: the players' paths with room for their boxes (16 across, 56 high from 24 below
// the origin), at least the arena the demo plays in, sides on whole 64-unit steps.
ArenaSpec FitArena(const DemoFacts& facts) {
    ArenaSpec spec;
    for (std::size_t k = 0; k < 2; ++k) {
        spec.mins[k] =
            std::min(spec.mins[k], static_cast<float>(std::floor((facts.lo[k] - 64) / 64) * 64));
        spec.maxs[k] =
            std::max(spec.maxs[k], static_cast<float>(std::ceil((facts.hi[k] + 64) / 64) * 64));
    }
    spec.mins[2] = std::min(0.0f, static_cast<float>(std::floor((facts.lo[2] - 24) / 64) * 64));
    spec.maxs[2] = std::max(512.0f, static_cast<float>(std::ceil((facts.hi[2] + 160) / 64) * 64));
    spec.sky = facts.sky;
    spec.spawnPoints = facts.firstPositions;
    for (float x = spec.mins[0] + 256; x < spec.maxs[0]; x += 512) {
        for (float y = spec.mins[1] + 256; y < spec.maxs[1]; y += 512) {
            spec.lights.push_back({x, y, spec.maxs[2] - 160});
        }
    }
    for (const fx::BrushModelPlacement& b : facts.brushModels) {
        InlineBox box;
        box.number = b.inlineNumber;
        box.texture = "sample/metal";
        // Plats are slabs, doors panels that slide along x, rotators cubes. A rotator turns
        // about its entity origin, which the demo sends as 0: its cube stands on that axis.
        const float c[3] = {b.rotates ? 0.0f : static_cast<float>(b.centre[0]),
                            b.rotates ? 0.0f : static_cast<float>(b.centre[1]),
                            static_cast<float>(b.centre[2])};
        const float half[3] = {b.rotates          ? 32.0f
                               : b.travel[0] != 0 ? 64.0f
                                                  : 64.0f,
                               b.rotates          ? 32.0f
                               : b.travel[0] != 0 ? 8.0f
                                                  : 64.0f,
                               b.rotates          ? 32.0f
                               : b.travel[0] != 0 ? 64.0f
                                                  : 8.0f};
        for (int k = 0; k < 3; ++k) {
            box.mins[k] = c[k] - half[k];
            box.maxs[k] = c[k] + half[k];
        }
        spec.inlineModels.push_back(box);
    }
    std::sort(spec.inlineModels.begin(), spec.inlineModels.end(),
              [](const InlineBox& a, const InlineBox& b) { return a.number < b.number; });
    for (std::size_t i = 0; i < spec.inlineModels.size(); ++i) {
        if (spec.inlineModels[i].number != static_cast<int>(i) + 1) {
            throw std::runtime_error("the demo's inline models are not numbered 1, 2, 3 ...");
        }
    }
    return spec;
}

std::string Folder(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

Shape ShapeOf(const std::string& path) {
    if (path.find("players/") == 0 && path.find("/tris.md2") != std::string::npos) {
        return Shape::Person;
    }
    if (path.find("quaddama") != std::string::npos) {
        return Shape::Diamond;
    }
    if (path.find("/weapons/") != std::string::npos || path.find("/w_") != std::string::npos) {
        return Shape::Gun;
    }
    if (path.find("banner") != std::string::npos) {
        return Shape::Banner;
    }
    if (path.find("rocket/") != std::string::npos || path.find("grenade") != std::string::npos ||
        path.find("laser") != std::string::npos) {
        return Shape::Rod;
    }
    return Shape::Crate;
}

// Stores a file after reading it back through its reader, so a fault in a writer stops the
// build instead of shipping a broken archive.
class Archive {
  public:
    explicit Archive(std::string name) : m_name(std::move(name)) {}

    void Picture(const std::string& path, const formats::Pcx& p) {
        Store(path, formats::WritePcx(p), [](formats::Bytes b, std::string& e) {
            formats::Pcx x;
            return formats::ReadPcx(b, x, e);
        });
    }
    void Texture(const formats::Wal& w) {
        Store("textures/" + w.name + ".wal", formats::WriteWal(w),
              [](formats::Bytes b, std::string& e) {
                  formats::Wal x;
                  return formats::ReadWal(b, x, e);
              });
    }
    void Model(const std::string& path, const formats::Md2& m) {
        Store(path, formats::WriteMd2(m), [](formats::Bytes b, std::string& e) {
            formats::Md2 x;
            return formats::ReadMd2(b, x, e);
        });
    }
    void Map(const std::string& path, const formats::Bsp& bsp) {
        Store(path, formats::WriteBsp(bsp), [](formats::Bytes b, std::string& e) {
            formats::Bsp x;
            return formats::ReadBsp(b, x, e);
        });
    }
    bool Has(const std::string& path) const { return m_paths.count(path) != 0; }
    void Write(const std::string& file) const {
        if (!m_pak.WriteFile(file)) {
            throw std::runtime_error("cannot write " + file);
        }
        std::printf("%s: %zu files\n", file.c_str(), m_pak.Count());
    }

  private:
    template <class Check>
    void Store(const std::string& path, std::vector<std::uint8_t> bytes, Check check) {
        if (Has(path)) {
            return;
        }
        std::string error;
        if (!check(formats::Bytes(bytes), error)) {
            throw std::runtime_error(m_name + ": " + path + " does not read back: " + error);
        }
        if (!m_pak.Add(path, std::move(bytes))) {
            throw std::runtime_error(m_name + ": the name " + path + " is too long");
        }
        m_paths.insert(path);
    }

    std::string m_name;
    formats::PakWriter m_pak;
    std::set<std::string> m_paths;
};

void AddModel(Archive& pak, const formats::Palette& palette, const std::string& path, int frames,
              unsigned& seed) {
    const std::string skin = Folder(path) + "/skin.pcx";
    pak.Model(path, MakeModel(ShapeOf(path), frames, skin));
    pak.Picture(skin, MakeSkin(palette, 64, 64, static_cast<int>(1 + seed % 14),
                               static_cast<int>(1 + (seed * 7 + 3) % 14), seed));
    ++seed;
}

void MakeSamplePak(const std::string& file) {
    const DemoFacts facts = StudyDemo();
    const formats::Palette palette = MakePalette();
    Archive pak("sample.pak");

    const std::string mapName =
        facts.configStrings.count(CS_MODELS + 1) ? facts.configStrings.at(CS_MODELS + 1) : "";
    if (mapName.empty()) {
        throw std::runtime_error("the sample demo names no map");
    }
    pak.Map(mapName, BuildArena(FitArena(facts)));
    pak.Picture("pics/colormap.pcx", MakeColormap(palette));
    pak.Picture("pics/conchars.pcx", MakeConchars(palette));
    for (const char* face : {"rt", "bk", "lf", "ft", "up", "dn"}) {
        pak.Picture("env/" + facts.sky + face + ".pcx", MakeSkyFace(palette, face));
    }
    pak.Texture(MakeTexture(palette, "sample/floor", Pattern::Tiles, 2, 0));
    pak.Texture(MakeTexture(palette, "sample/wall", Pattern::Bricks, 13, 0));
    pak.Texture(MakeTexture(palette, "sample/metal", Pattern::Plates, 12, 0));
    pak.Texture(MakeTexture(palette, "sample/water", Pattern::Water, 8,
                            formats::SURF_WARP | formats::SURF_TRANS66));
    pak.Texture(MakeTexture(palette, "sample/sky", Pattern::Sky, 14, formats::SURF_SKY));

    // Player models: each model folder a player skin names, with its weapon models.
    std::set<std::string> playerFolders = {"male"};
    for (const std::string& skin : facts.playerSkins) {
        playerFolders.insert(skin.substr(0, skin.find('/')));
    }
    const int playerFrames = std::max(kPlayerFrames, facts.lastPlayerFrame + 1);
    unsigned seed = 1;
    for (const std::string& folder : playerFolders) {
        const std::string base = "players/" + folder;
        // The model's own skin is the first the players wear with it.
        std::string skin = base + "/grunt.pcx";
        for (const std::string& worn : facts.playerSkins) {
            if (worn.substr(0, worn.find('/')) == folder) {
                skin = "players/" + worn + ".pcx";
                break;
            }
        }
        formats::Md2 body = MakeModel(Shape::Person, playerFrames, skin);
        pak.Model(base + "/tris.md2", body);
    }
    for (const std::string& skin : facts.playerSkins) {
        pak.Picture("players/" + skin + ".pcx",
                    MakeSkin(palette, 64, 64, static_cast<int>(1 + seed % 14),
                             static_cast<int>(1 + (seed * 5) % 14), seed));
        ++seed;
    }
    for (int i = CS_MODELS + 2; i < CS_MODELS + 256; ++i) {
        const auto it = facts.configStrings.find(i);
        if (it == facts.configStrings.end() || it->second.empty() || it->second[0] == '*') {
            continue;
        }
        const std::string& name = it->second;
        if (name[0] == '#') { // a weapon the player models hold
            for (const std::string& folder : playerFolders) {
                AddModel(pak, palette, "players/" + folder + "/" + name.substr(1), playerFrames,
                         seed);
            }
            continue;
        }
        const bool view = name.find("/v_") != std::string::npos;
        const auto frames = facts.lastFrame.find(i - CS_MODELS);
        const int shown = frames == facts.lastFrame.end() ? 0 : frames->second;
        const int count = name.find("players/") == 0 ? playerFrames
                          : view                     ? std::max(64, facts.lastGunFrame + 1)
                                                     : std::max(16, shown + 1);
        AddModel(pak, palette, name, count, seed);
    }
    // The images of the status bar and the scoreboard.
    for (int i = CS_IMAGES + 1; i < CS_IMAGES + 256; ++i) {
        const auto it = facts.configStrings.find(i);
        if (it != facts.configStrings.end() && !it->second.empty()) {
            pak.Picture("pics/" + it->second + ".pcx",
                        MakeSkin(palette, 24, 24, static_cast<int>(1 + i % 14), 0,
                                 static_cast<unsigned>(i)));
        }
    }
    pak.Write(file);
}

void MakeCineradPak(const std::string& file) {
    const formats::Palette palette = MakePalette();
    Archive pak("cinerad.pak");
    for (int n = 1; n <= 10; ++n) {
        pak.Picture("skins/skin" + std::to_string(n) + ".pcx", MakeMarkerSkin(palette, n));
    }
    pak.Write(file);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make-game-data SAMPLE.pak CINERAD.pak\n");
        return 2;
    }
    try {
        MakeSamplePak(argv[1]);
        MakeCineradPak(argv[2]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make-game-data: %s\n", e.what());
        return 1;
    }
    return 0;
}
