#include "editor/removal.h"

#include "demo/demo_check.h"
#include "demo/edit_transaction.h"
#include "demo/tresk_doc.h"
#include "editor/block_edit.h"
#include "editor/search.h"
#include "editor/selection_frames.h"
#include "editor/tresk_view.h"
#include "editor/ui.h"

#include <functional>

namespace {

std::string Occurances(uint32_t n) {
    return std::to_string(n) + " occurances";
}

// The messages the game needs to start the demo, which no removal takes: block 1's serverdata,
// and each stufftext that runs "precache" (without it the game never loads the map, and the
// demo stays on its loading screen).
bool NeededToStart(const DemoMessage& m, const DemoMessage* serverData) {
    if (&m == serverData) {
        return true;
    }
    const auto* text = MessageCast<TextMessage>(&m);
    return text != nullptr && m.type == svc_stufftext && RunsPrecache(text->text);
}

// Deletes every message of the selection that `matches` with the view's DeleteMessage, as one
// edit, keeping those the game needs to start. The selection's end is fixed first and follows
// the blocks deletions take away.
uint32_t RemoveMessages(CTreskView& view, const std::function<bool(const DemoMessage&)>& matches,
                        const std::string& label) {
    CTreskDoc& doc = view.Document();
    view.ApplyMessagePage();
    const DemoMessage* serverData = doc.FirstBlock()->FirstMessage();
    const uint32_t first = view.CurrentBlockNumber();
    uint32_t last = std::min(first + view.SelectionCount() - 1, doc.blockCount);
    EditTransaction edit(doc, EditSpan(doc, first, last), view.Place());
    uint32_t removed = 0;
    DemoBlock* block = doc.BlockAt(first);
    for (uint32_t b = first; block != nullptr && b <= last;) {
        DemoBlock* following = block->next;
        bool blockGone = false;
        for (uint32_t n = 1; n <= block->MessageCount();) {
            const DemoMessage* m = block->MessageAt(n);
            if (NeededToStart(*m, serverData) || !matches(*m)) {
                ++n;
                continue;
            }
            auto number = static_cast<uint16_t>(std::min<uint32_t>(n, UINT16_MAX));
            const DeleteKind kind = view.DeleteMessage(block, number, b);
            if (kind == kNothingDeleted) {
                ++n; // frame data, or the demo's last message: it stays
                continue;
            }
            ++removed;
            if (kind == kBlockDeleted) {
                blockGone = true;
                break;
            }
        }
        block = following;
        if (blockGone) {
            --last; // the next block took this one's number
        } else {
            ++b;
        }
    }
    view.SetBlockCount(doc.blockCount);
    view.SetSelectionCount(last >= first ? last - first + 1 : 1);
    view.CommitEdit(edit, label + " (" + std::to_string(removed) + " messages)");
    view.RefreshView();
    return removed;
}

// Makes the entities that `matches` absent over the selection, as one edit.
uint32_t RemoveEntities(CTreskView& view, const std::function<bool(const EntityState&)>& matches,
                        const std::string& label) {
    CTreskDoc& doc = view.Document();
    view.ApplyMessagePage();
    const uint32_t first = view.CurrentBlockNumber();
    const uint32_t last = std::min(first + view.SelectionCount() - 1, doc.blockCount);
    // Through the first frame after the selection, where the entities show again.
    const BlockSpan span = EditSpan(doc, first, last);
    std::vector<SelectedFrame> frames =
        SelectedFrames(doc, first, span.first + span.count - first, kAllEntities);
    EditTransaction edit(doc, span, view.Place());
    const uint32_t removed = RemoveEntitiesBefore(frames, last + 1, matches);
    view.CommitEdit(edit, label + " (" + std::to_string(removed) + " records)");
    return removed;
}

bool AskText(CTreskView& view, const std::string& preset, std::string& text) {
    TextEntryDlgData data;
    data.text = preset;
    if (!view.GetUi().RunTextEntryDlg(data)) {
        return false;
    }
    text = data.text;
    return true;
}

} // namespace

uint32_t RemoveByKeyword(CTreskView& view, const std::string& keyword) {
    if (!view.HasCurrentBlock()) {
        return 0;
    }
    return RemoveMessages(
        view, [&keyword](const DemoMessage& m) { return TextMatches(m, keyword); },
        "Remove \"" + keyword + "\"");
}

uint32_t RemoveByType(CTreskView& view, int32_t type) {
    if (!view.HasCurrentBlock()) {
        return 0;
    }
    if (type == svc_playerinfo || type == svc_packetentities) {
        view.GetUi().ShowMessage("A frame's player state and entities can't be removed on their "
                                 "own: the game would refuse the frames. Remove the frames "
                                 "(type 20), or entities by number.");
        return 0;
    }
    return RemoveMessages(
        view, [type](const DemoMessage& m) { return TypeMatches(m, type); },
        "Remove type " + std::to_string(type));
}

uint32_t RemoveByEntity(CTreskView& view, int32_t entity) {
    if (!view.HasCurrentBlock() || entity < 1 || entity > kMaxEntityNumber) {
        return 0;
    }
    const uint32_t n = RemoveEntities(
        view, [entity](const EntityState& e) { return e.number == entity; },
        "Remove entity " + std::to_string(entity));
    view.GetUi().ShowMessage("Operation successful.  Removed " + Occurances(n) + " of entity " +
                             std::to_string(entity) + ".");
    view.RefreshView();
    return n;
}

uint32_t RemoveByModelKeyword(CTreskView& view, const std::string& keyword) {
    if (!view.HasCurrentBlock()) {
        return 0;
    }
    const ConfigStringTable models =
        NamesInDemo(view.Document(), view.Document().modelTable, kModelBase);
    const int slot = FirstSlotContaining(models, keyword);
    if (slot < 0) {
        view.GetUi().ShowMessage("No result was found.");
        return 0;
    }
    const std::string name = models.Entry(slot);
    view.GetUi().ShowMessage(ModelFoundText(slot + 1, name));
    const int model = slot + 1;
    const uint32_t n = RemoveEntities(
        view, [model](const EntityState& e) { return e.modelindex == model; },
        "Remove model " + name);
    view.GetUi().ShowMessage("Operation successful.  Removed " + Occurances(n) + " of " + name +
                             ".");
    view.RefreshView();
    return n;
}

uint32_t RemoveBySoundKeyword(CTreskView& view, const std::string& keyword) {
    if (!view.HasCurrentBlock()) {
        return 0;
    }
    const ConfigStringTable sounds =
        NamesInDemo(view.Document(), view.Document().soundTable, kSoundBase);
    const int slot = FirstSlotContaining(sounds, keyword);
    if (slot < 0) {
        view.GetUi().ShowMessage("No result was found.");
        return 0;
    }
    const std::string name = sounds.Entry(slot);
    view.GetUi().ShowMessage("Found a match! soundnum " + std::to_string(slot + 1) + ", '" + name +
                             "'.");
    const int sound = slot + 1;
    const uint32_t n = RemoveMessages(
        view,
        [sound](const DemoMessage& m) {
            const auto* s = MessageCast<SoundMessage>(&m);
            return s != nullptr && s->soundnum == sound;
        },
        "Remove sound " + name);
    view.GetUi().ShowMessage("Operation successful.  Removed " + Occurances(n) + " of the sound " +
                             name + ".");
    return n;
}

void OnRemoveByKeyword(CTreskView& view) {
    std::string text;
    if (view.HasCurrentBlock() && AskText(view, "", text)) {
        RemoveByKeyword(view, text);
    }
}

void OnRemoveByType(CTreskView& view) {
    if (!view.HasCurrentBlock()) {
        return;
    }
    MessageTypeDlgData data;
    data.text = "Enter message type to REMOVE";
    if (view.GetUi().RunMessageTypeDlg(data)) {
        RemoveByType(view, data.chosenType);
    }
}

void OnRemoveByEntity(CTreskView& view) {
    if (!view.HasCurrentBlock()) {
        return;
    }
    NumberDlgData data;
    data.number = 1;
    if (view.GetUi().RunNumberDlg(data) &&
        CheckEntityNumber(view.GetUi(),
                          static_cast<int32_t>(std::min<uint32_t>(data.number, 1u << 30)))) {
        RemoveByEntity(view, static_cast<int32_t>(data.number));
    }
}

void OnRemoveByModelKeyword(CTreskView& view) {
    std::string text;
    if (view.HasCurrentBlock() && AskText(view, "backpack", text)) {
        RemoveByModelKeyword(view, text);
    }
}

void OnRemoveBySoundKeyword(CTreskView& view) {
    std::string text;
    if (view.HasCurrentBlock() && AskText(view, "armor", text)) {
        RemoveBySoundKeyword(view, text);
    }
}
