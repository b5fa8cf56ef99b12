#include "frame_timeline.h"

#include "demo_block.h"
#include "entity_codec.h"

#include <map>

FrameMessage* FirstCompleteFrame(const DemoBlock& block) {
    for (DemoMessage* m = block.FirstMessage(); m != nullptr; m = m->next) {
        if (auto* f = MessageCast<FrameMessage>(m); f != nullptr && f->complete) {
            return f;
        }
    }
    return nullptr;
}

const PlayerInfoMessage* FramePlayer(const FrameMessage& frame) {
    return MessageCast<PlayerInfoMessage>(frame.next);
}

void FrameTimeline::StartMap() {
    shown_.clear();
    configStrings_.clear();
}

const EntitySet& FrameTimeline::ShowFrame(const FrameMessage& frame) {
    if (frame.keptWhole != nullptr) {
        configStrings_ = frame.keptWhole->configStrings;
    }
    const EntitySet& base = BaseFor(frame);
    next_.clear();
    next_.reserve(base.size() + 64);
    size_t i = 0;
    const bool ordered = ForEachOrderedFrameEntity(frame, [&](const EntityState& r) {
        size_t end = i;
        while (end < base.size() && base[end].number < r.number) {
            ++end;
        }
        AppendCarried(next_, base, i, end);
        i = end;
        if (i < base.size() && base[i].number == r.number) {
            ++i;
        }
        if (!r.remove) {
            next_.push_back(r);
            next_.back().remove = 0;
        }
    });
    if (ordered) {
        AppendCarried(next_, base, i, base.size());
    } else {
        // Records out of order (an edit renumbered one): apply them one by one, later wins.
        std::map<uint16_t, EntityState> byNumber;
        for (const EntityState& s : base) {
            byNumber[s.number] = CarriedEntity(s);
        }
        ForEachFrameEntity(frame, [&](const EntityState& r) {
            if (!HasSlot(r.number)) {
                return;
            }
            if (r.remove) {
                byNumber.erase(r.number);
            } else {
                byNumber[r.number] = r;
                byNumber[r.number].remove = 0;
            }
        });
        next_.clear();
        for (const auto& [number, s] : byNumber) {
            next_.push_back(s);
        }
    }
    shown_.swap(next_);
    return shown_;
}

void FrameTimeline::Apply(const DemoMessage& m) {
    switch (m.type) {
    case svc_serverdata:
        StartMap();
        break;
    case svc_frame:
        if (const auto& f = static_cast<const FrameMessage&>(m); f.complete) {
            ShowFrame(f);
        }
        break;
    case svc_configstring:
        if (const auto& cs = static_cast<const ConfigStringMessage&>(m); !cs.signon) {
            SetConfigString(configStrings_, cs.index, cs.value);
        }
        break;
    default:
        break;
    }
}

void FrameTimeline::WalkBlock(const DemoBlock& block) {
    for (const DemoMessage* m = block.FirstMessage(); m != nullptr; m = m->next) {
        Apply(*m);
    }
}

namespace {

bool StartsWalk(const DemoBlock& block) {
    for (const DemoMessage* m = block.FirstMessage(); m != nullptr; m = m->next) {
        if (m->type == svc_serverdata) {
            return true;
        }
        if (auto* f = MessageCast<FrameMessage>(m); f && f->complete && f->keptWhole) {
            return true;
        }
    }
    return false;
}

// The block a walk that must reach `block` starts from.
const DemoBlock* WalkStart(const DemoBlock& block) {
    const DemoBlock* b = block.previous;
    if (b == nullptr) {
        return &block;
    }
    while (b->previous != nullptr && !StartsWalk(*b)) {
        b = b->previous;
    }
    return b;
}

// Applies the messages of `block` that come before `stop`.
void WalkUntil(FrameTimeline& timeline, const DemoBlock& block, const DemoMessage* stop) {
    for (const DemoMessage* m = block.FirstMessage(); m != nullptr && m != stop; m = m->next) {
        timeline.Apply(*m);
    }
}

FrameSnapshotPtr SnapshotAt(const FrameTimeline& timeline, const FrameMessage& frame) {
    if (frame.keptWhole != nullptr) {
        return frame.keptWhole;
    }
    auto snapshot = std::make_shared<FrameSnapshot>();
    snapshot->base = timeline.BaseFor(frame);
    snapshot->configStrings = timeline.ConfigStrings();
    return snapshot;
}

} // namespace

FrameSnapshotPtr FrameBase(const DemoBlock& block) {
    const FrameMessage* frame = FirstCompleteFrame(block);
    if (frame == nullptr) {
        return nullptr;
    }
    if (frame->keptWhole != nullptr) {
        return frame->keptWhole;
    }
    FrameTimeline timeline;
    const DemoBlock* b = WalkStart(block);
    for (; b != &block && b != nullptr; b = b->next) {
        timeline.WalkBlock(*b);
    }
    WalkUntil(timeline, block, frame);
    return SnapshotAt(timeline, *frame);
}

void KeepFramesWhole(const std::vector<DemoBlock*>& given) {
    std::vector<DemoBlock*> blocks;
    for (DemoBlock* b : given) {
        if (b != nullptr && FirstCompleteFrame(*b) != nullptr &&
            (blocks.empty() || blocks.back() != b)) {
            blocks.push_back(b);
        }
    }
    if (blocks.empty()) {
        return;
    }
    FrameTimeline timeline;
    const DemoBlock* b = WalkStart(*blocks.front());
    size_t next = 0;
    for (; b != nullptr && next < blocks.size(); b = b->next) {
        if (b == blocks[next]) {
            FrameMessage* frame = FirstCompleteFrame(*b);
            WalkUntil(timeline, *b, frame);
            frame->keptWhole = SnapshotAt(timeline, *frame);
            for (const DemoMessage* m = frame; m != nullptr; m = m->next) {
                timeline.Apply(*m);
            }
            ++next;
        } else {
            timeline.WalkBlock(*b);
        }
    }
}
