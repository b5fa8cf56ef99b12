#include "demo_bytes.h"

#include "demo/demo_block.h"
#include "demo/frame_timeline.h"
#include "demo/signon_routing.h"

#include <string>

namespace edtest {

std::unique_ptr<CTreskDoc> LoadFile(const Bytes& file) {
    auto doc = std::make_unique<CTreskDoc>();
    doc->LoadFromBytes(file.data(), file.size());
    return doc;
}

std::unique_ptr<CTreskDoc> LoadDoc(const std::vector<Bytes>& blocks) {
    return LoadFile(fx::ContainerOf(blocks));
}

std::vector<Bytes> SampleDemo(uint32_t blocks, uint32_t firstPlay, uint32_t extraMessages) {
    std::vector<Bytes> out;
    out.push_back(
        fx::Cat({fx::Msg::ServerData({}), fx::Msg::ConfigString(kModelBase, "maps/sample1.bsp"),
                 fx::Msg::ConfigString(kSoundBase, "world/ambient.wav")}));
    for (uint32_t n = 2; n <= blocks; ++n) {
        if (firstPlay == 0 || n < firstPlay) {
            out.push_back(fx::Msg::Print(2, "signon " + std::to_string(n)));
            continue;
        }
        Bytes block = fx::Msg::Frame(static_cast<int32_t>(1000 + n), static_cast<int32_t>(999 + n));
        for (uint32_t k = 1; k <= extraMessages; ++k) {
            Bytes print = fx::Msg::Print(1, "b" + std::to_string(n) + " m" + std::to_string(k));
            block.insert(block.end(), print.begin(), print.end());
        }
        out.push_back(std::move(block));
    }
    return out;
}

std::vector<Bytes> PlayDemo(uint32_t blocks, uint32_t firstPlay) {
    std::vector<Bytes> out = SampleDemo(firstPlay - 1, 0);
    bool entity2 = false;
    bool entity3 = false;
    for (uint32_t n = firstPlay; n <= blocks; ++n) {
        const bool first = n == firstPlay;
        const auto at = static_cast<int16_t>(8 * n);
        fx::PlayerDelta player;
        player.Stat(1, static_cast<int16_t>(n));
        std::vector<fx::EntityDelta> entities;
        entities.push_back({.number = 1,
                            .bits = first ? U_ORIGIN1 | U_MODEL : U_ORIGIN1,
                            .modelindex = 1,
                            .origin = {at, 0, 0}});
        const bool want2 = n % 3 != 0;
        if (want2) {
            entities.push_back({.number = 2,
                                .bits = entity2 ? U_ORIGIN2 : U_ORIGIN2 | U_MODEL,
                                .modelindex = 2,
                                .origin = {0, at, 0}});
        } else if (entity2) {
            entities.push_back(fx::EntityDelta::Remove(2));
        }
        entity2 = want2;
        // Entity 3: there for four frames, away for four, and sent only when it comes.
        const bool want3 = (n / 4) % 2 == 0;
        if (want3 && !entity3) {
            entities.push_back({.number = 3,
                                .bits = U_ORIGIN3 | U_MODEL,
                                .modelindex = 3,
                                .origin = {0, 0, static_cast<int16_t>(8 * (n / 4))}});
        } else if (!want3 && entity3) {
            entities.push_back(fx::EntityDelta::Remove(3));
        }
        entity3 = want3;
        const auto frame = static_cast<int32_t>(1000 + n);
        out.push_back(fx::Cat({fx::Msg::Frame(frame, first ? -1 : frame - 1),
                               fx::Msg::PlayerInfo(player), fx::Msg::PacketEntities(entities),
                               fx::Msg::Print(1, "b" + std::to_string(n) + " m1")}));
    }
    return out;
}

namespace {

// The n a shown frame stands for, or -1.
int PlayFrameNumber(const EntitySet& shown, const PlayerInfoMessage* player) {
    if (player == nullptr || shown.empty() || shown[0].number != 1) {
        return -1;
    }
    const int n = player->state.stats[1];
    if (shown[0].origin[0] != 8 * n) {
        return -1;
    }
    std::vector<EntityState> rest(shown.begin() + 1, shown.end());
    if (n % 3 != 0) {
        if (rest.empty() || rest[0].number != 2 || rest[0].origin[1] != 8 * n) {
            return -1;
        }
        rest.erase(rest.begin());
    }
    if ((n / 4) % 2 == 0) {
        if (rest.empty() || rest[0].number != 3 || rest[0].origin[2] != 8 * (n / 4)) {
            return -1;
        }
        rest.erase(rest.begin());
    }
    return rest.empty() ? n : -1;
}

} // namespace

// Calls fn(timeline, frame) at each complete frame of the document, in its order, with the
// timeline standing at that frame.
template <class F> void ForEachCompleteFrame(const CTreskDoc& doc, F&& fn) {
    FrameTimeline timeline;
    for (const DemoBlock* b = doc.FirstBlock(); b != nullptr; b = b->next) {
        for (const DemoMessage* m = b->FirstMessage(); m != nullptr; m = m->next) {
            timeline.Apply(*m);
            const auto* f = MessageCast<FrameMessage>(m);
            if (f != nullptr && f->complete) {
                fn(timeline, *f);
            }
        }
    }
}

std::vector<int> ShownPlayFrames(const CTreskDoc& doc) {
    std::vector<int> out;
    ForEachCompleteFrame(doc, [&](const FrameTimeline& timeline, const FrameMessage& f) {
        out.push_back(f.valid ? PlayFrameNumber(timeline.Shown(), FramePlayer(f)) : -1);
    });
    return out;
}

std::vector<std::string> HeldConfigStrings(const CTreskDoc& doc, int index) {
    std::vector<std::string> out;
    ForEachCompleteFrame(doc, [&](const FrameTimeline& timeline, const FrameMessage&) {
        auto held = timeline.ConfigStrings().find(static_cast<uint16_t>(index));
        out.push_back(held != timeline.ConfigStrings().end() ? held->second
                                                             : SignonConfigString(doc, index));
    });
    return out;
}

} // namespace edtest
