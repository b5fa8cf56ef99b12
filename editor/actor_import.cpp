#include "editor/actor_import.h"

#include "demo/edit_transaction.h"
#include "demo/frame_timeline.h"
#include "demo/tresk_doc.h"
#include "editor/block_edit.h"
#include "editor/selection_frames.h"
#include "editor/special_buffer.h"
#include "editor/tresk_view.h"
#include "editor/ui.h"

#include <algorithm>
#include <bitset>
#include <optional>
#include <utility>

const char* const kNoSkinText =
    "ERROR:  Corresponding skin for this entity does not exist!  Check view/demoinfo - skins.";
const char* const kNoBaselineText = "Could not find the spawnentity message for your chosen "
                                    "entity #.  Check the entity # and try again.";
const char* const kSpecialBufferEmptyText = "Buffer is empty! Use 'Copy Special' first...";
const char* const kClosePreviewText = "Please close the 3D Preview first...";
const char* const kNoPlayBlockText = "This demo has no block of play to import the actor into.";
const char* const kSkinTableFullText =
    "The player skin table of this demo is full: the actor cannot become a new player.";
const char* const kNoFreeEntityText =
    "No entity number from 400 to 1023 is free in this demo: the actor cannot be imported.";
const char* const kNoTableRoomText = "The model or sound table of this demo has no room for the "
                                     "models and sounds the actor needs.";

std::string ActorImportedText(int32_t entity) {
    return "Actor successfully imported as entity #" + std::to_string(entity) + ".";
}

std::string PlayerNumberUsedText(int32_t entity) {
    return "The new player would be entity #" + std::to_string(entity) +
           ", which this demo already uses: the actor cannot be imported.";
}

namespace {

constexpr int kInlineModelMark = '*';
// Model index 255 draws the player model of the entity's skin: it names no table entry.
constexpr uint8_t kPlayerModelIndex = 255;
constexpr int kHighestModelIndex = 254;
constexpr int kHighestSoundIndex = 255;

using EntityNumbers = std::bitset<kMaxEntities>;

// Every entity number the demo's baselines and frames use.
EntityNumbers UsedNumbers(const CTreskDoc& doc) {
    EntityNumbers used;
    for (const DemoBlock* b = doc.FirstBlock(); b != nullptr; b = b->next) {
        for (const DemoMessage* m = b->FirstMessage(); m != nullptr; m = m->next) {
            const auto* e = MessageCast<EntityMessage>(m);
            if (e != nullptr && e->state.number < kMaxEntities) {
                used.set(e->state.number);
            }
        }
    }
    used.reset(0); // the terminator of every frame's entities
    return used;
}

// The first slot of a table that neither the signon nor a configstring record during play
// fills: records of play may name models and sounds past the signon's last entry.
int FirstUnusedSlot(const CTreskDoc& doc, const ConfigStringTable& table, int base) {
    int first = table.Count();
    for (const DemoBlock* b = doc.FirstBlock(); b != nullptr; b = b->next) {
        for (const DemoMessage* m = b->FirstMessage(); m != nullptr; m = m->next) {
            const auto* cs = MessageCast<ConfigStringMessage>(m);
            if (cs != nullptr && cs->index >= base && cs->index < base + table.Slots()) {
                first = std::max(first, cs->index - base + 1);
            }
        }
    }
    return first;
}

// Finds the target's number for each source index of one table, by the name the source gave
// it; names the target lacks are appended after the last slot in use.
class IndexMap {
  public:
    IndexMap(const std::array<std::string, kNameSlots>& names, const ConfigStringTable& target,
             int firstUnused, int highest, bool keepPlayerModel)
        : names_(names), target_(target), firstUnused_(firstUnused), highest_(highest),
          keepPlayerModel_(keepPlayerModel) {
        for (int i = 0; i < kNameSlots; ++i) {
            map_[i] = static_cast<uint8_t>(i);
        }
    }

    // False when the name has no room left in the target.
    bool Need(uint8_t index) {
        if (index == 0 || done_[index] || (keepPlayerModel_ && index == kPlayerModelIndex)) {
            return true;
        }
        done_[index] = true;
        const std::string& name = names_[index - 1];
        if (name.empty() || name[0] == kInlineModelMark || target_.Entry(index - 1) == name) {
            return true; // nothing to go by, the map's own brush model, or the same entry
        }
        for (int slot = 0; slot < target_.Count(); ++slot) {
            if (target_.Entry(slot) == name) {
                map_[index] = static_cast<uint8_t>(slot + 1);
                return true;
            }
        }
        for (const auto& [slot, added] : appended_) {
            if (added == name) {
                map_[index] = static_cast<uint8_t>(slot + 1);
                return true;
            }
        }
        const int slot = firstUnused_ + static_cast<int>(appended_.size());
        if (slot + 1 > highest_) {
            return false;
        }
        appended_.emplace_back(slot, name);
        map_[index] = static_cast<uint8_t>(slot + 1);
        return true;
    }
    uint8_t operator()(uint8_t index) const { return map_[index]; }
    const std::vector<std::pair<int, std::string>>& Appended() const { return appended_; }

  private:
    const std::array<std::string, kNameSlots>& names_;
    const ConfigStringTable& target_;
    int firstUnused_;
    int highest_;
    bool keepPlayerModel_;
    std::array<uint8_t, kNameSlots> map_{};
    std::array<bool, kNameSlots> done_{};
    std::vector<std::pair<int, std::string>> appended_;
};

bool NeedIndices(const EntityState& s, IndexMap& models, IndexMap& sounds) {
    return models.Need(s.modelindex) && models.Need(s.modelindex2) && models.Need(s.modelindex3) &&
           models.Need(s.modelindex4) && sounds.Need(s.sound);
}

EntityState Mapped(EntityState s, const IndexMap& models, const IndexMap& sounds) {
    s.modelindex = models(s.modelindex);
    s.modelindex2 = models(s.modelindex2);
    s.modelindex3 = models(s.modelindex3);
    s.modelindex4 = models(s.modelindex4);
    s.sound = sounds(s.sound);
    return s;
}

// The actor's record for one target frame: its number, and for a player the model of its
// skin and the new player's index in the low 16 bits of the skin number.
EntityState ActorRecord(const CSpecialBuffer& buffer, const EntityState& state, int32_t number,
                        const IndexMap& models, const IndexMap& sounds) {
    EntityState s = Mapped(state, models, sounds);
    s.number = static_cast<uint16_t>(number);
    s.remove = 0;
    if (buffer.player) {
        s.modelindex = kPlayerModelIndex;
        s.skinnum = (s.skinnum & 0xFFFF0000u) | static_cast<uint32_t>(number - 1);
    }
    return s;
}

} // namespace

int32_t CopySpecial(CTreskView& view, CSpecialBuffer& buffer, int32_t entity) {
    buffer.Clear();
    if (!view.HasCurrentBlock()) {
        return -1;
    }
    view.ApplyMessagePage();
    CTreskDoc& doc = view.Document();
    CSpecialBuffer actor;
    if (entity <= doc.maxClients) {
        if (entity < 1 || entity > doc.skinTable.Count() ||
            doc.skinTable.Entry(entity - 1).empty()) {
            view.GetUi().ShowMessage(kNoSkinText);
            return -1;
        }
        actor.player = true;
        actor.skin = doc.skinTable.Entry(entity - 1);
    } else {
        const EntityMessage* found = nullptr;
        for (const DemoBlock* b = doc.FirstBlock();
             b != nullptr && found == nullptr && entity < kMaxEntities; b = b->next) {
            for (const DemoMessage* m = b->FirstMessage(); m != nullptr; m = m->next) {
                const auto* e = MessageCast<EntityMessage>(m);
                if (m->type == svc_spawnbaseline && e->state.number == entity) {
                    found = e;
                    break;
                }
            }
        }
        if (found == nullptr) {
            view.GetUi().ShowMessage(kNoBaselineText);
            return -1;
        }
        actor.baseline = found->state;
    }
    if (entity >= 1 && entity < kMaxEntities) {
        for (const SelectedFrame& f :
             SelectedFrames(doc, view.CurrentBlockNumber(), view.SelectionCount(),
                            static_cast<uint16_t>(entity))) {
            if (f.entity) {
                actor.states.push_back(*f.entity);
            }
        }
    }
    for (int slot = 0; slot < kNameSlots; ++slot) {
        actor.modelNames[slot] = doc.modelTable.Entry(slot);
        actor.soundNames[slot] = doc.soundTable.Entry(slot);
    }
    actor.filled = true;
    buffer = std::move(actor);
    return static_cast<int32_t>(buffer.states.size());
}

int32_t PasteSpecial(CTreskView& view, const CSpecialBuffer& buffer) {
    if (!view.HasCurrentBlock()) {
        return 0;
    }
    Ui& ui = view.GetUi();
    if (!buffer.HasActor()) {
        ui.ShowMessage(kSpecialBufferEmptyText);
        return 0;
    }
    if (view.IsPreviewOpen()) {
        ui.ShowMessage(kClosePreviewText);
        return 0;
    }
    view.ApplyMessagePage();
    CTreskDoc& doc = view.Document();
    const uint32_t firstPlay = FirstFrameBlockNumber(doc);
    if (firstPlay == 0) {
        ui.ShowMessage(kNoPlayBlockText);
        return 0;
    }

    // The entity number: a new player after the last one, or the lowest free one from 400.
    const EntityNumbers used = UsedNumbers(doc);
    int32_t number = 0;
    if (buffer.player) {
        if (doc.skinTable.Count() >= kTableSlots) {
            ui.ShowMessage(kSkinTableFullText);
            return 0;
        }
        number = doc.skinTable.Count() + 1;
        if (number >= kMaxEntities || used.test(static_cast<size_t>(number))) {
            ui.ShowMessage(PlayerNumberUsedText(number));
            return 0;
        }
    } else {
        for (int32_t n = kFirstActorEntity; n < kMaxEntities && number == 0; ++n) {
            if (!used.test(static_cast<size_t>(n))) {
                number = n;
            }
        }
        if (number == 0) {
            ui.ShowMessage(kNoFreeEntityText);
            return 0;
        }
    }

    // Every model and sound the actor shows, found or made room for in the target's tables.
    IndexMap models(buffer.modelNames, doc.modelTable,
                    FirstUnusedSlot(doc, doc.modelTable, kModelBase), kHighestModelIndex, true);
    IndexMap sounds(buffer.soundNames, doc.soundTable,
                    FirstUnusedSlot(doc, doc.soundTable, kSoundBase), kHighestSoundIndex, false);
    bool room = buffer.player || NeedIndices(buffer.baseline, models, sounds);
    for (const EntityState& s : buffer.states) {
        room = room && NeedIndices(s, models, sounds);
    }
    if (!room) {
        ui.ShowMessage(kNoTableRoomText);
        return 0;
    }

    // The target frames: from the current block on (play starts no earlier than its first
    // block), and the first frame of play when the paste starts after it, so that the actor
    // exists from the start.
    const uint32_t at = view.CurrentBlockNumber();
    const uint32_t start = std::max(at, firstPlay);
    std::vector<SelectedFrame> frames =
        SelectedFrames(doc, start, doc.blockCount - start + 1, static_cast<uint16_t>(number));
    std::vector<SelectedFrame> opening;
    if (at > firstPlay && !buffer.states.empty()) {
        opening = SelectedFrames(doc, firstPlay, 1, static_cast<uint16_t>(number));
    }
    const size_t placed = std::min(frames.size(), buffer.states.size());
    // The frame after the last record takes the actor away again, so the frames after the
    // paste show what they showed.
    SelectedFrame* leave =
        placed < frames.size() && placed > 0 && frames[placed].frame->keptWhole == nullptr
            ? &frames[placed]
            : nullptr;

    const uint32_t baselineBlock = firstPlay > 1 ? firstPlay - 1 : 1;
    uint32_t first = buffer.player ? start : std::min(baselineBlock, start);
    if (!opening.empty()) {
        first = std::min(first, opening.front().block);
    }
    uint32_t last = start;
    if (placed > 0) {
        last = std::max(last, frames[placed - 1].block);
    }
    if (leave != nullptr) {
        last = leave->block;
    }
    EditTransaction edit(doc, {first, last - first + 1}, view.Place(), true);

    if (buffer.player) {
        doc.skinTable.Set(number - 1, buffer.skin);
    } else {
        MessagePtr baseline = NewMessage(svc_spawnbaseline);
        auto& state = static_cast<EntityMessage&>(*baseline).state;
        state = Mapped(buffer.baseline, models, sounds);
        state.number = static_cast<uint16_t>(number);
        doc.BlockAt(baselineBlock)->AppendMessage(std::move(baseline));
    }
    for (const auto& [slot, name] : models.Appended()) {
        doc.modelTable.Set(slot, name);
    }
    for (const auto& [slot, name] : sounds.Appended()) {
        doc.soundTable.Set(slot, name);
    }
    if (!opening.empty()) {
        EntityState s = ActorRecord(buffer, buffer.states.front(), number, models, sounds);
        if (buffer.player) {
            s.modelindex = 0; // present from the start of play, unseen until the paste
        }
        EntityRecordIn(opening.front(), s);
    }
    for (size_t i = 0; i < placed; ++i) {
        EntityRecordIn(frames[i], ActorRecord(buffer, buffer.states[i], number, models, sounds));
    }
    if (leave != nullptr) {
        EntityState gone = ActorRecord(buffer, buffer.states[placed - 1], number, models, sounds);
        EntityRecordIn(*leave, gone).state.remove = 1;
    }
    view.CommitEdit(edit, "Paste Special: entity " + std::to_string(number));
    ui.ShowMessage(ActorImportedText(number));
    view.RefreshView();
    return number;
}

void OnCopySpecial(CTreskView& view) {
    if (view.specialBuffer == nullptr) {
        return;
    }
    CopySpecialDlgData data;
    data.entity = 1;
    if (!view.GetUi().RunCopySpecialDlg(data)) {
        return;
    }
    CopySpecial(view, *view.specialBuffer, data.entity);
}

void OnPasteSpecial(CTreskView& view) {
    if (view.specialBuffer != nullptr) {
        PasteSpecial(view, *view.specialBuffer);
    }
}
