#include "editor/selection_frames.h"

#include "demo/frame_timeline.h"
#include "demo/tresk_doc.h"

#include <algorithm>

namespace {

std::optional<EntityState> Find(const EntitySet& set, uint16_t number) {
    auto it = std::lower_bound(set.begin(), set.end(), number,
                               [](const EntityState& e, uint16_t n) { return e.number < n; });
    if (it == set.end() || it->number != number) {
        return std::nullopt;
    }
    return *it;
}

} // namespace

EntityMessage* EntityRecordOf(const FrameMessage& frame, uint16_t number) {
    const DemoMessage* m = frame.next;
    if (m != nullptr && m->type == svc_playerinfo) {
        m = m->next;
    }
    for (; m != nullptr && m->type == svc_packetentities; m = m->next) {
        auto* e = const_cast<EntityMessage*>(static_cast<const EntityMessage*>(m));
        if (e->state.number == 0) {
            break;
        }
        if (e->state.number == number && e->state.remove == 0) {
            return e;
        }
    }
    return nullptr;
}

std::vector<SelectedFrame> SelectedFrames(CTreskDoc& doc, uint32_t first, uint32_t count,
                                          uint16_t entity) {
    std::vector<SelectedFrame> frames;
    FrameTimeline timeline;
    const uint64_t last = uint64_t{first} + count - 1;
    uint32_t n = 1;
    for (DemoBlock* b = doc.FirstBlock(); b != nullptr && n <= last; b = b->next, ++n) {
        FrameMessage* shown = n >= first ? FirstCompleteFrame(*b) : nullptr;
        for (const DemoMessage* m = b->FirstMessage(); m != nullptr; m = m->next) {
            timeline.Apply(*m);
            if (m != shown) {
                continue;
            }
            SelectedFrame f;
            f.block = n;
            f.where = b;
            f.frame = shown;
            f.player = MessageCast<PlayerInfoMessage>(shown->next);
            if (entity == kAllEntities) {
                f.shown = timeline.Shown();
            } else if (entity != 0) {
                f.entity = Find(timeline.Shown(), entity);
                f.record = f.entity ? EntityRecordOf(*shown, entity) : nullptr;
            }
            if (f.player != nullptr) {
                frames.push_back(f);
            }
        }
    }
    return frames;
}

EntityMessage& EntityRecordIn(SelectedFrame& frame, const EntityState& state) {
    if (frame.record != nullptr) {
        return *frame.record;
    }
    // After the player state and every record of a lower number, before the terminator.
    DemoMessage* after = frame.player;
    while (after->next != nullptr && after->next->type == svc_packetentities) {
        const auto& e = static_cast<const EntityMessage&>(*after->next);
        if (e.state.number == 0 || e.state.number > state.number) {
            break;
        }
        after = after->next;
    }
    MessagePtr record = NewMessage(svc_packetentities);
    auto* raw = static_cast<EntityMessage*>(record.get());
    raw->state = state;
    raw->state.remove = 0;
    frame.where->InsertMessageAfter(after, std::move(record));
    frame.record = raw;
    return *raw;
}

uint32_t EditEntityBefore(std::vector<SelectedFrame>& frames, uint32_t endBlock,
                          const std::function<void(EntityState&)>& edit) {
    uint32_t changed = 0;
    bool started = false;
    for (SelectedFrame& f : frames) {
        if (!f.entity) {
            started = false; // it left: a return starts from its own record again
            continue;
        }
        if (f.block >= endBlock) {
            // The change ends here: the entity shows as it was, sent or not.
            if (started && f.record == nullptr) {
                EntityRecordIn(f, *f.entity);
            }
            break;
        }
        ++changed;
        if (f.record == nullptr && started) {
            continue; // carried over from the changed record before it
        }
        edit(EntityRecordIn(f, *f.entity).state);
        started = true;
    }
    return changed;
}

uint32_t RemoveEntitiesBefore(std::vector<SelectedFrame>& frames, uint32_t endBlock,
                              const std::function<bool(const EntityState&)>& matches) {
    uint32_t removed = 0;
    std::vector<bool> gone(kMaxEntities, false); // made absent by an earlier frame
    for (SelectedFrame& f : frames) {
        std::vector<bool> seen(kMaxEntities, false);
        for (const EntityState& e : f.shown) {
            if (e.number >= kMaxEntities) {
                continue;
            }
            seen[e.number] = true;
            EntityMessage* record = EntityRecordOf(*f.frame, e.number);
            if (f.block >= endBlock) {
                // The entity shows again as it was, sent or not.
                if (gone[e.number] && record == nullptr) {
                    f.record = nullptr;
                    EntityRecordIn(f, e);
                }
                continue;
            }
            if (!matches(e)) {
                if (record == nullptr && gone[e.number]) {
                    f.record = nullptr;
                    EntityRecordIn(f, e); // it matches no more: it shows again
                }
                gone[e.number] = false;
                continue;
            }
            if (record != nullptr) {
                record->state.remove = 1;
                ++removed;
            } else if (!gone[e.number]) {
                f.record = nullptr;
                EntityRecordIn(f, e).state.remove = 1;
            }
            gone[e.number] = true;
        }
        if (f.block >= endBlock) {
            break;
        }
        for (size_t n = 0; n < gone.size(); ++n) {
            if (!seen[n]) {
                gone[n] = false; // it left of its own accord
            }
        }
    }
    return removed;
}
