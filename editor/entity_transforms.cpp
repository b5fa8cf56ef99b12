#include "editor/entity_transforms.h"

#include "demo/edit_transaction.h"
#include "demo/tresk_doc.h"
#include "editor/film_dialogs.h"
#include "editor/selection_frames.h"
#include "editor/tresk_view.h"
#include "editor/ui.h"

#include <algorithm>

namespace {

constexpr int kFirstStatusBarIndex = CS_STATUSBAR;      // 5
constexpr int kLastStatusBarIndex = CS_STATUSBAR + 23; // 28: 29 is no part of the layout
constexpr int32_t kHackTail = 2;

BlockSpan Selection(const CTreskView& view) {
    return {view.CurrentBlockNumber(), view.SelectionCount()};
}

uint32_t LastSelected(const CTreskView& view) {
    return view.CurrentBlockNumber() + view.SelectionCount() - 1;
}

std::string ModelName(const CTreskDoc& doc, int32_t model) {
    return model >= 1 ? doc.modelTable.Entry(model - 1) : std::string("no model");
}

bool CheckModel(Ui& ui, int32_t model, int32_t lowest) {
    if (model < lowest || model > kMaxModelIndex) {
        ui.ShowMessage("Please enter a model index between " + std::to_string(lowest) + " and " +
                       std::to_string(kMaxModelIndex) + ".");
        return false;
    }
    return true;
}

// Changes a field of an entity over the selection but its last block, as one edit.
uint32_t EditEntity(CTreskView& view, int32_t entity, const std::function<void(EntityState&)>& fn,
                    const std::string& label) {
    std::vector<SelectedFrame> frames = SelectedFrames(view.Document(), view.CurrentBlockNumber(),
                                                       view.SelectionCount(),
                                                       static_cast<uint16_t>(entity));
    EditTransaction edit(view.Document(), Selection(view), view.Place());
    const uint32_t n = EditEntityBefore(frames, LastSelected(view), fn);
    view.CommitEdit(edit, label);
    return n;
}

// Changes every player state of the visited frames, as one edit.
uint32_t EditPlayers(CTreskView& view, BlockSpan span, const std::function<void(PlayerState&)>& fn,
                     const std::string& label) {
    std::vector<SelectedFrame> frames = SelectedFrames(view.Document(), span.first, span.count);
    EditTransaction edit(view.Document(), span, view.Place());
    for (SelectedFrame& f : frames) {
        fn(f.player->state);
    }
    view.CommitEdit(edit, label);
    return static_cast<uint32_t>(frames.size());
}

bool AskEntityAndModel(CTreskView& view, const char* instruction, int32_t& entity,
                       int32_t& model) {
    view.GetUi().ShowMessage(instruction);
    NumberDlgData e;
    e.number = 1;
    if (!view.GetUi().RunNumberDlg(e)) {
        return false;
    }
    NumberDlgData m;
    m.number = 0;
    if (!view.GetUi().RunNumberDlg(m)) {
        return false;
    }
    entity = static_cast<int32_t>(std::min<uint32_t>(e.number, 1u << 30));
    model = static_cast<int32_t>(std::min<uint32_t>(m.number, 1u << 30));
    return true;
}

} // namespace

uint32_t ReModelEntity(CTreskView& view, int32_t entity, int32_t model) {
    if (!view.HasCurrentBlock() || !CheckEntityNumber(view.GetUi(), entity) ||
        !CheckModel(view.GetUi(), model, 1)) {
        return 0;
    }
    const uint32_t n = EditEntity(
        view, entity, [model](EntityState& e) { e.modelindex = static_cast<uint8_t>(model); },
        "Re-model entity " + std::to_string(entity));
    view.GetUi().ShowMessage("Operation successful.  Changed " + std::to_string(n) +
                             " occurances to " + ModelName(view.Document(), model) + ".");
    view.RefreshView();
    return n;
}

uint32_t ChangeWeaponModel(CTreskView& view, int32_t entity, int32_t model) {
    if (!view.HasCurrentBlock() || !CheckEntityNumber(view.GetUi(), entity) ||
        !CheckModel(view.GetUi(), model, 0)) {
        return 0;
    }
    const uint32_t n = EditEntity(
        view, entity, [model](EntityState& e) { e.modelindex2 = static_cast<uint8_t>(model); },
        "Weapon model of entity " + std::to_string(entity));
    view.GetUi().ShowMessage("Operation successful.  Changed " + std::to_string(n) +
                             " occurances to " + ModelName(view.Document(), model) + ".");
    view.RefreshView();
    return n;
}

uint32_t RemoveViewWeapon(CTreskView& view) {
    if (!view.HasCurrentBlock() || view.SelectionCount() < 2) {
        return 0;
    }
    return EditPlayers(
        view, {view.CurrentBlockNumber(), view.SelectionCount() - 1},
        [](PlayerState& ps) { ps.gunindex = 0; }, "Remove view weapon");
}

uint32_t RemoveStatusBar(CTreskView& view) {
    if (!view.HasCurrentBlock()) {
        return 0;
    }
    CTreskDoc& doc = view.Document();
    // The blocks whose records set the status bar during play.
    uint32_t firstBlock = 0;
    uint32_t lastBlock = 0;
    uint32_t n = 1;
    for (const DemoBlock* b = doc.FirstBlock(); b != nullptr; b = b->next, ++n) {
        for (const DemoMessage* m = b->FirstMessage(); m != nullptr; m = m->next) {
            const auto* cs = MessageCast<ConfigStringMessage>(m);
            if (cs != nullptr && !cs->signon && cs->index >= kFirstStatusBarIndex &&
                cs->index <= kLastStatusBarIndex) {
                firstBlock = firstBlock == 0 ? n : firstBlock;
                lastBlock = n;
            }
        }
    }
    const BlockSpan span = firstBlock == 0 ? BlockSpan{1, 0}
                                           : BlockSpan{firstBlock, lastBlock - firstBlock + 1};
    EditTransaction edit(doc, span, view.Place(), true);
    uint32_t blanked = 0;
    constexpr int kSlots = kLastStatusBarIndex - kFirstStatusBarIndex + 1;
    // Slot by slot (configstring 29 stays): a long program runs on into the slots after its
    // own, and each slot's start is what the rebuilt signon sends.
    for (int slot = 0; slot < kSlots; ++slot) {
        if (doc.statusBarTable.EntryChars(slot)[0] != '\0') {
            doc.statusBarTable.Set(slot, std::string());
            ++blanked;
        }
    }
    DemoBlock* b = span.count > 0 ? doc.BlockAt(span.first) : nullptr;
    for (uint32_t i = 0; i < span.count && b != nullptr; ++i, b = b->next) {
        for (DemoMessage* m = b->FirstMessage(); m != nullptr; m = m->next) {
            auto* cs = MessageCast<ConfigStringMessage>(m);
            if (cs != nullptr && !cs->signon && cs->index >= kFirstStatusBarIndex &&
                cs->index <= kLastStatusBarIndex) {
                cs->value.clear();
                ++blanked;
            }
        }
    }
    view.CommitEdit(edit, "Remove status bar");
    return blanked;
}

uint32_t HackPlayerFlags(CTreskView& view, uint32_t flags) {
    if (!view.HasCurrentBlock()) {
        return 0;
    }
    const int64_t k = int64_t{view.BlockCount()} - view.CurrentBlockNumber() - kHackTail;
    if (k < 1) {
        return 0;
    }
    return EditPlayers(
        view, {view.CurrentBlockNumber(), static_cast<uint32_t>(k)},
        [flags](PlayerState& ps) {
            ps.pm_type = 1;
            ps.pm_flags = static_cast<uint8_t>(flags);
        },
        "Hack player flags");
}

void OnReModelEntity(CTreskView& view) {
    int32_t entity = 0;
    int32_t model = 0;
    if (view.HasCurrentBlock() &&
        AskEntityAndModel(
            view, "Please give me the entity number, and modelindex number (in that order).",
            entity, model)) {
        ReModelEntity(view, entity, model);
    }
}

void OnChangeWeaponModel(CTreskView& view) {
    int32_t entity = 0;
    int32_t model = 0;
    if (view.HasCurrentBlock() &&
        AskEntityAndModel(view,
                          "Please give me the entity number, and modelindex number (in that "
                          "order).  Note: modelindex 0 will remove the weapon.",
                          entity, model)) {
        ChangeWeaponModel(view, entity, model);
    }
}

void OnRemoveViewWeapon(CTreskView& view) {
    RemoveViewWeapon(view);
}

void OnRemoveStatusBar(CTreskView& view) {
    RemoveStatusBar(view);
}

void OnHackPlayerFlags(CTreskView& view) {
    if (!view.HasCurrentBlock()) {
        return;
    }
    NumberDlgData data;
    data.number = 0;
    if (view.GetUi().RunNumberDlg(data)) {
        HackPlayerFlags(view, data.number);
    }
}
