#include "demo_test_util.h"

#include "demo/show_message.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>

#include <sys/wait.h>

std::unique_ptr<CTreskDoc> DecodedDoc(const fx::Bytes& file) {
    auto doc = std::make_unique<CTreskDoc>();
    doc->LoadFromBytes(file.data(), file.size());
    doc->DecodeAll();
    doc->firstFrameBlock = doc->FindFirstPlayBlock();
    return doc;
}

std::vector<const DemoMessage*> Records(const DemoBlock* block) {
    std::vector<const DemoMessage*> out;
    for (const DemoMessage* m = block ? block->FirstMessage() : nullptr; m; m = m->next) {
        out.push_back(m);
    }
    return out;
}

namespace {

#define SAME(field)                                                                                \
    if (!(x.field == y.field)) {                                                                   \
        if (why) {                                                                                 \
            *why = #field;                                                                         \
        }                                                                                          \
        return false;                                                                              \
    }
#define SAME3(field) SAME(field[0]) SAME(field[1]) SAME(field[2])

bool SameEntity(const EntityState& x, const EntityState& y, std::string* why) {
    SAME(number)
    SAME(modelindex)
    SAME(modelindex2)
    SAME(modelindex3) SAME(modelindex4) SAME(frame) SAME(skinnum) SAME(effects) SAME(renderfx)
        SAME3(origin) SAME3(angles) SAME3(old_origin) SAME(sound) SAME(event) SAME(solid)
            SAME(remove) return true;
}

bool SamePlayer(const PlayerState& x, const PlayerState& y, std::string* why) {
    SAME(pm_type)
    SAME3(origin)
    SAME3(velocity)
    SAME(pm_time) SAME(pm_flags) SAME(gravity) SAME3(delta_angles) SAME3(viewoffset)
        SAME3(viewangles) SAME3(kick_angles) SAME(gunindex) SAME(gunframe) SAME3(gunoffset)
            SAME3(gunangles) SAME(blend[0]) SAME(blend[1]) SAME(blend[2]) SAME(blend[3]) SAME(fov)
                SAME(rdflags) SAME(statsMask) for (int i = 0; i < kMaxStats; ++i) {
        SAME(stats[i])
    }
    return true;
}

} // namespace

bool SameRecord(const DemoMessage& a, const DemoMessage& b, std::string* why) {
    if (a.type != b.type) {
        if (why) {
            *why = "type";
        }
        return false;
    }
    if (auto* x0 = MessageCast<MuzzleFlashMessage>(&a)) {
        auto& x = *x0;
        auto& y = *MessageCast<MuzzleFlashMessage>(&b);
        SAME(entity) SAME(weapon)
    } else if (auto* x1 = MessageCast<TempEntityMessage>(&a)) {
        auto& x = *x1;
        auto& y = *MessageCast<TempEntityMessage>(&b);
        SAME(subtype)
        SAME(entity)
        SAME3(position)
        SAME3(end_position) SAME(direction) SAME3(offset) SAME(count) SAME(splash_color)
            SAME(sparks_color) SAME(entity2) SAME(id) SAME(magnitude) SAME(wait)
    } else if (auto* x2 = MessageCast<TextMessage>(&a)) {
        auto& x = *x2;
        auto& y = *MessageCast<TextMessage>(&b);
        SAME(text)
    } else if (auto* x3 = MessageCast<PrintMessage>(&a)) {
        auto& x = *x3;
        auto& y = *MessageCast<PrintMessage>(&b);
        SAME(level) SAME(text)
    } else if (auto* x4 = MessageCast<InventoryMessage>(&a)) {
        auto& x = *x4;
        auto& y = *MessageCast<InventoryMessage>(&b);
        for (int i = 0; i < kInventoryItems; ++i) {
            SAME(counts[i])
        }
    } else if (auto* x5 = MessageCast<SoundMessage>(&a)) {
        auto& x = *x5;
        auto& y = *MessageCast<SoundMessage>(&b);
        SAME(flags)
        SAME(soundnum)
        SAME(volume) SAME(attenuation) SAME(channel) SAME3(origin) SAME(entity) SAME(time_offset)
    } else if (auto* x6 = MessageCast<ServerDataMessage>(&a)) {
        auto& x = *x6;
        auto& y = *MessageCast<ServerDataMessage>(&b);
        SAME(protocol)
        SAME(server_count) SAME(attract_loop) SAME(game_dir) SAME(player_number) SAME(level_name)
    } else if (auto* x7 = MessageCast<ConfigStringMessage>(&a)) {
        auto& x = *x7;
        auto& y = *MessageCast<ConfigStringMessage>(&b);
        SAME(index) SAME(value)
    } else if (auto* x8 = MessageCast<EntityMessage>(&a)) {
        return SameEntity(x8->state, MessageCast<EntityMessage>(&b)->state, why);
    } else if (auto* x9 = MessageCast<PlayerInfoMessage>(&a)) {
        return SamePlayer(x9->state, MessageCast<PlayerInfoMessage>(&b)->state, why);
    } else if (auto* x10 = MessageCast<FrameMessage>(&a)) {
        auto& x = *x10;
        auto& y = *MessageCast<FrameMessage>(&b);
        SAME(server_frame)
        SAME(delta_frame)
        SAME(suppress_count) SAME(area_bits_length) for (int i = 0; i < x.area_bits_length; ++i) {
            SAME(AreaBit(i))
        }
    }
    return true;
}

fx::Bytes SavedBytes(CTreskDoc& doc) {
    VectorSink sink;
    doc.SaveTo(sink);
    return sink.bytes;
}

std::vector<fx::Bytes> BlocksOf(const fx::Bytes& file) {
    std::vector<fx::Bytes> blocks;
    size_t pos = 0;
    while (pos + 4 <= file.size()) {
        uint32_t len = file[pos] | file[pos + 1] << 8 | file[pos + 2] << 16 |
                       static_cast<uint32_t>(file[pos + 3]) << 24;
        pos += 4;
        if (len == 0xFFFFFFFF || pos + len > file.size()) {
            break;
        }
        blocks.emplace_back(file.begin() + pos, file.begin() + pos + len);
        pos += len;
    }
    return blocks;
}

ShownMessages::ShownMessages() {
    previous_ = SetShowMessageHandler([this](const std::string& t) { texts_.push_back(t); });
}

ShownMessages::~ShownMessages() {
    SetShowMessageHandler(previous_);
}

fx::Bytes ServerDataMsg(int protocol, int playerNum) {
    fx::ServerData sd;
    sd.protocol = protocol;
    sd.playerNum = static_cast<int16_t>(playerNum);
    sd.levelName = "Test Level";
    return fx::Msg::ServerData(sd);
}

fx::Bytes SignonWith(const std::vector<fx::EntityDelta>& baselines) {
    fx::Bytes signon = fx::Msg::StuffText("precache\n");
    for (const fx::EntityDelta& b : baselines) {
        signon = fx::Cat({signon, fx::Msg::SpawnBaseline(b)});
    }
    return signon;
}

std::vector<std::filesystem::path> CorpusDemos() {
    namespace fs = std::filesystem;
    std::vector<fs::path> demos;
    fs::path dir = fs::path(CINERAD_CORPUS_DIR) / "demos";
    if (fs::is_directory(dir)) {
        for (const auto& entry : fs::directory_iterator(dir)) {
            if (entry.path().extension() == ".dm2") {
                demos.push_back(entry.path());
            }
        }
    }
    std::sort(demos.begin(), demos.end());
    return demos;
}

bool HaveReferenceDecoder() {
    return std::filesystem::exists(Q2REF_TOOL) && std::system("python3 -c '' 2>/dev/null") == 0;
}

int OrdinalOfBlock(const std::filesystem::path& demo, uint32_t block) {
    const std::string command = "python3 " + Quoted(Q2REF_TOOL) + " states " +
                                Quoted(demo.string()) +
                                " | python3 -c 'import sys, json\n"
                                "for line in sys.stdin:\n"
                                "    r = json.loads(line)\n"
                                "    if r.get(\"block\", -1) + 1 == " +
                                std::to_string(block) + ": print(r[\"i\"]); break'";
    std::istringstream in(Output(command));
    int ordinal = -1;
    in >> ordinal;
    return ordinal;
}

std::string Quoted(const std::string& s) {
    return "'" + s + "'";
}

std::string Output(const std::string& command, int* rc) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return out;
    }
    std::array<char, 4096> buffer{};
    size_t n = 0;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
        out.append(buffer.data(), n);
    }
    int status = pclose(pipe);
    if (rc != nullptr) {
        *rc = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    return out;
}
